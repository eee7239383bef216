#include "status_bar.h"

namespace korbo::statusbar {

void Clear(const TableState& t, TableView& view) {
    for (int p = 2; p <= kPanels; ++p) view.SetCaption(Ctl::StatusBar1, p, "");
    view.SetCaption(Ctl::StatusBar1, kPlayerName, t.PlayerName + ":");
    view.SetCaption(Ctl::StatusBar1, kOppName, t.OppName + ":");
    view.SetToolTip(Ctl::StatusBar1, kPlayerSideHand, t.PlayerName + ": Side/Hand");
    view.SetToolTip(Ctl::StatusBar1, kOppSideHand, t.OppName + ": Side/Hand");
}

void WildStats_Click(Game& g) {
    TableView& v = g.View();
    const bool shown = !v.MenuChecked(Menu::WildStats);
    v.CheckMenu(Menu::WildStats, shown);
    v.SetVisible(Ctl::StatusBar1, 0, shown);
    if (shown) v.BringToFront(Ctl::StatusBar1, 0);
    g.WildUpdate();
}

}  // namespace korbo::statusbar

namespace korbo {

void Game::StatusBar_Clear() { statusbar::Clear(*this, view_); }

}  // namespace korbo
