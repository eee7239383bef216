// The end of a game: the result texts, the sounds and animations, and the recording of the
// result in the player's file and the overall score file (solo) or in the network session.
#include <algorithm>
#include <exception>
#include <stdexcept>

#include "game.h"
#include "korbogl.h"
#include "records/record_file.h"
#include "records/score_rec.h"
#include "records/text_number.h"
#include "records/int16_fields.h"
#include "persona_slots.h"

namespace korbo {

using Missing = records::RecordFile::Missing;
using records::Checked16;
using records::NumText;
using records::Saturate16;
using records::ScoreRec;
using records::TrimBlanks;
using records::UpperAscii;
namespace pf = records::player_file;

namespace {

std::string Crlf() { return std::string(CRLF); }

// A player name is used as a file name: it must name one file inside the users folder.
bool UsableFileName(const std::string& name) {
    if (name.empty() || name == "." || name == "..") return false;
    return name.find_first_of(std::string("/\\\0", 3)) == std::string::npos;
}

long PersonaRecord(Game& g, records::RecordFile& f);

// The result in the player's own file. Everything is put into the open file and written in
// one step when it is closed, so a failure leaves the file as it was.
void RecordPlayerResult(Game& g) {
    g.MsgText.clear();
    const std::string wanted = UpperAscii(TrimBlanks(g.PlayerName));
    if (static_cast<int>(g.PlayerNames.size()) < g.PlayerCount + 1)
        g.PlayerNames.resize(static_cast<size_t>(std::max<int>(g.PlayerCount, 0)) + 1);
    int found = 0;
    for (int i = 1; i <= g.PlayerCount && !found; ++i)
        if (UpperAscii(TrimBlanks(g.PlayerNames[static_cast<size_t>(i)])) == wanted) found = i;
    const std::string fileName = TrimBlanks(found ? g.PlayerNames[static_cast<size_t>(found)] : g.PlayerName);
    if (!UsableFileName(fileName)) {
        g.ReportProblem("The player name \"" + fileName + "\" cannot be used as a file name;" + Crlf() +
                        "the result was not recorded.");
        return;
    }
    records::RecordFile f;
    if (records::Status s = f.Open(g.PlayerFilePath(fileName), records::kScoreRecLength, Missing::CreateOnCommit); !s) {
        g.ReportProblem(s.error);
        return;
    }
    try {
        // A file already on disk is never blanked, even when the list of players missed it.
        if (f.RecordCount() == 0)
            for (long r = 1; r <= pf::Records; ++r) (void)records::WriteScoreRec(f, r, ScoreRec{});
        g.ScoreBuffer = records::ReadScoreRec(f, pf::Totals);
        g.ScorePlayed = g.ScoreBuffer.Played;
        g.ScoreWon = g.ScoreBuffer.Won;
        g.ScoreMargin = g.ScoreBuffer.Margin;
        g.ScoreExtra = g.ScoreBuffer.Extra;
        g.RecIndex = pf::Totals;
        g.DoTheMath();
        g.ScoreBuffer.Played = g.ScorePlayed;
        g.ScoreBuffer.Won = g.ScoreWon;
        g.ScoreBuffer.Margin = g.ScoreMargin;
        (void)records::WriteScoreRec(f, pf::Totals, g.ScoreBuffer);

        const long lost = long{g.ScorePlayed} - g.ScoreWon;
        g.ScoreLost = Saturate16(lost);
        const std::string totals = g.PlayerName + Crlf() + "Games Won:" + NumText(g.ScoreWon) + Crlf() +
                                   "Games Lost:" + NumText(lost);

        auto update = [&](long r) {
            g.RecIndex = r;
            g.ScoreBuffer = records::ReadScoreRec(f, r);
            g.DoTheUpdate();
            (void)records::WriteScoreRec(f, r, g.ScoreBuffer);
        };
        update(pf::LevelTotals + std::clamp<int>(g.CompLevel, LevelAverage, LevelRuthless));
        if (g.HelpUsed) update(pf::AidTotals);
        update(PersonaRecord(g, f));

        g.StatsSave(f, 2, 0);
        g.StatsSave(f, 4, 5);
        if (records::Status s = f.Close(); !s) {
            g.ReportProblem(s.error);
            return;
        }
        g.MsgText = totals;
        if (!found) {
            ++g.PlayerCount;
            g.PlayerNames.push_back(fileName);
        }
        g.PlayerChosen = true;
    } catch (const std::exception& e) {
        f.Discard();
        g.ReportProblem(std::string(e.what()) + Crlf() + "The result was not recorded in the player's file.");
    }
}

// The record of the persona played against: 6 for the built-in one; for another the record
// 7..11 that carries its name, else the first free one, else 6.
long PersonaRecord(Game& g, records::RecordFile& f) {
    const size_t who = g.PersonIndex > 0 && static_cast<size_t>(g.PersonIndex) < g.PeopleNames.size()
                           ? static_cast<size_t>(g.PersonIndex) : 0;
    if (who == 0 || g.PeopleNames[who] == g.PeopleNames[0]) return pf::BuiltInPersona;
    const std::string persona = TrimBlanks(g.PeopleNames[who]);
    long same = 0, free = 0;
    for (long r = pf::FirstCustomPersona; r <= pf::LastCustomPersona; ++r) {
        const std::string name = TrimBlanks(records::ReadScoreRec(f, r).Name);
        if (!same && name == persona) same = r;
        if (!free && name.empty()) free = r;
    }
    return same ? same : free ? free : pf::BuiltInPersona;
}

// The computer's totals in the overall score file, from the computer's side.
void RecordComputerResult(Game& g) {
    records::RecordFile f;
    if (records::Status s = f.Open(g.DataPath("score.ran"), records::kScoreRecLength, Missing::Fail); !s) {
        g.ReportProblem(s.error);
        return;
    }
    try {
        ScoreRec r = records::ReadScoreRec(f, records::score_file::Computer);
        const bool computerWon = g.OppSideCount == 0;
        const int16_t played = Checked16(long{r.Played} + 1);
        const int16_t won = computerWon ? Checked16(long{r.Won} + 1) : r.Won;
        const int16_t margin = computerWon ? Checked16(long{r.Margin} + g.PlayerSideCount)
                                           : Checked16(long{r.Margin} - g.OppSideCount);
        r.Played = played;
        r.Won = won;
        r.Margin = margin;
        (void)records::WriteScoreRec(f, records::score_file::Computer, r);
        if (records::Status c = f.Close(); !c) g.ReportProblem(c.error);
    } catch (const std::exception& e) {
        f.Discard();
        g.ReportProblem(std::string(e.what()) + Crlf() + "The result was not recorded in the score file.");
    }
}

}  // namespace

void Game::ReportProblem(std::string_view what) {
    view_.MsgBox("Here's the problem:" + Crlf() + std::string(what), mb::Exclamation, "");
}

void Game::TellOnce(const std::string& what) {
    if (!what.empty() && told_.insert(what).second) ReportProblem(what);
}

void Game::TellCutShort(const std::string& path, size_t length) { TellOnce(records::CutShortNotice(path, length)); }

void Game::Game_End() {
    EnablePic(Ctl::Picture7, false);
    AwaitingPlayer = false;
    if (!view_.Enabled(Ctl::Picture7, 1)) view_.SetEnabled(Ctl::Picture7, 1, true);
    if (PlayerSideCount != 0 && OppSideCount != 0) return;

    const bool playerWon = PlayerSideCount == 0;
    if (playerWon) StatsCk(1, 2);
    else StatsCk(3, 4);

    view_.SetCaption(Ctl::Label9, 1, " ");
    if (!NetActive) view_.SetCaption(Ctl::Label9, 2, " ");
    EndText = " ";
    EndText2 = NetActive ? OppName : "me";
    NeedsText = NetActive ? OppName + " needs" : "I need";
    WhoText = NetActive ? OppName : "I";

    if (playerWon) {
        const int left = OppSideCount;
        PeekFlag = 1;
        Peek();
        if (SoundLevel == 0) view_.PlayFile(Sounds[SoundWinner], false);
        EndText = "That was your LAST CARD!" + Crlf() + "OK, so you won!!!  ";
        if (left == 1) {
            EndText += "You beat " + EndText2 + " by one card!";
            if (!NetActive) EndText += " I DEMAND a rematch!";
        } else if (left > 1) {
            if (!NetActive) {
                if (left <= 5) EndText += "Whew, that was close!";
                else if (left >= 11) EndText += NeedsText + " more memory...";
            }
            EndText += Crlf() + "(" + WhoText + " had" + NumText(left) + " cards left.)";
        }
        if (!NoLoseAnim) view_.Sore_Loser();
    } else {
        const int left = PlayerSideCount;
        EndText = "That was the last card, " + WhoText + " WON the game! ";
        if (left == 1) {
            EndText += "You ONLY had 1 card left! That was CLOSE!";
        } else if (left > 1) {
            if (!NetActive) {
                if (left <= 5) EndText += "That was pretty close!";
                else if (left >= 12) EndText += "Were you SLEEPING?";
            }
            EndText += Crlf() + "You had" + NumText(left) + " cards left!";
        }
        DoEvents();
        if (SoundLevel == 0) view_.PlayFile(DataPath("Sounds/loser.wav"), true);
    }
    view_.SetCaption(Ctl::Label9, 1, EndText);

    if (!NetActive) {
        view_.EnableMenu(Menu::New, false);
        RecordPlayerResult(*this);
        RecordComputerResult(*this);
        if (!playerWon) {
            if (SoundLevel == 0) view_.PlayFile(Sounds[SoundYeah], false);
            view_.Flash();
            FlashShown = true;
        }
        view_.SetCaption(Ctl::Label9, 2, MsgText);
        if (!NoComments) view_.EnableMenu(Menu::Lang, true);
        view_.EnableMenu(Menu::OptionStuff, true);
        view_.EnableMenu(Menu::Restore, true);
        view_.EnableMenu(Menu::New, true);
        view_.EnableMenu(Menu::mnuOpRules, true);
    } else {
        // NetSession: player's wins, opponent's wins, player's margin, opponent's margin.
        if (playerWon) {
            NetSession[0] = Saturate16(long{NetSession[0]} + 1);
            NetSession[2] = Saturate16(long{NetSession[2]} + OppSideCount);
            NetSession[3] = Saturate16(long{NetSession[3]} - OppSideCount);
        } else {
            NetSession[1] = Saturate16(long{NetSession[1]} + 1);
            NetSession[3] = Saturate16(long{NetSession[3]} + PlayerSideCount);
            NetSession[2] = Saturate16(long{NetSession[2]} - PlayerSideCount);
        }
        EndText = "This NET session:" + Crlf() + PlayerName + " won:" + Crlf() + NumText(NetSession[0]) + "  margin " +
                  NumText(NetSession[2]) + Crlf() + OppName + " won:" + Crlf() + NumText(NetSession[1]) + "  margin " +
                  NumText(NetSession[3]) + Crlf();
        view_.SetCaption(Ctl::Label9, 2, EndText);
        Scores_Net();
        if (NetRole == 0) {
            // The remote waits for the host's next game or the end of the network game.
            AwaitMessage(msg::GS, OnNewGame::End);
        }
    }
    view_.EnableMenu(Menu::Stats, true);
    view_.EnableMenu(Menu::OptionStuff, true);
}

}  // namespace korbo
