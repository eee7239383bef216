// The computer opponent's discard: which hand card goes onto which HOLD pile, with the
// hand sort, the duplicate finder and the pairing of HOLD piles with equal tops.
#include <algorithm>

#include "game.h"

namespace korbo {

void Game::Comp_Reseq() {
    for (bool swapped = true; swapped;) {
        swapped = false;
        for (int i = 2; i <= 5; ++i)
            if (OppSlots.Value(i) < OppSlots.Value(i + 1)) {
                const CardRec a = OppSlots.Get(i);
                OppSlots.Set(i, OppSlots.Get(i + 1));
                OppSlots.Set(i + 1, a);
                swapped = true;
            }
    }
    const int last = std::clamp<int>(HandCount + 1, 1, 6);
    for (int h = last + 1; h <= 6; ++h) {
        view_.ClearPicture(Ctl::Picture1, h);
        view_.SetVisible(Ctl::Picture1, h, false);  // no card there: off the table
    }
    Delay(0.1);
    for (int h = 2; h <= last; ++h) DrawPilePicture(Ctl::Picture1, h, PeekFlag != 0 ? OppSlots.Id(h) : 0, 0);
    CurIndex = 2;
}

void Game::Comp_Dups() {
    const int Q = OppSlots.Value(1);
    const int last = std::clamp<int>(HandCount + 1, 1, 6);
    for (int h = last; h >= 3; --h) {
        const int v = OppSlots.Value(h);
        if (v == 0 || v == 13 || v != OppSlots.Value(h - 1)) continue;
        DupSlot = static_cast<int16_t>(h);
        if (v == Q || (h - 2 >= FirstHandSlot && OppSlots.Value(h - 2) == v)) {
            CurIndex = h;
            return;
        }
    }
    if (DupSlot != 0) CurIndex = DupSlot;
}

void Game::Comp_Analyze() {
    auto top = [&](int p) { return OppTop(p); };
    auto under = [&](int p) { return OppUnder(p); };
    auto count = [&](int p) { return static_cast<int>(OppHoldInfo[p][HoldCount]); };
    auto shape = [&](int p) { return static_cast<int>(OppHoldInfo[p][HoldShape]); };
    auto partner = [&](int p) -> int16_t& { return OppHoldInfo[p][HoldPartner]; };
    // One unbroken descending run from the bottom card up to the top.
    auto run = [&](int p) { return count(p) >= 1 && top(p) + count(p) - 1 == OppHold.Value(p, 1); };

    for (int p = 1; p <= 4; ++p) partner(p) = 0;
    for (int p = 1; p <= 4; ++p)
        for (int q = 1; q <= 4; ++q) {
            if (p == q || count(p) == 0 || count(q) == 0 || top(p) != top(q)) continue;
            int16_t& pp = partner(p);
            const int16_t P16 = static_cast<int16_t>(p), Q16 = static_cast<int16_t>(q);
            if (shape(p) == 1) {
                if (shape(q) == 1) {
                    if (under(q) >= under(p)) {
                        pp = top(p) == under(p) ? P16 : Q16;
                        if (under(q) == under(p)) pp = count(q) < count(p) ? Q16 : P16;
                    } else {
                        pp = top(q) == under(q) ? Q16 : P16;
                    }
                } else if (shape(q) == 2) {
                    pp = P16;
                } else {
                    pp = Q16;
                }
            } else if (shape(p) == 2) {
                if (shape(q) == 2) {
                    if (run(p)) pp = run(q) ? (count(q) < count(p) ? Q16 : P16) : Q16;
                    else pp = count(q) < count(p) ? Q16 : P16;
                }
                if (shape(q) == 0 || shape(q) == 1) pp = Q16;
            } else {
                pp = P16;
            }
        }

    const int last = std::clamp<int>(HandCount + 1, 1, 6);
    const int first = std::clamp<int>(FirstHandSlot, 2, 6);
    const int wanted = DropHandSlot >= 2 && DropHandSlot <= 6 ? OppSlots.Value(DropHandSlot) : 0;
    bool stop = false;
    for (int h = first; h <= last && !stop; ++h) {
        if (wanted == 0 || OppSlots.Value(h) != wanted) continue;
        // The search ends at the first pile that takes the duplicate.
        for (int q = 1; q <= 4 && !stop; ++q)
            if (count(q) > 0 && top(q) == OppSlots.Value(h) && partner(q) != 0) {
                RememberedPile = partner(q);
                RememberedSlot = static_cast<int16_t>(h);
                stop = h == DupSlot;
            }
    }
    if (RememberedPile != 0) return;
    for (int q = 4; q >= 1; --q)
        if (partner(q) != 0) {
            RememberedPile = partner(q);
            break;
        }
    if (DupSlot != 0) {
        RememberedSlot = DupSlot;
        return;
    }
    RememberedSlot = FirstHandSlot;
}

// Comp_Drop's choice, step by step. Each step is true when it chose the discard: the hand
// place CurIndex goes onto HOLD pile DropPile. Nothing in the choice moves a card.
class DropChooser {
public:
    explicit DropChooser(Game& g)
        : g_(g),
          Q(g.OppSlots.Value(1)),
          C(g.TargetStack >= 1 && g.TargetStack <= 3 ? g.CenterCount[g.TargetStack] : 0),
          first(std::clamp<int>(g.FirstHandSlot, 2, 6)),
          last(std::clamp<int>(g.HandCount + 1, 1, 6)) {}

