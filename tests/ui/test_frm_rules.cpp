// The house rules dialog through its controls: what it shows for each rule in use, the
// forced-card boxes and the masks they make, Restore Defaults and Cancel, and the Apply
// that starts a new game only when the pile size or the shuffle changed, or over the net.
#include <QCheckBox>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTextBrowser>
#include <QtTest>

#include "dialogs/frmRules.h"
#include "platform/help_viewer.h"
#include "ui/dialog_game.h"

using namespace korbo;
using korbo::test::DialogGame;
using korbo::ui::frmRules;

namespace {

void Click(QAbstractButton* b) { QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(4, b->height() / 2)); }

// The manual takes the keys: a page down (or up) scrolls it, no modal window holding its
// input back.
bool ScrollsWithTheKeys(platform::HelpViewer& help, Qt::Key key = Qt::Key_PageDown) {
    help.Browser()->setFocus();
    QScrollBar* bar = help.Browser()->verticalScrollBar();
    const int before = bar->value();
    if (key == Qt::Key_PageDown ? before >= bar->maximum() : before <= bar->minimum()) return false;
    QTest::keyClick(help.windowHandle(), key);
    return key == Qt::Key_PageDown ? bar->value() > before : bar->value() < before;
}

struct Rules : DialogGame {
    std::string rulesText;
    Rules(int16_t side = 19, int16_t forced = 0, bool noWild = false, bool apart = false) {
        game.SideSize = side;
        game.ForcedRule = forced;
        game.NoWildAce = noWild;
        game.ShuffleApart = apart;
    }
};

QString Ticks(frmRules& d) {
    QString s;
    for (int m : {1, 2, 4}) s += d.chkForced(m)->isChecked() ? 'x' : '.';
    return s;
}
QString Enabled(frmRules& d) {
    QString s;
    for (int m : {1, 2, 4}) s += d.chkForced(m)->isEnabled() ? 'e' : '-';
    return s;
}

}  // namespace

class RulesDialogTest : public QObject {
    Q_OBJECT
private slots:
    void showsTheRulesInUse_data() {
        QTest::addColumn<int>("side");
        QTest::addColumn<int>("forced");
        QTest::addColumn<int>("option");
        QTest::addColumn<QString>("ticks");
        QTest::addColumn<QString>("enabled");
        QTest::addColumn<bool>("noForced");
        QTest::newRow("standard") << 19 << 0 << 0 << "..." << "---" << true;
        QTest::newRow("26, Ace") << 25 << 1 << 1 << "x.." << "eee" << false;
        QTest::newRow("15, Ace Two") << 14 << 3 << 2 << "xx." << "eee" << false;
        QTest::newRow("10, Two (V)") << 9 << 6 << 3 << ".xx" << "eee" << false;
        QTest::newRow("all") << 19 << 7 << 0 << "xxx" << "eee" << false;
    }
    void showsTheRulesInUse() {
        QFETCH(int, side);
        QFETCH(int, forced);
        QFETCH(int, option);
        QFETCH(QString, ticks);
        QFETCH(QString, enabled);
        QFETCH(bool, noForced);
        Rules r(static_cast<int16_t>(side), static_cast<int16_t>(forced), true, true);
        frmRules d(r.game, r.rulesText);
        QCOMPARE(d.windowTitle(), QString("Rules"));
        QVERIFY(d.optSide(option)->isChecked());
        QVERIFY(d.optShuffle(1)->isChecked());
        QVERIFY(d.chkWild()->isChecked());
        QCOMPARE(Ticks(d), ticks);
        QCOMPARE(Enabled(d), enabled);
        QCOMPARE(d.chkNoForced()->isChecked(), noForced);
        QCOMPARE(int(d.NewForced), forced);
        QCOMPARE(int(d.NewSideSize), side);
        QVERIFY(d.NewNoWildAce && d.NewShuffleApart);
    }

    void aMaskTheDialogCannotShowIsNoForcedCards() {
        Rules r(19, 8);
        frmRules d(r.game, r.rulesText);
        QCOMPARE(int(r.game.ForcedRule), 0);
        QVERIFY(d.chkNoForced()->isChecked());
        QCOMPARE(Ticks(d), QString("..."));
        QCOMPARE(int(d.NewForced), 0);
    }

