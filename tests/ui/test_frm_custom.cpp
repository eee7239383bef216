// The comment file editor as the player uses it: opening with the one comment file,
// new, open, save with its refusals, the check mark after a save, and activating a set.
#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>
#include <algorithm>
#include <filesystem>

#include "dialogs/frmCustom.h"
#include "fake_table.h"
#include "records/record_file.h"

using korbo::test::Bytes;
using korbo::test::FakeTable;
using korbo::ui::frmCustom;
namespace fs = std::filesystem;

namespace {

// The COMMENTS menu as the table builds it: "Standard", then one item per comment file of
// the users folder in the order of their names; items are never removed.
class CommentTable : public FakeTable {
public:
    void ReadComments() override {
        FakeTable::ReadComments();
        std::vector<std::string> names;
        for (auto& e : fs::directory_iterator(Path("users")))
            if (e.path().extension() == ".cmt") names.push_back(e.path().stem().string());
        std::sort(names.begin(), names.end());
        files = static_cast<int>(names.size());
        for (size_t k = 0; k < names.size(); ++k) {
            if (commentItems.size() <= k + 2) commentItems.push_back("");
            commentItems[k + 2] = names[k];
        }
    }
    int CommentFileCount() override { return files; }
    int files = 0;
};

Bytes CmtFile(const std::string& prefix) {
    Bytes b;
    for (int i = 1; i <= 20; ++i) {
        std::string line = prefix + " " + std::to_string(i);
        line.resize(100, ' ');
        b.insert(b.end(), line.begin(), line.end());
    }
    return b;
}

std::string Line(const Bytes& file, int n) {
    std::string s(file.begin() + (n - 1) * 100, file.begin() + n * 100);
    return korbo::records::TrimBlanks(s);
}

void Fill(frmCustom& e, const std::string& prefix) {
    for (int i = 1; i <= 20; ++i) e.Text1(i)->setText(QString::fromStdString(prefix + std::to_string(i)));
}

}  // namespace

class CommentEditorWindowTest : public QObject {
    Q_OBJECT
private slots:
    void withExactlyOneFileItOpensShowingIt() {
        CommentTable t;
        korbo::test::WriteBytes(t.Path("users/Grumpy.cmt"), CmtFile("grr"));
        t.ReadComments();
        frmCustom e(t);
        QCOMPARE(e.windowTitle(), QString("Custom Comments"));
        QCOMPARE(e.FileTxt()->text(), QString("Grumpy"));
        QCOMPARE(e.Text1(1)->text(), QString("grr 1"));
        QCOMPARE(e.Text1(20)->text(), QString("grr 20"));
        // The lines are shown from their first letter, not scrolled to their end.
        QCOMPARE(e.Text1(1)->cursorPosition(), 0);
        QCOMPARE(e.Text1(20)->cursorPosition(), 0);
        QVERIFY(!e.ChangesPending());
        QVERIFY(!e.Check1()->isEnabled());
        QVERIFY(e.Label1()->text().startsWith("Think you know better than Korbo"));
        korbo::test::WriteBytes(t.Path("users/Happy.cmt"), CmtFile("yay"));
        t.ReadComments();
        frmCustom two(t);
        QCOMPARE(two.FileTxt()->text(), QString());
        QCOMPARE(two.Text1(1)->text(), QString());
    }

    void aLineOfAHundredAndOneCharactersIsRefused() {
        CommentTable t;
        frmCustom e(t);
        Fill(e, "line ");
        e.FileTxt()->setText("Long");
        e.Text1(7)->setText(QString(101, 'x'));
        e.GetGoing(frmCustom::GoSave)->trigger();
        QCOMPARE(e.Label4()->text(), QString("Exceeds 100 characters. Edit and Save again."));
        QCOMPARE(e.Text1(7)->palette().color(QPalette::Base), QColor(Qt::yellow));
        QCOMPARE(e.Text1(6)->palette().color(QPalette::Base), QColor(Qt::white));
        QVERIFY(t.dialog.saved.empty());
        QCOMPARE(std::count(t.view.log.begin(), t.view.log.end(), "Beep"), 2L);
        // A hundred, with blanks around it, is saved.
        e.Text1(7)->setText("  " + QString(100, 'x') + "  ");
        t.dialog.files.push_back(t.Path("users/Long.cmt"));
        e.GetGoing(frmCustom::GoSave)->trigger();
        QCOMPARE(Line(korbo::test::ReadBytes(t.Path("users/Long.cmt")), 7), std::string(100, 'x'));
        QCOMPARE(e.Text1(7)->palette().color(QPalette::Base), QColor(Qt::white));
    }

