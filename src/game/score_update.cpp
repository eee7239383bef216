// Storing the run statistics in the player's file, and the score arithmetic of a finished
// game on the work copies of a totals record.
#include <stdexcept>

#include "game.h"
#include "records/score_rec.h"
#include "records/int16_fields.h"

namespace korbo {

using records::Checked16;
namespace pf = records::player_file;

void Game::StatsSave(records::RecordFile& f, int c, int d) {
    if (c < 0 || c > 5 || d < 0 || d > 5) throw std::out_of_range("StatsSave: run statistics index out of range");
    auto& best = RunStats[static_cast<size_t>(d)];
    if (d == 0) {
        for (long r = pf::BestRunsFirst; r <= pf::BestRunsLast; ++r)
            RunStats[0][static_cast<size_t>(r - 2)] = records::ReadScoreRec(f, r).Extra;
    }
    StatsCk(c, d);
    if (d != 0) {
        records::ScoreRec a = records::ReadScoreRec(f, pf::OppBestRun);
        a.Played = best[0];
        a.Won = best[1];
        a.Margin = best[2];
        (void)records::WriteScoreRec(f, pf::OppBestRun, a);
        records::ScoreRec b = records::ReadScoreRec(f, pf::OppBestSideRun);
        b.Played = best[3];
        b.Won = best[4];
        b.Margin = best[5];
        (void)records::WriteScoreRec(f, pf::OppBestSideRun, b);
    } else {
        for (long r = pf::BestRunsFirst; r <= pf::BestRunsLast; ++r) {
            records::ScoreRec rec = records::ReadScoreRec(f, r);
            rec.Extra = RunStats[0][static_cast<size_t>(r - 2)];
            (void)records::WriteScoreRec(f, r, rec);
        }
    }
}

void Game::DoTheMath() {
    const int16_t played = Checked16(long{ScorePlayed} + 1);
    if (PlayerSideCount != 0) {
        const int16_t margin = Checked16(long{ScoreMargin} - PlayerSideCount);
        ScorePlayed = played;
        ScoreMargin = margin;
    } else {
        const int16_t won = Checked16(long{ScoreWon} + 1);
        const int16_t margin = Checked16(long{ScoreMargin} + OppSideCount);
        ScorePlayed = played;
        ScoreWon = won;
        ScoreMargin = margin;
    }
}

void Game::DoTheUpdate() {
    ScorePlayed = ScoreBuffer.Played;
    ScoreWon = ScoreBuffer.Won;
    ScoreMargin = ScoreBuffer.Margin;
    if (RecIndex > 5) {
        const size_t who = PersonIndex >= 0 && static_cast<size_t>(PersonIndex) < PeopleNames.size()
                               ? static_cast<size_t>(PersonIndex) : 0;
        ScoreBuffer.Name = PeopleNames.empty() ? std::string() : PeopleNames[who];
    }
    DoTheMath();
    ScoreBuffer.Played = ScorePlayed;
    ScoreBuffer.Won = ScoreWon;
    ScoreBuffer.Margin = ScoreMargin;
}

}  // namespace korbo
