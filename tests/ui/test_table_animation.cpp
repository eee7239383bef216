// Cards moving on the table: walks paced to frames and always ending where they should,
// the hand rearrangement, the loser's shake and the picture sequence; the Game menu and
// the table's keys.
#define QTEST_QPA_MOUSE_HANDLING
#include <QtTest>
#include <QTemporaryDir>

#include "table_fixture.h"

using namespace korbo;
using korbo::test::BoxAnswerer;
using korbo::test::StartTable;
using korbo::ui::frmKorbo;
using korbo::ui::PictureSpec;

namespace {

struct Table {
    frmKorbo t;
    Game& g = t.game();
    Table() {
        t.pauseScale = 0;
        StartTable(t);
        t.show();
        (void)QTest::qWaitForWindowExposed(&t);
        g.SoundLevel = 2;
        g.TempoDelay = 0;
    }
};

}  // namespace

class TableAnimation : public QObject {
    Q_OBJECT
private slots:
    void aWalkEndsWithTheSourceHiddenAtHome() {
        Table tb;
        tb.g.WalkSteps = 20;
        const QPoint home = tb.t.Picture7(3).Widget()->pos();
        tb.t.Picture7(3).SetVisible(true);
        const long before = tb.t.FramesShown();
        tb.t.WalkTheCard(Ctl::Picture7, 3, Ctl::Picture4, 1);
        QVERIFY(!tb.t.Picture7(3).Visible());
        QCOMPARE(tb.t.Picture7(3).Widget()->pos(), home);
        // One frame a step, stopping half a card short of the target.
        const long frames = tb.t.FramesShown() - before;
        QVERIFY2(frames >= 15 && frames <= 20, qPrintable(QString::number(frames)));
    }

    void aSourceNotRightOfItsTargetIsNotWalked() {
        Table tb;
        tb.t.Picture7(2).SetVisible(true);
        const long before = tb.t.FramesShown();
        tb.t.WalkTheCard(Ctl::Picture7, 2, Ctl::Picture7, 6);
        QCOMPARE(tb.t.FramesShown() - before, 0L);
        QVERIFY(!tb.t.Picture7(2).Visible());
    }

    void theStockStaysOnTheTableWhenACardLeavesIt() {
        Table tb;
        const QPoint home = tb.t.Picture4(0).Widget()->pos();
        tb.g.CardMoving = true;
        tb.t.WalkTheCard(Ctl::Picture4, 0, Ctl::Picture7, 4);
        QVERIFY(tb.t.Picture4(0).Visible());
        QCOMPARE(tb.t.Picture4(0).Widget()->pos(), home);
    }

    void aStepTooSmallToMoveStillEndsTheWalk() {
        Table tb;
        tb.g.WalkSteps = 250;
        // A target only 100 twips above the pay-off top: each step rounds to nothing.
        tb.t.Picture4(1).SetTop(tb.t.Picture7(1).Top() - 100);
        tb.t.Picture7(1).SetVisible(true);
        const long before = tb.t.FramesShown();
        tb.t.WalkTheCard(Ctl::Picture7, 1, Ctl::Picture4, 1);
        QVERIFY(tb.t.FramesShown() - before <= 2 * 250);
        QVERIFY(!tb.t.Picture7(1).Visible());
    }

    void theSpareShowsTheNextOpponentPayOffCard() {
        Table tb;
        tb.g.OppSideCount = 3;
        tb.t.Picture1(0).SetVisible(false);
        tb.t.WalkTheCard(Ctl::Picture1, 1, Ctl::Picture4, 2);
        QVERIFY(tb.t.Picture1(0).Visible());
        QCOMPARE(tb.t.Picture1(0).Widget()->pos(), tb.t.Picture1(1).Widget()->pos());
    }

    void aHandSortShiftsTheCardsBetween() {
        Table tb;
        for (int i = 2; i <= 6; ++i) {
            tb.g.PlayerSlots.Set(i, {static_cast<int16_t>(i), static_cast<int16_t>(i)});
            tb.g.DrawPilePicture(Ctl::Picture7, i, i, 0);
        }
        tb.g.Hand_Sort(tb.g.PlayerSlots, Ctl::Picture7, 2, 6);
        for (int i = 2; i <= 5; ++i) {
            QCOMPARE(tb.g.PlayerSlots.Id(i), i + 1);
            const PictureSpec face{PictureSpec::Kind::NumberFace, 1, i + 1};
            QCOMPARE(tb.t.Box(Ctl::Picture7, i).Picture(), face);
        }
        QCOMPARE(tb.g.PlayerSlots.Id(6), 2);
        const PictureSpec two{PictureSpec::Kind::NumberFace, 1, 2};
        QCOMPARE(tb.t.Box(Ctl::Picture7, 6).Picture(), two);
        // The floating image is the card back again.
        QCOMPARE(tb.t.Box(Ctl::ImgHold, 0).Picture().kind, PictureSpec::Kind::Pile);
    }

    void theShakePutsEveryCardBack() {
        Table tb;
        QList<QPoint> homes;
        for (int i = 2; i <= 6; ++i) {
            tb.t.Picture1(i).SetVisible(true);
            homes << tb.t.Picture1(i).Widget()->pos();
        }
        const long before = tb.t.FramesShown();
        tb.t.Sore_Loser();
        QVERIFY(!tb.g.Busy);
        QVERIFY(tb.t.FramesShown() - before > 10);
        for (int i = 2; i <= 6; ++i) QCOMPARE(tb.t.Picture1(i).Widget()->pos(), homes[i - 2]);
    }