    void aNewFileIsSavedUnderItsNameInSmallLetters() {
        CommentTable t;
        t.game.Sounds[12] = "/snd/thanks.wav";
        frmCustom e(t);
        e.Command3(frmCustom::GoNew)->click();
        QCOMPARE(e.Text1(1)->text(), QString("custom 1"));
        QCOMPARE(e.Text1(20)->text(), QString("custom 20"));
        QCOMPARE(e.FileTxt()->text(), QString("filename"));
        QCOMPARE(e.FileTxt()->selectedText(), QString("filename"));
        QVERIFY(!e.ChangesPending());
        e.FileTxt()->setText("Mine.CMT");
        e.Text1(3)->setText("  third  ");
        QVERIFY(e.ChangesPending());
        t.dialog.files.push_back(t.Path("users/Mine.CMT"));
        e.GetGoing(frmCustom::GoSave)->trigger();
        QCOMPARE(t.dialog.saved.size(), size_t(1));
        QCOMPARE(t.dialog.saved[0].fileName, std::string("Mine.cmt"));
        QCOMPARE(t.dialog.saved[0].initDir, t.Path("users"));
        QCOMPARE(t.dialog.saved[0].filter, std::string("Comment Files (*.cmt)|*.cmt"));
        QVERIFY(fs::exists(t.Path("users/Mine.cmt")));
        QVERIFY(!fs::exists(t.Path("users/Mine.CMT")));
        const Bytes file = korbo::test::ReadBytes(t.Path("users/Mine.cmt"));
        QCOMPARE(file.size(), size_t(2000));
        QCOMPARE(Line(file, 3), std::string("third"));
        QCOMPARE(e.FileTxt()->text(), QString("Mine"));
        QCOMPARE(e.Label4()->text(), QString("\nCustom Comments Saved!").replace("\n", "\r\n"));
        QVERIFY(e.Check1()->isEnabled());
        QVERIFY(!e.ChangesPending());
        QCOMPARE(t.commentItems.back(), std::string("Mine"));
        QCOMPARE(t.view.files, std::vector<std::string>{"/snd/thanks.wav"});
    }

    void savingRefusesWithoutCommentsOrAName() {
        CommentTable t;
        frmCustom e(t);
        e.FileTxt()->setText("Name");
        e.GetGoing(frmCustom::GoSave)->trigger();
        QCOMPARE(t.view.boxes.back().text,
                 std::string("No comments to save! You should write some comments before saving."));
        QCOMPARE(t.view.boxes.back().buttons, korbo::mb::OKOnly | korbo::mb::Information);
        Fill(e, "x");
        for (const char* name : {"", ".cmt", ".CMT"}) {
            e.FileTxt()->setText(name);
            e.GetGoing(frmCustom::GoSave)->trigger();
            QCOMPARE(t.view.boxes.back().text, std::string("Enter a name for this comment file!"));
        }
        // Cancelling the save dialog leaves the editor as it was.
        e.FileTxt()->setText("Kept");
        e.GetGoing(frmCustom::GoSave)->trigger();
        QCOMPARE(t.dialog.saved.size(), size_t(1));
        QVERIFY(e.ChangesPending());
        QCOMPARE(e.FileTxt()->text(), QString("Kept"));
        QVERIFY(!fs::exists(t.Path("users/Kept.cmt")));
    }

    void theCheckMarkStaysOnTheActiveSetAfterANewFileSortsBeforeIt() {
        CommentTable t;
        korbo::test::WriteBytes(t.Path("users/Beta.cmt"), CmtFile("beta"));
        t.ReadComments();
        t.game.ChatterLevel = 2;
        t.commentChecks = {{2, true}};
        frmCustom e(t);
        Fill(e, "alpha ");
        e.FileTxt()->setText("Alpha");
        t.dialog.files.push_back(t.Path("users/Alpha.cmt"));
        e.GetGoing(frmCustom::GoSave)->trigger();
        QCOMPARE(t.commentItems, (std::vector<std::string>{"", "Standard", "Alpha", "Beta"}));
        QCOMPARE(int(t.game.ChatterLevel), 3);
        QVERIFY(t.commentChecks[3]);
        QVERIFY(!t.commentChecks[2]);
        // The lines in use did not change: the saved set is not the active one.
        QCOMPARE(t.game.Comments[1], std::string());
    }

    void savingTheActiveSetChangesTheLinesInUse() {
        CommentTable t;
        korbo::test::WriteBytes(t.Path("users/Beta.cmt"), CmtFile("beta"));
        t.ReadComments();
        t.game.ChatterLevel = 2;
        t.commentChecks = {{2, true}};
        t.game.NetActive = true;
        frmCustom e(t);
        Fill(e, "new ");
        e.FileTxt()->setText("Beta");
        t.dialog.files.push_back(t.Path("users/Beta.cmt"));
        e.GetGoing(frmCustom::GoSave)->trigger();
        QCOMPARE(t.game.Comments[1], std::string("new 1"));
        QCOMPARE(t.game.Comments[20], std::string("new 20"));
        QCOMPARE(t.chatPhrases[20], std::string("new 20"));
        QCOMPARE(int(t.game.ChatterLevel), 2);
    }

