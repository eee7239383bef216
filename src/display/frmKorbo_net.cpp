// The table window's side of network play: the connection window, the chat window's two
// controls passed on, the web address of a chat line.
#include <QMenuBar>

#include "controls/web_page.h"
#include "dialogs/frmPlayers.h"
#include "controls/chat_window_port.h"
#include "display/frmKorbo.h"
#include "display/table_network.h"

namespace korbo::ui {

void frmKorbo::OpenWebPage(std::string_view address) {
    korbogl::OpenWebPage(*this, QString::fromStdString(std::string(address)));
}

void frmKorbo::ScrollToEnd(Ctl c, int) {
    if (c == Ctl::ChatHistory && chat_) chat_->ScrollText1ToEnd();
}

namespace {
// The manual's topic on playing over the network.
constexpr std::string_view kConnectHelpKeyword = "Connect";
}  // namespace

PlayersDialogResult frmKorbo::ShowPlayersDialog(const PlayersDialogSetup& setup) {
    if (playersDialogAnswer) return playersDialogAnswer(setup);
    PlayersDialogSetup withHelp = setup;
    if (!withHelp.help) withHelp.help = [this] { ShowHelp(kConnectHelpKeyword); };
    frmPlayers dialog(std::move(withHelp), this);
    dialog.exec();
    return dialog.Result();
}

void frmKorbo::UnloadForm(Form f) {
    if (f == Form::frmChat && chat_) chat_->Unload();
}


void frmKorbo::SetChatWindow(ChatWindowPort* chat) {
    chat_ = chat;
    if (!chat_) return;
    // What the game set before the window came.
    auto text = captions_.find({Ctl::ChatHistory, 0});
    if (text != captions_.end()) chat_->SetText1(text->second);
    auto send = enabled_.find({Ctl::ChatSend, 0});
    if (send != enabled_.end()) chat_->SetCommand1Enabled(send->second);
}


}  // namespace korbo::ui
