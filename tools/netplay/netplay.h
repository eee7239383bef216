// korbo-netplay: headless tables that play network games over real TCP. One copy runs
// alone as host or remote (and can face any program that speaks the protocol); without a
// role the tool starts a host and a remote on 127.0.0.1 as two processes of itself, plays
// whole games between them and compares their tables after every turn.
//
// A copy reports on its standard output, one line each:
//   LISTEN <port>                  the host listens
//   TURN <game> <turn> <cards>     its table when a turn passed (table_compare.h)
//   GAME <game> <result>           a game ended: host, remote, stalemate or unended
//   REFUSED <text>                 a message of the peer was refused
//   FAULT <text>                   a broken table, a box nobody expected, a lost peer
//   DONE <games>                   the copy is finished
#pragma once

#include <iosfwd>
#include <map>
#include <string>
#include <vector>

#include "selfplay.h"

namespace korbo::netplay {

enum class Role { Both, Host, Remote };
enum class Policy { Human, Computer };

struct Options {
    selfplay::Options play;  // games, seed, house rules, the computer's level, move cap
    Role role = Role::Both;
    std::string host = "127.0.0.1";
    long port = 0;  // 0: the host takes any free port
    Policy policy = Policy::Human;
    long stallSeconds = 60;  // a copy silent this long has hung
    std::string findings;    // --findings FILE: a disagreement or hang is written there
};

struct ParsedOptions {
    Options options;
    std::string error;
    bool help = false;
};
ParsedOptions ParseOptions(const std::vector<std::string>& args);

extern const char* const kUsage;

// The arguments of the games themselves (policy, games, seed, house rules), and those that
// give a copy its role and the same games.
std::vector<std::string> GameArguments(const Options& o);
std::vector<std::string> CopyArguments(const Options& o, Role role, long port);

// --- the two copies' reports compared ------------------------------------------------------

struct Summary {
    long games = 0, agreed = 0, disagreements = 0, refused = 0;
    long unended = 0, faults = 0, turns = 0, hangs = 0;
};

// Reads the report lines of both copies as they come and compares each turn's tables as
// soon as both copies gave it.
class Referee {
public:
    explicit Referee(std::ostream& log) : log_(log) {}

    void HostLine(const std::string& line) { Take(true, line); }
    void RemoteLine(const std::string& line) { Take(false, line); }
    // Both copies are done (or gone); what was left unpaired counts against its game.
    void Finish();
    void Hung(const std::string& what);

    const Summary& Result() const { return sum_; }
    // The first disagreements and hangs, one line each, for the findings file.
    const std::vector<std::string>& Findings() const { return findings_; }
    std::vector<long> BadGames() const;
    bool HostDone() const { return hostDone_; }
    bool RemoteDone() const { return remoteDone_; }

private:
    struct GameRecord {
        std::map<long, std::string> hostTurns, remoteTurns;
        std::string hostResult, remoteResult;
        bool bad = false, counted = false;
    };
    void Take(bool host, const std::string& line);
    void Compare(long game, long turn, GameRecord& g);
    void Close(long game, GameRecord& g);
    void Finding(const std::string& what);

    std::ostream& log_;
    Summary sum_;
    std::map<long, GameRecord> games_;
    std::vector<std::string> findings_;
    bool hostDone_ = false, remoteDone_ = false;
};

std::string SummaryLine(const Summary& s);

// Runs the tool as the options say; the exit code of the program.
int Run(const Options& o, const std::string& self, std::ostream& out, std::ostream& err);

// One copy alone: a headless table on a real socket playing the options' games.
int RunCopy(const Options& o, std::ostream& out, std::ostream& err);

}  // namespace korbo::netplay
