// What the table window does with the windows and pictures around it: a deal clears the
// status bar's figures and shows both names, a right press on a pile opens the HOLD viewer
// over that pile, and the background and the avatar follow what the game asks for.
#define QTEST_QPA_MOUSE_HANDLING
#include <QDir>
#include <QLabel>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QtTest>
#include <functional>

#include "display/around_table.h"
#include "display/frmHold.h"
#include "table_fixture.h"

using namespace korbo;
using korbo::test::BoxAnswerer;
using korbo::test::Centre;
using korbo::test::StartTable;
using korbo::ui::frmKorbo;

namespace {

struct Table {
    Table() {
        game().BaseDir = folder.path().toStdString();
        for (const char* sub : {"users", "Avatars", "backgrounds"}) QDir(folder.path()).mkpath(sub);
        t.pauseScale = 0;
        game().SoundLevel = 2;
        game().WalkSteps = 2;
        game().PlayerName = "Ann";
        StartTable(t);
        t.show();
    }
    Game& game() { return t.game(); }
    QString Panel(int p) { return t.StatusPanel(p)->text(); }
    // A deal with the DEAL button. With the seed 7 the player has the first turn; with 6 the
    // computer has, and has played it when the button's click returns.
    static constexpr int kPlayerFirst = 7, kComputerFirst = 6;
    void Deal(int seed = kPlayerFirst) {
        BoxAnswerer boxes(QMessageBox::No);
        t.rnd().Seed(seed);
        QTest::mouseClick(t.Command2().Widget(), Qt::LeftButton);
        QVERIFY(game().TableDealt);
    }

    QTemporaryDir folder;
    frmKorbo t;
};

}  // namespace

class TableAroundTest : public QObject {
    Q_OBJECT
private slots:
    void aDealClearsTheLastGamesFiguresAndShowsBothNames() {
        Table tb;
        QVERIFY(QTest::qWaitForWindowExposed(&tb.t));
        for (int p = 1; p <= 8; ++p) tb.t.SetCaption(Ctl::StatusBar1, p, "last game");
        tb.Deal(Table::kComputerFirst);
        QCOMPARE(tb.Panel(1), QString("Ann:"));
        QCOMPARE(tb.Panel(5), QString("Korbo:"));
        // The player has not played yet; the computer's figures are of this game only.
        for (int p : {2, 3}) QCOMPARE(tb.Panel(p), QString());
        for (int p = 1; p <= 8; ++p) QVERIFY(tb.Panel(p) != "last game");
        // The wild counts are written again at once.
        QCOMPARE(tb.Panel(4), QString("Wild:  0/ 0"));
        QVERIFY(tb.Panel(8).startsWith("Wild: "));
        QCOMPARE(tb.t.StatusPanel(4)->toolTip(), QString("Ann: Side/Hand"));
        QCOMPARE(tb.t.StatusPanel(8)->toolTip(), QString("Korbo: Side/Hand"));
    }

    void aRightPressOnAPileOpensTheViewerOverIt() {
        struct Case {
            const char* what;
            Ctl pics;
            int index;
            Qt::KeyboardModifiers keys;
            std::function<void(Game&)> setUp;
            QString caption;
            std::vector<int> ids;  // card ids of pictures 1..10, 0 empty
        };
        const std::vector<Case> cases = {
            {"player's HOLD pile with 14 hidden", Ctl::Picture7, 8, {},
             [](Game& g) {
                 g.PlayerHoldCount[2] = 14;
                 for (int p = 1; p <= 14; ++p) g.PlayerHold.Set(2, p, {static_cast<int16_t>(p), static_cast<int16_t>(p)});
                 g.PlayerSlots.Set(8, {90, 12});
             },
             "Hold Cards Hidden: 14", {14, 13, 12, 11, 10, 9, 8, 7, 6, 5}},
            {"opponent's HOLD pile holding only its top", Ctl::Picture1, 9, {},
             [](Game& g) {
                 g.OppHoldInfo[3][1] = 1;
                 g.OppSlots.Set(9, {40, 1});
             },
             "Hold Cards Hidden: 0", {0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
            {"opponent's HOLD pile with 3 hidden", Ctl::Picture1, 10, {},
             [](Game& g) {
                 g.OppHoldInfo[4][1] = 4;
                 for (int p = 1; p <= 3; ++p) g.OppHold.Set(4, p, {static_cast<int16_t>(60 + p), 1});
                 g.OppSlots.Set(10, {64, 1});
             },
             "Hold Cards Hidden: 3", {63, 62, 61, 0, 0, 0, 0, 0, 0, 0}},
            {"the stock, with the developer's Ctrl", Ctl::Picture4, 0, Qt::ControlModifier,
             [](Game& g) { g.DevFlag = true; },
             "", {}},
        };
        for (const Case& c : cases) {
            Table tb;
            QVERIFY(QTest::qWaitForWindowExposed(&tb.t));
            tb.Deal();
            Game& g = tb.game();
            g.CardStyle = 2;
            c.setUp(g);
            // A place takes presses only while a card lies there.
            g.EnablePic(Ctl::Picture7, true);
            g.EnablePic(Ctl::Picture1, true);
            ui::Control& pile = c.pics == Ctl::Picture7 ? tb.t.Picture7(c.index)
                                : c.pics == Ctl::Picture1 ? tb.t.Picture1(c.index)
                                                          : tb.t.Picture4(c.index);
            QTest::mousePress(tb.t.centralWidget(), Qt::RightButton, c.keys, Centre(pile));
            QTest::mouseRelease(tb.t.centralWidget(), Qt::RightButton, c.keys, Centre(pile));
            ui::frmHold* v = tb.t.Around().Hold();
            QVERIFY2(v && v->isVisible(), c.what);
            std::vector<int> ids = c.ids;
            QString caption = c.caption;
            if (c.pics == Ctl::Picture4) {
                // The stock hides every card left in it, the top first.
                caption = QString("Stock Cards Hidden: %1").arg(g.StockTop);
                for (int j = g.StockTop; j > g.StockTop - 10; --j) ids.push_back(g.Deck[j].Id);
            }
            QCOMPARE(v->windowTitle(), caption);
            for (int i = 1; i <= 10; ++i) {
                const int id = ids[i - 1];
                const ui::PictureSpec want = id == 0 ? ui::PictureSpec{}
                                                     : ui::PictureSpec{ui::PictureSpec::Kind::NumberFace, 2,
                                                                       ((id - 1) % 13) + 1};
                QVERIFY2(v->Picture8(i)->Picture() == want, qPrintable(QString("%1, picture %2").arg(c.what).arg(i)));
                QCOMPARE(int(g.HoldView[i]), id);
            }
        }
    }
};

QTEST_MAIN(TableAroundTest)
#include "test_table_around.moc"
