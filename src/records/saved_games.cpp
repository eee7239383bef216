// Saved games: the record layout of games.sav, saving into a named slot, the alternating
// automatic saves and restoring a slot onto the table.
#include "records/saved_games.h"

#include <algorithm>
#include <sstream>

#include "game/game.h"
#include "game/korbogl.h"
#include "records/record_file.h"
#include "text_number.h"

namespace korbo {

namespace records {

namespace g = game_rec;

namespace {
void PutCard(GameBytes& b, size_t at, int16_t id, int16_t value) {
    PutInt16(b, at, id);
    PutInt16(b, at + 2, value);
}
CardRec GetCard(const GameBytes& b, size_t at) { return {GetInt16(b, at), GetInt16(b, at + 2)}; }
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
        PutInt16(b, g::OppHoldCount + 2 * k, t.OppHoldInfo[k][1]);
        PutInt16(b, g::OppHoldShape + 2 * k, t.OppHoldInfo[k][2]);
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
    t.ForcedRule = GetInt16(b, g::ForcedRule);
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
        t.OppHoldInfo[k][1] = GetInt16(b, g::OppHoldCount + 2 * k);
        t.OppHoldInfo[k][2] = GetInt16(b, g::OppHoldShape + 2 * k);
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
            if (t.OppHoldInfo[k][2] < 0 || t.OppHoldInfo[k][2] > 2) {
                why << "the shape code of HOLD pile " << k << " is out of range";
                return why.str();
            }
        std::string cards = CheckPartition(t);
        if (!cards.empty()) why << "the cards do not add up: " << cards;
    }
    return why.str();
}

std::string GameRecName(const GameBytes& b) {
    return DecodeText(std::span(b).subspan(g::Name, kGameNameWidth));
}

void SetGameRecName(GameBytes& b, std::string_view name) {
    auto bytes = EncodeText(name, kGameNameWidth);
    std::copy(bytes.begin(), bytes.end(), b.begin() + g::Name);
}

int16_t GameRecTurn(const GameBytes& b) { return GetInt16(b, g::Turn); }

}  // namespace records

using records::GameBytes;

namespace {
GameBytes ToGameBytes(const std::vector<uint8_t>& v) {
    GameBytes b{};
    std::copy_n(v.begin(), std::min(v.size(), b.size()), b.begin());
    return b;
}
}  // namespace

void Game::Saving() { records::WriteGameRec(*this, GameBuffer); }

void Game::SaveAuto() {
    records::RecordFile f;
    if (records::Status s = f.Open(DataPath("games.sav"), records::kGameRecLength); !s) {
        ReportProblem(s.error);
        return;
    }
    Saving();
    records::SetGameRecName(GameBuffer, records::kAutoSaveName);
    SaveSlot = AutoSaveTurn % 2 != 0 ? int16_t{records::kAutoSlotOlder} : int16_t{records::kAutoSlot};
    (void)f.Put(SaveSlot, GameBuffer);
    // Right after a deal both automatic records hold the new game.
    if (AutoSaveTurn == 1) (void)f.Put(records::kAutoSlot, GameBuffer);
    if (records::Status s = f.Close(); !s) ReportProblem(s.error);
}

void Game::SaveIt_Click() {
    if (Turn == TurnNobody) {
        MsgText = "There's no game to save!";
        view_.MsgBox(MsgText, mb::OKOnly, "Korbo & Dunmir");
        return;
    }
    if (!NetActive && (Turn == TurnOpponent || Turn == TurnRefused)) {
        MsgText = "Wait!  Let me finish my turn first!";
        view_.MsgBox(MsgText, mb::OKOnly, "Korbo:");
        return;
    }
    records::RecordFile f;
    if (records::Status s = f.Open(DataPath("games.sav"), records::kGameRecLength); !s) {
        ReportProblem(s.error);
        return;
    }
    SaveDialogSetup setup;
    setup.saving = true;
    for (int slot = 1; slot <= records::kNamedSlots; ++slot) {
        std::string name;
        if (!f.PastEnd(slot)) {
            GameBuffer = ToGameBytes(f.Get(slot));
            name = records::TrimBlanks(records::GameRecName(GameBuffer));
        }
        setup.Text1[static_cast<size_t>(slot)] = {name.empty() ? "game" + records::NumText(slot) : name, true};
    }
    setup.Text1[records::kAutoSlot] = {std::string(records::kAutoSaveName), false};
    setup.showAutoSave = false;

    SaveDialogResult r = view_.ShowSaveDialog(setup);
    DialogCancelled = r.cancelled || r.slot < 1 || r.slot > records::kNamedSlots;
    if (DialogCancelled) {
        f.Discard();
        return;
    }
    SaveSlot = static_cast<int16_t>(r.slot);
    SaveName = records::TrimBlanks(r.name);
    Saving();
    records::SetGameRecName(GameBuffer, SaveName);
    (void)f.Put(SaveSlot, GameBuffer);
    if (records::Status s = f.Close(); !s) ReportProblem(s.error);
}

