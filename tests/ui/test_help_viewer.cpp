// The help viewer over the shipped manual: its keyword index, the manual opened at the
// contents and at the topics the game asks for, one window reused, and files it refuses.
#include <sys/stat.h>

#include <QDialog>
#include <QDir>
#include <QFile>
#include <QMainWindow>
#include <QMenuBar>
#include <QScreen>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextBrowser>
#include <QtTest>

#include "platform/help_viewer.h"

using korbo::platform::HelpKeywords;
using korbo::platform::HelpViewer;

namespace {
QString Manual() { return QCoreApplication::applicationDirPath() + "/korbo/KD_Help.html"; }

// The text of the first line shown at the top of the viewer.
QString TopLine(HelpViewer* v) {
    QTextBrowser* b = v->Browser();
    return b->cursorForPosition(QPoint(8, 8)).block().text();
}
}  // namespace

class HelpViewerTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() {
        if (HelpViewer::Current()) HelpViewer::Current()->close();
    }

    void theManualKnowsTheKeywordsTheGameAsksFor() {
        QFile f(Manual());
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QString html = QString::fromUtf8(f.readAll());
        const auto keywords = HelpKeywords(html);
        QCOMPARE(keywords.value("customize"), QString("customize"));
        QCOMPARE(keywords.value("connect"), QString("Connect"));
        QCOMPARE(keywords.value("rules, changing the rules"), QString("rules-changing"));
        // Every entry leads to a topic of the manual.
        for (const QString& anchor : keywords) QVERIFY2(html.contains("id=\"" + anchor + "\""), qPrintable(anchor));
    }

    void opensAtTheTopicOfAKeyword_data() {
        QTest::addColumn<QString>("keyword");
        QTest::addColumn<QString>("heading");
        QTest::newRow("customize") << "customize" << "Customizing the game";
        QTest::newRow("Connect") << "Connect" << "Playing over the network";
        QTest::newRow("rules") << "rules, changing the rules" << "Changing the rules";
    }
    void opensAtTheTopicOfAKeyword() {
        QFETCH(QString, keyword);
        QFETCH(QString, heading);
        QVERIFY(HelpViewer::Open(Manual(), keyword));
        HelpViewer* v = HelpViewer::Current();
        QVERIFY(v && v->isVisible());
        QVERIFY(v->Browser()->verticalScrollBar()->value() > 0);
        QTRY_COMPARE_WITH_TIMEOUT(TopLine(v), heading, 5000);
    }

    void opensAtTheContentsAndReusesTheWindow() {
        QVERIFY(HelpViewer::Open(Manual(), "customize"));
        HelpViewer* first = HelpViewer::Current();
        QVERIFY(HelpViewer::Open(Manual()));
        QCOMPARE(HelpViewer::Current(), first);
        QCOMPARE(first->Topic(), QString());
        QCOMPARE(first->Browser()->verticalScrollBar()->value(), 0);
        QVERIFY(first->windowTitle().contains("User's Manual"));
        // A keyword the index does not know opens the contents too.
        QVERIFY(HelpViewer::Open(Manual(), "no such topic"));
        QCOMPARE(first->Browser()->verticalScrollBar()->value(), 0);
    }

    // Asked for from the table, or from a dialog over it, the manual keeps the table's menu
    // bar in sight and lies wholly on the screen.
    void opensBelowTheMenuBarAndWithinTheScreen() {
        QMainWindow table;
        table.menuBar()->addMenu("&Game");
        table.setGeometry(table.screen()->availableGeometry());
        table.show();
        QVERIFY(QTest::qWaitForWindowExposed(&table));
        QDialog dialog(&table);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        const QScreen* screen = table.screen();
        const int barBottom = table.menuBar()->mapToGlobal(QPoint(0, table.menuBar()->height())).y();
        QVERIFY(barBottom > screen->availableGeometry().top());
        for (const QWidget* owner : {static_cast<QWidget*>(&table), static_cast<QWidget*>(&dialog)}) {
            QVERIFY(HelpViewer::Open(Manual(), {}, owner));
            HelpViewer* v = HelpViewer::Current();
            QVERIFY(QTest::qWaitForWindowExposed(v));
            const QRect at = v->frameGeometry();
            QVERIFY2(at.top() >= barBottom, qPrintable(QString("top %1, menu bar to %2").arg(at.top()).arg(barBottom)));
            QVERIFY2(screen->availableGeometry().contains(at),
                     qPrintable(QString("%1: %2,%3 %4x%5").arg(owner->metaObject()->className()).arg(at.x()).arg(at.y())
                                    .arg(at.width()).arg(at.height())));
            v->close();
        }
    }

    void refusesWhatIsNotAReadableManual() {
        QTemporaryDir dir;
        QVERIFY(!HelpViewer::Open(dir.path() + "/KD_Help.html"));
        QVERIFY(QDir(dir.path()).mkdir("folder.html"));
        QVERIFY(!HelpViewer::Open(dir.path() + "/folder.html"));
        const QString fifo = dir.path() + "/fifo.html";
        QCOMPARE(::mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
        QVERIFY(!HelpViewer::Open(fifo));  // returns at once instead of waiting for a writer
        QFile big(dir.path() + "/big.html");
        QVERIFY(big.open(QIODevice::WriteOnly));
        QVERIFY(big.resize(2 << 20));
        big.close();
        QVERIFY(!HelpViewer::Open(big.fileName()));
        QVERIFY(!HelpViewer::Current());
    }
};

QTEST_MAIN(HelpViewerTest)
#include "test_help_viewer.moc"
