// The score board and the statistics window as the player uses them: the rows shown, a
// player chosen by a click and deleted, the maintenance buttons, and the statistics of
// another player, cleared, with the opponent's runs put back on closing.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QtTest>

#include "dialogs/frmScores.h"
#include "dialogs/frmScoresNet.h"
#include "dialogs/frmStats.h"
#include "fake_table.h"
#include "game/net_scores.h"
#include "platform/flex_grid.h"
#include "records/record_file.h"

using korbo::test::Bytes;
using korbo::test::FakeTable;
using korbo::test::Records;
using korbo::test::ScoreBytes;
using korbo::ui::frmScores;
using korbo::ui::frmScoresNet;
using korbo::ui::frmStats;

namespace {

Bytes PlayerFile(int played, int won, int margin, const std::string& persona = "") {
    std::vector<Bytes> recs{ScoreBytes(" 0", played, won, margin, 1)};
    for (int r = 2; r <= 5; ++r) recs.push_back(ScoreBytes("", r, 1, 0, 10 + r));
    recs.push_back(ScoreBytes("Korbo", 1, 1, 1, 16));
    recs.push_back(ScoreBytes(persona, 2, 1, 1, 17));
    for (int r = 8; r <= 13; ++r) recs.push_back(ScoreBytes("", 0, 0, 0, 0));
    recs.push_back(ScoreBytes("", 3, 2, 1, 0));
    recs.push_back(ScoreBytes("", 6, 5, 4, 0));
    for (int r = 16; r <= 18; ++r) recs.push_back(ScoreBytes("", 0, 0, 0, 0));
    return Records(recs);
}

void Setup(FakeTable& t, int players) {
    korbo::test::WriteBytes(t.Path("score.ran"), Records({ScoreBytes(" 0", 100, 60, 50, 2)}));
    t.game.PlayerNames = {""};
    for (int i = 1; i <= players; ++i) {
        const std::string name = "P" + std::to_string(100 + i);
        korbo::test::WriteBytes(t.Path("users/" + name + ".sav"), PlayerFile(i, 0, -i, i == 1 ? "Zed" : ""));
        t.game.PlayerNames.push_back(name);
    }
    t.game.PlayerCount = static_cast<int16_t>(players);
}

// A network score file of one opponent.
void WriteNetFile(FakeTable& t, const std::string& player) {
    korbo::test::WriteBytes(t.Path("users/" + player + ".ran"),
                            Records({ScoreBytes(player, 1, 1, 3, 2), ScoreBytes("Bob", 1, 1, 3, 2)}));
}

QString Cell(korbo::platform::FlexGrid* g, int r, int c) { return QString::fromStdString(g->TextMatrix(r, c)); }

}  // namespace

class ScoreWindowsTest : public QObject {
    Q_OBJECT
private slots:
    void theBoardListsTheComputerAndEachPlayer() {
        FakeTable t;
        Setup(t, 2);
        frmScores s(t);
        QCOMPARE(s.windowTitle(), QString("Scores"));
        auto* g = s.GridScores();
        QCOMPARE(Cell(g, 1, 0), QString("Korbo"));
        QCOMPARE(Cell(g, 1, 1), QString("100"));
        QCOMPARE(Cell(g, 1, 2), QString("60"));
        QCOMPARE(Cell(g, 1, 3), QString("40"));
        QCOMPARE(Cell(g, 1, 4), QString("50"));
        QCOMPARE(Cell(g, 2, 0), QString("P101"));
        QCOMPARE(Cell(g, 3, 4), QString("-2"));
        QCOMPARE(Cell(g, 4, 0), QString());
        // Centred, and as wide as its columns and a little more.
        QVERIFY(std::abs((s.width() - g->width()) / 2 - g->x()) <= 1);
        QVERIFY(g->width() > g->ColumnsWidth());
    }

    // Only the HOLD viewer, the saved games, the card counter and the chat window are fitted
    // to the screen: the score windows keep their designed size on every screen.
    void theScoreWindowsKeepTheirDesignedSize() {
        FakeTable t;
        Setup(t, 2);
        WriteNetFile(t, "P101");
        QVERIFY(korbo::netscores::NetScore_Click(t.game));
        {
            frmScores w(t);
            QCOMPARE(t.scaled, 0);
        }
        {
            frmStats w(t);
            QCOMPARE(t.scaled, 0);
        }
        {
            frmScoresNet w(t);
            QCOMPARE(t.scaled, 0);
        }
    }

