// Building the centre piles, and clearing a complete pile to the used pile.
#include "game.h"
#include "korbogl.h"
#include "records/text_number.h"
#include "colours.h"

namespace korbo {

void Game::Add_Center() {
    if (CurIndex < 1 || CurIndex > 3 || CenterCount[CurIndex] >= 12) return;  // never past a pile's end
    const int n = ++CenterCount[CurIndex];
    Center[CurIndex][n] = {MovingCard[0], MovingCard[1]};
    if (MovingCard[1] != 13) {
        view_.SetToolTip(Ctl::Picture4, CurIndex, "");
        view_.SetVisible(Ctl::LblWild, CurIndex, false);
    } else {
        const std::string stands = records::NumText(n) + " ";
        view_.SetCaption(Ctl::LblWild, CurIndex, stands);
        view_.SetToolTip(Ctl::Picture4, CurIndex, stands);
        view_.SetVisible(Ctl::LblWild, CurIndex, true);
    }
}

void Game::Add_Used() {
    if (CurIndex < 1 || CurIndex > 3) return;
    view_.SetCaption(Ctl::Label9, 0, "CLEARING");
    view_.SetVisible(Ctl::LblWild, CurIndex, false);
    for (int p = 1; p <= 12; ++p) {
        if (UsedCount < 104) UsedPile[++UsedCount] = Center[CurIndex][p];
        Center[CurIndex][p] = {};
    }
    CenterCount[CurIndex] = 0;
    PlayResource(SndKind1);
    Delay(2 * TempoDelay);
    view_.SetBackColor(Ctl::Picture4, CurIndex, kEmptyPlaceColor);
    view_.ClearPicture(Ctl::Picture4, CurIndex);
    Delay(2 * TempoDelay);
    view_.SetCaption(Ctl::Label9, 0, " ");
}

}  // namespace korbo
