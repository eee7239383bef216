// The deal: building, shuffling, dealing, the first player and the refills.
#include <gtest/gtest.h>

#include <ostream>
#include <set>

#include "fakes/case_names.h"
#include "fakes/game_fixture.h"
#include "game/korbogl.h"

namespace korbo::test {
namespace {

struct DealTest : GameFixture {
    void Deal(int sideSize, bool apart = false) {
        game.SideSize = static_cast<int16_t>(sideSize);
        game.ShuffleApart = apart;
        game.ClearBoard();
        game.SetUp();
    }
};

TEST_F(DealTest, StockCountsFollowThePayOffSize) {
    struct Case { int sideSize, stock; } cases[] = {{19, 54}, {25, 42}, {9, 74}, {14, 64}};
    for (auto c : cases) {
        Deal(c.sideSize);
        SCOPED_TRACE(c.sideSize);
        EXPECT_EQ(game.StockTop, c.stock);
        EXPECT_EQ(game.PlayerSideCount, c.sideSize + 1);
        EXPECT_EQ(game.OppSideCount, c.sideSize + 1);
        EXPECT_EQ(CheckPartition(game), "");
        EXPECT_EQ(CountCardsInPlay(game), 104);
        for (int h = 2; h <= 6; ++h) {
            EXPECT_NE(game.PlayerSlots.Value(h), 0);
            EXPECT_NE(game.OppSlots.Value(h), 0);
        }
        EXPECT_TRUE(game.Turn == TurnOpponent || game.Turn == TurnPlayer);
        EXPECT_EQ(game.SkipCompDeal, 1);
        EXPECT_EQ(game.SkipPlayerDeal, 2);
    }
}

TEST_F(DealTest, DealTakesFromTheTopAndAlternatesPlayerFirst) {
    game.ClearBoard();
    game.BuildDeck();  // unshuffled: position i holds card i
    game.DealCards();
    // The first cards dealt lie at the bottom of the pay-off piles.
    EXPECT_EQ(game.PlayerSide.Id(1), 104);
    EXPECT_EQ(game.OppSide.Id(1), 103);
    EXPECT_EQ(game.PlayerSide.Id(20), 66);
    EXPECT_EQ(game.OppSide.Id(20), 65);
    EXPECT_EQ(game.PlayerSlots.Id(1), 66);
    EXPECT_EQ(game.PlayerSlots.Id(2), 64);
    EXPECT_EQ(game.OppSlots.Id(2), 63);
    EXPECT_EQ(game.PlayerSlots.Id(6), 56);
    EXPECT_EQ(game.OppSlots.Id(6), 55);
    EXPECT_EQ(game.Deck[55].Id, 0);
    EXPECT_EQ(game.Deck[54].Id, 54);
}

TEST_F(DealTest, TheRemoteTakesTheOtherCardOfEachPair) {
    game.ClearBoard();
    game.BuildDeck();
    game.NetActive = true;
    game.NetRole = 0;
    game.DealCards();
    EXPECT_EQ(game.PlayerSide.Id(1), 103);
    EXPECT_EQ(game.OppSide.Id(1), 104);
    EXPECT_EQ(game.PlayerSlots.Id(2), 63);
    EXPECT_EQ(game.OppSlots.Id(2), 64);
}

TEST_F(DealTest, ShuffleApartNeverMixesTheDecks) {
    for (int round = 0; round < 20; ++round) {
        game.ClearBoard();
        game.ShuffleApart = true;
        game.BuildDeck();
        game.ShuffleDeck();
        std::set<int> first;
        for (int i = 1; i <= 52; ++i) first.insert(game.Deck[i].Id);
        ASSERT_EQ(first.size(), 52u);
        EXPECT_EQ(*first.begin(), 1);
        EXPECT_EQ(*first.rbegin(), 52);
    }
}

TEST_F(DealTest, ShufflesMoveCardsButNeverTallies) {
    game.ClearBoard();
    game.BuildDeck();
    for (int i = 1; i <= 104; ++i) game.Deck[i].Seen = static_cast<int16_t>(i);
    game.ShuffleDeck();
    int moved = 0;
    for (int i = 1; i <= 104; ++i) {
        EXPECT_EQ(game.Deck[i].Seen, i);
        moved += game.Deck[i].Id != i;
        EXPECT_EQ(game.Deck[i].Value, ((game.Deck[i].Id - 1) % 13) + 1);
    }
    EXPECT_GT(moved, 80);
}

TEST_F(DealTest, ShufflingApartKeepsTalliesAndDealsFromTheSecondDeckFirst) {
    for (uint32_t seed : {1u, 2u, 3u}) {
        SCOPED_TRACE(seed);
        MtRandom r(seed);
        Game g{view, r, clock};
        g.ClearBoard();
        g.ShuffleApart = true;
        g.BuildDeck();
        for (int i = 1; i <= 104; ++i) g.Deck[i].Seen = static_cast<int16_t>(200 + i);
        g.ShuffleDeck();
        for (int i = 1; i <= 104; ++i) {
            EXPECT_EQ(g.Deck[i].Seen, 200 + i);
            EXPECT_EQ(g.Deck[i].Id <= 52, i <= 52) << i;
            EXPECT_EQ(g.Deck[i].Value, ((g.Deck[i].Id - 1) % 13) + 1);
        }
        g.DealCards();
        // 20-card piles and two hands take positions 104 down to 55: all of the second deck.
        for (int p = 1; p <= 20; ++p) {
            EXPECT_GT(g.PlayerSide.Id(p), 52);
            EXPECT_GT(g.OppSide.Id(p), 52);
        }
        for (int h = 2; h <= 6; ++h) {
            EXPECT_GT(g.PlayerSlots.Id(h), 52);
            EXPECT_GT(g.OppSlots.Id(h), 52);
        }
        for (int i = 1; i <= 52; ++i) EXPECT_LE(g.Deck[i].Id, 52);
        EXPECT_EQ(CheckPartition(g), "");
    }
}

// A King on top always begins, whatever the other top and whatever the coin would say;
// only two Kings go to the coin.
TEST_F(DealTest, AKingTopAlwaysBegins) {
    for (int other = 1; other <= 13; ++other) {
        for (bool playerHasKing : {true, false}) {
            SCOPED_TRACE(other * 10 + playerHasKing);
            ScriptedRandom coin;
            coin.script = {playerHasKing ? 0.0 : 0.99};  // the coin would pick the other side
            Game g{view, coin, clock};
            g.PlayerSlots.Value(1) = static_cast<int16_t>(playerHasKing ? 13 : other);
            g.OppSlots.Value(1) = static_cast<int16_t>(playerHasKing ? other : 13);
            g.ChooseFirstPlayer();
            if (other == 13) {
                EXPECT_EQ(coin.next, 1u);
                EXPECT_EQ(g.Turn, playerHasKing ? TurnOpponent : TurnPlayer);
            } else {
                EXPECT_EQ(coin.next, 0u);
                EXPECT_EQ(g.Turn, playerHasKing ? TurnPlayer : TurnOpponent);
            }
        }
    }
}

TEST_F(DealTest, PictureCardsTakeTheirValuesFromTheLibrary) {
    game.CardStyle = 6;
    view.libraryValues.assign(105, 7);
    game.BuildDeck();
    EXPECT_EQ(game.Deck[1].Value, 7);
    EXPECT_EQ(game.Deck[104].Value, 7);
}

// The first player by the pay-off tops.
struct FirstPlayerCase {
    const char* why;
    int player, opp;
    double coin;
    int turn;
};

void PrintTo(const FirstPlayerCase& c, std::ostream* os) { *os << c.why; }

class FirstPlayer : public GameFixture, public ::testing::WithParamInterface<FirstPlayerCase> {};

TEST_P(FirstPlayer, ComparesTheTopsAndFlipsOnATie) {
    ScriptedRandom coin;
    coin.script = {GetParam().coin};
    Game g{view, coin, clock};
    g.PlayerSlots.Value(1) = static_cast<int16_t>(GetParam().player);
    g.OppSlots.Value(1) = static_cast<int16_t>(GetParam().opp);
    g.ChooseFirstPlayer();
    EXPECT_EQ(g.Turn, GetParam().turn);
}

INSTANTIATE_TEST_SUITE_P(Tops, FirstPlayer,
                         ::testing::Values(FirstPlayerCase{"a King beats all", 13, 12, 0.0, TurnPlayer},
                                           FirstPlayerCase{"the King of the opponent", 12, 13, 0.9, TurnOpponent},
                                           FirstPlayerCase{"an Ace loses", 1, 2, 0.9, TurnOpponent},
                                           FirstPlayerCase{"a tie and coin 1", 5, 5, 0.49, TurnOpponent},
                                           FirstPlayerCase{"a tie and coin 2", 5, 5, 0.5, TurnPlayer}),
                         NamedByWhy{});

// Arrange a deck so that the tops are the given values.
void StackTops(Game& g, int playerTop, int oppTop) {
    g.ClearBoard();
    g.BuildDeck();
    // After the deal the tops are the cards at positions 66 (player) and 65 (opponent).
    g.Deck[66].Value = static_cast<int16_t>(playerTop);
    g.Deck[65].Value = static_cast<int16_t>(oppTop);
    g.DealCards();
}

// The deal alone: the computer's turn that it starts is only counted.
class DealOnlyGame : public Game {
public:
    using Game::Game;
    int computerCalls = 0;
    void Computer() override { ++computerCalls; }
};

// The tie: both texts, and each side of the coin gives the turn to its side.
TEST_F(DealTest, ATieIsDecidedByTheCoin) {
    for (double r : {0.0, 0.4999, 0.5, 0.9999}) {
        SCOPED_TRACE(r);
        ScriptedRandom coin;
        coin.script = {r};
        RecordingView v;
        DealOnlyGame g{v, coin, clock};
        StackTops(g, 9, 9);
        g.ChooseFirstPlayer();
        EXPECT_EQ(g.Turn, r < 0.5 ? TurnOpponent : TurnPlayer);
        g.GoDeal();
        EXPECT_EQ(v.Caption(Ctl::Label9, 1), "It was a tie...\r\nWe flipped for it.");
        EXPECT_EQ(v.Caption(Ctl::Label9, 2), r < 0.5 ? "I won the toss --\r\nSo I go FIRST!" : "\r\n\r\nYOU go first");
    }
}

TEST_F(DealTest, ATieShowsBothTiesTexts) {
    ScriptedRandom coin;
    coin.script = {0.1};
    RecordingView v;
    DealOnlyGame g{v, coin, clock};
    StackTops(g, 7, 7);
    g.ChooseFirstPlayer();
    ASSERT_EQ(g.Turn, TurnOpponent);
    g.GoDeal();
    EXPECT_EQ(v.Caption(Ctl::Label9, 1), "It was a tie...\r\nWe flipped for it.");
    EXPECT_EQ(v.Caption(Ctl::Label9, 2), "I won the toss --\r\nSo I go FIRST!");
    EXPECT_EQ(g.computerCalls, 1);
}

TEST_F(DealTest, TheOpponentsHigherTopIsAnnounced) {
    DealOnlyGame g{view, rnd, clock};
    StackTops(g, 4, 9);
    g.ChooseFirstPlayer();
    g.GoDeal();
    EXPECT_EQ(view.Caption(Ctl::Label9, 2), "My  9 beats\r\nyour 4\r\nSo I go FIRST!");
    EXPECT_TRUE(view.Visible(Ctl::ImgTurn1, 0));
    EXPECT_FALSE(view.Visible(Ctl::ImgTurn2, 0));
    EXPECT_EQ(g.computerCalls, 1);
}

TEST_F(DealTest, ThePlayerGoesFirstWithPicturesEnabled) {
    StackTops(game, 10, 3);
    game.ChooseFirstPlayer();
    game.GoDeal();
    EXPECT_EQ(view.Caption(Ctl::Label9, 2), "\r\n\r\nYOU go first");
    EXPECT_TRUE(view.Enabled(Ctl::Picture7, 2));
    EXPECT_FALSE(view.Enabled(Ctl::Picture7, 7));  // empty HOLD places stay disabled
    EXPECT_TRUE(view.Visible(Ctl::ImgTurn2, 0));
    // The deal shows the tops, tallies them and every hand card once.
    EXPECT_EQ(game.Deck[game.PlayerSlots.Id(1)].Seen, 1);
    EXPECT_EQ(game.Deck[game.OppSlots.Id(4)].Seen, 1);
    EXPECT_EQ(view.Drawn(Ctl::Picture1, 3), 0);  // the opponent's hand face down
    EXPECT_EQ(view.Drawn(Ctl::Picture7, 3), game.PlayerSlots.Id(3));
    EXPECT_EQ(view.walks, 10);
    EXPECT_TRUE(view.Played(SndShuffle));
    EXPECT_TRUE(view.Visible(Ctl::Stack, 25));
    EXPECT_TRUE(view.Visible(Ctl::Stack, 7));
    EXPECT_FALSE(view.Visible(Ctl::Stack, 6));
    EXPECT_TRUE(view.Visible(Ctl::Stack, 32));
    EXPECT_DOUBLE_EQ(game.TempoDelay, 0.38);  // the deal's faster tempo is given back
}

TEST_F(DealTest, NewGameIsRefusedDuringTheComputersTurn) {
    game.Turn = TurnOpponent;
    game.StockTop = 33;
    game.NewGame_Click();
    ASSERT_EQ(view.boxes.size(), 1u);
    EXPECT_EQ(view.boxes[0].text, "At least let me finish my turn first!");
    EXPECT_EQ(view.boxes[0].title, "Korbo:");
    EXPECT_EQ(game.StockTop, 33);
}

TEST_F(DealTest, NewGameDealsAndAsksForThePlayerFromTheSecondGameOn) {
    game.NewGame_Click();
    EXPECT_TRUE(game.TableDealt);
    EXPECT_TRUE(view.forms.empty());
    EXPECT_TRUE(view.Played(SndNewGame));
    EXPECT_EQ(CheckPartition(game), "");
    game.Turn = TurnPlayer;
    game.NewGame_Click();
    ASSERT_EQ(view.forms.size(), 1u);
    EXPECT_EQ(view.forms[0].first, Form::frmWelcome);
    EXPECT_TRUE(view.forms[0].second);
}

TEST_F(DealTest, SoundLevelNoneIsSilent) {
    game.SoundLevel = 2;
    game.NewGame_Click();
    EXPECT_TRUE(view.sounds.empty());
}

// --- refills --------------------------------------------------------------------------

struct RefillTest : DealTest {
    void SetUp() override {
        Deal(19);
        view.log.clear();
    }
};

// Moves a hand card to the used pile, as a play would, so that no card leaves the table.
void PlayOut(Game& g, SideSlots& slots, int place) {
    g.UsedPile[++g.UsedCount] = slots.Get(place);
    slots.Clear(place);
}

TEST_F(RefillTest, FillsOnlyEmptyPlacesFromTheTop) {
    const int top = game.Deck[game.StockTop].Id;
    PlayOut(game, game.PlayerSlots, 3);
    PlayOut(game, game.PlayerSlots, 5);
    game.HandCount = 3;
    game.Deal_Player();
    EXPECT_EQ(game.PlayerSlots.Id(3), top);
    EXPECT_EQ(game.StockTop, 52);
    EXPECT_EQ(game.HandCount, 5);
    EXPECT_EQ(view.Caption(Ctl::Label9, 1), "");
    EXPECT_EQ(CheckPartition(game), "");
}

TEST_F(RefillTest, APlayedOutHandAnnouncesThePickUp) {
    for (int h = 2; h <= 6; ++h) game.PlayerSlots.Clear(h);
    for (int h = 2; h <= 6; ++h) game.OppSlots.Clear(h);
    // The cleared cards leave the table; the partition is not checked here.
    game.HandCount = 0;
    game.Deal_Player();
    EXPECT_EQ(view.Caption(Ctl::Label9, 1), "\r\n\r\nYOU Picked Up");
    game.HandCount = 0;
    game.Deal_Comp();
    EXPECT_EQ(view.Caption(Ctl::Label9, 1), "I Picked Up");
    game.NetActive = true;
    game.OppName = "Ann";
    for (int h = 2; h <= 6; ++h) game.OppSlots.Clear(h);
    game.HandCount = 0;
    game.Deal_Comp();
    EXPECT_EQ(view.Caption(Ctl::Label9, 1), "Ann Picked Up");
}

TEST_F(RefillTest, TempoRules) {
    game.TempoDelay = 0.6;
    game.PlayerSlots.Clear(2);
    view.pauses.clear();
    game.Deal_Player();
    ASSERT_FALSE(view.pauses.empty());
    EXPECT_DOUBLE_EQ(view.pauses[0], 0.3);
    EXPECT_DOUBLE_EQ(game.TempoDelay, 0.6);

    game.NetActive = true;
    game.PlayerSlots.Clear(2);
    view.pauses.clear();
    game.Deal_Player();
    EXPECT_DOUBLE_EQ(view.pauses[0], 0.05);
    game.NetActive = false;

    game.OppSlots.Clear(4);
    view.pauses.clear();
    game.Deal_Comp();
    ASSERT_EQ(view.pauses.size(), 2u);
    EXPECT_DOUBLE_EQ(view.pauses[0], 0.3);
    EXPECT_DOUBLE_EQ(view.pauses[1], 1.2);  // the opponent's refill ends with 2 x tempo
}

TEST_F(RefillTest, CountsDealtCardsWhileCountingIsOn) {
    game.CountCards = true;
    const int id = game.Deck[game.StockTop].Id;
    game.OppSlots.Clear(2);
    game.Deal_Comp();
    EXPECT_EQ(game.Deck[id].Seen, 1);
    EXPECT_EQ(view.Drawn(Ctl::Picture1, 2), 0);  // not peeking: a back
    game.CountCards = false;
    game.PeekFlag = 1;
    const int next = game.Deck[game.StockTop].Id;
    game.OppSlots.Clear(3);
    game.Deal_Comp();
    EXPECT_EQ(game.Deck[next].Seen, 0);
    EXPECT_EQ(view.Drawn(Ctl::Picture1, 3), next);
}

// Records the hand-overs of the refill to the reshuffle and the stalemate.
struct HandOverGame : Game {
    using Game::Game;
    int reshuffles = 0, stalemates = 0;
    void RESHUFFLE() override { ++reshuffles; }
    void STALEMATE() override { ++stalemates; }
};

TEST_F(DealTest, AnEmptyStockReshufflesAndANothingLeftIsAStalemate) {
    HandOverGame g{view, rnd, clock};
    g.ClearBoard();
    g.SetUp();
    g.TempoDelay = 0.4;
    // Empty the stock onto the used pile by hand: the partition stays whole.
    while (g.StockTop > 0) {
        g.UsedPile[++g.UsedCount] = {g.Deck[g.StockTop].Id, g.Deck[g.StockTop].Value};
        g.Deck[g.StockTop] = {0, 0, g.Deck[g.StockTop].Seen};
        --g.StockTop;
    }
    g.PlayerSlots.Clear(4);
    g.Deal_Player();
    EXPECT_EQ(g.reshuffles, 3);  // at each place up to the empty one; ours leaves the stock empty...
    EXPECT_EQ(g.stalemates, 1);  // ...so the refill finds nothing and hands over
    EXPECT_DOUBLE_EQ(g.TempoDelay, 0.4);
    EXPECT_EQ(g.PlayerSlots.Value(4), 0);
}

}  // namespace
}  // namespace korbo::test