    // Every heading of the statistics shows whole, without a scroll bar, inside the window.
    void theStatisticsHeadingsShowWhole() {
        FakeTable t;
        Setup(t, 1);
        t.game.PlayerName = "P101";
        t.game.PlayerChosen = true;
        frmStats w(t);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        for (korbo::platform::FlexGrid* g : {w.GridStats(), w.GridRun()}) {
            const QAbstractItemView* view = g;
            for (int c = 0; c < g->Cols(); ++c)
                QVERIFY2(g->ColWidth(c) >= view->sizeHintForColumn(c),
                         qPrintable(QString("%1 column %2 \"%3\": %4 of %5")
                                        .arg(g->objectName())
                                        .arg(c)
                                        .arg(Cell(g, 0, c))
                                        .arg(g->ColWidth(c))
                                        .arg(view->sizeHintForColumn(c))));
            QVERIFY(!g->horizontalScrollBar()->isVisible());
            QVERIFY(w.rect().contains(g->geometry()));
        }
        // The labels still stand over the run grid's two halves.
        QCOMPARE(w.Label2()->x(), w.GridRun()->x() + w.GridRun()->ColWidth(0));
    }

    void moreThanTenPlayersGetRowsOfTheirOwn() {
        FakeTable t;
        Setup(t, 13);
        frmScores s(t);
        QCOMPARE(s.GridScores()->Rows(), 15);
        QCOMPARE(Cell(s.GridScores(), 14, 0), QString("P113"));
    }

    void theMaintenanceButtonsShowOnlyWhileTheBoxIsTicked() {
        FakeTable t;
        Setup(t, 1);
        frmScores s(t);
        s.show();
        const int small = s.height();
        QVERIFY(s.Maintance(0)->geometry().top() > small);  // below the window's edge
        s.CkMaintance()->click();
        QVERIFY(s.height() > s.Maintance(3)->geometry().bottom());
        s.Label1()->setText("x");
        s.CkMaintance()->click();
        QCOMPARE(s.height(), small);
        QVERIFY(s.Label1()->text().isEmpty());
        for (int i = 0; i < 4; ++i)
            QCOMPARE(s.Maintance(i)->text(),
                     QString(std::array{"Delete Player", "Delete ALL Players", "Clear Player Scores", "Clear ALL scores"}[i]));
    }

    void aPlayerChosenByAClickIsDeleted() {
        FakeTable t;
        Setup(t, 2);
        frmScores s(t);
        // Only a click on a name chooses a row.
        s.GridScores()->ClickCell(2, 2);
        QCOMPARE(s.SelectedRow(), 0);
        s.GridScores()->ClickCell(3, 0);
        QCOMPARE(s.SelectedRow(), 3);
        t.view.answers.push_back(korbo::mb::IDYes);
        s.Maintance(0)->click();
        QCOMPARE(s.Label1()->text(), QString("Player removed!"));
        QCOMPARE(s.SelectedRow(), 0);
        QVERIFY(!QFile::exists(QString::fromStdString(t.Path("users/P102.sav"))));
        QCOMPARE(Cell(s.GridScores(), 2, 0), QString("P101"));
        QCOMPARE(Cell(s.GridScores(), 3, 0), QString());
        // The computer's row lost P102's two games, both of them won by the computer.
        QCOMPARE(Cell(s.GridScores(), 1, 1), QString("98"));
        QCOMPARE(Cell(s.GridScores(), 1, 2), QString("58"));
        QCOMPARE(Cell(s.GridScores(), 1, 4), QString("48"));
        QVERIFY(std::find(t.view.log.begin(), t.view.log.end(), "Beep") != t.view.log.end());
        // Without a choice, and on the computer's row, it is refused.
        t.view.answers.push_back(korbo::mb::IDYes);
        s.Maintance(2)->click();
        QCOMPARE(s.Label1()->text(), QString("Select a player"));
        s.GridScores()->ClickCell(1, 0);
        t.view.answers.push_back(korbo::mb::IDYes);
        s.Maintance(0)->click();
        QCOMPARE(s.Label1()->text(), QString("Sorry, Korbo stays."));
    }

    void clearAllKeepsTheNamesOnTheBoard() {
        FakeTable t;
        Setup(t, 2);
        frmScores s(t);
        t.view.answers.push_back(korbo::mb::IDYes);
        s.Maintance(3)->click();
        QCOMPARE(s.Label1()->text(), QString("All is forgotten."));
        for (int r = 1; r <= 3; ++r)
            for (int c = 1; c <= 4; ++c) QCOMPARE(Cell(s.GridScores(), r, c), QString("0"));
        QCOMPARE(Cell(s.GridScores(), 3, 0), QString("P102"));
    }

