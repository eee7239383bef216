#include "referee.h"

#include <ostream>
#include <sstream>

#include "headless.h"
#include "table_compare.h"

namespace korbo::netplay {

std::string FirstWord(const std::string& line, std::string& rest) {
    const size_t b = line.find(' ');
    rest = b == std::string::npos ? std::string() : line.substr(b + 1);
    return line.substr(0, b);
}

bool ReportNumber(const std::string& text, long& out) { return selfplay::ReadNumber(text, 0, 1000000000, out); }

namespace {
constexpr size_t kFindingsKept = 20;
}  // namespace

void Referee::Finding(const std::string& what) {
    if (findings_.size() < kFindingsKept) findings_.push_back(what);
    if (findings_.size() <= 10) log_ << what << "\n";
}

void Referee::Take(bool host, const std::string& line) {
    const char* who = host ? "host" : "remote";
    std::string rest;
    const std::string kind = FirstWord(line, rest);
    if (kind == "TURN" || kind == "GAME" || kind == "FAULT") {
        std::string after;
        long game = 0;
        if (!ReportNumber(FirstWord(rest, after), game)) {
            Finding(std::string(who) + " sent an unreadable report: " + line);
            ++sum_.faults;
            return;
        }
        GameRecord& g = games_[game];
        if (kind == "FAULT") {
            ++sum_.faults;
            g.bad = true;
            Finding(std::string(who) + " in game " + std::to_string(game) + ": " + after);
            return;
        }
        if (kind == "GAME") {
            (host ? g.hostResult : g.remoteResult) = after.empty() ? "?" : after;
            if (!g.hostResult.empty() && !g.remoteResult.empty()) Close(game, g);
            return;
        }
        std::string cards;
        long turn = 0;
        if (!ReportNumber(FirstWord(after, cards), turn)) {
            Finding(std::string(who) + " sent an unreadable turn: " + line);
            ++sum_.faults;
            return;
        }
        (host ? g.hostTurns : g.remoteTurns)[turn] = cards;
        if (g.hostTurns.count(turn) && g.remoteTurns.count(turn)) Compare(game, turn, g);
    } else if (kind == "RESHUFFLE") {
        if (host) ++sum_.reshuffles;
    } else if (kind == "RESUMED") {
        if (!host) ++sum_.transfers;
    } else if (kind == "STALEMATE") {
        if (host) ++sum_.stalemates;
    } else if (kind == "REFUSED") {
        ++sum_.refused;
        Finding(std::string(who) + " refused: " + rest);
    } else if (kind == "DONE") {
        (host ? hostDone_ : remoteDone_) = true;
    }
}

void Referee::Compare(long game, long turn, GameRecord& g) {
    TableCards h, r;
    std::string d;
    if (!Decode(g.hostTurns[turn], h) || !Decode(g.remoteTurns[turn], r)) d = "a table that cannot be read";
    else d = Disagreement(h, r);
    g.hostTurns.erase(turn);
    g.remoteTurns.erase(turn);
    ++sum_.turns;
    if (d.empty()) return;
    ++sum_.disagreements;
    g.bad = true;
    Finding("game " + std::to_string(game) + " turn " + std::to_string(turn) + ": " + d);
}

void Referee::Close(long game, GameRecord& g) {
    if (g.counted) return;
    g.counted = true;
    // A turn that only one copy had.
    for (const auto* turns : {&g.hostTurns, &g.remoteTurns})
        if (!turns->empty()) {
            ++sum_.disagreements;
            g.bad = true;
            Finding("game " + std::to_string(game) + " turn " + std::to_string(turns->begin()->first) + " only on the " +
                    (turns == &g.hostTurns ? "host" : "remote"));
            break;
        }
    if (g.hostResult != g.remoteResult) {
        ++sum_.disagreements;
        g.bad = true;
        Finding("game " + std::to_string(game) + " ended as " + (g.hostResult.empty() ? "nothing" : g.hostResult) +
                " on the host and " + (g.remoteResult.empty() ? "nothing" : g.remoteResult) + " on the remote");
    }
    if (g.hostResult == "unended" || g.hostResult.empty()) ++sum_.unended;
    ++sum_.games;
    if (!g.bad) ++sum_.agreed;
}

void Referee::Finish() {
    for (auto& [game, g] : games_) Close(game, g);
}

std::vector<long> Referee::BadGames() const {
    std::vector<long> bad;
    for (const auto& [game, g] : games_)
        if (g.bad && bad.size() < kFindingsKept) bad.push_back(game);
    return bad;
}

void Referee::Hung(const std::string& what) {
    ++sum_.hangs;
    Finding(what);
}

std::string SummaryLine(const Summary& s) {
    std::ostringstream o;
    o << "games " << s.games << " agreed " << s.agreed << " disagreements " << s.disagreements << " refused "
      << s.refused << " turns " << s.turns << " unended " << s.unended << " faults " << s.faults << " hangs "
      << s.hangs << " reshuffles " << s.reshuffles << " stalemates " << s.stalemates
      << " transfers " << s.transfers;
    return o.str();
}

}  // namespace korbo::netplay
