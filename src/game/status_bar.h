// The table's status bar: eight panels, 1 the player's name and 2..4 the player's figures,
// 5 the opponent's name and 6..8 the opponent's figures.
#pragma once

#include "game.h"

namespace korbo::statusbar {

inline constexpr int kPanels = 8;
inline constexpr int kPlayerName = 1, kPlayerSideHand = 4, kOppName = 5, kOppSideHand = 8;

// A new deal or a restore: the figures of the last game go, the two names are shown.
void Clear(const TableState& t, TableView& view);

// The "Show Status Bar" menu item: its check mark inverted, the bar shown or hidden with it,
// then the wild counts written again.
void WildStats_Click(Game& g);

}  // namespace korbo::statusbar
