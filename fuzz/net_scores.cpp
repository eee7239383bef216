// A network score file (users/<player>.ran), whatever its bytes, through the network score
// window's readers and the end of a network game that records its result there: the list
// of files, the window's board, the removal of an opponent, and the update of the
// opponent's record and the totals, then the file made anew and the player's file deleted.
// The first byte picks the opponent's name and the game's result, the second how the
// player's name is written and which row is removed; the rest is the file. A file that is refused is left byte for byte as it
// was, with a clear message; a file that is taken stays one the readers take again.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "fakes/manual_clock.h"
#include "scratch_folder.h"
#include "fakes/recording_view.h"
#include "game/game.h"
#include "game/net_scores.h"
#include "game/random.h"
#include "records/record_file.h"

namespace {

using namespace korbo;
namespace fs = std::filesystem;

using fuzz::Bytes;
using fuzz::Check;
using fuzz::WriteBytes;

// A program folder of the process's own.
const std::string& ScratchFolder() {
    static const std::string path = fuzz::MakeScratchFolder("netscores");
    return path;
}

// The file as the window's reader takes it: true when it opens.
bool Opens(const std::string& path) {
    records::RecordFile f;
    long last = 0;
    const bool ok = static_cast<bool>(netscores::OpenNetScoreFile(f, path, last));
    if (ok) f.Discard();
    return ok;
}

// The board of the one listed file; a refusal tells why and changes nothing.
void Board(Game& g, test::RecordingView& view, const std::string& path) {
    const std::vector<char> before = Bytes(path);
    const size_t boxes = view.boxes.size();
    netscores::NetScoreBoard board;
    if (netscores::PrintUsers(g, 1, board)) {
        Check(board.player == "Fuzz" && board.Opponents() >= 0);
    } else {
        Check(board.Opponents() == 0 && view.boxes.size() > boxes);
    }
    Check(Bytes(path) == before);
}

const char* const kOpponents[] = {"Bob", "bob  ", "A name longer than the twenty characters", "", "FUZZ"};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string& dir = ScratchFolder();
    const std::string path = dir + "/users/Fuzz.ran";
    const uint8_t pick = size > 0 ? data[0] : 0, how = size > 1 ? data[1] : 0;
    const size_t skip = std::min<size_t>(size, 2);
    std::error_code ec;
    fs::remove_all(dir + "/users", ec);
    fs::create_directory(dir + "/users", ec);
    if (ec) std::abort();
    WriteBytes(path, data + skip, size - skip);
    const bool opensAtFirst = Opens(path);

    test::RecordingView view;
    test::ManualClock clock;
    MtRandom rnd{1};
    Game g{view, rnd, clock};
    g.BaseDir = dir;
    // The file is found by the player's name in another case too.
    g.PlayerName = how & 1 ? " FUZZ " : "Fuzz";
    g.OppName = kOpponents[pick % std::size(kOpponents)];
    // A win or a loss by a margin the byte gives.
    g.PlayerSideCount = static_cast<int16_t>((pick >> 3) & 1 ? 0 : 1 + (pick >> 4));
    g.OppSideCount = static_cast<int16_t>(1 + (pick >> 4));

    Check(netscores::NetScore_Click(g) && g.NetScoreFileCount == 1);
    Board(g, view, path);

    // An opponent removed by the name a row shows (or by a name no record has), then the
    // game's result recorded.
    netscores::NetScoreBoard board;
    if (netscores::PrintUsers(g, 1, board) && board.Opponents() > 0) {
        const int row = 1 + pick % board.Opponents();
        const std::string name = how & 2 ? std::string("Nobody") : board.rows[static_cast<size_t>(row)].name;
        (void)netscores::DeleteOpponent(g, 1, row, name, board.Opponents());
        Check(Opens(path));
    }
    const std::vector<char> beforeGame = Bytes(path);
    size_t boxes = view.boxes.size();
    g.Scores_Net();
    if (Opens(path)) {
        // Taken: the board reads it again.
        Check(netscores::PrintUsers(g, 1, board));
    } else {
        // Refused: the file is as it was, and the player was told.
        Check(!opensAtFirst && Bytes(path) == beforeGame && view.boxes.size() > boxes);
    }

    // Without a file, the game's end makes one, named as the player is written, that the
    // board reads: one opponent.
    fs::remove(path, ec);
    const std::string made = netscores::NetScorePath(g, g.PlayerName);
    g.Scores_Net();
    Check(Opens(made) && g.NetScoreFileCount == 1);
    Check(netscores::PrintUsers(g, 1, board) && board.Opponents() == 1);

    // The player's whole file deleted, once confirmed.
    view.answers.push_back(mb::IDYes);
    Check(netscores::DeleteFile(g, 1) && g.NetScoreFileCount == 0 && !fs::exists(made, ec));
    return 0;
}
