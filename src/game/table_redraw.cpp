// Bringing the table's pictures in line with the game state: the full redraw, the pay-off
// thickness shapes, the wild counters of the status bar and the peek at the opponent's hand.
#include <string>

#include "game.h"
#include "korbogl.h"
#include "wild_show.h"
#include "records/text_number.h"
#include "colours.h"
#include "persona_slots.h"

namespace korbo {

void Game::Redraw() {
    const bool pictureCards = CardStyle == 6;
    for (int i = 1; i <= 10; ++i) {
        if (PlayerSlots.Value(i) != 0) {
            DrawPilePicture(Ctl::Picture7, i, PlayerSlots.Id(i), 0);
            if (pictureCards) {
                if (i >= 7) view_.SetBorderStyle(Ctl::Picture7, i, 1);
                else {
                    view_.SetBorderStyle(Ctl::Picture7, i, 0);
                    view_.SetBorderStyle(Ctl::Picture1, i, 0);
                }
                view_.Refresh(Ctl::Picture7, i);
            } else {
                view_.SetBorderStyle(Ctl::Picture1, 1, 1);
            }
        }
    }
    if (OppSlots.Value(1) != 0) DrawPilePicture(Ctl::Picture1, 1, OppSlots.Id(1), 0);
    else if (DeckChoice != 0 || StandardDeckColor(DeckColor)) view_.SetBorderStyle(Ctl::Picture1, 1, 1);
    for (int i = 2; i <= 6; ++i) {
        if (OppSlots.Value(i) != 0) {
            if (PeekFlag == 1) {
                DrawPilePicture(Ctl::Picture1, i, OppSlots.Id(i), 0);
            } else {
                DrawPilePicture(Ctl::Picture1, i, 0, 1);
                if (DeckChoice != 0) view_.SetBorderStyle(Ctl::Picture1, i, 1);
            }
        }
        view_.SetBorderStyle(Ctl::Picture7, i, pictureCards ? 0 : 1);
    }
    for (int i = 7; i <= 10; ++i) {
        if (OppSlots.Value(i) != 0) DrawPilePicture(Ctl::Picture1, i, OppSlots.Id(i), 0);
        view_.Refresh(Ctl::Picture1, i);
    }
    for (int i = 1; i <= 3; ++i) {
        const int count = CenterCount[i];
        if (pictureCards) {
            // Without its border the card's corners show: the pile's empty colour must not.
            if (count != 0) {
                view_.SetBorderStyle(Ctl::Picture4, i, 0);
                view_.SetBackColor(Ctl::Picture4, i, kWhite);
            }
        } else {
            view_.SetBorderStyle(Ctl::Picture4, i, 1);
        }
        if (count >= 1 && count <= 12) {
            const CardRec top = Center[i][count];
            DrawPilePicture(Ctl::Picture4, i, top.Id, 1);
            if (top.Value == 13) {
                view_.SetVisible(Ctl::LblWild, i, true);
                view_.SetCaption(Ctl::LblWild, i, std::to_string(count));
                view_.SetToolTip(Ctl::Picture4, i, records::NumText(count));
            } else {
                view_.SetToolTip(Ctl::Picture4, i, "");
                view_.SetVisible(Ctl::LblWild, i, false);
            }
        } else {
            view_.SetToolTip(Ctl::Picture4, i, "");
            view_.SetVisible(Ctl::LblWild, i, false);
        }
        view_.Refresh(Ctl::Picture4, i);
    }
    view_.SetBackColor(Ctl::Picture4, 0, DeckColor);
    // An 800-pixel-wide screen shows the smaller stock with the plainer picture.
    const bool plainStock = ScreenWidth == 12000 && DeckChoice == 0 && StandardDeckColor(DeckColor);
    view_.SetFilePicture(Ctl::Picture4, 0, plainStock ? 2 : 0);
    for (int k = 25; k >= 26 - SideSize && k >= 1; --k) {
        view_.SetBackColor(Ctl::Stack, k, DeckColor);
        view_.SetBackColor(Ctl::Stack, k + 25, DeckColor);
    }
    view_.DrawCard(Ctl::ImgHold, 0, 0);
    if (!TableDealt || PlayerSideCount <= 1) view_.SetVisible(Ctl::ImgHold, 0, false);
    if (!TableDealt) {
        view_.SetBorderStyle(Ctl::Picture7, 1, 1);
        view_.SetBorderStyle(Ctl::Picture1, 1, 1);
    }
    if (BackIndex == BackPicCount + 1) view_.SetTableBackColor(MatColor);
}

void Game::StackCurrent() { StackCurrent(true); }

void Game::StackCurrent(bool show) {
    if (OppStackImage == 99) return;
    // Indices come from saved or received games: only existing shapes are touched.
    for (int k = 25; k >= OppStackImage + 1 && k >= 1; --k) view_.SetVisible(Ctl::Stack, k, show);
    for (int k = 50; k >= PlayerStackImage + 1 && k >= 26; --k) view_.SetVisible(Ctl::Stack, k, show);
}

void Game::WildUpdate() {
    const std::string prefix = ScreenWidth > 9600 ? "Wild: " : "";
    view_.SetCaption(Ctl::StatusBar1, 4,
                     prefix + records::NumText(PlayerWildFromPayOff) + "/" + records::NumText(PlayerWildPlayed));
    view_.SetCaption(Ctl::StatusBar1, 8,
                     prefix + records::NumText(OppWildFromPayOff) + "/" + records::NumText(OppWildPlayed));
}

void Game::Peek() {
    for (int s = 2; s <= 6; ++s) {
        if (OppSlots.Value(s) == 0) continue;
        if (PeekFlag != 0) {
            DrawPilePicture(Ctl::Picture1, s, OppSlots.Id(s), 1);
            view_.Refresh(Ctl::Picture1, s);
        } else {
            DrawPilePicture(Ctl::Picture1, s, 0, 1);
        }
    }
    PlayResource(SndKind1);
}

void Game::WildShow(int slot) { ShowWildKing(*this, slot); }

void ShowWildKing(Game& g, int slot) {
    if (slot >= 2 && slot <= 6) g.DrawPilePicture(Ctl::Picture1, slot, g.MovingCard[0], 1);
    // At full sound the persona's "Wild Card" sound holds the game until it ends.
    if (g.SoundLevel == 0) {
        if (!g.Sounds[SoundWildCard].empty()) g.View().PlayFile(g.Sounds[SoundWildCard], true);
    } else {
        g.Delay(0.75);
    }
    g.View().WalkTheCard(Ctl::Picture1, slot, Ctl::Picture4, g.CurIndex);
    g.WildShown = 0;
}

}  // namespace korbo
