// The table's menu bar: every menu and item with its caption and place, the items the
// game enables and ticks, and the commands that have no window of their own.
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QtTest>

#include "game/menu_commands.h"
#include "table_fixture.h"

using namespace korbo;
using korbo::ui::frmKorbo;

namespace {

// The captions of a menu's entries in order, a separator as "-", a submenu as its caption
// followed by its own entries in brackets.
QStringList Entries(const QMenu* m) {
    QStringList out;
    for (QAction* a : m->actions()) {
        if (a->isSeparator()) out << "-";
        else if (a->menu()) out << a->text() + " [" + Entries(a->menu()).join("|") + "]";
        else out << a->text();
    }
    return out;
}

}  // namespace

class TableMenus : public QObject {
    Q_OBJECT
private slots:
    void theMenuBarHoldsTheWholeTree() {
        frmKorbo t;
        QList<QAction*> bar = t.menuBar()->actions();
        QStringList top;
        for (QAction* a : bar) top << a->text();
        QCOMPARE(top, QStringList({"&Game", "&Options", "&KorboNET", "&Help", QString(10, ' ') + "Level:",
                                   QString(37, ' ') + "Rules:"}));
        struct Case {
            int menu;
            QStringList entries;
        } cases[] = {
            {0, {"&New", "-", "Sa&ve Game", "&Restore Game", "-", "&Scores", "S&tatistics", "&Customize Comments", "-",
                 "E&xit"}},
            {1, {"Spee&d...", "&Noise Control [Full Sound|Some Sounds|None (Boss Key)]", "&Comments [Standard]",
                 "Korbo &Level [Average|Clever|Ruthless]", "-", "&Rules", "&Preferences", "-",
                 "&Background (up/down arrow keys)", "&Add Background", "-",
                 "Display &Size [Move Cards Up|Make Display Smaller]", "Reset &Default Window Size"}},
            {2, {"KorboNET &Internet Play", "KorboNET Internet &Scores", "KorboNET Sen&d Internet Game", "-",
                 "Show &Avatar", "Change Avatar Picture...", "-", "RUZAVovu Thoughts - always on top"}},
            {3, {"&Help - User's Manual", "-", "&Peek", "&Card Counter", "&Show Status Bar", "-",
                 "&Visit Korbo on the Internet... [Korbo's Site|KorboNET Online Gaming Site]", "-", "&About Korbo..."}},
        };
        for (const Case& c : cases) {
            QVERIFY(bar[c.menu]->menu());
            QCOMPARE(Entries(bar[c.menu]->menu()), c.entries);
        }
    }

    // Items are found by the game's names; the game's enabling and check marks reach them.
    void theGameEnablesAndTicksTheItems() {
        frmKorbo t;
        struct Case {
            Menu menu;
            const char* name;
        } cases[] = {{Menu::Stats, "Stats"},       {Menu::OptionStuff, "OptionStuff"}, {Menu::Restore, "Restore"},
                     {Menu::Lang, "Lang"},         {Menu::mnuOpRules, "mnuOpRules"},   {Menu::New, "NewGame"},
                     {Menu::Recover, "Recover"},   {Menu::Cheat, "Cheat"},             {Menu::Exit, "EndGame"}};
        for (const Case& c : cases) {
            QAction* a = t.MenuItem(c.name);
            QVERIFY2(a, c.name);
            t.EnableMenu(c.menu, false);
            QVERIFY2(!a->isEnabled(), c.name);
            t.EnableMenu(c.menu, true);
            QVERIFY2(a->isEnabled(), c.name);
        }
        for (Menu m : {Menu::Cheat, Menu::WildStats, Menu::Avatar}) {
            t.CheckMenu(m, true);
            QVERIFY(t.MenuChecked(m));
            t.CheckMenu(m, false);
            QVERIFY(!t.MenuChecked(m));
        }
        t.CheckMenuItem(Menu::Noises, 2, true);
        QVERIFY(t.MenuItem("Noises", 2)->isChecked());
        QVERIFY(!t.MenuItem("Noises", 0)->isChecked());
    }

