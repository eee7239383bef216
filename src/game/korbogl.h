// Helpers of the game's global module that need no window.
#pragma once

#include <string>
#include <string_view>

#include "ports.h"

namespace korbo::korbogl {

constexpr double kSecondsPerDay = 86400.0;

// The pacing wait: lets `seconds` pass, dispatching window events unless `busy`, and
// returns early at midnight. It never spins: the view's Pause sleeps in the event loop.
void Delay(TableView& view, Clock& clock, bool busy, double seconds);

// True when at least one file matches `path`; the last component may hold * and ?.
bool FileExists(std::string_view path);

}  // namespace korbo::korbogl
