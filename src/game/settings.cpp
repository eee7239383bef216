// Loading and storing the settings records (12, 13, 16, 17, 18) and the best runs of the
// opponent (14, 15) of whichever settings file the caller has open.
//
// Numbers that a damaged or foreign file holds out of their range read by these rules, so
// that nothing indexes past a menu or an array and no loop runs away:
// - CompLevel outside 0..2 reads as 0 (Average); SoundLevel outside 0..2 as 0 (full sound).
// - CardStyle 0 or outside 1..6 reads as 6; SoundScheme other than 0..1 as 0.
// - ChatterLevel 0, negative or above the highest COMMENTS item reads as 1.
// - PersonIndex outside 0..PersonaFileCount reads as 0 (the built-in persona, as the
//   preferences dialog does), so a persona file removed between runs does not stop the load.
// - DeckChoice outside 0..5 reads as 0 (the standard back); BackChoice below 0 as 0.
// - CommentFontSize 0 or outside 1..100 reads as 12; WalkSteps 0 or outside 1..250 (the
//   speed dialog's range) as 45; SideSize 0 or outside 1..25 (pay-off piles of 2..26 cards,
//   the largest the piles hold) as 19.
// - SpeedIndex is kept as stored: the tempo rule leaves the tempo alone for other values.
// Colours and the step count kept as text read by the numeric-value rule, taken to the
// nearest value of their type.
#include <cmath>

#include "game.h"
#include "house_rules.h"
#include "korbogl.h"
#include "personas.h"
#include "records/record_file.h"
#include "records/score_rec.h"
#include "colours.h"

