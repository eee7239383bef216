// The saved-game record's own fields, read and written without a table: the name field,
// the card entries and the turn at their offsets.
#include <gtest/gtest.h>

#include "fakes/record_bytes.h"
#include "records/game_rec.h"

namespace korbo::test {
namespace {

using records::GameBytes;

TEST(GameRecTest, TheNameIsThirtyWindows1252BytesPaddedWithBlanks) {
    struct Case { std::string name; std::string bytes; std::string readBack; } cases[] = {
        {"my game", "my game" + std::string(23, ' '), "my game" + std::string(23, ' ')},
        {"", std::string(30, ' '), std::string(30, ' ')},
        {std::string(35, 'x'), std::string(30, 'x'), std::string(30, 'x')},
        {"caf\xC3\xA9 \xE2\x82\xAC", "caf\xE9 \x80" + std::string(24, ' '), "caf\xC3\xA9 \xE2\x82\xAC" + std::string(24, ' ')},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        GameBytes b{};
        b.fill(0x55);
        records::SetGameRecName(b, c.name);
        EXPECT_EQ(std::string(b.begin() + 3234, b.end()), c.bytes);
        EXPECT_EQ(b[3233], 0x55);  // the field before the name is not touched
        EXPECT_EQ(records::GameRecName(b), c.readBack);
    }
}

TEST(GameRecTest, ARecordNeverWrittenReadsAsABlankNameAndNoGame) {
    GameBytes b{};
    EXPECT_EQ(records::GameRecName(b), std::string(30, ' '));
    EXPECT_EQ(records::GameRecTurn(b), 0);
}

TEST(GameRecTest, CardEntriesAreIdThenValueLittleEndian) {
    struct Case { size_t at; int16_t id; int16_t value; } cases[] = {
        {records::game_rec::Deck + 4 * 1, 1, 1},
        {records::game_rec::CenterAt(3, 12), 104, 13},
        {records::game_rec::HoldAt(records::game_rec::PlayerHold, 4, 30), 300, -2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.at);
        GameBytes b{};
        records::PutGameRecCard(b, c.at, c.id, c.value);
        const Bytes bytes(b.begin(), b.end());
        EXPECT_EQ(GetLe16(bytes, c.at), c.id);
        EXPECT_EQ(GetLe16(bytes, c.at + 2), c.value);
        const records::GameRecCard back = records::GetGameRecCard(b, c.at);
        EXPECT_EQ(back.Id, c.id);
        EXPECT_EQ(back.Value, c.value);
    }
    // The last card entry of the record ends where the player's HOLD block ends.
    EXPECT_EQ(records::game_rec::HoldAt(records::game_rec::PlayerHold, 4, 30) + 4, records::game_rec::Reserved4);
}

TEST(GameRecTest, TheTurnIsTheSecondInteger) {
    GameBytes b{};
    b[2] = 0x63;  // 99: a refused play
    EXPECT_EQ(records::GameRecTurn(b), 99);
    b[3] = 0xFF;
    EXPECT_EQ(records::GameRecTurn(b), static_cast<int16_t>(0xFF63));
}

}  // namespace
}  // namespace korbo::test
