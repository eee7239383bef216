// A HOLD pile in a network game over loopback TCP: the other table's copy of the pile keeps
// 30 cards, its top among them, so the discard that would make a 31st is refused here, as
// a full pile, and never goes out; the turn goes on and another pile takes the discard. An
// older copy that sends such a discard all the same is refused by the table.
#include <QtTest>

#include "net_table.h"

using namespace korbo;
using namespace korbo::test;

namespace {

constexpr int kTimeout = 10000;
constexpr std::size_t kGreetingLines = 5;  // IP, NM, GS, DK, TR from the table

}  // namespace

class NetHoldLimitTest : public QObject {
    Q_OBJECT
private slots:
    void TheThirtyFirstCardIsRefusedBeforeItIsSent();
    void AnOlderCopysThirtyFirstCardIsRefused();
};

void NetHoldLimitTest::TheThirtyFirstCardIsRefusedBeforeItIsSent() {
    NetTable t;
    // The table begins; its discard is echoed and the turn passes; the host then quits
    // instead of playing.
    HostPeer host(DeckList({}), 2,
                  {{"PC", {"PC"}, "", false, nullptr}, {"OK", {"OK", net::QuitMsg()}, "", false, nullptr}});
    t.Join(host.Port());
    QVERIFY(t.game.NetActive);
    QCOMPARE(t.game.Turn, int16_t{TurnPlayer});
    t.LayOutPlaces();
    // HOLD pile 1 holds 30 cards from the stock: 29 covered and the top.
    for (int c = 1; c <= 30; ++c) {
        DeckRec& d = t.game.Deck[t.game.StockTop--];
        const CardRec card{d.Id, d.Value};
        d.Id = d.Value = 0;
        if (c < 30) t.game.PlayerHold.Set(1, c, card);
        else t.game.PlayerSlots.Set(7, card);
    }
    t.game.PlayerHoldCount[1] = 29;
    const CardRec discard = t.game.PlayerSlots.Get(2);

    t.Drag(2, Ctl::Picture7, 7);
    QCOMPARE(t.view.Caption(Ctl::Label9, 1), std::string("That HOLD pile is too full. PICK ANOTHER PILE!"));
    QCOMPARE(t.game.PlayerHoldCount[1], int16_t{29});
    QVERIFY(t.game.PlayerSlots.Get(2) == discard);
    QCOMPARE(t.game.Turn, int16_t{TurnPlayer});
    QVERIFY(t.game.NetActive);

    // Another pile takes it: that is the first move the host hears of.
    t.Drag(2, Ctl::Picture7, 8);
    QTRY_COMPARE_WITH_TIMEOUT(Joined(host.After(kGreetingLines)), QString("PC  2# 8|OK"), kTimeout);
    QVERIFY(t.game.PlayerSlots.Get(8) == discard);
    QCOMPARE(t.game.PlayerHoldCount[1], int16_t{29});
}

// An older copy as host begins and discards onto its HOLD pile 1, whose copy on this table
// holds 30 cards already: the table cannot keep a 31st, so it refuses the move.
void NetHoldLimitTest::AnOlderCopysThirtyFirstCardIsRefused() {
    NetTable t;
    CardRec discard{};
    auto fullPile = [&t, &discard](const std::string&) {
        for (int c = 1; c <= 30; ++c) {
            DeckRec& d = t.game.Deck[t.game.StockTop--];
            const CardRec card{d.Id, d.Value};
            d.Id = d.Value = 0;
            t.game.OppHold.Set(1, c, card);
            if (c == 30) t.game.OppSlots.Set(7, card);
        }
        t.game.OppHoldInfo[1][1] = 30;
        discard = t.game.OppSlots.Get(2);
    };
    HostPeer host(DeckList({}), 1, {{"TR", {}, "", false, fullPile}});
    host.AsOldCopy();
    host.steps.back().lines = {"PC  2# 7"};
    t.Join(host.Port());
    QTRY_VERIFY_WITH_TIMEOUT(!t.game.NetActive, kTimeout);
    QVERIFY(t.Boxed("cannot follow"));
    QVERIFY(t.Boxed("A HOLD pile has no room left"));
    QTRY_VERIFY_WITH_TIMEOUT(!host.received.empty() && host.received.back() == "GO", kTimeout);
    // Nothing of the move was played here.
    QCOMPARE(t.game.OppHoldInfo[1][1], int16_t{30});
    QVERIFY(t.game.OppSlots.Get(2) == discard);
    QVERIFY(discard.Value != 0);
}

QTEST_GUILESS_MAIN(NetHoldLimitTest)
#include "test_net_hold_limit.moc"
