// The status bar: what a new deal leaves in its panels, and the menu item that shows it.
#include <gtest/gtest.h>

#include "core/game/table_fixture.h"
#include "game/status_bar.h"

namespace korbo::test {
namespace {

struct StatusBarTest : TableFixture {};

TEST_F(StatusBarTest, ANewDealClearsTheFiguresAndShowsBothNames) {
    for (int p = 1; p <= 8; ++p) view.captions[{Ctl::StatusBar1, p}] = " 3- 1- 0- [ 4 ]";
    statusbar::Clear(game, view);
    EXPECT_EQ(view.Caption(Ctl::StatusBar1, 1), "Ann:");
    EXPECT_EQ(view.Caption(Ctl::StatusBar1, 5), "Korbo:");
    for (int p : {2, 3, 4, 6, 7, 8}) EXPECT_EQ(view.Caption(Ctl::StatusBar1, p), "") << p;
    EXPECT_EQ((view.toolTips[{Ctl::StatusBar1, 4}]), "Ann: Side/Hand");
    EXPECT_EQ((view.toolTips[{Ctl::StatusBar1, 8}]), "Korbo: Side/Hand");
}

TEST_F(StatusBarTest, TheMenuItemTogglesTheBar) {
    view.menuChecks[Menu::WildStats] = false;
    statusbar::WildStats_Click(game);
    EXPECT_TRUE(view.menuChecks[Menu::WildStats]);
    EXPECT_TRUE(view.Visible(Ctl::StatusBar1, 0));
    statusbar::WildStats_Click(game);
    EXPECT_FALSE(view.menuChecks[Menu::WildStats]);
    EXPECT_FALSE(view.Visible(Ctl::StatusBar1, 0));
}

}  // namespace
}  // namespace korbo::test
