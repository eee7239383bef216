// The connection window as the player meets it: the host offered first, the remote's
// address box, the refusals of the name, the address and the port, and the choice handed back.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include "dialogs/frmPlayers.h"
#include "game/types.h"

using korbo::PlayersDialogSetup;
using korbo::ui::frmPlayers;

namespace {

struct Boxes {
    QStringList texts, titles;
    QList<int> buttons;
};

PlayersDialogSetup Setup(Boxes& boxes, int* helps = nullptr) {
    PlayersDialogSetup s;
    s.playerName = "Dunmir";
    s.msgBox = [&boxes](std::string_view text, int buttons, std::string_view title) {
        boxes.texts << QString::fromStdString(std::string(text));
        boxes.titles << QString::fromStdString(std::string(title));
        boxes.buttons << buttons;
        return korbo::mb::IDOK;
    };
    if (helps) s.help = [helps] { ++*helps; };
    return s;
}

}  // namespace

class PlayersDialogTest : public QObject {
    Q_OBJECT
private slots:
    void theWindowAsItOpens() {
        Boxes boxes;
        frmPlayers d(Setup(boxes));
        d.show();
        QCOMPARE(d.windowTitle(), QString("KorboNet"));
        QCOMPARE(d.Option1()->text(), QString("You are the HOST player"));
        QCOMPARE(d.Option2()->text(), QString("You are the REMOTE player"));
        QVERIFY(d.Option1()->isChecked());
        QVERIFY(d.Option1()->isEnabled() && d.Option2()->isEnabled());
        QCOMPARE(d.PlayerLabel()->text(), QString("KorboNET Player: "));
        QCOMPARE(d.TxtOpponent(0)->text(), QString("Dunmir"));
        QCOMPARE(d.TxtOpponent(0)->toolTip(), QString("Change your name NOW if you need too!"));
        QCOMPARE(d.TxtOpponent(1)->toolTip(),
                 QString("You can leave this blank or enter the name YOU want to call your opponent."));
        QCOMPARE(d.Text2()->text(), QString("192.168.1.1 (example)"));
        QCOMPARE(d.Text2()->toolTip(), QString("The HOST must give you this number."));
        QCOMPARE(d.Text3()->text(), QString("1001"));
        QCOMPARE(d.Text3()->toolTip(), QString("Leave the PORT# alone, unless you have a problem!"));
        QCOMPARE(d.Label5()->text(), QString("Click CONNECT to get your IP ADDRESS"));
        QVERIFY(!d.Text2()->isEnabled());
        // The example address is shown from its first digit.
        QCOMPARE(d.Text2()->cursorPosition(), 0);
        QVERIFY(d.cmdConnect()->isEnabled());
        QCOMPARE(d.cmdConnect()->text(), QString("Connect"));
        for (const char* caption : {"KorboNET Opponent:", "IP ADDRESS:", "PORT Number:", "Internet Play"}) {
            bool found = false;
            for (QLabel* l : d.findChildren<QLabel*>()) found |= l->text() == caption;
            QVERIFY2(found, caption);
        }
    }

    void theRolesSwitchTheAddressBox() {
        Boxes boxes;
        frmPlayers d(Setup(boxes));
        d.show();
        QVERIFY(QTest::qWaitForWindowActive(&d) || true);
        QTest::mouseClick(d.Option2(), Qt::LeftButton);
        QVERIFY(d.Option2()->isChecked());
        QCOMPARE(d.Label5()->text(), QString("Enter the Host's IP Address here:"));
        QVERIFY(d.Text2()->isEnabled());
        QCOMPARE(d.Text2()->selectedText(), QString("192.168.1.1 (example)"));
        QCOMPARE(d.cmdConnect()->text(), QString("Ready to Connect"));
        QTest::mouseClick(d.Option1(), Qt::LeftButton);
        QCOMPARE(d.Label5()->text(), QString("Click CONNECT to get your IP ADDRESS"));
        QVERIFY(!d.Text2()->isEnabled());
        QCOMPARE(d.Text2()->cursorPosition(), 0);
        QCOMPARE(d.cmdConnect()->text(), QString("Connect"));
    }

