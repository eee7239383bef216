// The table's layout in twips: the rows and columns of the normal display, the cards
// moved up, the small display and back, the window fitted to the screen, and the card
// size in pixels that card play works with.
#include <QtTest>

#include "dialogs/frmChat.h"
#include "display/around_table.h"
#include "display/frmHold.h"
#include "table_fixture.h"

using namespace korbo;
using korbo::test::BoxAnswerer;
using korbo::test::StartTable;
using korbo::ui::Control;
using korbo::ui::frmKorbo;

namespace {

struct Place {
    const char* name;
    std::function<Control&(frmKorbo&)> ctl;
    double left, top, width, height;
};

void CheckPlaces(frmKorbo& t, const std::vector<Place>& places) {
    for (const Place& p : places) {
        Control& c = p.ctl(t);
        const QString what = QString::fromUtf8(p.name);
        QVERIFY2(qAbs(c.Left() - p.left) < 0.01, qPrintable(what + " Left " + QString::number(c.Left())));
        QVERIFY2(qAbs(c.Top() - p.top) < 0.01, qPrintable(what + " Top " + QString::number(c.Top())));
        if (p.width >= 0)
            QVERIFY2(qAbs(c.Width() - p.width) < 0.01, qPrintable(what + " Width " + QString::number(c.Width())));
        if (p.height >= 0)
            QVERIFY2(qAbs(c.Height() - p.height) < 0.01, qPrintable(what + " Height " + QString::number(c.Height())));
    }
}

// The table shown and laid out for a screen as the start-up leaves it, its first resize
// included.
void ShownTable(frmKorbo& t, long screen) {
    t.pauseScale = 0;
    t.show();
    (void)QTest::qWaitForWindowExposed(&t);
    StartTable(t, screen);
    t.Form_Resize();
}

// Picture7(i), Picture1(i), Picture4(i) and the frames by name.
Control& P7(frmKorbo& t, int i) { return t.Picture7(i); }

}  // namespace

