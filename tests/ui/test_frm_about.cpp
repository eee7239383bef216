// The About window (texts, the icon's sound at every sound level, the hidden thanks) and
// the web pages: only http and https addresses reach the desktop's handler, and a page
// that cannot be opened says so.
#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include "dialogs/frmAbout.h"
#include "controls/web_page.h"
#include "fakes/recording_view.h"

using namespace korbo;
using korbo::test::RecordingView;
using korbo::ui::frmAbout;

class AboutTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { korbogl::SetUrlOpener(nullptr); }

    void showsTheProgramAndItsVersion() {
        RecordingView view;
        frmAbout w(view);
        QCOMPARE(w.windowTitle(), QString("KorboNET: Korbo and Dunmir"));
        QCOMPARE(w.lblVersion()->text(), QString("Version 6.0.1"));
        QCOMPARE(w.Label2()->text(), QString("See the Help/User's Manual for email contact addresses."));
        QCOMPARE(w.lblDis()->text(), QString("\nWarning: Highly addictive."));
        QVERIFY(w.Label3()->text().contains("Additional backgrounds can be downloaded from Korbo's Site."));
        QVERIFY(w.LblSite()->text().contains(korbogl::kKorboSiteUrl));
        QVERIFY(!w.credit()->isVisible());
        w.show();
        QTest::mouseClick(w.cmdOK(), Qt::LeftButton);
        QVERIFY(!w.isVisible());
    }

    void theIconPlaysItsClipAndRevealsTheThanks() {
        RecordingView view;
        frmAbout w(view);
        w.show();
        QTest::mouseClick(w.picIcon(), Qt::RightButton);
        QVERIFY(!w.credit()->isVisible());
        QVERIFY(view.sounds.empty());
        QTest::mouseClick(w.picIcon(), Qt::LeftButton);
        QCOMPARE(view.sounds, (std::vector<int>{119}));
        QVERIFY(w.credit()->isVisible());
        QVERIFY(w.credit()->text().startsWith("\n\nSpecial thanks to:"));
        QVERIFY(w.credit()->text().endsWith("...and thanks to all of Korbo's beta testers for keeping me going..."));
    }

    // Every line of the window shows whole, the thanks too once the icon has revealed them.
    void theRevealedThanksShowWhole() {
        RecordingView view;
        frmAbout w(view);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QTest::mouseClick(w.picIcon(), Qt::LeftButton);
        QCoreApplication::sendPostedEvents();
        QVERIFY(w.credit()->isVisible());
        for (QLabel* l : w.findChildren<QLabel*>()) {
            if (!l->isVisible()) continue;
            const int needs = l->wordWrap() ? l->heightForWidth(l->width()) : l->sizeHint().height();
            QVERIFY2(l->height() >= needs, qPrintable(QString("%1: %2 of %3").arg(l->text()).arg(l->height()).arg(needs)));
            QVERIFY2(w.rect().contains(l->geometry()), qPrintable(l->text()));
        }
        QVERIFY(w.rect().contains(w.cmdOK()->geometry()));
    }

    void onlyWebAddressesReachTheBrowser_data() {
        QTest::addColumn<QString>("address");
        QTest::addColumn<bool>("handed");
        QTest::newRow("site") << QString(korbogl::kKorboSiteUrl) << true;
        QTest::newRow("gaming site") << QString(korbogl::kOnlineGamingSiteUrl) << true;
        QTest::newRow("http") << "http://example.org/a?b=c" << true;
        QTest::newRow("capital scheme") << "HTTPS://example.org/" << true;
        QTest::newRow("file") << "file:///etc/passwd" << false;
        QTest::newRow("bare path") << "/usr/bin/xterm" << false;
        QTest::newRow("script") << "javascript:alert(1)" << false;
        QTest::newRow("mail") << "mailto:korbo@example.org" << false;
        QTest::newRow("ftp") << "ftp://example.org/" << false;
        QTest::newRow("no host") << "http://" << false;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("blank in scheme") << " https://example.org/" << false;
    }
    void onlyWebAddressesReachTheBrowser() {
        QFETCH(QString, address);
        QFETCH(bool, handed);
        QStringList opened;
        korbogl::SetUrlOpener([&](const QString& a) {
            opened << a;
            return true;
        });
        RecordingView view;
        const int code = korbogl::OpenWebPage(view, address);
        QCOMPARE(opened.size(), handed ? 1 : 0);
        QCOMPARE(code > 32, handed);
        QCOMPARE(view.boxes.size(), size_t(handed ? 0 : 1));
        if (!handed) QCOMPARE(view.boxes[0].text, std::string("Unable to launch default browser"));
    }

    void aBrowserThatCannotStartIsTold() {
        korbogl::SetUrlOpener([](const QString&) { return false; });
        RecordingView view;
        QVERIFY(korbogl::OpenWebPage(view, korbogl::kKorboSiteUrl) <= 32);
        QCOMPARE(view.boxes.size(), size_t{1});
        QCOMPARE(view.boxes[0].text, std::string("Unable to launch default browser"));
        QCOMPARE(view.boxes[0].buttons, mb::OKOnly);
        QCOMPARE(view.boxes[0].title, std::string());
    }
};

QTEST_MAIN(AboutTest)
#include "test_frm_about.moc"
