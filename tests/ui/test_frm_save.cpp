// The saved-games dialog as the player meets it: the slots offered, the choice by a click
// with its colours, the answer, Cancel and closing, and the AutoSave box.
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include "dialogs/frmSave.h"

using korbo::SaveDialogResult;
using korbo::SaveDialogSetup;
using korbo::ui::frmSave;

namespace {

SaveDialogSetup Saving() {
    SaveDialogSetup s;
    s.saving = true;
    for (int k = 1; k <= 10; ++k) s.Text1[static_cast<size_t>(k)] = {"game  " + std::to_string(k), true};
    s.Text1[2].text = "Tuesday";
    s.Text1[11] = {"AutoSave", false};
    s.showAutoSave = false;
    return s;
}

// Slots 1, 4 and the automatic one hold games; the others are empty.
SaveDialogSetup Restoring(bool autoSave, bool net = false) {
    SaveDialogSetup s;
    s.saving = false;
    for (int k = 1; k <= 11; ++k) s.Text1[static_cast<size_t>(k)] = {"", false};
    s.Text1[1] = {"first", true};
    s.Text1[4] = {"Friday", true};
    s.Text1[11] = {"AutoSave", autoSave};
    s.showAutoSave = !net;
    s.autoSaveTicked = autoSave;
    return s;
}

QColor BaseOf(QLineEdit* box) { return box->palette().color(QPalette::Base); }
QColor TextOf(QLineEdit* box) { return box->palette().color(QPalette::Text); }
QColor System(QPalette::ColorRole role) { return QApplication::palette().color(role); }

void Click(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(5, 5)); }

}  // namespace

class SaveDialogTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        // The colours of a chosen slot must be told apart from the window colours.
        QVERIFY(System(QPalette::Highlight) != System(QPalette::Base));
        QVERIFY(System(QPalette::ToolTipBase) != System(QPalette::Base));
    }

    void savingOffersTheTenNamedSlots() {
        frmSave d(Saving());
        d.show();
        QCOMPARE(d.windowTitle(), QString("Saved Games"));
        QCOMPARE(d.cmdSave()->text(), QString("Save"));
        QCOMPARE(d.Command2()->text(), QString("Cancel"));
        for (int k = 1; k <= 10; ++k) {
            QVERIFY(d.Text1(k)->isVisible());
            QVERIFY(d.Text1(k)->isEnabled());
            QCOMPARE(d.Text1(k)->toolTip(), QString("Type in a descriptive name if you want!"));
        }
        QCOMPARE(d.Text1(1)->text(), QString("game  1"));
        QCOMPARE(d.Text1(2)->text(), QString("Tuesday"));
        // Neither the automatic slot nor the AutoSave box is offered for saving.
        QVERIFY(!d.Text1(11)->isVisible());
        QVERIFY(!d.Check1()->isVisible());
        QCOMPARE(d.Check1()->toolTip(), QString("Click here to enable AutoSave"));
        QCOMPARE(d.Selection(), 0);
        QCOMPARE(d.Label1()->text(), QString());
    }

    // Fitted to the screen as the table measured it: a screen 1024 pixels wide gives 1.25 times
    // the designed size, from the size the slots take; a screen below 800 pixels none.
    void scaledForTheScreenFromItsDesignedSize_data() {
        QTest::addColumn<int>("screenWidth");
        QTest::addColumn<double>("factor");
        QTest::newRow("1024") << 15360 << 1.25;
        QTest::newRow("800") << 12000 << 12000.0 / 12288;
        QTest::newRow("640") << 9600 << 1.0;
    }
    void scaledForTheScreenFromItsDesignedSize() {
        QFETCH(int, screenWidth);
        QFETCH(double, factor);
        frmSave designed(Saving());
        frmSave d(Saving(), nullptr, screenWidth);
        designed.show();
        d.show();
        QCOMPARE(d.font().pointSizeF(), designed.font().pointSizeF() * factor);
        QVERIFY2(std::abs(d.width() - designed.width() * factor) <= designed.width() * 0.05,
                 qPrintable(QString("%1 for %2").arg(d.width()).arg(designed.width())));
    }

    void restoringOffersOnlySlotsThatHoldAGame() {
        struct Case { bool autoSave, net; } cases[] = {{true, false}, {false, false}, {false, true}};
        for (auto c : cases) {
            frmSave d(Restoring(c.autoSave, c.net));
            d.show();
            QCOMPARE(d.cmdSave()->text(), QString("Restore"));
            QVERIFY(d.Text1(1)->isEnabled());
            QVERIFY(d.Text1(4)->isEnabled());
            for (int k : {2, 3, 5, 10}) QVERIFY(!d.Text1(k)->isEnabled());
            QCOMPARE(d.Text1(4)->text(), QString("Friday"));
            QVERIFY(d.Text1(11)->isVisible());
            QCOMPARE(d.Text1(11)->text(), QString("AutoSave"));
            QCOMPARE(d.Text1(11)->isEnabled(), c.autoSave);
            // The AutoSave box is hidden in a network game and shows the option otherwise.
            QCOMPARE(d.Check1()->isVisible(), !c.net);
            QCOMPARE(d.Check1()->isChecked(), c.autoSave);
            // Restoring never edits a name.
            for (int k = 1; k <= 11; ++k) QVERIFY(d.Text1(k)->isReadOnly());
        }
    }

    void aClickChoosesASlotInTheHighlightColours() {
        frmSave d(Restoring(true));
        d.show();
        Click(d.Text1(4));
        QCOMPARE(d.Selection(), 4);
        QCOMPARE(BaseOf(d.Text1(4)), System(QPalette::Highlight));
        QCOMPARE(TextOf(d.Text1(4)), System(QPalette::HighlightedText));
        QVERIFY(d.Text1(4)->isReadOnly());
        // Another choice gives the first box its window colours back.
        Click(d.Text1(1));
        QCOMPARE(d.Selection(), 1);
        QCOMPARE(BaseOf(d.Text1(4)), System(QPalette::Base));
        QCOMPARE(TextOf(d.Text1(4)), System(QPalette::Text));
        QCOMPARE(BaseOf(d.Text1(1)), System(QPalette::Highlight));
        // An empty slot cannot be chosen.
        d.Text1_Click(3);
        QCOMPARE(d.Selection(), 1);
    }

    void savingChoosesASlotInTheTooltipColoursAndTakesItsTrimmedName() {
        frmSave d(Saving());
        d.show();
        Click(d.Text1(2));
        QCOMPARE(d.Selection(), 2);
        QCOMPARE(BaseOf(d.Text1(2)), System(QPalette::ToolTipBase));
        QCOMPARE(TextOf(d.Text1(2)), System(QPalette::ToolTipText));
        QVERIFY(!d.Text1(2)->isReadOnly());
        d.Text1(2)->selectAll();
        QTest::keyClicks(d.Text1(2), "  Long game  ");
        QCOMPARE(d.Text1(2)->text(), QString("  Long game  "));
        Click(d.cmdSave());
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QVERIFY(!d.Result().cancelled);
        QCOMPARE(d.Result().slot, 2);
        QCOMPARE(d.Result().name, std::string("Long game"));
        QCOMPARE(BaseOf(d.Text1(2)), System(QPalette::Base));
    }

    void confirmingWithoutAChoiceAsksForOne() {
        frmSave d(Saving());
        d.show();
        Click(d.cmdSave());
        QCOMPARE(d.Beeps(), 1);
        QCOMPARE(d.Label1()->text(), QString("Select a game slot!"));
        QVERIFY(d.isVisible());  // the dialog stays open
        QVERIFY(d.Result().cancelled);
    }

    void cancelClosingAndEscapeAreAllCancel() {
        for (int way = 0; way < 3; ++way) {
            frmSave d(Restoring(true));
            d.show();
            Click(d.Text1(4));
            if (way == 0) Click(d.Command2());
            else if (way == 1) d.close();
            else QTest::keyClick(&d, Qt::Key_Escape);
            QVERIFY(!d.isVisible());
            QVERIFY(d.Result().cancelled);
            QCOMPARE(d.Result().slot, 0);
        }
    }

    void theAutoSaveBoxTellsTheGameAndLocksTheAutomaticSlot() {
        std::vector<bool> told;
        SaveDialogSetup s = Restoring(true);
        s.autoSaveClicked = [&](bool ticked) { told.push_back(ticked); };
        frmSave d(s);
        d.show();
        Click(d.Check1());
        QVERIFY(!d.Check1()->isChecked());
        QVERIFY(!d.Text1(11)->isEnabled());
        Click(d.Check1());
        QVERIFY(d.Check1()->isChecked());
        QCOMPARE(told, (std::vector<bool>{false, true}));
    }

    // The dialog runs modally and hands back the slot the player clicked.
    void aModalRunReturnsTheChosenSlot() {
        frmSave d(Restoring(true));
        QTimer::singleShot(0, &d, [&] {
            Click(d.Text1(11));
            Click(d.cmdSave());
        });
        QCOMPARE(d.exec(), int(QDialog::Accepted));
        QCOMPARE(d.Result().slot, 11);
        QCOMPARE(d.Result().name, std::string("AutoSave"));
    }
};

QTEST_MAIN(SaveDialogTest)
#include "test_frm_save.moc"
