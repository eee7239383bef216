// The backgrounds: the folder's list, the cycle by keys with the mat step, and which
// pictures are tiled.
#include <gtest/gtest.h>

#include "core/game/folder_fixture.h"
#include "game/backgrounds.h"

namespace korbo::test {
namespace {

struct BackgroundsTest : FolderFixture {
    backs::BackList list;
    void Files(std::initializer_list<const char*> names) {
        fs::create_directories(dir / "backgrounds");
        for (const char* n : names) WriteBytes(dir / (std::string("backgrounds/") + n), Bytes{1, 2, 3});
    }
    int StepFrom(int index, int key) {
        game.BackIndex = static_cast<int16_t>(index);
        game.BackChoice = 1;
        backs::Step(game, view, key);
        return game.BackIndex;
    }
};

TEST_F(BackgroundsTest, TheListHoldsThePicturesOfTheFolderInTheOrderOfTheirNames) {
    Files({"tile_wood.jpg", "Beach.JPG", "notes.txt", "stars.gif", "old.Bmp", "photo.png", "jpg"});
    fs::create_directories(dir / "backgrounds/album.jpg");  // a folder is no picture
    backs::ReadBacks(game, list);
    const backs::BackList want = {"", "Beach.JPG", "jpg", "old.Bmp", "stars.gif", "tile_wood.jpg"};
    EXPECT_EQ(list, want);
    EXPECT_EQ(game.BackPicCount, 5);
    EXPECT_EQ(game.DefaultBackIndex, 5);
    EXPECT_EQ(backs::FindBack(game, list, "stars.gif"), 4);
    EXPECT_EQ(backs::FindBack(game, list, "Stars.gif"), 6);  // exact compare: not found
}

TEST_F(BackgroundsTest, TheDefaultIsTheWoodTileOnlyUnderExactlyItsName) {
    Files({"Tile_Wood.jpg", "TILE_WOOD.JPG"});
    game.DefaultBackIndex = 9;
    backs::ReadBacks(game, list);
    EXPECT_EQ(game.BackPicCount, 2);
    EXPECT_EQ(game.DefaultBackIndex, 0);
}

TEST_F(BackgroundsTest, AMissingOrEmptyFolderLeavesOnlyTheMatStep) {
    for (bool make : {false, true}) {
        SCOPED_TRACE(make);
        if (make) fs::create_directories(dir / "backgrounds");
        game.BackPicCount = 7;
        backs::ReadBacks(game, list);
        EXPECT_EQ(game.BackPicCount, 0);
        EXPECT_EQ(list.size(), 1u);
        for (int key : {backs::kSpaceKey, backs::kDownKey, backs::kUpKey}) {
            EXPECT_EQ(StepFrom(1, key), 1);
            EXPECT_TRUE(backs::IsMatStep(game));
        }
    }
}

TEST_F(BackgroundsTest, StepsForwardAndBackWithTheMatAfterTheLastPicture) {
    Files({"a.jpg", "b.jpg", "c.jpg"});
    backs::ReadBacks(game, list);
    struct Case { int from, key, to; } cases[] = {
        {1, backs::kSpaceKey, 2}, {3, backs::kDownKey, 4}, {4, backs::kSpaceKey, 1}, {0, backs::kDownKey, 1},
        {2, backs::kUpKey, 1},    {1, backs::kUpKey, 4},   {4, backs::kUpKey, 3},    {3, 65, 2},
        {9, backs::kDownKey, 1},  {9, backs::kUpKey, 4},
    };
    for (auto c : cases) {
        SCOPED_TRACE(testing::Message() << c.from << " key " << c.key);
        view.log.clear();
        view.tableBackColor = -1;
        EXPECT_EQ(StepFrom(c.from, c.key), c.to);
        EXPECT_EQ(game.BackChoice, c.to);
        if (c.to == 4) {
            EXPECT_EQ(view.tableBackColor, game.MatColor);
            EXPECT_EQ(view.log, std::vector<std::string>{"ClearBackground"});
        } else {
            EXPECT_EQ(view.log, std::vector<std::string>{"BackgroundPaint " + std::to_string(c.to)});
        }
    }
}

TEST_F(BackgroundsTest, TheHelpBoxComesOnlyWhileNoBackgroundWasEverChosen) {
    Files({"a.jpg"});
    backs::ReadBacks(game, list);
    game.BackChoice = 0;
    game.BackIndex = 0;
    backs::Step(game, view, backs::kSpaceKey);
    ASSERT_EQ(view.boxes.size(), 1u);
    EXPECT_EQ(view.boxes[0].title, "Korbo Backgrounds");
    EXPECT_EQ(view.boxes[0].buttons, mb::OKOnly);
    EXPECT_EQ(view.boxes[0].text.substr(0, 32), "Use the SPACE BAR or the UP/DOWN");
    backs::Step(game, view, backs::kSpaceKey);
    EXPECT_EQ(view.boxes.size(), 1u);
}

TEST_F(BackgroundsTest, NamesBeginningWithTileInAnyCaseAreTiled) {
    struct Case { const char* name; bool tiled; } cases[] = {
        {"tile_wood.jpg", true}, {"TILE.bmp", true}, {"TiLeS of rome.gif", true}, {"Tile", true},
        {"til.jpg", false},      {"a tile.jpg", false}, {"", false},          {"mosaic_tile.jpg", false},
    };
    for (auto c : cases) EXPECT_EQ(backs::IsTileName(c.name), c.tiled) << c.name;
}

TEST_F(BackgroundsTest, ThePathOfTheShownBackground) {
    Files({"a.jpg", "b.jpg"});
    backs::ReadBacks(game, list);
    game.BackIndex = 2;
    EXPECT_EQ(backs::BackPath(game, list), dir / "backgrounds/b.jpg");
    for (int index : {0, 3, -1, 40}) {
        game.BackIndex = static_cast<int16_t>(index);
        EXPECT_EQ(backs::BackPath(game, list), "") << index;
    }
}

}  // namespace
}  // namespace korbo::test
