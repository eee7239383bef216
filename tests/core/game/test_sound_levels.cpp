// Which sounds each sound level lets through: Full Sound everything, Some Sounds the clips
// carried with the program and the end of a turn, None (Boss Key) only the confirmation of
// the sound menu itself. Each row plays one event at the three levels.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "game/menu_commands.h"
#include "needed_card_table.h"

namespace korbo::test {
namespace {

struct SoundLevelsTest : TableFixture {
    void SetUp() override {
        TableFixture::SetUp();
        for (int slot = 1; slot <= 15; ++slot) game.Sounds[static_cast<size_t>(slot)] = "/s/slot" + std::to_string(slot) + ".wav";
    }
    void Table() { NeededCardTable(*this); }
    void Play(int slot, int pile) {
        game.PlaySlot = slot;
        game.CurIndex = pile;
        game.Move_Player();
    }
    bool Heard(int id) const { return std::count(view.sounds.begin(), view.sounds.end(), id) > 0; }
    bool Heard(const std::string& file) const {
        return std::count(view.files.begin(), view.files.end(), file) > 0;
    }
    bool HeardSlotIn(int from, int to) const {
        for (int s = from; s <= to; ++s)
            if (Heard("/s/slot" + std::to_string(s) + ".wav")) return true;
        return false;
    }
};

TEST_F(SoundLevelsTest, EachSoundAtEachLevel) {
    struct Row {
        const char* sound;
        std::function<void(SoundLevelsTest&)> event;
        std::function<bool(const SoundLevelsTest&)> heard;
        std::array<bool, 3> atLevel;  // heard at 0 Full, 1 Some, 2 None
    };
    const auto clip = [](int id) { return [id](const SoundLevelsTest& t) { return t.Heard(id); }; };
    const auto slot = [](int n) {
        return [n](const SoundLevelsTest& t) { return t.Heard("/s/slot" + std::to_string(n) + ".wav"); };
    };
    const auto drawKind = [](int kind) {
        return [kind](SoundLevelsTest& t) { t.game.DrawPilePicture(Ctl::Picture4, 2, V(5), kind); };
    };
    const Row rows[] = {
        {"118, a pile drawn with kind 1", drawKind(1), clip(118), {true, true, false}},
        {"117, kind 2", drawKind(2), clip(117), {true, true, false}},
        {"116, kind 3", drawKind(3), clip(116), {true, true, false}},
        {"119, kind 5", drawKind(5), clip(119), {true, true, false}},
        {"kind 0 and 4 are silent", [](SoundLevelsTest& t) {
             t.game.DrawPilePicture(Ctl::Picture4, 2, V(5), 0);
             t.game.DrawPilePicture(Ctl::Picture4, 2, V(5), 4);
         },
         [](const SoundLevelsTest& t) { return !t.view.sounds.empty(); }, {false, false, false}},
        {"118, the peek redraw", [](SoundLevelsTest& t) { t.game.Peek(); }, clip(118), {true, true, false}},
        {"112, a double-clicked King", [](SoundLevelsTest& t) {
             t.Table();
             t.game.Picture7_DblClick(3);
         },
         clip(112), {true, true, false}},
        {"15 Play Wild, the player's King", [](SoundLevelsTest& t) {
             t.Table();
             t.Play(3, 2);
         },
         slot(15), {true, false, false}},
        {"7..10 Lose, the computer's card taken from HOLD", [](SoundLevelsTest& t) {
             t.Table();
             t.Play(7, 1);
         },
         [](const SoundLevelsTest& t) { return t.HeardSlotIn(7, 10); }, {true, false, false}},
        {"122, a new game", [](SoundLevelsTest& t) { t.game.NewGame_Click(); }, clip(122), {true, true, false}},
        {"2 Turn Over, the sound menu's own confirmation", [](SoundLevelsTest& t) {
             menu::Noises_Click(t.game, t.game.SoundLevel);
         },
         slot(2), {true, true, true}},
        {"13 Yeah!, choosing Full Sound", [](SoundLevelsTest& t) { menu::Noises_Click(t.game, t.game.SoundLevel); },
         slot(13), {true, false, false}},
    };
    for (const Row& row : rows) {
        for (int level = 0; level <= 2; ++level) {
            SCOPED_TRACE(std::string(row.sound) + " at level " + std::to_string(level));
            SetUp();
            game.SoundLevel = static_cast<int16_t>(level);
            row.event(*this);
            EXPECT_EQ(row.heard(*this), row.atLevel[static_cast<size_t>(level)]);
        }
    }
}

}  // namespace
}  // namespace korbo::test
