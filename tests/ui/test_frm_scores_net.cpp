// The network score list as the player uses it: the files one at a time, Next going round
// them, rows added for a long file, a file deleted with the first remaining one shown, and an
// opponent chosen by a click and deleted.
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include "dialogs/frmScoresNet.h"
#include "fake_table.h"
#include "game/net_scores.h"
#include "platform/flex_grid.h"

using korbo::test::Bytes;
using korbo::test::FakeTable;
using korbo::test::Records;
using korbo::test::ScoreBytes;
using korbo::ui::frmScoresNet;

namespace {

// A network score file of `opponents` opponents named after the player.
void WriteNetFile(FakeTable& t, const std::string& player, int opponents) {
    std::vector<Bytes> recs{ScoreBytes(player, 10 * opponents, 4, 9, opponents + 1)};
    for (int i = 1; i <= opponents; ++i)
        recs.push_back(ScoreBytes(player + "-opp" + std::to_string(i), i + 1, 1, -i, i + 1));
    korbo::test::WriteBytes(t.Path("users/" + player + ".ran"), Records(recs));
}

QString Cell(korbo::platform::FlexGrid* g, int r, int c) { return QString::fromStdString(g->TextMatrix(r, c)); }

}  // namespace

class NetScoresWindowTest : public QObject {
    Q_OBJECT
private slots:
    void theWindowAsItOpens() {
        FakeTable t;
        WriteNetFile(t, "Alice", 2);
        QVERIFY(korbo::netscores::NetScore_Click(t.game));
        frmScoresNet w(t);
        QCOMPARE(w.windowTitle(), QString("KorboNET Scores"));
        QCOMPARE(w.Label1()->text(), QString("KorboNET Player: Alice"));
        auto* g = w.GridNET();
        QCOMPARE(g->Rows(), 12);
        QCOMPARE(Cell(g, 0, 0).trimmed(), QString("Opponent Name"));
        QCOMPARE(Cell(g, 0, 3).trimmed(), QString("Losses"));
        QCOMPARE(Cell(g, 1, 0), QString("Alice-opp1"));
        QCOMPARE(Cell(g, 2, 1), QString("3"));
        QCOMPARE(Cell(g, 2, 2), QString("1"));
        QCOMPARE(Cell(g, 2, 3), QString("2"));
        QCOMPARE(Cell(g, 2, 4), QString("-2"));
        QCOMPARE(Cell(g, 3, 0), QString());
        QVERIFY(!w.CmdNext()->isEnabled());  // one file only
        QCOMPARE(w.CmdNext()->text(), QString("Next ->"));
        QCOMPARE(w.CmdNext()->toolTip(), QString("View other player's Net scores"));
        QCOMPARE(w.Command2()->text(), QString("Delete File"));
        QCOMPARE(w.Command2()->toolTip(), QString("A fresh start might help"));
        QCOMPARE(w.Command4()->text(), QString("Delete Opponent"));
        QCOMPARE(w.Command1()->text(), QString("Return"));
    }

    void noFileNoWindow() {
        FakeTable t;
        QVERIFY(!korbo::netscores::NetScore_Click(t.game));
        QCOMPARE(t.view.boxes.size(), size_t{1});
        QCOMPARE(QString::fromStdString(t.view.boxes[0].text), QString("No KorboNET scores yet to display!"));
        QCOMPARE(QString::fromStdString(t.view.boxes[0].title), QString("KorboNET"));
    }

    // Next goes round the files; a long file gets rows of its own, which go again with the
    // next file; a chosen row the next file does not have is let go.
    void nextGoesRoundTheFiles() {
        FakeTable t;
        WriteNetFile(t, "Ann", 14);
        WriteNetFile(t, "Bea", 1);
        WriteNetFile(t, "Cy", 3);
        korbo::netscores::Get_Users(t.game);
        frmScoresNet w(t);
        QVERIFY(w.CmdNext()->isEnabled());
        QCOMPARE(w.GridNET()->Rows(), 15);
        QCOMPARE(Cell(w.GridNET(), 14, 0), QString("Ann-opp14"));
        w.GridNET()->ClickCell(12, 0);
        QCOMPARE(w.SelectedRow(), 12);
        const QStringList expected{"Bea", "Cy", "Ann", "Bea"};
        for (const QString& who : expected) {
            w.CmdNext()->click();
            QCOMPARE(w.Label1()->text(), "KorboNET Player: " + who);
        }
        QCOMPARE(w.GridNET()->Rows(), 12);
        QCOMPARE(w.SelectedRow(), 0);
        w.GridNET()->ClickCell(0, 0);
        QCOMPARE(w.SelectedRow(), 0);
    }

    void deletingAFileShowsTheFirstRemainingOne() {
        FakeTable t;
        WriteNetFile(t, "Ann", 2);
        WriteNetFile(t, "Bea", 1);
        WriteNetFile(t, "Cy", 3);
        korbo::netscores::Get_Users(t.game);
        frmScoresNet w(t);
        w.show();
        w.CmdNext()->click();
        w.CmdNext()->click();  // Cy
        t.view.answers = {korbo::mb::IDYes};
        w.Command2()->click();
        QVERIFY(!QFile::exists(QString::fromStdString(t.Path("users/Cy.ran"))));
        QCOMPARE(w.Label1()->text(), QString("KorboNET Player: Ann"));
        QCOMPARE(Cell(w.GridNET(), 2, 0), QString("Ann-opp2"));
        QCOMPARE(Cell(w.GridNET(), 3, 0), QString());
        QVERIFY(w.CmdNext()->isEnabled());
        w.CmdNext()->click();
        QCOMPARE(w.Label1()->text(), QString("KorboNET Player: Bea"));
        // The last two go; with none left the window closes.
        t.view.answers = {korbo::mb::IDYes, korbo::mb::IDOK};
        w.Command2()->click();
        QCOMPARE(w.Label1()->text(), QString("KorboNET Player: Ann"));
        QVERIFY(!w.CmdNext()->isEnabled());
        QVERIFY(w.isVisible());
        t.view.answers = {korbo::mb::IDYes, korbo::mb::IDOK};
        w.Command2()->click();
        QVERIFY(!w.isVisible());
        QCOMPARE(w.result(), int(QDialog::Accepted));
    }

    void anOpponentChosenByAClickIsDeleted() {
        FakeTable t;
        WriteNetFile(t, "Ann", 3);
        korbo::netscores::Get_Users(t.game);
        frmScoresNet w(t);
        w.Command4()->click();
        QCOMPARE(w.Label1()->text(), QString("Select a player"));
        w.GridNET()->ClickCell(1, 2);
        const QColor chosen = w.GridNET()->palette().color(QPalette::Highlight);
        QCOMPARE(w.GridNET()->item(1, 3)->background().color(), chosen);
        QVERIFY(w.GridNET()->item(2, 3)->background().color() != chosen);
        w.Command4()->click();
        QCOMPARE(Cell(w.GridNET(), 1, 0), QString("Ann-opp2"));
        QCOMPARE(Cell(w.GridNET(), 2, 0), QString("Ann-opp3"));
        QCOMPARE(Cell(w.GridNET(), 3, 0), QString());
        const Bytes file = korbo::test::ReadBytes(t.Path("users/Ann.ran"));
        QCOMPARE(file.size(), size_t{4 * 28});
        QCOMPARE(int(file[26]), 3);  // record 1 names record 3 as the last in use
        QCOMPARE(int(file[3 * 28]), 0);
    }
};

QTEST_MAIN(NetScoresWindowTest)
#include "test_frm_scores_net.moc"
