// Clearing the table and enabling the player's card pictures.
#include "game.h"
#include "colours.h"

namespace korbo {


void Game::ClearBoard() {
    OppStackImage = static_cast<int16_t>(25 - SideSize);
    PlayerStackImage = static_cast<int16_t>(50 - SideSize);
    TurnAbort = 0;
    Turn = TurnNobody;
    PlayerSideCount = OppSideCount = 0;
    LookAhead = 0;
    UsedCount = 0;
    OppWildPlayed = PlayerWildPlayed = OppWildFromPayOff = PlayerWildFromPayOff = 0;
    DealCounter = 2;
    HandCount = 5;
    WildUpdate();
    view_.SetVisible(Ctl::ImgTurn2, 0, false);
    view_.SetVisible(Ctl::ImgTurn1, 0, false);
    view_.SetVisible(Ctl::ImgHold, 0, false);
    if (!PeerPeeking) view_.SetCaption(Ctl::LabelPeek, 0, "");
    for (auto& row : OppHoldInfo) row.fill(0);
    PlayerHoldCount.fill(0);
    OppHold.ClearAll();
    PlayerHold.ClearAll();
    OppSide.ClearAll();
    PlayerSide.ClearAll();
    for (auto& pile : Center) pile.fill(CardRec{});
    CenterCount.fill(0);
    PlayerSlots.ClearAll();
    OppSlots.ClearAll();
    Deck.fill(DeckRec{});
    UsedPile.fill(CardRec{});
    StockTop = 0;
    view_.CardLibraryReset();
    // The running game's counters restart; the saved totals and best runs stay.
    for (int c = 1; c <= 4; ++c) RunStats[c].fill(0);
    for (int k = 1; k <= 25; ++k) {
        if (view_.Visible(Ctl::Stack, k)) view_.SetVisible(Ctl::Stack, k, false);
        if (view_.Visible(Ctl::Stack, k + 25)) view_.SetVisible(Ctl::Stack, k + 25, false);
    }
    for (int i = 1; i <= 10; ++i) {
        if (view_.Enabled(Ctl::Picture7, i)) view_.SetEnabled(Ctl::Picture7, i, false);
        if (i >= 7) {
            // Every HOLD place is on the new table as an empty pile, whatever a walk left.
            for (Ctl pics : {Ctl::Picture7, Ctl::Picture1}) {
                view_.ClearPicture(pics, i);
                view_.SetBackColor(pics, i, kEmptyPlaceColor);
                if (CardStyle == 6) view_.SetBorderStyle(pics, i, 1);
                view_.SetVisible(pics, i, true);
            }
        } else {
            view_.SetVisible(Ctl::Picture1, i, false);
            view_.SetVisible(Ctl::Picture7, i, false);
        }
    }
    for (int i = 1; i <= 3; ++i) {
        view_.SetVisible(Ctl::LblWild, i, false);
        view_.SetBackColor(Ctl::Picture4, i, kEmptyPlaceColor);
        view_.SetBorderStyle(Ctl::Picture4, i, 1);
        view_.ClearPicture(Ctl::Picture4, i);
    }
    view_.SetBackColor(Ctl::Picture4, 0, DeckColor);
    view_.SetVisible(Ctl::Picture4, 0, true);
    view_.SetVisible(Ctl::Label1, 0, true);
    view_.EnableMenu(Menu::Cheat, true);
    view_.CheckMenu(Menu::Cheat, false);
    CountLost = false;
    PeekFlag = 0;
}

void Game::EnablePic(Ctl pics, bool on) {
    for (int i = 1; i <= 10; ++i) {
        const SideSlots& slots = pics == Ctl::Picture7 ? PlayerSlots : OppSlots;
        const bool want = slots.Value(i) != 0 ? on : false;
        if (view_.Enabled(pics, i) != want) view_.SetEnabled(pics, i, want);
    }
}

}  // namespace korbo