    // The comment files of the users folder become items of the COMMENTS menu, after
    // "Standard"; a later listing reuses the items and never removes one.
    void commentFilesGrowTheCommentsMenu() {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir("users"));
        auto touch = [&](const QString& name) {
            QFile f(dir.filePath("users/" + name));
            return f.open(QIODevice::WriteOnly);
        };
        QVERIFY(touch("sailor.cmt") && touch("Gran.CMT") && touch("notes.txt") && touch("Mabel.pms"));
        frmKorbo t;
        t.game().BaseDir = dir.path().toStdString();
        QCOMPARE(t.MenuItemCount(Menu::chatter), 1);
        t.ReadComments();
        QCOMPARE(Entries(t.MenuItem("Lang")->menu()), QStringList({"Standard", "Gran", "sailor"}));
        QCOMPARE(t.MenuItemCount(Menu::chatter), 3);
        QVERIFY(QFile::remove(dir.filePath("users/Gran.CMT")));
        t.ReadComments();
        QCOMPARE(Entries(t.MenuItem("Lang")->menu()), QStringList({"Standard", "sailor", "sailor"}));

        t.game().ChatterLevel = 1;
        t.MenuItem("chatter", 2)->trigger();
        QCOMPARE(t.game().ChatterLevel, int16_t(2));
        QVERIFY(t.MenuItem("chatter", 2)->isChecked());
        QVERIFY(!t.MenuItem("chatter", 1)->isChecked());
        // Nothing was written into the folder by reading it.
        QCOMPARE(QDir(dir.filePath("users")).entryList(QDir::Files), QStringList({"Mabel.pms", "notes.txt", "sailor.cmt"}));
    }

    // The level menu and its indicator: three clicks on the indicator come back round,
    // the indent follows the screen's width.
    void theLevelAndItsIndicator() {
        struct Case {
            long screenWidth;
            int indent;
        } cases[] = {{11999, 1}, {12000, 20}, {15360, 20}};
        for (const Case& c : cases) {
            frmKorbo t;
            Game& g = t.game();
            g.ScreenWidth = c.screenWidth;
            t.MenuItem("Level", 1)->trigger();
            QCOMPARE(g.CompLevel, int16_t(LevelClever));
            QVERIFY(t.MenuItem("Level", 1)->isChecked());
            QCOMPARE(t.MenuItem("LevelIndicator")->text(), QString(c.indent, ' ') + "Level: Clever");
            QAction* indicator = t.MenuItem("LevelIndicator");
            const char* names[] = {"Ruthless", "Average", "Clever"};
            for (const char* name : names) {
                indicator->trigger();
                QCOMPARE(indicator->text(), QString(c.indent, ' ') + "Level: " + name);
            }
            QCOMPARE(g.CompLevel, int16_t(LevelClever));
            QVERIFY(!t.MenuItem("Level", 0)->isChecked() && !t.MenuItem("Level", 2)->isChecked());
        }
    }

    // Sending a game and keeping the chat window on top belong to a network game: neither
    // is offered at start-up nor in a solo game, and a click on either does nothing there.
    void theNetworkItemsWaitForANetworkGame() {
        QTemporaryDir dir;
        frmKorbo t;
        t.pauseScale = 0;
        Game& g = t.game();
        g.BaseDir = dir.path().toStdString();
        g.SoundLevel = 2;
        test::StartTable(t);
        const auto offered = [&t](const char* name) { return t.MenuItem(name)->isEnabled(); };
        QVERIFY(!offered("Recover"));
        QVERIFY(!offered("KeepOnTop"));
        g.Command2_Click();
        QVERIFY(g.TableDealt);
        QVERIFY(!g.NetActive);
        QVERIFY(!offered("Recover"));
        QVERIFY(!offered("KeepOnTop"));
        t.MenuItem("KeepOnTop")->trigger();
        QVERIFY(!t.ChatOnTop() && !t.MenuItem("KeepOnTop")->isChecked());
        // The items the table offers from the start stay offered.
        for (const char* name : {"Players", "NetScore", "ChgAvatar"}) QVERIFY2(offered(name), name);
    }

    // Peeking in a local game: the remark, the check mark, and the game marked as assisted
    // either way.
    void peekingLocally() {
        frmKorbo t;
        Game& g = t.game();
        QAction* cheat = t.MenuItem("Cheat");
        cheat->trigger();
        QCOMPARE(g.PeekFlag, int16_t(1));
        QVERIFY(cheat->isChecked());
        QCOMPARE(QString::fromStdString(t.Caption(Ctl::Label9, 2)).replace("\r\n", "\n"),
                 QString("Some people like to watch...\n\nCHEATER"));
        g.HelpUsed = false;
        cheat->trigger();
        QCOMPARE(g.PeekFlag, int16_t(0));
        QVERIFY(!cheat->isChecked());
        QVERIFY(g.HelpUsed);
        QVERIFY(QString::fromStdString(t.Caption(Ctl::Label9, 2)).startsWith("Going Blind?"));
    }
};

QTEST_MAIN(TableMenus)
#include "test_table_menus.moc"
