// The computer's own routines playing the player's side. A shadow game sees the table from
// the other side (the player's cards as the computer's); its computer turn runs until its
// first move, which is then made on the real table through the mouse entry points, as a
// person would. Move by move, so that a refill or a reshuffle of the real table is always
// what the shadow sees next. Where the real table would not take a move, the scripted human
// finishes the turn.
#pragma once

#include "headless.h"
#include "table_compare.h"

namespace korbo::netplay {

class ComputerPolicy {
public:
    ComputerPolicy(selfplay::ScriptedHuman& human, int level) : human_(human), level_(level) {}

    // The player's whole turn.
    void Turn(Game& g, const bool& stop);

    // While a chosen move is tried on the table, a refusal box is the policy's, not a fault.
    bool Trying() const { return trying_; }
    void Refused() { refused_ = true; }
    // Turns the scripted human had to finish.
    long Fallbacks() const { return fallbacks_; }

    struct Choice {
        enum Kind { None, Play, Discard } kind = None;
        int source = 0;  // the player's place 1..10
        int target = 0;  // a centre pile 1..3, or a HOLD place 7..10
        int cardId = 0;  // the card that moves
    };
    // The computer's next move for the player's side of `g`.
    Choice Choose(const Game& g) const;

private:
    bool Try(Game& g, const Choice& c);

    selfplay::ScriptedHuman& human_;
    int level_;
    bool trying_ = false, refused_ = false;
    long fallbacks_ = 0;
};

}  // namespace korbo::netplay