    void Choose() {
        if (EqualTops()) return;
        // 2. Duplicates.
        if (g_.HandCount != 1) g_.Comp_Dups();
        if (EmptyHoldPile()) return;
        // 4.
        g_.WorkIndex = 1;
        g_.Comp_Analyze();
        RP = g_.RememberedPile >= 1 && g_.RememberedPile <= 4 ? g_.RememberedPile : 0;
        if (NoHigherTop() || DescendingBuild() || Gaps() || Remembered()) return;
        LastChoices();
    }

private:
    int v(int h) const { return h >= 2 && h <= 6 ? static_cast<int>(g_.OppSlots.Value(h)) : 0; }
    int top(int p) const { return g_.OppTop(p); }
    int under(int p) const { return g_.OppUnder(p); }
    int count(int p) const { return static_cast<int>(g_.OppHoldInfo[p][HoldCount]); }
    int shape(int p) const { return static_cast<int>(g_.OppHoldInfo[p][HoldShape]); }
    bool discard(int h, int p) {
        g_.CurIndex = h;
        g_.DropPile = static_cast<int16_t>(p);
        return true;
    }

    // 1. Equal tops.
    bool EqualTops() {
        g_.DupSlot = g_.DropHandSlot = g_.RememberedPile = 0;
        g_.WorkIndex = 1;
        for (int p = 1; p <= 4; ++p) {
            if (count(p) == 0) {
                ++g_.WorkIndex;
                continue;
            }
            for (int h = first; h <= 6; ++h) {
                if (v(h) == 0 || v(h) != top(p)) continue;
                if (shape(p) == 0) return discard(h, p);
                g_.DropHandSlot = static_cast<int16_t>(h);
                if (shape(p) == 1) A = p;
                else B = p;
            }
            if (top(p) == Q) E = p;
        }
        return false;
    }

    // 3. An empty HOLD pile.
    bool EmptyHoldPile() {
        if (g_.WorkIndex == 1) return false;
        int p = 1;
        while (p < 4 && count(p) != 0) ++p;
        if (g_.DupSlot != 0) return discard(g_.DupSlot, p);
        for (int h = first; h <= last; ++h)
            if (v(h) != Q - 1) return discard(h, p);
        return discard(g_.DropHandSlot != 0 ? g_.DropHandSlot : first, p);
    }

    // 5. No HOLD top above any hand card.
    bool NoHigherTop() {
        bool someHigher = false;
        for (int p = 1; p <= 4; ++p)
            for (int h = first; h <= last; ++h)
                if (count(p) > 0 && v(h) != 0 && top(p) > v(h)) someHigher = true;
        if (someHigher) return false;
        g_.CurIndex = first;
        if (E != 0) return discard(first, E);
        for (int p = 1; p <= 4; ++p)
            if (top(p) == C) return discard(first, p);
        if (RP != 0) return discard(first, RP);
        bool between = false;
        for (int p = 1; p <= 4; ++p)
            if ((C < Q && top(p) >= Q) || (C >= Q && Q <= top(p) && top(p) <= C)) between = true;
        if (!between && g_.DropHandSlot != 0) return discard(g_.DropHandSlot, A != 0 ? A : B);
        for (int p = 1; p <= 4; ++p)
            if (top(p) != 1) {
                for (int h = first; h <= last; ++h)
                    if (v(h) != Q) return discard(h, p);
                return discard(first, p);
            }
        return discard(first, 4);
    }

    // 6. Descending build.
    bool DescendingBuild() {
        for (int h = first; h <= last; ++h)
            for (int p = 1; p <= 4; ++p) {
                if (top(p) - 1 != v(h)) continue;
                if (h == g_.DupSlot && g_.RememberedSlot != 0) return discard(h, RP != 0 ? RP : p);
                if (top(p) == Q) return discard(h, p);
                if ((count(p) == 1 || shape(p) == 2) && v(h) != C) return discard(h, p);
            }
        return false;
    }

