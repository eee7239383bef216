// The table's menu commands that have no other home: the computer level and its
// indicator, the sound level, peeking, and the screen information box.
#pragma once

#include <string>

namespace korbo {

class Game;

namespace menu {

// The level indicator on the menu bar: indented by one blank on a screen narrower than
// 12000 twips, by twenty otherwise.
std::string LevelIndicatorCaption(int level, long screenWidthTwips);

// The check mark moves to Level(index), the level is set and the indicator shows it (the
// table makes a hidden indicator visible).
void Level_Click(Game& g, int index);
// The level after `level` in the indicator's cycle Average, Clever, Ruthless, Average.
int NextLevel(int level);

// The sound level 0..2 with its remark and the confirmation sound.
void Noises_Click(Game& g, int index);

// Peeking switched on or off in a local game: the check mark and the persona's remark.
// The caller redraws the hand; the game is marked as assisted.
void PeekLocal(Game& g);
// The remarks of peeking on and off.
std::string PeekRemark(bool on);

// The table's hot keys (key codes of the platform: Space 32, Page Up 33, End 35, Home 36,
// Up 38, Down 40, Delete 46, F6 117, F8 119, F9 120, F10 121, F11 122) and what each does.
namespace key {
constexpr int Space = 32, PageUp = 33, End = 35, Home = 36, Up = 38, Down = 40, Delete = 46;
constexpr int F6 = 117, F8 = 119, F9 = 120, F10 = 121, F11 = 122;
}  // namespace key
enum class HotKey {
    None,
    StepBackground,   // the next or previous background
    NoPlaceLikeHome,  // the box "There's no place like home."
    Preferences,
    KeepOnTop,        // network games only
    WhatToDelete,     // the box "What are you trying to Delete?"
    Flash,            // the end-of-game animation
    BackgroundWindow,
    SoreLoser,
    DisplayStats,
    DeveloperSwitch,  // only for the developers' own names
};
HotKey HotKeyOf(int keyCode, int shift, bool netActive, const std::string& playerName);
inline constexpr const char* kHomeText = "There's no place like home.";
inline constexpr const char* kDeleteText = "What are you trying to Delete?";
inline constexpr const char* kDoneText = "Done.";

// The screen information box's text for a screen `widthPx` x `heightPx` of `colorBits`.
std::string DisplayStatsText(long widthPx, long heightPx, long colorBits);

}  // namespace menu
}  // namespace korbo
