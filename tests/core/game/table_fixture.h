// A laid-out table with cards placed by hand, for the tests of the player's moves, the
// stalemate and the statistics. The game records the calls into the routines that other
// parts of the table own.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <initializer_list>
#include <set>
#include <string>
#include <vector>

#include "fakes/manual_clock.h"
#include "fakes/recording_view.h"
#include "game/game.h"
#include "game/random.h"

namespace korbo::test {

// Card ids by value: copy n (0..7) of a value, over both decks.
inline int16_t V(int value, int copy = 0) { return static_cast<int16_t>(copy * 13 + value); }
inline CardRec C(int id) { return {static_cast<int16_t>(id), static_cast<int16_t>(((id - 1) % 13) + 1)}; }

class RecordingGame : public Game {
public:
    using Game::Game;
    // The computer opponent's helpers, for the tests of its parts.
    using Game::NearestPile;
    using Game::OppHoldShape;
    using Game::PlanValue;
    using Game::PlanAppend;
    int computerCalls = 0, opponentCalls = 0, gameEndCalls = 0, dumbnessCalls = 0;
    int transmitCalls = 0, transmitDoneCalls = 0;
    int turnAtComputer = -1;
    std::vector<int> transmittedTargets;
    std::function<void()> onComputer, onTransmit;
    // Message types the peer "sends", one taken by each ProcessNext; the text goes with it.
    std::deque<std::pair<int, std::string>> incoming;

    void Computer() override {
        ++computerCalls;
        turnAtComputer = Turn;
        if (onComputer) onComputer();
    }
    void Opponent() override { ++opponentCalls; }
    void Game_End() override {
        ++gameEndCalls;
        Game::Game_End();
    }
    void Dumbness() override { ++dumbnessCalls; }
    void Move_Transmit() override {
        ++transmitCalls;
        transmittedTargets.push_back(MoveTarget);
        if (onTransmit) onTransmit();
    }
    void Move_Transmit_Done() override { ++transmitDoneCalls; }
    // Back to a fresh game: every table field and every record.
    void Reset() {
        static_cast<TableState&>(*this) = TableState();
        computerCalls = opponentCalls = gameEndCalls = dumbnessCalls = transmitCalls = transmitDoneCalls = 0;
        turnAtComputer = -1;
        transmittedTargets.clear();
        onComputer = onTransmit = nullptr;
        incoming.clear();
    }
    void ProcessNext() override {
        if (incoming.empty()) {
            NetActive = false;  // nothing more will ever come: the network game is over
            return;
        }
        NetMsgType = incoming.front().first;
        NetMsgText = incoming.front().second;
        incoming.pop_front();
    }
};

struct TableFixture : ::testing::Test {
    RecordingView view;
    ManualClock clock;
    MtRandom rnd{4242};
    RecordingGame game{view, rnd, clock};
    std::set<int> placed;

    static constexpr int kHandTop = 8000, kHoldTop = 5500, kCentreTop = 3000;

    static Rect HandRect(int i) { return {1000 + 1100 * (i - 2), kHandTop, 1000, 1400}; }
    static Rect HoldRect(int i) { return {1000 + 1200 * (i - 7), kHoldTop, 1000, 1400}; }
    static Rect CentreRect(int s) { return {1000 + 1200 * (s - 1), kCentreTop, 1000, 1400}; }
    static Rect SideRect() { return {7000, kHandTop, 1000, 1400}; }
    static Rect StockRect() { return {5000, kCentreTop, 1000, 1400}; }

    // Also called again inside a test to start a case from scratch.
    void SetUp() override {
        view = RecordingView();
        game.Reset();
        placed.clear();
        game.CardWidth = 1000;
        game.CardHeight = 1400;
        game.CardGap = 500;
        game.TempoDelay = 0.1;
        game.PlayerName = "Ann";
        game.OppName = "Korbo";
        game.ClearBoard();
        view.rects.clear();
        view.rects[{Ctl::Picture7, 1}] = SideRect();
        for (int i = 2; i <= 6; ++i) view.rects[{Ctl::Picture7, i}] = HandRect(i);
        for (int i = 7; i <= 10; ++i) view.rects[{Ctl::Picture7, i}] = HoldRect(i);
        for (int s = 1; s <= 3; ++s) view.rects[{Ctl::Picture4, s}] = CentreRect(s);
        view.rects[{Ctl::Picture4, 0}] = StockRect();
    }

