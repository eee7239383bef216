#include "platform/flex_grid.h"

#include <QEvent>
#include <QHeaderView>
#include <algorithm>

namespace korbo::platform {

FlexGrid::FlexGrid(QWidget* parent, int rows, int cols, int fixedCols) : QTableWidget(rows, cols, parent), fixedCols_(fixedCols) {
    horizontalHeader()->hide();
    verticalHeader()->hide();
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::NoSelection);
    setFocusPolicy(Qt::NoFocus);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c) StyleCell(r, c);
    connect(this, &QTableWidget::cellClicked, this, [this](int r, int c) { ClickCell(r, c); });
    fontPoints_ = font().pointSizeF();
}

void FlexGrid::changeEvent(QEvent* e) {
    QTableWidget::changeEvent(e);
    if (e->type() != QEvent::FontChange) return;
    const double points = font().pointSizeF();
    if (fontPoints_ > 0 && points > 0 && points != fontPoints_) {
        const double f = points / fontPoints_;
        // Rounded down, so that the columns still fit the grid the window scaled with them.
        for (int c = 0; c < columnCount(); ++c) setColumnWidth(c, static_cast<int>(columnWidth(c) * f));
        // A window's heights scale on their own axis: a row grows only as far as its text needs.
        const int rowNeeds = fontMetrics().height() + kRowPadding;
        if (verticalHeader()->defaultSectionSize() < rowNeeds) verticalHeader()->setDefaultSectionSize(rowNeeds);
    }
    fontPoints_ = points;
}

void FlexGrid::StyleCell(int row, int col) {
    QTableWidgetItem* it = item(row, col);
    if (!it) {
        it = new QTableWidgetItem();
        setItem(row, col, it);
    }
    const bool fixed = row == 0 || col < fixedCols_;
    it->setBackground(fixed ? palette().color(QPalette::Button) : palette().color(QPalette::Base));
    it->setTextAlignment(fixed ? (Qt::AlignLeft | Qt::AlignVCenter) : (Qt::AlignRight | Qt::AlignVCenter));
}

void FlexGrid::SetRows(int rows) {
    const int old = rowCount();
    setRowCount(std::max(rows, 1));
    for (int r = old; r < rowCount(); ++r)
        for (int c = 0; c < columnCount(); ++c) StyleCell(r, c);
}

std::string FlexGrid::TextMatrix(int row, int col) const {
    const QTableWidgetItem* it = item(row, col);
    return it ? it->text().toStdString() : std::string();
}

void FlexGrid::SetTextMatrix(int row, int col, std::string_view text) {
    if (row < 0 || col < 0 || row >= rowCount() || col >= columnCount()) return;
    StyleCell(row, col);
    item(row, col)->setText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

int FlexGrid::ColWidth(int col) const { return columnWidth(col); }

void FlexGrid::SetColWidth(int col, int px) { setColumnWidth(col, px); }

void FlexGrid::SetRowHeight(int px) { verticalHeader()->setDefaultSectionSize(px); }

void FlexGrid::RemoveRow(int row) {
    if (row > 0 && row < rowCount()) removeRow(row);
}

void FlexGrid::ClearCells() {
    for (int r = 1; r < rowCount(); ++r)
        for (int c = 0; c < columnCount(); ++c) SetTextMatrix(r, c, "");
}

int FlexGrid::ColumnsWidth() const {
    int w = 0;
    for (int c = 0; c < columnCount(); ++c) w += ColWidth(c);
    return w;
}

void FlexGrid::FitHeadings() {
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    // A grid line takes a pixel of each cell.
    const int line = showGrid() ? 1 : 0;
    for (int c = 0; c < columnCount(); ++c) {
        int needs = 0;
        const int rows = c < fixedCols_ ? rowCount() : std::min(1, rowCount());
        for (int r = 0; r < rows; ++r) {
            const QModelIndex at = model()->index(r, c);
            needs = std::max(needs, itemDelegateForIndex(at)->sizeHint(option, at).width() + line);
        }
        if (columnWidth(c) < needs) setColumnWidth(c, needs);
    }
}

void FlexGrid::HighlightRow(int row) {
    for (int r = 1; r < rowCount(); ++r)
        for (int c = 0; c < columnCount(); ++c)
            if (QTableWidgetItem* it = item(r, c))
                it->setBackground(r == row ? palette().color(QPalette::Highlight)
                                           : palette().color(c < fixedCols_ ? QPalette::Button : QPalette::Base));
}

void FlexGrid::ClickCell(int row, int col) {
    mouseRow_ = row;
    mouseCol_ = col;
    if (onClick) onClick();
}

}  // namespace korbo::platform
