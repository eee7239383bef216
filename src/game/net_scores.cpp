#include "net_scores.h"

#include <algorithm>
#include <filesystem>
#include <stdexcept>

#include "records/score_rec.h"
#include "score_file_access.h"
#include "startup.h"

namespace korbo::netscores {

namespace fs = std::filesystem;
namespace nf = records::net_score_file;
using Missing = records::RecordFile::Missing;
using records::RecordFile;
using records::ScoreRec;
using records::TrimBlanks;
using records::UpperAscii;

namespace {

constexpr std::string_view kEnding = ".ran";
using scorefile::Put;
using scorefile::Read;

// A name as the 20-character name field keeps it, trimmed and in capitals: a longer
// opponent name still finds the record it was written into.
std::string FieldKey(std::string_view name) {
    return UpperAscii(TrimBlanks(records::DecodeText(records::EncodeText(name, records::kScoreNameWidth))));
}

// A player name that can name a file of the users folder on its own.
bool NamesAFile(const std::string& name) {
    return !name.empty() && name != "." && name != ".." && name.find_first_of(std::string_view("/\\\0", 3)) == std::string::npos;
}

void PutBytes(RecordFile& f, long n, std::span<const uint8_t> bytes) {
    if (records::Status s = f.Put(n, bytes); !s) throw std::runtime_error(s.error);
}

// The player's file wherever it lies in the users folder, listed or not, found by its name
// without regard to letter case; empty when the player has none.
std::string FindOnDisk(const Game& g, const std::string& player) {
    const std::string exact = NetScorePath(g, player);
    std::error_code ec;
    if (fs::exists(fs::symlink_status(exact, ec))) return exact;
    const std::string wanted = UpperAscii(player + std::string(kEnding));
    std::vector<std::string> matches;
    for (fs::directory_iterator it(g.DataPath("users"), ec), end; !ec && it != end; it.increment(ec)) {
        const std::string file = it->path().filename().string();
        if (UpperAscii(file) == wanted) matches.push_back(g.DataPath("users/" + file));
    }
    std::sort(matches.begin(), matches.end());
    return matches.empty() ? std::string() : matches.front();
}

// The game's result added to a record's numbers (DoTheMath on the work copies).
void AddResult(Game& g, ScoreRec& r) {
    g.ScorePlayed = r.Played;
    g.ScoreWon = r.Won;
    g.ScoreMargin = r.Margin;
    g.DoTheMath();
    r.Played = g.ScorePlayed;
    r.Won = g.ScoreWon;
    r.Margin = g.ScoreMargin;
}

void RecordInFile(Game& g, RecordFile& f, const std::string& path) {
    long last = 0;
    if (records::Status s = OpenNetScoreFile(f, path, last); !s) throw std::runtime_error(s.error);
    g.TellCutShort(f);
    const std::string opponent = FieldKey(g.OppName);
    long r = 0;
    for (long n = nf::FirstOpponent; n <= last && r == 0; ++n)
        if (UpperAscii(TrimBlanks(Read(f, n).Name)) == opponent) r = n;
    ScoreRec rec;
    if (r != 0) {
        rec = Read(f, r);
    } else {
        if (last >= INT16_MAX || last + 1 > f.LastRecord())
            throw std::runtime_error("The file " + fs::path(path).filename().string() + " has no room for another opponent.");
        r = last = last + 1;
    }
    ScoreRec totals = Read(f, nf::Totals);
    AddResult(g, rec);
    AddResult(g, totals);
    rec.Name = g.OppName;
    rec.Extra = static_cast<int16_t>(last);
    totals.Extra = static_cast<int16_t>(last);
    Put(f, r, rec);
    Put(f, nf::Totals, totals);
    scorefile::Commit(f);
}

void CreateFile(Game& g, RecordFile& f, const std::string& path, const std::string& player) {
    if (records::Status s = f.Open(path, records::kScoreRecLength, Missing::CreateOnCommit); !s)
        throw std::runtime_error(s.error);
    ScoreRec totals;
    AddResult(g, totals);
    totals.Extra = nf::FirstOpponent;
    ScoreRec opponent = totals;
    totals.Name = player;
    opponent.Name = g.OppName;
    Put(f, nf::Totals, totals);
    Put(f, nf::FirstOpponent, opponent);
    scorefile::Commit(f);
}

const std::string* Listed(const Game& g, int recIndex) {
    const int count = std::min<int>(g.NetScoreFileCount, static_cast<int>(g.NetScoreFiles.size()) - 1);
    return recIndex >= 1 && recIndex <= count ? &g.NetScoreFiles[static_cast<size_t>(recIndex)] : nullptr;
}

}  // namespace

std::string NetScorePath(const Game& g, std::string_view player) {
    return g.DataPath("users/" + TrimBlanks(player) + std::string(kEnding));
}

void Get_Users(Game& g) {
    std::vector<std::string> files = startup::UsersFiles(g, kEnding);
    if (files.size() > static_cast<size_t>(kListedFiles)) files.resize(kListedFiles);
    g.NetScoreFiles.assign(1, std::string());
    for (const auto& file : files) g.NetScoreFiles.push_back(g.DataPath("users/" + file));
    g.NetScoreFileCount = static_cast<int16_t>(files.size());
}

records::Status OpenNetScoreFile(RecordFile& f, const std::string& path, long& last) {
    if (records::Status s = f.Open(path, records::kScoreRecLength, Missing::Fail); !s) return s;
    const ScoreRec totals = records::ReadScoreRec(f, nf::Totals);
    if (!f.ReadError().empty()) {
        const std::string why = f.ReadError();
        f.Discard();
        return records::Status::Fail(why);
    }
    last = totals.Extra;
    const long held = f.RecordCount();
    if (last < nf::Totals || last > held) {
        f.Discard();
        return records::Status::Fail("The network score file " + fs::path(path).filename().string() +
                                     " is damaged: its first record names record " + std::to_string(last) +
                                     " as the last one in use, but the file holds " + std::to_string(held) +
                                     " records. It was left as it is.");
    }
    return records::Status::Ok();
}

bool NetScore_Click(Game& g) {
    Get_Users(g);
    if (g.NetScoreFileCount > 0) return true;
    g.View().MsgBox(kNoScoresText, mb::Information, kTitle);
    return false;
}

bool PrintUsers(Game& g, int recIndex, NetScoreBoard& board) {
    board = NetScoreBoard{};
    const std::string* path = Listed(g, recIndex);
    if (!path) return false;
    std::string file = fs::path(*path).filename().string();
    board.player = file.substr(0, file.size() - kEnding.size());
    RecordFile f;
    long last = 0;
    try {
        if (records::Status s = OpenNetScoreFile(f, *path, last); !s) throw std::runtime_error(s.error);
        g.TellCutShort(f);
        for (long n = nf::FirstOpponent; n <= last; ++n) {
            const ScoreRec r = Read(f, n);
            board.rows.push_back({TrimBlanks(r.Name), r.Played, r.Won, r.Margin});
        }
    } catch (const std::exception& e) {
        f.Discard();
        board.rows.resize(1);
        g.ReportProblem(e.what());
        return false;
    }
    f.Discard();
    return true;
}

bool DeleteFile(Game& g, int recIndex) {
    const std::string* listed = Listed(g, recIndex);
    if (!listed) return false;
    const std::string path = *listed;
    if (g.View().MsgBox(kDeleteFileText, mb::YesNo, kDeletePlayerTitle) != mb::IDYes) return false;
    std::error_code ec;
    fs::remove(path, ec);
    if (ec) {
        g.ReportProblem("The file " + fs::path(path).filename().string() + " could not be deleted (" + ec.message() + ").");
        return false;
    }
    g.View().MsgBox(kEliminatedText, mb::Exclamation, kDeletePlayerTitle);
    Get_Users(g);
    return true;
}

DeleteOpponentResult DeleteOpponent(Game& g, int recIndex, int selectedRow, std::string_view rowName, int rowsShown) {
    const std::string* path = Listed(g, recIndex);
    if (!path || selectedRow < 1 || selectedRow > rowsShown) return {false, std::string(kSelectText)};
    RecordFile f;
    try {
        long last = 0;
        if (records::Status s = OpenNetScoreFile(f, *path, last); !s) throw std::runtime_error(s.error);
        g.TellCutShort(f);
        const std::string wanted = UpperAscii(TrimBlanks(rowName));
        long r = 0;
        for (long n = nf::FirstOpponent; n <= last && r == 0; ++n)
            if (UpperAscii(TrimBlanks(Read(f, n).Name)) == wanted) r = n;
        if (r == 0) {
            f.Discard();
            g.View().MsgBox(kNotFoundText, mb::Information, kDeleteOpponentTitle);
            return {};
        }
        for (long n = r; n < last; ++n) {
            const std::vector<uint8_t> next = f.Get(n + 1);
            if (!f.ReadError().empty()) throw std::runtime_error(f.ReadError());
            PutBytes(f, n, next);
        }
        // The freed record: a name that begins with a zero character, every number 0.
        auto blank = records::EncodeScoreRec(ScoreRec{});
        blank[records::score_rec::Name] = 0;
        PutBytes(f, last, blank);
        ScoreRec totals = Read(f, nf::Totals);
        totals.Extra = static_cast<int16_t>(last - 1);
        Put(f, nf::Totals, totals);
        scorefile::Commit(f);
    } catch (const std::exception& e) {
        f.Discard();
        g.ReportProblem(e.what());
        return {};
    }
    return {true, ""};
}

}  // namespace korbo::netscores

namespace korbo {

void Game::Scores_Net() {
    netscores::Get_Users(*this);
    ScorePlayed = ScoreWon = ScoreMargin = ScoreExtra = 0;
    const std::string player = records::TrimBlanks(PlayerName);
    if (!netscores::NamesAFile(player)) {
        ReportProblem("This game's result was not kept in the network scores: the player name \"" + player +
                      "\" cannot name a file.");
        return;
    }
    const std::string found = netscores::FindOnDisk(*this, player);
    records::RecordFile f;
    try {
        if (!found.empty()) {
            netscores::RecordInFile(*this, f, found);
        } else {
            netscores::CreateFile(*this, f, netscores::NetScorePath(*this, player), player);
            netscores::Get_Users(*this);
        }
    } catch (const std::exception& e) {
        f.Discard();
        ReportProblem(e.what());
    }
}

}  // namespace korbo
