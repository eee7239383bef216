// The statistics window's data: one player's totals by level, aids and persona, and the
// run statistics of the current game and of all time.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "game.h"

namespace korbo::stats {

// Rows 1..6 of the results grid are the player file's records 1..6; rows 7..11 the custom
// personas, each only while its record carries a name.
inline constexpr int kDesignedRows = 6;
inline constexpr int kLastRecordRow = 11;
// A first value of record 15 above this marks the run records as never written.
inline constexpr int16_t kRunRecordLimit = 1000;
inline constexpr std::string_view kClearRunCaption = "Clear Run Stats";

struct StatsRow {
    std::string label;  // "vs " and the persona's name for rows 7..; empty for rows 1..6
    int16_t played = 0, won = 0, margin = 0;
    int16_t lost = 0;
};

// GetStats: rows 1.. of the player's file (entry 0 unused), RunStats(0, 0..5) and
// RunStats(5, 0..5) loaded from it. False, after a box, when the file cannot be read; the
// rows and the run statistics are then as they were.
bool GetStats(Game& g, const std::string& player, std::vector<StatsRow>& rows);

// One row of the run grid: the all-time triple (columns 1-3) with its sum (4), and the
// current game's triple (6-8) with its sum (9).
struct RunRow {
    std::array<int16_t, 3> best{}, current{};
    long BestSum() const { return long{best[0]} + best[1] + best[2]; }
    long CurrentSum() const { return long{current[0]} + current[1] + current[2]; }
};
// GetRun: rows 1..4 (entry 0 unused): the opponent's best run and best side run, then the
// player's.
std::array<RunRow, 5> GetRun(const TableState& t);

// cmdClearStats: the question, then the player's stored best runs cleared in the file and in
// RunStats(0, *) and (5, *). False when not confirmed or the file could not be changed.
bool ClearRunStats(Game& g, const std::string& player);

}  // namespace korbo::stats
