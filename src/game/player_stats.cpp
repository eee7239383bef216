#include "player_stats.h"

#include <algorithm>
#include <stdexcept>

#include "records/record_file.h"
#include "records/score_rec.h"
#include "records/int16_fields.h"
#include "score_file_access.h"

namespace korbo::stats {

using Missing = records::RecordFile::Missing;
using records::RecordFile;
using records::ScoreRec;
namespace pf = records::player_file;

namespace {

constexpr int kOppBest = 5, kPlayerBest = 0, kOppGame = 4, kPlayerGame = 2;

using scorefile::Put;
using scorefile::Read;

std::array<int16_t, 3> Triple(const std::array<int16_t, 6>& row, int from) {
    return {row[static_cast<size_t>(from)], row[static_cast<size_t>(from + 1)], row[static_cast<size_t>(from + 2)]};
}

}  // namespace

bool GetStats(Game& g, const std::string& player, std::vector<StatsRow>& rows) {
    RecordFile f;
    std::vector<StatsRow> read(1);
    std::array<int16_t, 6> best{}, opp{};
    try {
        scorefile::Open(f, g.PlayerFilePath(player));
        g.TellCutShort(f);
        best = g.RunStats[kPlayerBest];
        for (long r = pf::Totals; r <= kLastRecordRow; ++r) {
            const ScoreRec rec = Read(f, r);
            if (r >= pf::BestRunsFirst && r <= pf::BestRunsLast) best[static_cast<size_t>(r - pf::BestRunsFirst)] = rec.Extra;
            StatsRow row;
            if (r >= pf::FirstCustomPersona) {
                const std::string name = records::TrimBlanks(rec.Name);
                if (name.empty()) break;
                row.label = "vs " + name;
            }
            row.played = rec.Played;
            row.won = rec.Won;
            row.margin = rec.Margin;
            row.lost = records::Saturate16(long{rec.Played} - rec.Won);
            read.push_back(row);
        }
        const ScoreRec r14 = Read(f, pf::OppBestRun), r15 = Read(f, pf::OppBestSideRun);
        opp = {r14.Played, r14.Won, r14.Margin, r15.Played, r15.Won, r15.Margin};
        if (r15.Played > kRunRecordLimit) opp.fill(0);
    } catch (const std::exception& e) {
        f.Discard();
        g.ReportProblem(e.what());
        return false;
    }
    f.Discard();
    g.ScoreLost = read.size() > 1 ? read.back().lost : int16_t{0};
    g.RunStats[kPlayerBest] = best;
    g.RunStats[kOppBest] = opp;
    rows = std::move(read);
    return true;
}

std::array<RunRow, 5> GetRun(const TableState& t) {
    std::array<RunRow, 5> grid{};
    const auto& rs = t.RunStats;
    grid[1] = {Triple(rs[kOppBest], 0), Triple(rs[kOppGame], 0)};
    grid[2] = {Triple(rs[kOppBest], 3), Triple(rs[kOppGame], 3)};
    grid[3] = {Triple(rs[kPlayerBest], 0), Triple(rs[kPlayerGame], 0)};
    grid[4] = {Triple(rs[kPlayerBest], 3), Triple(rs[kPlayerGame], 3)};
    return grid;
}

bool ClearRunStats(Game& g, const std::string& player) {
    const std::string text = "Are you sure you want to " + std::string(kClearRunCaption) + std::string(CRLF) + "for this player and Korbo?";
    if (g.View().MsgBox(text, mb::YesNo, "DELETE") != mb::IDYes) return false;
    RecordFile f;
    try {
        scorefile::Open(f, g.PlayerFilePath(player));
        for (long r = pf::BestRunsFirst; r <= pf::BestRunsLast; ++r) {
            ScoreRec rec = Read(f, r);
            rec.Extra = 0;
            Put(f, r, rec);
        }
        for (long r : {pf::OppBestRun, pf::OppBestSideRun}) {
            ScoreRec rec = Read(f, r);
            rec.Played = rec.Won = rec.Margin = 0;
            Put(f, r, rec);
        }
        if (records::Status s = f.Close(); !s) throw std::runtime_error(s.error);
    } catch (const std::exception& e) {
        f.Discard();
        g.ReportProblem(e.what());
        return false;
    }
    g.RunStats[kPlayerBest].fill(0);
    g.RunStats[kOppBest].fill(0);
    return true;
}

}  // namespace korbo::stats
