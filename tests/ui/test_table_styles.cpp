// A dealt table in each of the six card styles: every hand card shows its own face in
// the chosen style, the opponent's hand shows the card back. With KORBO_SHOT_DIR set (and
// a real display, say under Xvfb) each dealt table is also photographed into that folder.
#define QTEST_QPA_MOUSE_HANDLING
#include <QDir>
#include <QTemporaryDir>
#include <QTimer>
#include <QProcess>
#include <QtTest>

#include "dialogs/frmSave.h"
#include "game/preferences.h"
#include "platform/sound_player.h"
#include "table_fixture.h"

using namespace korbo;
using korbo::test::StartTable;
using korbo::ui::frmKorbo;
using korbo::ui::PictureSpec;

class TableStyles : public QObject {
    Q_OBJECT
private slots:
    void aDealtTableInEachStyle_data() {
        QTest::addColumn<int>("style");
        for (int s = 1; s <= 6; ++s) QTest::newRow(qPrintable(QString("style %1").arg(s))) << s;
    }

    void aDealtTableInEachStyle() {
        QFETCH(int, style);
        frmKorbo t;
        t.pauseScale = 0;
        Game& g = t.game();
        g.CardStyle = static_cast<int16_t>(style);
        StartTable(t);
        t.rnd().Seed(7.0 + style);
        g.SoundLevel = 2;
        g.WalkSteps = 10;
        g.PlayerName = "Ann";
        t.show();
        QVERIFY(QTest::qWaitForWindowExposed(&t));
        QTest::mouseClick(t.Command2().Widget(), Qt::LeftButton);
        QVERIFY(!t.Command2().Visible());
        QVERIFY(g.TableDealt);
        for (int i = 1; i <= 6; ++i) {
            const int id = g.PlayerSlots.Id(i);
            if (i >= 2 && id == 0) continue;  // played while the computer's turn ran
            QVERIFY(id >= 1 && id <= 104);
            QVERIFY(t.Picture7(i).Visible());
            ui::PictureBox& box = t.Box(Ctl::Picture7, i);
            if (style == 6) {
                QCOMPARE(box.LibraryCard(), id);
            } else {
                const PictureSpec face{PictureSpec::Kind::NumberFace, style, (id - 1) % 13 + 1};
                QCOMPARE(box.Picture(), face);
                QCOMPARE(box.BackColor(), 0xFFFFFFL);
            }
        }
        // The opponent's hand shows backs only (the computer may have played already).
        for (int i = 2; i <= 6; ++i) {
            if (g.OppSlots.Value(i) == 0) continue;
            ui::PictureBox& back = t.Box(Ctl::Picture1, i);
            QCOMPARE(back.LibraryCard(), 0);
            QCOMPARE(back.Picture().kind, PictureSpec::Kind::Pile);
            QCOMPARE(back.BackColor(), g.DeckColor);
        }
        // The pay-off piles show their thickness.
        QVERIFY(t.Stack(25).Visible());
        QVERIFY(t.Stack(50).Visible());
        QVERIFY(!t.Stack(25 - g.SideSize).Visible());

        const QString dir = qEnvironmentVariable("KORBO_SHOT_DIR");
        if (!dir.isEmpty() && QGuiApplication::platformName() == "xcb") {
            t.move(0, 0);
            t.raise();
            QTest::qWait(400);
            QDir().mkpath(dir);
            const QString file = QDir(dir).filePath(QString("table-style%1.png").arg(style));
            QCOMPARE(QProcess::execute("import", {"-window", "root", file}), 0);
        }
    }

