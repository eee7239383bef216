// Choosing who is at the table: the names the player window offers, and what confirming
// a name does (the refusals, writing back the previous player's file, loading the chosen
// player's settings).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "game.h"

namespace korbo::players {

// The characters a new player name may not hold: a name becomes a file name.
inline constexpr std::string_view kForbiddenCharacters = "!\"*./:<>?\\|";
// The longest name the settings records keep (the name field of a score record): the
// player window takes no more.
constexpr int kMaxNameLength = 20;

inline constexpr const char* kImpersonatorTitle = "Impersonator Alert";
inline constexpr const char* kKorboText =
    "There can ONLY be\r\nONE Korbo\r\nand that's me!\r\nEnter your real name please.";
inline constexpr const char* kDunmirText = "Sorry dear, that name has been taken...\r\nEnter your real name please.";
inline constexpr const char* kUnknownTitle = "Unknown Player";
inline constexpr const char* kUnknownText = "Please enter a name...\r\nI'd like to know who I'm playing with!";
inline constexpr const char* kWarningTitle = "Use standard characters!";
inline constexpr const char* kWarningText =
    "Please do not use the following characters in your name:\r\n\r\n/ \\ : * . ? ! < > | \"\r\n\r\n"
    "Please re-enter your player name.";

// The player window's list: the current player first (PlayerName, or the trimmed
// LastPlayerName when no name is set yet, which then becomes PlayerName), every other
// local player once in list order, and an empty entry last.
std::vector<std::string> WelcomeList(Game& g);

// The entry of PlayerNames that is `name` (trimmed, letter case ignored), 0 when none is.
int FindPlayer(const Game& g, std::string_view name);

// What confirming a name did.
enum class Outcome {
    Stay,         // refused: the window stays open as it is
    StayCleared,  // refused as an impersonation: the name box is emptied
    Confirmed,    // the player is at the table; the window closes
};

// The player window's button: checks the name typed or picked and, when it passes, makes
// that player the one at the table. Boxes go through the game's view; a player file that
// cannot be read or written is told to the player and the choice goes on.
Outcome Confirm(Game& g, std::string_view comboText);

}  // namespace korbo::players
