// The card counter window as the player meets it: the grid right after a deal, the
// refusals, the keys that close it, and closing that only hides it.
#include <QKeyEvent>
#include <QLabel>
#include <QTimer>
#include <QtTest>

#include "dialogs/frmCounter.h"
#include "fake_table.h"
#include "game/card_counter.h"

using korbo::test::FakeTable;
using korbo::ui::frmCounter;

namespace {

// Deals until the player has the first turn, so that the table stands as the deal left it.
void DealPlayerFirst(korbo::Game& g) {
    do {
        g.ClearBoard();
        g.SetUp();
    } while (g.Turn != korbo::TurnPlayer);
    g.GoDeal();
}

// Presses a key in the counter once it is shown, noting whether it was.
void PressWhenShown(frmCounter& c, Qt::Key key, bool& wasShown) {
    QTimer::singleShot(0, &c, [&c, key, &wasShown] {
        wasShown = c.isVisible();
        QTest::keyClick(&c, key);
    });
}

}  // namespace

class CounterWindowTest : public QObject {
    Q_OBJECT
private slots:
    void rightAfterADealTheGridShowsTwelveOnes() {
        FakeTable t;
        DealPlayerFirst(t.game);
        frmCounter c(t);
        bool shown = false;
        PressWhenShown(c, Qt::Key_Return, shown);
        QVERIFY(korbo::ui::CdCount_Click(t, c));
        QVERIFY(shown);
        QVERIFY(!c.isVisible());
        QCOMPARE(c.windowTitle(), QString("Card Counter"));
        const QString grid = c.LblGrid()->text();
        QCOMPARE(grid.count(" 1 "), 12);
        QCOMPARE(grid.count("_"), 92);
        QCOMPARE(c.Label1()->text(), QString("1  2  3  4  5  6  7  8  9 10 J  Q  K"));
        QCOMPARE(c.Label2()->text(), QString("Clubs\nDiamonds\nHearts\nSpades\nClubs\nDiamonds\nHearts\nSpades\n"));
        QVERIFY(t.game.HelpUsed);
        // Around the labels, at least their widths and heights and 1000 twips.
        const double tpp = korbo::ui::TwipsPerPixel();
        QVERIFY(c.width() >= c.Label1()->width() + c.Label2()->width() + int(1000 / tpp) - 1);
        QVERIFY(c.height() >= c.Label1()->height() + c.Label2()->height() + int(1000 / tpp) - 1);
        // Every row has its tallies in the same character columns as the first.
        const QStringList lines = grid.split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 8);
        for (const QString& line : lines) {
            QCOMPARE(line.size(), lines[0].size());
            for (int at = 0; at < line.size(); ++at) QCOMPARE(line[at] == ' ', lines[0][at] == ' ');
        }
        // The columns line up only in a font whose characters all have one width.
        for (QLabel* l : {c.Label1(), c.LblGrid()}) {
            QVERIFY(QFontInfo(l->font()).fixedPitch());
            QCOMPARE(l->fontMetrics().horizontalAdvance("_"), l->fontMetrics().horizontalAdvance("1"));
        }
        // Every label lies wholly inside the window.
        for (QLabel* l : {c.Label1(), c.Label2(), c.LblGrid()}) QVERIFY(c.rect().contains(l->geometry()));
    }

    void theRowNamesStandABlankClearOfTheFirstColumn() {
        FakeTable t;
        DealPlayerFirst(t.game);
        frmCounter c(t);
        c.Fill(std::string(korbo::counter::kHeader), korbo::counter::RowNames(), korbo::counter::Grid(t.game));
        const QFontMetrics names(c.Label2()->font());
        const QFontMetrics grid(c.LblGrid()->font());
        int longest = 0;
        for (const QString& name : c.Label2()->text().split('\n', Qt::SkipEmptyParts))
            longest = std::max(longest, names.horizontalAdvance(name));
        QCOMPARE(longest, names.horizontalAdvance("Diamonds"));
        // Each grid row begins with a blank; its first tally follows.
        const int firstTally = c.LblGrid()->x() + grid.horizontalAdvance(' ');
        QVERIFY2(firstTally - (c.Label2()->x() + longest) >= grid.horizontalAdvance(' '),
                 qPrintable(QString("names end at %1, the first column begins at %2")
                                .arg(c.Label2()->x() + longest)
                                .arg(firstTally)));
        // The header's first rank stands over the first tally, and the grid still fits.
        QCOMPARE(c.Label1()->x(), firstTally);
        for (QLabel* l : {c.Label1(), c.Label2(), c.LblGrid()}) QVERIFY(c.rect().contains(l->geometry()));
    }

    void refusesAfterARestoreWithoutShowingTheWindow() {
        FakeTable t;
        DealPlayerFirst(t.game);
        t.game.CountLost = true;
        frmCounter c(t);
        QVERIFY(!korbo::ui::CdCount_Click(t, c));
        QVERIFY(!c.isVisible());
        QCOMPARE(t.view.boxes.size(), size_t(1));
        QCOMPARE(t.view.boxes[0].title, std::string("Memory Failure"));
        QVERIFY(!t.game.HelpUsed);
        QVERIFY(c.LblGrid()->text().isEmpty());
    }

    void enterAndF8HideItAndClosingKeepsItLoaded() {
        FakeTable t;
        DealPlayerFirst(t.game);
        frmCounter c(t);
        QCOMPARE(t.scaled, 1);  // scaled for the screen when loaded
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_F8, Qt::Key_Enter}) {
            bool shown = false;
            PressWhenShown(c, key, shown);
            QVERIFY(korbo::ui::CdCount_Click(t, c));
            QVERIFY(shown);
            QVERIFY(!c.isVisible());
        }
        // A key of no meaning leaves it open; the close box only hides it.
        bool shown = false;
        QTimer::singleShot(0, &c, [&] {
            QTest::keyClick(&c, Qt::Key_A);
            shown = c.isVisible();
            c.close();
        });
        QVERIFY(korbo::ui::CdCount_Click(t, c));
        QVERIFY(shown);
        QVERIFY(!c.isVisible());
        QCOMPARE(t.scaled, 1);
    }
};

QTEST_MAIN(CounterWindowTest)
#include "test_frm_counter.moc"
