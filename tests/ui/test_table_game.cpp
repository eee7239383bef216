// A whole game against the computer, played through the window with the mouse: legal
// cards are dragged onto the centre piles, a hand card is dropped on a HOLD pile to end
// each turn, and the computer answers until one pay-off pile is empty.
#define QTEST_QPA_MOUSE_HANDLING
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include "table_fixture.h"

using namespace korbo;
using korbo::test::BoxAnswerer;
using korbo::test::Centre;
using korbo::test::Photograph;
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

}  // namespace

class TableGame : public QObject {
    Q_OBJECT
private slots:
    void aWholeGameWithTheMouse() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        frmKorbo t;
        t.pauseScale = 0;
        Game& g = t.game();
        g.BaseDir = dir.path().toStdString();
        g.PlayerName = "Ann";
        StartTable(t);
        t.show();
        QVERIFY(QTest::qWaitForWindowExposed(&t));
        g.SoundLevel = 2;
        g.WalkSteps = 2;
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
};

QTEST_MAIN(TableGame)
#include "test_table_game.moc"
