// The saved-game record of games.sav, byte for byte: 16-bit little-endian integers, card
// entries of 4 bytes (Id, then Value), arrays with their index 0 present and the first
// index running fastest. The offsets below are every field the game reads and writes;
// every other byte (the reserved blocks, positions 0) is carried unchanged from the buffer.
// What the table makes of a record belongs to the game.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace korbo::records {

constexpr size_t kGameRecLength = 3264;
constexpr size_t kGameNameWidth = 30;
using GameBytes = std::array<uint8_t, kGameRecLength>;

// Records 1..10 are the player's slots; 11 and 12 the alternating automatic saves.
constexpr long kNamedSlots = 10;
constexpr long kAutoSlot = 11, kAutoSlotOlder = 12;
constexpr std::string_view kAutoSaveName = "AutoSave";

namespace game_rec {
constexpr size_t NoWildAce = 0, Turn = 2, OppSideCount = 4, PlayerSideCount = 6, OppStackImage = 8,
                 PlayerStackImage = 10, StockTop = 12, UsedCount = 14, HandCount = 16, SideSize = 18,
                 ForcedRule = 20;
constexpr size_t Reserved1 = 22;      // 105 card entries
constexpr size_t Deck = 442;          // entries 0..104
constexpr size_t UsedPile = 862;      // entries 0..104
constexpr size_t Reserved2 = 1282;    // 27 card entries
constexpr size_t OppSide = 1390;      // positions 0..26
constexpr size_t PlayerSide = 1498;
constexpr size_t Reserved3 = 1606;    // 11 card entries
constexpr size_t OppSlots = 1650;     // slots 0..10
constexpr size_t PlayerSlots = 1694;
constexpr size_t Center = 1738;       // pile s, position p at Center + 4 (s + 4 p)
constexpr size_t CenterCount = 1946;  // 0..3
constexpr size_t OppHold = 1954;      // pile k, card c at OppHold + 4 (k + 5 c)
constexpr size_t PlayerHold = 2574;
constexpr size_t Reserved4 = 3194;    // 5 integers
constexpr size_t OppHoldCount = 3204; // OppHoldInfo(k, 1), k 0..4
constexpr size_t OppHoldShape = 3214; // OppHoldInfo(k, 2)
constexpr size_t PlayerHoldCount = 3224;
constexpr size_t Name = 3234;
// The wild counters live in the Value half of the player HOLD block's pile-0 entries.
constexpr size_t OppWildFromPayOff = 2596, OppWildPlayed = 2616, PlayerWildFromPayOff = 2636,
                 PlayerWildPlayed = 2656;

constexpr size_t CenterAt(int s, int p) { return Center + 4 * static_cast<size_t>(s + 4 * p); }
constexpr size_t HoldAt(size_t block, int k, int c) { return block + 4 * static_cast<size_t>(k + 5 * c); }
}  // namespace game_rec

// A card entry: its Id, then its Value.
struct GameRecCard {
    int16_t Id = 0;
    int16_t Value = 0;
};
GameRecCard GetGameRecCard(const GameBytes& b, size_t at);
void PutGameRecCard(GameBytes& b, size_t at, int16_t id, int16_t value);

std::string GameRecName(const GameBytes& b);  // padding included
void SetGameRecName(GameBytes& b, std::string_view name);
int16_t GameRecTurn(const GameBytes& b);

}  // namespace korbo::records
