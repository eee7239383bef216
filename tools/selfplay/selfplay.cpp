#include "selfplay.h"

#include "headless.h"

#include <chrono>
#include <cstdlib>
#include <exception>
#include <istream>
#include <map>
#include <ostream>
#include <sstream>
#include <stdexcept>

#include "game/game.h"
#include "game/random.h"

namespace korbo::selfplay {

const char* const kUsage =
    "usage: korbo-selfplay [--games N] [--seed S] [--level 0|1|2] [--payoff 10|15|20|26]\n"
    "                      [--forced-ace] [--forced-two] [--visible-only] [--no-wild-ace]\n"
    "                      [--shuffle-apart] [--deck FILE] [--trace] [--max-moves N]\n";

namespace {

// A game past its move cap.
struct MoveCapReached : std::runtime_error {
    MoveCapReached() : std::runtime_error("the game went past its move cap") {}
};

class Runner;

class SelfPlayGame final : public Game {
public:
    SelfPlayGame(Runner& r, TableView& view, Random& rnd, Clock& clock) : Game(view, rnd, clock), runner_(r) {}

    void Computer() override;
    void Comp_Flip(int source, int pile) override;
    void Move_End_Turn() override;
    void StatsAdd(int source, int counter) override;
    void RESHUFFLE() override;
    void STALEMATE() override;
    // The end of a game without the player records: the tool keeps no files.
    void Game_End() override {
        EnablePic(Ctl::Picture7, false);
        AwaitingPlayer = false;
        Turn = TurnNobody;
    }

private:
    Runner& runner_;
};

class Runner {
public:
    Runner(const Options& o, std::ostream& out)
        : opt_(o),
          out_(out),
          view_(clock_, {[this](Ctl pics, int place) { Refill(pics, place); },
                         [this](std::string_view text, std::string_view title) { return AnswerBox(text, title); },
                         [this] { Dispatch(); }}),
          human_(view_, {[this](const std::string& what) { Violation(what); },
                         [this](const char* where) { Check(where); },
                         [this](int source, int target) { HumanDiscarded(source, target); }}) {}

    Summary RunAll();

    // --- hooks ---
    void Move(char side, int source, int target, CardRec card);
    void Refill(Ctl pics, int place);
    void Reshuffled(int cards);
    void StalemateAsked();
    void StalemateAnswered(int turnAbort);
    void HumanDiscardArrived() { human_.DiscardArrived(); }
    void HumanDiscarded(int source, int target);
    void Check(const char* where);
    int AnswerBox(std::string_view text, std::string_view title);
    void Dispatch();

private:
    void PlayOne(long index);
    void Deal();
    void Flush();
    void Violation(const std::string& what);

    const Options& opt_;
    std::ostream& out_;
    HeadlessClock clock_;
    HeadlessView view_;
    ScriptedHuman human_;
    MtRandom rnd_;
    std::optional<SelfPlayGame> game_;
    Summary sum_;