    // Visible cards alone force nothing: the dialog shows no forced card, and the Ace
    // ticked next is the Ace rule alone, as its box shows.
    void aMaskOfVisibleCardsAloneIsNoForcedCards() {
        Rules r(19, 4);
        r.game.DisplayMode = 0;
        r.game.ScreenWidth = 15360;
        frmRules d(r.game, r.rulesText);
        d.show();
        QCOMPARE(int(r.game.ForcedRule), 0);
        QVERIFY(d.chkNoForced()->isChecked());
        QCOMPARE(Ticks(d), QString("..."));
        QCOMPARE(Enabled(d), QString("---"));
        QCOMPARE(int(d.NewForced), 0);
        Click(d.chkNoForced());
        Click(d.chkForced(1));
        QCOMPARE(Ticks(d), QString("x.."));
        Click(d.cmdSave());
        QCOMPARE(int(r.game.ForcedRule), 1);
        QCOMPARE(r.rulesText, std::string(", Ace"));
    }

    void theForcedBoxesMakeOnlyTheMasksTheRulesKnow() {
        Rules r;
        frmRules d(r.game, r.rulesText);
        d.show();
        // Visible cards only is offered once Ace or Two is ticked.
        Click(d.chkNoForced());
        QCOMPARE(Enabled(d), QString("ee-"));
        Click(d.chkForced(4));
        QVERIFY(!d.chkForced(4)->isChecked());
        Click(d.chkForced(1));
        QCOMPARE(Enabled(d), QString("eee"));
        Click(d.chkForced(2));
        Click(d.chkForced(4));
        QCOMPARE(int(d.NewForced), 7);
        // Unticking Ace and Two while (V) stays leaves visible cards alone: no forced card.
        Click(d.chkForced(1));
        QCOMPARE(int(d.NewForced), 6);
        Click(d.chkForced(2));
        QCOMPARE(int(d.NewForced), 0);
        QCOMPARE(Enabled(d), QString("ee-"));
        QCOMPARE(Ticks(d), QString("..."));
        // Ticking Ace again makes the Ace rule alone, as the boxes show.
        Click(d.chkForced(1));
        QCOMPARE(int(d.NewForced), 1);
        QCOMPARE(Ticks(d), QString("x.."));
        // "No Forced cards" clears and locks the three boxes.
        Click(d.chkNoForced());
        QCOMPARE(int(d.NewForced), 0);
        QCOMPARE(Ticks(d), QString("..."));
        QCOMPARE(Enabled(d), QString("---"));
    }

    void applyWithOnlyTheForcedOrWildRuleChangedNeedsNoNewGame() {
        Rules r;
        r.game.DisplayMode = 0;
        r.game.ScreenWidth = 15360;
        frmRules d(r.game, r.rulesText);
        d.show();
        Click(d.chkNoForced());
        Click(d.chkForced(1));
        Click(d.chkForced(2));
        Click(d.chkWild());
        Click(d.cmdSave());
        QVERIFY(r.view.boxes.empty());
        QVERIFY(!d.RulesChanged());
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(int(r.game.ForcedRule), 3);
        QVERIFY(r.game.NoWildAce);
        QCOMPARE(r.rulesText, std::string(", Ace, Two - No Wild Ace"));
    }

    void applyWithANewPileSizeAsksAndCancellingKeepsTheDialog() {
        Rules r;
        frmRules d(r.game, r.rulesText);
        d.show();
        Click(d.optSide(3));
        Click(d.optShuffle(1));
        r.view.answers = {mb::IDCancel};
        Click(d.cmdSave());
        QCOMPARE(r.view.boxes.size(), size_t{1});
        QCOMPARE(r.view.boxes[0].text,
                 std::string("A new game will be started in order for the changed rules to take effect."));
        QCOMPARE(r.view.boxes[0].title, std::string("New Rules"));
        QCOMPARE(r.view.boxes[0].buttons, mb::OKCancel);
        QVERIFY(d.isVisible());
        QVERIFY(!d.RulesChanged());
        QCOMPARE(int(r.game.SideSize), 19);
        QVERIFY(!r.game.ShuffleApart);

        Click(d.cmdSave());  // OK this time
        QCOMPARE(r.view.boxes.size(), size_t{2});
        QVERIFY(d.RulesChanged());
        QVERIFY(!d.isVisible());
        QCOMPARE(int(r.game.SideSize), 9);
        QVERIFY(r.game.ShuffleApart);
    }