    void everyDisplayModeKeepsTheCardsApartAndInside_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("screen");
        for (int screen : {15360, 12000})
            for (int m = 0; m <= 3; ++m)
                QTest::newRow(qPrintable(QString("mode %1, %2 twips").arg(m).arg(screen))) << m << screen;
    }

    void everyDisplayModeKeepsTheCardsApartAndInside() {
        QFETCH(int, mode);
        QFETCH(int, screen);
        frmKorbo t;
        t.pauseScale = 0;
        Game& g = t.game();
        StartTable(t, screen);
        if (mode & 2) t.ChgDisplay_Click(1);
        if (mode & 1) t.ChgDisplay_Click(0);
        QCOMPARE(int(g.DisplayMode), mode);
        t.rnd().Seed(3);
        g.SoundLevel = 2;
        g.WalkSteps = 2;
        t.show();
        QVERIFY(QTest::qWaitForWindowExposed(&t));
        g.Command2_Click();
        QList<QPair<QString, QRect>> cards;
        auto add = [&](const QString& name, ui::Control& c) {
            if (c.Visible()) cards.append({name, c.Widget()->geometry()});
        };
        for (int i = 1; i <= 10; ++i) {
            add(QString("Picture7(%1)").arg(i), t.Picture7(i));
            add(QString("Picture1(%1)").arg(i), t.Picture1(i));
        }
        for (int i = 0; i <= 3; ++i) add(QString("Picture4(%1)").arg(i), t.Picture4(i));
        const QRect table = t.centralWidget()->rect();
        for (int a = 0; a < cards.size(); ++a) {
            QVERIFY2(table.contains(cards[a].second), qPrintable(cards[a].first + " lies outside the table"));
            for (int b = a + 1; b < cards.size(); ++b)
                QVERIFY2(!cards[a].second.intersects(cards[b].second),
                         qPrintable(cards[a].first + " overlaps " + cards[b].first));
        }
        const QString dir = qEnvironmentVariable("KORBO_SHOT_DIR");
        if (!dir.isEmpty() && QGuiApplication::platformName() == "xcb") {
            t.move(0, 0);
            QTest::qWait(400);
            QDir().mkpath(dir);
            const QString file = QDir(dir).filePath(QString("table-mode%1-%2.png").arg(mode).arg(screen));
            QCOMPARE(QProcess::execute("import", {"-window", "root", file}), 0);
        }
    }

    void drawingsMakeTheirKindsSound() {
        frmKorbo t;
        t.pauseScale = 0;
        StartTable(t);
        Game& g = t.game();
        struct Case {
            int kind, level;
            const char* clip;  // the clip asked for, or "" when none
        } cases[] = {{1, 0, "118"}, {2, 0, "117"}, {3, 1, "116"}, {5, 1, "119"},
                     {0, 0, ""},    {4, 0, ""},    {2, 2, ""}};
        for (const Case& c : cases) {
            t.Sound().PlayResource(0);  // no such clip: leaves the last one as it was
            const QUrl before = t.Sound().Current();
            g.SoundLevel = static_cast<int16_t>(c.level);
            t.Sound().PlayFile(QString(), false);
            g.DrawPilePicture(Ctl::Picture7, 2, 5, c.kind);
            const QUrl now = t.Sound().Current();
            if (*c.clip) QVERIFY2(now.toString().endsWith(QString("/%1.wav").arg(c.clip)), qPrintable(now.toString()));
            else QCOMPARE(now, before);
        }
    }

    void everyIdShowsTheFaceOfItsRank() {
        frmKorbo t;
        t.pauseScale = 0;
        StartTable(t);
        Game& g = t.game();
        g.SoundLevel = 2;
        for (int style = 1; style <= 5; ++style) {
            g.CardStyle = static_cast<int16_t>(style);
            t.LoadCardFaceSet(style);
            for (int id : {1, 14, 27, 40, 53, 66, 79, 92}) {
                g.DrawPilePicture(Ctl::Picture7, 3, id, 0);
                const PictureSpec ace{PictureSpec::Kind::NumberFace, style, 1};
                QCOMPARE(t.Box(Ctl::Picture7, 3).Picture(), ace);
                QCOMPARE(t.Box(Ctl::Picture7, 3).BorderStyle(), 1);
            }
        }
        // Picture cards keep the first number style as the working face set.
        t.LoadCardFaceSet(6);
        g.CardStyle = 1;
        g.DrawPilePicture(Ctl::Picture7, 3, 13, 0);
        const PictureSpec king{PictureSpec::Kind::NumberFace, 1, 13};
        QCOMPARE(t.Box(Ctl::Picture7, 3).Picture(), king);
    }

    void anEmptyPileNeverCallsTheLibrary() {
        frmKorbo t;
        t.pauseScale = 0;
        StartTable(t);
        Game& g = t.game();
        g.SoundLevel = 2;
        g.CardStyle = 6;
        g.DeckColor = 0xC0FFFF;
        g.DrawPilePicture(Ctl::Picture4, 2, 40, 0);
        QCOMPARE(t.Box(Ctl::Picture4, 2).LibraryCard(), 40);
        g.DrawPilePicture(Ctl::Picture4, 2, 0, 0);
        ui::PictureBox& box = t.Box(Ctl::Picture4, 2);
        QCOMPARE(box.LibraryCard(), 0);
        QCOMPARE(box.Picture().kind, PictureSpec::Kind::Pile);
        QCOMPARE(box.BackColor(), 0xC0FFFFL);
        QCOMPARE(box.BorderStyle(), 1);
    }

    void aPictureThatDoesNotExistIsReportedNotDrawn() {
        frmKorbo t;
        t.pauseScale = 0;
        StartTable(t);
        test::BoxAnswerer boxes;
        t.DrawCard(Ctl::Picture7, 11, 5);
        QCOMPARE(boxes.texts.size(), 1);
        QVERIFY(boxes.texts[0].startsWith("Houston, we have a problem:\nError "));
        QVERIFY(boxes.texts[0].endsWith("Object is: Picture7\nToPicNum:  11  FromPicNum:  5"));
    }

    void theRedrawnStockShowsThePlainPictureOn12000Twips() {
        struct Case {
            long screen;
            PictureSpec stock;
        } cases[] = {{12000, {PictureSpec::Kind::Pile, 2, 0}}, {15360, {PictureSpec::Kind::Pile, 1, 0}}};
        for (const Case& c : cases) {
            frmKorbo t;
            t.pauseScale = 0;
            t.game().SoundLevel = 2;
            StartTable(t, c.screen);  // the large standard back in use
            QCOMPARE(t.Box(Ctl::Picture4, 0).Picture(), c.stock);
            QCOMPARE(t.Box(Ctl::Picture4, 0).BackColor(), t.game().DeckColor);
        }
    }

    void aDrawingThatFailsMakesNoSound() {
        frmKorbo t;
        t.pauseScale = 0;
        StartTable(t);
        Game& g = t.game();
        g.SoundLevel = 0;
        test::BoxAnswerer boxes;
        struct Case {
            Ctl pics;
            int element, card;
        } cases[] = {{Ctl::Picture7, 11, 5}, {Ctl::Picture4, 2, 105}};
        for (const Case& c : cases) {
            t.Sound().PlayResource(118);
            const QUrl before = t.Sound().Current();
            g.MsgText = "left over";
            g.DrawPilePicture(c.pics, c.element, c.card, 2);
            QCOMPARE(t.Sound().Current(), before);
            QVERIFY(g.MsgText.empty());
        }
        QCOMPARE(boxes.texts.size(), 2);
        // The next drawing that works sounds again.
        g.DrawPilePicture(Ctl::Picture4, 2, 5, 2);
        QVERIFY(t.Sound().Current().toString().endsWith("/117.wav"));
    }

    // A picture card restored onto a centre pile shows its own corners, not the colour of
    // the empty pile under it.
    void aRestoredCentreCardHasNoEmptyPileCorners() {
        test::PlayerTable played(6);
        QVERIFY(played.dir.isValid());
        frmKorbo& t = played.t;
        Game& g = played.g;
        t.rnd().Seed(11);
        test::BoxAnswerer boxes;
        QTest::mouseClick(t.Command2().Widget(), Qt::LeftButton);
        QCOMPARE(int(g.Turn), int(TurnPlayer));
        // An Ace of the stock onto the first centre pile, as if played.
        if (g.CenterCount[1] == 0) {
            int k = 1;
            while (k <= g.StockTop && g.Deck[k].Value != 1) ++k;
            QVERIFY(k <= g.StockTop);
            g.Center[1][1] = {g.Deck[k].Id, g.Deck[k].Value};
            g.CenterCount[1] = 1;
            g.Deck[k].Id = g.Deck[g.StockTop].Id;
            g.Deck[k].Value = g.Deck[g.StockTop].Value;
            g.Deck[g.StockTop].Id = g.Deck[g.StockTop].Value = 0;
            --g.StockTop;
            g.DrawPilePicture(Ctl::Picture4, 1, g.Center[1][1].Id, 0);
        }
        QVERIFY(CheckPartition(g).empty());

        // Saved in the first slot and restored from it, through the saved-games window.
        QTimer slotChooser;
        QObject::connect(&slotChooser, &QTimer::timeout, [&] {
            if (auto* w = qobject_cast<ui::frmSave*>(QApplication::activeModalWidget())) {
                w->Text1_Click(1);
                w->cmdSave_Click();
            }
        });
        slotChooser.start(5);
        t.MenuItem("SaveIt")->trigger();
        t.MenuItem("Restore")->trigger();
        slotChooser.stop();
        QCOMPARE(g.CenterCount[1], 1);
        QCOMPARE(t.Box(Ctl::Picture4, 1).LibraryCard(), g.Center[1][1].Id);

        QCoreApplication::processEvents();
        const QImage table = t.centralWidget()->grab().toImage();
        const QRect pile = t.Picture4(1).Widget()->geometry();
        const QColor empty = ui::GameColor(kEmptyPlaceColor);
        for (const QPoint& corner : {pile.topLeft(), pile.topRight(), pile.bottomLeft(), pile.bottomRight()})
            QVERIFY2(table.pixelColor(corner) != empty,
                     qPrintable(QStringLiteral("the corner at %1,%2").arg(corner.x()).arg(corner.y())));
    }

    // "Use Font Backdrop" lays the mat colour behind the comments, as the preview shows
    // it, and keeps it through the text colour that follows; switched off, the comments
    // lie on the table again.
    void theFontBackdropIsTheMatColour() {
        frmKorbo t;
        t.pauseScale = 0;
        StartTable(t);
        t.show();
        QVERIFY(QTest::qWaitForWindowExposed(&t));
        Game& g = t.game();
        g.View().SetCaption(Ctl::Label9, 2, "Nice move!");
        QWidget& comments = *t.Label9(2).Widget();
        // The table as it is drawn: a corner of the comment area and the bare table beside it.
        auto pixel = [&](QPoint at) { return t.centralWidget()->grab().toImage().pixelColor(at); };
        const QPoint corner = comments.geometry().topLeft() + QPoint(1, 1);
        const QPoint beside = comments.geometry().topLeft() + QPoint(-3, 1);
        prefs::FontChoice f;
        f.matColor = 0x40A020;  // a colour no platform default has
        f.fontColor = 0xFFFFFF;
        f.backdrop = true;
        prefs::ApplyFonts(g, f);
        QCOMPARE(pixel(corner), ui::GameColor(0x40A020));
        QVERIFY(comments.styleSheet().contains(ui::GameColor(0xFFFFFF).name()));

        f.backdrop = false;
        prefs::ApplyFonts(g, f);
        QCOMPARE(pixel(corner), pixel(beside));
        QVERIFY(pixel(corner) != ui::GameColor(0x40A020));
    }
};

QTEST_MAIN(TableStyles)
#include "test_table_styles.moc"
