// The player's moves through the real window: mouse presses, drags and releases on the
// card pictures reach the game, and what the game decides shows on the table.
// Mouse events go through the window system layer, as a real pointer's do: to the
// widget under the pointer, with the implicit grab of a pressed button.
#define QTEST_QPA_MOUSE_HANDLING
#include <QtTest>

#include "table_fixture.h"

using namespace korbo;
using korbo::test::Centre;
using korbo::test::StartTable;
using korbo::ui::frmKorbo;

namespace {

// The computer's turn as a spy: it notes that it ran and hands the turn back.
class SpyGame : public Game {
public:
    using Game::Game;
    int computerTurns = 0;
    void Computer() override {
        ++computerTurns;
        Turn = TurnPlayer;
    }
};

struct Table {
    frmKorbo t{nullptr, [](TableView& v, Random& r, Clock& c) { return std::make_unique<SpyGame>(v, r, c); }};
    Game& g = t.game();
    SpyGame& spy = static_cast<SpyGame&>(t.game());

    Table() {
        t.pauseScale = 0;
        StartTable(t);
        t.show();
        (void)QTest::qWaitForWindowExposed(&t);
        g.SoundLevel = 2;
        g.WalkSteps = 45;
        g.ClearBoard();
        // A small table: two cards on each pay-off pile, an Ace and a Five in hand.
        g.PlayerSide.Set(1, {20, 7});
        g.PlayerSide.Set(2, {21, 8});
        g.PlayerSideCount = 2;
        g.PlayerSlots.Set(1, g.PlayerSide.Get(2));
        g.OppSide.Set(1, {30, 4});
        g.OppSide.Set(2, {31, 5});
        g.OppSideCount = 2;
        g.OppSlots.Set(1, g.OppSide.Get(2));
        g.PlayerSlots.Set(2, {1, 1});
        g.PlayerSlots.Set(3, {5, 5});
        g.OppSlots.Set(2, {40, 1});
        g.HandCount = 2;
        g.StockTop = 10;
        g.Turn = TurnPlayer;
        g.TableDealt = true;
        t.Redraw();
        g.EnablePic(Ctl::Picture7, true);
    }

    QWidget* Surface() { return t.centralWidget(); }

    // Presses on a card picture, moves the pointer there in a few steps, releases.
    void Drag(ui::Control& from, QPoint to) {
        const QPoint start = Centre(from);
        QTest::mousePress(Surface(), Qt::LeftButton, {}, start);
        for (int s = 1; s <= 5; ++s) QTest::mouseMove(Surface(), start + (to - start) * s / 5);
        QTest::mouseRelease(Surface(), Qt::LeftButton, {}, to);
    }
};

}  // namespace

class TableMoves : public QObject {
    Q_OBJECT
private slots:
    void aDragOntoACentrePilePlaysTheCard() {
        Table tb;
        const QPoint home = tb.t.Picture7(2).Widget()->pos();
        tb.Drag(tb.t.Picture7(2), Centre(tb.t.Picture4(1)));
        QCOMPARE(tb.g.CenterCount[1], 1);
        QCOMPARE(tb.g.Center[1][1].Id, 1);
        QCOMPARE(tb.g.PlayerSlots.Value(2), 0);
        // The place is emptied and its picture put back home, hidden.
        QVERIFY(!tb.t.Picture7(2).Visible());
        QCOMPARE(tb.t.Picture7(2).Widget()->pos(), home);
        // The pile shows the Ace in the current number style.
        const ui::PictureSpec ace{ui::PictureSpec::Kind::NumberFace, tb.g.CardStyle, 1};
        QCOMPARE(tb.t.Box(Ctl::Picture4, 1).Picture(), ace);
        QCOMPARE(tb.spy.computerTurns, 0);
    }

    void aRefusedDropSlidesBackHome() {
        Table tb;
        const QPoint home = tb.t.Picture7(3).Widget()->pos();
        const long framesBefore = tb.t.FramesShown();
        tb.Drag(tb.t.Picture7(3), Centre(tb.t.Picture4(2)));
        QCOMPARE(tb.g.CenterCount[2], 0);
        QCOMPARE(tb.g.PlayerSlots.Value(3), 5);
        QVERIFY(tb.t.Picture7(3).Visible());
        QCOMPARE(tb.t.Picture7(3).Widget()->pos(), home);
        QVERIFY(QString::fromStdString(tb.t.Caption(Ctl::Label9, 1)).contains("Don't try to Cheat!"));
        // The way home is shown frame by frame, not in one jump.
        QVERIFY(tb.t.FramesShown() - framesBefore >= 3);
    }

    // A double-click on another card while the refused one slides home: the slide's frames
    // dispatch it, and it must not take over the sliding picture or play the other card.
    void aDoubleClickWhileACardSlidesHomeIsDropped() {
        Table tb;
        const QPoint home3 = tb.t.Picture7(3).Widget()->pos();
        const QPoint home2 = tb.t.Picture7(2).Widget()->pos();
        const QPoint start = Centre(tb.t.Picture7(3)), to = Centre(tb.t.Picture4(2));
        QTest::mousePress(tb.Surface(), Qt::LeftButton, {}, start);
        for (int s = 1; s <= 5; ++s) QTest::mouseMove(tb.Surface(), start + (to - start) * s / 5);
        bool clicked = false;
        QTimer::singleShot(0, tb.Surface(), [&] {
            QTest::mouseDClick(tb.Surface(), Qt::LeftButton, {}, home2 + QPoint(5, 5));
            clicked = true;
        });
        QTest::mouseRelease(tb.Surface(), Qt::LeftButton, {}, to);  // a Five on an empty pile
        QVERIFY(clicked);
        QCOMPARE(tb.t.Picture7(3).Widget()->pos(), home3);
        QCOMPARE(tb.t.Picture7(2).Widget()->pos(), home2);
        QVERIFY(tb.t.Picture7(2).Visible());
        QVERIFY(tb.t.Picture7(3).Visible());
        QCOMPARE(tb.g.CenterCount[2], 0);
        QCOMPARE(tb.g.PlayerSlots.Value(2), 1);
        QCOMPARE(tb.g.PlayerSlots.Value(3), 5);
        QCOMPARE(tb.g.Dragging, 0);
        // Home again, the cards answer: the Ace is played.
        QTest::mouseDClick(tb.Surface(), Qt::LeftButton, {}, Centre(tb.t.Picture7(2)));
        QCOMPARE(tb.g.CenterCount[1] + tb.g.CenterCount[2] + tb.g.CenterCount[3], 1);
        QCOMPARE(tb.g.PlayerSlots.Value(2), 0);
        QCOMPARE(tb.t.Picture7(3).Widget()->pos(), home3);
    }