    void applyOnlyTheShuffleAsksToo() {
        Rules r;
        frmRules d(r.game, r.rulesText);
        d.show();
        Click(d.optShuffle(1));
        Click(d.cmdSave());
        QCOMPARE(r.view.boxes.size(), size_t{1});
        QVERIFY(d.RulesChanged());
    }

    void inANetworkGameEveryApplyAsksAndTellsTheOpponent() {
        Rules r;
        r.game.NetActive = true;
        frmRules d(r.game, r.rulesText);
        d.show();
        Click(d.chkWild());
        Click(d.cmdSave());
        QCOMPARE(r.view.boxes.size(), size_t{1});
        QVERIFY(d.RulesChanged());
        QCOMPARE(r.view.Caption(Ctl::Label9, 2), std::string("\r\nSending New game to opponent."));
    }

    void restoreDefaultsThenCancel_data() {
        QTest::addColumn<int>("side");
        QTest::addColumn<bool>("changed");
        QTest::newRow("20 cards") << 19 << false;
        QTest::newRow("10 cards") << 9 << true;
    }
    void restoreDefaultsThenCancel() {
        QFETCH(int, side);
        QFETCH(bool, changed);
        Rules r(static_cast<int16_t>(side), 5, true, true);
        r.rulesText = ", Ace (V) - No Wild Ace";
        frmRules d(r.game, r.rulesText);
        d.show();
        Click(d.cmdDefault());
        QVERIFY(d.optSide(0)->isChecked());
        QVERIFY(d.optShuffle(0)->isChecked());
        QVERIFY(!d.chkWild()->isChecked());
        QVERIFY(d.chkNoForced()->isChecked());
        QCOMPARE(int(d.NewForced), 0);
        Click(d.cmdReturn());
        QCOMPARE(d.result(), int(QDialog::Rejected));
        // Three rules are the defaults at once; the forced rule keeps its old value.
        QCOMPARE(int(r.game.SideSize), 19);
        QVERIFY(!r.game.ShuffleApart);
        QVERIFY(!r.game.NoWildAce);
        QCOMPARE(int(r.game.ForcedRule), 5);
        QCOMPARE(d.RulesChanged(), changed);
        QCOMPARE(r.rulesText, std::string());
        QVERIFY(r.view.boxes.empty());
    }

    // Cancelling the "New Rules" box that Apply shows takes back only what Apply asked
    // for: a new game that Restore Defaults needs still starts when the dialog closes.
    void cancellingTheNewRulesBoxKeepsWhatRestoreDefaultsNeeds_data() {
        QTest::addColumn<int>("side");
        QTest::addColumn<int>("pick");
        QTest::addColumn<bool>("changed");
        QTest::newRow("26 cards, defaults") << 25 << -1 << true;
        QTest::newRow("20 cards, defaults, then 10 cards") << 19 << 3 << false;
    }
    void cancellingTheNewRulesBoxKeepsWhatRestoreDefaultsNeeds() {
        QFETCH(int, side);
        QFETCH(int, pick);
        QFETCH(bool, changed);
        Rules r(static_cast<int16_t>(side));
        frmRules d(r.game, r.rulesText);
        d.show();
        Click(d.cmdDefault());
        if (pick >= 0) Click(d.optSide(pick));
        r.view.answers = {mb::IDCancel};
        Click(d.cmdSave());
        QCOMPARE(r.view.boxes.size(), size_t{1});
        QCOMPARE(r.view.boxes[0].title, std::string("New Rules"));
        QVERIFY(d.isVisible());
        QCOMPARE(d.RulesChanged(), changed);
        Click(d.cmdReturn());
        QCOMPARE(d.result(), int(QDialog::Rejected));
        QCOMPARE(d.RulesChanged(), changed);
        QCOMPARE(int(r.game.SideSize), 19);
    }

