// A table for the computer opponent's tests: the fixture's hand-placed cards, every
// comment slot and sound slot named so that a test can tell which was said or played, and
// a way to run the real computer turn (the fixture's game only counts calls into it).
#pragma once

#include <string>

#include "table_fixture.h"

namespace korbo::test {

struct ComputerFixture : TableFixture {
    void SetUp() override {
        TableFixture::SetUp();
        for (int i = 1; i <= 35; ++i) game.Comments[i] = "comment " + std::to_string(i);
        for (int i = 1; i <= 15; ++i) game.Sounds[i] = "sound" + std::to_string(i) + ".wav";
        game.SoundLevel = 0;
        game.CompLevel = LevelClever;
        // The human acts as soon as the computer waits for it.
        view.onDispatch = [this] { game.AwaitingPlayer = false; };
    }

    // One whole computer turn, as the human's discard starts it.
    void RunComputer() {
        game.Turn = TurnOpponent;
        view.log.clear();
        game.Game::Computer();
    }

    // The computer's HOLD pile k with an explicit shape code.
    void OppPile(int k, std::vector<int> cards, int shape) {
        OppHold(k, std::move(cards));
        game.OppHoldInfo[k][2] = static_cast<int16_t>(shape);
    }

    // Every card not placed goes onto the human's HOLD piles, so that the stock and the
    // used pile are empty: the next refill is a stalemate.
    void RestToPlayerHold() {
        int k = 1;
        for (int id = 1; id <= 104; ++id) {
            if (placed.count(id)) continue;
            while (k <= 4 && game.PlayerHoldCount[k] == 30 && game.PlayerSlots.Value(k + 6) != 0) ++k;
            ASSERT_LE(k, 4) << "too many cards for the HOLD piles";
            if (game.PlayerSlots.Value(k + 6) != 0)
                game.PlayerHold.Set(k, ++game.PlayerHoldCount[k], game.PlayerSlots.Get(k + 6));
            game.PlayerSlots.Set(k + 6, C(Take(id)));
        }
    }
    // `n` cards not yet placed, none of the values in `avoid` and none of the ids in `keep`.
    std::vector<int> Spare(int n, std::initializer_list<int> avoid = {}, std::initializer_list<int> keep = {}) {
        std::vector<int> ids;
        for (int id = 104; id >= 1 && static_cast<int>(ids.size()) < n; --id) {
            if (placed.count(id)) continue;
            bool bad = false;
            for (int k : keep) bad = bad || k == id;
            for (int v : avoid) bad = bad || C(id).Value == v;
            if (!bad) ids.push_back(id);
        }
        EXPECT_EQ(static_cast<int>(ids.size()), n);
        return ids;
    }

    int OppHandCards() const {
        int n = 0;
        for (int h = 2; h <= 6; ++h) n += game.OppSlots.Value(h) != 0;
        return n;
    }
    int HoldCards() const {
        int n = 0;
        for (int k = 1; k <= 4; ++k) n += game.OppHoldInfo[k][1];
        return n;
    }
    bool Said(int slot) const { return Logged("Caption Label9(2)=" + game.Comments[slot]); }
    bool FilePlayed(int slot) const {
        for (auto& f : view.files)
            if (f == game.Sounds[slot]) return true;
        return false;
    }
    // No centre pile has a King at its bottom (a King played as an Ace).
    bool NoKingAsAce() const {
        for (int s = 1; s <= 3; ++s)
            if (game.CenterCount[s] >= 1 && game.Center[s][1].Value == 13) return false;
        return true;
    }
    // The centre pile that holds card `id`, 0 when none does.
    int OnCentre(int id) const {
        for (int s = 1; s <= 3; ++s)
            for (int i = 1; i <= game.CenterCount[s]; ++i)
                if (game.Center[s][i].Id == id) return s;
        return 0;
    }
    // Every card on the centre piles follows the pile's count (a King stands for any value).
    bool CentreInOrder() const {
        for (int s = 1; s <= 3; ++s)
            for (int i = 1; i <= game.CenterCount[s]; ++i) {
                const int v = game.Center[s][i].Value;
                if (v != i && v != 13) return false;
            }
        return true;
    }
};

}  // namespace korbo::test
