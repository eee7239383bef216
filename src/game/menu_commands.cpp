#include "menu_commands.h"

#include "game.h"
#include "house_rules.h"
#include "records/text_number.h"

namespace korbo::menu {

namespace {
constexpr long kNarrowScreen = 12000;  // twips
constexpr int kFullSound = 0, kSomeSounds = 1;
constexpr int kSlotTurnOver = 2, kSlotYeah = 13;
const std::string kNewLine(CRLF);

const char* LevelText(int level) {
    switch (level) {
        case LevelClever: return "Clever";
        case LevelRuthless: return "Ruthless";
        default: return "Average";
    }
}

void PlaySlot(Game& g, int slot) {
    if (!g.Sounds[static_cast<size_t>(slot)].empty()) g.View().PlayFile(g.Sounds[static_cast<size_t>(slot)], false);
}
}  // namespace

std::string LevelIndicatorCaption(int level, long screenWidthTwips) {
    const size_t indent = screenWidthTwips < kNarrowScreen ? 1 : 20;
    return std::string(indent, ' ') + "Level: " + LevelText(level);
}

void Level_Click(Game& g, int index) {
    if (index < LevelAverage || index > LevelRuthless) return;
    TableView& v = g.View();
    v.CheckMenuItem(Menu::Level, g.CompLevel, false);
    v.CheckMenuItem(Menu::Level, index, true);
    g.CompLevel = static_cast<int16_t>(index);
    v.SetMenuCaption(Menu::LevelIndicator, 0, LevelIndicatorCaption(index, g.ScreenWidth));
}

int NextLevel(int level) { return level >= LevelRuthless || level < LevelAverage ? LevelAverage : level + 1; }

void Noises_Click(Game& g, int index) {
    if (index < 0 || index > 2) return;
    TableView& v = g.View();
    v.CheckMenuItem(Menu::Noises, g.SoundLevel, false);
    g.SoundLevel = static_cast<int16_t>(index);
    v.CheckMenuItem(Menu::Noises, index, true);
    if (index == kFullSound) {
        v.SetCaption(Ctl::Label9, 2, "YEAH!");
        PlaySlot(g, kSlotYeah);
    } else if (index == kSomeSounds) {
        v.SetCaption(Ctl::Label9, 2, "Let's hold it down a little guys!");
    } else {
        v.SetCaption(Ctl::Label9, 2, "Ahhh... the sounds of silence...");
    }
    // The confirmation is heard at every level, the silent one too.
    PlaySlot(g, kSlotTurnOver);
}

std::string PeekRemark(bool on) {
    if (on) return "Some people like to watch..." + kNewLine + kNewLine + "CHEATER";
    return "Going Blind?" + kNewLine + "Why should I bother to keep score if you're going to cheat?";
}

void PeekLocal(Game& g) {
    g.View().CheckMenu(Menu::Cheat, g.PeekFlag == 1);
    g.View().SetCaption(Ctl::Label9, 2, PeekRemark(g.PeekFlag == 1));
}

HotKey HotKeyOf(int keyCode, int shift, bool netActive, const std::string& playerName) {
    const bool ctrl = (shift & keys::Ctrl) != 0;
    switch (keyCode) {
        case key::Space:
        case key::Up:
        case key::Down: return HotKey::StepBackground;
        case key::Home: return HotKey::NoPlaceLikeHome;
        case key::End: return HotKey::Preferences;
        case key::PageUp: return netActive ? HotKey::KeepOnTop : HotKey::None;
        case key::Delete: return ctrl ? HotKey::WhatToDelete : HotKey::None;
        case key::F6: return ctrl ? HotKey::Flash : HotKey::None;
        case key::F9: return ctrl ? HotKey::BackgroundWindow : HotKey::None;
        case key::F10: return ctrl ? HotKey::SoreLoser : HotKey::None;
        case key::F11: return ctrl ? HotKey::DisplayStats : HotKey::None;
        case key::F8:
            if ((shift & (keys::Ctrl | keys::Shift)) == (keys::Ctrl | keys::Shift) &&
                (playerName == "Dodid Ravor" || playerName == "Rure"))
                return HotKey::DeveloperSwitch;
            return HotKey::None;
        default: return HotKey::None;
    }
}

std::string DisplayStatsText(long widthPx, long heightPx, long colorBits) {
    std::string hint;
    if (widthPx == 640 || widthPx == 800 || widthPx == 1024 || widthPx == 1152) hint = "(small fonts)";
    else if (widthPx < 1153) hint = "(large fonts)";
    else hint = "(doesn't matter)";
    std::string depth;
    switch (colorBits) {
        case 4: depth = "(16 Color)"; break;
        case 8: depth = "(256 Color)"; break;
        case 16: depth = "(High Color)"; break;
        case 24:
        case 32: depth = "(True Color)"; break;
        default: break;
    }
    return records::NumText(widthPx) + " pixels    " + hint + kNewLine + records::NumText(heightPx) + " pixels" + kNewLine +
           records::NumText(colorBits) + " bits per pixel  " + depth;
}

}  // namespace korbo::menu

namespace korbo {

void Game::RulesRefresh() {
    RulesText = house_rules::RulesText(ForcedRule, NoWildAce, DisplayMode, ScreenWidth);
    view_.SetMenuCaption(Menu::RulesIndicator, 0,
                         house_rules::RulesIndicatorCaption(SideSize, RulesText, DisplayMode, ScreenWidth));
}

}  // namespace korbo
