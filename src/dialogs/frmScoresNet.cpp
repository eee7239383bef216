#include "dialogs/frmScoresNet.h"

#include <QLabel>
#include <QPushButton>

#include "controls/table_controls.h"
#include "controls/table_window.h"
#include "game/net_scores.h"
#include "platform/flex_grid.h"

namespace korbo::ui {

namespace {

int Px(double twips) { return Nearest(twips / TwipsPerPixel()); }

// The window's design, in twips.
constexpr double kFormWidth = 8400;
constexpr double kGridTop = 600, kRowHeight = 285;
constexpr double kColumnWidths[] = {2800, 1650, 1100, 1000, 1100};
constexpr double kGridSlack = 350;  // the grid is this much wider than its columns
constexpr double kButtonWidth = 1800, kButtonHeight = 375, kGap = 120;
constexpr double kFormBelow = 500;
// The headings as the grid's format gives them: the name left, the numbers centred.
const char* const kHeaders[] = {"Opponent Name           ", "Games Played ", "   Wins    ", " Losses ", "  Margin  "};

QString Q(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

}  // namespace

frmScoresNet::frmScoresNet(TableWindow& table, QWidget* parent) : QDialog(parent), table_(table) {
    setWindowTitle("KorboNET Scores");
    setModal(true);
    label1_ = new QLabel(this);
    label1_->setObjectName("Label1");
    label1_->setAlignment(Qt::AlignCenter);
    label1_->setGeometry(Px(kGap), Px(kGap), Px(kFormWidth - 2 * kGap), Px(kGridTop - 2 * kGap));

    const int rows = netscores::kDesignedRows + 1;
    grid_ = new platform::FlexGrid(this, rows, kColumns);
    grid_->setObjectName("GridNET");
    grid_->SetRowHeight(Px(kRowHeight));
    for (int c = 0; c < kColumns; ++c) {
        grid_->SetColWidth(c, Px(kColumnWidths[c]));
        grid_->SetTextMatrix(0, c, kHeaders[c]);
        if (c != ColName) grid_->item(0, c)->setTextAlignment(Qt::AlignCenter);
    }
    const double gridBottom = kGridTop + rows * kRowHeight + 60;
    const int gridWidth = grid_->ColumnsWidth() + Px(kGridSlack);
    grid_->setGeometry((Px(kFormWidth) - gridWidth) / 2, Px(kGridTop), gridWidth, Px(gridBottom - kGridTop));
    grid_->onClick = [this] { GridNET_Click(); };

    const double top = gridBottom + kGap;
    const double step = (kFormWidth - 2 * kGap - kButtonWidth) / 3;
    auto button = [&](const char* name, const char* text, int place, const char* tip) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(name);
        if (tip) b->setToolTip(tip);
        b->setGeometry(Px(kGap + place * step), Px(top), Px(kButtonWidth), Px(kButtonHeight));
        return b;
    };
    cmdNext_ = button("CmdNext", "Next ->", 0, "View other player's Net scores");
    command4_ = button("Command4", "Delete Opponent", 1, nullptr);
    command2_ = button("Command2", "Delete File", 2, "A fresh start might help");
    command1_ = button("Command1", "Return", 3, nullptr);
    connect(cmdNext_, &QPushButton::clicked, this, [this] { CmdNext_Click(); });
    connect(command4_, &QPushButton::clicked, this, [this] { Command4_Click(); });
    connect(command2_, &QPushButton::clicked, this, [this] { Command2_Click(); });
    connect(command1_, &QPushButton::clicked, this, [this] { Command1_Click(); });
    setFixedSize(Px(kFormWidth), Px(top + kButtonHeight + kFormBelow));
    Form_Load();
}

void frmScoresNet::Form_Load() {
    recIndex_ = 1;
    cmdNext_->setEnabled(table_.TheGame().NetScoreFileCount > 1);
    PrintUsers();
}

void frmScoresNet::PrintUsers() {
    // The designed rows emptied, the ones added for a longer file taken away again.
    const int designed = netscores::kDesignedRows + 1;
    while (grid_->Rows() > designed) grid_->RemoveRow(grid_->Rows() - 1);
    grid_->ClearCells();
    netscores::NetScoreBoard board;
    const bool read = netscores::PrintUsers(table_.TheGame(), recIndex_, board);
    label1_->setText(Q(netscores::kPlayerLabel) + Q(board.player));
    rowsShown_ = read ? board.Opponents() : 0;
    if (rowsShown_ + 1 > grid_->Rows()) grid_->SetRows(rowsShown_ + 1);
    for (int r = 1; r <= rowsShown_; ++r) {
        const auto& row = board.rows[static_cast<size_t>(r)];
        grid_->SetTextMatrix(r, ColName, row.name);
        grid_->SetTextMatrix(r, ColPlayed, std::to_string(row.played));
        grid_->SetTextMatrix(r, ColWon, std::to_string(row.won));
        grid_->SetTextMatrix(r, ColLost, std::to_string(row.lost()));
        grid_->SetTextMatrix(r, ColMargin, std::to_string(row.margin));
        for (int c = ColPlayed; c < kColumns; ++c) grid_->item(r, c)->setTextAlignment(Qt::AlignCenter);
    }
}

void frmScoresNet::CmdNext_Click() {
    ++recIndex_;
    if (recIndex_ > table_.TheGame().NetScoreFileCount) recIndex_ = 1;
    PrintUsers();
    if (selectedRow_ > rowsShown_) selectedRow_ = 0;
    grid_->HighlightRow(selectedRow_);
}

void frmScoresNet::GridNET_Click() {
    selectedRow_ = grid_->MouseRow() >= 1 ? grid_->MouseRow() : 0;
    grid_->HighlightRow(selectedRow_);
}

void frmScoresNet::Command1_Click() { accept(); }

void frmScoresNet::Command2_Click() {
    Game& g = table_.TheGame();
    if (!netscores::DeleteFile(g, recIndex_)) return;
    grid_->ClearCells();
    selectedRow_ = 0;
    grid_->HighlightRow(0);
    if (g.NetScoreFileCount == 0) {
        accept();
        return;
    }
    // The first of the files that remain.
    recIndex_ = 1;
    cmdNext_->setEnabled(g.NetScoreFileCount > 1);
    PrintUsers();
}

void frmScoresNet::Command4_Click() {
    const std::string name = selectedRow_ >= 1 && selectedRow_ < grid_->Rows() ? grid_->TextMatrix(selectedRow_, ColName) : "";
    const auto r = netscores::DeleteOpponent(table_.TheGame(), recIndex_, selectedRow_, name, rowsShown_);
    if (!r.label.empty()) label1_->setText(Q(r.label));
    if (r.done) PrintUsers();
}

}  // namespace korbo::ui