    long gameIndex_ = 0;
    long moves_ = 0;
    int stalemateYes_ = 0;
    bool dealing_ = false;
    bool violationThisGame_ = false;
    std::string refillLine_;
    char refillSide_ = 0;
    long reported_ = 0;
};

// --- the game's hooks -------------------------------------------------------------------------

void SelfPlayGame::Computer() {
    runner_.HumanDiscardArrived();
    Game::Computer();
}

void SelfPlayGame::Comp_Flip(int source, int pile) {
    const CardRec card{MovingCard[0], MovingCard[1]};
    Game::Comp_Flip(source, pile);
    runner_.Move('C', source, pile, card);
    runner_.Check("after a computer play");
}

void SelfPlayGame::Move_End_Turn() {
    if (CurIndex >= 2 && CurIndex <= 6 && DropPile >= 1 && DropPile <= 4)
        runner_.Move('C', CurIndex, DropPile + 6, OppSlots.Get(CurIndex));
    Game::Move_End_Turn();
    runner_.Check("after the computer's discard");
}

void SelfPlayGame::StatsAdd(int source, int counter) {
    if (counter == 1 && source >= 1 && source <= 10) {
        runner_.Check("before a player play");
        runner_.Move('P', source, CurIndex, PlayerSlots.Get(source));
    }
    Game::StatsAdd(source, counter);
}

void SelfPlayGame::RESHUFFLE() {
    const int cards = UsedCount;
    Game::RESHUFFLE();
    if (cards > 0) runner_.Reshuffled(cards);
    runner_.Check("after a reshuffle");
}

void SelfPlayGame::STALEMATE() {
    runner_.StalemateAsked();
    Game::STALEMATE();
    runner_.StalemateAnswered(TurnAbort);
    runner_.Check("after a stalemate");
}

// --- the runner ---------------------------------------------------------------------------------

void Runner::Violation(const std::string& what) {
    ++sum_.violations;
    violationThisGame_ = true;
    if (reported_++ < 10) out_ << "violation in game " << gameIndex_ << ": " << what << "\n";
}

void Runner::Check(const char* where) {
    if (!game_) return;
    const std::string fault = CheckPartition(*game_);
    if (!fault.empty()) Violation(std::string(where) + ": " + fault);
    // Every centre pile runs Ace upwards, a King standing for any value but, under the
    // house rule, never for the Ace: no side ever makes a play the rules refuse.
    const Game& g = *game_;
    for (int s = 1; s <= 3; ++s)
        for (int i = 1; i <= g.CenterCount[s]; ++i) {
            const int v = g.Center[s][i].Value;
            if ((v != i && v != 13) || (v == 13 && i == 1 && g.NoWildAce)) {
                Violation(std::string(where) + ": centre pile " + std::to_string(s) + " holds a " +
                          std::to_string(v) + " at position " + std::to_string(i));
                return;
            }
        }
}

void Runner::Flush() {
    if (!refillLine_.empty()) {
        if (opt_.trace) out_ << refillLine_ << "\n";
        refillLine_.clear();
    }
    refillSide_ = 0;
}

void Runner::Move(char side, int source, int target, CardRec card) {
    Flush();
    if (opt_.trace) out_ << side << " " << source << " " << target << " " << card.Id << " " << card.Value << "\n";
    ++moves_;
    ++sum_.moves;
    if (moves_ > opt_.maxMoves) throw MoveCapReached();
}

void Runner::Refill(Ctl pics, int place) {
    if (dealing_ || !game_) return;
    const char side = pics == Ctl::Picture7 ? 'P' : 'C';
    const CardRec c = (pics == Ctl::Picture7 ? game_->PlayerSlots : game_->OppSlots).Get(place);
    if (side != refillSide_) {
        Flush();
        refillSide_ = side;
        refillLine_ = std::string("R ") + side;
    }
    refillLine_ += " " + std::to_string(place) + ":" + std::to_string(c.Id) + "/" + std::to_string(c.Value);
}

void Runner::Reshuffled(int cards) {
    Flush();
    if (opt_.trace) out_ << "X " << cards << "\n";
}

void Runner::StalemateAsked() { Flush(); }

void Runner::StalemateAnswered(int turnAbort) {
    if (opt_.trace) out_ << "S " << (turnAbort == 2 ? "continue" : "stop") << "\n";
}

int Runner::AnswerBox(std::string_view text, std::string_view title) {
    if (title == "Stalemate") return stalemateYes_++ < 3 ? mb::IDYes : mb::IDNo;
    // The scripted human never makes a move the rules refuse; any other box is a fault.
    Violation("unexpected box \"" + std::string(title) + "\": " + std::string(text));
    return mb::IDOK;
}

void Runner::Dispatch() {
    // The human acts at once whenever the game waits for it.
    if (game_ && game_->AwaitingPlayer) game_->AwaitingPlayer = false;
}

void Runner::HumanDiscarded(int source, int target) {
    dealing_ = false;
    Move('P', source, target, game_->PlayerSlots.Get(target));
    Check("after the player's discard");
}

void Runner::Deal() {
    Game& g = *game_;
    g.ClearBoard();
    g.TableDealt = true;
    if (opt_.deck.empty()) {
        g.BuildDeck();
        g.ShuffleDeck();
    } else {
        for (int i = 1; i <= 104; ++i) {
            g.Deck[i].Id = static_cast<int16_t>(opt_.deck[i - 1]);
            g.Deck[i].Value = static_cast<int16_t>(((opt_.deck[i - 1] - 1) % 13) + 1);
        }
    }
    g.DealCards();
    g.ChooseFirstPlayer();
    g.SkipCompDeal = 1;
    g.SkipPlayerDeal = 2;
}

void Runner::PlayOne(long index) {
    gameIndex_ = index;
    rnd_ = MtRandom(opt_.seed + static_cast<uint64_t>(index));
    game_.emplace(*this, view_, rnd_, clock_);
    Game& g = *game_;
    view_.Clear();
    clock_.now = 12 * 3600.0;
    moves_ = 0;
    stalemateYes_ = 0;
    violationThisGame_ = false;
    human_.Reset();
    refillLine_.clear();
    refillSide_ = 0;

    ApplyHouseRules(g, opt_);

    bool capped = false;
    try {
        Deal();
        if (opt_.trace) out_ << "G " << index << " seed " << opt_.seed + index << " first "
                             << (g.Turn == TurnOpponent ? 'C' : 'P') << "\n";
        Check("after the deal");
        dealing_ = true;
        g.GoDeal();
        dealing_ = false;
        while (!violationThisGame_ && g.Turn == TurnPlayer && g.PlayerSideCount > 0 && g.OppSideCount > 0)
            human_.Turn(g, violationThisGame_);
    } catch (const MoveCapReached&) {
        capped = true;
    } catch (const std::exception& e) {
        Violation(std::string("exception: ") + e.what());
    }
    Flush();
    dealing_ = false;
    Check("at the end");
    ++sum_.games;
    const char* result = "stalemate";
    if (capped) {
        ++sum_.unended;
        result = "unended";
        if (reported_++ < 10) out_ << "game " << index << " went past " << opt_.maxMoves << " moves\n";
    } else if (g.PlayerSideCount == 0) {
        ++sum_.playerWins;
        result = "player";
    } else if (g.OppSideCount == 0) {
        ++sum_.computerWins;
        result = "computer";
    } else if (g.Turn == TurnNobody && g.TurnAbort == 1) {
        ++sum_.stalemates;
    } else {
        ++sum_.unended;
        result = "unended";
        if (!violationThisGame_ && reported_++ < 10)
            out_ << "game " << index << " stopped without an end (Turn " << g.Turn << ")\n";
    }
    if (opt_.trace) out_ << "E " << result << " moves " << moves_ << "\n";
}

Summary Runner::RunAll() {
    const auto start = std::chrono::steady_clock::now();
    for (long i = 0; i < opt_.games; ++i) PlayOne(i);
    sum_.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return sum_;
}

}  // namespace

ParsedOptions ParseOptions(const std::vector<std::string>& args) {
    ParsedOptions r;
    Options& o = r.options;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&](long lo, long hi, long& out) {
            if (i + 1 >= args.size() || !ReadNumber(args[i + 1], lo, hi, out)) {
                r.error = a + " needs a number from " + std::to_string(lo) + " to " + std::to_string(hi);
                return false;
            }
            ++i;
            return true;
        };
        long n = 0;
        if (a == "--games") {
            if (!value(1, 100000000, n)) return r;
            o.games = n;
        } else if (a == "--seed") {
            if (!value(0, 4000000000000000000L, n)) return r;
            o.seed = static_cast<uint64_t>(n);
        } else if (a == "--level") {
            if (!value(0, 2, n)) return r;
            o.level = static_cast<int>(n);
        } else if (a == "--payoff") {
            if (!value(10, 26, n)) return r;
            if (n != 10 && n != 15 && n != 20 && n != 26) {
                r.error = "--payoff takes 10, 15, 20 or 26";
                return r;
            }
            o.payOff = static_cast<int>(n);
        } else if (a == "--max-moves") {
            if (!value(10, 100000000, n)) return r;
            o.maxMoves = n;
        } else if (a == "--forced-ace") {
            o.forcedAce = true;
        } else if (a == "--forced-two") {
            o.forcedTwo = true;
        } else if (a == "--visible-only") {
            o.visibleOnly = true;
        } else if (a == "--no-wild-ace") {
            o.noWildAce = true;
        } else if (a == "--shuffle-apart") {
            o.shuffleApart = true;
        } else if (a == "--trace") {
            o.trace = true;
        } else if (a == "--deck") {
            if (i + 1 >= args.size()) {
                r.error = "--deck needs a file";
                return r;
            }
            o.deckPath = args[++i];
        } else if (a == "--help" || a == "-h") {
            r.help = true;
        } else {
            r.error = "unknown option " + a;
            return r;
        }
    }
    return r;
}

