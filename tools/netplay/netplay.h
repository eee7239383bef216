// korbo-netplay: headless tables that play network games over real TCP. One copy runs
// alone as host or remote (and can face any program that speaks the protocol); without a
// role the tool starts a host and a remote on 127.0.0.1 as two processes of itself, plays
// whole games between them and compares their tables after every turn.
//
// A copy reports on its standard output, one line each:
//   LISTEN <port>                  the host listens
//   TURN <game> <turn> <cards>     its table when a turn passed (table_compare.h)
//   GAME <game> <result>           a game ended: host, remote, stalemate or unended
//   RESHUFFLE <game>               the used pile became the stock
//   TRANSFER <game>                the host sent its game and the remote resumed it
//   RESUMED <game>                 the remote took a sent game and pressed Resume
//   STALEMATE <game> <how>         no cards to deal: continue (cards in play dealt anew) or stop
//   REFUSED <text>                 a message of the peer was refused
//   FAULT <text>                   a broken table, a box nobody expected, a lost peer
//   DONE <games>                   the copy is finished
#pragma once

#include <iosfwd>
#include <map>
#include <string>
#include <vector>

#include "referee.h"
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
    bool reconnect = false;
    bool transfer = false;   // --transfer: the host sends its game mid-way as a saved game
    bool trace = false;      // --trace: every line a copy sends and takes, on its error output  // --reconnect: every game on a connection of its own
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

// Runs the tool as the options say; the exit code of the program.
int Run(const Options& o, const std::string& self, std::ostream& out, std::ostream& err);

// One copy alone: a headless table on a real socket playing the options' games.
int RunCopy(const Options& o, std::ostream& out, std::ostream& err);

}  // namespace korbo::netplay
