// The table's menu commands with their windows, driven as the player drives them: a game
// saved from the Game menu and restored from it, the house rules applied from the Options
// menu, and the sound level.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <functional>

#include "dialogs/frmPlayers.h"
#include "dialogs/frmRules.h"
#include "dialogs/frmSave.h"
#include "controls/web_page.h"
#include "display/frmSpeed.h"
#include "platform/help_viewer.h"
#include <QScrollBar>
#include "table_fixture.h"

using namespace korbo;
using korbo::test::StartTable;
using korbo::ui::frmKorbo;

namespace {

// Answers the modal windows that open while it lives: each window is handed to `act`,
// which does what the player would; message boxes are noted and answered with OK.
class ModalDriver : public QObject {
public:
    std::function<void(QWidget*)> act;
    QStringList boxes;
    // The button that answers a box that has it; OK (or Yes) otherwise.
    QMessageBox::StandardButton answer = QMessageBox::Ok;
    ModalDriver() {
        QObject::connect(&timer_, &QTimer::timeout, this, [this] {
            QWidget* w = QApplication::activeModalWidget();
            if (!w || w->property("driven").toBool()) return;
            w->setProperty("driven", true);
            if (auto* box = qobject_cast<QMessageBox*>(w)) {
                boxes << box->text();
                QAbstractButton* b = box->button(answer);
                if (!b) b = box->button(QMessageBox::Ok);
                if (!b) b = box->button(QMessageBox::Yes);
                if (b) QTimer::singleShot(0, b, &QAbstractButton::click);
                return;
            }
            // Acted on outside the poll: a window that opens another waits in its own loop,
            // and the poll must run again to answer that one.
            QTimer::singleShot(0, this, [this, w = QPointer<QWidget>(w)] {
                if (w && act) act(w);
            });
        });
        timer_.start(5);
    }

private:
    QTimer timer_;
};

// A table laid out for play with its files in `dir`, silent and with short card walks.
void StartQuietTable(frmKorbo& t, const QTemporaryDir& dir) {
    t.pauseScale = 0;
    Game& g = t.game();
    g.BaseDir = dir.path().toStdString();
    g.SoundLevel = 2;
    g.WalkSteps = 2;
    StartTable(t);
}

void Slot(ui::frmSave* d, int slot) { QTest::mouseClick(d->Text1(slot), Qt::LeftButton, {}, QPoint(5, 5)); }

// The parts of the table a save keeps, side by side.
QString Table(const Game& g) {
    QString s;
    for (int16_t c : g.PlayerSlots.cells) s += QString::number(c) + ",";
    s += "|";
    for (int16_t c : g.OppSlots.cells) s += QString::number(c) + ",";
    s += "|";
    for (int p = 1; p <= 3; ++p) s += QString::number(g.CenterCount[p]) + ",";
    s += "|" + QString::number(g.PlayerSideCount) + "," + QString::number(g.OppSideCount) + "," +
         QString::number(g.Turn);
    return s;
}

}  // namespace

class TableCommands : public QObject {
    Q_OBJECT
private slots:
    void aGameSavedFromTheMenuIsRestoredFromIt() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        frmKorbo t;
        t.pauseScale = 0;
        Game& g = t.game();
        g.BaseDir = dir.path().toStdString();
        g.PlayerName = "Ann";
        g.SoundLevel = 2;
        g.WalkSteps = 2;
        StartTable(t);
        t.show();
        QVERIFY(QTest::qWaitForWindowExposed(&t));
        ModalDriver driver;
        t.rnd().Seed(7);
        QTest::mouseClick(t.Command2().Widget(), Qt::LeftButton);
        QVERIFY(g.TableDealt);
        QCOMPARE(g.Turn, int16_t(TurnPlayer));
        const QString saved = Table(g);

        driver.act = [](QWidget* w) {
            auto* d = qobject_cast<ui::frmSave*>(w);
            QVERIFY(d);
            Slot(d, 3);
            d->Text1(3)->setText("before lunch");
            d->cmdSave()->click();
        };
        t.MenuItem("SaveIt")->trigger();
        QVERIFY(QFile::exists(dir.filePath("games.sav")));

        // Another deal changes the table; the player window that comes with it is confirmed.
        driver.act = [](QWidget* w) {
            if (auto* play = w->findChild<QPushButton*>("Command1")) play->click();
        };
        t.rnd().Seed(8);
        t.MenuItem("NewGame")->trigger();
        if (t.Command2().Visible()) QTest::mouseClick(t.Command2().Widget(), Qt::LeftButton);
        QVERIFY(Table(g) != saved);

