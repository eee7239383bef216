// A whole game against the computer, played through the window with the mouse: legal
// cards are dragged onto the centre piles, a hand card is dropped on a HOLD pile to end
// each turn, and the computer answers until one pay-off pile is empty.
#define QTEST_QPA_MOUSE_HANDLING
#include <QDialog>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include "table_fixture.h"

using namespace korbo;
using korbo::test::BoxAnswerer;
using korbo::test::Centre;
using korbo::test::Photograph;
using korbo::test::PlayerTable;
using korbo::test::StartTable;
using korbo::ui::frmKorbo;

namespace {

bool Fits(const Game& g, int value, int pile) {
    const int count = g.CenterCount[pile];
    if (value == 0 || count >= 12) return false;
    if (value == 13) return !(count == 0 && g.NoWildAce);
    return value == count + 1;
}

// Cards on the computer's HOLD piles: every turn of a computer that plays ends with a
// discard there.
int OppHeld(const Game& g) {
    int n = 0;
    for (int p = 1; p <= 4; ++p) n += g.OppHoldInfo[p][1] + (g.OppSlots.Value(p + 6) != 0 ? 1 : 0);
    return n;
}
bool ComputerPlays(const Game& g) { return OppHeld(g) > 0; }

CardRec Card(int id) { return {static_cast<int16_t>(id), static_cast<int16_t>((id - 1) % 13 + 1)}; }

// Closes the next modal windows that open while it lives (the player's welcome at a new
// deal among them), as a confirmed choice.
class ModalCloser : public QObject {
public:
    ModalCloser() {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, this, [] {
            if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget())) d->done(QDialog::Accepted);
        });
        timer_.start();
    }

private:
    QTimer timer_;
};

// A table on which the computer's next turn plays the only card of two of its HOLD piles
// (an Ace and a Two, before its pay-off Three): its discard can fill one of them at most.
void SetUpEmptyingTurn(Game& g) {
    g.ClearBoard();
    g.OppSide.Set(1, Card(10));
    g.OppSide.Set(2, Card(3));
    g.OppSideCount = 2;
    g.OppSlots.Set(1, Card(3));
    const int holdTops[] = {0, 1, 2, 9, 8};
    for (int k = 1; k <= 4; ++k) {
        g.OppHold.Set(k, 1, Card(holdTops[k]));
        g.OppHoldInfo[k][HoldCount] = 1;
        g.OppSlots.Set(k + 6, Card(holdTops[k]));
    }
    const int oppHand[] = {11, 12, 23, 24, 25};
    for (int h = 2; h <= 6; ++h) g.OppSlots.Set(h, Card(oppHand[h - 2]));
    g.PlayerSide.Set(1, Card(20));
    g.PlayerSide.Set(2, Card(21));
    g.PlayerSideCount = 2;
    g.PlayerSlots.Set(1, Card(21));
    g.PlayerSlots.Set(2, Card(18));
    g.PlayerSlots.Set(3, Card(19));
    g.HandCount = 2;
    int top = 0;
    for (int id = 30; id <= 60; ++id) {
        ++top;
        g.Deck[top].Id = Card(id).Id;
        g.Deck[top].Value = Card(id).Value;
    }
    g.StockTop = static_cast<int16_t>(top);
    g.Turn = TurnPlayer;
    g.TableDealt = true;
    g.Redraw();
    g.EnablePic(Ctl::Picture7, true);
}

}  // namespace

