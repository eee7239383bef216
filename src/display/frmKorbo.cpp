#include "display/frmKorbo.h"

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
void frmKorbo::CheckMenu(Menu, bool) {}
void frmKorbo::ShowForm(Form, bool) {}
void frmKorbo::PlayResource(int) {}
void frmKorbo::PlayFile(std::string_view, bool) {}
void frmKorbo::Beep() { QApplication::beep(); }

int frmKorbo::MsgBox(std::string_view text, int buttonsAndIcon, std::string_view title) {
    QMessageBox box(this);
    box.setText(QString::fromStdString(std::string(text)));
    box.setWindowTitle(QString::fromStdString(std::string(title)));
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
