// A table where the player can take the card the computer needs: centre pile 1 stands at
// Three, the computer's pay-off card is a Four, and the player holds a Four on top of HOLD
// pile 1 and a King in hand (place 3).
#pragma once

#include "table_fixture.h"

namespace korbo::test {

inline void NeededCardTable(TableFixture& t) {
    t.PlayerSide({V(7), V(10)});
    t.OppSide({V(8), V(4, 4)});
    t.PlayerHand({V(2), V(13), V(9)});
    t.OppHand({V(6, 1), V(7, 1)});
    t.Centre(1, {V(1, 1), V(2, 1), V(3, 2)});
    t.PlayerHold(1, {V(12, 1)}, V(4, 3));
    t.RestTo();
    t.PlayersTurn();
}

}  // namespace korbo::test