class TableGame : public QObject {
    Q_OBJECT
private slots:
    void aWholeGameWithTheMouse() {
        PlayerTable table;
        QVERIFY(table.dir.isValid());
        frmKorbo& t = table.t;
        Game& g = table.g;
        t.rnd().Seed(99);
        BoxAnswerer boxes(QMessageBox::No);
        QWidget* surface = t.centralWidget();
        auto drag = [&](ui::Control& from, ui::Control& to) {
            const QPoint start = Centre(from), end = Centre(to);
            QTest::mousePress(surface, Qt::LeftButton, {}, start);
            QTest::mouseMove(surface, (start + end) / 2);
            QTest::mouseMove(surface, end);
            QTest::mouseRelease(surface, Qt::LeftButton, {}, end);
        };

        QTest::mouseClick(t.Command2().Widget(), Qt::LeftButton);
        QVERIFY(g.TableDealt);
        int plays = 0, discards = 0;
        for (int step = 0; step < 4000; ++step) {
            if (g.PlayerSideCount == 0 || g.OppSideCount == 0 || g.Turn == TurnNobody) break;
            if (g.Turn == TurnOpponent) {
                // Still the computer's turn after the deal: a computer that plays has
                // always moved on by now.
                QVERIFY(step == 0);
                if (!ComputerPlays(g)) QSKIP("this build's computer opponent does not play");
                QFAIL("the computer kept the turn after the deal");
            }
            bool played = false;
            for (int slot : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}) {
                for (int pile = 1; pile <= 3 && !played; ++pile) {
                    if (!Fits(g, g.PlayerSlots.Value(slot), pile)) continue;
                    const int before = g.CenterCount[pile];
                    drag(t.Picture7(slot), t.Picture4(pile));
                    played = g.CenterCount[pile] != before || g.Turn != TurnPlayer;
                    QVERIFY2(played, "a legal card dragged onto its pile was not played");
                }
                if (played) break;
            }
            if (played) {
                ++plays;
                continue;
            }
            // Nothing fits: discard the first hand card onto a HOLD pile with room.
            int from = 0, onto = 0;
            for (int s = 2; s <= 6 && !from; ++s)
                if (g.PlayerSlots.Value(s) != 0) from = s;
            for (int h = 7; h <= 10 && !onto; ++h)
                if (g.PlayerHoldCount[h - 6] < 29) onto = h;
            QVERIFY(from != 0 && onto != 0);
            const int heldBefore = OppHeld(g);
            drag(t.Picture7(from), t.Picture7(onto));
            ++discards;
            if (discards == 6) Photograph("table-game-turn6.png");
            if (g.Turn == TurnOpponent && OppHeld(g) == heldBefore)
                QSKIP("this build's computer opponent does not play");
            QVERIFY2(g.Turn != TurnOpponent, "the computer's turn did not hand the play back");
        }
        QVERIFY2(g.PlayerSideCount == 0 || g.OppSideCount == 0 || g.Turn == TurnNobody,
                 qPrintable(QString("no end after %1 plays and %2 discards").arg(plays).arg(discards)));
        Photograph("table-game-end.png");
        QVERIFY(plays > 10);
        QVERIFY(discards > 3);
        QVERIFY(CheckPartition(g).empty());
    }

    // The computer plays the last card of a HOLD pile: the place stays on the table as an
    // empty pile, as the player's does, and the next deal shows every place again.
    void anEmptiedHoldPileOfTheComputerStaysOnTheTable() {
        PlayerTable table;
        QVERIFY(table.dir.isValid());
        frmKorbo& t = table.t;
        Game& g = table.g;
        g.NoComments = true;
        t.rnd().Seed(7);
        BoxAnswerer boxes(QMessageBox::No);
        SetUpEmptyingTurn(g);

        // The player's discard hands the turn to the computer.
        QWidget* surface = t.centralWidget();
        const QPoint start = Centre(t.Picture7(2)), end = Centre(t.Picture7(8));
        QTest::mousePress(surface, Qt::LeftButton, {}, start);
        QTest::mouseMove(surface, (start + end) / 2);
        QTest::mouseMove(surface, end);
        QTest::mouseRelease(surface, Qt::LeftButton, {}, end);
        QCOMPARE(int(g.Turn), int(TurnPlayer));
        QCOMPARE(g.CenterCount[1] + g.CenterCount[2] + g.CenterCount[3], 3);
        int emptied = 0;
        for (int k = 7; k <= 10; ++k) {
            const QString place = QStringLiteral("Picture1(%1)").arg(k);
            QVERIFY2(t.Picture1(k).Visible(), qPrintable(place + " is gone from the table"));
            if (g.OppSlots.Value(k) != 0) continue;
            ++emptied;
            QCOMPARE(t.Box(Ctl::Picture1, k).Picture(), ui::PictureSpec{});
            QCOMPARE(t.Box(Ctl::Picture1, k).LibraryCard(), 0);
            QCOMPARE(t.Box(Ctl::Picture1, k).BackColor(), kEmptyPlaceColor);
        }
        QVERIFY2(emptied >= 1, "the computer's turn left no HOLD pile empty");
        // Hand places emptied by a play or by the discard are off the table, as the player's.
        for (int h = 2; h <= 6; ++h)
            if (g.OppSlots.Value(h) == 0)
                QVERIFY2(!t.Picture1(h).Visible(), qPrintable(QStringLiteral("Picture1(%1) shows no card").arg(h)));
        Photograph("table-hold-emptied.png");

        // Game > New: every place of the new deal is on the table.
        {
            ModalCloser welcome;
            t.NewGame()->trigger();
        }
        QVERIFY(g.TableDealt);
        for (int k = 7; k <= 10; ++k) {
            QVERIFY2(t.Picture1(k).Visible(), qPrintable(QStringLiteral("Picture1(%1) after the deal").arg(k)));
            QVERIFY2(t.Picture7(k).Visible(), qPrintable(QStringLiteral("Picture7(%1) after the deal").arg(k)));
        }
        Photograph("table-hold-next-deal.png");
    }
};

QTEST_MAIN(TableGame)
#include "test_table_game.moc"
