// A grid of text cells in place of the platform's flex grid: rows and columns counted from
// 0, the first row and the first columns fixed as headers, and a click that tells the cell.
// Sizes are in pixels; the windows convert their twips.
#pragma once

#include <QTableWidget>
#include <functional>
#include <string>
#include <string_view>

namespace korbo::platform {

class FlexGrid : public QTableWidget {
    Q_OBJECT
public:
    FlexGrid(QWidget* parent, int rows, int cols, int fixedCols = 1);

    int Rows() const { return rowCount(); }
    void SetRows(int rows);
    int Cols() const { return columnCount(); }
    std::string TextMatrix(int row, int col) const;
    void SetTextMatrix(int row, int col, std::string_view text);
    int ColWidth(int col) const;
    void SetColWidth(int col, int px);
    void SetRowHeight(int px);
    void RemoveRow(int row);
    // Every cell below the header row emptied; the row count stays.
    void ClearCells();
    // The width of all the columns together.
    int ColumnsWidth() const;
    // Every column widened, where it is narrower, to show its headings whole: the text of
    // the header row and, in the fixed columns, of every row.
    void FitHeadings();
    // The cell of the last click; -1 before any.
    int MouseRow() const { return mouseRow_; }
    int MouseCol() const { return mouseCol_; }
    // Row `row` (0 none) drawn as the chosen one, every other row in its own colours.
    void HighlightRow(int row);
    // A click as the platform's grid reports it (tests call it for a cell).
    void ClickCell(int row, int col);

    std::function<void()> onClick;
    // Room around a line of text in a row, in pixels.
    static constexpr int kRowPadding = 4;

protected:
    // The columns grow and shrink with the grid's font, and the rows grow to hold its text,
    // so that a window scaled for the screen keeps its cells readable.
    void changeEvent(QEvent* e) override;

private:
    void StyleCell(int row, int col);
    double fontPoints_ = 0;
    int fixedCols_;
    int mouseRow_ = -1, mouseCol_ = -1;
};

}  // namespace korbo::platform
