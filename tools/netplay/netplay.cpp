#include "netplay.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTimer>
#include <fstream>
#include <memory>
#include <ostream>
#include <sstream>

#include "headless.h"
#include "table_compare.h"

namespace korbo::netplay {

const char* const kUsage =
    "usage: korbo-netplay [--role host|remote] [--host H] [--port P] [--policy human|computer]\n"
    "                     [--stall SECONDS] [--findings FILE] [--reconnect] [--transfer]\n"
    "                     [--games N] [--seed S] [--level 0|1|2] [--payoff 10|15|20|26]\n"
    "                     [--forced-ace] [--forced-two] [--visible-only] [--no-wild-ace]\n"
    "                     [--shuffle-apart] [--deck FILE] [--max-moves N] [--trace]\n"
    "Without --role a host and a remote play each other on 127.0.0.1.\n";

ParsedOptions ParseOptions(const std::vector<std::string>& args) {
    ParsedOptions r;
    Options& o = r.options;
    std::vector<std::string> rest;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto text = [&](std::string& out) {
            if (i + 1 >= args.size()) {
                r.error = a + " needs a value";
                return false;
            }
            out = args[++i];
            return true;
        };
        auto number = [&](long lo, long hi, long& out) {
            if (i + 1 >= args.size() || !selfplay::ReadNumber(args[i + 1], lo, hi, out)) {
                r.error = a + " needs a number from " + std::to_string(lo) + " to " + std::to_string(hi);
                return false;
            }
            ++i;
            return true;
        };
        std::string v;
        if (a == "--role") {
            if (!text(v)) return r;
            if (v == "host") o.role = Role::Host;
            else if (v == "remote") o.role = Role::Remote;
            else {
                r.error = "--role takes host or remote";
                return r;
            }
        } else if (a == "--policy") {
            if (!text(v)) return r;
            if (v == "human") o.policy = Policy::Human;
            else if (v == "computer") o.policy = Policy::Computer;
            else {
                r.error = "--policy takes human or computer";
                return r;
            }
        } else if (a == "--host") {
            if (!text(o.host)) return r;
        } else if (a == "--findings") {
            if (!text(o.findings)) return r;
        } else if (a == "--port") {
            if (!number(0, 65535, o.port)) return r;
        } else if (a == "--stall") {
            if (!number(1, 86400, o.stallSeconds)) return r;
        } else if (a == "--reconnect") {
            o.reconnect = true;
        } else if (a == "--transfer") {
            o.transfer = true;
        } else if (a == "--trace") {
            o.trace = true;
        } else {
            rest.push_back(a);
        }
    }
    selfplay::ParsedOptions play = selfplay::ParseOptions(rest);
    o.play = play.options;
    r.error = play.error;
    r.help = r.help || play.help;
    if (r.error.empty() && o.role == Role::Remote && o.port == 0) r.error = "--role remote needs --port";
    return r;
}

std::vector<std::string> GameArguments(const Options& o) {
    const selfplay::Options& p = o.play;
    std::vector<std::string> a{"--policy", o.policy == Policy::Human ? "human" : "computer",
                               "--games", std::to_string(p.games),
                               "--seed", std::to_string(p.seed),
                               "--level", std::to_string(p.level),
                               "--payoff", std::to_string(p.payOff),
                               "--max-moves", std::to_string(p.maxMoves)};
    if (o.reconnect) a.push_back("--reconnect");
    if (o.transfer) a.push_back("--transfer");
    if (o.trace) a.push_back("--trace");
    if (p.forcedAce) a.push_back("--forced-ace");
    if (p.forcedTwo) a.push_back("--forced-two");
    if (p.visibleOnly) a.push_back("--visible-only");
    if (p.noWildAce) a.push_back("--no-wild-ace");
    if (p.shuffleApart) a.push_back("--shuffle-apart");
    if (!p.deckPath.empty()) {
        a.push_back("--deck");
        a.push_back(p.deckPath);
    }
    return a;
}

std::vector<std::string> CopyArguments(const Options& o, Role role, long port) {
    std::vector<std::string> a{"--role", role == Role::Host ? "host" : "remote", "--port", std::to_string(port),
                               "--host", o.host, "--stall", std::to_string(o.stallSeconds)};
    for (auto& g : GameArguments(o)) a.push_back(std::move(g));
    return a;
}

// --- both copies -------------------------------------------------------------------------------

namespace {

QStringList Q(const std::vector<std::string>& args) {
    QStringList l;
    for (const auto& a : args) l << QString::fromStdString(a);
    return l;
}

// The command that plays one game of these options again.
std::string Reproduction(const Options& o, long game) {
    Options one = o;
    one.play.games = 1;
    one.play.seed = o.play.seed + static_cast<uint64_t>(game);
    std::string s = "korbo-netplay";
    for (const auto& a : GameArguments(one)) s += " " + a;
    return s;
}

class Match {
public:
    Match(const Options& o, const std::string& self, std::ostream& out, std::ostream& err)
        : o_(o), self_(QString::fromStdString(self)), out_(out), err_(err), referee_(err) {}

