#include "display/around_table.h"

#include <algorithm>

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

#include "dialogs/frmChat.h"
#include "dialogs/frmCounter.h"
#include "dialogs/frmCustom.h"
#include "dialogs/frmScores.h"
#include "dialogs/frmScoresNet.h"
#include "dialogs/frmStats.h"
#include "display/background_painter.h"
#include "display/frmHold.h"
#include "display/frmKorbo.h"
#include "display/frmOptions.h"
#include "controls/scale_controls.h"
#include "game/net_scores.h"
#include "platform/card_library.h"
#include "platform/common_dialog.h"
#include "platform/data_file.h"
#include "records/file_copy.h"

namespace korbo::ui {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

const char* const kBackgroundFilter = "Pictures (*.jpg;*.gif;*.bmp)|*.jpg;*.gif;*.bmp";
const char* const kAvatarFilter = "Pictures (*.jpg;*.gif)|*.jpg;*.gif";

}  // namespace

AroundTable::AroundTable(frmKorbo& table)
    : QObject(&table), table_(table), dialog_(std::make_unique<platform::QtCommonDialog>(&table)) {
    // The avatar answers the mouse: a double click brings back the persona's own picture, a
    // right click offers another.
    QWidget* avatar = table_.ImgAvatar().Widget();
    avatar->setAttribute(Qt::WA_TransparentForMouseEvents, false);
    avatar->installEventFilter(this);
}

AroundTable::~AroundTable() = default;

void AroundTable::SetCommonDialog(std::unique_ptr<platform::CommonDialog> dialog) { dialog_ = std::move(dialog); }

Game& AroundTable::TheGame() { return table_.game(); }

void AroundTable::ShowCard(PictureBox& box, int cardId) {
    Game& g = TheGame();
    box.picturePainter = [](QPainter& p, const QRectF& r, const PictureSpec& s) {
        if (s.kind == PictureSpec::Kind::NumberFace)
            p.drawPixmap(r.topLeft(), platform::NumberCardPixmap(s.a, s.b, r.size().toSize(), 1.0));
    };
    box.cardPainter = [this](QPainter& p, const QRectF& r, int id) {
        p.drawPixmap(r.topLeft(), platform::PictureCardPixmap(table_.CardLib(), id, r.size().toSize(), 1.0));
    };
    box.Clear();
    box.SetBorderStyle(1);
    box.SetBackColor(0xFFFFFF);
    if (g.CardStyle == 6) box.SetLibraryCard(cardId);
    else box.SetPicture({PictureSpec::Kind::NumberFace, g.CardStyle >= 1 && g.CardStyle <= 5 ? g.CardStyle : 1,
                         ((cardId - 1) % 13) + 1});
}

QPixmap AroundTable::CardFace(int style, int rank, QSize size) {
    if (style == 6) return platform::PictureCardPixmap(table_.CardLib(), rank, size, 1.0);
    return platform::NumberCardPixmap(style, rank, size, 1.0);
}

void AroundTable::ScaleForScreen(QWidget& form) { ScaleFormToScreen(form, TheGame().ScreenWidth); }

void AroundTable::SetChatPhrase(int index, std::string_view text) {
    if (frmChat* chat = table_.ChatWindow()) chat->SetPhrase(index, text);
}

// --- the windows ---------------------------------------------------------------------------

frmHold* AroundTable::Hold() const { return hold_; }
frmCounter* AroundTable::Counter() const { return counter_; }
frmCustom* AroundTable::Custom() const { return custom_; }

void AroundTable::CdCount_Click() {
    if (!counter_) counter_ = new frmCounter(*this, &table_);
    ui::CdCount_Click(*this, *counter_);
}

void AroundTable::ShowHoldViewer() {
    if (!hold_) hold_ = new frmHold(*this, &table_);
    ui::ShowHoldViewer(*this, *hold_);
}

void AroundTable::Score_Click() {
    frmScores w(*this, &table_);
    w.exec();
}

void AroundTable::NetScore_Click() {
    if (!netscores::NetScore_Click(TheGame())) return;
    frmScoresNet w(*this, &table_);
    w.exec();
}

void AroundTable::Stats_Click() {
    frmStats w(*this, &table_);
    w.exec();
}

void AroundTable::OptionStuff_Click() {
    frmOptions w(*this, &table_);
    w.exec();
}

void AroundTable::Prefs_Click() {
    if (!custom_) {
        custom_ = new frmCustom(*this, &table_);
        // It opens in the middle of the screen, wholly on it where it fits.
        if (const QScreen* s = table_.screen()) {
            const QRect room = s->availableGeometry();
            QRect r(QPoint(0, 0), custom_->frameGeometry().size());
            r.moveCenter(room.center());
            custom_->move(std::max(room.left(), r.left()), std::max(room.top(), r.top()));
        }
    }
    custom_->show();
    custom_->raise();
}

// --- the background --------------------------------------------------------------------------

void AroundTable::ReadBacks() { backs::ReadBacks(TheGame(), TheGame().BackList); }

void AroundTable::backgrounds(int keyCode) { backs::Step(TheGame(), TheGame().View(), keyCode); }

void AroundTable::BackgroundPaint() {
    Game& g = TheGame();
    const std::string path = backs::BackPath(g, g.BackList);
    // A pipe, a device or an oversized file in a picture's place is refused unread.
    const QPixmap picture = path.empty() ? QPixmap() : platform::LoadPictureFile(Q(path));
    if (picture.isNull()) return;
    Control& avatar = table_.ImgAvatar();
    const bool avatarOn = avatar.Visible();
    if (avatarOn) avatar.SetVisible(false);
    shownPicture_ = picture;
    shownTiled_ = backs::IsTileName(g.BackList[static_cast<size_t>(g.BackIndex)]);
    QWidget* surface = table_.centralWidget();
    painted_ = BackgroundPixmap(surface->size(), picture, shownTiled_);
    QPalette pal = surface->palette();
    pal.setBrush(QPalette::Window, QBrush(painted_));
    surface->setPalette(pal);
    surface->update();
    if (g.View().MenuChecked(Menu::Avatar)) avatar.SetVisible(true);
}

