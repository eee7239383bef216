// The human player's moves: pressing, dragging and dropping a card, the double-click
// shortcut, playing onto a centre pile, the discard that ends the turn, and the
// right-click information on the piles.
#include <cmath>
#include <cstdlib>
#include <string>

#include "game.h"
#include "interpolate_point.h"
#include "korbogl.h"
#include "records/text_number.h"
#include "colours.h"
#include "persona_slots.h"

namespace korbo {

using records::NumText;

namespace {

constexpr int kSlideStep = 60;  // table units per step of a card sliding home

// A pointer position as the whole number the drag arithmetic keeps (halves to even).
int Whole(double v) {
    if (!std::isfinite(v)) return 0;
    if (v > 1e9) return 1000000000;
    if (v < -1e9) return -1000000000;
    return static_cast<int>(std::lrint(v));
}

bool IsHand(int slot) { return slot >= 2 && slot <= 6; }
bool IsHold(int slot) { return slot >= 7 && slot <= 10; }

}  // namespace

void Game::PlaySoundSlot(int slot) {
    if (slot < 1 || slot > 15 || Sounds[slot].empty()) return;
    view_.PlayFile(Sounds[slot], false);
}

void Game::ShowHoldViewer(int side) {
    HoldViewSide = static_cast<int16_t>(side);
    HoldView.fill(0);
    view_.ShowForm(Form::frmHold, false);
}

// --- press, drag, drop ------------------------------------------------------------------

void Game::Picture7_MouseDown(int Index, int Button, int Shift, double X, double Y) {
    if (Index < 1 || Index > 10 || slidingHome_) return;
    ClickSlot = Index;
    AwaitingPlayer = false;
    if (Button == btn::Right) {
        RightDown = true;
        if (Busy) return;
        DragSlot = Index;
        const bool devView = (Shift & keys::Ctrl) != 0 && DevFlag;
        if (IsHold(Index)) {
            ShowHoldViewer(0);
            return;
        }
        if (Index == 1) {
            if (PlayerSideCount > 0 && OppSideCount > 0 && !devView)
                view_.SetCaption(Ctl::Label9, 1, PlayerName + " SIDE : " + NumText(PlayerSideCount));
            else
                ShowHoldViewer(0);
            return;
        }
        // A right press on a hand card drags it like a left press.
    }
    RightDown = false;
    if (!view_.Visible(Ctl::Command2, 0) && Turn == TurnOpponent) {
        CheatError();
        return;
    }
    Turn = TurnPlayer;
    view_.SetVisible(Ctl::ImgTurn2, 0, true);
    view_.SetVisible(Ctl::ImgTurn1, 0, false);
    PlaySlot = Index;
    if (PlayerSideCount == 0 || OppSideCount == 0) return;
    if (Index > 7 && PlayerSlots.Value(Index) == 0) return;
    if (Dragging == 1) return;
    Dragging = 1;
    const Rect home = view_.PictureRect(Ctl::Picture7, Index);
    DragStartLeft = home.Left;
    DragStartTop = home.Top;
    if (IsHold(Index)) {
        const int k = Index - 6;
        if (PlayerHoldCount[k] > 0) {
            // The pile shows its next card while the top is carried away.
            view_.MovePicture(Ctl::Picture1, 0, DragStartLeft, DragStartTop);
            OppSlots.Set(0, PlayerHold.Get(k, PlayerHoldCount[k]));
            DrawPilePicture(Ctl::Picture1, 0, OppSlots.Id(0), 0);
            view_.SetVisible(Ctl::Picture1, 0, true);
        }
    }
    GrabX = Whole(X);
    GrabY = Whole(Y);
    view_.BringToFront(Ctl::Picture7, Index);
}

void Game::Picture7_MouseMove(int Index, int, int, double X, double Y) {
    if (Dragging != 1 || Index < 1 || Index > 10 || slidingHome_) return;
    const Rect r = view_.PictureRect(Ctl::Picture7, Index);
    view_.MovePicture(Ctl::Picture7, Index, Whole(r.Left + (X - GrabX)), Whole(r.Top + (Y - GrabY)));
}

void Game::SlideBack(int left, int top) {
    // The frames of the slide dispatch window events: a press meanwhile is dropped, as a
    // press during any other animation is, so this card ends at its own home.
    const int slot = PlaySlot;
    const int homeLeft = DragStartLeft, homeTop = DragStartTop;
    slidingHome_ = true;
    const int n = std::max(std::abs(left - homeLeft), std::abs(top - homeTop));
    if (n > 0) {
        const int16_t x1 = ClampToInt16(left), y1 = ClampToInt16(top);
        const int16_t x2 = ClampToInt16(homeLeft), y2 = ClampToInt16(homeTop);
        for (int s = 0; s <= n; s += kSlideStep) {
            int16_t x = 0, y = 0;
            InterpolatePoint(x1, y1, x2, y2, static_cast<float>(s) / static_cast<float>(n), x, y);
            view_.MovePicture(Ctl::Picture7, slot, x, y);
            view_.AnimationFrame();
        }
    }
    view_.MovePicture(Ctl::Picture7, slot, homeLeft, homeTop);
    slidingHome_ = false;
}

void Game::Picture7_MouseUp(int Index, int, int, double, double) {
    if (slidingHome_) return;
    MovedByDrag = false;
    view_.SetVisible(Ctl::Picture1, 0, false);
    OppSlots.Clear(0);
    if (Dragging != 1) return;
    Dragging = 0;
    if (Index < 1 || Index > 10) return;
    const Rect at = view_.PictureRect(Ctl::Picture7, Index);
    const int L = at.Left, T = at.Top;
    if (L == DragStartLeft && T == DragStartTop) return;  // a click, not a move
    // The drop works on the place that was pressed.
    PlaySlot = Index;
    const int target = FindDropTarget(Index);
    if (target == -1) {
        SlideBack(L, T);
        return;
    }
    const Rect spot = view_.PictureRect(DropTarget, target);
    view_.MovePicture(Ctl::Picture7, Index, spot.Left, spot.Top);

    if (DropTarget == Ctl::Picture7) {
        PlaySlot = Index;
        ClickSlot = target;
        MoveSource = PlaySlot;
        MoveTarget = target;
        EnablePic(Ctl::Picture7, false);
        if (IsHand(target)) {
            bool netGameEnded = false;
            if (target != Index && PeerCurrent) {
                Hand_Sort(PlayerSlots, Ctl::Picture7, PlaySlot, ClickSlot);
                if (NetActive) {
                    MoveTarget += 10;
                    Move_Transmit();
                    netGameEnded = !NetActive;
                }
            }
            // Also after a drop on its own place: the turn goes on with the cards usable. A
            // network game that ended meanwhile leaves them as its clean-up did.
            if (!netGameEnded) EnablePic(Ctl::Picture7, true);
            SlideBack(L, T);
            return;
        }
        if (IsHold(target)) {
            if (!DiscardCheck(target)) return;  // refused: the card is home, the turn goes on
            DiscardToHold(target);
        }
        return;
    }

    // A centre pile.
    view_.SetCaption(Ctl::Label9, 1, " ");
    if (!NetActive) view_.SetCaption(Ctl::Label9, 2, " ");
    CurIndex = target;
    if (PlayerSideCount == 0 || OppSideCount == 0) return;
    Legal();
    if (Turn != TurnRefused) {
        MovedByDrag = true;
        Move_Player();
    } else {
        DropTargetSet = false;
        SlideBack(L, T);
    }
}

void Game::DiscardToHold(int t) {
    const int k = t - 6;
    const CardRec card = PlayerSlots.Get(PlaySlot);
    if (CardStyle != 6) view_.SetBackColor(Ctl::Picture7, t, kWhite);
    DrawPilePicture(Ctl::Picture7, t, card.Id, 1);
    view_.SetVisible(Ctl::Picture7, PlaySlot, false);
    view_.ClearPicture(Ctl::Picture7, PlaySlot);
    view_.MovePicture(Ctl::Picture7, PlaySlot, DragStartLeft, DragStartTop);
    if (PlayerSlots.Value(t) != 0) {
        ++PlayerHoldCount[k];
        PlayerHold.Set(k, PlayerHoldCount[k], PlayerSlots.Get(t));
    }
    PlayerSlots.Set(t, card);
    PlayerSlots.Clear(PlaySlot);
    if (NetActive) {
        Move_Transmit_Done();
        // The connection ended during the handshake, or the host began a new game instead
        // of answering: the table stays as the clean-up or the new game's notice left it,
        // and no turn of the peer follows.
        if (!NetActive || NetMsgType == msg::GS) return;
        holdTransfer_ = true;  // until Opponent waits
    }
    Delay(0.75);
    const std::string whose = NetActive ? OppName + "'s" : std::string("my");
    view_.SetCaption(Ctl::Label9, 1, std::string(CRLF) + "OK, it's " + whose + " turn.");
    view_.Refresh(Ctl::Picture7, t);
    StatsCk(1, 2);
    Turn = TurnOpponent;
    SkipPlayerDeal = 0;
    HandCount = 5;
    view_.SetVisible(Ctl::ImgTurn1, 0, true);
    view_.SetVisible(Ctl::ImgTurn2, 0, false);
    EnablePic(Ctl::Picture7, true);
    if (!NetActive) Computer();
    else Opponent();
}

void Game::Picture7_DblClick(int Index) {
    if (Turn != TurnPlayer || RightDown || slidingHome_) return;
    if (Index < 1 || Index > 10) return;
    AwaitingPlayer = false;
    PlaySlot = Index;
    if (Index == 1 && (PlayerSideCount == 0 || OppSideCount == 0)) return;
    view_.SetCaption(Ctl::Label9, 1, " ");
    if (!NetActive) view_.SetCaption(Ctl::Label9, 2, " ");
    const int value = PlayerSlots.Value(Index);
    if (value == 13) {
        // A King is the player's own decision: it is never played for them.
        view_.SetCaption(Ctl::Label9, 1, Comments[CommentKingDoubleClick] + " " + Comments[CommentKingDoubleClickTail]);
        PlayResource(SndRefuse);
        return;
    }
    CurIndex = 3;
    for (int s = 1; s <= 3; ++s) {
        if (CenterCount[s] + 1 == value) {
            CurIndex = s;
            break;
        }
    }
    Legal();
    if (Turn != TurnRefused) {
        MovedByDrag = false;
        Move_Player();
    }
}

// --- playing a card onto a centre pile --------------------------------------------------

void Game::Move_Player() {
    if (Turn != TurnPlayer) return;
    // Only a card that is there, onto a pile that has room: nothing is lost on the way.
    if (PlaySlot < 1 || PlaySlot > 10 || CurIndex < 1 || CurIndex > 3) return;
    if (PlayerSlots.Value(PlaySlot) == 0 || CenterCount[CurIndex] >= 12) return;
    const int source = PlaySlot;
    const int pile = CurIndex;
    const bool fromSide = source == 1;

    // 1. The card goes onto the centre pile.
    EnablePic(Ctl::Picture7, false);
    if (!MovedByDrag) view_.WalkTheCard(Ctl::Picture7, source, Ctl::Picture4, pile);
    StatsAdd(source, 1);
    MovingCard = {PlayerSlots.Id(source), PlayerSlots.Value(source)};
    const bool king = MovingCard[1] == 13;
    Add_Center();
    MoveSource = source;
    MoveTarget = pile;
    if (king) {
        if (fromSide) ++PlayerWildFromPayOff;
        else ++PlayerWildPlayed;
        WildUpdate();
    }

    // 2. The place it left shows the next card, or nothing; the last pay-off card wins.
    if (!PlayerPlaceLeft(source, pile)) return;
    const int count = CenterCount[pile];
    DrawPilePicture(Ctl::Picture4, pile, Center[pile][count].Id, 2);
    if (MovedByDrag) {
        view_.MovePicture(Ctl::Picture7, source, DragStartLeft, DragStartTop);
    } else {
        view_.SetVisible(Ctl::Picture1, 0, false);
        if (IsHold(source)) view_.SetVisible(Ctl::Picture7, source, true);
    }

    // 3. The sounds and remarks of the move.
    PlayerMoveRemarks(source, pile, king);

    // 4. The peer is told; a complete pile goes to the used pile; an empty hand is refilled.
    view_.Refresh(Ctl::Picture4, pile);
    if (NetActive) {
        Move_Transmit();
        // The clean-up of a lost connection sets the type back to 0: nothing is played on alone.
        if (!NetActive || NetMsgType == msg::GS || NetMsgType == msg::GO) return;
    }
    if (CenterCount[pile] == 12) {
        Delay(TempoDelay);
        CurIndex = pile;
        Add_Used();
    }
    if (HandCount == 0) Deal_Player();
    if (TurnAbort != 1) {
        if (TurnAbort == 2) TurnAbort = 0;
        view_.Refresh(Ctl::Picture4, pile);
        EnablePic(Ctl::Picture7, true);
    }
}

bool Game::PlayerPlaceLeft(int source, int pile) {
    if (source == 1) {
        if (MovedByDrag) view_.MovePicture(Ctl::Picture7, 1, DragStartLeft, DragStartTop);
        MovedByDrag = false;
        --PlayerSideCount;
        PlayerSlots.Set(1, PlayerSide.Get(PlayerSideCount));
        if (PlayerSideCount > 0) {
            ++PlayerStackImage;
            if (PlayerStackImage >= 1 && PlayerStackImage <= 50) view_.SetVisible(Ctl::Stack, PlayerStackImage, false);
            if (PlayerSideCount == 1) view_.ClearPicture(Ctl::ImgHold, 0);
        }
        view_.SetBackColor(Ctl::Picture7, 1, DeckColor);
        DrawPilePicture(Ctl::Picture7, 1, 0, 0);
        if (PlayerSideCount == 0) {
            PlayerWon(pile);
            return false;
        }
    } else if (IsHold(source)) {
        const int k = source - 6;
        if (PlayerHoldCount[k] > 0) {
            PlayerSlots.Set(source, PlayerHold.Get(k, PlayerHoldCount[k]));
            --PlayerHoldCount[k];
            DrawPilePicture(Ctl::Picture7, source, PlayerSlots.Id(source), 2);
            view_.Refresh(Ctl::Picture7, source);
        } else {
            PlayerSlots.Clear(source);
            view_.SetBackColor(Ctl::Picture7, source, kEmptyPlaceColor);
            view_.ClearPicture(Ctl::Picture7, source);
        }
    } else {
        PlayerSlots.Clear(source);
        --HandCount;
        view_.SetVisible(Ctl::Picture7, source, false);
        view_.ClearPicture(Ctl::Picture7, source);
    }
    return true;
}

void Game::PlayerWon(int pile) {
    // The player has won: nothing is refilled or cleared any more.
    Turn = TurnNobody;
    view_.SetVisible(Ctl::Picture7, 1, false);
    DrawPilePicture(Ctl::Picture4, pile, Center[pile][CenterCount[pile]].Id, 2);
    view_.Refresh(Ctl::Picture4, pile);
    DoEvents();
    if (NetActive) {
        view_.SetCaption(Ctl::Label9, 0, std::string(CRLF) + "  W A I T");
        view_.SetEnabled(Ctl::ChatSend, 0, false);
        Server_Send("PC " + NumText(MoveSource) + "#" + NumText(MoveTarget));
        if (!Awaited(msg::PC, OnNewGame::End)) return;
        Server_Send("OK");
        if (!Awaited(msg::OK, OnNewGame::End)) return;
        view_.SetCaption(Ctl::Label9, 0, "");
        view_.SetEnabled(Ctl::ChatSend, 0, true);
    }
    Game_End();
}

void Game::PlayerMoveRemarks(int source, int pile, bool king) {
    const bool fromSide = source == 1;
    const int count = CenterCount[pile];
    if (king) {
        if (SoundLevel == 0) {
            PlaySoundSlot(SoundPlayWild);
            Delay(0.75);
        }
        if (CardStyle != 6) view_.SetBackColor(Ctl::Picture4, pile, kWhite);
        if (count == PlayerSlots.Value(1)) {
            if (fromSide) view_.SetCaption(Ctl::Label9, 1, std::string(CRLF) + "Murphy's Law strikes again!");
            else Dumbness();
        }
    }
    if (fromSide) {
        Delay(TempoDelay);
        const int id = PlayerSlots.Id(1);
        DrawPilePicture(Ctl::Picture7, 1, id, 1);
        if (id >= 1 && id <= 104) Deck[id].Seen = 1;
        view_.Refresh(Ctl::Picture7, 1);
    } else if (MovingCard[1] == PlayerSlots.Value(1) && PlayerSlots.Value(1) != 13) {
        Dumbness();
    }

    if (NoComments || count != OppSlots.Value(1)) return;
    // The computer needed that card.
    bool otherEmpty = false;
    for (int s = 1; s <= 3; ++s) otherEmpty |= s != pile && CenterCount[s] == 0;
    if (!NetActive && !(count == 1 && otherEmpty)) {
        int pick = static_cast<int>(rnd_.Next() * 10) + CommentDispleased;
        if (pick > 10) pick = 10;
        view_.SetCaption(Ctl::Label9, 2, Comments[pick]);
        if (SoundLevel == 0) {
            if (fromSide) {
                PlaySoundSlot(SoundWhining);
            } else {
                int slot = static_cast<int>(rnd_.Next() * 4) + SoundLose;
                PlaySoundSlot(slot > 10 ? 10 : slot);
            }
        }
    }
    if (count == 12 && SoundLevel == 0) Delay(0.5);
}

// --- information clicks and developer keys ----------------------------------------------

void Game::Picture1_MouseDown(int Index, int Button, int Shift, double, double) {
    if (Button != btn::Right || Busy || Index < 1 || Index > 10) return;
    DragSlot = Index;
    if (IsHold(Index)) {
        ShowHoldViewer(1);
    } else if (Index == 1) {
        const bool devView = (Shift & keys::Ctrl) != 0 && DevFlag;
        if (PlayerSideCount > 0 && OppSideCount > 0 && !devView)
            view_.SetCaption(Ctl::Label9, 1, OppName + " SIDE : " + NumText(OppSideCount));
        else
            ShowHoldViewer(1);
    }
}

void Game::Picture4_DblClick(int Index) {
    if (Index != 0) return;
    view_.SetCaption(Ctl::Label9, 1, "STOCK: " + NumText(StockTop));
}

void Game::Picture4_MouseDown(int Index, int Button, int Shift, double, double) {
    if (Index != 0 || Button != btn::Right) return;
    if ((Shift & keys::Ctrl) != 0 && DevFlag) {
        DragSlot = 0;
        HoldView.fill(0);
        view_.ShowForm(Form::frmHold, false);
        return;
    }
    view_.SetCaption(Ctl::Label9, 1, "USED: " + NumText(UsedCount));
}

void Game::Picture7_KeyDown(int, int KeyCode, int Shift) {
    // Shortening a pay-off pile keeps its top card on top; a pile of two or fewer stays.
    auto shorten = [](SidePile& pile, int16_t& count) {
        if (count <= 2) return;
        pile.Set(2, pile.Get(count));
        count = 2;
    };
    const int ctrlShift = keys::Ctrl | keys::Shift;
    if (Shift == ctrlShift && KeyCode == keys::P) {
        shorten(PlayerSide, PlayerSideCount);
        view_.Beep();
    } else if (Shift == ctrlShift && KeyCode == keys::S) {
        shorten(OppSide, OppSideCount);
        view_.Beep();
    } else if (Shift == (ctrlShift | keys::Alt) && KeyCode == keys::H) {
        view_.SetCaption(Ctl::Label9, 1, HostAddress);
    } else if (Shift == (ctrlShift | keys::Alt) && KeyCode == keys::A) {
        view_.SetCaption(Ctl::Label9, 1, net_ ? net_->LocalAddress(SockIndex) + ":" + std::to_string(net_->LocalPort(SockIndex)) : "");
    }
}

}  // namespace korbo
