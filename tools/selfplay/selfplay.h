// Self-play: the computer opponent plays whole games against a scripted human that moves
// through the same entry points as the table window. Headless, with no pauses.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace korbo::selfplay {

struct Options {
    long games = 100;
    uint64_t seed = 1;
    int level = 0;
    int payOff = 20;  // pay-off pile size: 10, 15, 20 or 26
    bool forcedAce = false, forcedTwo = false, visibleOnly = false;
    bool noWildAce = false, shuffleApart = false;
    bool trace = false;
    long maxMoves = 5000;               // a game past this many moves has no end
    std::string deckPath;               // --deck: the file to read the stock order from
    std::vector<int> deck;              // that stock order (position 1 first), or empty
};

// Reads the command line; on a fault, `error` says why and nothing is run.
struct ParsedOptions {
    Options options;
    std::string error;
    bool help = false;
};
ParsedOptions ParseOptions(const std::vector<std::string>& args);

// Reads a deck file: 104 lines, one card id each, every id 1..104 once.
std::optional<std::vector<int>> ReadDeck(std::istream& in, std::string& error);

struct Summary {
    long games = 0, playerWins = 0, computerWins = 0, stalemates = 0;
    long violations = 0, unended = 0;
    long moves = 0;
    double seconds = 0;
};

// Plays the games; the trace (when asked) and the first faults go to `out`.
Summary Run(const Options& options, std::ostream& out);

std::string SummaryLine(const Summary& s);

extern const char* const kUsage;

}  // namespace korbo::selfplay
