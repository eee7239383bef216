// The computer opponent's play planning: how far the human could chain, the plan of
// cards per centre pile on simulated counts, the safety check of a plan, where a pay-off
// King goes, and the last-chance and forced plays before the discard.
#include "game.h"
#include "house_rules.h"

namespace korbo {

namespace {

// Move_Comp's steps are a small machine; this bounds it far above any real plan, so a
// fault in the data can never hang a turn.
constexpr int kPlanGuard = 100000;
constexpr int kPlanLastStep = 15;

}  // namespace

// --- the simulated plan --------------------------------------------------------------------

int Game::SimTop(int pile) const { return OppHoldValue(pile, HoldSimCount, 0); }
int Game::SimUnder(int pile) const { return OppHoldValue(pile, HoldSimCount, 1); }

void Game::PlanAppend(int pile, int place, CardRec card) {
    const int n = PlanSteps[pile][PlanLength] + 1;
    if (n > kPlanLastStep) return;
    PlanSteps[pile][PlanLength] = static_cast<int16_t>(n);
    PlanSlots[pile][n] = static_cast<int16_t>(place);
    planCards_[pile][n] = card;
    int count = PlanSteps[pile][PlanCount] + 1;
    if (count >= 12) count = 0;  // the pile would be cleared
    PlanSteps[pile][PlanCount] = static_cast<int16_t>(count);
}

void Game::PlanDropLast(int pile) {
    const int n = PlanSteps[pile][PlanLength];
    if (n <= 0) return;
    if (PlanMark == n) PlanMark = 0;
    PlanSteps[pile][PlanLength] = static_cast<int16_t>(n - 1);
    // A dropped Queen leaves the eleven cards under it.
    const int count = PlanSteps[pile][PlanCount] == 0 ? 12 : PlanSteps[pile][PlanCount];
    PlanSteps[pile][PlanCount] = static_cast<int16_t>(count - 1);
}

int Game::PlanValue(int pile) const {
    const int n = PlanSteps[pile][PlanLength];
    return n >= 1 && n <= kPlanLastStep ? planCards_[pile][n].Value : 0;
}

void Game::PlanAccept() {
    if (PlanMark == 14 && PlanHandSlot >= 1 && PlanHandSlot <= 3) CurIndex = PlanHandSlot;
    PlayFound = 1;
}

void Game::StartSinglePlan(int pile, int place) {
    if (pile < 1 || pile > 3) return;
    PlanSteps[pile][PlanLength] = 0;
    PlanSteps[pile][PlanCount] = CenterCount[pile];
    PlanMark = 0;
    PlanHandSlot = 0;
    for (int p = 1; p <= 4; ++p) OppHoldInfo[p][HoldSimCount] = OppHoldInfo[p][HoldCount];
    if (place >= 7 && place <= 10 && OppHoldInfo[place - 6][HoldSimCount] > 0) --OppHoldInfo[place - 6][HoldSimCount];
}

int Game::NearestPile(int value) {
    for (LookAhead = 1; LookAhead <= 11; ++LookAhead)
        for (int i = 1; i <= 3; ++i) {
            const int sum = CenterCount[i] + LookAhead;
            if (sum == value || (sum > 12 && sum - 12 == value)) return i;
        }
    LookAhead = 11;
    return 1;
}

// --- how far down the human can chain ------------------------------------------------------

void Game::Ck_Player() {
    const int p = PlayerSlots.Value(1);
    int d = p;
    EmptyStack = 0;
    for (int s = 1; s <= 3; ++s)
        if (CenterCount[s] == 0) EmptyStack = static_cast<int16_t>(s);
    const bool empty = EmptyStack != 0;
    auto top = [&](int place) { return static_cast<int>(PlayerSlots.Value(place)); };

    bool stop = d == 1 && empty;
    // Chains down over the HOLD tops; each sweep repeats only after a match, and a match
    // lowers d, so the sweeps end. The bound is only a guard.
    for (int sweeps = 0; !stop && sweeps < 64; ++sweeps) {
        bool again = false, lastMatched = false;
        for (int place = 7; place <= 10; ++place) {
            if (d == 1) {
                if (empty) {
                    stop = true;
                    break;
                }
                d = 13;  // the chain wraps past the Queen
            }
            lastMatched = top(place) != 0 && top(place) == d - 1;
            if (lastMatched) {
                --d;
                if (d == 1) {
                    if (empty) stop = true;
                    else again = true;
                    break;
                }
            }
        }
        if (stop || !(again || lastMatched)) break;
    }
    for (int sweeps = 0; !stop && sweeps < 64; ++sweeps) {
        bool again = false;
        for (int place = 7; place <= 10; ++place) {
            if (top(place) != 0 && top(place) == d - 1) {
                --d;
                if (d == 1) {
                    if (empty) stop = true;
                    else again = true;
                    break;
                }
            }
        }
        if (!again) break;
    }
    if (d == 13) d = 1;

    int c = 0;
    bool anyEmpty = false;
    for (int k = 1; k <= 4; ++k) {
        if (OppHoldInfo[k][HoldShape] == 1 && OppHoldInfo[k][HoldCount] > 0) ++c;
        if (OppHoldInfo[k][HoldCount] == 0) anyEmpty = true;
    }
    if (anyEmpty) c = 0;
    if (c >= 3 && StockTop + UsedCount > 12) --c;
    if (CompLevel == LevelAverage) c = 4;

    WorkIndex = 0;
    for (int s = 1; s <= 3; ++s)
        if (CenterCount[s] < p) WorkIndex = static_cast<int16_t>(s);
    const bool lowOrEmpty = empty || WorkIndex != 0;

    if (c < 3) {
        if (d > 3) d -= 3;
        else d = lowOrEmpty ? 1 : d + 9;
    } else if (c == 3) {
        if (d > 2) d -= 2;
        else d = lowOrEmpty ? 1 : d + 10;
    } else {
        if (d != 1) d -= 1;
        else d = lowOrEmpty ? 1 : 11;
    }
    DangerValue = static_cast<int16_t>(d);
}

// --- the plan of one pile --------------------------------------------------------------------

void Game::Move_Comp() {
    const int P = PlayerSlots.Value(1), Q = OppSlots.Value(1);
    enum class Go { Start, Hand, Hold, NoNatural, NextPile };
    Go go = Go::Start;
    int s = CurIndex;
    auto targetCount = [&] { return TargetStack >= 1 && TargetStack <= 3 ? CenterCount[TargetStack] : 0; };
    auto planFull = [&](int pile) { return PlanSteps[pile][PlanLength] >= kPlanLastStep; };

    for (int guard = 0; guard < kPlanGuard; ++guard) {
        switch (go) {
        case Go::Start: {
            if (CurIndex < 1 || CurIndex > 3) {
                CurIndex = 3;
                PlayFound = 0;
                return;
            }
            s = CurIndex;
            PlanSteps[s][PlanLength] = 0;
            PlanSteps[s][PlanCount] = CenterCount[s];
            PlayFound = 0;
            HandLeft = HandCount;
            PlanMark = 0;
            PlanHandSlot = 0;
            for (int p = 1; p <= 4; ++p) OppHoldInfo[p][HoldSimCount] = OppHoldInfo[p][HoldCount];
            go = Go::Hand;
            break;
        }

        case Go::Hand: {
            s = CurIndex;  // after a switch the plan goes on on the target pile
            const int next = PlanSteps[s][PlanCount] + 1;
            int h = 0;
            for (int x = 2; x <= 6 && h == 0; ++x) {
                const int v = OppSlots.Value(x);
                if (v != 0 && v != 13 && v == next) h = x;
            }
            if (h == 0) {
                go = Go::Hold;
                break;
            }
            if (planFull(s)) {
                PlanAccept();
                return;
            }
            --HandLeft;
            PlanStep = static_cast<int16_t>(h);
            Move_Plan();

            // A HOLD card of the same value may be played in place of the hand card.
            const int v = next;
            int taken = 0, tentative = 0;
            for (int p = 1; p <= 4; ++p) {
                if (OppHoldInfo[p][HoldSimCount] < 1 || SimTop(p) != v) continue;
                PlanStep = static_cast<int16_t>(p);
                Move_Comp_Hold();
                if (SideChoice != 99) {
                    taken = SideChoice;  // none keeps the hand card
                    tentative = 0;
                    break;
                }
                if (OppHoldInfo[p][HoldSimCount] <= 1) continue;
                const int top = SimTop(p), under = SimUnder(p);
                if (under == top + 1) {
                    taken = p;
                    tentative = 0;
                    break;
                }
                const int tc = targetCount();
                if (under != top && s != TargetStack && tc < under && under < Q) {
                    if (under == tc + 1 && under + 1 == Q) {
                        const int n = PlanSteps[s][PlanLength];
                        if (n >= 1) {
                            PlanSlots[s][n] = static_cast<int16_t>(p + 6);
                            planCards_[s][n] = OppHold.Get(p, OppHoldInfo[p][HoldSimCount]);
                        }
                        PlayFound = 1;
                        return;
                    }
                    taken = p;
                    tentative = 0;
                    break;
                }
                if (under == top) {
                    taken = 0;
                    tentative = 0;
                    break;
                }
                if (HandLeft != 0) {
                    tentative = p;
                    PlanMark = PlanSteps[s][PlanLength];
                }
            }
            if (taken == 0) taken = tentative;
            if (taken >= 1 && taken <= 4 && OppHoldInfo[taken][HoldSimCount] >= 1) {
                const int n = PlanSteps[s][PlanLength];
                if (n >= 1) {
                    PlanSlots[s][n] = static_cast<int16_t>(taken + 6);
                    planCards_[s][n] = OppHold.Get(taken, OppHoldInfo[taken][HoldSimCount]);
                }
                --OppHoldInfo[taken][HoldSimCount];
                ++HandLeft;
                // A pile emptied this way frees a place for the discard: see whether the
                // target pile gets on with it. An accepted plan stands as it is, and while a
                // switch is open (phase 2) the pile it saved is never replaced by another
                // switch: the same two switches would come round for ever.
                if (OppHoldInfo[taken][HoldSimCount] == 0 && PlayFound == 0 && PlanPhase != 2 && DropHandSlot >= 1 &&
                    DropHandSlot <= 3) {
                    PlanHandSlot = static_cast<int16_t>(s);
                    const int t = DropHandSlot;
                    if (t != s) {
                        PlanSteps[t][PlanLength] = 0;
                        PlanSteps[t][PlanCount] = CenterCount[t];
                    }
                    CurIndex = t;
                    PlanMark = 14;
                    PlanPhase = 2;
                }
            }
            if (PlayFound == 1) return;
            go = Go::Hand;
            break;
        }

        case Go::Hold: {
            if (PlanMark == 14) {
                go = Go::NoNatural;
                break;
            }
            const int next = PlanSteps[s][PlanCount] + 1;
            int remembered = 0, play = 0;
            bool decided = false;
            for (int p = 1; p <= 4 && !decided; ++p) {
                if (OppHoldInfo[p][HoldSimCount] < 1 || SimTop(p) != next) continue;
                PlanStep = static_cast<int16_t>(p);
                Move_Comp_Hold();
                if (SideChoice != 99) {
                    play = SideChoice != 0 ? SideChoice : remembered;
                    decided = true;
                    break;
                }
                remembered = p;
                const int shape = OppHoldInfo[p][HoldShape];
                if (shape == 1 || shape == 2) {
                    const int top = SimTop(p), under = SimUnder(p), tc = targetCount();
                    if (under == top + 1 || (tc < under && under < Q)) {
                        play = p;
                        decided = true;
                        break;
                    }
                    PlanMark = static_cast<int16_t>(PlanSteps[s][PlanLength] + 1);
                }
            }
            if (!decided) play = remembered;
            if (play < 1 || play > 4 || OppHoldInfo[play][HoldSimCount] < 1) {
                go = Go::NoNatural;
                break;
            }
            if (planFull(s)) {
                PlanAccept();
                return;
            }
            --OppHoldInfo[play][HoldSimCount];
            PlanStep = static_cast<int16_t>(play + 6);
            Move_Plan();
            if (PlayFound == 1) return;
            go = Go::Hand;
            break;
        }

        case Go::NoNatural: {
            // A hand of Kings only: the first of them goes onto the target. The mark can
            // outlive the hand it was set for (a pay-off King's plan may have played the
            // Kings and refilled the hand), so the card must still be a King.
            const int kingSlot = FirstHandSlot >= 2 && FirstHandSlot <= 6 ? FirstHandSlot : 2;
            if (PlayKind == 13 && s == TargetStack && OppSlots.Value(kingSlot) == 13) {
                const int h = kingSlot;
                if (!planFull(s)) PlanAppend(s, h, OppSlots.Get(h));
                PlayFound = 1;
                return;
            }
            if (PlanPhase == 0) {
                // Kings as wild cards.
                int kingPlace = 0;
                if (!(NoWildAce && PlanSteps[s][PlanCount] == 0)) {
                    for (int p = 1; p <= 4 && kingPlace == 0; ++p)
                        if (OppHoldInfo[p][HoldSimCount] >= 1 && SimTop(p) == 13) kingPlace = p + 6;
                    for (int x = WildSearchFrom < 1 ? 1 : WildSearchFrom; x <= 6 && kingPlace == 0; ++x)
                        if (OppSlots.Value(x) == 13) kingPlace = x;
                }
                if (kingPlace == 0) {
                    PlanPhase = 1;
                    CurIndex = 1;
                    go = Go::Start;
                    break;
                }
                if (planFull(s)) {
                    PlanAccept();
                    return;
                }
                if (kingPlace >= 7) --OppHoldInfo[kingPlace - 6][HoldSimCount];
                else WildSearchFrom = static_cast<int16_t>(kingPlace + 1);
                PlanStep = static_cast<int16_t>(kingPlace);
                Move_Plan();
                if (PlayFound == 1) return;
                PlanMark = 1;
                go = Go::Hand;
                break;
            }
            if (PlanPhase == 2) {
                // Back to the pile saved by the switch, to check its plan.
                if (PlanHandSlot >= 1 && PlanHandSlot <= 3) CurIndex = PlanHandSlot;
                s = CurIndex;
                PlanMark = 1;
                PlanPhase = 1;
            }

            // The safety check of the plan of s.
            const int D = DangerValue;
            const bool empty = EmptyStack != 0;
            auto otherPile = [&](auto&& test) {
                for (int j = 1; j <= 3; ++j)
                    if (j != s && test(j)) return true;
                return false;
            };
            auto humanHoldHas = [&](int v) {
                for (int x = 7; x <= 10; ++x)
                    if (PlayerSlots.Value(x) != 0 && PlayerSlots.Value(x) == v) return true;
                return false;
            };
            for (;;) {
                if (PlanSteps[s][PlanLength] == 0) break;
                int v = PlanValue(s), n = PlanSteps[s][PlanCount];
                if ((v == 1 && PlayKind == 1) || (v == 2 && PlayKind == 2) || v == P ||
                    (CompLevel != LevelAverage && n == P) ||
                    otherPile([&](int j) { return CenterCount[j] == v || (n != 0 && CenterCount[j] == n); })) {
                    PlayFound = 1;
                    return;
                }
                Move_Wait();
                if (PlayFound == 1) return;
                if (PlanSteps[s][PlanLength] == 0) break;
                v = PlanValue(s);
                n = PlanSteps[s][PlanCount];
                bool accept = D < P && v < D - 1;
                accept = accept || otherPile([&](int j) { return CenterCount[j] >= n && CenterCount[j] < P; }) ||
                         (D > P && otherPile([&](int j) {
                              return CenterCount[s] > CenterCount[j] && CenterCount[j] < P;
                          }));
                if (!accept) {
                    if (D <= P) {
                        if (D != 1) accept = v > P || v < D - 1;
                        else if (!empty) accept = v > P && v != 12;
                        else accept = v > P;
                    } else {
                        accept = P < v && v < D - 1;
                    }
                }
                accept = accept || (PlanSteps[s][PlanLength] == 1 && humanHoldHas(v));
                if (accept) {
                    PlayFound = 1;
                    return;
                }
                PlanDropLast(s);
            }
            go = Go::NextPile;
            break;
        }

        case Go::NextPile: {
            if (PayOffKingMode || PlanPhase == 0) return;
            if (s + 1 > 3) {
                CurIndex = 3;
                PlayFound = 0;
                return;
            }
            CurIndex = s + 1;
            go = Go::Start;
            break;
        }
        }
    }
    PlayFound = 0;
}

void Game::Move_Plan() {
    const int s = CurIndex;
    if (s < 1 || s > 3 || PlanStep < 1 || PlanStep > 10) return;
    const int P = PlayerSlots.Value(1), Q = OppSlots.Value(1);
    if (PayOffKingMode && PlanSteps[s][PlanCount] == 0 && NoWildAce && PlanStep == 1) return;
    if (PlanSteps[s][PlanLength] >= kPlanLastStep) {
        // The plan table is full: the plan stands as it is.
        PlanAccept();
        return;
    }
    CardRec card;
    if (PlanStep >= 7) {
        // The caller has already taken the card off the simulated pile.
        const int p = PlanStep - 6;
        const int pos = OppHoldInfo[p][HoldSimCount] + 1;
        card = pos >= 1 && pos <= 30 ? OppHold.Get(p, pos) : CardRec{};
    } else {
        card = OppSlots.Get(PlanStep);
    }
    PlanAppend(s, PlanStep, card);
    const int count = PlanSteps[s][PlanCount];
    if (!PayOffKingMode && count + 1 == Q) {
        PlanAccept();
        return;
    }
    if (HandLeft == 0) {
        PlanAccept();
        return;
    }
    if (RevisitPile != 0 && count == P) {
        RevisitPile = 0;
        PlayFound = 1;
        return;
    }
    if (PayOffKingMode && count == P) {
        PlayFound = 1;
        if (WildSearchFrom != 2) RevisitPile = static_cast<int16_t>(s);
    }
}

void Game::Move_Comp_Hold() {
    SideChoice = 99;
    const int p = PlanStep;
    if (p < 1 || p > 4) return;
    const int tp = SimTop(p);
    if (tp == 0 || tp == 13) return;
    // np, nq: the sizes the plan has left; realP, realQ: the piles' sizes on the table.
    const int shp = OppHoldInfo[p][HoldShape], np = OppHoldInfo[p][HoldSimCount], realP = OppHoldInfo[p][HoldCount];
    const bool pRun = SimUnder(p) == tp + 1;
    for (int q = 1; q <= 4; ++q) {
        if (q == p || OppHoldInfo[q][HoldSimCount] < 1 || SimTop(q) != tp) continue;
        const int shq = OppHoldInfo[q][HoldShape], nq = OppHoldInfo[q][HoldSimCount], realQ = OppHoldInfo[q][HoldCount];
        const bool qRun = SimUnder(q) == SimTop(q) + 1;
        if (CompLevel == LevelAverage) {
            if ((shq == 2 && (shp != 2 || realQ > realP)) || (shq != 2 && np == 1 && shq == 1 && nq > np)) {
                SideChoice = static_cast<int16_t>(q);
                return;
            }
        } else if (shp == 0) {
            if (shq != 0) SideChoice = static_cast<int16_t>(q);
            else if (np == 1 || nq > np) SideChoice = 0;
            else SideChoice = static_cast<int16_t>(q);
            return;
        } else if ((!pRun && qRun) || (pRun && qRun && realQ > realP)) {
            SideChoice = static_cast<int16_t>(q);
            return;
        }
    }
}

void Game::Move_Wait() {
    const int s = CurIndex;
    if (s < 1 || s > 3 || PlanSteps[s][PlanLength] == 0) return;
    const int P = PlayerSlots.Value(1), Q = OppSlots.Value(1);
    const int m = CompLevel == LevelAverage || StockTop + UsedCount < 13 ? 2 : 3;
    if (PlanValue(s) == 13) return;
    auto humanHoldHas = [&](int v) {
        for (int x = 7; x <= 10; ++x)
            if (PlayerSlots.Value(x) != 0 && PlayerSlots.Value(x) == v) return true;
        return false;
    };
    // Each round drops a step, so the rounds end.
    while (PlanSteps[s][PlanLength] > 0) {
        int v = PlanValue(s), n = PlanSteps[s][PlanCount];
        if (PlanSteps[s][PlanLength] == 1 && humanHoldHas(v)) {
            PlayFound = 1;
            return;
        }
        for (int j = 1; j <= 3; ++j)
            if (j != s && (CenterCount[j] == v || (n != 0 && CenterCount[j] == n))) {
                PlayFound = 1;
                return;
            }
        if (Q < 5) {
            if (v >= Q || (v == 1 && m == 2)) return;
        } else if (v < Q - m || v >= Q) {
            return;
        }
        PlanDropLast(s);
        if (PlanSteps[s][PlanLength] == 0) return;
        v = PlanValue(s);
        n = PlanSteps[s][PlanCount];
        if (v == P || n == P) {
            PlayFound = 1;
            return;
        }
        if (v > Q || (v < Q - m && Q >= 5)) return;
    }
}

// --- where a pay-off King goes -----------------------------------------------------------------

void Game::Move_Wild() {
    const int P = PlayerSlots.Value(1), D = DangerValue;
    if (CompLevel == LevelRuthless) {
        const int t = NearestPile(P);
        TargetStack = static_cast<int16_t>(t);
        PlanPhase = 0;
        WildSearchFrom = 1;
        PlanSlots[t][0] = 1;
        DropHandSlot = static_cast<int16_t>(t);  // this plan's target, as the pass sets it later
        CurIndex = t;
        Move_Comp();
        if (PlayFound == 1) {
            Comp_Play();
            WildSearchFrom = 2;
            if (CompTurnStopped()) return;
            // A pile that the plan cleared cannot take the King while Kings may not be Aces.
            if (!(NoWildAce && (CurIndex < 1 || CurIndex > 3 || CenterCount[CurIndex] == 0))) return;
        } else if (!NoWildAce) {
            CurIndex = 1;
            WildSearchFrom = 2;
            Move_Comp();
            if (PlayFound == 1) {
                Comp_Play();
                if (CompTurnStopped()) return;
            }
        }
    }
    const bool empty = EmptyStack != 0;
    for (int i = 1; i <= 3; ++i) {
        if (NoWildAce && CenterCount[i] == 0) continue;
        const int n = CenterCount[i] + 1;
        bool outside;
        if (D <= P) {
            if (D == 1 && !empty) outside = n > P && n != 12;
            else if (D == 1) outside = n > P;
            else
                outside = (CompLevel != LevelAverage && EmptyStack == 2 && CenterCount[i] < P - 6) || n > P ||
                          n < D - 1;
        } else {
            outside = P < n && n < D - 1;
        }
        if (outside) {
            CurIndex = i;
            return;
        }
    }
    if (NoWildAce)
        for (int i = 1; i <= 3; ++i)
            if (CenterCount[i] != 0) {
                CurIndex = i;
                return;
            }
    if (CompLevel == LevelRuthless) {
        int best = 1;
        if (CenterCount[2] < CenterCount[1]) best = 2;
        if (CenterCount[3] < CenterCount[best]) best = 3;
        CurIndex = best;
    } else {
        CurIndex = 2;
    }
}

// --- last-chance and forced plays --------------------------------------------------------------

void Game::Comp_BeforeDrop() {
    Comp_Reseq();
    CurIndex = DropHandSlot;
    const int last = HandCount + 1 > 6 ? 6 : HandCount + 1;
    FirstHandSlot = 2;
    for (int h = 2; h <= last; ++h)
        if (OppSlots.Value(h) != 13) {
            FirstHandSlot = static_cast<int16_t>(h);
            break;
        }
    if (OppSlots.Value(FirstHandSlot) == 13 && !NoWildAce) {
        PlayKind = 13;
        PlayFound = 1;
    }
    if (RevisitPile != 0) {
        const int r = RevisitPile;
        TargetStack = static_cast<int16_t>(r);
        CurIndex = r;
        PlanPhase = 0;
        WildSearchFrom = 2;
        Move_Comp();
        if (PlayFound == 1) Comp_Play();
        RevisitPile = 0;
        if (CompTurnStopped()) return;
    }
    if (PlayFound != 0 || ForcedRule == 0) return;

    auto findPlace = [&](int value) {
        if (ForcedRule < VisibleOnly)
            for (int h = 2; h <= last; ++h)
                if (OppSlots.Value(h) == value) return h;
        for (int x = 7; x <= 10; ++x)
            if (OppSlots.Value(x) == value) return x;
        return 0;
    };
    auto firstPileWith = [&](int count) {
        for (int s = 1; s <= 3; ++s)
            if (CenterCount[s] == count) return s;
        return 0;
    };
    if (house_rules::ForcedAceOn(ForcedRule)) {
        const int pile = firstPileWith(0);
        const int x = pile != 0 ? findPlace(1) : 0;
        if (x != 0) {
            PlayFound = 1;
            PlayKind = 1;
            CurIndex = pile;
            PlanStep = static_cast<int16_t>(x);
        }
    }
    // The Two's search follows in every case; a forced Two found replaces the Ace.
    if (house_rules::ForcedTwoOn(ForcedRule)) {
        const int pile = firstPileWith(1);
        const int x = pile != 0 ? findPlace(2) : 0;
        if (x != 0) {
            PlayFound = 1;
            PlayKind = 2;
            CurIndex = pile;
            PlanStep = static_cast<int16_t>(x);
        }
    }
}

}  // namespace korbo
