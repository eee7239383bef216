// What the table window does with the windows and pictures around it: a deal clears the
// status bar's figures and shows both names, a right press on a pile opens the HOLD viewer
// over that pile, and the background and the avatar follow what the game asks for.
#define QTEST_QPA_MOUSE_HANDLING
#include <QAction>
#include <QDir>
#include <QMessageBox>
#include <QTimer>
#include <QLabel>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QtTest>
#include <functional>

#include "dialogs/frmCounter.h"
#include "dialogs/frmCustom.h"
#include "dialogs/frmSave.h"
#include "dialogs/frmScores.h"
#include "dialogs/frmScoresNet.h"
#include "display/around_table.h"
#include "display/frmHold.h"
#include "fake_table.h"
#include "platform/flex_grid.h"
#include "table_fixture.h"

using namespace korbo;
using korbo::test::BoxAnswerer;
using korbo::test::Centre;
using korbo::test::StartTable;
using korbo::test::ScriptedDialog;
using korbo::ui::frmKorbo;

namespace {

// Handles each window that comes up modal while it lives: `handle` is given the window and
// ends it; a message box is answered with OK and noted.
class ModalHandler : public QObject {
public:
    explicit ModalHandler(std::function<void(QWidget*)> handle) : handle_(std::move(handle)) {
        QObject::connect(&timer_, &QTimer::timeout, this, [this] {
            QWidget* w = QApplication::activeModalWidget();
            if (!w || w->property("handled").toBool()) return;
            w->setProperty("handled", true);
            titles << w->windowTitle();
            if (auto* box = qobject_cast<QMessageBox*>(w)) {
                texts << box->text();
                box->button(QMessageBox::Ok) ? box->button(QMessageBox::Ok)->click() : box->buttons().value(0)->click();
                return;
            }
            handle_(w);
        });
        timer_.start(5);
    }
    QStringList titles, texts;

private:
    std::function<void(QWidget*)> handle_;
    QTimer timer_;
};

void Close(QWidget* w) {
    if (auto* d = qobject_cast<QDialog*>(w)) d->reject();
}

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
    std::string Path(const std::string& rel) { return game().BaseDir + "/" + rel; }
    // The score file with the computer's totals in record 1.
    void WriteScoreFile(int played, int won, int margin) {
        korbo::test::Bytes bytes = korbo::test::ScoreBytes("", played, won, margin, 0);
        for (int n = 2; n <= 18; ++n) {
            const korbo::test::Bytes blank = korbo::test::ScoreBytes("", 0, 0, 0, 0);
            bytes.insert(bytes.end(), blank.begin(), blank.end());
        }
        korbo::test::WriteBytes(Path("score.ran"), bytes);
    }
    void Trigger(const char* item) {
        QAction* a = t.MenuItem(item);
        QVERIFY2(a && a->isEnabled(), item);
        a->trigger();
    }
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

    void eachItemOpensItsWindow() {
        struct Case {
            const char* item;
            const char* title;
        };
        const Case modal[] = {{"Score", "Scores"},
                              {"Stats", "Player Statistics"},
                              {"OptionStuff", "Preferences"},
                              {"CdCount", "Card Counter"}};
        for (const Case& c : modal) {
            Table tb;
            tb.WriteScoreFile(5, 3, 7);
            tb.Deal();
            QString board;
            ModalHandler handler([&](QWidget* w) {
                if (auto* s = qobject_cast<ui::frmScores*>(w))
                    board = QString::fromStdString(s->GridScores()->TextMatrix(1, 0) + "/" +
                                                   s->GridScores()->TextMatrix(1, 1) + "/" +
                                                   s->GridScores()->TextMatrix(1, 4));
                Close(w);
            });
            tb.Trigger(c.item);
            QCOMPARE(handler.titles, QStringList({c.title}));
            if (QString(c.item) == "Score") QCOMPARE(board, QString("Korbo/5/7"));
        }
        // The comment editor stays beside the table.
        Table tb;
        tb.Trigger("Prefs");
        QWidget* editor = tb.t.Around().Custom();
        QVERIFY(editor && editor->isVisible());
        QCOMPARE(editor->windowTitle(), QString("Custom Comments"));
        QVERIFY(!editor->isModal());
        editor->close();
    }

    // The network scores: a box while no player has a file, else the list of the files.
    void theNetworkScoresItemOpensTheList() {
        {
            Table tb;
            ModalHandler handler(Close);
            tb.Trigger("NetScore");
            QTRY_COMPARE(handler.texts, QStringList({"No KorboNET scores yet to display!"}));
        }
        Table tb;
        korbo::test::WriteBytes(tb.Path("users/Ann.ran"),
                                korbo::test::Records({korbo::test::ScoreBytes("Ann", 1, 1, 7, 2),
                                                      korbo::test::ScoreBytes("Bea", 1, 1, 7, 2)}));
        QString shown;
        ModalHandler handler([&](QWidget* w) {
            if (auto* s = qobject_cast<ui::frmScoresNet*>(w))
                shown = s->Label1()->text() + "/" + QString::fromStdString(s->GridNET()->TextMatrix(1, 0));
            Close(w);
        });
        tb.Trigger("NetScore");
        QCOMPARE(handler.titles, QStringList({"KorboNET Scores"}));
        QCOMPARE(shown, QString("KorboNET Player: Ann/Bea"));
    }