    void tickingTheBoxMakesTheBoxesTheCommentsInUse() {
        CommentTable t;
        korbo::test::WriteBytes(t.Path("users/Beta.cmt"), CmtFile("beta"));
        korbo::test::WriteBytes(t.Path("users/Gamma.cmt"), CmtFile("gamma"));
        t.ReadComments();
        frmCustom e(t);
        Fill(e, "  typed ");
        e.FileTxt()->setText("Gamma");
        t.dialog.files.push_back(t.Path("users/Gamma.cmt"));
        e.GetGoing(frmCustom::GoSave)->trigger();
        QVERIFY(e.Check1()->isEnabled());
        e.Text1(2)->setText("changed, not saved");
        e.Check1()->click();
        QCOMPARE(int(t.game.ChatterLevel), 3);
        QVERIFY(t.commentChecks[3]);
        QVERIFY(!t.commentChecks[1]);
        QCOMPARE(t.game.Comments[1], std::string("typed 1"));
        QCOMPARE(t.game.Comments[2], std::string("changed, not saved"));
        // Every File action disables the box again.
        e.GetGoing(frmCustom::GoNew)->trigger();
        QVERIFY(!e.Check1()->isEnabled());
    }

    void openingAFileFromElsewhereOffersItForSaving() {
        CommentTable t;
        korbo::test::WriteBytes(t.Path("users/Home.cmt"), CmtFile("home"));
        fs::create_directories(t.Path("away"));
        korbo::test::WriteBytes(t.Path("away/Trip.CMT"), CmtFile("trip"));
        frmCustom e(t);
        t.dialog.files.push_back(t.Path("users/Home.cmt"));
        e.Command3(frmCustom::GoOpen)->click();
        QCOMPARE(t.dialog.opened.back().flags, 4100);
        QCOMPARE(e.FileTxt()->text(), QString("Home"));
        QCOMPARE(e.Text1(5)->text(), QString("home 5"));
        QVERIFY(!e.ChangesPending());
        t.dialog.files.push_back(t.Path("away/Trip.CMT"));
        e.GetGoing(frmCustom::GoOpen)->trigger();
        QCOMPARE(e.FileTxt()->text(), QString("Trip"));
        QVERIFY(e.ChangesPending());
        // Cancelled: nothing changes.
        e.GetGoing(frmCustom::GoOpen)->trigger();
        QCOMPARE(e.Text1(5)->text(), QString("trip 5"));
        // A file that cannot be read is told, and the boxes stay.
        fs::create_directories(t.Path("users/Bad.cmt"));
        t.dialog.files.push_back(t.Path("users/Bad.cmt"));
        e.GetGoing(frmCustom::GoOpen)->trigger();
        QVERIFY(t.view.boxes.back().text.rfind("Here's the problem:", 0) == 0);
        QCOMPARE(e.Text1(5)->text(), QString("trip 5"));
    }

    void returnAsksOnlyWhenChangesArePending() {
        CommentTable t;
        {
            QPointer<frmCustom> e = new frmCustom(t);
            e->show();
            e->Command1()->click();  // nothing pending: closes without a question
            QTRY_VERIFY(e.isNull());
            QVERIFY(t.view.boxes.empty());
        }
        QPointer<frmCustom> e = new frmCustom(t);
        e->show();
        Fill(*e, "x");
        e->FileTxt()->setText("Asked");
        t.view.answers.push_back(korbo::mb::IDYes);
        t.dialog.files.push_back(t.Path("users/Asked.cmt"));
        e->Command1()->click();
        QCOMPARE(t.view.boxes.back().text, std::string("Do you want to save your changes?"));
        QCOMPARE(t.view.boxes.back().buttons, korbo::mb::YesNo);
        QVERIFY(fs::exists(t.Path("users/Asked.cmt")));
        QVERIFY(e->isVisible());  // saved, and still open
        e->Text1(1)->setText("again");
        t.view.answers.push_back(korbo::mb::IDNo);
        e->Command1()->click();
        QTRY_VERIFY(e.isNull());
        QCOMPARE(Line(korbo::test::ReadBytes(t.Path("users/Asked.cmt")), 1), std::string("x1"));
    }

    void aFailedWriteIsToldAndLeavesTheOldFile() {
        CommentTable t;
        korbo::test::WriteBytes(t.Path("users/Old.cmt"), CmtFile("old"));
        const Bytes before = korbo::test::ReadBytes(t.Path("users/Old.cmt"));
        frmCustom e(t);
        Fill(e, "new");
        e.FileTxt()->setText("Old");
        t.dialog.files.push_back(t.Path("users/Old.cmt"));
        korbo::records::ScopedWriteFault fault(
            [](korbo::records::WriteStep s, const std::string&) { return s == korbo::records::WriteStep::Write; });
        e.GetGoing(frmCustom::GoSave)->trigger();
        QVERIFY(t.view.boxes.back().text.rfind("Here's the problem:", 0) == 0);
        QCOMPARE(korbo::test::ReadBytes(t.Path("users/Old.cmt")), before);
        QVERIFY(!e.Check1()->isEnabled());
        QVERIFY(t.calls.empty());  // the menu is not built again for a file not written
    }

    void helpOpensAtCustomize() {
        CommentTable t;
        frmCustom e(t);
        e.HelpComments_Click();
        QCOMPARE(t.calls, std::vector<std::string>{"Help customize"});
    }
};

QTEST_MAIN(CommentEditorWindowTest)
#include "test_frm_custom.moc"
