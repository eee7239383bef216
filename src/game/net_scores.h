// The network score files: one per local player who has finished a network game
// (users/<player>.ran), holding the totals over all network games and one record per
// remote opponent. The end of a network game records its result here; the network score
// window shows the files one at a time and deletes a file or an opponent.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "game.h"
#include "records/record_file.h"

namespace korbo::netscores {

// The window lists at most this many files; further .ran files are not shown, but the end
// of a game still finds and updates its player's file among them.
inline constexpr int kListedFiles = 11;
// The designed grid shows this many opponents; more rows are added when needed.
inline constexpr int kDesignedRows = 11;

inline constexpr std::string_view kTitle = "KorboNET";
inline constexpr std::string_view kNoScoresText = "No KorboNET scores yet to display!";
inline constexpr std::string_view kDeleteFileText = "Are you sure you want to delete this player's entire score file?";
inline constexpr std::string_view kDeletePlayerTitle = "DELETE PLAYER";
inline constexpr std::string_view kEliminatedText = "Player Eliminated.";
inline constexpr std::string_view kSelectText = "Select a player";
inline constexpr std::string_view kNotFoundText = "Opponent Not Found";
inline constexpr std::string_view kDeleteOpponentTitle = "DELETE OPPONENT";
inline constexpr std::string_view kPlayerLabel = "KorboNET Player: ";

// The network score file of `player` (trimmed) in the users folder.
std::string NetScorePath(const Game& g, std::string_view player);

// Get_Users: NetScoreFiles 1.. and NetScoreFileCount from the .ran files of the users
// folder, in name order, at most kListedFiles of them.
void Get_Users(Game& g);

// Opens a network score file and checks it: record 1 must name a last record in use
// within the file. `last` is then record 1's Extra. A damaged file is refused unchanged.
records::Status OpenNetScoreFile(records::RecordFile& f, const std::string& path, long& last);

// The menu item: true when the window may open; with no file listed the box says so
// instead. The list is made afresh first.
bool NetScore_Click(Game& g);

struct NetScoreRow {
    std::string name;  // trimmed
    int16_t played = 0, won = 0, margin = 0;
    long lost() const { return long{played} - won; }
};

// What the window shows of file RecIndex: the player (the file name without folder and
// ending) and one row per opponent record 2..last (entry 0 unused).
struct NetScoreBoard {
    std::string player;
    std::vector<NetScoreRow> rows{NetScoreRow{}};
    int Opponents() const { return static_cast<int>(rows.size()) - 1; }
};
// PrintUsers's data: false, after a box, when the file is not listed or cannot be read.
bool PrintUsers(Game& g, int recIndex, NetScoreBoard& board);

// Command2_Click: the question, then the file RecIndex deleted, the box, and the list made
// again. True when the file was deleted (the window then shows the first remaining file,
// or closes when none remains).
bool DeleteFile(Game& g, int recIndex);

// Command4_Click on grid row `selectedRow` (0 none) of file RecIndex, whose name the grid
// shows as `rowName`, with `rowsShown` opponents listed: the record of that name among
// records 2..last is taken out, the records after it move down one, the last one is
// blanked and record 1's last record in use goes down by one; the totals stay.
struct DeleteOpponentResult {
    bool done = false;   // the record was removed: the grid is filled again
    std::string label;   // Label1's new text (empty: unchanged)
};
DeleteOpponentResult DeleteOpponent(Game& g, int recIndex, int selectedRow, std::string_view rowName, int rowsShown);

}  // namespace korbo::netscores
