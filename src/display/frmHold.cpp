#include "display/frmHold.h"

#include <QCloseEvent>
#include <QScreen>
#include <algorithm>
#include <cmath>

#include "controls/table_controls.h"
#include "controls/table_window.h"

namespace korbo::ui {

namespace {
int Px(double twips) { return Nearest(twips / TwipsPerPixel()); }
}  // namespace

frmHold::frmHold(TableWindow& table, QWidget* parent) : QWidget(parent, Qt::Tool), table_(table) {
    setAttribute(Qt::WA_DeleteOnClose, false);
    Form_Load();
}

void frmHold::Form_Load() {
    // Picture 1 is the designed one; each next one overlaps the one before by a little.
    double left = 0;
    for (int i = 1; i <= hold::kPictures; ++i) {
        auto* box = new PictureBox(this);
        box->setObjectName(QString("Picture8_%1").arg(i));
        box->SetBorderStyle(1);
        box->SetBackColor(kEmptyColor);
        box->setGeometry(Px(left), 0, Px(kPictureWidth), Px(kPictureHeight));
        box->onMouseUp = [this, i](int button, int, double, double) {
            if (button == btn::Left) Picture8_Click(i);
        };
        box->raise();
        pictures_[static_cast<size_t>(i)] = box;
        left += kPictureWidth - kOverlap;
    }
    resize(Px(left + kOverlap), Px(kPictureHeight));
    table_.ScaleForScreen(*this);
}

void frmHold::HoldInfo() {
    Game& g = table_.TheGame();
    const double tpp = TwipsPerPixel();
    move(Nearest(g.HoldX / tpp), Nearest(g.HoldY / tpp));
    for (int i = 1; i <= hold::kPictures; ++i) {
        PictureBox& box = *Picture8(i);
        box.Clear();
        box.SetBackColor(kEmptyColor);
    }
    const hold::ViewerFill fill = hold::HoldInfo(g);
    if (fill.viewPile != 0) viewPile_ = fill.viewPile;
    if (fill.captionSet) setWindowTitle(QString::fromStdString(fill.caption));
    for (int i = 1; i <= hold::kPictures; ++i) {
        const int id = fill.cards[static_cast<size_t>(i)];
        if (id != 0) table_.ShowCard(*Picture8(i), id);
    }
}

void frmHold::KeepOnScreen() {
    const QScreen* s = screen();
    if (!s) return;
    const QRect room = s->availableGeometry();
    const QRect frame = frameGeometry();
    const QPoint inside(std::max(room.left(), std::min(frame.left(), room.right() + 1 - frame.width())),
                        std::max(room.top(), std::min(frame.top(), room.bottom() + 1 - frame.height())));
    if (inside != frame.topLeft()) move(pos() + (inside - frame.topLeft()));
}

void frmHold::Picture8_Click(int) {
    Game& g = table_.TheGame();
    const double tpp = TwipsPerPixel();
    g.HoldX = std::lround(pos().x() * tpp);
    g.HoldY = std::lround(pos().y() * tpp);
    hide();
}

void frmHold::closeEvent(QCloseEvent* e) {
    e->ignore();
    hide();
}

void ShowHoldViewer(TableWindow& table, frmHold& viewer) {
    viewer.HoldInfo();
    viewer.show();
    viewer.KeepOnScreen();
    viewer.raise();
}

}  // namespace korbo::ui
