// What the windows around the table ask of the table window: the game, the one common
// dialog, the card pictures in the table's style, the background picture, and the routines
// of the table that load comments and personas. The table implements it; tests hand in
// their own.
#pragma once

#include <QPixmap>
#include <string>
#include <string_view>
#include <vector>

#include "game/game.h"

class QWidget;

namespace korbo::platform {
class CommonDialog;
class CardLibrary;
}  // namespace korbo::platform

namespace korbo::ui {

class PictureBox;

class TableWindow {
public:
    virtual ~TableWindow() = default;

    virtual Game& TheGame() = 0;
    virtual platform::CommonDialog& dlgCommon() = 0;

    // Card `id` (1..104) drawn into a picture box of another window as the table draws its
    // own cards in the current style.
    virtual void ShowCard(PictureBox& box, int cardId) = 0;
    // Face `rank` (1..13) of number-card style 1..5, or picture card `rank` (style 6), for the
    // previews of the preferences dialog.
    virtual QPixmap CardFace(int style, int rank, QSize size) = 0;
    // The picture behind the cards as the table shows it (empty on the plain mat).
    virtual QPixmap BackgroundPicture() = 0;

    // Rescales a window for the screen, as every window does when it is loaded.
    virtual void ScaleForScreen(QWidget& form) = 0;

    // --- the table's routines of the comments and personas ----------------------------------
    virtual void ChangeComments() {}
    virtual void ChangePerson() {}
    virtual void ReadComments() {}
    // The COMMENTS menu: the caption of item i (1 "Standard", 2.. the comment files), whether
    // it carries the check mark, and the number of custom comment files.
    virtual std::vector<std::string> CommentItems() { return {"", "Standard"}; }
    virtual bool CommentItemChecked(int item) { return item == TheGame().ChatterLevel; }
    virtual void CheckCommentItem(int item, bool on) { TheGame().View().CheckMenuItem(Menu::chatter, item, on); }
    virtual int CommentFileCount() { return static_cast<int>(CommentItems().size()) - 2; }
    // The current persona's own picture in the Avatars folder, and a picture shown as the
    // avatar (a picture that cannot be loaded leaves the avatar as it was).
    virtual std::string PersonaPicture() { return "Korbo.jpg"; }
    virtual void ShowAvatarPicture(const std::string& path) {}
    // The chat window's phrase button i (1..20), while a network game is on.
    virtual void SetChatPhrase(int index, std::string_view text) {}
    // The help file at a keyword.
    virtual void ShowHelp(std::string_view keyword) {}
};

}  // namespace korbo::ui