std::optional<std::vector<int>> ReadDeck(std::istream& in, std::string& error) {
    std::vector<int> ids;
    std::vector<bool> seen(105, false);
    std::string line;
    int lineNo = 0;
    while (std::getline(in, line)) {
        ++lineNo;
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t')) line.pop_back();
        size_t b = line.find_first_not_of(" \t");
        if (b == std::string::npos) {
            error = "line " + std::to_string(lineNo) + " is empty";
            return std::nullopt;
        }
        long id = 0;
        if (!ReadNumber(line.substr(b), 1, 104, id)) {
            error = "line " + std::to_string(lineNo) + " is not a card id 1..104";
            return std::nullopt;
        }
        if (seen[id]) {
            error = "card " + std::to_string(id) + " appears twice (line " + std::to_string(lineNo) + ")";
            return std::nullopt;
        }
        if (ids.size() >= 104) {
            error = "more than 104 lines";
            return std::nullopt;
        }
        seen[id] = true;
        ids.push_back(static_cast<int>(id));
    }
    if (ids.size() != 104) {
        error = "the deck holds " + std::to_string(ids.size()) + " cards, not 104";
        return std::nullopt;
    }
    return ids;
}

Summary Run(const Options& options, std::ostream& out) {
    Runner r(options, out);
    return r.RunAll();
}

std::string SummaryLine(const Summary& s) {
    std::ostringstream o;
    const double rate = s.seconds > 0 ? s.games / s.seconds : 0;
    o << "games " << s.games << " player-wins " << s.playerWins << " computer-wins " << s.computerWins
      << " stalemates " << s.stalemates << " unended " << s.unended << " violations " << s.violations << " moves "
      << s.moves << " games/s " << static_cast<long>(rate + 0.5);
    return o.str();
}

}  // namespace korbo::selfplay
