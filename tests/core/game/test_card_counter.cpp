// The card counter: the grid of tallies as the window shows it, and when it refuses.
#include <gtest/gtest.h>

#include <set>
#include <sstream>

#include "core/game/table_fixture.h"
#include "game/card_counter.h"

namespace korbo::test {
namespace {

// The grid's cells in card order: each row's cells split at blanks.
std::vector<std::string> Cells(const std::string& grid) {
    std::vector<std::string> cells;
    std::istringstream in(grid);
    std::string cell;
    while (in >> cell) cells.push_back(cell);
    return cells;
}

// The computer's first turn is left out, so the table stands as the deal left it.
struct CounterTest : TableFixture {};

TEST_F(CounterTest, RightAfterADealExactlyTheTwelveCardsShownAreCounted) {
    for (int sideSize : {19, 9, 25}) {
        SCOPED_TRACE(sideSize);
        game.SideSize = static_cast<int16_t>(sideSize);
        game.ClearBoard();
        game.SetUp();
        game.GoDeal();
        std::set<int> shown = {game.PlayerSlots.Id(1), game.OppSlots.Id(1)};
        for (int h = 2; h <= 6; ++h) shown.insert({game.PlayerSlots.Id(h), game.OppSlots.Id(h)});
        ASSERT_EQ(shown.size(), 12u);
        const auto cells = Cells(counter::Grid(game));
        ASSERT_EQ(cells.size(), 104u);
        for (int id = 1; id <= 104; ++id) {
            SCOPED_TRACE(id);
            EXPECT_EQ(cells[static_cast<size_t>(id - 1)], shown.count(id) ? "1" : "_");
        }
    }
}

TEST_F(CounterTest, TheGridKeepsItsColumnsUnderTheHeader) {
    game.Deck[1].Seen = 1;
    game.Deck[10].Seen = 2;   // column 10 takes one blank more
    game.Deck[13].Seen = 1;
    game.Deck[23].Seen = 3;   // column 10 of the second row
    const std::string grid = counter::Grid(game);
    const std::string row1 = " 1  _  _  _  _  _  _  _  _  2   _  _  1 ";
    const std::string row2 = "  _  _  _  _  _  _  _  _  _  3   _  _  _ ";
    ASSERT_GE(grid.size(), row1.size() + 2 + row2.size());
    EXPECT_EQ(grid.substr(0, row1.size() + 2), row1 + "\r\n");
    EXPECT_EQ(grid.substr(row1.size() + 2, row2.size()), row2);
    // Eight rows of thirteen, each closed by CR LF and a blank.
    size_t rows = 0;
    for (size_t at = grid.find("\r\n "); at != std::string::npos; at = grid.find("\r\n ", at + 1)) ++rows;
    EXPECT_EQ(rows, 8u);
    EXPECT_EQ(grid.substr(grid.size() - 3), "\r\n ");
}

TEST_F(CounterTest, RowNamesAreTheFourSuitsOfBothDecks) {
    EXPECT_EQ(counter::RowNames(), "Clubs\r\nDiamonds\r\nHearts\r\nSpades\r\nClubs\r\nDiamonds\r\nHearts\r\nSpades\r\n");
    EXPECT_EQ(counter::kHeader, "1  2  3  4  5  6  7  8  9 10 J  Q  K");
}

TEST_F(CounterTest, RefusesAfterARestoreAndInANetworkGame) {
    struct Case {
        bool countLost, net, dev;
        bool shows;
        const char* text;
        const char* title;
    } cases[] = {
        {true, false, false, false, "Sorry, I lost count when you restored the game!", "Memory Failure"},
        {true, true, true, false, "Sorry, I lost count when you restored the game!", "Memory Failure"},
        {false, true, false, false, "Count your own cards during a Net game!", "Count by yourself"},
        {false, true, true, true, nullptr, nullptr},
        {false, false, false, true, nullptr, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.countLost << c.net << c.dev);
        view.boxes.clear();
        game.HelpUsed = false;
        game.CountLost = c.countLost;
        game.NetActive = c.net;
        game.DevFlag = c.dev;
        EXPECT_EQ(counter::MayShow(game, view), c.shows);
        EXPECT_EQ(game.HelpUsed, c.shows);  // only a counter shown marks the game as aided
        if (c.text) {
            ASSERT_EQ(view.boxes.size(), 1u);
            EXPECT_EQ(view.boxes[0].text, c.text);
            EXPECT_EQ(view.boxes[0].title, c.title);
            EXPECT_EQ(view.boxes[0].buttons, mb::OKOnly | mb::Exclamation);
        } else {
            EXPECT_TRUE(view.boxes.empty());
        }
    }
}

TEST_F(CounterTest, ANewGameEndsTheRefusalAfterARestore) {
    game.CountLost = true;
    EXPECT_FALSE(counter::MayShow(game, view));
    game.ClearBoard();
    EXPECT_TRUE(counter::MayShow(game, view));
}

}  // namespace
}  // namespace korbo::test
