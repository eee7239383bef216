// The reshuffle of the used pile and the stalemate with its recovery.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <set>

#include "fakes/scripted_transport.h"
#include "game/korbogl.h"
#include "table_fixture.h"
#include "records/text_number.h"

namespace korbo::test {
namespace {

// What a stalemate must never touch, and what a refused one must leave exactly as it was.
struct Snapshot {
    std::vector<int16_t> cells;
    explicit Snapshot(const TableState& t) {
        auto add = [&](auto begin, auto end) { cells.insert(cells.end(), begin, end); };
        add(t.PlayerSlots.cells.begin(), t.PlayerSlots.cells.end());
        add(t.OppSlots.cells.begin(), t.OppSlots.cells.end());
        add(t.PlayerSide.cells.begin(), t.PlayerSide.cells.end());
        add(t.OppSide.cells.begin(), t.OppSide.cells.end());
        add(t.PlayerHold.cells.begin(), t.PlayerHold.cells.end());
        add(t.OppHold.cells.begin(), t.OppHold.cells.end());
        add(t.PlayerHoldCount.begin(), t.PlayerHoldCount.end());
        add(t.CenterCount.begin(), t.CenterCount.end());
        for (auto& pile : t.Center)
            for (auto& c : pile) cells.insert(cells.end(), {c.Id, c.Value});
        for (auto& row : t.OppHoldInfo) add(row.begin(), row.end());
        cells.insert(cells.end(), {t.PlayerSideCount, t.OppSideCount, t.StockTop, t.UsedCount});
    }
    bool operator==(const Snapshot&) const = default;
};

struct StaleTest : TableFixture {
    // The table at a stalemate: stock and used pile empty, every other card somewhere on it.
    // Pile sizes and places come from `seed`; pile 1 is always a complete twelve.
    void RandomStalemateTable(unsigned seed) {
        SetUp();
        std::mt19937 g(seed);
        std::vector<int> ids;
        for (int id = 1; id <= 104; ++id) ids.push_back(id);
        std::shuffle(ids.begin(), ids.end(), g);
        size_t next = 0;
        auto draw = [&] { return next < ids.size() ? ids[next++] : 0; };
        auto upTo = [&](int n) { return static_cast<int>(g() % (n + 1)); };
        for (int i = 0, n = 1 + upTo(25); i < n; ++i) game.PlayerSide.Set(++game.PlayerSideCount, C(Take(draw())));
        for (int i = 0, n = 1 + upTo(25); i < n; ++i) game.OppSide.Set(++game.OppSideCount, C(Take(draw())));
        game.PlayerSlots.Set(1, game.PlayerSide.Get(game.PlayerSideCount));
        game.OppSlots.Set(1, game.OppSide.Get(game.OppSideCount));
        for (int p = 1; p <= 12; ++p) game.Center[1][p] = C(Take(draw()));
        game.CenterCount[1] = 12;
        for (int s = 2; s <= 3; ++s)
            for (int i = 0, n = upTo(12); i < n && next < ids.size(); ++i)
                game.Center[s][++game.CenterCount[s]] = C(Take(draw()));
        for (int h = 2; h <= 6; ++h) {
            if (g() % 3 && next < ids.size()) game.PlayerSlots.Set(h, C(Take(draw())));
            if (g() % 3 && next < ids.size()) game.OppSlots.Set(h, C(Take(draw())));
        }
        // What is left goes onto the HOLD piles, some of them full.
        while (next < ids.size()) {
            const int k = 1 + static_cast<int>(g() % 4);
            if (g() % 2) {
                if (game.PlayerSlots.Value(k + 6) == 0) {
                    game.PlayerSlots.Set(k + 6, C(Take(draw())));
                } else if (game.PlayerHoldCount[k] < 30) {
                    game.PlayerHold.Set(k, ++game.PlayerHoldCount[k], game.PlayerSlots.Get(k + 6));
                    game.PlayerSlots.Set(k + 6, C(Take(draw())));
                }
            } else if (game.OppHoldInfo[k][1] < 30) {
                game.OppHold.Set(k, ++game.OppHoldInfo[k][1], C(Take(draw())));
                game.OppSlots.Set(k + 6, game.OppHold.Get(k, game.OppHoldInfo[k][1]));
            }
        }
        ASSERT_EQ(CheckPartition(game), "") << "seed " << seed;
        ASSERT_EQ(game.StockTop, 0);
        ASSERT_EQ(game.UsedCount, 0);
    }

