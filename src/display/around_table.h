// The windows and pictures around the table, for the table window: the card counter, the
// HOLD viewer, the score and statistics windows, the preferences, the comment editor, the
// background behind the cards and the avatar beside them. The table owns one and passes
// its menu items and events on.
#pragma once

#include <QObject>
#include <QPixmap>
#include <QPointer>
#include <memory>
#include <optional>
#include <string_view>

#include "controls/table_window.h"
#include "game/backgrounds.h"

namespace korbo::platform {
class CommonDialog;
}

namespace korbo::ui {

class frmCounter;
class frmCustom;
class frmHold;
class frmKorbo;

class AroundTable : public QObject, public TableWindow {
    Q_OBJECT
public:
    explicit AroundTable(frmKorbo& table);
    ~AroundTable() override;

    // Tests answer the file and colour dialogs in the player's place.
    void SetCommonDialog(std::unique_ptr<platform::CommonDialog> dialog);

    // --- TableWindow ---------------------------------------------------------------------
    Game& TheGame() override;
    platform::CommonDialog& dlgCommon() override { return *dialog_; }
    void ShowCard(PictureBox& box, int cardId) override;
    QPixmap CardFace(int style, int rank, QSize size) override;
    QPixmap BackgroundPicture() override { return shownPicture_; }
    void ScaleForScreen(QWidget& form) override;
    void ShowAvatarPicture(const std::string& path) override { LoadAvatar(path); }
    void SetChatPhrase(int index, std::string_view text) override;
    // The comment sets and personas are the table's (frmKorbo_commands.cpp).
    void ChangeComments() override;
    void ChangePerson() override;
    void ReadComments() override;
    std::vector<std::string> CommentItems() override;
    int CommentFileCount() override;
    std::string PersonaPicture() override;
    void ShowHelp(std::string_view keyword) override;

    // --- the windows ---------------------------------------------------------------------
    void CdCount_Click();
    void ShowHoldViewer();  // a right press on a pile (the game set DragSlot, HoldViewSide)
    void Score_Click();
    void Stats_Click();
    void NetScore_Click();
    void OptionStuff_Click();
    void Prefs_Click();
    frmHold* Hold() const;
    frmCounter* Counter() const;
    frmCustom* Custom() const;

    // --- the background --------------------------------------------------------------------
    void ReadBacks();
    void backgrounds(int keyCode);
    // The picture of BackIndex painted; one that cannot be loaded leaves the table as it was.
    void BackgroundPaint();
    // The painted background off: the table shows its colour.
    void ClearBackground();
    void mnuOpAddBackground_Click();
    void ChgColor_Click();
    // The window that holds the loaded background picture, shown beside the table.
    void ShowBackgroundWindow();
    QWidget* BackgroundWindow() const;
    const backs::BackList& BackList() { return TheGame().BackList; }
    // The whole background as last painted (empty on the mat).
    const QPixmap& Painted() const { return painted_; }

    // --- the avatar ------------------------------------------------------------------------
    void Avatar_Click();
    void ChgAvatar_Click();
    void ImgAvatar_DblClick();
    void ImgAvatar_MouseUp(int button);
    // True when the picture could be loaded and is shown.
    bool LoadAvatar(const std::string& path);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The open-file dialog for a picture, starting in a folder of the program.
    std::optional<std::string> ChoosePicture(const char* title, const char* filter, std::string_view folder);
    // A chosen picture copied into a folder of the program, or found there already (under
    // its name, with the same bytes); false, after a box, when it was not (another file has
    // the name, or the copy failed).
    bool CopyPicture(const std::string& chosen, const std::string& folder);

    frmKorbo& table_;
    std::unique_ptr<platform::CommonDialog> dialog_;
    QPointer<frmHold> hold_;
    QPointer<frmCounter> counter_;
    QPointer<frmCustom> custom_;
    QPointer<QWidget> backWindow_;
    QPixmap shownPicture_;  // the background picture as loaded
    QPixmap painted_;       // and as painted over the table
    bool shownTiled_ = false;
};

}  // namespace korbo::ui
