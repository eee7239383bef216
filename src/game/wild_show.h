// The computer's King played as wild from a hand or HOLD place: turned face up where it
// lies, announced, then walked to its centre pile.
#pragma once

#include "game.h"

namespace korbo {

// The King in MovingCard leaves place `slot` of the computer for centre pile CurIndex.
void ShowWildKing(Game& g, int slot);

}  // namespace korbo
