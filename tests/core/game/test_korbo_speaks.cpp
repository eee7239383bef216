// The persona speaks: a move of the player that takes the card the computer needed is
// answered with one of the ten "displeased" lines of the comment set loaded from the
// files, Korbo's own or the chosen persona's.
#include <gtest/gtest.h>

#include "fakes/record_bytes.h"
#include "game/personas.h"
#include "needed_card_table.h"

namespace korbo::test {
namespace {

// snack.ade: column 1 (the standard set) of record n reads "korbo n".
Bytes Snack() {
    Bytes b;
    for (int n = 1; n <= 20; ++n) {
        Bytes r(250, ' ');
        Text(r, 50, "korbo " + std::to_string(n), 50);
        b.insert(b.end(), r.begin(), r.end());
    }
    return b;
}

Bytes Persona() {
    Bytes r(5020, ' ');
    for (int i = 1; i <= 35; ++i) Text(r, 50 * static_cast<size_t>(i), "mabel " + std::to_string(i), 50);
    Text(r, 5000, "Mabel.jpg", 20);
    return r;
}

struct KorboSpeaksTest : TableFixture {
    TempDir dir;
    void SetUp() override {
        TableFixture::SetUp();
        game.BaseDir = dir.path();
        fs::create_directories(dir / "users");
        WriteBytes(dir / "snack.ade", Snack());
        WriteBytes(dir / "users/Mabel.pms", Persona());
        personas::ReadComments(game);
        personas::ReadPeople(game);
    }
    // The player puts the Four of HOLD pile 1 on pile 1, which stood at Three.
    void TakeTheFour() {
        NeededCardTable(*this);
        game.PlaySlot = 7;
        game.CurIndex = 1;
        game.Move_Player();
        ASSERT_EQ(game.CenterCount[1], 4);
    }
    // Which of the ten lines of `speaker` the comment label shows, 0 when none.
    int LineSaid(const std::string& speaker) const {
        const std::string said = view.Caption(Ctl::Label9, 2);
        for (int n = 1; n <= 10; ++n)
            if (said == speaker + " " + std::to_string(n)) return n;
        return 0;
    }
};

TEST_F(KorboSpeaksTest, TakingTheNeededCardIsAnsweredWithADispleasedLine) {
    struct Case {
        int person;
        const char* speaker;
    } cases[] = {{0, "korbo"}, {1, "mabel"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.speaker);
        SetUp();
        game.PersonIndex = static_cast<int16_t>(c.person);
        personas::ChangeComments(game);
        TakeTheFour();
        EXPECT_GE(LineSaid(c.speaker), 1) << view.Caption(Ctl::Label9, 2);
    }
}

}  // namespace
}  // namespace korbo::test
