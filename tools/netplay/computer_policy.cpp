#include "computer_policy.h"

#include <optional>

#include "game/random.h"

namespace korbo::netplay {

namespace {

// The first move of the shadow's computer turn ends the turn there.
struct FirstMove {
    ComputerPolicy::Choice choice;
};

class ShadowGame final : public Game {
public:
    ShadowGame(TableView& view, Random& rnd, Clock& clock) : Game(view, rnd, clock) {}

    void Prepare(const TableState& real, int level) {
        static_cast<TableState&>(*this) = Mirrored(real);
        CompLevel = static_cast<int16_t>(level);
        NetActive = false;
        NoComments = true;
        AutoSave = false;
        SoundLevel = 2;
        TempoDelay = 0;
        SkipCompDeal = 1;  // the real table has refilled the hand already
        AwaitingPlayer = false;
        for (int k = 1; k <= 4; ++k) OppHoldShape(k);
    }

    // The computer sorts its hand as it plans: the card, not its place, is the choice.
    void Comp_Flip(int source, int pile) override {
        throw FirstMove{{ComputerPolicy::Choice::Play, source, pile, MovingCard[0]}};
    }
    void Move_End_Turn() override {
        const int hold = DropPile >= 1 && DropPile <= 4 ? DropPile + 6 : DropPile;
        const int id = CurIndex >= 2 && CurIndex <= 6 ? OppSlots.Id(CurIndex) : 0;
        throw FirstMove{{ComputerPolicy::Choice::Discard, CurIndex, hold, id}};
    }
    // A shadow never ends a game, refills or reshuffles: the real table does.
    void Game_End() override { throw FirstMove{}; }
    void RESHUFFLE() override { throw FirstMove{}; }
    void STALEMATE() override { throw FirstMove{}; }
};

class ShadowClock final : public Clock {
public:
    double SecondsSinceMidnight() override { return 12 * 3600.0; }
};

}  // namespace

ComputerPolicy::Choice ComputerPolicy::Choose(const Game& g) const {
    TableView silent;
    ShadowClock clock;
    MtRandom rnd(1);
    ShadowGame shadow(silent, rnd, clock);
    shadow.Prepare(g, level_);
    try {
        shadow.Computer();
    } catch (const FirstMove& m) {
        Choice c = m.choice;
        // The place of that card on the real table.
        c.source = 0;
        for (int x = 1; x <= 10 && c.source == 0; ++x)
            if (c.cardId != 0 && g.PlayerSlots.Id(x) == c.cardId) c.source = x;
        if (c.source == 0) c.kind = Choice::None;
        return c;
    }
    return {};
}

bool ComputerPolicy::Try(Game& g, const Choice& c) {
    trying_ = true;
    refused_ = false;
    bool done = false;
    if (c.kind == Choice::Play) done = human_.PlayTo(g, c.source, c.target);
    else if (c.kind == Choice::Discard) done = human_.DiscardTo(g, c.source, c.target);
    trying_ = false;
    return done && !refused_;
}

void ComputerPolicy::Turn(Game& g, const bool& stop) {
    g.AwaitingPlayer = false;
    // Every play takes a card off the player's places, so a turn has fewer plays than cards.
    for (int step = 0; step <= 104 && !stop; ++step) {
        if (g.Turn != TurnPlayer || g.PlayerSideCount == 0 || g.OppSideCount == 0) return;
        const Choice c = Choose(g);
        if (c.kind == Choice::None || !Try(g, c)) break;
        if (c.kind == Choice::Discard) return;
    }
    if (stop || g.Turn != TurnPlayer) return;
    ++fallbacks_;
    human_.Turn(g, stop);
}

}  // namespace korbo::netplay
