// Saved games: saving into a named slot, the alternating automatic saves and restoring a
// slot onto the table.
#include <algorithm>

#include "game.h"
#include "game_record.h"
#include "korbogl.h"
#include "recover_list.h"
#include "records/game_rec.h"
#include "records/record_file.h"
#include "records/text_number.h"

namespace korbo {

using records::GameBytes;

namespace {
GameBytes ToGameBytes(const std::vector<uint8_t>& v) {
    GameBytes b{};
    std::copy_n(v.begin(), std::min(v.size(), b.size()), b.begin());
    return b;
}
}  // namespace

void Game::Saving() { WriteGameRec(*this, GameBuffer); }

void Game::SaveAuto() {
    records::RecordFile f;
    if (records::Status s = f.Open(DataPath("games.sav"), records::kGameRecLength); !s) {
        ReportProblem(s.error);
        return;
    }
    TellCutShort(f);
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
    TellCutShort(f);
    SaveDialogSetup setup;
    setup.saving = true;
    for (int slot = 1; slot <= records::kNamedSlots; ++slot) {
        std::string name;
        if (!f.PastEnd(slot)) {
            GameBuffer = ToGameBytes(f.Get(slot));
            name = records::TrimBlanks(records::GameRecName(GameBuffer));
        }
        setup.Text1[static_cast<size_t>(slot)] = {name.empty() ? "game " + records::NumText(slot) : name, true};
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
    TellCutShort(f);
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
    if (why.empty()) why = CheckGameRec(candidate);
    if (!why.empty()) {
        f.Discard();
        view_.MsgBox("This saved game cannot be restored:" + std::string(CRLF) + why + "." + std::string(CRLF) +
                         std::string(CRLF) + "The game on the table was not changed.",
                     mb::Exclamation, "");
        return false;
    }
    // A game for the remote must fit its table; one that cannot is refused before anything
    // here changes, so the game in play goes on on both tables.
    if (RecoverMode == 1) {
        TableState staged;
        ReadGameRec(candidate, staged);
        if (const std::string refusal = TransferRefusal(staged); !refusal.empty()) {
            f.Discard();
            view_.MsgBox("This saved game cannot be sent:" + std::string(CRLF) + refusal + "." + std::string(CRLF) +
                             std::string(CRLF) + "The game on the table was not changed.",
                         mb::Exclamation, "KorboNET");
            return false;
        }
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
    ReadGameRec(GameBuffer, *this);
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
