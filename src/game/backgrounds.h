// The pictures behind the cards: the list of the backgrounds folder, the cycle through it
// by keys and the menu (one step of it the plain mat colour), and which pictures are tiled.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "ports.h"
#include "table_state.h"

namespace korbo::backs {

inline constexpr std::string_view kFolder = "backgrounds";
inline constexpr std::string_view kAvatarFolder = "Avatars";
// The default background, only under exactly this name.
inline constexpr std::string_view kDefaultName = "tile_wood.jpg";
// Keys of the cycle: Space and Down step forward, any other key (Up) backward.
inline constexpr int kSpaceKey = 32, kUpKey = 38, kDownKey = 40;

// The names of the backgrounds folder, positions 1..BackPicCount; entry 0 stays empty.
using BackList = std::vector<std::string>;

// A picture of the folder: its last three characters, in capitals, are JPG, GIF or BMP.
bool IsPictureName(std::string_view name);
// Tiled rather than stretched: the name's first four characters, in capitals, are TILE.
bool IsTileName(std::string_view name);

// Rebuilds the list, BackPicCount and DefaultBackIndex from BaseDir's backgrounds folder.
// A missing folder gives an empty list. Names are listed in the order of their bytes.
void ReadBacks(TableState& t, BackList& list);

// Position of `name` in the list (exact compare), BackPicCount + 1 when it is not there.
int FindBack(const TableState& t, const BackList& list, std::string_view name);

// The plain mat colour is the step after the last picture.
inline bool IsMatStep(const TableState& t) { return t.BackIndex == t.BackPicCount + 1; }

// One step of the cycle (the table's `backgrounds` routine): the help box while no
// background was ever chosen, the step, the mat or the picture shown, and BackChoice kept.
void Step(TableState& t, TableView& view, int keyCode);

// The picture file of the shown background; empty for the mat step.
std::string BackPath(const TableState& t, const BackList& list);

}  // namespace korbo::backs
