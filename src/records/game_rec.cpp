#include "game_rec.h"

#include <algorithm>
#include <span>

#include "record_file.h"

namespace korbo::records {

GameRecCard GetGameRecCard(const GameBytes& b, size_t at) { return {GetInt16(b, at), GetInt16(b, at + 2)}; }

void PutGameRecCard(GameBytes& b, size_t at, int16_t id, int16_t value) {
    PutInt16(b, at, id);
    PutInt16(b, at + 2, value);
}

std::string GameRecName(const GameBytes& b) {
    return DecodeText(std::span(b).subspan(game_rec::Name, kGameNameWidth));
}

void SetGameRecName(GameBytes& b, std::string_view name) {
    auto bytes = EncodeText(name, kGameNameWidth);
    std::copy(bytes.begin(), bytes.end(), b.begin() + game_rec::Name);
}

int16_t GameRecTurn(const GameBytes& b) { return GetInt16(b, game_rec::Turn); }

}  // namespace korbo::records
