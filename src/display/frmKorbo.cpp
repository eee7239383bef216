#include "display/frmKorbo.h"

#include "dialogs/frmSave.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLabel>
#include <QMessageBox>
#include <QThread>
#include <QTime>
#include <QTimer>

namespace korbo::ui {

double SystemClock::SecondsSinceMidnight() {
    return QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
}

frmKorbo::frmKorbo(QWidget* parent) : QMainWindow(parent), rnd_(1) {
    setWindowTitle("KorboNET");
    resize(960, 720);
    status_ = new QLabel(this);
    status_->setAlignment(Qt::AlignCenter);
    setCentralWidget(status_);
    setStyleSheet("QMainWindow { background: #1f6b3a; } QLabel { color: white; font-size: 18px; }");
    game_ = std::make_unique<Game>(*this, rnd_, clock_);
    rnd_.Seed(clock_.SecondsSinceMidnight());
}

frmKorbo::~frmKorbo() = default;

void frmKorbo::SetCaption(Ctl c, int index, std::string_view text) {
    captions_[{c, index}] = std::string(text);
    if (c == Ctl::Label9 && index == 2) status_->setText(QString::fromStdString(std::string(text)));
}
std::string frmKorbo::Caption(Ctl c, int index) const {
    auto it = captions_.find({c, index});
    return it == captions_.end() ? std::string() : it->second;
}
void frmKorbo::SetVisible(Ctl c, int index, bool on) { visible_[{c, index}] = on; }
bool frmKorbo::Visible(Ctl c, int index) const {
    auto it = visible_.find({c, index});
    return it != visible_.end() && it->second;
}
void frmKorbo::SetEnabled(Ctl c, int index, bool on) { enabled_[{c, index}] = on; }
bool frmKorbo::Enabled(Ctl c, int index) const {
    auto it = enabled_.find({c, index});
    return it != enabled_.end() && it->second;
}
void frmKorbo::SetBackColor(Ctl, int, long) {}
void frmKorbo::SetToolTip(Ctl, int, std::string_view) {}
Rect frmKorbo::PictureRect(Ctl c, int index) const {
    auto it = rects_.find({c, index});
    return it == rects_.end() ? Rect{} : it->second;
}
void frmKorbo::MovePicture(Ctl c, int index, int left, int top) {
    Rect& r = rects_[{c, index}];
    r.Left = left;
    r.Top = top;
}
void frmKorbo::BringToFront(Ctl, int) {}
void frmKorbo::Refresh(Ctl, int) {}
void frmKorbo::ClearPicture(Ctl, int) {}
void frmKorbo::DrawCard(Ctl, int, int) {}
void frmKorbo::SetBorderStyle(Ctl, int, int) {}
void frmKorbo::AnimationFrame() {}
void frmKorbo::WalkTheCard(Ctl, int, Ctl, int) {}
void frmKorbo::HandSortAnimation(Ctl, int, int) {}
int frmKorbo::CardLibraryValue(int id) { return ((id - 1) % 13) + 1; }
void frmKorbo::CardLibraryReset() {}
void frmKorbo::EnableMenu(Menu, bool) {}
void frmKorbo::CheckMenu(Menu m, bool on) { menuChecks_[m] = on; }
void frmKorbo::ShowForm(Form, bool) {}
void frmKorbo::CheckMenuItem(Menu m, int index, bool on) { menuItemChecks_[{m, index}] = on; }
bool frmKorbo::MenuChecked(Menu m) const {
    auto it = menuChecks_.find(m);
    return it != menuChecks_.end() && it->second;
}
int frmKorbo::MenuItemCount(Menu) const { return 1; }
void frmKorbo::SetMenuCaption(Menu, int, std::string_view) {}
void frmKorbo::SetForeColor(Ctl, int, long) {}
void frmKorbo::SetBackStyle(Ctl, int, int) {}
void frmKorbo::SetFontSize(Ctl c, int index, double points) { fontSizes_[{c, index}] = points; }
double frmKorbo::FontSize(Ctl c, int index) const {
    auto it = fontSizes_.find({c, index});
    return it == fontSizes_.end() ? 12.0 : it->second;
}
void frmKorbo::SetTableBackColor(long) {}
void frmKorbo::LoadCardFaceSet(int) {}
void frmKorbo::SetCardBack(int, int) {}
void frmKorbo::ResetPilePictures() {}
void frmKorbo::ClearBackground() {}
void frmKorbo::BackgroundPaint(int) {}
void frmKorbo::Flash() {}
void frmKorbo::Sore_Loser() {}

SaveDialogResult frmKorbo::ShowSaveDialog(const SaveDialogSetup& setup) {
    frmSave dialog(setup, this);
    dialog.exec();
    return dialog.Result();
}

void frmKorbo::PlayResource(int) {}
void frmKorbo::PlayFile(std::string_view, bool) {}
void frmKorbo::Beep() { QApplication::beep(); }

int frmKorbo::MsgBox(std::string_view text, int buttonsAndIcon, std::string_view title) {
    QMessageBox box(this);
    box.setText(QString::fromStdString(std::string(text)));
    box.setWindowTitle(title.empty() ? QApplication::applicationDisplayName()
                                     : QString::fromStdString(std::string(title)));
    switch (buttonsAndIcon & 0x70) {
        case mb::Critical: box.setIcon(QMessageBox::Critical); break;
        case mb::Question: box.setIcon(QMessageBox::Question); break;
        case mb::Exclamation: box.setIcon(QMessageBox::Warning); break;
        case mb::Information: box.setIcon(QMessageBox::Information); break;
        default: break;
    }
    switch (buttonsAndIcon & 0x7) {
        case mb::YesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
        case mb::YesNoCancel: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel); break;
        case mb::OKCancel: box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
        default: box.setStandardButtons(QMessageBox::Ok); break;
    }
    switch (box.exec()) {
        case QMessageBox::Yes: return mb::IDYes;
        case QMessageBox::No: return mb::IDNo;
        case QMessageBox::Cancel: return mb::IDCancel;
        default: return mb::IDOK;
    }
}

void frmKorbo::Pause(double seconds, bool dispatch) {
    if (!(seconds > 0)) return;
    const int ms = static_cast<int>(seconds * 1000.0 + 0.5);
    if (!dispatch) {
        QThread::msleep(ms);
        return;
    }
    // Wait in the event loop: the process sleeps until the timer or an event wakes it.
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

void frmKorbo::DoEvents() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

}  // namespace korbo::ui
