// The chat window as the two players use it: numbered lines sent with the game's counter,
// the history kept short (for the peer's lines too), Enter leading to the Send button, the
// canned phrases read from their start, the peer's lines coming in through the table once
// and in order, web addresses opened only when well-formed, the window kept on top while it
// is loaded, and every opening in one run of the program looking like the first.
#include <QAction>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyleOptionButton>
#include <QTemporaryDir>
#include <QtTest>

#include "controls/web_page.h"
#include "dialogs/frmChat.h"
#include "display/frmKorbo.h"
#include "fake_table.h"
#include "fakes/scripted_transport.h"

using korbo::Ctl;
using korbo::Game;
using korbo::test::FakeTable;
using korbo::test::ScriptedTransport;
using korbo::ui::frmChat;
using korbo::ui::frmKorbo;
namespace korbogl = korbo::korbogl;

namespace {

void Names(Game& g) {
    g.PlayerName = "Ann";
    g.OppName = "Bob";
    g.SoundLevel = 2;
    for (int i = 1; i <= frmChat::kPhrases; ++i) g.Comments[static_cast<size_t>(i)] = "phrase " + std::to_string(i);
}

// The table window with its own chat window, on a transport that keeps what is sent.
struct ChatTable {
    ChatTable() {
        Game& g = table.game();
        Names(g);
        g.NetActive = true;
        korbogl::SetUrlOpener([this](const QString& a) {
            opened << a;
            return true;
        });
    }
    ~ChatTable() { korbogl::SetUrlOpener({}); }

    Game& g() { return table.game(); }
    frmChat& chat() { return *table.ChatWindow(); }
    void Say(const QString& text) {
        chat().Text2()->setText(text);
        chat().Command1_Click();
    }
    // One line from the peer, through the game's dispatcher.
    void Hear(const std::string& line) {
        g().InMessage += line + "\n";
        g().GetMessage();
    }

    ScriptedTransport transport;
    frmKorbo table{nullptr, [this](korbo::TableView& v, korbo::Random& r, korbo::Clock& c) {
                       return std::make_unique<Game>(v, r, c, &transport);
                   }};
    QStringList opened;
};

// Besides the offscreen platform's own screen, a screen as wide as a common desktop lies
// apart from it, for the tests that place the table there. Given before the application
// starts; the platform's own screen stays as it is.
constexpr int kWideLeft = 2000, kWideWidth = 1920, kWideHeight = 1080;
void AddWideScreen() {
    if (qgetenv("QT_QPA_PLATFORM") != "offscreen") return;
    static QTemporaryDir dir;
    QFile f(dir.filePath("screens.json"));
    if (!dir.isValid() || !f.open(QIODevice::WriteOnly)) return;
    f.write(QStringLiteral(R"({"screens": [
        {"name": "", "x": 0, "y": 0, "width": 800, "height": 800, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1},
        {"name": "wide", "x": %1, "y": 0, "width": %2, "height": %3, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})")
                .arg(kWideLeft).arg(kWideWidth).arg(kWideHeight).toUtf8());
    f.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + f.fileName().toLocal8Bit());
}
QScreen* WideScreen() {
    for (QScreen* s : QGuiApplication::screens())
        if (s->name() == "wide") return s;
    return nullptr;
}

// The chat window alone, beside a table of the windows around it.
struct LoneChat {
    LoneChat() { Names(t.game); }
    FakeTable t;
    frmChat chat{t};
};

}  // namespace

class ChatWindowTest : public QObject {
    Q_OBJECT
private slots:
    void linesSentAreNumberedWithTheGamesCounter() {
        ChatTable f;
        f.Say("  Hello  ");
        f.Say("");
        f.Say("Nice move");
        const std::vector<std::string> wire{"SY  1#Hello", "SY  2#", "SY  3#Nice move"};
        QCOMPARE(f.transport.sent, wire);
        QCOMPARE(f.g().ChatSeqOut, 3L);
        QCOMPARE(f.chat().History(), QString("Ann: Hello\r\nAnn: \r\nAnn: Nice move"));
        QCOMPARE(f.chat().Text1Box()->toPlainText(), QString("Ann: Hello\nAnn: \nAnn: Nice move"));
        QVERIFY(f.chat().Text2()->text().isEmpty());
        // The table's own lines (the peek remarks) count on the same counter.
        f.g().ChatSeqOut = 7;
        f.Say("again");
        QCOMPARE(f.transport.sent.back(), std::string("SY  8#again"));
        // The game reads the history back as the window holds it.
        QCOMPARE(f.table.Caption(Ctl::ChatHistory, 0), f.chat().Text1());
    }