bool Game::Restore_Click() {
    if (NetActive && RecoverMode == 0) {
        MsgText = "If you want to restore a game during KorboNET play,";
        MsgText += std::string(CRLF) + "the Host must send the saved game to the Remote.";
        MsgText += std::string(CRLF) + std::string(CRLF) + "Use the KorboNET Send Game option from the KorboNET menu!";
        view_.MsgBox(MsgText, mb::Information, "KorboNET");
        return false;
    }
    AwaitingPlayer = false;
    DialogCancelled = true;

    records::RecordFile f;
    if (records::Status s = f.Open(DataPath("games.sav"), records::kGameRecLength); !s) {
        ReportProblem(s.error);
        return false;
    }
    SaveDialogSetup setup;
    setup.saving = false;
    bool autoRecord = false;
    for (int slot = 1; slot <= records::kAutoSlot; ++slot) {
        auto& box = setup.Text1[static_cast<size_t>(slot)];
        // A slot beyond the end of the file holds no game either.
        box.available = false;
        if (f.PastEnd(slot)) continue;
        GameBuffer = ToGameBytes(f.Get(slot));
        if (records::GameRecTurn(GameBuffer) == TurnNobody) continue;
        box.available = true;
        box.text = records::TrimBlanks(records::GameRecName(GameBuffer));
        if (slot == records::kAutoSlot) autoRecord = true;
    }
    setup.showAutoSave = !NetActive;
    setup.autoSaveTicked = AutoSave;
    setup.Text1[records::kAutoSlot].text = std::string(records::kAutoSaveName);
    setup.Text1[records::kAutoSlot].available = autoRecord && AutoSave;
    setup.autoSaveClicked = [this](bool ticked) {
        if (!ticked) {
            AutoSave = false;
            AutoSaveTurn = 0;
            return;
        }
        AutoSave = true;
        AutoSaveTurn = 1;
        SaveAuto();
    };

    SaveDialogResult r = view_.ShowSaveDialog(setup);
    if (r.cancelled || r.slot < 1 || r.slot > records::kAutoSlot) {
        DialogCancelled = true;
        f.Discard();
        return false;
    }
    SaveSlot = static_cast<int16_t>(r.slot);
    SaveName = records::TrimBlanks(r.name);
    const bool automatic = SaveSlot == records::kAutoSlot;
    if (automatic) {
        if (AutoSaveTurn % 2 == 0) SaveSlot = records::kAutoSlotOlder;
        if (AutoSaveTurn == 0) {
            view_.MsgBox("No move to restore!", mb::Critical, "");
            f.Discard();
            return false;
        }
    }

    // The whole record is checked before anything on the table changes.
    std::string why;
    if (f.PastEnd(SaveSlot)) why = "the record is cut off at the end of the file";
    GameBytes candidate = ToGameBytes(f.Get(SaveSlot));
    if (why.empty() && !f.ReadError().empty()) why = f.ReadError();
    if (why.empty()) why = records::CheckGameRec(candidate);
    if (!why.empty()) {
        f.Discard();
        view_.MsgBox("This saved game cannot be restored:" + std::string(CRLF) + why + "." + std::string(CRLF) +
                         std::string(CRLF) + "The game on the table was not changed.",
                     mb::Exclamation, "");
        return false;
    }
    DialogCancelled = false;
    if (automatic) HelpUsed = true;  // going back a turn counts as an aid

    if (view_.Visible(Ctl::Command2, 0)) view_.SetVisible(Ctl::Command2, 0, false);
    ClearBoard();
    StatusBar_Clear();
    PlayResource(SndShuffle);
    view_.SetCaption(Ctl::Label9, 1, "");
    view_.SetCaption(Ctl::Label9, 2, "");

    GameBuffer = candidate;
    records::ReadGameRec(GameBuffer, *this);
    WildUpdate();

    // Both automatic saves now hold the restored position.
    (void)f.Put(records::kAutoSlot, GameBuffer);
    (void)f.Put(records::kAutoSlotOlder, GameBuffer);
    if (records::Status s = f.Close(); !s) ReportProblem(s.error);

    StackCurrent();
    Redraw();
    TableDealt = true;
    view_.SetVisible(Ctl::ImgHold, 0, PlayerSideCount != 1);
    RulesRefresh();

    if (Turn == TurnPlayer) {
        view_.SetCaption(Ctl::Label9, 1, std::string(CRLF) + "It's still your turn.");
        view_.SetVisible(Ctl::ImgTurn2, 0, true);
        view_.SetVisible(Ctl::ImgTurn1, 0, false);
    } else {
        view_.SetCaption(Ctl::Label9, 1, std::string(CRLF) + "It's NOT your turn.");
        view_.SetVisible(Ctl::ImgTurn1, 0, true);
        view_.SetVisible(Ctl::ImgTurn2, 0, false);
    }
    // Set before the turn starts, so the card counter refuses during the opponent's turn too.
    CountLost = true;
    if (RecoverMode != 1) {
        if (Turn == TurnPlayer) {
            EnablePic(Ctl::Picture7, true);
            SkipPlayerDeal = 1;
            SkipCompDeal = 0;
        } else {
            SkipCompDeal = 1;
            SkipPlayerDeal = 0;
            if (NetActive) Opponent();
            else Computer();
        }
    }
    return true;
}

}  // namespace korbo