    // A small stalemate: stock and used pile empty, one hand place to fill.
    void SmallStalemate() {
        PlayerSide({V(7), V(10)});
        OppSide({V(8), V(11)});
        PlayerHand({V(1), V(2), 0, V(13), V(9)});
        OppHand({V(3, 1), V(4, 1), V(6, 1), V(7, 1), V(8, 1)});
        Centre(1, {V(1, 1), V(2, 1), V(3, 2)});
        PlayerHold(1, {V(12, 1), V(4, 2)}, V(4, 3));
        std::vector<int> rest;
        for (int id = 1; id <= 104; ++id)
            if (!placed.count(id)) rest.push_back(id);
        // Everything else lies on the opponent's HOLD piles, 30 at most a pile.
        for (size_t i = 0; i < rest.size(); ++i) {
            const int k = 1 + static_cast<int>(i / 30);
            game.OppHold.Set(k, ++game.OppHoldInfo[k][1], C(Take(rest[i])));
            game.OppSlots.Set(k + 6, game.OppHold.Get(k, game.OppHoldInfo[k][1]));
        }
        ASSERT_EQ(CheckPartition(game), "");
    }

    void ExpectRecovered(const Snapshot& payOffBefore, const TableState& before) {
        EXPECT_EQ(CheckPartition(game), "");
        EXPECT_EQ(game.TurnAbort, 2);
        EXPECT_EQ(game.UsedCount, 0);
        for (int s = 1; s <= 3; ++s) EXPECT_EQ(game.CenterCount[s], 0);
        for (int k = 1; k <= 4; ++k) {
            EXPECT_EQ(game.PlayerHoldCount[k], 0);
            EXPECT_EQ(game.OppHoldInfo[k][1], 0);
            EXPECT_EQ(game.PlayerSlots.Value(k + 6), 0);
            EXPECT_EQ(game.OppSlots.Value(k + 6), 0);
        }
        for (int h = 2; h <= 6; ++h) {
            EXPECT_NE(game.PlayerSlots.Value(h), 0);
            EXPECT_NE(game.OppSlots.Value(h), 0);
        }
        EXPECT_EQ(game.StockTop, 104 - before.PlayerSideCount - before.OppSideCount - 10);
        EXPECT_EQ(game.PlayerSide.cells, before.PlayerSide.cells);
        EXPECT_EQ(game.OppSide.cells, before.OppSide.cells);
        EXPECT_EQ(game.PlayerSideCount, before.PlayerSideCount);
        EXPECT_EQ(game.OppSideCount, before.OppSideCount);
        EXPECT_EQ(game.HandCount, 5);
        EXPECT_FALSE(game.CountCards);
        (void)payOffBefore;
    }
};

// --- the reshuffle --------------------------------------------------------------------------

TEST_F(StaleTest, AReshuffleNeverMovesATallyAndStopsTheCount) {
    PlayerSide({V(7)});
    OppSide({V(8)});
    RestTo(true);  // everything else is used
    for (int i = 0; i <= 104; ++i) game.Deck[i].Seen = static_cast<int16_t>(i % 7);
    game.CountCards = true;
    std::multiset<std::pair<int, int>> used;
    for (int j = 1; j <= game.UsedCount; ++j) used.insert({game.UsedPile[j].Id, game.UsedPile[j].Value});
    game.RESHUFFLE();
    for (int i = 0; i <= 104; ++i) EXPECT_EQ(game.Deck[i].Seen, i % 7) << i;
    EXPECT_FALSE(game.CountCards);
    EXPECT_EQ(game.UsedCount, 0);
    EXPECT_EQ(game.StockTop, 102);
    std::multiset<std::pair<int, int>> stock;
    for (int i = 1; i <= game.StockTop; ++i) stock.insert({game.Deck[i].Id, game.Deck[i].Value});
    EXPECT_EQ(stock, used);
    int inOrder = 0;
    for (int i = 1; i <= game.StockTop; ++i) inOrder += game.Deck[i].Id == game.UsedPile[i].Id;
    EXPECT_LT(inOrder, 20);  // really shuffled
    EXPECT_TRUE(Logged("Caption Label9(2)=I Reshuffled"));
    EXPECT_EQ(view.Caption(Ctl::Label9, 2), " ");
    EXPECT_TRUE(view.Played(SndNewGame));
    EXPECT_TRUE(view.Visible(Ctl::Picture4, 0));
    EXPECT_EQ(CheckPartition(game), "");
}

TEST_F(StaleTest, AStuckGeneratorStillShufflesEveryCardOnce) {
    ScriptedRandom stuck;
    stuck.script = {0.0};
    RecordingGame g{view, stuck, clock};
    for (int j = 1; j <= 40; ++j) g.UsedPile[j] = C(j);
    g.UsedCount = 40;
    g.RESHUFFLE();
    std::set<int> ids;
    for (int i = 1; i <= 40; ++i) ids.insert(g.Deck[i].Id);
    EXPECT_EQ(ids.size(), 40u);
    EXPECT_EQ(*ids.begin(), 1);
    EXPECT_EQ(*ids.rbegin(), 40);
    EXPECT_EQ(g.StockTop, 40);
}

TEST_F(StaleTest, AnEmptyUsedPileLeavesTheStockEmpty) {
    game.CountCards = true;
    game.RESHUFFLE();
    EXPECT_FALSE(game.CountCards);
    EXPECT_EQ(game.StockTop, 0);
    EXPECT_TRUE(view.log.empty() || !Logged("Caption Label9(2)=I Reshuffled"));
    EXPECT_FALSE(view.Played(SndNewGame));
}

TEST_F(StaleTest, ARefillReshufflesOnlyWhenTheNextCardIsNeeded) {
    PlayerSide({V(7)});
    OppSide({V(8)});
    OppHand({V(3, 1), V(4, 1), V(6, 1), V(7, 1), V(8, 1)});
    for (int id : {V(1), V(2), V(3), V(4), V(5)}) ToStock(C(Take(id)));
    RestTo(true);
    const int used = game.UsedCount;
    game.HandCount = 0;
    game.Deal_Player();  // takes exactly the five stock cards
    EXPECT_EQ(game.StockTop, 0);
    EXPECT_EQ(game.UsedCount, used);
    // The next card needed brings the used pile back.
    ASSERT_EQ(CheckPartition(game), "");
    const CardRec played = game.PlayerSlots.Get(4);
    game.PlayerSlots.Clear(4);
    game.UsedPile[++game.UsedCount] = played;
    game.Deal_Player();
    EXPECT_EQ(game.UsedCount, 0);
    EXPECT_EQ(game.StockTop, used);  // used + 1 came back, one was dealt
    EXPECT_NE(game.PlayerSlots.Value(4), 0);
    EXPECT_EQ(CheckPartition(game), "");
}

// --- the stalemate and its answer ----------------------------------------------------------------

TEST_F(StaleTest, AnEmptyUsedPileAtARefillIsAStalemate) {
    struct Case {
        const char* why;
        std::deque<int> answers;
        bool recovered;
    } cases[] = {
        {"answered Yes", {mb::IDYes}, true},
        {"answered No", {mb::IDNo}, false},
        {"closed without an answer", {}, false},
    };
    for (auto& c : cases) {
        SCOPED_TRACE(c.why);
        SetUp();
        SmallStalemate();
        game.Turn = TurnPlayer;
        game.EnablePic(Ctl::Picture7, true);
        game.TempoDelay = 0.4;
        view.answers = c.answers;
        const Snapshot before(game);
        const TableState old = game;
        game.Deal_Player();
        ASSERT_EQ(view.boxes.size(), 1u);
        EXPECT_EQ(view.boxes[0].text, "Reshuffle cards and continue with this game?");
        EXPECT_EQ(view.boxes[0].title, "Stalemate");
        EXPECT_EQ(view.boxes[0].buttons, mb::YesNo);
        EXPECT_TRUE(Logged("Caption Label9(1)=UNBELIEVABLY RUZAVOVU!\r\nWe're out of cards.\r\nI can't deal "
                           "anymore.\r\nSTALEMATE"));
        EXPECT_TRUE(Logged("Caption Label9(2)=This game declared a Stalemate! Reshuffle cards in play to continue "
                           "or start up a new game."));
        EXPECT_TRUE(view.Played(SndCheat));
        EXPECT_TRUE(view.menus[Menu::Restore]);
        EXPECT_DOUBLE_EQ(game.TempoDelay, 0.4);  // the refill's faster pace is undone
        if (c.recovered) {
            ExpectRecovered(before, old);
            EXPECT_EQ(game.Turn, TurnPlayer);
            EXPECT_EQ(game.SkipCompDeal, 1);
            EXPECT_EQ(view.Caption(Ctl::Label9, 1), "");
            EXPECT_EQ(view.Caption(Ctl::Label9, 2), "");
            for (int h = 2; h <= 6; ++h) {
                EXPECT_EQ(view.Drawn(Ctl::Picture7, h), game.PlayerSlots.Id(h));
                EXPECT_EQ(view.Drawn(Ctl::Picture1, h), 0);  // face down
            }
        } else {
            EXPECT_EQ(game.TurnAbort, 1);
            EXPECT_EQ(game.Turn, TurnNobody);
            EXPECT_TRUE(Snapshot(game) == before);
            for (int i = 1; i <= 10; ++i) EXPECT_FALSE(view.Enabled(Ctl::Picture7, i)) << i;
        }
        EXPECT_EQ(CheckPartition(game), "");
        EXPECT_EQ((view.backColor[{Ctl::Picture4, 0}]), game.DeckColor);
    }
}

// A stopped game is nobody's turn: the arrow of the side whose turn it was goes, as it
// stays when the cards were dealt anew and the turn goes on.
TEST_F(StaleTest, AStoppedGameShowsNoTurnArrow) {
    struct Case {
        const char* why;
        int turn;
        int answer;
        bool damaged;
        bool goesOn;
    } cases[] = {
        {"declined in the player's turn", TurnPlayer, mb::IDNo, false, false},
        {"declined in the opponent's turn", TurnOpponent, mb::IDNo, false, false},
        {"a recovery that failed", TurnPlayer, mb::IDYes, true, false},
        {"accepted", TurnOpponent, mb::IDYes, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        SetUp();
        SmallStalemate();
        game.Turn = static_cast<int16_t>(c.turn);
        if (c.damaged) game.PlayerHoldCount[3] = 31;
        const Ctl arrow = c.turn == TurnPlayer ? Ctl::ImgTurn2 : Ctl::ImgTurn1;
        view.visible[{arrow, 0}] = true;
        view.answers = {c.answer};
        game.STALEMATE();
        EXPECT_EQ(game.TurnAbort, c.goesOn ? 2 : 1);
        EXPECT_EQ(view.Visible(arrow, 0), c.goesOn);
        EXPECT_FALSE(view.Visible(arrow == Ctl::ImgTurn1 ? Ctl::ImgTurn2 : Ctl::ImgTurn1, 0));
    }
}

TEST_F(StaleTest, TheRecoveryDealsTheNextTurnsHandsByWhoseTurnItIs) {
    for (int turn : {TurnOpponent, TurnPlayer}) {
        SCOPED_TRACE(turn);
        SetUp();
        SmallStalemate();
        game.Turn = static_cast<int16_t>(turn);
        game.PeekFlag = 1;
        view.answers = {mb::IDYes};
        game.STALEMATE();
        EXPECT_EQ(game.Turn, turn);
        EXPECT_EQ(game.TurnAbort, 2);
        EXPECT_EQ(game.SkipPlayerDeal, turn == TurnOpponent ? 2 : 0);
        EXPECT_EQ(game.SkipCompDeal, turn == TurnOpponent ? 0 : 1);
        for (int h = 2; h <= 6; ++h) EXPECT_EQ(view.Drawn(Ctl::Picture1, h), game.OppSlots.Id(h));  // peeking
    }
}

TEST_F(StaleTest, TheRecoveryKeepsEveryCardExactlyOnceWhereverItLay) {
    for (unsigned seed = 1; seed <= 40; ++seed) {
        SCOPED_TRACE(seed);
        RandomStalemateTable(seed);
        game.Turn = seed % 2 ? TurnPlayer : TurnOpponent;
        game.CurIndex = 2;
        view.answers = {mb::IDYes};
        const Snapshot before(game);
        const TableState old = game;
        game.STALEMATE();
        ExpectRecovered(before, old);
        EXPECT_EQ(game.CurIndex, 2);  // the mover's pile, not the deal's position
        EXPECT_EQ(game.WorkIndex, 0);
        EXPECT_TRUE(view.boxes.size() == 1u);
    }
}

TEST_F(StaleTest, TheRecoveryGathersInItsOrder) {
    // With r = 0 every time the draw walks the used pile in order, so the stock shows the
    // order the cards were gathered in.
    ScriptedRandom none;
    none.script = {0.0};
    RecordingGame g{view, none, clock};
    std::vector<int> rest;
    for (int id = 9; id <= 104; ++id) rest.push_back(id);
    size_t next = 0;
    g.PlayerSide.Set(1, C(V(7)));
    g.PlayerSideCount = 1;
    g.PlayerSlots.Set(1, C(V(7)));
    g.OppSide.Set(1, C(V(8)));
    g.OppSideCount = 1;
    g.OppSlots.Set(1, C(V(8)));
    g.Center[1][1] = C(V(1));
    for (int p = 2; p <= 12; ++p) g.Center[1][p] = C(rest[next++]);
    g.CenterCount[1] = 12;
    g.PlayerSlots.Set(3, C(V(2)));
    g.PlayerSlots.Set(8, C(V(3)));       // a HOLD top comes before
    g.PlayerHold.Set(2, 1, C(V(4)));     // the card it covers
    g.PlayerHoldCount[2] = 1;
    g.OppSlots.Set(5, C(V(5)));
    g.OppHold.Set(1, 1, C(V(6)));
    g.OppHoldInfo[1][1] = 1;
    for (int k = 1; k <= 4 && next < rest.size(); ++k)
        while (g.OppHoldInfo[k][1] < 30 && next < rest.size()) g.OppHold.Set(k, ++g.OppHoldInfo[k][1], C(rest[next++]));
    for (int k = 1; k <= 4; ++k) g.OppSlots.Set(k + 6, g.OppHold.Get(k, g.OppHoldInfo[k][1]));
    ASSERT_EQ(next, rest.size());
    ASSERT_EQ(CheckPartition(g), "");
    view.answers = {mb::IDYes};
    g.STALEMATE();
    ASSERT_EQ(CheckPartition(g), "");
    // Centre, player hand, player HOLD tops, covered cards, opponent hand, opponent HOLD.
    std::vector<int> at;
    for (int id = 1; id <= 6; ++id)
        for (int i = 1; i <= g.StockTop; ++i)
            if (g.Deck[i].Id == id) at.push_back(i);
    ASSERT_EQ(at.size(), 6u);
    EXPECT_EQ(at[0], 1);
    EXPECT_TRUE(std::is_sorted(at.begin(), at.end()));
    EXPECT_EQ(at[1], 13);
}

TEST_F(StaleTest, TheRecoveryTellsEachStepWithItsSoundAndPause) {
    SmallStalemate();
    game.Turn = TurnPlayer;
    game.SavedTempo = 0.3;  // the refill's own pace comes back
    game.TempoDelay = 0.15;
    game.MsgText = "left over";
    view.visible[{Ctl::LblWild, 1}] = true;  // a King's value shown on a gathered pile
    view.answers = {mb::IDYes};
    game.STALEMATE();
    ASSERT_EQ(game.TurnAbort, 2);
    std::vector<std::string> told;
    for (auto& line : view.log)
        if (line.rfind("Caption Label9(1)=", 0) == 0 || line.rfind("Sound ", 0) == 0) told.push_back(line);
    const std::vector<std::string> expected = {
        "Caption Label9(1)=UNBELIEVABLY RUZAVOVU!\r\nWe're out of cards.\r\nI can't deal anymore.\r\nSTALEMATE",
        "Sound 109",
        "Caption Label9(1)=CLEARING Center",
        "Sound 118",
        "Caption Label9(1)=CLEARING Player Hand",
        "Caption Label9(1)=CLEARING Player Hold",
        "Sound 118",
        "Caption Label9(1)=CLEARING Opponent's Hand",
        "Caption Label9(1)=CLEARING Opponent's Hold",
        "Sound 118",
        "Sound 122",
        "Caption Label9(1)=",
    };
    EXPECT_EQ(told, expected);
    // Three clearing pauses, then the reshuffle's own two.
    EXPECT_EQ(view.pauses, (std::vector<double>{0.75, 0.75, 0.75, 0.75, 0.3}));
    EXPECT_EQ(view.Caption(Ctl::Label9, 2), "");
    EXPECT_TRUE(game.MsgText.empty());
    EXPECT_FALSE(view.Visible(Ctl::LblWild, 1));
    for (int s = 1; s <= 3; ++s) {
        EXPECT_EQ((view.backColor[{Ctl::Picture4, s}]), 0x80C0FF) << s;
        EXPECT_EQ(view.Drawn(Ctl::Picture4, s), -1) << s;
    }
    for (int t = 7; t <= 10; ++t) {
        EXPECT_EQ((view.backColor[{Ctl::Picture7, t}]), 0x80C0FF) << t;
        EXPECT_EQ((view.backColor[{Ctl::Picture1, t}]), 0x80C0FF) << t;
    }
}

TEST_F(StaleTest, AFailedRecoveryStopsTheGameAndKeepsTheCards) {
    SmallStalemate();
    game.Turn = TurnPlayer;
    game.EnablePic(Ctl::Picture7, true);
    game.PlayerHoldCount[3] = 31;  // a damaged table: more than a pile can hold
    game.WorkIndex = 0;
    view.answers = {mb::IDYes};
    const Snapshot before(game);
    game.STALEMATE();
    ASSERT_EQ(view.boxes.size(), 3u);
    const std::string oops =
        "Oops! Sorry, I dropped the cards and can't redeal. Let's give up on this stalemate and start a new game.";
    for (size_t i = 1; i < 3; ++i) {
        EXPECT_EQ(view.boxes[i].text, oops);
        EXPECT_EQ(view.boxes[i].title, "Dealer Error");
        EXPECT_EQ(view.boxes[i].buttons, mb::OKOnly | mb::Exclamation);
    }
    EXPECT_EQ(game.TurnAbort, 1);
    EXPECT_EQ(game.Turn, TurnNobody);
    EXPECT_EQ(game.WorkIndex, 0);
    EXPECT_TRUE(Snapshot(game) == before);
    for (int i = 1; i <= 10; ++i) EXPECT_FALSE(view.Enabled(Ctl::Picture7, i));
}

TEST_F(StaleTest, AStalemateInsideThePlayersTurn) {
    for (bool yes : {true, false}) {
        SCOPED_TRACE(yes);
        SetUp();
        SmallStalemate();
        // The hand holds only the Three that pile 1 needs.
        for (int h : {2, 3, 5, 6}) {
            game.OppHold.Set(4, ++game.OppHoldInfo[4][1], game.PlayerSlots.Get(h));
            game.PlayerSlots.Clear(h);
        }
        game.OppSlots.Set(10, game.OppHold.Get(4, game.OppHoldInfo[4][1]));
        game.PlayerSlots.Set(4, game.Center[1][3]);
        game.Center[1][3] = {};
        game.CenterCount[1] = 2;
        ASSERT_EQ(CheckPartition(game), "");
        PlayersTurn();
        game.HandCount = 1;
        view.answers = {yes ? mb::IDYes : mb::IDNo};
        DoubleClick(4);  // the Three onto pile 1 empties the hand
        EXPECT_EQ(CheckPartition(game), "");
        if (yes) {
            EXPECT_EQ(game.Turn, TurnPlayer);
            EXPECT_EQ(game.TurnAbort, 0);
            for (int h = 2; h <= 6; ++h) EXPECT_TRUE(view.Enabled(Ctl::Picture7, h)) << h;
            EXPECT_EQ(game.CenterCount[1], 0);
        } else {
            EXPECT_EQ(game.Turn, TurnNobody);
            EXPECT_EQ(game.TurnAbort, 1);
            EXPECT_EQ(game.CenterCount[1], 3);  // the card played stays played
            for (int h = 1; h <= 10; ++h) EXPECT_FALSE(view.Enabled(Ctl::Picture7, h)) << h;
        }
    }
}

// --- the network's sides -------------------------------------------------------------------------

TEST_F(StaleTest, TheHostSendsItsAnswerAndTheNewOrder) {
    ScriptedTransport net;
    game.SetTransport(&net);
    SmallStalemate();
    game.Turn = TurnPlayer;
    game.NetActive = true;
    game.NetRole = 1;
    game.PeerVersion = "61";
    game.incoming = {{msg::DK, ""}};
    view.answers = {mb::IDYes};
    const TableState old = game;
    game.STALEMATE();
    ExpectRecovered(Snapshot(old), old);
    ASSERT_EQ(net.sent.size(), 2u);
    EXPECT_EQ(net.sent[0], "OK");
    ASSERT_EQ(net.sent[1].rfind("DK ", 0), 0u);
    // The list carries every gathered card: values, then ids.
    const int gathered = 104 - old.PlayerSideCount - old.OppSideCount;
    EXPECT_EQ(std::count(net.sent[1].begin(), net.sent[1].end(), '#'), 2 * gathered);
    EXPECT_TRUE(Logged("Caption Label9(0)=I Reshuffled"));
    EXPECT_TRUE(view.Enabled(Ctl::ChatSend, 0));
}

TEST_F(StaleTest, TheRemoteFollowsTheHostsAnswer) {
    ScriptedTransport net;
    game.SetTransport(&net);
    SmallStalemate();
    game.Turn = TurnOpponent;
    game.NetActive = true;
    game.NetRole = 0;
    game.PeerVersion = "61";
    // The host's order: the gathered cards by ascending id.
    std::vector<CardRec> cards;
    for (int id = 1; id <= 104; ++id) {
        bool payOff = false;
        for (int p = 1; p <= game.PlayerSideCount; ++p) payOff |= game.PlayerSide.Id(p) == id;
        for (int p = 1; p <= game.OppSideCount; ++p) payOff |= game.OppSide.Id(p) == id;
        if (!payOff) cards.push_back(C(id));
    }
    std::string list;
    for (auto& c : cards) list += records::NumText(c.Value) + "#";
    for (auto& c : cards) list += records::NumText(c.Id) + "#";
    game.incoming = {{msg::OK, ""}, {msg::DK, list}};
    const TableState old = game;
    game.STALEMATE();
    EXPECT_TRUE(view.boxes.empty());  // the remote is never asked
    EXPECT_TRUE(Logged("Caption Label9(2)=HOST will decide whether to reshuffle the cards in play or start a new "
                       "game."));
    EXPECT_TRUE(Logged("Caption Label9(0)=Korbo Reshuffled"));
    ExpectRecovered(Snapshot(old), old);
    EXPECT_EQ(net.sent, std::vector<std::string>{"DK"});
    // The remote takes the other card of each pair, so both copies agree.
    const int n = static_cast<int>(cards.size());
    EXPECT_EQ(game.OppSlots.Get(2), cards[n - 1]);
    EXPECT_EQ(game.PlayerSlots.Get(2), cards[n - 2]);
    EXPECT_EQ(game.SkipPlayerDeal, 2);
}

TEST_F(StaleTest, TheRemoteStopsWhenTheHostStartsOverOrLeaves) {
    for (int type : {msg::GS, msg::GO, 0}) {
        SCOPED_TRACE(type);
        SetUp();
        SmallStalemate();
        game.Turn = TurnOpponent;
        game.NetActive = true;
        game.NetRole = 0;
        if (type != 0) game.incoming = {{msg::WT, ""}, {type, ""}};  // 0: the connection just ends
        const Snapshot before(game);
        game.STALEMATE();
        EXPECT_TRUE(view.boxes.empty());
        EXPECT_EQ(game.TurnAbort, 1);
        EXPECT_EQ(game.Turn, TurnNobody);
        EXPECT_TRUE(Snapshot(game) == before);
    }
}

// The remote at a stalemate whose host has already refused it and begun a new game: the
// host's "GS" came during the pause after the turn's "OK", before the refill found nothing.
struct NewGameBeforeTheStalemate : StaleTest {
    ScriptedTransport net;
    void SetUp() override {
        StaleTest::SetUp();
        game.SetTransport(&net);
        SmallStalemate();
        game.Turn = TurnPlayer;
        game.NetActive = true;
        game.NetRole = 0;
        game.NetDealt = 1;
        game.NetMsgType = game.NetPrevMsgType = msg::OK;  // the turn's own handshake
    }
};

TEST_F(NewGameBeforeTheStalemate, TheRemotesWaitTakesIt) {
    net.Deliver("GS");
    game.Winsock1_DataArrival(0);
    ASSERT_TRUE(view.Visible(Ctl::Command2, 0));
    const Snapshot before(game);
    // Nothing more comes from the host until NEW is pressed (here: a wait that processed
    // anything would find the connection gone).
    game.Deal_Player();
    EXPECT_TRUE(game.NetActive);
    EXPECT_TRUE(view.boxes.empty());
    EXPECT_EQ(game.TurnAbort, 1);
    EXPECT_EQ(game.Turn, TurnNobody);
    EXPECT_TRUE(Snapshot(game) == before);
    // NEW answers the host's new game.
    game.Command2_Click();
    ASSERT_FALSE(net.sent.empty());
    EXPECT_EQ(net.sent.front(), "GS");
}

// The stalemate's words do not hide the host's new game: the table reads as when the
// "GS" comes during the wait, the NEW button waiting to answer it.
TEST_F(NewGameBeforeTheStalemate, ThePlayerIsStillToldOfTheHostsNewGame) {
    net.Deliver("GS");
    game.Winsock1_DataArrival(0);
    ASSERT_EQ(view.Caption(Ctl::Label9, 2), "Click the NEW button to begin:");
    game.Deal_Player();
    EXPECT_TRUE(Logged("Caption Label9(2)=HOST will decide whether to reshuffle the cards in play or start a new "
                       "game."));
    EXPECT_EQ(view.Caption(Ctl::Label9, 2), "Click the NEW button to begin:");
    EXPECT_EQ(view.Caption(Ctl::Label9, 1), "HOST began a NEW GAME!\r\n");
    EXPECT_EQ(view.Caption(Ctl::Command2, 0), "NEW");
    EXPECT_TRUE(view.Visible(Ctl::Command2, 0));
    for (int i = 1; i <= 10; ++i) EXPECT_FALSE(view.Enabled(Ctl::Picture7, i)) << i;
}

TEST_F(NewGameBeforeTheStalemate, TheTurnsOwnOkIsNotTheHostsDecision) {
    game.incoming = {{msg::GS, ""}};
    const Snapshot before(game);
    game.Deal_Player();
    EXPECT_TRUE(game.incoming.empty());  // the wait went on to the host's real answer
    EXPECT_EQ(game.TurnAbort, 1);
    EXPECT_TRUE(Snapshot(game) == before);
}

// An order the remote cannot follow would have the two tables deal different cards: it is
// refused, at a stalemate's recovery as at a refill, and every card waits in the used pile.
TEST_F(StaleTest, ABadOrderFromTheHostIsRefusedAndLosesNoCard) {
    struct Case {
        const char* where;
        bool stalemate;
    } cases[] = {{"the recovery of a stalemate", true}, {"a refill that emptied the stock", false}};
    ScriptedTransport net;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.where);
        SetUp();
        net = ScriptedTransport();
        game.SetTransport(&net);
        game.Turn = TurnPlayer;
        if (c.stalemate) {
            SmallStalemate();
            game.incoming = {{msg::OK, ""}, {msg::DK, " 1# 1# 1#"}};
        } else {
            PlayerSide({V(7)});
            OppSide({V(8)});
            PlayerHand({V(3, 1), V(4, 1), 0, V(7, 1), V(8, 1)});
            RestTo(true);
            game.incoming = {{msg::DK, " 1# 1# 1#"}};
        }
        game.NetActive = true;
        game.NetRole = 0;
        game.NetTempo = 0.4;  // the player's own tempo, back after the network game
        game.TempoDelay = 0.1;
        game.Deal_Player();
        EXPECT_DOUBLE_EQ(game.TempoDelay, 0.4);
        // The refusal's box, then its offer to save; no "Dealer Error", no stalemate question.
        std::vector<std::string> titles;
        for (const auto& b : view.boxes) titles.push_back(b.title);
        EXPECT_EQ(titles, (std::vector<std::string>{"KorboNET", "Save Game"}));
        EXPECT_TRUE(!view.boxes.empty() && view.boxes[0].text.find("cannot follow") != std::string::npos);
        EXPECT_EQ(net.sent, std::vector<std::string>{"GO"});
        EXPECT_FALSE(game.NetActive);
        EXPECT_EQ(game.TurnAbort, 1);
        EXPECT_EQ(game.Turn, TurnNobody);
        // Nothing was dealt from an order of our own.
        EXPECT_EQ(game.StockTop, 0);
        EXPECT_GT(game.UsedCount, 0);
        EXPECT_EQ(game.PlayerSlots.Value(4), 0);
        EXPECT_EQ(CheckPartition(game), "");
    }
}

TEST_F(StaleTest, TheHostLeavingBeforeTheOrderEndsTheRecovery) {
    SmallStalemate();
    game.Turn = TurnOpponent;
    game.NetActive = true;
    game.NetRole = 0;
    game.incoming = {{msg::OK, ""}};  // then the connection ends
    game.STALEMATE();
    EXPECT_EQ(CheckPartition(game), "");  // the cards wait in the used pile
    EXPECT_EQ(game.TurnAbort, 1);
    EXPECT_EQ(game.Turn, TurnNobody);
    EXPECT_EQ(view.boxes.size(), 2u);
}

TEST_F(StaleTest, AReshuffleListMustHoldTheUsedPilesCards) {
    for (int j = 1; j <= 3; ++j) game.UsedPile[j] = C(V(j));
    game.UsedCount = 3;
    game.StockTop = 3;
    struct Case {
        const char* why;
        std::string list, version;
        bool ok;
    } cases[] = {
        {"values then ids", " 3# 1# 2# 3# 1# 2#", "61", true},
        {"values only from an old host", " 2# 3# 1#", "NG", true},
        {"too short", " 3# 1# 2# 3# 1#", "61", false},
        {"too long", " 3# 1# 2# 3# 1# 2# 2#", "61", false},
        {"not a number", " 3# x# 2# 3# 1# 2#", "61", false},
        {"no closing #", " 3# 1# 2# 3# 1# 2", "61", false},
        {"a card not in the pile", " 3# 1# 2# 3# 14# 2#", "61", false},
        {"a card twice", " 3# 3# 2# 3# 3# 2#", "61", false},
        {"a value that does not go with its id", " 3# 2# 1# 3# 1# 2#", "61", false},
        {"a value out of range", " 3# 0# 2#", "NG", false},
        {"an id out of range", " 3# 1# 2# 3# 1# 200#", "61", false},
        {"empty", "", "61", false},
    };
    for (auto& c : cases) {
        SCOPED_TRACE(c.why);
        for (int i = 1; i <= 3; ++i) game.Deck[i] = {0, 0, 5};
        DeckListResult r = game.DecodeReshuffleList(c.list, c.version);
        EXPECT_EQ(r.ok, c.ok) << r.error;
        if (c.ok) {
            std::set<int> ids;
            for (int i = 1; i <= 3; ++i) ids.insert(game.Deck[i].Id);
            EXPECT_EQ(ids, (std::set<int>{1, 2, 3}));
        } else {
            EXPECT_FALSE(r.error.empty());
            for (int i = 1; i <= 3; ++i) EXPECT_EQ(game.Deck[i].Id, 0);
        }
        for (int i = 1; i <= 3; ++i) EXPECT_EQ(game.Deck[i].Seen, 5);
    }
    // And what the host writes is what the remote reads.
    game.Deck[1] = {2, 2, 0};
    game.Deck[2] = {3, 3, 0};
    game.Deck[3] = {1, 1, 0};
    EXPECT_EQ(game.EncodeReshuffleList(true), " 2# 3# 1# 2# 3# 1#");
    EXPECT_EQ(game.EncodeReshuffleList(false), " 2# 3# 1#");
}

}  // namespace
}  // namespace korbo::test