    void aLineBreakInTheTypedTextNeverReachesTheWire() {
        ChatTable f;
        f.Say("one\ntwo\rthree");
        QCOMPARE(f.transport.sent.size(), size_t{1});
        QVERIFY(f.transport.sent[0].find('\n') == std::string::npos && f.transport.sent[0].find('\r') == std::string::npos);
    }

    void historyCut_data() {
        QTest::addColumn<int>("before");
        QTest::addColumn<int>("lineLength");
        QTest::addColumn<bool>("received");
        QTest::addColumn<int>("after");
        // The line added is CR LF, "Ann: " or "Bob: " and the text.
        QTest::newRow("sent, over the limit") << 3990 << 20 << false << frmChat::kHistoryKept;
        QTest::newRow("sent, at the limit") << 3973 << 20 << false << frmChat::kHistoryLimit;
        QTest::newRow("received, over the limit") << 3990 << 20 << true << frmChat::kHistoryKept;
        QTest::newRow("received, one huge line") << 1 << 60000 << true << frmChat::kHistoryKept;
        QTest::newRow("received, short") << 100 << 20 << true << 127;
    }
    void historyCut() {
        QFETCH(int, before);
        QFETCH(int, lineLength);
        QFETCH(bool, received);
        QFETCH(int, after);
        ChatTable f;
        f.chat().SetText1(std::string(static_cast<size_t>(before), 'x'));
        QCOMPARE(f.chat().History().size(), qsizetype(before));
        const std::string text = std::string(static_cast<size_t>(lineLength - 1), 'y') + "Z";
        if (received) f.Hear("SY  1#" + text);
        else f.Say(QString::fromStdString(text));
        QCOMPARE(f.chat().History().size(), qsizetype(after));
        QVERIFY(f.chat().History().endsWith("yZ"));
        QCOMPARE(f.table.Caption(Ctl::ChatHistory, 0), f.chat().Text1());
    }

    void enterInTheMessageBoxMovesToSendWithoutSending() {
        ChatTable f;
        f.chat().ShowChat();
        QVERIFY(QTest::qWaitForWindowExposed(&f.chat()));
        f.chat().activateWindow();
        f.chat().Text2()->setFocus();
        QTRY_VERIFY(f.chat().Text2()->hasFocus());
        QTest::keyClicks(f.chat().Text2(), "hi");
        QTest::keyClick(f.chat().Text2(), Qt::Key_Return);
        QVERIFY(f.transport.sent.empty());
        QCOMPARE(f.chat().Text2()->text(), QString("hi"));
        QVERIFY(f.chat().Command1()->hasFocus());
        // Enter once more, now on the button, sends.
        QTest::keyClick(f.chat().Command1(), Qt::Key_Return);
        QCOMPARE(f.transport.sent, std::vector<std::string>{"SY  1#hi"});
    }

    void cannedPhrasesFillTheMessageBoxOnly() {
        LoneChat f;
        f.chat.ShowChat();
        for (int i : {1, 20}) QCOMPARE(f.chat.CmdChat(i)->text(), QString("phrase %1").arg(i));
        f.chat.CmdChat(20)->click();
        QCOMPARE(f.chat.Text2()->text(), QString("phrase 20"));
        QVERIFY(f.chat.History().isEmpty());
        // A phrase the persona's comments change while the window is open.
        f.chat.SetPhrase(3, "new words");
        QCOMPARE(f.chat.CmdChat(3)->text(), QString("new words"));
        f.chat.SetPhrase(21, "nowhere");
        f.chat.SetPhrase(0, "nowhere");
    }

    void thePeersLinesShowOnceInTheirOrder() {
        ChatTable f;
        for (const char* line : {"SY  1#first", "SY  1#first again", "SY  0#zero", "SY -5#negative", "SY  3#third",
                                 "SY  2#late", "SY no number", "SY http://example.org/"})
            f.Hear(line);
        QCOMPARE(f.chat().History(),
                 QString("Bob: first\r\nBob: third\r\nBob: no number\r\nBob: http://example.org/"));
        QCOMPARE(f.table.Caption(Ctl::Label9, 2), std::string("http://example.org/"));
        QVERIFY(f.opened.isEmpty());
    }