        QString offered;
        driver.act = [&offered](QWidget* w) {
            auto* d = qobject_cast<ui::frmSave*>(w);
            QVERIFY(d);
            offered = d->Text1(3)->text();
            Slot(d, 3);
            d->cmdSave()->click();
        };
        t.MenuItem("Restore")->trigger();
        QCOMPARE(offered, QString("before lunch"));
        QCOMPARE(Table(g), saved);
        QCOMPARE(QString::fromStdString(t.Caption(Ctl::Label9, 1)).trimmed(), QString("It's still your turn."));
        QVERIFY(driver.boxes.isEmpty());
    }

    // Apply from the Rules item: a new pile size asks and deals anew; a new forced-card
    // rule alone takes effect at once; the indicator on the menu bar shows the rules.
    void theRulesItemAppliesTheRules() {
        struct Case {
            const char* what;
            std::function<void(ui::frmRules*)> choose;
            int16_t sideSize, forcedRule;
            bool asked;
            QString indicator;
        } cases[] = {
            {"pile size", [](ui::frmRules* d) { d->optSide(1)->click(); }, 25, 0, true,
             QString(10, ' ') + "Rules:  26 cards"},
            {"forced Ace",
             [](ui::frmRules* d) {
                 d->chkNoForced()->click();  // the forced cards are offered once this is off
                 d->chkForced(1)->click();
             },
             19, 1, false,
             QString(10, ' ') + "Rules:  20 cards, Ace"},
        };
        for (const Case& c : cases) {
            frmKorbo t;
            QTemporaryDir dir;
            StartQuietTable(t, dir);
            Game& g = t.game();
            ModalDriver driver;
            driver.act = [&c](QWidget* w) {
                if (auto* d = qobject_cast<ui::frmRules*>(w)) {
                    c.choose(d);
                    d->cmdSave()->click();
                } else if (auto* play = w->findChild<QPushButton*>("Command1")) {
                    play->click();
                }
            };
            g.TableDealt = true;
            t.MenuItem("mnuOpRules")->trigger();
            QCOMPARE(g.SideSize, c.sideSize);
            QCOMPARE(g.ForcedRule, c.forcedRule);
            QCOMPARE(driver.boxes.size(), c.asked ? 1 : 0);
            // A new deal gives pay-off piles of the new size; without one nothing is dealt.
            QVERIFY2(g.TableDealt, c.what);
            QCOMPARE(int(g.PlayerSideCount), c.asked ? c.sideSize + 1 : 0);
            QCOMPARE(t.MenuItem("RulesIndicator")->text(), c.indicator);
        }
    }

    // Restore Defaults in a 26-card game, Apply, Cancel in the "New Rules" box, Cancel the
    // dialog: the pile size is 20 cards at once, so a new game of 20-card piles is dealt.
    void restoreDefaultsDealsANewGameWhenThePileSizeChanged() {
        frmKorbo t;
        QTemporaryDir dir;
        StartQuietTable(t, dir);
        Game& g = t.game();
        g.SideSize = 25;
        g.RulesRefresh();
        QCOMPARE(t.MenuItem("RulesIndicator")->text(), QString(10, ' ') + "Rules:  26 cards");
        g.TableDealt = true;
        g.Turn = TurnPlayer;
        ModalDriver driver;
        driver.answer = QMessageBox::Cancel;
        driver.act = [](QWidget* w) {
            if (auto* d = qobject_cast<ui::frmRules*>(w)) {
                d->cmdDefault()->click();
                d->cmdSave()->click();
                d->cmdReturn()->click();
            }
        };
        t.MenuItem("mnuOpRules")->trigger();
        QCOMPARE(driver.boxes,
                 QStringList{"A new game will be started in order for the changed rules to take effect."});
        QCOMPARE(g.SideSize, int16_t{19});
        QCOMPARE(int(g.PlayerSideCount), 20);
        QCOMPARE(t.MenuItem("RulesIndicator")->text(), QString(10, ' ') + "Rules:  20 cards");
    }

    // During the computer's turn in a local game the Rules item does nothing.
    void theRulesWaitForTheComputersTurnToEnd() {
        frmKorbo t;
        t.game().Turn = TurnOpponent;
        ModalDriver driver;
        bool opened = false;
        driver.act = [&opened](QWidget* w) {
            opened = true;
            w->close();
        };
        t.MenuItem("mnuOpRules")->trigger();
        QTest::qWait(20);
        QVERIFY(!opened);
        t.MenuItem("RulesIndicator")->trigger();
        QTest::qWait(20);
        QVERIFY(!opened);
    }

    // In a network game only the host of a peer newer than version 51 opens the rules.
    void theRulesIndicatorInANetworkGame() {
        struct Case {
            int role;
            const char* peerVersion;
            bool opens;
        } cases[] = {{1, "52", true}, {1, "51", false}, {0, "60", false}, {1, "NG", false}};
        for (const Case& c : cases) {
            frmKorbo t;
            Game& g = t.game();
            g.NetActive = true;
            g.NetRole = static_cast<int16_t>(c.role);
            g.PeerVersion = c.peerVersion;
            ModalDriver driver;
            bool opened = false;
            driver.act = [&opened](QWidget* w) {
                if (auto* d = qobject_cast<ui::frmRules*>(w)) {
                    opened = true;
                    d->cmdReturn()->click();
                }
            };
            t.MenuItem("RulesIndicator")->trigger();
            QTest::qWait(20);
            QCOMPARE(opened, c.opens);
        }
    }

    void theSoundLevelItems() {
        struct Case {
            int index;
            const char* remark;
        } cases[] = {{0, "YEAH!"}, {1, "Let's hold it down a little guys!"}, {2, "Ahhh... the sounds of silence..."}};
        for (const Case& c : cases) {
            frmKorbo t;
            Game& g = t.game();
            g.SoundLevel = static_cast<int16_t>((c.index + 1) % 3);
            t.CheckMenuItem(Menu::Noises, g.SoundLevel, true);
            t.MenuItem("Noises", c.index)->trigger();
            QCOMPARE(g.SoundLevel, int16_t(c.index));
            for (int i = 0; i <= 2; ++i) QCOMPARE(t.MenuItem("Noises", i)->isChecked(), i == c.index);
            QCOMPARE(t.Caption(Ctl::Label9, 2), std::string(c.remark));
        }
    }

    // Keys pressed anywhere in the table reach its hot-key handler first.
    void theHotKeysOfTheTable() {
        frmKorbo t;
        Game& g = t.game();
        g.ScreenWidth = 1280 * 15;
        g.ColorBits = 24;
        ModalDriver driver;
        QTest::keyClick(&t, Qt::Key_Home);
        QTest::keyClick(t.Picture7(2).Widget(), Qt::Key_Delete, Qt::ControlModifier);
        QTest::keyClick(&t, Qt::Key_Delete);  // without Ctrl nothing
        QTest::keyClick(&t, Qt::Key_F11, Qt::ControlModifier);
        QTRY_COMPARE(driver.boxes.size(), 3);
        QCOMPARE(driver.boxes[0], QString("There's no place like home."));
        QCOMPARE(driver.boxes[1], QString("What are you trying to Delete?"));
        QVERIFY2(driver.boxes[2].startsWith(" 1280 pixels    (doesn't matter)\n"), qPrintable(driver.boxes[2]));
        QVERIFY(driver.boxes[2].endsWith("bits per pixel  (True Color)"));

        // The developers' switch answers only to their names, and switches back.
        const auto devKey = [&t] { QTest::keyClick(&t, Qt::Key_F8, Qt::ControlModifier | Qt::ShiftModifier); };
        g.PlayerName = "Ann";
        devKey();
        QTest::qWait(30);
        QVERIFY(!g.DevFlag);
        g.PlayerName = "Rure";
        devKey();
        QTRY_COMPARE(driver.boxes.size(), 4);
        QVERIFY(g.DevFlag);
        devKey();
        QTRY_COMPARE(driver.boxes.size(), 5);
        QVERIFY(!g.DevFlag);
        QCOMPARE(driver.boxes[4], QString("Done."));
    }

    // On a screen 1024 pixels wide the saved games are shown as large as the HOLD viewer.
    void theSavedGamesWindowIsScaledForTheScreen() {
        QTemporaryDir dir;
        frmKorbo t;
        Game& g = t.game();
        g.BaseDir = dir.path().toStdString();
        g.ScreenWidth = 15360;
        ModalDriver driver;
        double points = 0;
        driver.act = [&points](QWidget* w) {
            auto* d = qobject_cast<ui::frmSave*>(w);
            QVERIFY(d);
            points = d->font().pointSizeF();
            d->Command2()->click();
        };
        t.MenuItem("Restore")->trigger();
        QCOMPARE(points, QApplication::font().pointSizeF() * 15360 / 12288);
    }

    // The small windows and pages the menus open.
    void theSmallWindowsOfTheMenus() {
        QTemporaryDir dir;
        {
            QFile manual(dir.filePath("KD_Help.html"));
            QVERIFY(manual.open(QIODevice::WriteOnly));
            manual.write("<html><body><h1 id=\"top\">Manual</h1><h2 id=\"customize\">Customizing</h2>"
                         "<ul class=\"keywords\"><li><a href=\"#customize\">customize</a></li></ul></body></html>");
        }
        frmKorbo t;
        Game& g = t.game();
        g.BaseDir = dir.path().toStdString();
        ModalDriver driver;
        QStringList titles;
        driver.act = [&titles](QWidget* w) {
            titles << w->windowTitle();
            if (auto* speed = qobject_cast<ui::frmSpeed*>(w)) {
                speed->HScroll1()->setValue(4);
                speed->Command1()->click();
            } else if (auto* d = qobject_cast<QDialog*>(w)) {
                d->accept();
            }
        };
        t.MenuItem("Tempo")->trigger();
        QCOMPARE(g.SpeedIndex, int16_t(4));
        QCOMPARE(g.TempoDelay, 0.05);
        t.MenuItem("About")->trigger();
        QCOMPARE(titles, QStringList({"Speed Settings", "KorboNET: Korbo and Dunmir"}));

        QStringList opened;
        korbogl::SetUrlOpener([&opened](const QString& a) {
            opened << a;
            return true;
        });
        t.MenuItem("VisitNet", 0)->trigger();
        t.MenuItem("VisitNet", 1)->trigger();
        korbogl::SetUrlOpener(nullptr);
        QCOMPARE(opened, QStringList({korbogl::kKorboSiteUrl, korbogl::kOnlineGamingSiteUrl}));

        t.MenuItem("Helpful")->trigger();
        QVERIFY(platform::HelpViewer::Current());
        QCOMPARE(platform::HelpViewer::Current()->Topic(), QString());
        t.ShowHelp("customize");
        QCOMPARE(platform::HelpViewer::Current()->Topic(), QString("customize"));
        platform::HelpViewer::Current()->close();

        QVERIFY(!t.ChatOnTop());
        // The item is offered once a network game starts.
        t.EnableMenu(Menu::KeepOnTop, true);
        t.MenuItem("KeepOnTop")->trigger();
        QVERIFY(t.ChatOnTop() && t.MenuItem("KeepOnTop")->isChecked());
        t.MenuItem("KeepOnTop")->trigger();
        QVERIFY(!t.ChatOnTop() && !t.MenuItem("KeepOnTop")->isChecked());
        QVERIFY(driver.boxes.isEmpty());
    }

    // The connection window's Help opens the manual at its network topic; the window stays
    // open for the player to go on.
    void theConnectionWindowsHelpOpensTheManualAtConnect() {
        QTemporaryDir dir;
        const QString manual = QCoreApplication::applicationDirPath() + "/korbo/KD_Help.html";
        QVERIFY(QFile::copy(manual, dir.filePath("KD_Help.html")));
        frmKorbo t;
        Game& g = t.game();
        g.BaseDir = dir.path().toStdString();
        g.PlayerName = "Ann";
        ModalDriver driver;
        bool openAfterHelp = false;
        QString topic;
        driver.act = [&](QWidget* w) {
            auto* d = qobject_cast<ui::frmPlayers*>(w);
            if (!d) return;
            d->cmdHelp()->click();
            openAfterHelp = d->isVisible();
            if (platform::HelpViewer::Current()) topic = platform::HelpViewer::Current()->Topic();
            d->cmdCancel()->click();
        };
        t.MenuItem("Players")->trigger();
        QVERIFY(openAfterHelp);
        QCOMPARE(topic, QString("Connect"));
        QVERIFY(!g.NetActive);
        QVERIFY(driver.boxes.isEmpty());
        if (platform::HelpViewer::Current()) platform::HelpViewer::Current()->close();
    }
};

QTEST_MAIN(TableCommands)
#include "test_table_commands.moc"