    void closingTheWindowAppliesNothing() {
        Rules r;
        frmRules d(r.game, r.rulesText);
        d.show();
        Click(d.optSide(1));
        Click(d.chkWild());
        QTest::keyClick(&d, Qt::Key_Escape);
        QCOMPARE(d.result(), int(QDialog::Rejected));
        QCOMPARE(int(r.game.SideSize), 19);
        QVERIFY(!r.game.NoWildAce);
        QVERIFY(!d.RulesChanged());
    }

    void helpOpensTheManualAtChangingTheRules() {
        Rules r;
        QVERIFY(QFile::copy(QCoreApplication::applicationDirPath() + "/korbo/KD_Help.html", r.Path("KD_Help.html")));
        frmRules d(r.game, r.rulesText);
        d.show();
        Click(d.cmdHelp());
        auto* help = platform::HelpViewer::Current();
        QVERIFY(help);
        QVERIFY(help->isVisible());
        QCOMPARE(help->Topic(), QString("rules-changing"));
        help->close();
        // Without a manual the button does nothing.
        QFile::remove(r.Path("KD_Help.html"));
        Click(d.cmdHelp());
        QVERIFY(!platform::HelpViewer::Current());
        QVERIFY(d.isVisible());
    }

    // The dialog is modal: the manual it opens can still be read and scrolled over it.
    void theManualOpenedFromTheDialogTakesInput() {
        Rules r;
        QVERIFY(QFile::copy(QCoreApplication::applicationDirPath() + "/korbo/KD_Help.html", r.Path("KD_Help.html")));
        {
            frmRules d(r.game, r.rulesText);
            d.show();
            QVERIFY(QTest::qWaitForWindowExposed(&d));
            QCOMPARE(QApplication::activeModalWidget(), &d);
            Click(d.cmdHelp());
            auto* help = platform::HelpViewer::Current();
            QVERIFY(help);
            QVERIFY(QTest::qWaitForWindowExposed(help));
            QVERIFY2(ScrollsWithTheKeys(*help), "the manual did not scroll");
            help->close();
        }
    }

    // The manual is a window of its own: the dialog's Cancel leaves it open where it was,
    // still read and scrolled, whether it was open before the dialog or opened from it.
    void theManualStaysWhenTheDialogCloses_data() {
        QTest::addColumn<bool>("openBefore");
        QTest::newRow("opened from the dialog") << false;
        QTest::newRow("open before the dialog") << true;
    }
    void theManualStaysWhenTheDialogCloses() {
        QFETCH(bool, openBefore);
        Rules r;
        QVERIFY(QFile::copy(QCoreApplication::applicationDirPath() + "/korbo/KD_Help.html", r.Path("KD_Help.html")));
        if (openBefore) {
            // As the Help menu of the table opens it.
            QVERIFY(platform::HelpViewer::Open(r.Path("KD_Help.html")));
            QVERIFY(QTest::qWaitForWindowExposed(platform::HelpViewer::Current()));
        }
        auto* d = new frmRules(r.game, r.rulesText);
        d->show();
        QVERIFY(QTest::qWaitForWindowExposed(d));
        QCOMPARE(QApplication::activeModalWidget(), d);
        Click(d->cmdHelp());
        QPointer<platform::HelpViewer> help = platform::HelpViewer::Current();
        QVERIFY(help);
        QVERIFY(QTest::qWaitForWindowExposed(help));
        QCOMPARE(help->Topic(), QString("rules-changing"));
        QVERIFY2(ScrollsWithTheKeys(*help), "the manual did not scroll over the dialog");
        const QRect place = help->frameGeometry();

        Click(d->cmdReturn());
        QCOMPARE(d->result(), int(QDialog::Rejected));
        // The table lets the dialog go once it has closed.
        delete d;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
        QVERIFY2(help, "the manual went with the dialog");
        QCOMPARE(platform::HelpViewer::Current(), help.data());
        QVERIFY(help->isVisible());
        QCOMPARE(help->frameGeometry(), place);
        QCOMPARE(help->Topic(), QString("rules-changing"));
        QVERIFY2(ScrollsWithTheKeys(*help, Qt::Key_PageUp), "the manual did not scroll after the dialog closed");
        help->close();
    }
};

QTEST_MAIN(RulesDialogTest)
#include "test_frm_rules.moc"
