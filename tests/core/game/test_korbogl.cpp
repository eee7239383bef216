// The global helpers: the pacing wait, file tests and number texts.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "fakes/manual_clock.h"
#include "fakes/recording_view.h"
#include "game/korbogl.h"

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

TEST(NumberTexts, LeadingBlankAndNumericValue) {
    EXPECT_EQ(korbogl::NumText(0), " 0");
    EXPECT_EQ(korbogl::NumText(54), " 54");
    EXPECT_EQ(korbogl::NumText(-1), "-1");
    struct Case { const char* text; long value; } cases[] = {
        {" 12#", 12}, {"  -7", -7}, {"abc", 0}, {"", 0}, {"3x4", 3}, {"+5", 5},
        {"99999999999999999999999", LONG_MAX}, {"-99999999999999999999999", LONG_MIN}};
    for (auto c : cases) EXPECT_EQ(korbogl::Val(c.text), c.value) << c.text;
}

}  // namespace
}  // namespace korbo::test
