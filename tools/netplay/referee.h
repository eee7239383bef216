// The referee of two copies' reports (the lines of netplay.h): each turn's tables compared
// as soon as both copies gave it, each game's end compared, and the figures counted.
#pragma once

#include <iosfwd>
#include <map>
#include <string>
#include <vector>

namespace korbo::netplay {

struct Summary {
    long games = 0, agreed = 0, disagreements = 0, refused = 0;
    long unended = 0, faults = 0, turns = 0, hangs = 0;
    long reshuffles = 0, stalemates = 0;  // as the host saw them
    long transfers = 0;                   // games sent by the host and resumed by the remote
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

// The first word of a report line and the rest after its blank; a count or number in it.
std::string FirstWord(const std::string& line, std::string& rest);
bool ReportNumber(const std::string& text, long& out);

}  // namespace korbo::netplay
