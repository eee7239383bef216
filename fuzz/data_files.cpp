// The data files of the program folder, whatever their bytes, through the table's own
// readers: the same input is the score file (settings, the computer's totals, the last
// player), a player's file (settings, best runs, statistics), games.sav (its first record
// restored onto the table) and the text of the deal's and the reshuffle's number lists.
// The readers leave the files they only read as they were, keep every setting in its
// range, and either take a record or list whole or leave the table as it was.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "fakes/manual_clock.h"
#include "scratch_folder.h"
#include "fakes/recording_view.h"
#include "game/game.h"
#include "game/game_record.h"
#include "game/player_stats.h"
#include "game/random.h"
#include "game/score_board.h"
#include "game/startup.h"
#include "records/game_rec.h"
#include "records/score_rec.h"

namespace {

using namespace korbo;
namespace fs = std::filesystem;

using fuzz::Check;
using fuzz::SameBytes;
using fuzz::WriteBytes;

// A program folder of the process's own, rewritten for every input.
const std::string& ScratchFolder() {
    static const std::string path = fuzz::MakeScratchFolder("data");
    return path;
}

// The saved fields of the table, to see whether a refused read changed any of them.
records::GameBytes TableImage(const TableState& t) {
    records::GameBytes b{};
    WriteGameRec(t, b);
    return b;
}

bool In(int v, int lo, int hi) { return v >= lo && v <= hi; }

void Settings(Game& g, const std::string& path) {
    records::RecordFile f;
    if (!f.Open(path, records::kScoreRecLength, records::RecordFile::Missing::Fail)) return;
    g.ChangeSettings(f);
    (void)g.ChangeSettings2(f);
    g.ChangeBestRun(f);
    f.Discard();
    Check(In(g.CompLevel, 0, 2) && In(g.SoundLevel, 0, 2) && In(g.CardStyle, 1, 6));
    Check(In(g.SoundScheme, 0, 1) && In(g.DeckChoice, 0, 5) && g.BackChoice >= 0);
    Check(In(g.CommentFontSize, 1, 100) && In(g.WalkSteps, 1, 250) && In(g.SideSize, 1, 25));
    Check(In(g.PersonIndex, 0, static_cast<int>(g.PeopleNames.size()) - 1));
}

void Restore(Game& g, test::RecordingView& view) {
    const records::GameBytes before = TableImage(g);
    view.saveAnswers.push_back({false, 1, "Fuzz"});
    // Restored as the host of a transfer does: the turn that follows is not started.
    g.RecoverMode = 1;
    if (g.Restore_Click()) {
        const records::GameBytes after = TableImage(g);
        Check(CheckGameRec(after).empty());
        TableState again;
        ReadGameRec(after, again);
        Check(TableImage(again) == after);
    } else {
        Check(TableImage(g) == before);
    }
}

void NumberLists(Game& g, std::string_view text) {
    for (std::string_view version : {"NG", "51", "60"}) {
        const records::GameBytes before = TableImage(g);
        const DeckListResult r = g.DecodeDeckList(text, version);
        if (!r.ok) {
            Check(!r.error.empty() && TableImage(g) == before);
            continue;
        }
        for (int i = 1; i <= 104; ++i) Check(In(g.Deck[i].Value, 1, 13) && In(g.Deck[i].Id, 1, 104));
    }
    // A used pile of a size taken from the input, then its reshuffle list.
    const int n = text.empty() ? 1 : 1 + static_cast<unsigned char>(text[0]) % 104;
    g.StockTop = g.UsedCount = static_cast<int16_t>(n);
    for (int j = 1; j <= n; ++j) g.UsedPile[j] = CardRec{static_cast<int16_t>(j), static_cast<int16_t>((j - 1) % 13 + 1)};
    for (std::string_view version : {"NG", "60"}) {
        const records::GameBytes before = TableImage(g);
        const DeckListResult r = g.DecodeReshuffleList(text, version);
        if (!r.ok) Check(!r.error.empty() && TableImage(g) == before);
        else
            for (int i = 1; i <= n; ++i) Check(In(g.Deck[i].Value, 1, 13) && In(g.Deck[i].Id, 1, n));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string& dir = ScratchFolder();
    const std::string score = dir + "/score.ran", player = dir + "/users/Fuzz.sav", games = dir + "/games.sav";
    WriteBytes(score, data, size);
    WriteBytes(player, data, size);
    WriteBytes(games, data, size);

    test::RecordingView view;
    test::ManualClock clock;
    MtRandom rnd{1};
    Game g{view, rnd, clock};
    g.BaseDir = dir;
    startup::Get_Players(g);
    Check(g.PlayerCount == 1);

    // The score file at start-up, then the last player's file as start-up confirms it.
    g.FormLoading = true;
    Settings(g, score);
    startup::ConfirmLastPlayer(g);
    // The player's own file, as choosing the player reads it.
    g.FormLoading = false;
    Settings(g, player);

    std::vector<stats::StatsRow> rows;
    if (stats::GetStats(g, "Fuzz", rows)) Check(rows.size() > 1);
    const std::vector<scores::ScoreRow> board = scores::PrintNames(g);
    Check(board.size() == 3);  // the header, the computer, the one player
    Check(SameBytes(score, data, size) && SameBytes(player, data, size));

    Restore(g, view);
    NumberLists(g, std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
