#include "score_board.h"

#include <filesystem>
#include <memory>
#include <stdexcept>

#include "records/record_file.h"
#include "records/score_rec.h"
#include "score_file_access.h"
#include "startup.h"
#include "records/int16_fields.h"

namespace korbo::scores {

namespace fs = std::filesystem;
using Missing = records::RecordFile::Missing;
using records::RecordFile;
using records::ScoreRec;
using records::Checked16;
namespace pf = records::player_file;

namespace {

using scorefile::Put;
using scorefile::Read;

std::string PlayerAt(const Game& g, int i) {
    return i >= 1 && i < static_cast<int>(g.PlayerNames.size()) ? g.PlayerNames[static_cast<size_t>(i)] : std::string();
}

int ListedPlayers(const Game& g) { return std::min<int>(g.PlayerCount, static_cast<int>(g.PlayerNames.size()) - 1); }

// The totals records of a player's file back to zero; names and the level stay.
void ClearTotals(RecordFile& f) {
    for (long n = pf::Totals; n <= pf::LastCustomPersona; ++n) {
        ScoreRec r = Read(f, n);
        r.Played = r.Won = r.Margin = 0;
        if (n >= pf::LevelTotals) r.Extra = 0;  // the stored best runs of records 2-7 go too
        Put(f, n, r);
    }
}

void RemoveOrThrow(const std::string& path) {
    std::error_code ec;
    fs::remove(path, ec);
    if (ec) throw std::runtime_error("The file " + fs::path(path).filename().string() + " could not be deleted (" +
                                     ec.message() + ").");
}

// The computer's row back to zero (name and level kept), put into the open score file.
void ClearComputer(RecordFile& score) {
    ScoreRec r = Read(score, records::score_file::Computer);
    r.Played = r.Won = r.Margin = 0;
    Put(score, records::score_file::Computer, r);
}

MaintenanceResult ClearEverything(Game& g, int index) {
    RecordFile score;
    scorefile::Open(score, g.DataPath("score.ran"), Missing::Fail);
    ClearComputer(score);
    const int count = ListedPlayers(g);
    if (index == DeleteAllPlayers) {
        for (int i = 1; i <= count; ++i) RemoveOrThrow(g.PlayerFilePath(PlayerAt(g, i)));
        g.PlayerNames.assign(1, std::string());
        g.PlayerCount = 0;
    } else {
        // Every file is read and changed in memory first; only then does any reach the disk.
        std::vector<std::unique_ptr<RecordFile>> files;
        for (int i = 1; i <= count; ++i) {
            const std::string path = g.PlayerFilePath(PlayerAt(g, i));
            std::error_code ec;
            if (!fs::exists(path, ec)) continue;  // a file gone since the list was made has nothing to clear
            auto f = std::make_unique<RecordFile>();
            scorefile::Open(*f, path, Missing::Fail);
            ClearTotals(*f);
            files.push_back(std::move(f));
        }
        for (auto& f : files) scorefile::Commit(*f);
    }
    scorefile::Commit(score);
    return {true, "All is forgotten.", false, false};
}

MaintenanceResult OnePlayer(Game& g, int index, int row) {
    const std::string name = PlayerAt(g, row - 1);
    const std::string path = g.PlayerFilePath(name);
    RecordFile player, score;
    scorefile::Open(player, path, Missing::Fail);
    const ScoreRec totals = Read(player, pf::Totals);
    g.ScorePlayed = totals.Played;
    g.ScoreWon = totals.Won;
    g.ScoreMargin = totals.Margin;
    // The player's games come out of the computer's totals: its games, its wins against the
    // player, and the player's margin (the computer's is the other way round).
    scorefile::Open(score, g.DataPath("score.ran"), Missing::Fail);
    ScoreRec computer = Read(score, records::score_file::Computer);
    computer.Played = Checked16(long{computer.Played} - g.ScorePlayed);
    computer.Won = Checked16(long{computer.Won} - (long{g.ScorePlayed} - g.ScoreWon));
    computer.Margin = Checked16(long{computer.Margin} + g.ScoreMargin);
    Put(score, records::score_file::Computer, computer);
    MaintenanceResult r{true, "", true, true};
    if (index == DeletePlayer) {
        player.Discard();
        RemoveOrThrow(path);
        r.label = "Player removed!";
        startup::Get_Players(g);
    } else {
        ClearTotals(player);
        scorefile::Commit(player);
        r.label = "Scores removed!";
    }
    scorefile::Commit(score);
    return r;
}

}  // namespace

std::vector<ScoreRow> PrintNames(Game& g) {
    std::vector<ScoreRow> rows(2);  // row 0 is the grid's header
    std::string problems;
    auto readTotals = [&](const std::string& path, long n, ScoreRow& row) {
        RecordFile f;
        try {
            scorefile::Open(f, path, Missing::Fail);
            g.TellCutShort(f);
            const ScoreRec r = Read(f, n);
            row.played = r.Played;
            row.won = r.Won;
            row.margin = r.Margin;
        } catch (const std::exception& e) {
            problems += (problems.empty() ? "" : std::string(CRLF)) + e.what();
        }
        f.Discard();
    };
    rows[kComputerRow].name = g.PersonIndex >= 1 ? "Korbo (& friends)" : "Korbo";
    readTotals(g.DataPath("score.ran"), records::score_file::Computer, rows[kComputerRow]);
    for (int i = 1; i <= ListedPlayers(g); ++i) {
        ScoreRow row;
        row.name = PlayerAt(g, i);
        readTotals(g.PlayerFilePath(row.name), pf::Totals, row);
        rows.push_back(std::move(row));
    }
    if (!problems.empty()) g.ReportProblem(problems);
    return rows;
}

MaintenanceResult Maintance(Game& g, int index, int selectedRow) {
    if (index < DeletePlayer || index > ClearAllScores) return {};
    const std::string caption(kMaintanceCaptions[static_cast<size_t>(index)]);
    if (g.View().MsgBox("Are you sure you want to " + caption + "?", mb::YesNo, "DELETE") != mb::IDYes) return {};
    try {
        if (index == DeleteAllPlayers || index == ClearAllScores) return ClearEverything(g, index);
        if (selectedRow == kComputerRow) return {false, "Sorry, Korbo stays.", true, false};
        if (selectedRow < kComputerRow || selectedRow - 1 > ListedPlayers(g)) return {false, "Select a player", true, false};
        return OnePlayer(g, index, selectedRow);
    } catch (const std::exception& e) {
        g.ReportProblem(e.what());
        return {true, "", false, true};
    }
}

}  // namespace korbo::scores