    void receivedAddress_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("opened");
        QTest::newRow("http") << "http://example.org/page?a=b" << true;
        QTest::newRow("https in capitals") << "HTTPS://EXAMPLE.ORG/" << true;
        QTest::newRow("mixed case with port") << "hTTp://example.org:8080/x" << true;
        QTest::newRow("a sentence") << "HTTP is what the web speaks" << false;
        QTest::newRow("blank inside") << "http://example.org/a b" << false;
        QTest::newRow("no host") << "https://" << false;
        QTest::newRow("one slash") << "http:/example.org" << false;
        QTest::newRow("other scheme after the prefix") << "httpx://example.org" << false;
        QTest::newRow("tab inside") << "http://example.org/\tx" << false;
        QTest::newRow("file") << "file:///etc/passwd" << false;
        QTest::newRow("just the prefix") << "HTTP" << false;
    }
    void receivedAddress() {
        QFETCH(QString, text);
        QFETCH(bool, opened);
        ChatTable f;
        f.Hear("SY  4#" + text.toStdString());
        QCOMPARE(f.opened.size(), opened ? 1 : 0);
        QCOMPARE(f.chat().History(), opened ? QString() : "Bob: " + text);
        // An address counts as shown: the same number again is passed over.
        f.Hear("SY  4#again");
        QVERIFY(!f.chat().History().contains("again"));
    }

    void theWindowStaysOnTopWhileLoaded() {
        ChatTable f;
        QAction* item = f.table.MenuItem("KeepOnTop");
        QVERIFY(item);
        QVERIFY(!f.chat().OnTop());
        // The game shows the chat window when a network game starts.
        f.table.ShowForm(korbo::Form::frmChat, false);
        QVERIFY(f.chat().Loaded());
        QVERIFY(f.chat().OnTop());
        QVERIFY(f.chat().windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(item->isChecked());
        const QRect place = f.chat().geometry();
        f.table.KeepOnTop_Click();
        QVERIFY(!f.chat().OnTop());
        QVERIFY(!f.chat().windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(!item->isChecked());
        QVERIFY(f.chat().isVisible());
        QCOMPARE(f.chat().geometry(), place);
        f.table.KeepOnTop_Click();
        QVERIFY(f.chat().OnTop() && item->isChecked());
        f.chat().AddHistoryLine("192.168.1.4");
        // The end of the network game unloads it.
        f.table.UnloadForm(korbo::Form::frmChat);
        QVERIFY(!f.chat().Loaded());
        QVERIFY(!f.chat().isVisible());
        QVERIFY(!f.chat().OnTop());
        QVERIFY(!item->isChecked());
        QVERIFY(f.chat().History().isEmpty());
    }

    // Long phrases never push the window or its Send button off the screen: the window
    // keeps within the screen's room and every button lies inside it.
    void longPhrasesKeepTheWindowOnTheScreen() {
        ChatTable f;
        for (int i = 1; i <= frmChat::kPhrases; ++i)
            f.g().Comments[static_cast<size_t>(i)] = "A rather long canned phrase number " + std::to_string(i) + " of the persona";
        f.table.show();
        f.table.ShowForm(korbo::Form::frmChat, false);
        frmChat& chat = f.chat();
        QVERIFY(chat.isVisible());
        const QRect room = chat.screen()->availableGeometry();
        QVERIFY2(chat.frameGeometry().width() <= room.width(), qPrintable(QString::number(chat.frameGeometry().width())));
        QVERIFY2(room.contains(chat.frameGeometry().topLeft()), qPrintable(QString("%1,%2 in %3,%4 %5x%6").arg(chat.frameGeometry().x()).arg(chat.frameGeometry().y()).arg(room.x()).arg(room.y()).arg(room.width()).arg(room.height())));
        QVERIFY(chat.frameGeometry().right() <= room.right());
        QVERIFY(chat.rect().contains(chat.Command1()->geometry()));
        for (int i = 1; i <= frmChat::kPhrases; ++i) {
            QVERIFY(chat.rect().contains(chat.CmdChat(i)->geometry()));
            // A phrase cut short on its button is still read in full from its tip.
            QCOMPARE(chat.CmdChat(i)->toolTip(), QString::fromStdString(f.g().Comments[static_cast<size_t>(i)]));
        }
    }

    // A phrase reads from its start on its button: whole where it fits, else its start
    // with an ellipsis at the end, never a slice from its middle.
    void phrasesReadFromTheirStart_data() {
        QTest::addColumn<long>("screenWidth");
        QTest::newRow("the test screen") << 12000L;
        QTest::newRow("a wide screen") << 28800L;
        QTest::newRow("a narrow screen") << 9600L;
    }
    void phrasesReadFromTheirStart() {
        QFETCH(long, screenWidth);
        ChatTable f;
        f.g().ScreenWidth = screenWidth;
        for (int i = 1; i <= frmChat::kPhrases; ++i)
            f.g().Comments[static_cast<size_t>(i)] =
                i % 2 ? "Nobody needed that card more than me, said phrase " + std::to_string(i) : "Ok";
        f.table.show();
        f.table.ShowForm(korbo::Form::frmChat, false);
        frmChat& chat = f.chat();
        QVERIFY(QTest::qWaitForWindowExposed(&chat));
        int cut = 0;
        for (int i = 1; i <= frmChat::kPhrases; ++i) {
            QPushButton* b = chat.CmdChat(i);
            const QString phrase = QString::fromStdString(f.g().Comments[static_cast<size_t>(i)]);
            const QString shown = b->text();
            QStyleOptionButton opt;
            opt.initFrom(b);
            const int room = b->style()->subElementRect(QStyle::SE_PushButtonContents, &opt, b).width();
            QVERIFY2(b->fontMetrics().horizontalAdvance(shown) <= room, qPrintable(shown));
            if (shown != phrase) {
                ++cut;
                QVERIFY2(shown.endsWith(QChar(0x2026)) && phrase.startsWith(shown.chopped(1)) && shown.size() > 1,
                         qPrintable(shown));
            }
            QCOMPARE(b->toolTip(), phrase);
            if (i % 2 == 0) QCOMPARE(shown, phrase);
        }
        QVERIFY(cut > 0);
    }

    // Beside a table that leaves room on its screen, the window widens for its phrases up to
    // that room, standing wholly beside the table; short phrases leave it narrower.
    void thePhrasesTakeTheRoomBesideTheTable_data() {
        QTest::addColumn<bool>("longPhrases");
        QTest::newRow("long phrases") << true;
        QTest::newRow("short phrases") << false;
    }
    void thePhrasesTakeTheRoomBesideTheTable() {
        QFETCH(bool, longPhrases);
        ChatTable f;
        f.g().ScreenWidth = 12000;
        for (int i = 1; i <= frmChat::kPhrases; ++i)
            f.g().Comments[static_cast<size_t>(i)] =
                longPhrases ? "Nobody needed that card more than me, said phrase " + std::to_string(i) : "Ok";
        f.table.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f.table));
        const QRect room = f.table.screen()->availableGeometry();
        // The table pushed off the screen's left edge but for a quarter of the screen leaves
        // room beside it.
        f.table.move(room.left() + room.width() / 4 - f.table.frameGeometry().width(), room.top());
        QVERIFY(f.table.frameGeometry().right() < room.center().x());
        f.table.ShowForm(korbo::Form::frmChat, false);
        frmChat& chat = f.chat();
        QVERIFY(QTest::qWaitForWindowExposed(&chat));
        const QRect window = chat.frameGeometry();
        QVERIFY(chat.geometry().left() > f.table.geometry().right());
        QVERIFY(window.right() <= room.right());
        if (longPhrases) {
            QCOMPARE(window.right(), room.right());
        } else {
            QVERIFY(window.right() < room.right());
            for (int i = 1; i <= frmChat::kPhrases; ++i) QCOMPARE(chat.CmdChat(i)->text(), QString("Ok"));
        }
    }

    // Two copies on one wide screen, one table at its left, the other moved to its right:
    // on either side the chat window takes the room beside the table where there is more
    // of it, and its phrases read alike.
    void thePhrasesReadAlikeWhicheverSideTheTableIsOn() {
        QScreen* wide = WideScreen();
        QVERIFY2(wide, "no wide screen");
        const QRect room = wide->availableGeometry();
        QStringList shown[2];
        int widths[2] = {};
        for (int side = 0; side < 2; ++side) {
            ChatTable f;
            f.g().ScreenWidth = kWideWidth * 15;
            for (int i = 1; i <= frmChat::kPhrases; ++i)
                f.g().Comments[static_cast<size_t>(i)] =
                    "Nobody needed that card more than me, said phrase " + std::to_string(i);
            f.table.resize(860, 640);
            f.table.move(room.topLeft());
            f.table.show();
            QVERIFY(QTest::qWaitForWindowExposed(&f.table));
            if (side == 1) f.table.move(room.right() + 1 - f.table.frameGeometry().width(), room.top());
            QTRY_COMPARE(f.table.screen(), wide);
            f.table.ShowForm(korbo::Form::frmChat, false);
            frmChat& chat = f.chat();
            QVERIFY(QTest::qWaitForWindowExposed(&chat));
            const QString where = side ? "right" : "left";
            QVERIFY2(room.contains(chat.frameGeometry()), qPrintable("off the screen, table at the " + where));
            QVERIFY2(!chat.frameGeometry().intersects(f.table.frameGeometry()), qPrintable("over the table at the " + where));
            for (int i = 1; i <= frmChat::kPhrases; ++i) {
                shown[side] << chat.CmdChat(i)->text();
                QCOMPARE(chat.CmdChat(i)->toolTip(), QString::fromStdString(f.g().Comments[static_cast<size_t>(i)]));
            }
            widths[side] = chat.CmdChat(1)->width();
        }
        QCOMPARE(shown[1], shown[0]);
        QCOMPARE(widths[1], widths[0]);
    }

    // Unloading only hides the window: each opening in one run of the program loads it as
    // the first did, at the same size with the same fonts, within the screen, and with its
    // Send button ready whatever the last network game left it in.
    void everyOpeningLooksLikeTheFirst_data() { phrasesReadFromTheirStart_data(); }
    void everyOpeningLooksLikeTheFirst() {
        QFETCH(long, screenWidth);
        ChatTable f;
        f.g().ScreenWidth = screenWidth;
        f.table.show();
        frmChat& chat = f.chat();
        QPoint place;
        QSize size;
        QFont font, phraseFont;
        for (int opening = 1; opening <= 3; ++opening) {
            f.table.ShowForm(korbo::Form::frmChat, false);
            QVERIFY(chat.isVisible());
            QVERIFY(chat.Command1()->isEnabled());
            const QRect room = chat.screen()->availableGeometry();
            QVERIFY(chat.frameGeometry().height() <= room.height());
            QVERIFY(chat.frameGeometry().width() <= room.width());
            if (opening == 1) {
                place = chat.frameGeometry().topLeft();
                size = chat.size();
                font = chat.font();
                phraseFont = chat.CmdChat(1)->font();
            } else {
                QCOMPARE(chat.frameGeometry().topLeft(), place);
                QCOMPARE(chat.size(), size);
                QCOMPARE(chat.font(), font);
                QCOMPARE(chat.CmdChat(1)->font(), phraseFont);
            }
            // The player may have made it larger meanwhile; the network game ends.
            chat.resize(chat.size() + QSize(40, 30));
            f.g().NetCleanUp();
            QVERIFY(!chat.isVisible());
            QVERIFY(!chat.Command1()->isEnabled());
            f.g().NetActive = true;
        }
    }

    // The Send button has a state of its own: the table's status label keeps its own.
    void theSendButtonAndTheStatusLabelAreApart() {
        ChatTable f;
        f.table.ShowForm(korbo::Form::frmChat, false);
        f.table.SetEnabled(Ctl::ChatSend, 0, false);
        QVERIFY(f.table.Enabled(Ctl::StatusMsg, 0));
        QVERIFY(!f.table.Enabled(Ctl::ChatSend, 0));
        f.table.SetEnabled(Ctl::StatusMsg, 0, false);
        f.table.SetEnabled(Ctl::ChatSend, 0, true);
        QVERIFY(!f.table.Enabled(Ctl::StatusMsg, 0));
        QVERIFY(f.chat().Command1Enabled());
    }

    void theSendButtonFollowsTheGame() {
        ChatTable f;
        f.table.SetEnabled(Ctl::ChatSend, 0, false);
        QVERIFY(!f.chat().Command1Enabled());
        QVERIFY(!f.table.Enabled(Ctl::ChatSend, 0));
        f.chat().Text2()->setText("blocked");
        f.chat().Command1()->click();
        QVERIFY(f.transport.sent.empty());
        f.table.SetEnabled(Ctl::ChatSend, 0, true);
        f.chat().Command1()->click();
        QCOMPARE(f.transport.sent, std::vector<std::string>{"SY  1#blocked"});
    }
};

QTEST_MAIN_WRAPPER(ChatWindowTest, AddWideScreen(); QTEST_MAIN_SETUP())
#include "test_frm_chat.moc"