    void statisticsOfTheCurrentPlayerAndAnother() {
        FakeTable t;
        Setup(t, 2);
        auto& g = t.game;
        g.PlayerName = "p101";  // typed in another case: the same player
        g.PlayerChosen = true;
        g.RunStats[5] = {1, 1, 1, 1, 1, 1};
        g.RunStats[2] = {4, 3, 2, 1, 0, 0};
        frmStats w(t);
        QCOMPARE(w.windowTitle(), QString("Player Statistics"));
        QCOMPARE(w.Combo1()->count(), 2);
        QCOMPARE(w.Combo1()->currentText(), QString("p101"));
        QCOMPARE(w.Combo1()->itemText(1), QString("P102"));
        QCOMPARE(Cell(w.GridStats(), 1, 1), QString("1"));
        QCOMPARE(Cell(w.GridStats(), 7, 0), QString("vs Zed"));
        QCOMPARE(w.GridStats()->Rows(), 8);
        // The opponent's runs from records 14 and 15, the game's from memory.
        QCOMPARE(Cell(w.GridRun(), 1, 1), QString("3"));
        QCOMPARE(Cell(w.GridRun(), 1, 4), QString("6"));
        QCOMPARE(Cell(w.GridRun(), 2, 3), QString("4"));
        QCOMPARE(Cell(w.GridRun(), 3, 9), QString("9"));
        QCOMPARE(Cell(w.GridRun(), 3, 1), QString("12"));
        // Another player: fewer rows, and that player's runs.
        w.Combo1()->setCurrentIndex(1);
        w.Combo1_Click();
        QCOMPARE(w.WindowPlayer(), std::string("P102"));
        QCOMPARE(w.GridStats()->Rows(), 7);
        QCOMPARE(Cell(w.GridStats(), 1, 1), QString("2"));
        // Back to the current player: read under the name the list spells.
        w.Combo1()->setCurrentIndex(0);
        w.Combo1_Click();
        QCOMPARE(w.WindowPlayer(), std::string("P101"));
        QCOMPARE(w.GridStats()->Rows(), 8);
        w.Combo1()->setCurrentIndex(1);
        w.Combo1_Click();
        // Cleared for that player, then closed: the current player's opponent runs return.
        t.view.answers.push_back(korbo::mb::IDYes);
        w.cmdClearStats()->click();
        QCOMPARE(Cell(w.GridRun(), 1, 4), QString("0"));
        QCOMPARE(Cell(w.GridRun(), 3, 1), QString("0"));
        w.Command1()->click();
        QCOMPARE(g.RunStats[5], (std::array<int16_t, 6>{1, 1, 1, 1, 1, 1}));
        const Bytes p102 = korbo::test::ReadBytes(t.Path("users/P102.sav"));
        QCOMPARE(int(p102[13 * 28 + 20]), 0);  // record 14's Played
    }

    // The current player's runs cleared: closing the window keeps them cleared, also after
    // another player was looked at, and the next game's end writes no old figures back.
    void aClearOfTheCurrentPlayersRunsStaysCleared() {
        FakeTable t;
        Setup(t, 2);
        auto& g = t.game;
        g.PlayerName = "P101";
        g.PlayerChosen = true;
        g.RunStats[5] = {3, 2, 1, 6, 5, 4};  // loaded when the player sat down
        {
            frmStats w(t);
            t.view.answers.push_back(korbo::mb::IDYes);
            w.cmdClearStats()->click();
            w.Combo1()->setCurrentIndex(1);
            w.Combo1_Click();
            QCOMPARE(w.WindowPlayer(), std::string("P102"));
            w.Command1()->click();
        }
        QCOMPARE(g.RunStats[5], (std::array<int16_t, 6>{}));
        korbo::records::RecordFile f;
        QVERIFY(f.Open(t.Path("users/P101.sav"), 28, korbo::records::RecordFile::Missing::Fail));
        g.StatsSave(f, 4, 5);
        QVERIFY(f.Close());
        const Bytes p101 = korbo::test::ReadBytes(t.Path("users/P101.sav"));
        for (size_t at : {13 * 28 + 20, 13 * 28 + 22, 13 * 28 + 24, 14 * 28 + 20, 14 * 28 + 22, 14 * 28 + 24})
            QCOMPARE(int(p101[at]), 0);
    }

    void withoutAFileOnlyTheRunsAreShown() {
        FakeTable t;
        Setup(t, 1);
        auto& g = t.game;
        g.PlayerName = "Newcomer";
        g.PlayerChosen = false;
        g.RunStats[2] = {1, 2, 3, 0, 0, 0};
        frmStats w(t);
        QCOMPARE(w.Combo1()->count(), 1);
        QCOMPARE(w.Combo1()->currentText(), QString());
        QCOMPARE(Cell(w.GridStats(), 1, 1), QString());
        QCOMPARE(Cell(w.GridRun(), 3, 9), QString("6"));
        QVERIFY(t.view.boxes.empty());
        w.close();
    }
};

QTEST_MAIN(ScoreWindowsTest)
#include "test_frm_scores.moc"
