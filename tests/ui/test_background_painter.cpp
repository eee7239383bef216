// The background's two ways of covering the table: unscaled tiles from the top-left
// corner, and one picture stretched over the whole window.
#include <QPainter>
#include <QtTest>

#include "display/background_painter.h"

using korbo::ui::BackgroundPixmap;

namespace {

// A picture whose every pixel differs from every other, so that any shift or scale shows.
QPixmap Distinct(int w, int h) {
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) img.setPixel(x, y, qRgb(x * 7 % 256, y * 11 % 256, (x + y * w) % 256));
    return QPixmap::fromImage(img);
}

}  // namespace

class BackgroundPainterTest : public QObject {
    Q_OBJECT
private slots:
    void aTileIsRepeatedUnscaledFromTheTopLeftCoveringEveryPixel_data() {
        QTest::addColumn<QSize>("tile");
        QTest::addColumn<QSize>("area");
        QTest::newRow("cut at both edges") << QSize(30, 20) << QSize(101, 67);
        QTest::newRow("exact fit") << QSize(25, 10) << QSize(100, 40);
        QTest::newRow("larger than the window") << QSize(80, 90) << QSize(50, 40);
        QTest::newRow("one pixel") << QSize(1, 1) << QSize(13, 9);
    }
    void aTileIsRepeatedUnscaledFromTheTopLeftCoveringEveryPixel() {
        QFETCH(QSize, tile);
        QFETCH(QSize, area);
        const QPixmap pic = Distinct(tile.width(), tile.height());
        const QImage want = pic.toImage();
        const QImage got = BackgroundPixmap(area, pic, true).toImage();
        QCOMPARE(got.size(), area);
        for (int y = 0; y < area.height(); ++y)
            for (int x = 0; x < area.width(); ++x)
                if (got.pixel(x, y) != want.pixel(x % tile.width(), y % tile.height()))
                    QFAIL(qPrintable(QString("pixel %1,%2").arg(x).arg(y)));
    }

    void anyOtherPictureIsStretchedOverTheWholeWindow() {
        // Four quadrants of one colour each land on the window's four quarters.
        QImage img(2, 2, QImage::Format_RGB32);
        img.setPixel(0, 0, qRgb(255, 0, 0));
        img.setPixel(1, 0, qRgb(0, 255, 0));
        img.setPixel(0, 1, qRgb(0, 0, 255));
        img.setPixel(1, 1, qRgb(255, 255, 0));
        const QSize area(120, 90);
        const QImage got = BackgroundPixmap(area, QPixmap::fromImage(img), false).toImage();
        struct Probe { int x, y; QRgb colour; } probes[] = {
            {2, 2, qRgb(255, 0, 0)}, {117, 2, qRgb(0, 255, 0)}, {2, 87, qRgb(0, 0, 255)}, {117, 87, qRgb(255, 255, 0)}};
        for (auto p : probes) {
            const QColor c(got.pixel(p.x, p.y)), w(p.colour);
            QVERIFY2(std::abs(c.red() - w.red()) < 40 && std::abs(c.green() - w.green()) < 40 &&
                         std::abs(c.blue() - w.blue()) < 40,
                     qPrintable(QString("%1,%2 is %3").arg(p.x).arg(p.y).arg(c.name())));
        }
    }

    void aPictureThatDidNotLoadPaintsNothing() {
        const QImage got = BackgroundPixmap(QSize(10, 10), QPixmap(), true).toImage();
        QCOMPARE(QColor(got.pixel(5, 5)), QColor(Qt::black));
    }
};

QTEST_MAIN(BackgroundPainterTest)
#include "test_background_painter.moc"
