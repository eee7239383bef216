// The score board's data and its maintenance: the computer's totals and one line per
// local player, clearing scores and deleting players. The window shows and asks; the
// files are read and changed here.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "game.h"

namespace korbo::scores {

// The designed grid holds the computer and ten players; more rows are added when needed.
inline constexpr int kDesignedPlayers = 10;
inline constexpr int kComputerRow = 1;

// The maintenance buttons, by index.
enum Maintenance { DeletePlayer = 0, DeleteAllPlayers = 1, ClearPlayerScores = 2, ClearAllScores = 3 };
inline constexpr std::array<std::string_view, 4> kMaintanceCaptions = {
    "Delete Player", "Delete ALL Players", "Clear Player Scores", "Clear ALL scores"};

struct ScoreRow {
    std::string name;
    int16_t played = 0, won = 0, margin = 0;
    long lost() const { return long{played} - won; }
};

// Row 1 the computer ("Korbo (& friends)" while a custom persona is chosen), then one row
// per player of PlayerNames. A file that cannot be read is told in a box; its row shows
// zeros.
std::vector<ScoreRow> PrintNames(Game& g);

// What a maintenance click left for the window.
struct MaintenanceResult {
    bool done = false;          // confirmed and carried out: the board is listed again
    std::string label;          // Label1's new text (empty: unchanged)
    bool beep = false;
    bool clearSelection = false;
};

// Maintance_Click(index) on the selected grid row (0 none): the question, then the change.
// Every file is checked before any is changed; a file that cannot be read or written is
// told in a box and the action stops with the files as they were.
MaintenanceResult Maintance(Game& g, int index, int selectedRow);

}  // namespace korbo::scores
