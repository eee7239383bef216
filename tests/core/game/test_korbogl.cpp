// The global helpers: the pacing wait, file tests and number texts.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "fakes/manual_clock.h"
#include "fakes/recording_view.h"
#include "game/korbogl.h"
#include "game/random.h"

namespace korbo::test {
namespace {

TEST(Delay, PausesForTheTimeAskedWithDispatchUnlessBusy) {
    RecordingView view;
    ManualClock clock;
    int dispatched = 0;
    view.onDispatch = [&] { ++dispatched; };
    korbogl::Delay(view, clock, false, 0.75);
    ASSERT_EQ(view.pauses.size(), 1u);
    EXPECT_DOUBLE_EQ(view.pauses[0], 0.75);
    EXPECT_EQ(dispatched, 1);
    korbogl::Delay(view, clock, true, 0.5);
    EXPECT_EQ(dispatched, 1);  // Busy: no window events
    korbogl::Delay(view, clock, false, 0);
    korbogl::Delay(view, clock, false, -3);
    EXPECT_EQ(view.pauses.size(), 2u);
}

TEST(Delay, EndsAtMidnight) {
    RecordingView view;
    ManualClock clock;
    clock.now = 86400.0 - 0.25;
    korbogl::Delay(view, clock, false, 100);
    ASSERT_EQ(view.pauses.size(), 1u);
    EXPECT_NEAR(view.pauses[0], 0.25, 1e-9);
}

TEST(FileExists, PlainNamesAndWildcards) {
    namespace fs = std::filesystem;
    fs::path dir = fs::temp_directory_path() / ("korbo_fe_" + std::to_string(::getpid()));
    fs::create_directories(dir / "users");
    std::ofstream(dir / "users" / "Ann.sav") << "x";
    EXPECT_TRUE(korbogl::FileExists((dir / "users" / "Ann.sav").string()));
    EXPECT_FALSE(korbogl::FileExists((dir / "users" / "Bob.sav").string()));
    EXPECT_TRUE(korbogl::FileExists((dir / "users" / "*.sav").string()));
    EXPECT_TRUE(korbogl::FileExists((dir / "users" / "A?n.*").string()));
    EXPECT_FALSE(korbogl::FileExists((dir / "users" / "*.ran").string()));
    EXPECT_FALSE(korbogl::FileExists((dir / "missing" / "*.sav").string()));
    EXPECT_FALSE(korbogl::FileExists(""));
    fs::remove_all(dir);
}

// The one generator: seeded from the seconds since midnight, uniform in [0, 1).
TEST(RandomSource, TheClockSeedGivesItsOwnSequence) {
    MtRandom a, b, c;
    a.Seed(45296.25);
    b.Seed(45296.25);
    c.Seed(45296.26);  // a hundredth of a second later
    int differ = 0;
    for (int i = 0; i < 100; ++i) {
        const double x = a.Next();
        EXPECT_EQ(x, b.Next());
        differ += x != c.Next();
    }
    EXPECT_GT(differ, 95);
}

TEST(RandomSource, NumbersLieInZeroToOneAndSpreadEvenly) {
    MtRandom r;
    r.Seed(3600);
    std::array<int, 104> hits{};
    double sum = 0;
    for (int i = 0; i < 104000; ++i) {
        const double x = r.Next();
        ASSERT_GE(x, 0.0);
        ASSERT_LT(x, 1.0);
        sum += x;
        ++hits[static_cast<size_t>(x * 104)];  // floor(r * n) + base stays inside 1..n
    }
    EXPECT_NEAR(sum / 104000, 0.5, 0.01);
    for (int h : hits) EXPECT_GT(h, 800);
}

}  // namespace
}  // namespace korbo::test