void AroundTable::ClearBackground() {
    shownPicture_ = QPixmap();
    painted_ = QPixmap();
    QWidget* surface = table_.centralWidget();
    QPalette pal = surface->palette();
    pal.setBrush(QPalette::Window, QBrush(pal.color(QPalette::Window)));
    surface->setPalette(pal);
    surface->update();
}

std::optional<std::string> AroundTable::ChoosePicture(const char* title, const char* filter, std::string_view folder) {
    platform::FileDialogSpec spec;
    spec.title = title;
    spec.filter = filter;
    spec.initDir = TheGame().DataPath(std::string(folder));
    spec.flags = platform::cdl::FileMustExist;
    return dialog_->ShowOpen(spec);
}

bool AroundTable::CopyPicture(const std::string& chosen, const std::string& folder) {
    Game& g = TheGame();
    const records::CopyResult r = records::CopyIntoFolder(chosen, g.DataPath(folder));
    switch (r.outcome) {
        case records::CopyOutcome::Copied:
        case records::CopyOutcome::AlreadyInFolder:
        case records::CopyOutcome::SameInFolder: return true;
        case records::CopyOutcome::NameTaken:
            g.View().MsgBox("There is already a picture named " + r.name + " in the " + folder + " folder." +
                                std::string(CRLF) + "It was kept; the picture you chose was not copied.",
                            mb::OKOnly | mb::Exclamation, "");
            return false;
        case records::CopyOutcome::Failed: g.ReportProblem(r.error); return false;
    }
    return false;
}

void AroundTable::mnuOpAddBackground_Click() {
    Game& g = TheGame();
    const auto chosen = ChoosePicture("Add Background Picture", kBackgroundFilter, backs::kFolder);
    std::string name;
    if (chosen) {
        if (!CopyPicture(*chosen, std::string(backs::kFolder))) return;
        name = platform::FileTitle(*chosen);
    }
    ReadBacks();
    g.BackIndex = static_cast<int16_t>(backs::FindBack(g, g.BackList, name) - 1);
    backgrounds(backs::kDownKey);
}

void AroundTable::ChgColor_Click() { backgrounds(backs::kSpaceKey); }

QWidget* AroundTable::BackgroundWindow() const { return backWindow_; }

void AroundTable::ShowBackgroundWindow() {
    if (!backWindow_) {
        auto* w = new QLabel(&table_, Qt::Window);
        w->setObjectName("frmBackground");
        w->setWindowTitle(QStringLiteral("Background"));
        w->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        backWindow_ = w;
    }
    auto* w = static_cast<QLabel*>(backWindow_.data());
    // On the plain mat it holds no picture.
    if (shownPicture_.isNull()) w->clear();
    else w->setPixmap(shownPicture_);
    w->adjustSize();
    w->show();
    w->raise();
}

// --- the avatar ----------------------------------------------------------------------------------

bool AroundTable::LoadAvatar(const std::string& path) {
    const QPixmap picture = platform::LoadPictureFile(Q(path));
    if (picture.isNull()) return false;
    if (auto* label = qobject_cast<QLabel*>(table_.ImgAvatar().Widget())) label->setPixmap(picture);
    return true;
}

void AroundTable::Avatar_Click() {
    Game& g = TheGame();
    TableView& v = g.View();
    if (!v.MenuChecked(Menu::Avatar)) {
        v.CheckMenu(Menu::Avatar, true);
        if (!g.AvatarFile.empty()) LoadAvatar(g.DataPath(std::string(backs::kAvatarFolder) + "/" + g.AvatarFile));
        table_.ImgAvatar().SetVisible(true);
    } else {
        v.CheckMenu(Menu::Avatar, false);
        table_.ImgAvatar().SetVisible(false);
    }
}

void AroundTable::ChgAvatar_Click() {
    Game& g = TheGame();
    if (!table_.ImgAvatar().Visible()) {
        table_.ImgAvatar().SetVisible(true);
        g.View().CheckMenu(Menu::Avatar, true);
    }
    const auto chosen = ChoosePicture("Open Avatar Pic", kAvatarFilter, backs::kAvatarFolder);
    if (!chosen || !CopyPicture(*chosen, std::string(backs::kAvatarFolder))) return;
    LoadAvatar(*chosen);
    g.AvatarFile = platform::FileTitle(*chosen);
}

void AroundTable::ImgAvatar_DblClick() {
    Game& g = TheGame();
    LoadAvatar(g.DataPath(std::string(backs::kAvatarFolder) + "/" + PersonaPicture()));
    g.AvatarFile.clear();
}

void AroundTable::ImgAvatar_MouseUp(int button) {
    if (button == btn::Right) ChgAvatar_Click();
}

bool AroundTable::eventFilter(QObject* watched, QEvent* event) {
    if (watched == table_.ImgAvatar().Widget()) {
        if (event->type() == QEvent::MouseButtonDblClick) {
            ImgAvatar_DblClick();
            return true;
        }
        if (event->type() == QEvent::MouseButtonRelease) {
            ImgAvatar_MouseUp(ButtonCode(static_cast<QMouseEvent*>(event)->button()));
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace korbo::ui
