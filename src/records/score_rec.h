// The 28-byte record of the score and player files: a 20-character name, then four 16-bit
// numbers. What each record of a file holds is given by the record maps below.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "record_file.h"

namespace korbo::records {

constexpr size_t kScoreRecLength = 28;
constexpr size_t kScoreNameWidth = 20;

struct ScoreRec {
    std::string Name = std::string(kScoreNameWidth, ' ');  // UTF-8, padding included
    int16_t Played = 0;
    int16_t Won = 0;
    int16_t Margin = 0;
    int16_t Extra = 0;
    bool operator==(const ScoreRec&) const = default;
};

// Byte offsets of the fields.
namespace score_rec {
constexpr size_t Name = 0, Played = 20, Won = 22, Margin = 24, Extra = 26;
}

std::array<uint8_t, kScoreRecLength> EncodeScoreRec(const ScoreRec& r);
// A record shorter than 28 bytes reads as if padded with zeros.
ScoreRec DecodeScoreRec(std::span<const uint8_t> bytes);

// A number as the name field keeps it: one leading blank for zero and above, a minus sign
// otherwise, then blanks up to the field's width.
std::string NumberName(long n);

// Record n of an open file of score records.
ScoreRec ReadScoreRec(RecordFile& f, long n);
Status WriteScoreRec(RecordFile& f, long n, const ScoreRec& r);

// Record maps. The overall score file (score.ran):
namespace score_file {
constexpr long Computer = 1;        // FontColor as text; the computer's totals; Extra CompLevel
constexpr long DisplayAndExit = 14; // Margin DisplayMode + 20; Extra 20 after a normal exit
constexpr long WindowPlacement = 15;
}  // namespace score_file

// A player's file (users/<player>.sav), 18 records when created:
namespace player_file {
constexpr long Records = 18;
constexpr long Totals = 1;          // FontColor as text; totals over all games; Extra CompLevel
constexpr long LevelTotals = 2;     // + CompLevel: 2 Average, 3 Clever, 4 Ruthless
constexpr long AidTotals = 5;       // games in which the player used an aid
constexpr long BuiltInPersona = 6;  // also a custom persona when 7..11 are all taken
constexpr long FirstCustomPersona = 7, LastCustomPersona = 11;
constexpr long BestRunsFirst = 2, BestRunsLast = 7;  // Extra: RunStats(0, record - 2)
constexpr long OppBestRun = 14, OppBestSideRun = 15; // RunStats(5, 0..2) and (5, 3..5)
}  // namespace player_file

// A network score file (users/<player>.ran): record 1 the totals over all network games
// (Name the player, Extra the last record in use), then one record per remote opponent
// (Extra the last record in use when it was written).
namespace net_score_file {
constexpr long Totals = 1;
constexpr long FirstOpponent = 2;
}  // namespace net_score_file

// The settings records, the same in both files.
namespace settings_rec {
constexpr long Looks = 12, Player = 13, Deck = 16, Mat = 17, Rules = 18;
}

}  // namespace korbo::records
