#include "game_record.h"

#include <sstream>

#include "house_rules.h"
#include "records/record_file.h"

namespace korbo {

using records::GameBytes;
using records::GetInt16;
using records::PutInt16;
namespace g = records::game_rec;

namespace {
void PutCard(GameBytes& b, size_t at, int16_t id, int16_t value) { records::PutGameRecCard(b, at, id, value); }
CardRec GetCard(const GameBytes& b, size_t at) {
    const records::GameRecCard c = records::GetGameRecCard(b, at);
    return {c.Id, c.Value};
}
}  // namespace

void WriteGameRec(const TableState& t, GameBytes& b) {
    PutInt16(b, g::NoWildAce, t.NoWildAce ? kTrue : kFalse);
    PutInt16(b, g::Turn, t.Turn);
    PutInt16(b, g::OppSideCount, t.OppSideCount);
    PutInt16(b, g::PlayerSideCount, t.PlayerSideCount);
    PutInt16(b, g::OppStackImage, t.OppStackImage);
    PutInt16(b, g::PlayerStackImage, t.PlayerStackImage);
    PutInt16(b, g::StockTop, t.StockTop);
    PutInt16(b, g::UsedCount, t.UsedCount);
    PutInt16(b, g::HandCount, t.HandCount);
    PutInt16(b, g::SideSize, t.SideSize);
    PutInt16(b, g::ForcedRule, t.ForcedRule);
    for (int i = 1; i <= 104; ++i) {
        PutCard(b, g::Deck + 4 * i, t.Deck[i].Id, t.Deck[i].Value);
        PutCard(b, g::UsedPile + 4 * i, t.UsedPile[i].Id, t.UsedPile[i].Value);
    }
    for (int p = 1; p <= 26; ++p) {
        PutCard(b, g::OppSide + 4 * p, t.OppSide.Id(p), t.OppSide.Value(p));
        PutCard(b, g::PlayerSide + 4 * p, t.PlayerSide.Id(p), t.PlayerSide.Value(p));
    }
    for (int s = 1; s <= 10; ++s) {
        PutCard(b, g::OppSlots + 4 * s, t.OppSlots.Id(s), t.OppSlots.Value(s));
        PutCard(b, g::PlayerSlots + 4 * s, t.PlayerSlots.Id(s), t.PlayerSlots.Value(s));
    }
    for (int s = 1; s <= 3; ++s) {
        for (int p = 1; p <= 12; ++p) PutCard(b, g::CenterAt(s, p), t.Center[s][p].Id, t.Center[s][p].Value);
        PutInt16(b, g::CenterCount + 2 * s, t.CenterCount[s]);
    }
    for (int k = 1; k <= 4; ++k)
        for (int c = 1; c <= 30; ++c) {
            PutCard(b, g::HoldAt(g::OppHold, k, c), t.OppHold.Id(k, c), t.OppHold.Value(k, c));
            PutCard(b, g::HoldAt(g::PlayerHold, k, c), t.PlayerHold.Id(k, c), t.PlayerHold.Value(k, c));
        }
    PutInt16(b, g::OppWildFromPayOff, t.OppWildFromPayOff);
    PutInt16(b, g::OppWildPlayed, t.OppWildPlayed);
    PutInt16(b, g::PlayerWildFromPayOff, t.PlayerWildFromPayOff);
    PutInt16(b, g::PlayerWildPlayed, t.PlayerWildPlayed);
    for (int k = 1; k <= 4; ++k) {
        PutInt16(b, g::OppHoldCount + 2 * k, t.OppHoldInfo[k][HoldCount]);
        PutInt16(b, g::OppHoldShape + 2 * k, t.OppHoldInfo[k][HoldShape]);
        PutInt16(b, g::PlayerHoldCount + 2 * k, t.PlayerHoldCount[k]);
    }
}

void ReadGameRec(const GameBytes& b, TableState& t) {
    t.NoWildAce = GetInt16(b, g::NoWildAce) != 0;
    t.Turn = GetInt16(b, g::Turn);
    t.OppSideCount = GetInt16(b, g::OppSideCount);
    t.PlayerSideCount = GetInt16(b, g::PlayerSideCount);
    t.OppStackImage = GetInt16(b, g::OppStackImage);
    t.PlayerStackImage = GetInt16(b, g::PlayerStackImage);
    t.StockTop = GetInt16(b, g::StockTop);
    t.UsedCount = GetInt16(b, g::UsedCount);
    t.HandCount = GetInt16(b, g::HandCount);
    t.SideSize = GetInt16(b, g::SideSize);
    if (t.SideSize == 0) t.SideSize = 19;
    t.ForcedRule = house_rules::ReadForcedMask(GetInt16(b, g::ForcedRule));
    for (int i = 1; i <= 104; ++i) {
        CardRec d = GetCard(b, g::Deck + 4 * i);
        t.Deck[i].Id = d.Id;
        t.Deck[i].Value = d.Value;
        t.UsedPile[i] = GetCard(b, g::UsedPile + 4 * i);
    }
    for (int p = 1; p <= 26; ++p) {
        t.OppSide.Set(p, GetCard(b, g::OppSide + 4 * p));
        t.PlayerSide.Set(p, GetCard(b, g::PlayerSide + 4 * p));
    }
    for (int s = 1; s <= 10; ++s) {
        t.OppSlots.Set(s, GetCard(b, g::OppSlots + 4 * s));
        t.PlayerSlots.Set(s, GetCard(b, g::PlayerSlots + 4 * s));
    }
    for (int s = 1; s <= 3; ++s) {
        for (int p = 1; p <= 12; ++p) t.Center[s][p] = GetCard(b, g::CenterAt(s, p));
        t.CenterCount[s] = GetInt16(b, g::CenterCount + 2 * s);
    }
    t.OppWildFromPayOff = GetInt16(b, g::OppWildFromPayOff);
    t.OppWildPlayed = GetInt16(b, g::OppWildPlayed);
    t.PlayerWildFromPayOff = GetInt16(b, g::PlayerWildFromPayOff);
    t.PlayerWildPlayed = GetInt16(b, g::PlayerWildPlayed);
    for (int k = 1; k <= 4; ++k)
        for (int c = 1; c <= 30; ++c) {
            t.OppHold.Set(k, c, GetCard(b, g::HoldAt(g::OppHold, k, c)));
            t.PlayerHold.Set(k, c, GetCard(b, g::HoldAt(g::PlayerHold, k, c)));
        }
    for (int k = 1; k <= 4; ++k) {
        t.OppHoldInfo[k][HoldCount] = GetInt16(b, g::OppHoldCount + 2 * k);
        t.OppHoldInfo[k][HoldShape] = GetInt16(b, g::OppHoldShape + 2 * k);
        t.PlayerHoldCount[k] = GetInt16(b, g::PlayerHoldCount + 2 * k);
    }
}

std::string CheckGameRec(const GameBytes& b) {
    // A cleared table with the record on it: the same as a restore builds.
    TableState t;
    ReadGameRec(b, t);
    std::ostringstream why;
    if (t.Turn == TurnNobody) return "the slot holds no game";
    if (t.Turn != TurnOpponent && t.Turn != TurnPlayer && t.Turn != TurnRefused)
        why << "the turn code " << t.Turn << " is not valid";
    else if (t.SideSize < 1 || t.SideSize > 25)
        why << "the pay-off pile size " << t.SideSize + 1 << " is out of range";
    else if (t.HandCount < 0 || t.HandCount > 5)
        why << "the hand count " << t.HandCount << " is out of range";
    else if (!((t.OppStackImage >= 0 && t.OppStackImage <= 50) || t.OppStackImage == 99) ||
             !((t.PlayerStackImage >= 0 && t.PlayerStackImage <= 50) || t.PlayerStackImage == 99))
        why << "a pay-off thickness index is out of range";
    else if (t.OppWildPlayed < 0 || t.PlayerWildPlayed < 0 || t.OppWildFromPayOff < 0 || t.PlayerWildFromPayOff < 0)
        why << "a King counter is negative";
    else {
        for (int k = 1; k <= 4; ++k)
            if (t.OppHoldInfo[k][HoldShape] < 0 || t.OppHoldInfo[k][HoldShape] > 2) {
                why << "the shape code of HOLD pile " << k << " is out of range";
                return why.str();
            }
        std::string cards = CheckPartition(t);
        if (!cards.empty()) why << "the cards do not add up: " << cards;
    }
    return why.str();
}

}  // namespace korbo
