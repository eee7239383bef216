// The table's own menu commands: saving and restoring a game, the speed, the sound level,
// the comment sets, the computer level and the house rules with their indicators, the
// chat window's place on top, peeking, the manual, the web pages and the About window.
#include <QAction>
#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QScreen>
#include <QLabel>

#include "dialogs/frmAbout.h"
#include "controls/web_page.h"
#include "dialogs/frmChat.h"
#include "dialogs/frmRules.h"
#include "dialogs/frmWelcome.h"
#include "display/around_table.h"
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

// The windows around the table reach the comment sets, the personas and the manual here.
void AroundTable::ChangeComments() { table_.ChangeComments(); }
void AroundTable::ChangePerson() { table_.ChangePerson(); }
void AroundTable::ReadComments() { table_.ReadComments(); }
std::vector<std::string> AroundTable::CommentItems() { return TheGame().CommentItems; }
int AroundTable::CommentFileCount() { return TheGame().CommentFileCount; }
std::string AroundTable::PersonaPicture() { return TheGame().PersonaPicture; }
void AroundTable::ShowHelp(std::string_view keyword) { table_.ShowHelp(keyword); }

void frmKorbo::ShowHelp(std::string_view keyword) {
    platform::HelpViewer::Open(QString::fromStdString(game_->DataPath(platform::kHelpFileName)),
                               QString::fromUtf8(keyword.data(), static_cast<qsizetype>(keyword.size())), this);
}

void frmKorbo::ShowWelcome() {
    frmWelcome welcome(*game_, this);
    const Rect pile = PictureRect(Ctl::Picture4, 3);
    const QPoint origin = surface_->mapToGlobal(QPoint(0, 0));
    welcome.PlaceBeside(QRect(origin, size()), QRect(pile.Left, pile.Top, pile.Width, pile.Height));
    // The table's background picture, when one is shown; else the mat's colour.
    welcome.SetBackgroundPicture(around_->BackgroundPicture());
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

void frmKorbo::Helpful_Click() { ShowHelp(""); }

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

// --- the hot keys ------------------------------------------------------------------------------

namespace {

// The platform's code of a key the table acts on, 0 for the others.
int KeyCodeOf(int qtKey) {
    switch (qtKey) {
        case Qt::Key_Space: return menu::key::Space;
        case Qt::Key_PageUp: return menu::key::PageUp;
        case Qt::Key_End: return menu::key::End;
        case Qt::Key_Home: return menu::key::Home;
        case Qt::Key_Up: return menu::key::Up;
        case Qt::Key_Down: return menu::key::Down;
        case Qt::Key_Delete: return menu::key::Delete;
        case Qt::Key_F6: return menu::key::F6;
        case Qt::Key_F8: return menu::key::F8;
        case Qt::Key_F9: return menu::key::F9;
        case Qt::Key_F10: return menu::key::F10;
        case Qt::Key_F11: return menu::key::F11;
        default: return 0;
    }
}

int ShiftOf(Qt::KeyboardModifiers m) {
    return (m & Qt::ShiftModifier ? keys::Shift : 0) | (m & Qt::ControlModifier ? keys::Ctrl : 0) |
           (m & Qt::AltModifier ? keys::Alt : 0);
}

// The table sees every key pressed in it before the control with the focus does.
class KeyPreview final : public QObject {
public:
    explicit KeyPreview(frmKorbo& table) : QObject(&table), table_(table) { qApp->installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* e) override {
        if (e->type() != QEvent::KeyPress && e->type() != QEvent::KeyRelease) return false;
        auto* w = qobject_cast<QWidget*>(watched);
        if (!w || w->window() != &table_) return false;
        if (e->type() == QEvent::KeyRelease) {
            lastEvent_ = nullptr;  // the press is over, wherever it went
            return false;
        }
        // A key a control leaves goes on to its parents: it is acted on once, at the first.
        const bool passedOn = e == lastEvent_ && lastWidget_ && w != lastWidget_ && w->isAncestorOf(lastWidget_);
        lastEvent_ = e;
        lastWidget_ = w;
        if (passedOn) return false;
        auto* k = static_cast<QKeyEvent*>(e);
        if (const int code = KeyCodeOf(k->key())) table_.Form_KeyDown(code, ShiftOf(k->modifiers()));
        return false;
    }

private:
    frmKorbo& table_;
    const QEvent* lastEvent_ = nullptr;
    QPointer<QWidget> lastWidget_;
};

}  // namespace

void frmKorbo::InstallKeyPreview() { new KeyPreview(*this); }

void frmKorbo::Form_KeyDown(int KeyCode, int Shift) {
    Game& g = *game_;
    switch (menu::HotKeyOf(KeyCode, Shift, g.NetActive, g.PlayerName)) {
        case menu::HotKey::None: break;
        case menu::HotKey::StepBackground: backgrounds(KeyCode); break;
        case menu::HotKey::NoPlaceLikeHome: MsgBox(menu::kHomeText, mb::OKOnly, ""); break;
        case menu::HotKey::Preferences: OptionStuff_Click(); break;
        case menu::HotKey::KeepOnTop: KeepOnTop_Click(); break;
        case menu::HotKey::WhatToDelete: MsgBox(menu::kDeleteText, mb::OKOnly, ""); break;
        case menu::HotKey::Flash:
            Flash();
            g.FlashShown = true;
            break;
        case menu::HotKey::BackgroundWindow: ShowBackgroundWindow(); break;
        case menu::HotKey::SoreLoser: Sore_Loser(); break;
        case menu::HotKey::DisplayStats: DisplayStats(); break;
        case menu::HotKey::DeveloperSwitch:
            g.DevFlag = !g.DevFlag;
            MsgBox(menu::kDoneText, mb::OKOnly, "");
            break;
    }
}

void frmKorbo::DisplayStats() {
    const Game& g = *game_;
    const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    const long width = Nearest(g.ScreenWidth / TwipsPerPixel());
    const long height = s ? s->geometry().height() : 0;
    game_->MsgText = menu::DisplayStatsText(width, height, g.ColorBits);
    MsgBox(game_->MsgText, mb::OKOnly, "");
}

}  // namespace korbo::ui
