// The menu commands without windows of their own: the screen information box, the level
// indicator's text and cycle, and the remarks of peeking.
#include <gtest/gtest.h>

#include "fakes/game_fixture.h"
#include "game/menu_commands.h"

namespace korbo::test {
namespace {

TEST(MenuCommandsTest, TheScreenInformationBox) {
    struct Case {
        long width, height, bits;
        const char* text;
    } cases[] = {
        {1280, 1024, 24, " 1280 pixels    (doesn't matter)\r\n 1024 pixels\r\n 24 bits per pixel  (True Color)"},
        {1100, 800, 16, " 1100 pixels    (large fonts)\r\n 800 pixels\r\n 16 bits per pixel  (High Color)"},
        {1152, 864, 32, " 1152 pixels    (small fonts)\r\n 864 pixels\r\n 32 bits per pixel  (True Color)"},
        {1153, 864, 8, " 1153 pixels    (doesn't matter)\r\n 864 pixels\r\n 8 bits per pixel  (256 Color)"},
        {640, 480, 4, " 640 pixels    (small fonts)\r\n 480 pixels\r\n 4 bits per pixel  (16 Color)"},
        {1600, 1200, 30, " 1600 pixels    (doesn't matter)\r\n 1200 pixels\r\n 30 bits per pixel  "},
    };
    for (const Case& c : cases) EXPECT_EQ(menu::DisplayStatsText(c.width, c.height, c.bits), c.text);
}

TEST(MenuCommandsTest, TheLevelCyclesAndItsIndicatorFollowsTheScreen) {
    EXPECT_EQ(menu::NextLevel(LevelAverage), LevelClever);
    EXPECT_EQ(menu::NextLevel(LevelClever), LevelRuthless);
    EXPECT_EQ(menu::NextLevel(LevelRuthless), LevelAverage);
    EXPECT_EQ(menu::LevelIndicatorCaption(LevelRuthless, 11999), " Level: Ruthless");
    EXPECT_EQ(menu::LevelIndicatorCaption(LevelAverage, 12000), std::string(20, ' ') + "Level: Average");
}

struct MenuGameTest : GameFixture {};

TEST_F(MenuGameTest, ALevelOutsideTheMenuIsRefused) {
    game.CompLevel = LevelClever;
    for (int bad : {-1, 3, 99}) menu::Level_Click(game, bad);
    EXPECT_EQ(game.CompLevel, LevelClever);
    EXPECT_TRUE(view.menuCaptions.empty());
}

// The confirmation sound follows every choice, the silent one too; Full Sound cheers first.
TEST_F(MenuGameTest, TheSoundLevelItemsPlayTheirConfirmation) {
    game.Sounds[2] = "/s/turn.wav";
    game.Sounds[13] = "/s/yeah.wav";
    struct Case {
        int index;
        std::vector<std::string> played;
    } cases[] = {{0, {"/s/yeah.wav", "/s/turn.wav"}}, {1, {"/s/turn.wav"}}, {2, {"/s/turn.wav"}}};
    for (const Case& c : cases) {
        view.files.clear();
        menu::Noises_Click(game, c.index);
        EXPECT_EQ(game.SoundLevel, c.index);
        EXPECT_EQ(view.files, c.played);
    }
}

}  // namespace
}  // namespace korbo::test

namespace korbo::test {
namespace {

TEST(MenuCommandsTest, TheHotKeys) {
    using menu::HotKey;
    namespace k = menu::key;
    const int ctrl = keys::Ctrl, shift = keys::Shift, both = keys::Ctrl | keys::Shift;
    struct Case {
        int key, shift;
        bool net;
        const char* player;
        HotKey does;
    } cases[] = {
        {k::Space, 0, false, "Ann", HotKey::StepBackground},  {k::Up, ctrl, false, "Ann", HotKey::StepBackground},
        {k::Down, shift, false, "Ann", HotKey::StepBackground}, {k::Home, 0, false, "Ann", HotKey::NoPlaceLikeHome},
        {k::End, ctrl, false, "Ann", HotKey::Preferences},      {k::PageUp, 0, false, "Ann", HotKey::None},
        {k::PageUp, 0, true, "Ann", HotKey::KeepOnTop},         {k::Delete, 0, false, "Ann", HotKey::None},
        {k::Delete, ctrl, false, "Ann", HotKey::WhatToDelete},  {k::F6, ctrl, false, "Ann", HotKey::Flash},
        {k::F6, 0, false, "Ann", HotKey::None},                 {k::F9, ctrl, false, "Ann", HotKey::BackgroundWindow},
        {k::F10, ctrl, false, "Ann", HotKey::SoreLoser},        {k::F11, ctrl, false, "Ann", HotKey::DisplayStats},
        {k::F11, shift, false, "Ann", HotKey::None},            {k::F8, both, false, "Ann", HotKey::None},
        {k::F8, both, false, "Rure", HotKey::DeveloperSwitch},  {k::F8, both, true, "Dodid Ravor", HotKey::DeveloperSwitch},
        {k::F8, ctrl, false, "Rure", HotKey::None},             {k::F8, both, false, "rure", HotKey::None},
        {65, ctrl, false, "Ann", HotKey::None},
    };
    for (const Case& c : cases)
        EXPECT_EQ(menu::HotKeyOf(c.key, c.shift, c.net, c.player), c.does) << c.key << " " << c.shift << " " << c.player;
}

}  // namespace
}  // namespace korbo::test
