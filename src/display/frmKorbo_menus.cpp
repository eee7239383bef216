// The table's menu bar: the whole menu tree built from one table, every item connected to
// the table's handler named after it, and the menu state the game sets (enabled items,
// check marks, the indicators' captions, the comment sets added while the program runs).
#include "display/frmKorbo.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <optional>
#include <vector>

namespace korbo::ui {

namespace {

QString Text(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

// One line of the menu tree. A Bar row opens a menu of the menu bar, a Sub row a menu
// inside the open one until its End row; Item rows go into the innermost open menu, a
// BarItem row stands on the menu bar itself.
struct MenuRow {
    enum Kind { Bar, Sub, End, Item, Line, BarItem };
    Kind kind;
    const char* name = "";
    const char* caption = "";
    void (frmKorbo::*click)() = nullptr;
    void (frmKorbo::*clickIndex)(int) = nullptr;
    int index = -1;         // the item's index in its menu array, -1 outside arrays
    bool checkable = false;  // the item carries a check mark the table sets
};

using K = frmKorbo;
const std::vector<MenuRow>& MenuTree() {
    static const std::vector<MenuRow> rows = {
        {MenuRow::Bar, "mnuGame", "&Game"},
        {MenuRow::Item, "NewGame", "&New", &K::NewGame_Click},
        {MenuRow::Line},
        {MenuRow::Item, "SaveIt", "Sa&ve Game", &K::SaveIt_Click},
        {MenuRow::Item, "Restore", "&Restore Game", &K::Restore_Click},
        {MenuRow::Line},
        {MenuRow::Item, "Score", "&Scores", &K::Score_Click},
        {MenuRow::Item, "Stats", "S&tatistics", &K::Stats_Click},
        {MenuRow::Item, "Prefs", "&Customize Comments", &K::Prefs_Click},
        {MenuRow::Line},
        {MenuRow::Item, "EndGame", "E&xit", &K::EndGame_Click},

        {MenuRow::Bar, "mnuOption", "&Options"},
        {MenuRow::Item, "Tempo", "Spee&d...", &K::Tempo_Click},
        {MenuRow::Sub, "Sound", "&Noise Control"},
        {MenuRow::Item, "Noises", "Full Sound", nullptr, &K::Noises_Click, 0, true},
        {MenuRow::Item, "Noises", "Some Sounds", nullptr, &K::Noises_Click, 1, true},
        {MenuRow::Item, "Noises", "None (Boss Key)", nullptr, &K::Noises_Click, 2, true},
        {MenuRow::End},
        {MenuRow::Sub, "Lang", "&Comments"},
        {MenuRow::Item, "chatter", "Standard", nullptr, &K::chatter_Click, 1, true},
        {MenuRow::End},
        {MenuRow::Sub, "PlayLevel", "Korbo &Level"},
        {MenuRow::Item, "Level", "Average", nullptr, &K::Level_Click, 0, true},
        {MenuRow::Item, "Level", "Clever", nullptr, &K::Level_Click, 1, true},
        {MenuRow::Item, "Level", "Ruthless", nullptr, &K::Level_Click, 2, true},
        {MenuRow::End},
        {MenuRow::Line},
        {MenuRow::Item, "mnuOpRules", "&Rules", &K::mnuOpRules_Click},
        {MenuRow::Item, "OptionStuff", "&Preferences", &K::OptionStuff_Click},
        {MenuRow::Line},
        {MenuRow::Item, "ChgColor", "&Background (up/down arrow keys)", &K::ChgColor_Click},
        {MenuRow::Item, "mnuOpAddBackground", "&Add Background", &K::mnuOpAddBackground_Click},
        {MenuRow::Line},
        {MenuRow::Sub, "Display", "Display &Size"},
        {MenuRow::Item, "ChgDisplay", "Move Cards Up", nullptr, &K::ChgDisplay_Click, 0},
        {MenuRow::Item, "ChgDisplay", "Make Display Smaller", nullptr, &K::ChgDisplay_Click, 1},
        {MenuRow::End},
        {MenuRow::Item, "DefaultMove", "Reset &Default Window Size", &K::DefaultMove_Click},

        {MenuRow::Bar, "mnuSMNet", "&KorboNET"},
        {MenuRow::Item, "Players", "KorboNET &Internet Play", &K::Players_Click},
        {MenuRow::Item, "NetScore", "KorboNET Internet &Scores", &K::NetScore_Click},
        {MenuRow::Item, "Recover", "KorboNET Sen&d Internet Game", &K::Recover_Click},
        {MenuRow::Line},
        {MenuRow::Item, "Avatar", "Show &Avatar", &K::Avatar_Click, nullptr, -1, true},
        {MenuRow::Item, "ChgAvatar", "Change Avatar Picture...", &K::ChgAvatar_Click},
        {MenuRow::Line},
        {MenuRow::Item, "KeepOnTop", "RUZAVovu Thoughts - always on top", &K::KeepOnTop_Click, nullptr, -1, true},

        {MenuRow::Bar, "mnuHelp", "&Help"},
        {MenuRow::Item, "Helpful", "&Help - User's Manual", &K::Helpful_Click},
        {MenuRow::Line},
        {MenuRow::Item, "Cheat", "&Peek", &K::Cheat_Click, nullptr, -1, true},
        {MenuRow::Item, "CdCount", "&Card Counter", &K::CdCount_Click},
        {MenuRow::Item, "WildStats", "&Show Status Bar", &K::WildStats_Click, nullptr, -1, true},
        {MenuRow::Line},
        {MenuRow::Sub, "ToInternet", "&Visit Korbo on the Internet..."},
        {MenuRow::Item, "VisitNet", "Korbo's Site", nullptr, &K::VisitNet_Click, 0},
        {MenuRow::Item, "VisitNet", "KorboNET Online Gaming Site", nullptr, &K::VisitNet_Click, 1},
        {MenuRow::End},
        {MenuRow::Line},
        {MenuRow::Item, "About", "&About Korbo...", &K::About_Click},

        {MenuRow::BarItem, "LevelIndicator", "          Level:", &K::LevelIndicator_Click},
        {MenuRow::BarItem, "RulesIndicator", "                                     Rules:", &K::RulesIndicator_Click},
    };
    return rows;
}

// The items the game addresses by its own menu names, and the table's names for them.
struct GameMenuName {
    Menu menu;
    const char* name;
};
constexpr GameMenuName kGameMenus[] = {
    {Menu::New, "NewGame"},         {Menu::Recover, "Recover"},   {Menu::Save, "SaveIt"},
    {Menu::Restore, "Restore"},     {Menu::OptionStuff, "OptionStuff"}, {Menu::Stats, "Stats"},
    {Menu::Level, "Level"},         {Menu::Players, "Players"},   {Menu::Cheat, "Cheat"},
    {Menu::Exit, "EndGame"},        {Menu::Noises, "Noises"},     {Menu::chatter, "chatter"},
    {Menu::Lang, "Lang"},           {Menu::WildStats, "WildStats"}, {Menu::Avatar, "Avatar"},
    {Menu::mnuOpRules, "mnuOpRules"}, {Menu::LevelIndicator, "LevelIndicator"},
    {Menu::RulesIndicator, "RulesIndicator"}, {Menu::KeepOnTop, "KeepOnTop"},
};

const char* NameOf(Menu m) {
    for (const auto& g : kGameMenus)
        if (g.menu == m) return g.name;
    return "";
}

}  // namespace

void frmKorbo::BuildMenus() {
    std::vector<QMenu*> open;
    for (const MenuRow& row : MenuTree()) {
        switch (row.kind) {
            case MenuRow::Bar:
                open = {menuBar()->addMenu(Text(row.caption))};
                menus_[row.name] = open.back();
                menuItems_[{row.name, -1}] = open.back()->menuAction();
                break;
            case MenuRow::Sub:
                open.push_back(open.back()->addMenu(Text(row.caption)));
                menus_[row.name] = open.back();
                menuItems_[{row.name, -1}] = open.back()->menuAction();
                break;
            case MenuRow::End: open.pop_back(); break;
            case MenuRow::Line: open.back()->addSeparator(); break;
            case MenuRow::Item:
            case MenuRow::BarItem: {
                QAction* a = row.kind == MenuRow::Item ? open.back()->addAction(Text(row.caption))
                                                       : menuBar()->addAction(Text(row.caption));
                a->setCheckable(row.checkable);
                menuItems_[{row.name, row.index}] = a;
                const auto click = row.click;
                const auto clickIndex = row.clickIndex;
                const int index = row.index;
                connect(a, &QAction::triggered, this, [this, a, click, clickIndex, index](bool checked) {
                    // The check marks are the game's: the click's own toggle is taken back
                    // and the handler sets the mark it means.
                    if (a->isCheckable()) a->setChecked(!checked);
                    if (click) (this->*click)();
                    else if (clickIndex) (this->*clickIndex)(index);
                });
                break;
            }
        }
    }
    // Sending a game and keeping the chat window on top wait for a network game, which
    // offers them.
    EnableMenu(Menu::Recover, false);
    EnableMenu(Menu::KeepOnTop, false);
    newGame_ = MenuItem("NewGame");
    endGame_ = MenuItem("EndGame");
    chgDisplay_[0] = MenuItem("ChgDisplay", 0);
    chgDisplay_[1] = MenuItem("ChgDisplay", 1);
    InstallKeyPreview();
}

QAction* frmKorbo::MenuItem(std::string_view name, int index) const {
    auto it = menuItems_.find({std::string(name), index});
    return it != menuItems_.end() ? it->second : nullptr;
}

QAction* frmKorbo::AddMenuItem(std::string_view name, int index, std::string_view caption) {
    if (QAction* a = MenuItem(name, index)) {
        a->setText(Text(caption));
        return a;
    }
    // Only the comment sets grow while the program runs.
    if (name != "chatter" || index < 1) return nullptr;
    QAction* a = menus_.at("Lang")->addAction(Text(caption));
    a->setCheckable(true);
    menuItems_[{std::string(name), index}] = a;
    connect(a, &QAction::triggered, this, [this, a, index](bool checked) {
        a->setChecked(!checked);
        chatter_Click(index);
    });
    return a;
}

// --- TableView: the menu state the game sets ---------------------------------------------------

void frmKorbo::EnableMenu(Menu m, bool on) {
    menuEnabled_[m] = on;
    if (QAction* a = MenuItem(NameOf(m))) a->setEnabled(on);
}
void frmKorbo::CheckMenu(Menu m, bool on) {
    menuChecks_[m] = on;
    if (QAction* a = MenuItem(NameOf(m)); a && a->isCheckable()) a->setChecked(on);
}
bool frmKorbo::MenuChecked(Menu m) const {
    auto it = menuChecks_.find(m);
    return it != menuChecks_.end() && it->second;
}
void frmKorbo::CheckMenuItem(Menu m, int index, bool on) {
    if (QAction* a = MenuItem(NameOf(m), index); a && a->isCheckable()) a->setChecked(on);
}
int frmKorbo::MenuItemCount(Menu m) const {
    const std::string name = NameOf(m);
    int highest = 0;
    for (const auto& [key, action] : menuItems_)
        if (key.first == name) highest = std::max(highest, key.second);
    return highest;
}
void frmKorbo::SetMenuVisible(Menu m, bool on) {
    menuVisible_[m] = on;
    if (QAction* a = MenuItem(NameOf(m))) a->setVisible(on);
}
void frmKorbo::SetMenuCaption(Menu m, int index, std::string_view text) {
    if (m == Menu::LevelIndicator || m == Menu::RulesIndicator || m == Menu::Players) {
        if (QAction* a = MenuItem(NameOf(m))) a->setText(Text(text));
        return;
    }
    if (m == Menu::chatter) AddMenuItem("chatter", index, text);
}

}  // namespace korbo::ui
