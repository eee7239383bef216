// The HOLD viewer as a right press shows it: the cards under the top in order, the empty
// pictures, the caption, and where it opens again after a click or the close box.
#include <QScreen>
#include <QtTest>

#include "display/frmHold.h"
#include "controls/table_controls.h"
#include "fake_table.h"

using korbo::test::FakeTable;
using korbo::ui::frmHold;

class HoldViewerWindowTest : public QObject {
    Q_OBJECT
private slots:
    void fourteenHiddenCardsShowPositionsFourteenDownToFive() {
        FakeTable t;
        auto& g = t.game;
        g.PlayerHoldCount[2] = 14;
        for (int p = 1; p <= 14; ++p) g.PlayerHold.Set(2, p, {static_cast<int16_t>(30 + p), 1});
        g.DragSlot = 8;
        g.HoldViewSide = 0;
        frmHold v(t);
        korbo::ui::ShowHoldViewer(t, v);
        QVERIFY(v.isVisible());
        QCOMPARE(v.windowTitle(), QString("Hold Cards Hidden: 14"));
        QCOMPARE(v.ViewPile(), int16_t(2));
        for (int i = 1; i <= 10; ++i) {
            QCOMPARE(t.cardsShown[v.Picture8(i)], 30 + 15 - i);  // position 14 - (i - 1)
            QCOMPARE(int(g.HoldView[i]), 30 + 15 - i);
        }
    }

    void aPileWithOnlyItsTopShowsTenEmptyPictures() {
        FakeTable t;
        t.game.DragSlot = 7;
        frmHold v(t);
        // A picture still showing a card from an earlier pile is emptied too.
        v.Picture8(3)->SetPicture({korbo::ui::PictureSpec::Kind::NumberFace, 1, 5});
        korbo::ui::ShowHoldViewer(t, v);
        QCOMPARE(v.windowTitle(), QString("Hold Cards Hidden: 0"));
        QVERIFY(t.cardsShown.empty());
        for (int i = 1; i <= 10; ++i) {
            QCOMPARE(v.Picture8(i)->BackColor(), frmHold::kEmptyColor);
            QCOMPARE(v.Picture8(i)->Picture().kind, korbo::ui::PictureSpec::Kind::None);
        }
    }

    void thePicturesOverlapBySixtyTwipsInFrontOfTheOneBefore() {
        FakeTable t;
        frmHold v(t);
        const double tpp = korbo::ui::TwipsPerPixel();
        for (int i = 2; i <= 10; ++i) {
            const int step = v.Picture8(i)->x() - v.Picture8(i - 1)->x();
            QVERIFY(std::abs(step - (frmHold::kPictureWidth - frmHold::kOverlap) / tpp) <= 1.0);
            QVERIFY(v.Picture8(i)->geometry().intersects(v.Picture8(i - 1)->geometry()));
        }
        QVERIFY(v.rect().contains(v.Picture8(10)->geometry()));
        QCOMPARE(t.scaled, 1);
    }

    void aClickRemembersWhereItStoodAndTheCloseBoxOnlyHides() {
        FakeTable t;
        auto& g = t.game;
        const double tpp = korbo::ui::TwipsPerPixel();
        g.HoldX = std::lround(20 * tpp);
        g.HoldY = std::lround(30 * tpp);
        g.DragSlot = 0;
        g.StockTop = 2;
        g.Deck[1].Id = 5;
        g.Deck[2].Id = 6;
        frmHold v(t);
        korbo::ui::ShowHoldViewer(t, v);
        QCOMPARE(v.windowTitle(), QString("Stock Cards Hidden: 2"));
        QCOMPARE(v.pos(), QPoint(20, 30));
        v.move(60, 40);
        QTest::mouseClick(v.Picture8(1), Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(!v.isVisible());
        QCOMPARE(g.HoldX, std::lround(60 * tpp));
        QCOMPARE(g.HoldY, std::lround(40 * tpp));
        // The close box keeps it loaded; the next press shows it where the click left it.
        korbo::ui::ShowHoldViewer(t, v);
        v.move(10, 10);
        QVERIFY(!v.close());
        QVERIFY(!v.isVisible());
        g.DragSlot = 3;  // a hand place: the pictures are emptied, the caption stays
        korbo::ui::ShowHoldViewer(t, v);
        QCOMPARE(v.pos(), QPoint(60, 40));
        QCOMPARE(v.windowTitle(), QString("Stock Cards Hidden: 2"));
        QCOMPARE(v.Picture8(1)->Picture().kind, korbo::ui::PictureSpec::Kind::None);
    }

    void aPlaceBeyondTheScreensEdgeIsBroughtInside() {
        FakeTable t;
        auto& g = t.game;
        g.DragSlot = 7;
        frmHold v(t);
        const QRect room = v.screen()->availableGeometry();
        const double tpp = korbo::ui::TwipsPerPixel();
        for (const QPoint& asked : {QPoint(room.right() - 10, room.bottom() - 10), QPoint(-500, -400)}) {
            g.HoldX = std::lround(asked.x() * tpp);
            g.HoldY = std::lround(asked.y() * tpp);
            korbo::ui::ShowHoldViewer(t, v);
            QVERIFY2(room.contains(v.frameGeometry()), qPrintable(QString("%1,%2").arg(asked.x()).arg(asked.y())));
        }
    }
};

QTEST_MAIN(HoldViewerWindowTest)
#include "test_frm_hold.moc"