namespace korbo {

using Missing = records::RecordFile::Missing;
using records::ReadScoreRec;
using records::ScoreRec;
using records::TrimBlanks;
using records::WriteScoreRec;
namespace sr = records::settings_rec;

namespace {

int16_t Flag(bool on) { return on ? kTrue : kFalse; }

int16_t InRange(int16_t v, int lo, int hi, int16_t otherwise) { return v >= lo && v <= hi ? v : otherwise; }

const char* LevelName(int level) {
    switch (level) {
        case LevelClever: return "Clever";
        case LevelRuthless: return "Ruthless";
        default: return "Average";
    }
}

// The nearest whole number, halves to the even neighbour, within 16 bits.
int16_t Round16(double x) {
    if (!(x == x)) return 0;
    double r = std::nearbyint(x);
    if (r < -32768.0) return -32768;
    if (r > 32767.0) return 32767;
    return static_cast<int16_t>(r);
}

void Put(records::RecordFile& f, long n, const ScoreRec& r) {
    // A failed put is held by the handle and reported when the caller closes it; with a
    // fixed record number it cannot fail while the file is open.
    (void)WriteScoreRec(f, n, r);
}

}  // namespace

std::string Game::DataPath(std::string_view relative) const {
    std::string base = BaseDir.empty() ? std::string(".") : BaseDir;
    if (base.back() != '/') base += '/';
    return base + std::string(relative);
}

std::string Game::PlayerFilePath(std::string_view player) const {
    return DataPath("users/" + TrimBlanks(player) + ".sav");
}

void Game::ChangeSettings(records::RecordFile& f) {
    if (!FormLoading) view_.CheckMenuItem(Menu::Level, CompLevel, false);

    ScoreRec r1 = ReadScoreRec(f, records::score_file::Computer);
    FontColor = records::TextToInt32(r1.Name);
    CompLevel = InRange(r1.Extra, LevelAverage, LevelRuthless, LevelAverage);
    view_.CheckMenuItem(Menu::Level, CompLevel, true);
    view_.SetMenuCaption(Menu::LevelIndicator, 0, std::string(20, ' ') + "Level: " + LevelName(CompLevel));

    if (!FormLoading) {
        view_.CheckMenuItem(Menu::Noises, SoundLevel, false);
        view_.CheckMenuItem(Menu::chatter, ChatterLevel, false);
    }

    ScoreRec r12 = ReadScoreRec(f, sr::Looks);
    AvatarFile = TrimBlanks(r12.Name);
    NoLoseAnim = r12.Played != 0;
    MatColorOn = r12.Won != 0;
    const int16_t scheme = InRange(r12.Margin, 0, 1, 0);
    if (FormLoading) SoundScheme = scheme;
    else HeldSoundScheme = scheme;
    CardStyle = InRange(r12.Extra, 1, 6, 6);
    view_.LoadCardFaceSet(CardStyle);

    ScoreRec r13 = ReadScoreRec(f, sr::Player);
    if (FormLoading) LastPlayerName = r13.Name;
    BackChoice = r13.Played < 0 ? int16_t{0} : r13.Played;
    SpeedIndex = r13.Won;
    SoundLevel = InRange(r13.Margin, 0, 2, 0);
    ChatterLevel = InRange(r13.Extra, 1, std::max(1, view_.MenuItemCount(Menu::chatter)), 1);
    view_.CheckMenuItem(Menu::chatter, ChatterLevel, true);
    view_.CheckMenuItem(Menu::Noises, SoundLevel, true);
}

records::Status Game::ChangeSettings2(records::RecordFile& f) {
    ScoreRec r16 = ReadScoreRec(f, sr::Deck);
    const bool bar = r16.Won == 1;
    view_.CheckMenu(Menu::WildStats, bar);
    view_.SetVisible(Ctl::StatusBar1, 0, bar);
    const bool avatar = r16.Margin == 1;
    view_.CheckMenu(Menu::Avatar, avatar);
    view_.SetVisible(Ctl::ImgAvatar, 0, avatar);
    // Only 1 is acted on: a stored 0 leaves an AutoSave that is on as it is. The dialog's
    // box shows AutoSave whenever the dialog opens.
    if (r16.Extra == 1) AutoSave = true;

    DeckColor = records::TextToInt32(r16.Name);
    if (DeckColor == 0) DeckColor = ColorBits < 16 ? kDeckColorFewColours : kDeckColor;
    DeckChoice = InRange(r16.Played, 0, 5, 0);
    if (DeckChoice >= 1) {
        view_.SetCardBack(DeckChoice, 0);
    } else {
        const bool small = DisplayMode == 2 || DisplayMode == 3;
        const bool standard = StandardDeckColor(DeckColor);
        view_.SetCardBack(0, !small && standard && ScreenWidth >= 10000 ? 1 : 2);
    }

    ScoreRec r17 = ReadScoreRec(f, sr::Mat);
    MatColor = records::TextToInt32(r17.Name);
    view_.SetTableBackColor(MatColor);
    if (MatColorOn) {
        view_.SetBackStyle(Ctl::Label9, 2, 1);
        view_.SetBackColor(Ctl::Label9, 2, MatColor);
    } else {
        view_.SetBackStyle(Ctl::Label9, 2, 0);
    }
    CommentFontSize = InRange(r17.Played, 1, 100, 12);
    NoWinAnim = r17.Won != 0;
    NoComments = r17.Margin != 0;
    view_.EnableMenu(Menu::Lang, !NoComments);
    const int personas = std::min<int>(PersonaFileCount, static_cast<int>(PeopleNames.size()) - 1);
    const int16_t person = InRange(r17.Extra, 0, std::max(0, personas), 0);
    if (FormLoading) PersonIndex = person;
    else HeldPersonIndex = person;
    KeptPersonIndex = -1;  // these settings make the choice

    ScoreRec r18 = ReadScoreRec(f, sr::Rules);
    WalkSteps = InRange(records::TextToInt16(r18.Name), 1, 250, 45);
    SideSize = InRange(r18.Played, 1, 25, 19);
    ForcedRule = house_rules::ReadForcedMask(r18.Won);
    ShuffleApart = r18.Margin != 0;
    NoWildAce = r18.Extra != 0;

    RulesRefresh();

    if (!FormLoading) {
        if (HeldPersonIndex == PersonIndex && HeldSoundScheme == SoundScheme) return records::Status::Ok();
        PersonIndex = HeldPersonIndex;
        SoundScheme = HeldSoundScheme;
    }

    // The event sounds 1..15 of the persona, from its file or from the built-in scheme.
    std::array<std::string, 16> names{};
    records::RecordFile f4;
    // A persona that is no longer in the list, or whose file went away, gives way to the
    // built-in one; one whose file is there but cannot be read does so for this run only.
    if (PersonIndex < 0 || static_cast<size_t>(PersonIndex) >= PeopleNames.size()) PersonIndex = 0;
    if (PersonIndex != 0) {
        const std::string pms = DataPath("users/" + PeopleNames[static_cast<size_t>(PersonIndex)] + ".pms");
        const records::Status opened = f4.Open(pms, 5020, Missing::Fail);
        if (!opened && !personas::KorboForUnreadable(*this, pms, opened)) PersonIndex = 0;
        if (opened) TellCutShort(f4);
    }
    if (PersonIndex != 0) {
        std::vector<uint8_t> rec = f4.Get(1);
        for (int i = 1; i <= 15; ++i) {
            const size_t at = 1800 + 100 * static_cast<size_t>(SoundScheme + 2 * i);
            names[static_cast<size_t>(i)] = records::DecodeText(std::span(rec).subspan(at, 100));
        }
    } else {
        if (records::Status s = f4.Open(DataPath("wav.ran"), 200, Missing::Fail); !s) return s;
        TellCutShort(f4);
        for (int i = 1; i <= 15; ++i) {
            std::vector<uint8_t> rec = f4.Get(i);
            names[static_cast<size_t>(i)] =
                records::DecodeText(std::span(rec).subspan(100 * static_cast<size_t>(SoundScheme), 100));
        }
    }
    f4.Discard();
    for (int i = 1; i <= 15; ++i) {
        std::string name = TrimBlanks(names[static_cast<size_t>(i)]);
        // A name with a drive or an absolute path is used as it is; any other lies in the
        // Sounds folder.
        const bool full = name.find(':') != std::string::npos || (!name.empty() && name[0] == '/');
        Sounds[static_cast<size_t>(i)] = full ? name : DataPath("Sounds/" + name);
    }
    return records::Status::Ok();
}

void Game::ChangeBestRun(records::RecordFile& f) {
    ScoreRec a = ReadScoreRec(f, records::player_file::OppBestRun);
    ScoreRec b = ReadScoreRec(f, records::player_file::OppBestSideRun);
    RunStats[5] = {a.Played, a.Won, a.Margin, b.Played, b.Won, b.Margin};
}

void Game::ChangePreferences() {
    if (PrefCode == 77 || (TrimBlanks(PlayerName) != TrimBlanks(LastPlayerName) && !TableDealt))
        view_.ResetPilePictures();

    if (BackChoice == 0 && ColorBits < 16) BackChoice = static_cast<int16_t>(BackPicCount + 1);
    if (BackChoice > BackPicCount) {
        view_.ClearBackground();
        BackIndex = static_cast<int16_t>(BackPicCount + 1);
    } else if (BackChoice <= 0) {
        BackIndex = DefaultBackIndex != 0 ? DefaultBackIndex : int16_t{1};
    } else {
        BackIndex = BackChoice;
    }

    switch (SpeedIndex) {
        case 0: TempoDelay = 0.9; break;
        case 1: TempoDelay = 0.6; break;
        case 2: TempoDelay = 0.4; break;
        case 3: TempoDelay = 0.2; break;
        case 4: TempoDelay = 0.05; break;
        case 5: TempoDelay = 0; break;
        default: break;
    }

    PeekFlag = 0;
    view_.CheckMenu(Menu::Cheat, false);

    for (int i = 1; i <= 4; ++i) view_.SetForeColor(Ctl::Label9, i, FontColor);
    view_.SetFontSize(Ctl::Label9, 2, CommentFontSize);
    for (int i = 1; i <= 3; ++i) view_.SetFontSize(Ctl::LblWild, i, CommentFontSize);

    if (BackIndex != 0 && BackIndex != BackPicCount + 1) view_.BackgroundPaint(BackIndex);
    if (FormLoading) return;
    Redraw();
}

void Game::SaveSettings(records::RecordFile& f) {
    ScoreRec r1 = ReadScoreRec(f, records::score_file::Computer);
    r1.Name = records::NumberName(FontColor);
    r1.Extra = CompLevel;
    Put(f, records::score_file::Computer, r1);

    Put(f, sr::Looks, {TrimBlanks(AvatarFile), Flag(NoLoseAnim), Flag(MatColorOn), SoundScheme, CardStyle});
    Put(f, sr::Player, {PlayerName, BackChoice, SpeedIndex, SoundLevel, ChatterLevel});
    Put(f, sr::Deck,
        {records::NumberName(DeckColor), DeckChoice, static_cast<int16_t>(view_.MenuChecked(Menu::WildStats) ? 1 : 0),
         static_cast<int16_t>(view_.MenuChecked(Menu::Avatar) ? 1 : 0), static_cast<int16_t>(AutoSave ? 1 : 0)});
    Put(f, sr::Mat,
        {records::NumberName(MatColor), Round16(view_.FontSize(Ctl::Label9, 2)), Flag(NoWinAnim), Flag(NoComments),
         PersonIndex == 0 && KeptPersonIndex > 0 ? KeptPersonIndex : PersonIndex});

    ScoreRec r18 = ReadScoreRec(f, sr::Rules);
    r18.Name = records::NumberName(WalkSteps);
    r18.Played = SideSize;
    r18.Won = ForcedRule;
    r18.Margin = Flag(ShuffleApart);
    r18.Extra = Flag(NoWildAce);
    Put(f, sr::Rules, r18);
}

}  // namespace korbo
