// The computer's routines on the player's side: they choose what the computer would choose
// in the player's place, and whole games played with them keep every card in one place and
// come to an end, the scripted human finishing only the odd turn.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "computer_policy.h"
#include "game/random.h"

namespace korbo::netplay {
namespace {

// A solo game: the policy plays the player's side, the computer the other.
class PolicyGame final : public Game {
public:
    PolicyGame(TableView& view, Random& rnd, Clock& clock, selfplay::ScriptedHuman& human)
        : Game(view, rnd, clock), human_(human) {}
    void Computer() override {
        human_.DiscardArrived();
        Game::Computer();
    }
    void Game_End() override {
        AwaitingPlayer = false;
        Turn = TurnNobody;
    }

private:
    selfplay::ScriptedHuman& human_;
};

// The first move the computer makes on its own side of a table.
class FirstComputerMove final : public Game {
public:
    using Game::Game;
    struct Stop {};
    ComputerPolicy::Choice first;
    void Comp_Flip(int source, int pile) override {
        first = {ComputerPolicy::Choice::Play, source, pile, MovingCard[0]};
        throw Stop{};
    }
    void Move_End_Turn() override {
        first = {ComputerPolicy::Choice::Discard, CurIndex, DropPile >= 1 && DropPile <= 4 ? DropPile + 6 : DropPile,
                 OppSlots.Id(CurIndex)};
        throw Stop{};
    }
};

struct Table {
    selfplay::HeadlessClock clock;
    std::vector<std::string> faults;
    int stalemates = 0;
    selfplay::HeadlessView view{clock,
                                {{},
                                 [this](std::string_view text, std::string_view title) {
                                     if (title == "Stalemate") return stalemates++ < 3 ? mb::IDYes : mb::IDNo;
                                     if (!policy || !policy->Trying()) faults.push_back(std::string(text));
                                     else policy->Refused();
                                     return mb::IDOK;
                                 },
                                 [this] {
                                     if (game) game->AwaitingPlayer = false;
                                 }}};
    selfplay::ScriptedHuman human{view,
                                  {[this](const std::string& w) { faults.push_back(w); },
                                   [this](const char* where) {
                                       const std::string f = CheckPartition(*game);
                                       if (!f.empty()) faults.push_back(std::string(where) + ": " + f);
                                   },
                                   [](int, int) {}}};
    std::optional<ComputerPolicy> policy;
    std::optional<PolicyGame> game;
};

TEST(ComputerPolicyTest, ItChoosesWhatTheComputerWouldInThePlayersPlace) {
    for (uint64_t seed = 1; seed <= 40; ++seed) {
        for (int level : {LevelAverage, LevelRuthless}) {
            TableView silent;
            selfplay::HeadlessClock clock;
            MtRandom rnd(seed);
            FirstComputerMove g(silent, rnd, clock);
            g.BuildDeck();
            g.ShuffleDeck();
            g.DealCards();
            g.CompLevel = static_cast<int16_t>(level);
            g.NoComments = true;
            g.TempoDelay = 0;
            g.SkipCompDeal = 1;
            g.Turn = TurnOpponent;
            const TableState before = g;
            try {
                g.Computer();
            } catch (const FirstComputerMove::Stop&) {
            }
            // The same table from the other side, the player to move.
            Table t;
            MtRandom rnd2(seed);
            t.game.emplace(t.view, rnd2, t.clock, t.human);
            static_cast<TableState&>(*t.game) = Mirrored(before);
            const ComputerPolicy policy(t.human, level);
            const ComputerPolicy::Choice c = policy.Choose(*t.game);
            EXPECT_EQ(c.kind, g.first.kind) << "seed " << seed;
            EXPECT_EQ(c.cardId, g.first.cardId) << "seed " << seed;
            EXPECT_NE(c.source, 0) << "seed " << seed;
            EXPECT_EQ(t.game->PlayerSlots.Id(c.source), c.cardId) << "seed " << seed;
            EXPECT_EQ(c.target, g.first.target) << "seed " << seed;
        }
    }
}

TEST(ComputerPolicyTest, WholeGamesKeepTheCardsAndEnd) {
    struct Case {
        int level;
        bool forcedAce, noWildAce;
    };
    const Case cases[] = {{0, false, false}, {1, true, false}, {2, false, true}, {2, true, true}};
    for (const Case& k : cases) {
        long turns = 0, fallbacks = 0;
        for (uint64_t seed = 1; seed <= 25; ++seed) {
            Table t;
            MtRandom rnd(seed);
            t.game.emplace(t.view, rnd, t.clock, t.human);
            t.policy.emplace(t.human, k.level);
            PolicyGame& g = *t.game;
            g.CompLevel = static_cast<int16_t>(k.level);
            g.ForcedRule = k.forcedAce ? ForcedAce : 0;
            g.NoWildAce = k.noWildAce;
            g.ClearBoard();
            g.TableDealt = true;
            g.BuildDeck();
            g.ShuffleDeck();
            g.DealCards();
            g.ChooseFirstPlayer();
            g.SkipCompDeal = 1;
            g.SkipPlayerDeal = 2;
            g.GoDeal();
            bool stop = false;
            for (int guard = 0; guard < 2000 && g.Turn == TurnPlayer && g.PlayerSideCount > 0 && g.OppSideCount > 0;
                 ++guard) {
                ++turns;
                t.policy->Turn(g, stop);
                stop = !t.faults.empty();
            }
            EXPECT_TRUE(t.faults.empty()) << "seed " << seed << ": " << (t.faults.empty() ? "" : t.faults[0]);
            EXPECT_EQ(CheckPartition(g), "");
            EXPECT_TRUE(g.PlayerSideCount == 0 || g.OppSideCount == 0 || g.Turn == TurnNobody) << "seed " << seed;
            fallbacks += t.policy->Fallbacks();
        }
        // The computer's routines made the turns, not the scripted human.
        EXPECT_LT(fallbacks * 10, turns) << "level " << k.level;
    }
}

}  // namespace
}  // namespace korbo::netplay
