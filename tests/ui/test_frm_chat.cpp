// The chat window as the two players use it: numbered lines sent, the history kept short
// (for received lines too), Enter leading to the Send button, the canned phrases, lines
// received in order and once, web addresses opened only when well-formed, and the window
// kept on top while it is loaded.
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

#include "app/web_page.h"
#include "dialogs/frmChat.h"
#include "fake_table.h"

using korbo::Ctl;
using korbo::test::FakeTable;
using korbo::ui::frmChat;
namespace korbogl = korbo::korbogl;

namespace {

struct ChatFixture {
    ChatFixture() {
        t.game.PlayerName = "Ann";
        t.game.OppName = "Bob";
        for (int i = 1; i <= frmChat::kPhrases; ++i) t.game.Comments[static_cast<size_t>(i)] = "phrase " + std::to_string(i);
        chat.Send = [this](std::string_view m) { sent.emplace_back(m); };
        chat.OnTopChanged = [this](bool on) { ticks.push_back(on); };
        korbogl::SetUrlOpener([this](const QString& a) {
            opened << a;
            return true;
        });
    }
    ~ChatFixture() { korbogl::SetUrlOpener({}); }

    void Say(const QString& text) {
        chat.Text2()->setText(text);
        chat.Command1_Click();
    }

    FakeTable t;
    frmChat chat{t};
    std::vector<std::string> sent;
    std::vector<bool> ticks;
    QStringList opened;
};

}  // namespace

class ChatWindowTest : public QObject {
    Q_OBJECT
private slots:
    void linesSentAreNumberedFromOneAndWrittenToTheHistory() {
        ChatFixture f;
        f.Say("  Hello  ");
        f.Say("");
        f.Say("Nice move");
        const std::vector<std::string> wire{"SY  1#Hello", "SY  2#", "SY  3#Nice move"};
        QCOMPARE(f.sent, wire);
        QCOMPARE(f.chat.ChatSeqOut, 3L);
        QCOMPARE(f.chat.History(), QString("Ann: Hello\nAnn: \nAnn: Nice move\n"));
        QCOMPARE(f.chat.Text1()->toPlainText(), f.chat.History());
        QVERIFY(f.chat.Text2()->text().isEmpty());
        // A new connection counts from the start again.
        f.chat.ResetSequence();
        f.Say("again");
        QCOMPARE(f.sent.back(), std::string("SY  1#again"));
    }

    void aLineBreakInTheTypedTextNeverReachesTheWire() {
        ChatFixture f;
        f.Say("one\ntwo\rthree");
        QCOMPARE(f.sent.size(), size_t{1});
        QVERIFY(f.sent[0].find('\n') == std::string::npos && f.sent[0].find('\r') == std::string::npos);
    }

    void historyCut_data() {
        QTest::addColumn<int>("before");
        QTest::addColumn<int>("lineLength");
        QTest::addColumn<bool>("received");
        QTest::addColumn<int>("after");
        // The line added is "Ann: " or "Bob: " and the text, then a line break.
        QTest::newRow("sent, over the limit") << 3990 << 20 << false << frmChat::kHistoryKept;
        QTest::newRow("sent, at the limit") << 3974 << 20 << false << frmChat::kHistoryLimit;
        QTest::newRow("received, over the limit") << 3990 << 20 << true << frmChat::kHistoryKept;
        QTest::newRow("received, one huge line") << 0 << 60000 << true << frmChat::kHistoryKept;
        QTest::newRow("received, short") << 100 << 20 << true << 126;
    }
    void historyCut() {
        QFETCH(int, before);
        QFETCH(int, lineLength);
        QFETCH(bool, received);
        QFETCH(int, after);
        ChatFixture f;
        if (before > 0) f.chat.AddHistoryLine(QString(before - 1, 'x'));
        QCOMPARE(f.chat.History().size(), qsizetype(before));
        const QString text = QString(lineLength - 1, 'y') + "Z";
        if (received) QCOMPARE(f.chat.ReceiveChat(1, true, text.toStdString()), frmChat::Arrival::Shown);
        else f.Say(text);
        QCOMPARE(f.chat.History().size(), qsizetype(after));
        QVERIFY(f.chat.History().endsWith("Z\n"));
        QCOMPARE(f.chat.Text1()->toPlainText(), f.chat.History());
    }

    void enterInTheMessageBoxMovesToSendWithoutSending() {
        ChatFixture f;
        f.chat.ShowChat();
        QVERIFY(QTest::qWaitForWindowExposed(&f.chat));
        f.chat.activateWindow();
        f.chat.Text2()->setFocus();
        QTRY_VERIFY(f.chat.Text2()->hasFocus());
        QTest::keyClicks(f.chat.Text2(), "hi");
        QTest::keyClick(f.chat.Text2(), Qt::Key_Return);
        QVERIFY(f.sent.empty());
        QCOMPARE(f.chat.Text2()->text(), QString("hi"));
        QVERIFY(f.chat.Command1()->hasFocus());
        // Enter once more, now on the button, sends.
        QTest::keyClick(f.chat.Command1(), Qt::Key_Return);
        QCOMPARE(f.sent, std::vector<std::string>{"SY  1#hi"});
    }