    void thePictureSequenceRunsUnlessSwitchedOff() {
        Table tb;
        tb.g.NoWinAnim = true;
        tb.t.Flash();
        QVERIFY(tb.t.findChildren<ui::PictureBox*>().size() == 4 + 11 + 10 + 1);
        tb.g.NoWinAnim = false;
        tb.t.Flash();
        // The frames were painted on a layer of their own, which is gone afterwards.
        const auto boxes = tb.t.findChildren<ui::PictureBox*>();
        QCOMPARE(boxes.size(), 4 + 11 + 10 + 1 + 1);
        QVERIFY(!boxes.last()->isVisible());
        QCOMPARE(boxes.last()->Picture(), (PictureSpec{PictureSpec::Kind::Flash, 1, 0}));
    }

    void aCustomPersonasPicturesAreReadOnceAndKept() {
        Table tb;
        QTemporaryDir base;
        QVERIFY(base.isValid());
        QVERIFY(QDir(base.path()).mkdir("users"));
        QImage red(60, 60, QImage::Format_RGB32);
        red.fill(QColor(255, 0, 0));
        for (int n = 1; n <= 7; ++n)
            QVERIFY(red.save(base.filePath(QString("users/Mira%1.jpg").arg(n)), "JPG"));
        tb.g.BaseDir = base.path().toStdString();
        tb.g.PeopleNames = {"Korbo", "Mira"};
        auto lastFrameIsRed = [&] {
            const auto boxes = tb.t.findChildren<ui::PictureBox*>();
            const QColor c = boxes.last()->grab().toImage().pixelColor(boxes.last()->width() / 2,
                                                                       boxes.last()->height() / 2);
            return c.red() > 200 && c.green() < 60 && c.blue() < 60;
        };
        tb.g.PersonIndex = 1;
        tb.t.Flash();
        QVERIFY(lastFrameIsRed());
        // Read once: the files are not needed again while the program runs.
        for (int n = 1; n <= 7; ++n) QFile::remove(base.filePath(QString("users/Mira%1.jpg").arg(n)));
        tb.g.PersonIndex = 0;
        tb.t.Flash();
        QVERIFY(!lastFrameIsRed());  // the built-in persona's own pictures
        tb.g.PersonIndex = 1;
        tb.t.Flash();
        QVERIFY(lastFrameIsRed());
    }

    void eachCustomPersonaShowsItsOwnPictures() {
        Table tb;
        QTemporaryDir base;
        QVERIFY(QDir(base.path()).mkdir("users"));
        const std::pair<const char*, QColor> painted[] = {{"Mira", QColor(255, 0, 0)}, {"Zeno", QColor(0, 0, 255)}};
        for (const auto& [name, colour] : painted) {
            QImage picture(60, 60, QImage::Format_RGB32);
            picture.fill(colour);
            for (int n = 1; n <= 7; ++n)
                QVERIFY(picture.save(base.filePath(QString("users/%1%2.jpg").arg(name).arg(n)), "JPG"));
        }
        tb.g.BaseDir = base.path().toStdString();
        tb.g.PeopleNames = {"Korbo", "Mira", "Zeno"};
        tb.g.PersonaFileCount = 2;
        auto lastFrame = [&] {
            ui::PictureBox* layer = tb.t.findChildren<ui::PictureBox*>().last();
            return layer->grab().toImage().pixelColor(layer->width() / 2, layer->height() / 2);
        };
        auto near = [](QColor a, QColor b) {
            return std::abs(a.red() - b.red()) < 60 && std::abs(a.green() - b.green()) < 60 &&
                   std::abs(a.blue() - b.blue()) < 60;
        };
        // One persona after another, chosen as the preferences choose them.
        for (int person : {1, 2, 1}) {
            tb.g.PersonIndex = static_cast<int16_t>(person);
            tb.t.ChangePerson();
            tb.t.Flash();
            const QColor seen = lastFrame();
            QVERIFY2(near(seen, painted[person - 1].second), qPrintable(seen.name() + " for persona " + QString::number(person)));
        }
    }

    void theNewMenuDealsAGame() {
        Table tb;
        tb.g.WalkSteps = 2;
        tb.t.NewGame()->trigger();
        QVERIFY(tb.g.TableDealt);
        QCOMPARE(tb.g.HandCount, 5);
        for (int i = 2; i <= 6; ++i) QVERIFY(tb.t.Picture7(i).Visible());
        QVERIFY(tb.t.Stack(50).Visible());
    }

    void exitAsksFirstAndNoKeepsPlaying() {
        Table tb;
        BoxAnswerer boxes(QMessageBox::No);
        tb.t.EndGame()->trigger();
        QCOMPARE(boxes.texts, QStringList{"Do you really want to quit?"});
        QCOMPARE(boxes.titles, QStringList{QString::fromUtf8("No m\xC3\xA1s")});
        QVERIFY(tb.t.isVisible());
    }

    void theTablesKeysReachTheGame() {
        Table tb;
        for (int k = 1; k <= 6; ++k) tb.g.PlayerSide.Set(k, {static_cast<int16_t>(k), static_cast<int16_t>(k)});
        tb.g.PlayerSideCount = 6;
        tb.t.Picture7(2).SetVisible(true);
        tb.t.Picture7(2).SetEnabled(true);
        tb.t.Picture7(2).Widget()->setFocus();
        QTest::keyClick(tb.t.Picture7(2).Widget(), Qt::Key_P, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(tb.g.PlayerSideCount, 2);
        QCOMPARE(tb.g.PlayerSide.Id(2), 6);
    }
};

QTEST_MAIN(TableAnimation)
#include "test_table_animation.moc"