    void aDropBesideEveryPileSlidesBackToo() {
        Table tb;
        const QPoint home = tb.t.Picture7(2).Widget()->pos();
        // Far to the right of the hand, on no pile.
        tb.Drag(tb.t.Picture7(2), QPoint(tb.t.centralWidget()->width() - 10, Centre(tb.t.Picture7(2)).y()));
        QCOMPARE(tb.g.PlayerSlots.Value(2), 1);
        QCOMPARE(tb.t.Picture7(2).Widget()->pos(), home);
        QCOMPARE(tb.g.CenterCount[1] + tb.g.CenterCount[2] + tb.g.CenterCount[3], 0);
    }

    void theComputersTurnRunsAfterADiscard() {
        Table tb;
        tb.Drag(tb.t.Picture7(3), Centre(tb.t.Picture7(8)));
        QCOMPARE(tb.g.PlayerSlots.Value(8), 5);
        QCOMPARE(tb.g.PlayerSlots.Value(3), 0);
        QCOMPARE(tb.spy.computerTurns, 1);
        // The discarded card shows on the HOLD pile.
        const ui::PictureSpec five{ui::PictureSpec::Kind::NumberFace, tb.g.CardStyle, 5};
        QCOMPARE(tb.t.Box(Ctl::Picture7, 8).Picture(), five);
    }

    void aDoubleClickWalksTheCardToItsPile() {
        Table tb;
        const long framesBefore = tb.t.FramesShown();
        QTest::mouseDClick(tb.Surface(), Qt::LeftButton, {}, Centre(tb.t.Picture7(2)));
        QCOMPARE(tb.g.CenterCount[1], 1);
        QCOMPARE(tb.g.PlayerSlots.Value(2), 0);
        // A walk of 45 steps stops half a card short of the pile: some 38 frames here.
        const long frames = tb.t.FramesShown() - framesBefore;
        QVERIFY2(frames >= 30 && frames <= 46, qPrintable(QString::number(frames)));
    }

    void aShortWalkIsAFlick() {
        Table tb;
        tb.g.WalkSteps = 2;
        const long framesBefore = tb.t.FramesShown();
        QTest::mouseDClick(tb.Surface(), Qt::LeftButton, {}, Centre(tb.t.Picture7(2)));
        QCOMPARE(tb.g.CenterCount[1], 1);
        QVERIFY(tb.t.FramesShown() - framesBefore <= 2);
    }

    // A King is never played for the player: the message line loses the old text and shows
    // the persona's remark (empty while no comment lines are loaded), with or without them.
    void aDoubleClickedKingClearsTheMessageForTheRemark() {
        const struct {
            const char* first;
            const char* second;
            const char* shown;
        } cases[] = {{"", "", " "}, {"Kings are wild,", "you choose.", "Kings are wild, you choose."}};
        for (const auto& c : cases) {
            Table tb;
            tb.g.Comments[34] = c.first;
            tb.g.Comments[35] = c.second;
            tb.g.PlayerSlots.Set(3, {13, 13});
            tb.t.Redraw();
            tb.t.SetCaption(Ctl::Label9, 1, "\r\n\r\n     It's your turn...");
            QTest::mouseDClick(tb.Surface(), Qt::LeftButton, {}, Centre(tb.t.Picture7(3)));
            QCOMPARE(QString::fromStdString(tb.t.Caption(Ctl::Label9, 1)), QString(c.shown));
            auto* line = qobject_cast<QLabel*>(tb.t.Label9(1).Widget());
            QVERIFY(line);
            QCOMPARE(line->text(), QString(c.shown));
            QCOMPARE(tb.g.PlayerSlots.Value(3), 13);
            QCOMPARE(tb.g.CenterCount[1] + tb.g.CenterCount[2] + tb.g.CenterCount[3], 0);
        }
    }

    void theOpponentsCardsAreDeadToTheLeftButton() {
        Table tb;
        QTest::mousePress(tb.Surface(), Qt::LeftButton, {}, Centre(tb.t.Picture1(2)));
        QTest::mouseRelease(tb.Surface(), Qt::LeftButton, {}, Centre(tb.t.Picture4(1)));
        QCOMPARE(tb.g.CenterCount[1], 0);
        QCOMPARE(tb.g.OppSlots.Value(2), 1);
    }

    void aRightClickOnThePayOffPileTellsItsCount() {
        Table tb;
        QTest::mouseClick(tb.Surface(), Qt::RightButton, {}, Centre(tb.t.Picture1(1)));
        QCOMPARE(QString::fromStdString(tb.t.Caption(Ctl::Label9, 1)), QString("Korbo SIDE :  2"));
    }
};

QTEST_MAIN(TableMoves)
#include "test_table_moves.moc"
