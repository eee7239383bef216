#include "player_selection.h"

#include <algorithm>

#include "personas.h"

#include "records/record_file.h"
#include "records/score_rec.h"

namespace korbo::players {

using records::TrimBlanks;
using records::UpperAscii;
using Missing = records::RecordFile::Missing;

namespace {

constexpr std::string_view kKorbo = "KORBO", kDunmir = "DUNMIR";

bool HasForbiddenCharacter(std::string_view name) {
    return name.find_first_of(kForbiddenCharacters) != std::string_view::npos;
}

// The previous player's settings and runs go back to that player's file before another
// player sits down, once a game has been dealt.
void WriteBackPreviousPlayer(Game& g) {
    if (g.View().Visible(Ctl::Command2, 0) || !g.PlayerChosen) return;
    records::RecordFile f2;
    records::Status s = f2.Open(g.PlayerFilePath(g.LastPlayerName), records::kScoreRecLength, Missing::Fail);
    if (s) {
        g.SaveSettings(f2);
        g.StatsSave(f2, 2, 0);
        s = f2.Close();
    }
    if (!s) g.ReportProblem(s.error);
}

// A known player: the best runs always, the settings only when the player changes.
void LoadKnownPlayer(Game& g, bool changed) {
    records::RecordFile f2;
    if (records::Status s = f2.Open(g.PlayerFilePath(g.PlayerName), records::kScoreRecLength, Missing::Fail); !s) {
        g.ReportProblem(s.error);
        return;
    }
    g.TellCutShort(f2);
    g.ChangeBestRun(f2);
    if (changed) {
        g.ChangeSettings(f2);
        const records::Status loaded = g.ChangeSettings2(f2);
        // Loading reads only: nothing was put into the file.
        f2.Discard();
        if (!loaded) g.ReportProblem(loaded.error);
        personas::ChangeComments(g);
        personas::ChangePerson(g);
        g.ChangePreferences();
        return;
    }
    f2.Discard();
}

}  // namespace

std::vector<std::string> WelcomeList(Game& g) {
    if (g.PlayerName.empty()) g.PlayerName = TrimBlanks(g.LastPlayerName);
    std::vector<std::string> list{g.PlayerName};
    const int count = std::min<int>(g.PlayerCount, static_cast<int>(g.PlayerNames.size()) - 1);
    for (int i = 1; i <= count; ++i) {
        const std::string& name = g.PlayerNames[static_cast<size_t>(i)];
        if (name != g.PlayerName) list.push_back(name);
    }
    list.emplace_back();
    return list;
}

int FindPlayer(const Game& g, std::string_view name) {
    const std::string wanted = UpperAscii(TrimBlanks(name));
    const int count = std::min<int>(g.PlayerCount, static_cast<int>(g.PlayerNames.size()) - 1);
    for (int i = 1; i <= count; ++i)
        if (UpperAscii(TrimBlanks(g.PlayerNames[static_cast<size_t>(i)])) == wanted) return i;
    return 0;
}

Outcome Confirm(Game& g, std::string_view comboText) {
    TableView& view = g.View();
    const std::string name = TrimBlanks(comboText);

    // 1. The two names that are taken, in any letter case.
    const std::string upper = UpperAscii(name);
    if (upper == kKorbo || upper == kDunmir) {
        view.MsgBox(upper == kKorbo ? kKorboText : kDunmirText, mb::Exclamation | mb::OKOnly, kImpersonatorTitle);
        return Outcome::StayCleared;
    }
    // 2. No name at all.
    if (name.empty()) {
        view.MsgBox(kUnknownText, mb::Exclamation | mb::OKOnly, kUnknownTitle);
        return Outcome::Stay;
    }
    // 3. A name that is not a local player's becomes a file name: it must be one the
    //    folder can hold, whichever entry of the list was picked before it was typed.
    const int found = FindPlayer(g, name);
    if (found == 0 && HasForbiddenCharacter(name)) {
        view.MsgBox(kWarningText, mb::Exclamation | mb::OKOnly, kWarningTitle);
        return Outcome::Stay;
    }

    // 4. A change of player: the previous one's file is brought up to date; a new name
    //    starts without the opponent's all-time runs. Names are the same player in any
    //    letter case, as the player list finds them.
    const bool changed = upper != UpperAscii(TrimBlanks(g.LastPlayerName));
    g.PlayerName = name;
    if (changed) {
        WriteBackPreviousPlayer(g);
        if (found == 0) g.RunStats[5].fill(0);
    }

    // 5. A known player, in the letter case of the player's file; a new player keeps the
    //    settings in use until a first game creates the file.
    g.PlayerChosen = found != 0;
    if (found != 0) {
        g.PlayerName = TrimBlanks(g.PlayerNames[static_cast<size_t>(found)]);
        LoadKnownPlayer(g, changed);
    }

    // 6. The player is at the table.
    view.SetCaption(Ctl::Label9, 3, g.PlayerName);
    g.LastPlayerName = g.PlayerName;
    return Outcome::Confirmed;
}

}  // namespace korbo::players

namespace korbo {

// The player window, shown modally: at start-up and from New once a game has been dealt.
void Game::ShowWelcome() { view_.ShowForm(Form::frmWelcome, true); }

}  // namespace korbo