    int16_t Take(int id) {
        EXPECT_TRUE(placed.insert(id).second) << "card " << id << " placed twice by the test";
        return static_cast<int16_t>(id);
    }
    // Pay-off piles, bottom first; the last is the top.
    void PlayerSide(std::initializer_list<int> ids) {
        for (int id : ids) game.PlayerSide.Set(++game.PlayerSideCount, C(Take(id)));
        game.PlayerSlots.Set(1, game.PlayerSide.Get(game.PlayerSideCount));
    }
    void OppSide(std::initializer_list<int> ids) {
        for (int id : ids) game.OppSide.Set(++game.OppSideCount, C(Take(id)));
        game.OppSlots.Set(1, game.OppSide.Get(game.OppSideCount));
    }
    // Hand places 2..6; 0 leaves a place empty.
    void PlayerHand(std::initializer_list<int> ids) {
        int h = 2, n = 0;
        for (int id : ids) {
            if (id != 0) game.PlayerSlots.Set(h, C(Take(id))), ++n;
            ++h;
        }
        game.HandCount = static_cast<int16_t>(n);
    }
    void OppHand(std::initializer_list<int> ids) {
        int h = 2;
        for (int id : ids) {
            if (id != 0) game.OppSlots.Set(h, C(Take(id)));
            ++h;
        }
    }
    // The player's HOLD pile k: covered cards bottom first, then its top.
    void PlayerHold(int k, std::vector<int> covered, int top) {
        for (int id : covered) game.PlayerHold.Set(k, ++game.PlayerHoldCount[k], C(Take(id)));
        game.PlayerSlots.Set(k + 6, C(Take(top)));
    }
    void OppHold(int k, std::vector<int> cards) {
        for (int id : cards) game.OppHold.Set(k, ++game.OppHoldInfo[k][1], C(Take(id)));
        game.OppSlots.Set(k + 6, game.OppHold.Get(k, game.OppHoldInfo[k][1]));
    }
    void Centre(int s, std::vector<int> ids) {
        for (int id : ids) game.Center[s][++game.CenterCount[s]] = C(Take(id));
    }
    // Every card not placed goes to the stock (or, with toUsed, to the used pile).
    void RestTo(bool toUsed = false) {
        for (int id = 1; id <= 104; ++id) {
            if (placed.count(id)) continue;
            if (toUsed) game.UsedPile[++game.UsedCount] = C(id);
            else {
                ++game.StockTop;
                game.Deck[game.StockTop].Id = C(id).Id;
                game.Deck[game.StockTop].Value = C(id).Value;
            }
            placed.insert(id);
        }
    }
    // Takes card `id` out of the stock (its place is filled from the top), for a test that
    // puts it somewhere else.
    CardRec FromStock(int id) {
        for (int i = 1; i <= game.StockTop; ++i) {
            if (game.Deck[i].Id != id) continue;
            const CardRec c{game.Deck[i].Id, game.Deck[i].Value};
            game.Deck[i].Id = game.Deck[game.StockTop].Id;
            game.Deck[i].Value = game.Deck[game.StockTop].Value;
            game.Deck[game.StockTop].Id = game.Deck[game.StockTop].Value = 0;
            --game.StockTop;
            return c;
        }
        ADD_FAILURE() << "card " << id << " is not in the stock";
        return {};
    }
    void ToStock(CardRec c) {
        ++game.StockTop;
        game.Deck[game.StockTop].Id = c.Id;
        game.Deck[game.StockTop].Value = c.Value;
    }
    // Builds centre pile s up with stock cards of the given values.
    void BuildUp(int s, int from, int to, int copy) {
        for (int v = from; v <= to; ++v) game.Center[s][++game.CenterCount[s]] = FromStock(V(v, copy));
    }

    // The player's turn with the pictures shown and enabled.
    void PlayersTurn() {
        game.Turn = TurnPlayer;
        for (int i = 1; i <= 10; ++i) view.visible[{Ctl::Picture7, i}] = game.PlayerSlots.Value(i) != 0;
        game.EnablePic(Ctl::Picture7, true);
        view.log.clear();
        view.moves.clear();
    }

    // Press, drag to a place, release, as the table window delivers it.
    void Drag(int slot, int left, int top, int button = btn::Left) {
        const Rect home = view.PictureRect(Ctl::Picture7, slot);
        game.Picture7_MouseDown(slot, button, 0, 300, 400);
        game.Picture7_MouseMove(slot, button, 0, 300 + (left - home.Left), 400 + (top - home.Top));
        game.Picture7_MouseUp(slot, button, 0, 300, 400);
    }
    void DoubleClick(int slot) {
        game.Picture7_MouseDown(slot, btn::Left, 0, 10, 10);
        game.Picture7_MouseUp(slot, btn::Left, 0, 10, 10);
        game.Picture7_DblClick(slot);
        game.Picture7_MouseUp(slot, btn::Left, 0, 10, 10);
    }

    bool Logged(const std::string& line) const {
        for (auto& l : view.log)
            if (l == line) return true;
        return false;
    }
    int LogIndex(const std::string& line) const {
        for (size_t i = 0; i < view.log.size(); ++i)
            if (view.log[i] == line) return static_cast<int>(i);
        return -1;
    }
};

}  // namespace korbo::test
