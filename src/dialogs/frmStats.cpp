#include "dialogs/frmStats.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include "controls/table_controls.h"
#include "controls/table_window.h"
#include "game/player_stats.h"
#include "platform/flex_grid.h"
#include "records/record_file.h"

namespace korbo::ui {

namespace {

int Px(double twips) { return Nearest(twips / TwipsPerPixel()); }

// The window's design, in twips.
constexpr double kFormWidth = 7800, kGap = 120, kRowHeight = 285;
constexpr double kStatsWidths[] = {2100, 900, 900, 900, 1000};
constexpr double kStatsSlack = 400;  // the results grid is this much wider than its columns
constexpr double kRunWidths[] = {2000, 550, 550, 550, 650, 150, 550, 550, 550, 650};
// Room around the run grid's cells, so that the grid needs no scroll bars.
constexpr double kRunSlackWidth = 300, kRunSlackHeight = 200;
constexpr double kButtonWidth = 1695, kButtonHeight = 375;

const char* const kStatsHeaders[] = {"Games", "Played", "Won", "Lost", "Margin"};
// Rows 1..6: the player file's records 1..6.
const char* const kStatsRows[] = {"", "All Games", "Average", "Clever", "Ruthless", "With Aids", "vs Korbo"};
const char* const kRunHeaders[] = {"", "Side", "Hand", "Hold", "Total", "", "Side", "Hand", "Hold", "Total"};
const char* const kRunRows[] = {"", "Korbo's best run", "Korbo's best side run", "Your best run", "Your best side run"};

std::string Num(long n) { return std::to_string(n); }
QString Q(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

bool SameName(const std::string& a, const std::string& b) {
    return records::UpperAscii(records::TrimBlanks(a)) == records::UpperAscii(records::TrimBlanks(b));
}

}  // namespace

frmStats::frmStats(TableWindow& table, QWidget* parent) : QDialog(parent), table_(table) {
    setWindowTitle("Player Statistics");
    setModal(true);
    combo1_ = new QComboBox(this);
    combo1_->setObjectName("Combo1");
    combo1_->setGeometry(Px(kGap), Px(kGap), Px(3000), Px(330));
    connect(combo1_, &QComboBox::activated, this, [this](int) { Combo1_Click(); });

    const int statsRows = stats::kDesignedRows + 1;
    gridStats_ = new platform::FlexGrid(this, statsRows, kColumns);
    gridStats_->setObjectName("GridStats");
    gridStats_->SetRowHeight(Px(kRowHeight));
    for (int c = 0; c < kColumns; ++c) {
        gridStats_->SetColWidth(c, Px(kStatsWidths[c]));
        gridStats_->SetTextMatrix(0, c, kStatsHeaders[c]);
    }
    for (int r = 1; r < statsRows; ++r) gridStats_->SetTextMatrix(r, ColLabel, kStatsRows[r]);
    const double statsTop = kGap + 330 + kGap;
    const double statsHeight = (stats::kLastRecordRow + 1) * kRowHeight + 60;
    gridStats_->setGeometry(Px(kGap), Px(statsTop), Px(kFormWidth - 2 * kGap), Px(statsHeight));

    const double labelsTop = statsTop + statsHeight + kGap;
    label2_ = new QLabel("Best Against Korbo:", this);
    label2_->setObjectName("Label2");
    label1_ = new QLabel("Current Game:", this);
    label1_->setObjectName("Label1");

    gridRun_ = new platform::FlexGrid(this, 5, kRunColumns);
    gridRun_->setObjectName("GridRun");
    gridRun_->SetRowHeight(Px(kRowHeight));
    for (int c = 0; c < kRunColumns; ++c) {
        gridRun_->SetColWidth(c, Px(kRunWidths[c]));
        gridRun_->SetTextMatrix(0, c, kRunHeaders[c]);
    }
    for (int r = 1; r <= 4; ++r) gridRun_->SetTextMatrix(r, 0, kRunRows[r]);
    for (platform::FlexGrid* grid : {gridStats_, gridRun_}) grid->FitHeadings();
    const int runWidth = gridRun_->ColumnsWidth() + Px(kRunSlackWidth);
    const int runLeft = (Px(kFormWidth) - runWidth) / 2;
    const double runTop = labelsTop + 300;
    const double runHeight = 5 * kRowHeight + kRunSlackHeight;
    gridRun_->setGeometry(runLeft, Px(runTop), runWidth, Px(runHeight));
    // The labels stand over the all-time triple (columns 1-4) and the current game's (6-9).
    const auto columnLeft = [this, runLeft](int col) {
        int x = runLeft;
        for (int c = 0; c < col; ++c) x += gridRun_->ColWidth(c);
        return x;
    };
    label2_->setGeometry(columnLeft(1), Px(labelsTop), Px(2400), Px(285));
    label1_->setGeometry(columnLeft(6), Px(labelsTop), Px(2400), Px(285));

    const double buttonsTop = runTop + runHeight + 2 * kGap;
    cmdClearStats_ = new QPushButton(Q(stats::kClearRunCaption), this);
    cmdClearStats_->setObjectName("cmdClearStats");
    cmdClearStats_->setGeometry(Px(2 * kGap), Px(buttonsTop), Px(kButtonWidth), Px(kButtonHeight));
    connect(cmdClearStats_, &QPushButton::clicked, this, [this] { cmdClearStats_Click(); });
    command1_ = new QPushButton("Close", this);
    command1_->setObjectName("Command1");
    command1_->setGeometry(Px(kFormWidth - 2 * kGap - kButtonWidth), Px(buttonsTop), Px(kButtonWidth), Px(kButtonHeight));
    connect(command1_, &QPushButton::clicked, this, [this] { Command1_Click(); });
    setFixedSize(Px(kFormWidth), Px(buttonsTop + kButtonHeight + 2 * kGap));
    Form_Load();
}

void frmStats::Form_Load() {
    Game& g = table_.TheGame();
    oppBestAtLoad_ = g.RunStats[5];
    combo1_->clear();
    if (g.PlayerChosen) combo1_->addItem(Q(g.PlayerName));
    playerHasFile_ = false;
    currentListed_ = g.PlayerName;
    for (int i = 1; i <= g.PlayerCount && i < static_cast<int>(g.PlayerNames.size()); ++i) {
        const std::string& name = g.PlayerNames[static_cast<size_t>(i)];
        if (SameName(name, g.PlayerName)) {
            // The file is read under the name it is listed by: the names of this system's
            // files tell the cases apart.
            playerHasFile_ = true;
            currentListed_ = name;
        } else {
            combo1_->addItem(Q(name));
        }
    }
    combo1_->setCurrentIndex(g.PlayerChosen ? 0 : -1);
    const int width = gridStats_->ColumnsWidth() + Px(kStatsSlack);
    gridStats_->setGeometry((this->width() - width) / 2, gridStats_->y(), width, gridStats_->height());
    player_ = currentListed_;
    if (g.PlayerCount == 0 || !playerHasFile_) GetRun();
    else GetStats();
}

void frmStats::Combo1_Click() {
    Game& g = table_.TheGame();
    const std::string chosen = combo1_->currentText().toStdString();
    const bool current = SameName(chosen, g.PlayerName);
    // The current player keeps the name their file is listed by.
    player_ = current ? currentListed_ : chosen;
    if (g.PlayerCount > 0 && !(current && !playerHasFile_)) GetStats();
}

void frmStats::GetStats() {
    Game& g = table_.TheGame();
    gridStats_->SetRows(stats::kDesignedRows + 1);
    std::vector<stats::StatsRow> rows;
    if (stats::GetStats(g, player_, rows)) {
        gridStats_->SetRows(std::max<int>(static_cast<int>(rows.size()), stats::kDesignedRows + 1));
        for (size_t r = 1; r < rows.size(); ++r) {
            const auto& row = rows[r];
            const int gr = static_cast<int>(r);
            if (gr > stats::kDesignedRows) gridStats_->SetTextMatrix(gr, ColLabel, row.label);
            gridStats_->SetTextMatrix(gr, ColPlayed, Num(row.played));
            gridStats_->SetTextMatrix(gr, ColWon, Num(row.won));
            gridStats_->SetTextMatrix(gr, ColLost, Num(row.lost));
            gridStats_->SetTextMatrix(gr, ColMargin, Num(row.margin));
        }
    }
    GetRun();
}

void frmStats::GetRun() {
    const auto grid = stats::GetRun(table_.TheGame());
    for (int r = 1; r <= 4; ++r) {
        const auto& row = grid[static_cast<size_t>(r)];
        for (int k = 0; k < 3; ++k) {
            gridRun_->SetTextMatrix(r, 1 + k, Num(row.best[static_cast<size_t>(k)]));
            gridRun_->SetTextMatrix(r, 6 + k, Num(row.current[static_cast<size_t>(k)]));
        }
        gridRun_->SetTextMatrix(r, 4, Num(row.BestSum()));
        gridRun_->SetTextMatrix(r, 9, Num(row.CurrentSum()));
    }
}

void frmStats::cmdClearStats_Click() {
    if (!stats::ClearRunStats(table_.TheGame(), player_)) return;
    // The current player's runs, once cleared, stay so when the window closes.
    if (playerHasFile_ && player_ == currentListed_) oppBestAtLoad_.fill(0);
    GetRun();
}

void frmStats::Command1_Click() { accept(); }

void frmStats::Form_QueryUnload() {
    if (unloaded_) return;
    unloaded_ = true;
    table_.TheGame().RunStats[5] = oppBestAtLoad_;
}

void frmStats::closeEvent(QCloseEvent* e) {
    Form_QueryUnload();
    QDialog::closeEvent(e);
}

void frmStats::done(int r) {
    Form_QueryUnload();
    QDialog::done(r);
}

}  // namespace korbo::ui