    void cannedPhrasesFillTheMessageBoxOnly() {
        ChatFixture f;
        f.chat.ShowChat();
        for (int i : {1, 20}) QCOMPARE(f.chat.CmdChat(i)->text(), QString("phrase %1").arg(i));
        f.chat.CmdChat(20)->click();
        QCOMPARE(f.chat.Text2()->text(), QString("phrase 20"));
        QVERIFY(f.sent.empty());
        QVERIFY(f.chat.History().isEmpty());
        // A phrase the persona's comments change while the window is open.
        f.chat.SetPhrase(3, "new words");
        QCOMPARE(f.chat.CmdChat(3)->text(), QString("new words"));
        f.chat.SetPhrase(21, "nowhere");
        f.chat.SetPhrase(0, "nowhere");
    }

    void receivedLinesShowOnceInTheirOrder() {
        ChatFixture f;
        struct Line {
            long number;
            bool numbered;
            const char* text;
            frmChat::Arrival result;
        };
        const Line lines[] = {
            {1, true, "first", frmChat::Arrival::Shown},
            {1, true, "first again", frmChat::Arrival::Ignored},
            {0, true, "zero", frmChat::Arrival::Ignored},
            {-5, true, "negative", frmChat::Arrival::Ignored},
            {3, true, "third", frmChat::Arrival::Shown},
            {2, true, "late", frmChat::Arrival::Ignored},
            {0, false, "no number", frmChat::Arrival::Shown},
            {0, false, "http://example.org/", frmChat::Arrival::Shown},
        };
        for (const Line& l : lines) QCOMPARE(f.chat.ReceiveChat(l.number, l.numbered, l.text), l.result);
        QCOMPARE(f.chat.History(), QString("Bob: first\nBob: third\nBob: no number\nBob: http://example.org/\n"));
        QCOMPARE(f.chat.ChatSeqIn, 3L);
        QCOMPARE(f.t.view.sounds, (std::vector<int>{110, 110, 110, 110}));
        QCOMPARE(f.t.view.Caption(Ctl::Label9, 2), std::string("http://example.org/"));
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
        QTest::newRow("bad port") << "http://example.org:99999999/" << false;
        QTest::newRow("file") << "file:///etc/passwd" << false;
        QTest::newRow("just the prefix") << "HTTP" << false;
    }
    void receivedAddress() {
        QFETCH(QString, text);
        QFETCH(bool, opened);
        ChatFixture f;
        const auto result = f.chat.ReceiveChat(4, true, text.toStdString());
        QCOMPARE(result, opened ? frmChat::Arrival::Opened : frmChat::Arrival::Shown);
        QCOMPARE(f.opened.size(), opened ? 1 : 0);
        QCOMPARE(f.chat.History().isEmpty(), opened);
        if (!opened) QCOMPARE(f.chat.History(), "Bob: " + text + "\n");
        QVERIFY(f.t.view.boxes.empty());
        // An address counts as shown: the same number again is ignored.
        QCOMPARE(f.chat.ChatSeqIn, 4L);
        QCOMPARE(f.chat.ReceiveChat(4, true, "again"), frmChat::Arrival::Ignored);
    }

    void theWindowStaysOnTopWhileLoaded() {
        ChatFixture f;
        QVERIFY(!f.chat.OnTop());
        f.chat.ShowChat();
        QVERIFY(f.chat.Loaded());
        QVERIFY(f.chat.OnTop());
        QVERIFY(f.chat.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QCOMPARE(f.ticks, std::vector<bool>{true});
        const QRect place = f.chat.geometry();
        f.chat.SetOnTop(false);
        QVERIFY(!f.chat.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(f.chat.isVisible());
        QCOMPARE(f.chat.geometry(), place);
        f.chat.SetOnTop(true);
        f.chat.AddHistoryLine("192.168.1.4");
        f.chat.close();
        QVERIFY(!f.chat.Loaded());
        QVERIFY(!f.chat.isVisible());
        QVERIFY(!f.chat.OnTop());
        QVERIFY(f.chat.History().isEmpty());
        QCOMPARE(f.ticks, (std::vector<bool>{true, false, true, false}));
    }

    void theSendButtonFollowsTheGame() {
        ChatFixture f;
        f.chat.SetSendEnabled(false);
        QVERIFY(!f.chat.SendEnabled());
        f.chat.Text2()->setText("blocked");
        f.chat.Command1()->click();
        QVERIFY(f.sent.empty());
        f.chat.SetSendEnabled(true);
        f.chat.Command1()->click();
        QCOMPARE(f.sent, std::vector<std::string>{"SY  1#blocked"});
    }
};

QTEST_MAIN(ChatWindowTest)
#include "test_frm_chat.moc"
