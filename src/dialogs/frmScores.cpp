#include "dialogs/frmScores.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

#include "controls/table_controls.h"
#include "controls/table_window.h"
#include "game/score_board.h"
#include "platform/flex_grid.h"

namespace korbo::ui {

namespace {

int Px(double twips) { return Nearest(twips / TwipsPerPixel()); }

// The window's design, in twips.
constexpr double kFormWidth = 7200;
constexpr double kGridTop = 240, kRowHeight = 285;
constexpr double kColumnWidths[] = {2400, 900, 900, 900, 1000};
constexpr double kGridSlack = 350;    // the grid is this much wider than its columns
constexpr double kButtonWidth = 1695, kButtonHeight = 375, kGap = 120;
constexpr double kFormBelow = 500;    // room under the lowest control shown
const char* const kHeaders[] = {"Name", "Played", "Won", "Lost", "Margin"};

QString Q(const std::string& s) { return QString::fromStdString(s); }
QString Num(long n) { return QString::number(n); }

}  // namespace

frmScores::frmScores(TableWindow& table, QWidget* parent) : QDialog(parent), table_(table) {
    setWindowTitle("Scores");
    setModal(true);
    const int rows = scores::kDesignedPlayers + 2;  // header, the computer, ten players
    grid_ = new platform::FlexGrid(this, rows, kColumns);
    grid_->setObjectName("GridScores");
    grid_->SetRowHeight(Px(kRowHeight));
    for (int c = 0; c < kColumns; ++c) {
        grid_->SetColWidth(c, Px(kColumnWidths[c]));
        grid_->SetTextMatrix(0, c, kHeaders[c]);
    }
    const double gridBottom = kGridTop + rows * kRowHeight + 60;
    grid_->setGeometry(0, Px(kGridTop), Px(kFormWidth - 2 * kGap), Px(gridBottom - kGridTop));
    grid_->onClick = [this] { GridScores_Click(); };

    label1_ = new QLabel(this);
    label1_->setObjectName("Label1");
    label1_->setAlignment(Qt::AlignCenter);
    label1_->setGeometry(Px(kGap), Px(gridBottom + kGap), Px(kFormWidth - 2 * kGap), Px(300));

    const double rowTop = gridBottom + kGap + 300 + kGap;
    ckMaintance_ = new QCheckBox("Scoreboard Maintenance", this);
    ckMaintance_->setObjectName("CkMaintance");
    ckMaintance_->setGeometry(Px(2 * kGap), Px(rowTop), Px(3000), Px(kButtonHeight));
    connect(ckMaintance_, &QCheckBox::clicked, this, [this] { CkMaintance_Click(); });
    command1_ = new QPushButton("Return", this);
    command1_->setObjectName("Command1");
    command1_->setGeometry(Px(kFormWidth - 2 * kGap - kButtonWidth), Px(rowTop), Px(kButtonWidth), Px(kButtonHeight));
    connect(command1_, &QPushButton::clicked, this, [this] { Command1_Click(); });

    // The maintenance buttons in two rows of two, under the box that shows them and below
    // the window's edge while it is not ticked.
    const double buttonsTop = rowTop + kButtonHeight + kFormBelow + kGap;
    for (int i = 0; i < 4; ++i) {
        auto* b = new QPushButton(Q(std::string(scores::kMaintanceCaptions[static_cast<size_t>(i)])), this);
        b->setObjectName(QString("Maintance_%1").arg(i));
        const double left = (i % 2 == 0) ? 2 * kGap : kFormWidth - 2 * kGap - kButtonWidth * 1.4;
        b->setGeometry(Px(left), Px(buttonsTop + (i / 2) * (kButtonHeight + kGap)), Px(kButtonWidth * 1.4),
                       Px(kButtonHeight));
        connect(b, &QPushButton::clicked, this, [this, i] { Maintance_Click(i); });
        maintance_[static_cast<size_t>(i)] = b;
    }
    setFixedWidth(Px(kFormWidth));
    Form_Load();
}

void frmScores::Form_Load() {
    rowsAdded_ = false;
    setFixedHeight(command1_->geometry().bottom() + Px(kFormBelow));
    PrintNames();
}

void frmScores::PrintNames() {
    Game& g = table_.TheGame();
    const int gridWidth = grid_->ColumnsWidth() + Px(kGridSlack);
    grid_->setGeometry((width() - gridWidth) / 2, grid_->y(), gridWidth, grid_->height());
    const std::vector<scores::ScoreRow> rows = scores::PrintNames(g);
    // Players beyond the designed ten get rows of their own when first needed.
    if (static_cast<int>(rows.size()) > grid_->Rows()) grid_->SetRows(static_cast<int>(rows.size()));
    grid_->ClearCells();
    for (size_t r = 1; r < rows.size(); ++r) {
        const auto& row = rows[r];
        const int gr = static_cast<int>(r);
        grid_->SetTextMatrix(gr, ColName, row.name);
        grid_->SetTextMatrix(gr, ColPlayed, Num(row.played).toStdString());
        grid_->SetTextMatrix(gr, ColWon, Num(row.won).toStdString());
        grid_->SetTextMatrix(gr, ColLost, Num(row.lost()).toStdString());
        grid_->SetTextMatrix(gr, ColMargin, Num(row.margin).toStdString());
    }
    rowsAdded_ = true;
    ShowSelection();
}

void frmScores::CkMaintance_Click() {
    if (ckMaintance_->isChecked()) {
        setFixedHeight(maintance_[3]->geometry().bottom() + Px(kFormBelow));
    } else {
        setFixedHeight(command1_->geometry().bottom() + Px(kFormBelow));
        label1_->clear();
    }
}

void frmScores::GridScores_Click() {
    selectedRow_ = 0;
    if (grid_->MouseCol() == ColName && grid_->MouseRow() >= scores::kComputerRow) selectedRow_ = grid_->MouseRow();
    ShowSelection();
}

void frmScores::ShowSelection() { grid_->HighlightRow(selectedRow_); }

void frmScores::Maintance_Click(int index) {
    Game& g = table_.TheGame();
    const scores::MaintenanceResult r = scores::Maintance(g, index, selectedRow_);
    if (!r.label.empty()) label1_->setText(Q(r.label));
    if (r.beep) g.View().Beep();
    if (r.clearSelection) selectedRow_ = 0;
    if (r.done) PrintNames();
}

void frmScores::Command1_Click() { accept(); }

}  // namespace korbo::ui
