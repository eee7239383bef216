// The player window as the player meets it: the list it offers, a reserved name refused
// with the name box emptied, a listed name typed in other letters confirmed as that
// player, and a window that only a confirmed player closes.
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "dialogs/frmWelcome.h"
#include "game/player_selection.h"
#include "game/startup.h"
#include "ui/dialog_game.h"

using namespace korbo;
using korbo::test::DialogGame;
using korbo::ui::frmWelcome;

namespace {

QStringList Entries(QComboBox* c) {
    QStringList l;
    for (int i = 0; i < c->count(); ++i) l << c->itemText(i);
    return l;
}

// Types into the name box as a player would, then presses the button.
void TypeAndConfirm(frmWelcome& w, const QString& text) {
    QLineEdit* edit = w.Combo1()->lineEdit();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
    QTest::mouseClick(w.Command1(), Qt::LeftButton);
}

struct Folder : DialogGame {
    Folder() {
        QDir(dir.path()).mkpath("users");
        for (const char* name : {"Anna", "Bob", "Cleo"}) {
            QFile f(Path(QString("users/%1.sav").arg(name)));
            f.open(QIODevice::WriteOnly);
            f.write(QByteArray(18 * 28, ' '));
        }
        QFile wav(Path("wav.ran"));
        wav.open(QIODevice::WriteOnly);
        wav.write(QByteArray(15 * 200, ' '));
        startup::Get_Players(game);
        game.LastPlayerName = "Bob                 ";  // as record 13 of score.ran holds it
        game.PlayerChosen = true;
        view.visible[{Ctl::Command2, 0}] = true;
    }
};

}  // namespace

class WelcomeTest : public QObject {
    Q_OBJECT
private slots:
    void offersTheCurrentPlayerFirstTheOthersOnceAndAnEmptyLine() {
        Folder f;
        frmWelcome w(f.game);
        QCOMPARE(w.windowTitle(), QString("Welcome to Korbo & Dunmir"));
        QCOMPARE(w.Command1()->text(), QString("Let's play already"));
        QCOMPARE(w.Label1()->text(),
                 QString("Please enter your name so I can keep score:\nand a credit card # would be nice too"));
        QCOMPARE(Entries(w.Combo1()), (QStringList{"Bob", "Anna", "Cleo", ""}));
        QCOMPARE(w.Combo1()->currentText(), QString("Bob"));
        QCOMPARE(f.game.PlayerName, std::string("Bob"));
        // A name longer than the settings records keep cannot be typed.
        QCOMPARE(w.Combo1()->lineEdit()->maxLength(), 20);
    }

    void aReservedNameInAnyLettersIsRefusedAndTheBoxEmptied_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("text");
        QTest::newRow("korbo with blanks") << "  korbo  " << players::kKorboText;
        QTest::newRow("KoRbO") << "KoRbO" << players::kKorboText;
        QTest::newRow("dunmir") << " dUNMIR" << players::kDunmirText;
    }
    void aReservedNameInAnyLettersIsRefusedAndTheBoxEmptied() {
        QFETCH(QString, typed);
        QFETCH(QString, text);
        Folder f;
        frmWelcome w(f.game);
        w.show();
        TypeAndConfirm(w, typed);
        QCOMPARE(f.view.boxes.size(), size_t{1});
        QCOMPARE(QString::fromStdString(f.view.boxes[0].text), text);
        QCOMPARE(f.view.boxes[0].title, std::string("Impersonator Alert"));
        QCOMPARE(w.Combo1()->currentText(), QString());
        QVERIFY(w.isVisible());
        QCOMPARE(w.result(), 0);
        QCOMPARE(f.game.LastPlayerName, std::string("Bob                 "));
    }

    void aListedNameTypedInOtherLettersIsThatPlayer() {
        Folder f;
        frmWelcome w(f.game);
        w.show();
        TypeAndConfirm(w, "  cLEO ");
        QVERIFY(f.view.boxes.empty());
        QVERIFY(!w.isVisible());
        QCOMPARE(w.result(), int(QDialog::Accepted));
        QCOMPARE(f.game.PlayerName, std::string("Cleo"));
        QCOMPARE(f.game.LastPlayerName, std::string("Cleo"));
        QVERIFY(f.game.PlayerChosen);
        QCOMPARE(f.view.Caption(Ctl::Label9, 3), std::string("Cleo"));
    }

    void aNewNameWithAForbiddenCharacterIsRefusedWhateverWasPicked() {
        Folder f;
        frmWelcome w(f.game);
        w.show();
        // Anna is picked from the list, then the text is changed into a new name.
        w.Combo1()->setCurrentIndex(1);
        w.Combo1_Click();
        QCOMPARE(f.game.PlayerName, std::string("Anna"));
        w.Combo1()->lineEdit()->end(false);
        QTest::keyClicks(w.Combo1()->lineEdit(), ".");
        QTest::mouseClick(w.Command1(), Qt::LeftButton);
        QCOMPARE(f.view.boxes.size(), size_t{1});
        QCOMPARE(f.view.boxes[0].title, std::string("Use standard characters!"));
        QCOMPARE(w.Combo1()->currentText(), QString("Anna."));  // kept for mending
        QVERIFY(w.isVisible());
    }

    void onlyAConfirmedPlayerClosesTheWindow() {
        Folder f;
        frmWelcome w(f.game);
        w.show();
        QTest::keyClick(&w, Qt::Key_Escape);
        QVERIFY(w.isVisible());
        QVERIFY(!w.close());
        QVERIFY(w.isVisible());
        TypeAndConfirm(w, "");
        QCOMPARE(f.view.boxes.size(), size_t{1});
        QCOMPARE(f.view.boxes[0].title, std::string("Unknown Player"));
        QVERIFY(w.isVisible());
        // Enter in the name box presses the button.
        w.Combo1()->lineEdit()->setText("Anna");
        QTest::keyClick(w.Combo1()->lineEdit(), Qt::Key_Return);
        QVERIFY(!w.isVisible());
        QCOMPARE(f.game.PlayerName, std::string("Anna"));
    }

    void standsBesideCentrePileThree() {
        Folder f;
        frmWelcome w(f.game);
        const QRect table(100, 50, 800, 600);
        const QRect pile(250, 160, 71, 96);
        w.PlaceBeside(table, pile);
        const int gap = qRound(200.0 / (1440.0 / w.logicalDpiX()));
        QCOMPARE(w.pos(), QPoint(100 + 250 + 71 + gap, 50 + 160 + 48));
    }

    void wearsTheTablesColours() {
        Folder f;
        f.game.MatColor = 0x204080;   // &HBBGGRR
        f.game.FontColor = 0x00FFFF;  // yellow
        frmWelcome w(f.game);
        QCOMPARE(w.palette().color(QPalette::Window), QColor(0x80, 0x40, 0x20));
        QVERIFY(w.Label1()->styleSheet().contains("#ffff00"));
    }
};

QTEST_MAIN(WelcomeTest)
#include "test_frm_welcome.moc"