class TableLayout : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        if (ui::TwipsPerPixel() != 15.0) QSKIP("the layout tables are checked on a 96 dpi screen");
    }

    void theNormalDisplayFollowsTheLayoutTables() {
        frmKorbo t;
        t.pauseScale = 0;
        StartTable(t);
        QCOMPARE(t.BaseCardWidth, 1072);  // 71.5 pixels, halves to even
        QCOMPARE(t.BaseCardHeight, 1440);
        QCOMPARE(t.BaseGap, 1212);
        std::vector<Place> places;
        for (int i = 2; i <= 6; ++i) {
            places.push_back({"Picture7 hand", [i](frmKorbo& f) -> Control& { return f.Picture7(i); },
                              3600.0 + 1212 * (i - 2), 5880, 1072, 1440});
            places.push_back({"Picture1 hand", [i](frmKorbo& f) -> Control& { return f.Picture1(i); },
                              3480.0 + 1212 * (i - 2), 120, 1072, 1440});
        }
        for (int i = 7; i <= 10; ++i) {
            places.push_back({"Picture7 HOLD", [i](frmKorbo& f) -> Control& { return f.Picture7(i); },
                              6000.0 + 1212 * (i - 7), 4040, 1072, 1440});
            places.push_back({"Picture1 HOLD", [i](frmKorbo& f) -> Control& { return f.Picture1(i); },
                              6000.0 + 1212 * (i - 7), 1920, 1072, 1440});
            places.push_back({"ShpHold", [i](frmKorbo& f) -> Control& { return f.ShpHold(i); },
                              6000.0 + 1212 * (i - 7), 4040, 1072, 1440});
        }
        for (int s = 1; s <= 3; ++s)
            places.push_back({"Picture4 centre", [s](frmKorbo& f) -> Control& { return f.Picture4(s); },
                              180.0 + 1212 * (s - 1), 2385, 1072, 1440});
        places.push_back({"Label3(0)", [](frmKorbo& f) -> Control& { return f.Label3(0); }, 5900, 3940, 4938, 1640});
        places.push_back({"Label3(1)", [](frmKorbo& f) -> Control& { return f.Label3(1); }, 5900, 1820, 4938, 1640});
        places.push_back({"Label10", [](frmKorbo& f) -> Control& { return f.Label10(); }, 90, 2280, 3716, 1690});
        places.push_back({"Stack(1)", [](frmKorbo& f) -> Control& { return f.Stack(1); }, 174, 60, 1072, 1440});
        places.push_back({"Stack(2)", [](frmKorbo& f) -> Control& { return f.Stack(2); }, 214, 66, -1, -1});
        places.push_back({"Stack(26)", [](frmKorbo& f) -> Control& { return f.Stack(26); }, 175, 5880, -1, -1});
        places.push_back({"Stack(50)", [](frmKorbo& f) -> Control& { return f.Stack(50); }, 943, 5880, -1, -1});
        places.push_back({"Picture7(1)", [](frmKorbo& f) -> Control& { return f.Picture7(1); }, 1001, 5880, 1072, 1440});
        places.push_back({"Picture1(1)", [](frmKorbo& f) -> Control& { return f.Picture1(1); }, 1192, 214, 1072, 1440});
        places.push_back({"ImgHold", [](frmKorbo& f) -> Control& { return f.ImgHold(); }, 943, 5880, 1072, 1440});
        places.push_back({"Label9(3)", [](frmKorbo& f) -> Control& { return f.Label9(3); }, 2160, 6600, -1, -1});
        places.push_back({"Label9(2)", [](frmKorbo& f) -> Control& { return f.Label9(2); }, 3945, 1800, -1, 3960});
        places.push_back({"Label9(1)", [](frmKorbo& f) -> Control& { return f.Label9(1); }, 120, 4080, -1, 1440});
        places.push_back({"stock", [](frmKorbo& f) -> Control& { return f.Picture4(0); }, 10635, 2640, 1072, 1440});
        // The arrows sit above and below the stock's frame, centred on it.
        places.push_back({"ImgTurn1", [](frmKorbo& f) -> Control& { return f.ImgTurn1(); }, 10931, 2034, 480, 480});
        places.push_back({"ImgTurn2", [](frmKorbo& f) -> Control& { return f.ImgTurn2(); }, 10931, 4206, 480, 480});
        CheckPlaces(t, places);
        QCOMPARE(t.HoldTop, 4040);
        QCOMPARE(t.HoldLeft[10], 9636);
        // The avatar, enlarged on a large screen, ends the window.
        QCOMPARE(t.ImgAvatar().Width(), 1950.0);
        QCOMPARE(t.WinHeight, 8433);
        QCOMPARE(t.WinWidth, 10838 + 1950 + 144);
        // Card play works in pixels.
        QCOMPARE(t.game().CardWidth, 71);
        QCOMPARE(t.game().CardHeight, 96);
        QCOMPARE(t.game().CardGap, 41);
        QCOMPARE(t.Picture7(2).Widget()->geometry(), QRect(240, 392, 71, 96));
        QCOMPARE(t.game().PlayerSlots.Value(2), 0);
    }

    void theEightHundredScreenShrinksTheStockAndClampsTheWindow() {
        frmKorbo t;
        t.pauseScale = 0;
        StartTable(t, 12000);
        // The window would reach the screen's edge: it takes the screen's width, with the
        // stock's frame 100 twips inside; the avatar is then placed against the window's
        // right edge by the relative placement that follows.
        QCOMPARE(t.WinWidth, 12000);
        QCOMPARE(t.ImgAvatar().Left(), 12000.0 - 1560);
        CheckPlaces(t, {{"Label1", [](frmKorbo& f) -> Control& { return f.Label1(); }, 12000 - 100 - 904.0, 2950, 904, 1180},
                        {"stock", [](frmKorbo& f) -> Control& { return f.Picture4(0); }, 12000 - 50 - 904.0, 3000, 804, 1080}});
    }

    void cardsMovedUpAndDownAgain() {
        frmKorbo t;
        t.pauseScale = 0;
        StartTable(t);
        t.ChgDisplay_Click(0);
        QCOMPARE(t.game().DisplayMode, 1);
        QCOMPARE(t.ChgDisplay(0)->text(), QString("Move Cards Down"));
        std::vector<Place> up;
        for (int i = 2; i <= 6; ++i)
            up.push_back({"hand", [i](frmKorbo& f) -> Control& { return f.Picture7(i); }, 3600.0 + 1212 * (i - 2), 5280, -1, -1});
        for (int i = 7; i <= 10; ++i) {
            up.push_back({"HOLD", [i](frmKorbo& f) -> Control& { return f.Picture7(i); }, 6000.0 + 1212 * (i - 7), 3450, -1, -1});
            up.push_back({"opp HOLD", [i](frmKorbo& f) -> Control& { return f.Picture1(i); }, 6000.0 + 1212 * (i - 7), 1700, -1, -1});
        }
        up.push_back({"Stack(50)", [](frmKorbo& f) -> Control& { return f.Stack(50); }, 943, 5280, -1, -1});
        up.push_back({"Stack(27)", [](frmKorbo& f) -> Control& { return f.Stack(27); }, 943 - 23 * 32.0, 5280, -1, -1});
        up.push_back({"Picture7(1)", [](frmKorbo& f) -> Control& { return f.Picture7(1); }, 1001, 5280, -1, -1});
        up.push_back({"Label3(0)", [](frmKorbo& f) -> Control& { return f.Label3(0); }, 5900, 3350, -1, -1});
        up.push_back({"Label9(2)", [](frmKorbo& f) -> Control& { return f.Label9(2); }, 3945, 1600, -1, -1});
        CheckPlaces(t, up);
        QCOMPARE(t.HoldTop, 3450);
        t.ChgDisplay_Click(0);
        QCOMPARE(t.game().DisplayMode, 0);
        QCOMPARE(t.ChgDisplay(0)->text(), QString("Move Cards Up"));
        QCOMPARE(t.Picture7(4).Top(), 5880.0);
        QCOMPARE(t.Picture7(9).Top(), 4040.0);
        QCOMPARE(t.Stack(50).Top(), 5880.0);
    }

    void theSmallDisplayScalesByFourFifthsAndBack() {
        frmKorbo t;
        t.pauseScale = 0;
        StartTable(t);
        t.Form_Resize();  // as the shown window has it: the stock against the right edge
        const double arrowLeft = t.ImgTurn1().Left();
        t.ChgDisplay_Click(1);
        Game& g = t.game();
        QCOMPARE(g.DisplayMode, 2);
        QCOMPARE(t.CardBase, 66);
        QCOMPARE(t.ChgDisplay(1)->text(), QString("Make Display Larger"));
        QVERIFY(!t.ChgDisplay(0)->isEnabled());
        CheckPlaces(t, {{"hand", [](frmKorbo& f) -> Control& { return f.Picture7(2); }, 2880, 4704, 857.6, 1152},
                        {"hand 6", [](frmKorbo& f) -> Control& { return f.Picture7(6); }, 0.8 * 8448, 4704, -1, -1},
                        {"HOLD", [](frmKorbo& f) -> Control& { return f.Picture7(7); }, 4800, 3232, -1, -1},
                        {"centre", [](frmKorbo& f) -> Control& { return f.Picture4(3); }, 0.8 * 2604, 0.8 * 2385, -1, -1},
                        {"opp hand", [](frmKorbo& f) -> Control& { return f.Picture1(2); }, 0.8 * 3480, 96, -1, -1},
                        {"ShpHold", [](frmKorbo& f) -> Control& { return f.ShpHold(8); }, 5770, 3232, 858, 1152}});
        QCOMPARE(t.BaseCardWidth, 858);
        QCOMPARE(t.HoldTop, 3232);
        QCOMPARE(g.CardWidth, 57);
        QCOMPARE(g.CardHeight, 77);
        QCOMPARE(g.CardGap, 33);
        // The turn arrows are never scaled; only the layout places them.
        QCOMPARE(t.ImgTurn1().Width(), 480.0);

        t.ChgDisplay_Click(1);
        QCOMPARE(g.DisplayMode, 0);
        QCOMPARE(t.CardBase, 82);
        QCOMPARE(t.ChgDisplay(1)->text(), QString("Make Display Smaller"));
        QVERIFY(t.ChgDisplay(0)->isEnabled());
        CheckPlaces(t, {{"hand", [](frmKorbo& f) -> Control& { return f.Picture7(2); }, 3600, 5880, 1072, 1440},
                        {"HOLD", [](frmKorbo& f) -> Control& { return f.Picture7(10); }, 9636, 4040, -1, -1}});
        QCOMPARE(g.CardWidth, 71);
        QCOMPARE(g.CardGap, 41);
        QVERIFY(qAbs(t.ImgTurn1().Left() - arrowLeft) < ui::TwipsPerPixel());  // below a pixel apart
    }

    void movingTheCardsKeepsTheSmallDisplay() {
        frmKorbo t;
        t.pauseScale = 0;
        StartTable(t);
        t.ChgDisplay_Click(1);
        t.ChgDisplay_Click(0);
        QCOMPARE(t.game().DisplayMode, 3);
        t.ChgDisplay_Click(0);
        QCOMPARE(t.game().DisplayMode, 2);
    }

    void picturCardsOnASmallDisplayAreWarnedOfOnce() {
        frmKorbo t;
        t.pauseScale = 0;
        StartTable(t);
        t.game().CardStyle = 6;
        t.game().TableDealt = true;
        BoxAnswerer boxes;
        t.ChgDisplay_Click(1);
        QCOMPARE(boxes.texts, QStringList{"Picture cards will not fit on a smaller display.\nSwitch to number cards!"});
        t.ChgDisplay_Click(1);  // larger again: no box
        QCOMPARE(boxes.texts.size(), 1);
    }

    void aResizeOnALargeScreenKeepsTheStockAtTheRightEdge() {
        frmKorbo t;
        t.pauseScale = 0;
        StartTable(t);
        t.show();
        (void)QTest::qWaitForWindowExposed(&t);
        t.resize(t.width() + 100, t.height());
        QCoreApplication::processEvents();
        const double avatarW = t.ImgAvatar().Width();
        QCOMPARE(t.WinWidth, ui::Nearest(t.width() * 15.0));
        QCOMPARE(t.ImgAvatar().Left(), t.WinWidth - avatarW);  // the relative placement has the last word
        QCOMPARE(t.Picture4(0).Left(), t.WinWidth - t.Picture4(0).Width() / 2 - avatarW / 2);
        QCOMPARE(t.Label1().Left(), t.WinWidth - t.Label1().Width() / 2 - avatarW / 2);
    }

    // In a network game the chat window follows the table's window state, except into a
    // maximised table; a minimised table closes the HOLD viewer. A minimise or a restore
    // is a change of state, with no resize of its own.
    void theChatWindowAndTheHoldViewerFollowTheTablesState() {
        frmKorbo t;
        t.pauseScale = 0;
        StartTable(t);
        t.show();
        QVERIFY(QTest::qWaitForWindowExposed(&t));
        Game& g = t.game();
        g.NetActive = true;
        QWidget& chat = *t.ChatWindow();
        chat.show();
        t.Around().ShowHoldViewer();
        QWidget& viewer = *t.Around().Hold();
        QVERIFY(viewer.isVisible());

        t.setWindowState(Qt::WindowMinimized);
        QCoreApplication::processEvents();
        QVERIFY(chat.windowState() & Qt::WindowMinimized);
        QVERIFY(!viewer.isVisible());

        t.setWindowState(Qt::WindowNoState);
        QCoreApplication::processEvents();
        QVERIFY(!(chat.windowState() & Qt::WindowMinimized));

        t.setWindowState(Qt::WindowMaximized);
        QCoreApplication::processEvents();
        QCOMPARE(chat.windowState(), Qt::WindowStates(Qt::WindowNoState));
        // A maximised table that is minimised keeps its maximised mark under the minimised
        // one: it is minimised, and the chat window goes down with it.
        t.Around().ShowHoldViewer();
        QVERIFY(viewer.isVisible());
        t.showMinimized();
        QCoreApplication::processEvents();
        QCOMPARE(t.windowState(), Qt::WindowMinimized | Qt::WindowMaximized);
        QVERIFY(chat.windowState() & Qt::WindowMinimized);
        QVERIFY(!viewer.isVisible());
        // Shown again as it was, maximised, the table brings the chat window back up.
        t.showMaximized();
        QCoreApplication::processEvents();
        QCOMPARE(t.windowState(), Qt::WindowStates(Qt::WindowMaximized));
        QCOMPARE(chat.windowState(), Qt::WindowStates(Qt::WindowNoState));
        t.showMinimized();
        QCoreApplication::processEvents();
        QVERIFY(chat.windowState() & Qt::WindowMinimized);
        t.setWindowState(Qt::WindowNoState);
        QCoreApplication::processEvents();
        QVERIFY(!(chat.windowState() & Qt::WindowMinimized));

        // Outside a network game the chat window keeps its own state.
        g.NetActive = false;
        t.setWindowState(Qt::WindowMinimized);
        QCoreApplication::processEvents();
        QVERIFY(!(chat.windowState() & Qt::WindowMinimized));
        chat.hide();
    }

    // The display modes as the menu reaches them: the cards are moved up before the
    // display is made smaller (the item is disabled on the small display).
    void theTurnArrowsStandClearOfTheAvatar_data() {
        QTest::addColumn<int>("screen");
        QTest::addColumn<int>("mode");
        for (int screen : {19200, 15360, 12000})
            for (int mode = 0; mode <= 3; ++mode)
                QTest::newRow(qPrintable(QStringLiteral("%1 twips, mode %2").arg(screen).arg(mode))) << screen << mode;
    }

    void theTurnArrowsStandClearOfTheAvatar() {
        QFETCH(int, screen);
        QFETCH(int, mode);
        frmKorbo t;
        ShownTable(t, screen);
        if (mode & 1) t.ChgDisplay_Click(0);
        if (mode & 2) t.ChgDisplay_Click(1);
        QCOMPARE(int(t.game().DisplayMode), mode);
        const QRect avatar = t.ImgAvatar().Widget()->geometry();
        const QRect table = t.centralWidget()->rect();
        for (Control* arrow : {&t.ImgTurn1(), &t.ImgTurn2()}) {
            const QRect r = arrow->Widget()->geometry();
            QVERIFY2(!r.intersects(avatar), qPrintable(QString::fromStdString(arrow->Name()) + " lies under the avatar"));
            QVERIFY2(table.contains(r), qPrintable(QString::fromStdString(arrow->Name()) + " leaves the table"));
            QVector<Control*> places{&t.Label1(), &t.Label3(0), &t.Label3(1)};
            for (int i = 0; i <= 3; ++i) places << &t.Picture4(i);
            for (int i = 1; i <= 10; ++i) places << &t.Picture1(i) << &t.Picture7(i);
            for (Control* p : places)
                QVERIFY2(!r.intersects(p->Widget()->geometry()),
                         qPrintable(QString::fromStdString(arrow->Name() + " lies on " + p->Name())));
        }
    }

    // A mode switched on and off again gives the first layout back, to the pixel.
    void switchingAModeOnAndOffGivesTheFirstLayoutBack_data() {
        QTest::addColumn<int>("screen");
        QTest::addColumn<QList<int>>("clicks");
        for (int screen : {19200, 15360, 12000}) {
            const QString s = QString::number(screen) + " twips, ";
            QTest::newRow(qPrintable(s + "cards up and down")) << screen << QList<int>{0, 0};
            QTest::newRow(qPrintable(s + "smaller and larger")) << screen << QList<int>{1, 1};
            QTest::newRow(qPrintable(s + "up, smaller, larger, down")) << screen << QList<int>{0, 1, 1, 0};
        }
    }

    void switchingAModeOnAndOffGivesTheFirstLayoutBack() {
        QFETCH(int, screen);
        QFETCH(QList<int>, clicks);
        frmKorbo t;
        ShownTable(t, screen);
        auto layout = [&] {
            QMap<QString, QRect> places;
            for (const ui::ControlDesign& row : ui::TableDesign()) {
                const std::string name = ui::DesignName(row);
                if (Control* c = t.FindControl(name)) places[QString::fromStdString(name)] = c->Widget()->geometry();
            }
            places["window"] = QRect(QPoint(), t.size());
            return places;
        };
        const QMap<QString, QRect> first = layout();
        for (int index : clicks) t.ChgDisplay_Click(index);
        QCOMPARE(int(t.game().DisplayMode), 0);
        const QMap<QString, QRect> again = layout();
        for (auto it = first.begin(); it != first.end(); ++it) {
            const QRect a = it.value(), b = again.value(it.key());
            const bool same = qAbs(a.left() - b.left()) <= 1 && qAbs(a.top() - b.top()) <= 1 &&
                              qAbs(a.width() - b.width()) <= 1 && qAbs(a.height() - b.height()) <= 1;
            QVERIFY2(same, qPrintable(it.key() + QStringLiteral(": %1,%2 %3x%4 became %5,%6 %7x%8")
                                                     .arg(a.left()).arg(a.top()).arg(a.width()).arg(a.height())
                                                     .arg(b.left()).arg(b.top()).arg(b.width()).arg(b.height())));
        }
    }

    void theSavedDisplayModeIsReplayedAtStartUp_data() {
        QTest::addColumn<int>("saved");
        QTest::addColumn<int>("screen");
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("cardBase");
        QTest::addColumn<double>("handLeft");
        QTest::addColumn<double>("handTop");
        QTest::newRow("normal") << 0 << 15360 << 0 << 82 << 3600.0 << 5880.0;
        QTest::newRow("cards up") << 1 << 15360 << 1 << 82 << 3600.0 << 5280.0;
        QTest::newRow("small") << 2 << 15360 << 2 << 66 << 2880.0 << 4704.0;
        QTest::newRow("small, cards up") << 3 << 15360 << 3 << 66 << 2880.0 << 4224.0;
        QTest::newRow("cards up on a narrow screen") << 1 << 9600 << 0 << 82 << 3600.0 << 5880.0;
    }

    void theSavedDisplayModeIsReplayedAtStartUp() {
        QFETCH(int, saved);
        QFETCH(int, screen);
        QFETCH(int, mode);
        QFETCH(int, cardBase);
        QFETCH(double, handLeft);
        QFETCH(double, handTop);
        frmKorbo t;
        t.pauseScale = 0;
        Game& g = t.game();
        g.ScreenWidth = screen;
        g.FormLoading = true;
        g.DisplayMode = static_cast<int16_t>(saved);
        t.InitialCardSize();
        t.DrawStacks();
        t.GetCardSize();
        t.ResizeMe();
        t.FitWindow();
        t.ReplayDisplayMode();
        QCOMPARE(g.FormLoading, mode == 0);  // the normal mode leaves it to the start-up
        QCOMPARE(int(g.DisplayMode), mode);
        QCOMPARE(t.CardBase, cardBase);
        QCOMPARE(t.Picture7(2).Left(), handLeft);
        QCOMPARE(t.Picture7(2).Top(), handTop);
        QCOMPARE(t.ChgDisplay(0)->text(), QString(mode & 1 ? "Move Cards Down" : "Move Cards Up"));
        QCOMPARE(t.ChgDisplay(1)->text(), QString(mode & 2 ? "Make Display Larger" : "Make Display Smaller"));
    }

    void scalingToTheScreenUsesTheDesignedScreen() {
        frmKorbo t;
        t.pauseScale = 0;
        StartTable(t);
        t.game().ScreenWidth = 15360;
        const double left = t.Picture7(3).Left();
        t.ScaleFormControls(4, 0);
        QCOMPARE(t.Picture7(3).Left(), left * 15360 / 12288);
    }
};

QTEST_MAIN(TableLayout)
#include "test_table_layout.moc"