    bool Gaps() {
        // 7. Gap search when the target is at or past the pay-off value.
        bool toStage8 = C < Q;
        if (C >= Q) {
            auto ontoE = [&] { return discard(first, RP != 0 && top(RP) == top(E) ? RP : E); };
            for (int g = 1; g <= 10; ++g)
                for (int h = first; h <= last; ++h)
                    for (int p = 1; p <= 4; ++p) {
                        if (!(top(p) <= C && top(p) - g == v(h))) continue;
                        if (g < 4) return discard(h, p);
                        if (E == 0) return RP != 0 ? discard(first, RP) : discard(h, p);
                        return ontoE();
                    }
            if (E != 0) return ontoE();
            if (RP != 0) return discard(g_.RememberedSlot, RP);
            for (int p = 1; p <= 4; ++p)
                if (Q <= top(p) && top(p) <= C) return discard(first, p);
            toStage8 = true;
        }

        // 8. Gap search among cards at or above the pay-off value.
        if (toStage8) {
            bool toStage9 = false;
            for (int g = 1; g <= 10 && !toStage9; ++g)
                for (int h = first; h <= last && !toStage9; ++h) {
                    if (v(h) < Q) continue;
                    for (int p = 1; p <= 4; ++p) {
                        if (!(top(p) >= C && top(p) > v(h) && top(p) - g == v(h) && v(h) >= C)) continue;
                        if (RP != 0 && top(RP) == top(p)) return discard(h, RP);
                        bool otherAbove = false;
                        for (int o = 1; o <= 4; ++o)
                            if (o != p && count(o) > 0 && top(o) == v(h) + 1) otherAbove = true;
                        if (otherAbove) {
                            toStage9 = true;
                            break;
                        }
                        return discard(h, p);
                    }
                }
        }

        // 9. Gap search for low cards.
        for (int g = 1; g <= 10; ++g)
            for (int h = first; h <= last; ++h) {
                if (v(h) > C) continue;
                for (int p = 1; p <= 4; ++p)
                    if (v(h) < top(p) && top(p) <= C && top(p) - g == v(h))
                        return discard(h, RP != 0 && top(RP) == top(p) ? RP : p);
            }
        return false;
    }

    bool Remembered() {
        // 10. Remembered piles.
        if (E != 0) {
            if (RP != 0 && (top(RP) == top(E) || v(first) == top(RP))) return discard(first, RP);
            return discard(first, E);
        }
        if (RP != 0) return discard(g_.RememberedSlot, RP);

        // 11. Equal top again.
        for (int p = 1; p <= 4; ++p) {
            if (shape(p) == 2) continue;
            for (int h = first; h <= last; ++h)
                if (v(h) != 0 && v(h) == top(p)) return discard(first, p);
        }

        // 12. Wide gap search.
        for (int g = 1; g <= 10; ++g)
            for (int h = first; h <= last; ++h)
                for (int p = 1; p <= 4; ++p) {
                    if (top(p) - g != v(h)) continue;
                    if (C >= Q || v(h) >= Q || top(p) >= Q) return discard(h, p);
                }

        // 13.
        for (int p = 1; p <= 4; ++p)
            if (top(p) <= C && top(p) <= Q) return discard(first, p);
        for (int p = 1; p <= 4; ++p)
            if (top(p) <= C) return discard(first, p);
        return false;
    }

    void LastChoices() {
        const int dropSlot = g_.DropHandSlot;
        // 14. Gap search among cards below the pay-off value.
        int kept = 0;
        for (int g = 1; g <= 10; ++g)
            for (int h = first; h <= last; ++h) {
                if (v(h) >= Q) continue;
                for (int p = 1; p <= 4; ++p) {
                    if (v(h) <= C && C < top(p) && top(p) < Q) continue;
                    if (top(p) - g != v(h)) continue;
                    if (h != dropSlot) {
                        discard(h, p);
                        return;
                    }
                    kept = p;
                }
            }

        // 15.
        if (E != 0) {
            const int wanted = v(dropSlot);
            for (int h = first; h <= last; ++h)
                if (v(h) != wanted) {
                    discard(h, E);
                    return;
                }
            if (E == A && dropSlot != 0) {
                discard(dropSlot, E);
                return;
            }
        }

        // 16.
        if (kept != 0) {
            discard(dropSlot, kept);
            return;
        }
        if (dropSlot != 0) {
            for (int p = 1; p <= 4; ++p)
                if (top(p) != under(p) - 1) {
                    discard(dropSlot, p);
                    return;
                }
            if (A != 0) {
                discard(dropSlot, A);
                return;
            }
        }

        // 17.
        for (int p = 1; p <= 4; ++p)
            if (Q <= top(p) && top(p) <= C) {
                discard(first, p);
                return;
            }

        // 18.
        for (int s = 1; s <= 3; ++s)
            for (int p = 1; p <= 4; ++p)
                if (top(p) > Q || top(p) <= g_.CenterCount[s]) {
                    discard(first, p);
                    return;
                }

        // 19. Last resort.
        const int r = static_cast<int>(g_.Rnd().Next() * 4) + 1;
        discard(first, r > 4 ? 4 : r);
    }

    Game& g_;
    const int Q;      // the computer's pay-off value
    const int C;      // the count of the target centre pile (0 none)
    const int first;  // the first hand place that is not a King
    const int last;   // the last hand place holding a card
    int A = 0, B = 0; // a HOLD pile of shape 1, of shape 2, whose top equals a hand card
    int E = 0;        // a HOLD pile whose top is the pay-off value
    int RP = 0;       // the remembered pile of the analysis (0 none)
};

void Game::Comp_Drop() { DropChooser(*this).Choose(); }

}  // namespace korbo