    void refusals_data() {
        QTest::addColumn<bool>("remote");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("port");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("title");
        QTest::addColumn<bool>("namesApplied");
        const QString korbo = "Pick a different player name. There is only ONE Korbo and he doesn't play on the Internet.";
        const QString length = "That's not a valid IP Address.\r\n\r\nPlease get your HOST'S IP Address.\r\n"
                               "You need to enter it for the connection to be made.";
        const QString format = "Not a valid number. Must be in the format:\r\nxxx.xxx.xxx.xxx";
        QTest::newRow("korbo host") << false << " korbo " << "" << "1001" << korbo << "" << false;
        QTest::newRow("KORBO remote") << true << "KORBO" << "1.2.3.4" << "1001" << korbo << "" << false;
        const QString chars = "Please do not use the following characters in your name:\r\n\r\n/ \\ : * . ? ! < > | \"\r\n\r\n"
                              "Please re-enter your player name.";
        QTest::newRow("a slash") << false << "Ann/Bo" << "" << "1001" << chars << "Use standard characters!" << false;
        QTest::newRow("a dot, remote") << true << " A.nn " << "1.2.3.4" << "1001" << chars << "Use standard characters!"
                                       << false;
        QTest::newRow("example address") << true << "Ann" << "192.168.1.1 (example)" << "1001" << length
                                         << "KorboNET Internet Game" << true;
        QTest::newRow("no address") << true << "Ann" << "   " << "1001" << length << "KorboNET Internet Game" << true;
        QTest::newRow("sixteen characters") << true << "Ann" << "1234.678.012.456" << "1001" << length
                                            << "KorboNET Internet Game" << true;
        QTest::newRow("two dots") << true << "Ann" << "1.2.3" << "1001" << format << "Incorrect IP Address!" << true;
        QTest::newRow("leading dot") << true << "Ann" << ".1.2.3" << "1001" << format << "Incorrect IP Address!"
                                     << true;
        QTest::newRow("no port") << false << "Ann" << "" << "abc" << "That's not a valid PORT Number."
                                 << "KorboNET Internet Game" << true;
        QTest::newRow("port too high") << true << "Ann" << "1.2.3.4" << "70000" << "That's not a valid PORT Number."
                                       << "KorboNET Internet Game" << true;
    }
    void refusals() {
        QFETCH(bool, remote);
        QFETCH(QString, name);
        QFETCH(QString, address);
        QFETCH(QString, port);
        QFETCH(QString, text);
        QFETCH(QString, title);
        QFETCH(bool, namesApplied);
        Boxes boxes;
        frmPlayers d(Setup(boxes));
        d.show();
        if (remote) d.Option2()->click();
        d.TxtOpponent(0)->setText(name);
        if (remote) d.Text2()->setText(address);
        d.Text3()->setText(port);
        d.cmdConnect()->click();
        QCOMPARE(boxes.texts, QStringList{text});
        QCOMPARE(boxes.titles, QStringList{title});
        // The window stays open for the player to mend what was refused.
        QVERIFY(d.isVisible());
        QVERIFY(!d.Result().connect);
        QCOMPARE(d.Result().nameApplied, namesApplied);
        QVERIFY(d.Option1()->isEnabled() && d.Option2()->isEnabled());
    }

    // The current player's name already names the player's files: it is not examined.
    void theCurrentNameIsNotExamined() {
        Boxes boxes;
        PlayersDialogSetup s = Setup(boxes);
        s.playerName = "J.R.";
        frmPlayers d(std::move(s));
        d.show();
        d.TxtOpponent(0)->setText(" J.R. ");
        d.cmdConnect()->click();
        QCOMPARE(boxes.texts, QStringList{});
        QVERIFY(d.Result().connect);
        QCOMPARE(QString::fromStdString(d.Result().playerName), QString("J.R."));
    }

    void theHostsChoice() {
        Boxes boxes;
        frmPlayers d(Setup(boxes));
        d.show();
        d.TxtOpponent(0)->setText("  Ann  ");
        d.TxtOpponent(1)->setText(" Bob ");
        d.Text3()->setText(" 47001");
        d.cmdConnect()->click();
        QVERIFY(boxes.texts.isEmpty());
        QVERIFY(!d.isVisible());
        QCOMPARE(d.result(), int(QDialog::Accepted));
        const auto& r = d.Result();
        QVERIFY(r.connect);
        QCOMPARE(r.role, 1);
        QCOMPARE(QString::fromStdString(r.playerName), QString("Ann"));
        QCOMPARE(QString::fromStdString(r.oppName), QString("Bob"));
        QCOMPARE(r.port, 47001);
        QCOMPARE(QString::fromStdString(r.hostAddress), QString());
        QCOMPARE(d.Label5()->text(), QString("WAIT... Your IP Address will appear when ready:"));
        QVERIFY(!d.Option1()->isEnabled() && !d.Option2()->isEnabled());
    }

    void theRemotesChoiceWithTheNamesLeftEmpty() {
        Boxes boxes;
        frmPlayers d(Setup(boxes));
        d.show();
        d.Option2()->click();
        d.TxtOpponent(0)->setText("   ");
        d.Text2()->setText(" 127.0.0.1 ");
        d.cmdConnect()->click();
        QVERIFY(boxes.texts.isEmpty());
        const auto& r = d.Result();
        QVERIFY(r.connect);
        QCOMPARE(r.role, 0);
        QCOMPARE(QString::fromStdString(r.playerName), QString("Dunmir"));  // the current player
        QCOMPARE(QString::fromStdString(r.oppName), QString());
        QCOMPARE(QString::fromStdString(r.hostAddress), QString("127.0.0.1"));
        QCOMPARE(r.port, 1001);
    }

    void cancelHelpAndClosing() {
        Boxes boxes;
        int helps = 0;
        frmPlayers d(Setup(boxes, &helps));
        d.show();
        d.cmdHelp()->click();
        QCOMPARE(helps, 1);
        QVERIFY(d.isVisible());
        // A name refused on the way still leaves Cancel a plain cancel.
        d.Option2()->click();
        d.TxtOpponent(0)->setText("Ann");
        d.Text2()->setText("1.2");
        d.cmdConnect()->click();
        d.cmdCancel()->click();
        QVERIFY(!d.isVisible());
        QCOMPARE(d.result(), int(QDialog::Rejected));
        QVERIFY(!d.Result().connect);
        QVERIFY(d.Result().nameApplied);

        frmPlayers e(Setup(boxes));
        e.show();
        e.close();
        QVERIFY(!e.Result().connect);
        QVERIFY(!e.Result().nameApplied);
    }
};

QTEST_MAIN(PlayersDialogTest)
#include "test_frm_players.moc"
