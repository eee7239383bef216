// The speed dialog: what it shows for the settings in use, what each bar position sets,
// the step count of 0 read as 45, and an opening that changes nothing.
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QtTest>

#include "display/frmSpeed.h"
#include "game/table_state.h"

using korbo::TableState;
using korbo::ui::frmSpeed;

class SpeedDialogTest : public QObject {
    Q_OBJECT
private slots:
    void showsTheSettingsAndChangesNothingByOpening() {
        TableState t;
        t.SpeedIndex = 2;
        t.TempoDelay = 0.4;  // as the stored speed index applies it
        t.WalkSteps = 120;
        frmSpeed d(t);
        QCOMPARE(d.windowTitle(), QString("Speed Settings"));
        QCOMPARE(d.Command1()->text(), QString("&Done"));
        QCOMPARE(d.HScroll1()->value(), 2);
        QCOMPARE(d.Label1()->text(), QString("human"));
        QCOMPARE(d.VScroll1()->value(), 6);
        QCOMPARE(d.lblAni()->text(), QString(" 6"));
        QCOMPARE(t.TempoDelay, 0.4);
        QCOMPARE(int(t.WalkSteps), 120);
        QStringList texts;
        for (QLabel* l : d.findChildren<QLabel*>()) texts << l->text();
        for (const char* s : {"Korbo's Speed:", "Slower", "Faster", "Card Animation Speed:",
                              "Not responsible for games played at the speed of light"})
            QVERIFY2(texts.contains(s), s);
    }

    void eachSpeedSetsItsPause_data() {
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("name");
        QTest::addColumn<double>("pause");
        const char* names[] = {"coma", "turtle", "human", "rabbit", "blink", "light"};
        const double pauses[] = {0.9, 0.6, 0.38, 0.2, 0.05, 0.0};
        for (int i = 0; i < 6; ++i) QTest::newRow(names[i]) << i << names[i] << pauses[i];
    }
    void eachSpeedSetsItsPause() {
        QFETCH(int, position);
        QFETCH(QString, name);
        QFETCH(double, pause);
        TableState t;
        t.SpeedIndex = position == 0 ? 5 : 0;
        frmSpeed d(t);
        d.show();
        d.HScroll1()->setValue(position);
        QCOMPARE(int(t.SpeedIndex), position);
        QCOMPARE(t.TempoDelay, pause);
        QCOMPARE(d.Label1()->text(), name);
    }

    void eachAnimationPositionSetsItsSteps() {
        const int steps[] = {2, 10, 20, 45, 70, 95, 120, 150, 180, 220, 250};
        TableState t;
        t.WalkSteps = 250;
        frmSpeed d(t);
        d.show();
        for (int pos = 0; pos <= 10; ++pos) {
            d.VScroll1()->setValue(pos);
            QCOMPARE(int(t.WalkSteps), steps[pos]);
            QCOMPARE(d.lblAni()->text(), QString(" %1").arg(pos));
        }
        // The bar moves by keys as well.
        d.VScroll1()->setFocus();
        QTest::keyClick(d.VScroll1(), Qt::Key_Up);
        QCOMPARE(int(t.WalkSteps), 220);
    }

    void aStepCountOfZeroIsShownAndUsedAs45() {
        TableState t;
        t.WalkSteps = 0;
        frmSpeed d(t);
        QCOMPARE(int(t.WalkSteps), 45);
        QCOMPARE(d.VScroll1()->value(), 3);
        QCOMPARE(d.lblAni()->text(), QString(" 3"));
    }

    void aStepCountOffTheBarLeavesTheBarWhereItRests() {
        TableState t;
        t.WalkSteps = 33;
        t.SpeedIndex = 9;  // from a damaged file: shown at the nearest end, kept as it is
        frmSpeed d(t);
        QCOMPARE(d.VScroll1()->value(), 3);
        QCOMPARE(int(t.WalkSteps), 33);
        QCOMPARE(d.HScroll1()->value(), 5);
        QCOMPARE(int(t.SpeedIndex), 9);
    }

    void doneAndClosingUnloadTheDialog() {
        TableState t;
        frmSpeed d(t);
        d.show();
        QTest::mouseClick(d.Command1(), Qt::LeftButton);
        QVERIFY(!d.isVisible());
        d.show();
        QVERIFY(d.close());
        QVERIFY(!d.isVisible());
    }
};

QTEST_MAIN(SpeedDialogTest)
#include "test_frm_speed.moc"