    void theCounterCountsTheDealAndRefusesAfterARestore() {
        Table tb;
        QVERIFY(QTest::qWaitForWindowExposed(&tb.t));
        tb.Deal();
        Game& g = tb.game();
        QString grid;
        ModalHandler handler([&](QWidget* w) {
            if (auto* c = qobject_cast<ui::frmCounter*>(w)) {
                grid = c->LblGrid()->text();
                QTest::keyClick(c, Qt::Key_F8);
            } else if (auto* s = qobject_cast<ui::frmSave*>(w)) {
                s->Text1_Click(1);
                s->cmdSave_Click();
            } else {
                Close(w);
            }
        });
        tb.Trigger("CdCount");
        QCOMPARE(grid.count(" 1 "), 12);
        QCOMPARE(grid.count("_"), 92);
        QVERIFY(g.HelpUsed);
        // Saved into slot 1 and restored from it: the tallies are not in the file.
        tb.Trigger("SaveIt");
        tb.Trigger("Restore");
        QVERIFY(g.CountLost);
        grid.clear();
        handler.texts.clear();
        tb.Trigger("CdCount");
        QVERIFY(grid.isEmpty());
        QCOMPARE(handler.texts, QStringList({"Sorry, I lost count when you restored the game!"}));
        QCOMPARE(handler.titles.last(), QString("Memory Failure"));
    }

    void theStatusBarAndTheAvatarFollowTheirItems() {
        Table tb;
        QVERIFY(QTest::qWaitForWindowExposed(&tb.t));
        tb.Deal();
        Game& g = tb.game();
        g.PlayerWildPlayed = 2;
        for (int shown : {1, 0, 1}) {
            tb.Trigger("WildStats");
            QCOMPARE(tb.t.MenuItem("WildStats")->isChecked(), bool(shown));
            QCOMPARE(tb.t.StatusBar1()->isVisible(), bool(shown));
            QCOMPARE(tb.Panel(4), QString("Wild:  0/ 2"));  // written again each time
        }
        tb.t.CheckMenu(Menu::Avatar, true);
        tb.t.ImgAvatar().SetVisible(true);
        for (int shown : {0, 1, 0}) {
            tb.Trigger("Avatar");
            QCOMPARE(tb.t.MenuItem("Avatar")->isChecked(), bool(shown));
            QCOMPARE(tb.t.ImgAvatar().Visible(), bool(shown));
        }
    }

    void theBackgroundItemsStepAndAddPictures() {
        Table tb;
        QVERIFY(QTest::qWaitForWindowExposed(&tb.t));
        Game& g = tb.game();
        const QImage tile = korbo::test::DistinctImage(30, 20);
        QVERIFY(tile.save(QString::fromStdString(tb.Path("backgrounds/TILE_one.bmp")), "BMP"));
        QVERIFY(korbo::test::DistinctImage(4, 4).save(QString::fromStdString(tb.Path("backgrounds/wide.bmp")), "BMP"));
        QDir(tb.folder.path()).mkpath("mine");
        QVERIFY(korbo::test::DistinctImage(9, 9).save(QString::fromStdString(tb.Path("mine/added.bmp")), "BMP"));
        tb.t.Around().ReadBacks();
        g.MatColor = 0x204060;
        auto d = std::make_unique<ScriptedDialog>();
        ScriptedDialog* dialog = d.get();
        tb.t.Around().SetCommonDialog(std::move(d));
        ModalHandler handler(Close);
        const QWidget* surface = tb.t.centralWidget();
        // The help box first, while no background was ever chosen; then tiled, stretched, the mat.
        struct Step {
            int index;
            bool tiled, mat;
        };
        for (const Step& s : {Step{1, true, false}, Step{2, false, false}, Step{3, false, true}, Step{1, true, false}}) {
            tb.Trigger("ChgColor");
            QCOMPARE(int(g.BackIndex), s.index);
            QCOMPARE(g.BackChoice, g.BackIndex);
            const QImage painted = tb.t.Around().Painted().toImage();
            QCOMPARE(painted.isNull(), s.mat);
            if (s.mat) {
                QCOMPARE(surface->palette().color(QPalette::Window), QColor(0x60, 0x40, 0x20));
                QVERIFY(surface->palette().brush(QPalette::Window).texture().isNull());
            } else {
                QCOMPARE(painted.size(), surface->size());
                QCOMPARE(painted.copy(30, 20, 30, 20) == tile, s.tiled);
            }
        }
        QCOMPARE(handler.titles, QStringList({"Korbo Backgrounds"}));
        // The table's keys: Up steps back, from the first picture to the mat; Down and Space
        // step on.
        QTest::keyClick(&tb.t, Qt::Key_Up);
        QCOMPARE(int(g.BackIndex), 3);
        QVERIFY(tb.t.Around().Painted().isNull());
        QTest::keyClick(&tb.t, Qt::Key_Down);
        QCOMPARE(int(g.BackIndex), 1);
        QTest::keyClick(&tb.t, Qt::Key_Space);
        QCOMPARE(int(g.BackIndex), 2);
        tb.t.backgrounds(38);
        QCOMPARE(int(g.BackIndex), 1);
        // The background window holds the picture as it was loaded.
        tb.t.ShowBackgroundWindow();
        auto* back = qobject_cast<QLabel*>(tb.t.Around().BackgroundWindow());
        QVERIFY(back && back->isVisible());
        QCOMPARE(back->pixmap().toImage().convertToFormat(QImage::Format_RGB32), tile);
        // Added through the menu: copied into the folder and shown.
        dialog->files.push_back(tb.Path("mine/added.bmp"));
        tb.Trigger("mnuOpAddBackground");
        QVERIFY(QFile::exists(QString::fromStdString(tb.Path("backgrounds/added.bmp"))));
        QCOMPARE(g.BackList[g.BackIndex], std::string("added.bmp"));
        QVERIFY(!tb.t.Around().Painted().isNull());
    }
};

QTEST_MAIN(TableAroundTest)
#include "test_table_around.moc"
