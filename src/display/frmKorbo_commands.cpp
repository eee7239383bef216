// The table's own menu commands: saving and restoring a game, the speed, the sound level,
// the comment sets, the computer level and the house rules with their indicators, the
// chat window's place on top, peeking, the manual, the web pages and the About window.
#include <QAction>

#include "app/frmAbout.h"
#include "app/web_page.h"
#include "dialogs/frmChat.h"
#include "dialogs/frmRules.h"
#include "display/frmKorbo.h"
#include "display/frmSpeed.h"
#include "game/menu_commands.h"
#include "platform/help_viewer.h"
#include "records/text_number.h"

namespace korbo::ui {

void frmKorbo::SaveIt_Click() { game_->SaveIt_Click(); }

void frmKorbo::Restore_Click() { game_->Restore_Click(); }

void frmKorbo::Tempo_Click() {
    frmSpeed dialog(*game_, this);
    dialog.exec();
}

void frmKorbo::Noises_Click(int Index) { menu::Noises_Click(*game_, Index); }

void frmKorbo::chatter_Click(int Index) {
    Game& g = *game_;
    CheckMenuItem(Menu::chatter, g.ChatterLevel, false);
    g.ChatterLevel = static_cast<int16_t>(Index);
    CheckMenuItem(Menu::chatter, Index, true);
}

void frmKorbo::Level_Click(int Index) {
    menu::Level_Click(*game_, Index);
    if (QAction* a = MenuItem("LevelIndicator")) a->setVisible(true);
}

void frmKorbo::LevelIndicator_Click() { Level_Click(menu::NextLevel(game_->CompLevel)); }

void frmKorbo::mnuOpRules_Click() {
    Game& g = *game_;
    if (!g.NetActive && g.Turn == TurnOpponent) return;
    std::string rulesText;
    bool changed = false;
    {
        frmRules dialog(g, rulesText, this);
        dialog.exec();
        changed = dialog.RulesChanged();
    }
    g.RulesRefresh();
    if (changed) {
        g.TableDealt = false;
        game_->NewGame_Click();
    }
}

void frmKorbo::RulesIndicator_Click() {
    const Game& g = *game_;
    if (!g.NetActive) {
        mnuOpRules_Click();
        return;
    }
    if (g.RulesIndicatorOpens()) mnuOpRules_Click();
}

void frmKorbo::KeepOnTop_Click() {
    if (chatWindow_) {
        chatWindow_->SetOnTop(!chatWindow_->OnTop());
        return;
    }
    chatOnTop_ = !chatOnTop_;
    if (QAction* a = MenuItem("KeepOnTop")) a->setChecked(chatOnTop_);
}

void frmKorbo::Helpful_Click() {
    platform::HelpViewer::Open(QString::fromStdString(game_->DataPath(platform::kHelpFileName)));
}

void frmKorbo::Cheat_Click() {
    Game& g = *game_;
    g.PeekFlag = g.PeekFlag == 0 ? 1 : 0;
    if (g.NetActive) {
        CheckMenu(Menu::Cheat, g.PeekFlag == 1);
        Cheat_Net();
    } else {
        menu::PeekLocal(g);
    }
    g.Peek();
    // The peer is told with a sound whatever the sound level.
    if (g.NetActive && g.PeekFlag == 1) PlayResource(105);
    g.HelpUsed = true;
}

void frmKorbo::VisitNet_Click(int Index) {
    const char* address = Index == 0 ? korbogl::kKorboSiteUrl : korbogl::kOnlineGamingSiteUrl;
    korbogl::OpenWebPage(*this, QString::fromLatin1(address));
}

void frmKorbo::About_Click() {
    frmAbout about(*this, this);
    about.exec();
}

}  // namespace korbo::ui
