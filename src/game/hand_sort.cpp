// Rearranging a hand: one card moves to another hand place and the cards between shift
// one place towards where it came from.
#include "game.h"

namespace korbo {

void Game::ShowHandPlace(const SideSlots& slots, Ctl pics, int place) {
    if (slots.Value(place) == 0) {
        view_.ClearPicture(pics, place);
        view_.SetVisible(pics, place, false);
        return;
    }
    // The opponent's hand stays face down unless the player is peeking.
    if (pics == Ctl::Picture1 && PeekFlag == 0) {
        view_.SetBackColor(pics, place, DeckColor);
        DrawPilePicture(pics, place, 0, 0);
    } else {
        DrawPilePicture(pics, place, slots.Id(place), 0);
    }
}

void Game::Hand_Sort(SideSlots& slots, Ctl pics, int from, int to) {
    // The places may come from a peer's message: only hand places are moved.
    if (from < 2 || from > 6 || to < 2 || to > 6 || from == to) return;
    const CardRec moved = slots.Get(from);
    view_.HandSortAnimation(pics, from, to);
    PlayResource(SndKind1);
    const int step = from < to ? 1 : -1;
    for (int i = from; i != to; i += step) {
        slots.Set(i, slots.Get(i + step));
        ShowHandPlace(slots, pics, i);
        Delay(0.02);
    }
    slots.Set(to, moved);
    ShowHandPlace(slots, pics, to);
    view_.Refresh(pics, to);
    view_.DrawCard(Ctl::ImgHold, 0, 0);
}

}  // namespace korbo
