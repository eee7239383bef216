// The table's own menu commands: saving and restoring a game, the speed, the sound level,
// the comment sets, the computer level and the house rules with their indicators, the
// chat window's place on top, peeking, the manual, the web pages and the About window.
#include <QAction>
#include <QLabel>

#include "app/frmAbout.h"
#include "app/web_page.h"
#include "dialogs/frmRules.h"
#include "dialogs/frmWelcome.h"
#include "display/frmKorbo.h"
#include "display/frmSpeed.h"
#include "game/menu_commands.h"
#include "game/personas.h"
#include "platform/data_file.h"
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

void frmKorbo::chatter_Click(int Index) { personas::chatter_Click(*game_, Index); }

void frmKorbo::ReadComments() { personas::ReadComments(*game_); }
void frmKorbo::ReadPeople() { personas::ReadPeople(*game_); }
void frmKorbo::ChangeComments() { personas::ChangeComments(*game_); }
void frmKorbo::ChangePerson() { personas::ChangePerson(*game_); }

bool frmKorbo::LoadPicture(Ctl c, int index, std::string_view path) {
    Control* ctl = Find(c, index);
    auto* label = ctl ? qobject_cast<QLabel*>(ctl->Widget()) : nullptr;
    if (!label) return false;
    const QPixmap picture = platform::LoadPictureFile(QString::fromUtf8(path.data(), static_cast<qsizetype>(path.size())));
    if (picture.isNull()) return false;
    label->setPixmap(picture);
    return true;
}

void frmKorbo::ShowWelcome() {
    frmWelcome welcome(*game_, this);
    const Rect pile = PictureRect(Ctl::Picture4, 3);
    const QPoint origin = surface_->mapToGlobal(QPoint(0, 0));
    welcome.PlaceBeside(QRect(origin, size()), QRect(pile.Left, pile.Top, pile.Width, pile.Height));
    welcome.exec();
}

void frmKorbo::Level_Click(int Index) {
    menu::Level_Click(*game_, Index);
    if (QAction* a = MenuItem("LevelIndicator")) a->setVisible(true);
}

void frmKorbo::LevelIndicator_Click() { Level_Click(menu::NextLevel(game_->CompLevel)); }

void frmKorbo::mnuOpRules_Click() {
    Game& g = *game_;
    if (!g.NetActive && g.Turn == TurnOpponent) return;
    bool changed = false;
    {
        frmRules dialog(g, g.RulesText, this);
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
    if (g.NetRole == 1 && records::Val(g.PeerVersion) > 51) mnuOpRules_Click();
}

void frmKorbo::KeepOnTop_Click() {
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
