// Scaling the other windows: to the screen they are shown on, or by the display-size
// factors; small screens and maximised windows are left alone.
#include <algorithm>

#include <QHeaderView>
#include <QLabel>
#include <QtTest>

#include "controls/scale_controls.h"
#include "platform/flex_grid.h"

using korbo::ui::ScaleFormControls;

namespace {

struct Form {
    QWidget w;
    QLabel* label;
    Form() : label(new QLabel("x", &w)) {
        w.resize(400, 300);
        label->setGeometry(40, 30, 120, 60);
        QFont f = label->font();
        f.setPointSizeF(10);
        label->setFont(f);
    }
};

}  // namespace

class ScaleControls : public QObject {
    Q_OBJECT
private slots:
    void aLargerScreenScalesEachAxisOnItsOwn() {
        Form f;
        // A 1024 x 768 screen: 15360 x 11520 twips, both 1.25 times the designed screen.
        ScaleFormControls(f.w, 4, 0, 15360, 11520);
        QCOMPARE(f.w.size(), QSize(500, 375));
        QCOMPARE(f.label->geometry(), QRect(50, 38, 150, 75));
        QCOMPARE(f.label->font().pointSizeF(), 12.5);
    }

    void aWindowOfAFixedSizeKeepsItFixedAtTheNewSize() {
        for (bool fixedHeight : {true, false}) {
            Form f;
            if (fixedHeight) f.w.setFixedSize(400, 300);
            else f.w.setFixedWidth(400);
            ScaleFormControls(f.w, 4, 0, 15360, 11520);
            QCOMPARE(f.w.size(), QSize(500, 375));
            QCOMPARE(f.w.minimumWidth(), 500);
            QCOMPARE(f.w.maximumWidth(), 500);
            QCOMPARE(f.w.minimumHeight() == f.w.maximumHeight(), fixedHeight);
        }
    }

    void aGridsCellsGrowWithItsFont() {
        Form f;
        QFont font = f.w.font();
        font.setPointSizeF(8);
        f.w.setFont(font);
        auto* grid = new korbo::platform::FlexGrid(&f.w, 3, 2);
        grid->SetColWidth(0, 100);
        grid->SetColWidth(1, 60);
        grid->SetRowHeight(6);
        ScaleFormControls(f.w, 4, 0, 15360, 11520);
        QCOMPARE(grid->font().pointSizeF(), 10.0);
        QCOMPARE(grid->ColWidth(0), 125);
        QCOMPARE(grid->ColWidth(1), 75);
        // Too low for the larger text, the rows take its height.
        const int needs = grid->fontMetrics().height() + korbo::platform::FlexGrid::kRowPadding;
        QCOMPARE(grid->verticalHeader()->defaultSectionSize(), needs);
        // Rows high enough already stay as they are.
        grid->SetRowHeight(needs + 30);
        ScaleFormControls(f.w, 4, 0, 15360, 11520);
        QCOMPARE(grid->verticalHeader()->defaultSectionSize(), needs + 30);
    }

    void anEightHundredScreenShrinksALittle() {
        Form f;
        ScaleFormControls(f.w, 4, 0, 12000, 9000);
        QCOMPARE(f.w.size(), QSize(qRound(400 * 12000.0 / 12288), qRound(300 * 9000.0 / 9216)));
    }

    void aSixFortyScreenLeavesMostWindowsAlone() {
        Form f;
        ScaleFormControls(f.w, 4, 0, 9600, 7200);
        QCOMPARE(f.w.size(), QSize(400, 300));
        ScaleFormControls(f.w, 5, 3, 9600, 7200, true);  // the chat window is scaled anyway
        QCOMPARE(f.w.size(), QSize(320, 240));
        QCOMPARE(f.label->geometry(), QRect(32, 24, 96, 48));
    }

    // A window of a fixed size takes its new size as fixed, and a grid's columns and rows
    // grow with it, so that nothing lies beyond the window's edges.
    void aFixedWindowAndItsGridGrowTogether() {
        Form f;
        f.w.setFixedSize(400, 300);
        auto* grid = new korbo::platform::FlexGrid(&f.w, 3, 2);
        grid->SetColWidth(0, 100);
        grid->SetColWidth(1, 60);
        grid->SetRowHeight(20);
        ScaleFormControls(f.w, 4, 0, 15360, 11520);
        QCOMPARE(f.w.size(), QSize(500, 375));
        QCOMPARE(f.w.maximumSize(), QSize(500, 375));
        QCOMPARE(grid->ColWidth(0), 125);
        QCOMPARE(grid->ColWidth(1), 75);
        // Rows grow only as far as the larger text needs.
        const int needs = grid->fontMetrics().height() + korbo::platform::FlexGrid::kRowPadding;
        QCOMPARE(grid->verticalHeader()->defaultSectionSize(), std::max(20, needs));
    }

    void aMaximisedWindowIsNotScaled() {
        Form f;
        f.w.setWindowState(Qt::WindowMaximized);
        ScaleFormControls(f.w, 5, 2, 15360, 11520);
        QCOMPARE(f.label->geometry(), QRect(40, 30, 120, 60));
    }
};

QTEST_MAIN(ScaleControls)
#include "test_scale_controls.moc"
