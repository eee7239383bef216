#include "dialogs/frmCounter.h"

#include <QCloseEvent>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QLabel>
#include <algorithm>

#include "controls/table_controls.h"
#include "controls/table_window.h"
#include "game/card_counter.h"

namespace korbo::ui {

namespace {

constexpr int kEnterKey = 13, kF8Key = 119;
constexpr double kMargin = 500;    // twips around the labels; the window adds twice this
constexpr double kRowGap = 120;    // twips between the header and the grid

QString Lines(const std::string& s) { return QString::fromStdString(s).replace("\r\n", "\n"); }

int Px(double twips) { return Nearest(twips / TwipsPerPixel()); }

}  // namespace

frmCounter::frmCounter(TableWindow& table, QWidget* parent) : QDialog(parent), table_(table) {
    setWindowTitle("Card Counter");
    setModal(true);
    // The columns line up under the header only in a font of one width for every character.
    QFont mono = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    mono.setPointSizeF(9.75);
    label1_ = new QLabel(this);
    label2_ = new QLabel(this);
    lblGrid_ = new QLabel(this);
    for (QLabel* l : {label1_, label2_, lblGrid_}) {
        l->setFont(mono);
        l->setTextFormat(Qt::PlainText);
        l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }
    label1_->setObjectName("Label1");
    label2_->setObjectName("Label2");
    lblGrid_->setObjectName("LblGrid");
    Form_Load();
}

void frmCounter::Form_Load() { table_.ScaleForScreen(*this); }

void frmCounter::Fill(const std::string& header, const std::string& rowNames, const std::string& grid) {
    label1_->setText(Lines(header));
    label2_->setText(Lines(rowNames));
    // Each row after the first begins with one blank more than the first: shown without it,
    // every row stands under the header as the first does.
    lblGrid_->setText(Lines(grid).replace("\n ", "\n"));
    for (QLabel* l : {label1_, label2_, lblGrid_}) l->adjustSize();
    const int left = Px(kMargin), top = Px(kMargin);
    const int blank = lblGrid_->fontMetrics().horizontalAdvance(' ');
    // The grid's rows begin with a blank: set just right of the row names, its tallies stand
    // a blank clear of the longest name, and the header's ranks one blank further on, over them.
    label1_->move(left + label2_->width() + blank, top);
    label2_->move(left, top + label1_->height() + Px(kRowGap));
    lblGrid_->move(label1_->x() - blank, label2_->y());
    const int width = label2_->width() + label1_->width() + Px(2 * kMargin);
    const int height = label2_->height() + label1_->height() + Px(2 * kMargin);
    // The grid's rows run a few characters past the header: never cut off.
    setFixedSize(std::max(width, lblGrid_->x() + lblGrid_->width() + left), height + Px(kRowGap));
}

void frmCounter::Form_KeyDown(int keyCode) {
    if (keyCode == kEnterKey || keyCode == kF8Key) hide();
}

void frmCounter::keyPressEvent(QKeyEvent* e) {
    // The form sees the keys first.
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) Form_KeyDown(kEnterKey);
    else if (e->key() == Qt::Key_F8) Form_KeyDown(kF8Key);
    else QDialog::keyPressEvent(e);
}

void frmCounter::closeEvent(QCloseEvent* e) {
    // Closing only hides the window; it stays loaded for the next use.
    e->ignore();
    hide();
}

bool CdCount_Click(TableWindow& table, frmCounter& counter) {
    Game& g = table.TheGame();
    if (!counter::MayShow(g, g.View())) return false;
    counter.Fill(std::string(counter::kHeader), counter::RowNames(), counter::Grid(g));
    counter.exec();
    return true;
}

}  // namespace korbo::ui