    int Play();

private:
    void Start(QProcess& p, Role role, long port);
    void Lines(QProcess& p, bool host);
    void Errors(QProcess& p, const char* who);
    void Stop();

    const Options& o_;
    QString self_;
    std::ostream& out_;
    std::ostream& err_;
    Referee referee_;
    QProcess host_, remote_;
    QElapsedTimer quiet_;
    QEventLoop loop_;
    long lastGame_ = 0;
    bool remoteStarted_ = false, stopped_ = false;
    int finished_ = 0;
};

void Match::Start(QProcess& p, Role role, long port) {
    const bool host = role == Role::Host;
    QObject::connect(&p, &QProcess::readyReadStandardOutput, [this, &p, host] { Lines(p, host); });
    QObject::connect(&p, &QProcess::readyReadStandardError, [this, &p, host] { Errors(p, host ? "host" : "remote"); });
    QObject::connect(&p, &QProcess::finished, [this, &p, host] {
        Lines(p, host);
        Errors(p, host ? "host" : "remote");
        if (++finished_ == (remoteStarted_ ? 2 : 1)) loop_.quit();
        else if (!stopped_ && host && !remoteStarted_) loop_.quit();
    });
    p.start(self_, Q(CopyArguments(o_, role, port)));
}

void Match::Lines(QProcess& p, bool host) {
    while (p.canReadLine()) {
        std::string line = p.readLine().toStdString();
        while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
        quiet_.restart();
        std::string rest;
        const std::string kind = FirstWord(line, rest);
        long n = 0;
        if (kind == "LISTEN" && host && !remoteStarted_ && ReportNumber(rest, n)) {
            remoteStarted_ = true;
            Start(remote_, Role::Remote, n);
            continue;
        }
        std::string after;
        if ((kind == "TURN" || kind == "GAME") && ReportNumber(FirstWord(rest, after), n)) lastGame_ = n;
        if (host) referee_.HostLine(line);
        else referee_.RemoteLine(line);
    }
}

void Match::Errors(QProcess& p, const char* who) {
    const QByteArray e = p.readAllStandardError();
    if (e.isEmpty()) return;
    for (const QByteArray& l : e.split('\n'))
        if (!l.isEmpty()) err_ << who << ": " << l.toStdString() << "\n";
}

void Match::Stop() {
    stopped_ = true;
    for (QProcess* p : {&host_, &remote_})
        if (p->state() != QProcess::NotRunning) {
            p->kill();
            p->waitForFinished(5000);
        }
    loop_.quit();
}

int Match::Play() {
    quiet_.start();
    QTimer watchdog;
    QObject::connect(&watchdog, &QTimer::timeout, [this] {
        if (quiet_.elapsed() < o_.stallSeconds * 1000) return;
        referee_.Hung("no report for " + std::to_string(o_.stallSeconds) + " s in game " + std::to_string(lastGame_) +
                      "; reproduce: " + Reproduction(o_, lastGame_));
        Stop();
    });
    watchdog.start(1000);
    Start(host_, Role::Host, o_.port);
    loop_.exec();
    watchdog.stop();
    if (!stopped_) {
        for (QProcess* p : {&host_, &remote_})
            if (p->state() != QProcess::NotRunning) p->waitForFinished(5000);
    }
    referee_.Finish();
    const Summary& s = referee_.Result();
    bool failed = false;
    for (QProcess* p : {&host_, &remote_})
        if (p->exitStatus() != QProcess::NormalExit || p->exitCode() != 0) failed = !stopped_ || failed;
    if (!remoteStarted_) {
        err_ << "korbo-netplay: the host never listened\n";
        failed = true;
    } else if (!referee_.HostDone() || !referee_.RemoteDone()) {
        failed = true;
    }
    if (o_.transfer && s.transfers == 0) {
        err_ << "korbo-netplay: no game was sent and resumed\n";
        failed = true;
    }
    out_ << SummaryLine(s) << std::endl;
    if (!o_.findings.empty() && !referee_.Findings().empty()) {
        std::ofstream f(o_.findings, std::ios::app);
        for (const std::string& line : referee_.Findings()) f << line << "\n";
        for (long game : referee_.BadGames()) f << "reproduce game " << game << ": " << Reproduction(o_, game) << "\n";
    }
    return s.disagreements == 0 && s.hangs == 0 && s.faults == 0 && s.unended == 0 && !failed ? 0 : 1;
}

}  // namespace

int Run(const Options& o, const std::string& self, std::ostream& out, std::ostream& err) {
    if (o.role != Role::Both) return RunCopy(o, out, err);
    Match m(o, self, out, err);
    return m.Play();
}

}  // namespace korbo::netplay
