// The saved-game transfer of a network game: the host restores a game from its saved games
// and sends the whole table; the remote rebuilds it with the sides exchanged and confirms
// when its player presses Resume.
#include <cassert>

#include "game.h"
#include "net/protocol.h"
#include "recover_list.h"
#include "records/text_number.h"

namespace korbo {

namespace {
constexpr int16_t kStandardSide = 19;  // pay-off piles of 20 cards, all an old peer knows
constexpr const char* kOldPeerText =
    "This saved game you are trying to send uses a custom number of Side cards. Your opponent is not playing with "
    "the current version of KorboNET. This saved game cannot be sent.";
constexpr const char* kOldPeerTitle = "Opponent not current!";
constexpr const char* kWaitText = "WAITING for Opponent";
}  // namespace

void Game::Recover_Click() {
    // Only the host of a running network game sends a game.
    if (!NetActive || NetRole != 1) return;
    RecoverMode = 1;
    Restore_Click();
    if (!DialogCancelled) {
        view_.EnableMenu(Menu::New, false);
        view_.EnableMenu(Menu::Recover, false);
        SendRecover();
    }
    RecoverMode = 0;
}

void Game::SendRecover() {
    // 1. A peer older than the house rules plays with the standard ones only.
    if (records::Val(PeerVersion) < kRulesVersion) {
        ShuffleApart = false;
        NoWildAce = false;
        ForcedRule = 0;
        if (SideSize != kStandardSide) {
            view_.MsgBox(kOldPeerText, mb::Critical, kOldPeerTitle);
            SideSize = kStandardSide;
            ClearBoard();
            view_.EnableMenu(Menu::New, true);
            view_.EnableMenu(Menu::Recover, true);
            RulesRefresh();
            return;
        }
    }
    // 2. The list goes out; the remote answers once its player pressed Resume.
    Server_Send(net::RecoverMsg(EncodeRecoverList(*this, PeerVersion)));
    view_.SetCaption(Ctl::Label9, 0, kWaitText);
    const bool resumed = Awaited(msg::RC, OnNewGame::Wait);
    view_.EnableMenu(Menu::New, true);
    view_.EnableMenu(Menu::Recover, true);
    view_.SetCaption(Ctl::Label9, 0, "");
    if (!resumed) return;
    // 3. Whoever's turn the saved game was in plays on.
    if (Turn == TurnOpponent) Opponent();
    else if (Turn == TurnPlayer) EnablePic(Ctl::Picture7, true);
}

void Game::RefuseRecover(std::string_view why) {
    HangUpRefused();
    view_.MsgBox("The saved game sent by " + OppName + " cannot be played:" + std::string(CRLF) + std::string(why) +
                     "." + std::string(CRLF) + std::string(CRLF) +
                     "The game on the table was not changed, and the KorboNET game ends.",
                 mb::Exclamation, "KorboNET");
}

bool Game::GetRecover(std::string_view list) {
    // 1. The whole list is checked on a copy before anything on the table changes.
    {
        TableState scratch = *this;
        if (RecoverListResult r = DecodeRecoverList(list, PeerVersion, scratch); !r.ok) {
            RefuseRecover(r.error);
            return false;
        }
    }
    // 2. The table is cleared and rebuilt from the list.
    RecoverMode = 1;
    ClearBoard();
    if (SoundLevel != 2) PlayResource(SndShuffle);
    view_.SetCaption(Ctl::Label9, 1, CRLF);
    view_.SetCaption(Ctl::Label9, 2, "");
    [[maybe_unused]] const RecoverListResult r = DecodeRecoverList(list, PeerVersion, *this);
    assert(r.ok);
    view_.SetVisible(Ctl::ImgTurn1, 0, Turn < TurnPlayer);
    view_.SetVisible(Ctl::ImgTurn2, 0, Turn == TurnPlayer);
    WildUpdate();
    // 3. The table shown as it now stands.
    RulesRefresh();
    StackCurrent();
    Redraw();
    TableDealt = true;
    view_.SetVisible(Ctl::ImgHold, 0, PlayerSideCount != 1);
    if (Turn == TurnPlayer) EnablePic(Ctl::Picture7, true);
    return true;
}

}  // namespace korbo
