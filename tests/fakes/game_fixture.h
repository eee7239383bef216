// A game wired to the recording view, a scripted clock and a seeded generator.
#pragma once

#include <gtest/gtest.h>

#include "fakes/manual_clock.h"
#include "fakes/recording_view.h"
#include "game/game.h"
#include "game/random.h"

namespace korbo::test {

struct GameFixture : ::testing::Test {
    RecordingView view;
    ManualClock clock;
    MtRandom rnd{12345};
    Game game{view, rnd, clock};
};

}  // namespace korbo::test
