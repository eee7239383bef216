// The picture-card library, the five number-card styles and the pile pictures, judged
// by what they actually draw.
#include <QPainter>
#include <QtTest>
#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/card_library.h"

using namespace korbo::platform;

namespace {

// Renders at three times the design size, enough pixels to tell pips apart.
constexpr int kScale = 3;
const QSize kBig(kCardWidth * kScale, kCardHeight * kScale);

QImage PictureCard(const CardLibrary& lib, int id) {
    QImage img(kBig, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    lib.DrawCard(p, QRectF(QPointF(0, 0), QSizeF(kBig)), id);
    return img;
}

QImage NumberCard(int style, int image, QSize size = kBig) {
    QImage img(size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    DrawNumberCardImage(p, QRectF(QPointF(0, 0), QSizeF(size)), style, image);
    return img;
}

// Ink: an opaque pixel that is not the white paper.
bool Ink(QRgb c) { return qAlpha(c) > 128 && (qRed(c) < 170 || qGreen(c) < 170 || qBlue(c) < 170); }

// The area of the card given in design units, as pixels of a kScale rendering.
QRect Design(double x, double y, double w, double h) {
    return QRect(qRound(x * kScale), qRound(y * kScale), qRound(w * kScale), qRound(h * kScale));
}

std::vector<char> InkMask(const QImage& img, const QRect& r) {
    std::vector<char> mask(static_cast<size_t>(r.width() * r.height()));
    for (int y = 0; y < r.height(); ++y)
        for (int x = 0; x < r.width(); ++x) mask[y * r.width() + x] = Ink(img.pixel(r.x() + x, r.y() + y));
    return mask;
}

int InkCount(const QImage& img, const QRect& r) {
    const auto m = InkMask(img, r);
    return static_cast<int>(std::count(m.begin(), m.end(), 1));
}

// The separate shapes of ink in `r` (8-connected), ignoring specks of a few pixels.
int Components(const QImage& img, const QRect& r) {
    auto mask = InkMask(img, r);
    const int w = r.width(), h = r.height();
    int count = 0;
    std::vector<int> stack;
    for (int start = 0; start < w * h; ++start) {
        if (mask[start] != 1) continue;
        int size = 0;
        stack.push_back(start);
        mask[start] = 2;
        while (!stack.empty()) {
            const int at = stack.back();
            stack.pop_back();
            ++size;
            const int x = at % w, y = at / w;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) {
                    const int nx = x + dx, ny = y + dy;
                    if (nx < 0 || ny < 0 || nx >= w || ny >= h) continue;
                    const int n = ny * w + nx;
                    if (mask[n] == 1) {
                        mask[n] = 2;
                        stack.push_back(n);
                    }
                }
        }
        if (size > 20) ++count;
    }
    return count;
}

// Overlap of two masks: intersection over union.
double Overlap(const std::vector<char>& a, const std::vector<char>& b) {
    int both = 0, either = 0;
    for (size_t i = 0; i < a.size(); ++i) {
        both += a[i] && b[i];
        either += a[i] || b[i];
    }
    return either ? static_cast<double>(both) / either : 1.0;
}

// Mean absolute difference per channel, 0..255.
double Difference(const QImage& a, const QImage& b) {
    const QImage x = a.convertToFormat(QImage::Format_ARGB32), y = b.convertToFormat(QImage::Format_ARGB32);
    if (x.size() != y.size()) return 255;
    double sum = 0;
    for (int j = 0; j < x.height(); ++j)
        for (int i = 0; i < x.width(); ++i) {
            const QRgb p = x.pixel(i, j), q = y.pixel(i, j);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q)) +
                   std::abs(qAlpha(p) - qAlpha(q));
        }
    return sum / (4.0 * x.width() * x.height());
}

// Where the rank of the corner index stands (the suit pip below it left out), and where
// the pips of a number card lie (clear of both corner indices).
const QRect kIndexRank = Design(1, 2, 12.5, 11.5);
const QRect kPipArea = Design(14, 3, 43, 90);

}  // namespace

class PictureCardsTest : public QObject {
    Q_OBJECT
    CardLibrary lib;

private slots:
    void initTestCase() { QVERIFY(lib.InitializeDeck() != 0); }

    void everyIdDrawsAFace_data() {
        QTest::addColumn<int>("id");
        for (int id = 1; id <= 104; ++id) QTest::addRow("id %d", id) << id;
    }
    void everyIdDrawsAFace() {
        QFETCH(int, id);
        const QImage img = PictureCard(lib, id);
        const int ink = InkCount(img, img.rect());
        QVERIFY2(ink > img.width() * img.height() / 50, "the face is (nearly) blank");
        QVERIFY2(qAlpha(img.pixel(img.width() / 2, 2)) == 255, "no card paper at the top edge");
        QVERIFY2(qAlpha(img.pixel(0, 0)) < 64, "the corners are not rounded off");
    }

    // The face shows the rank GetCardValue gives: the number cards' pips are counted,
    // the other faces are recognised by their corner index among the Clubs.
    void drawnRankIsTheCardValue_data() { everyIdDrawsAFace_data(); }
    void drawnRankIsTheCardValue() {
        QFETCH(int, id);
        const int value = lib.GetCardValue(id);
        QVERIFY(value >= 1 && value <= 13);
        const QImage img = PictureCard(lib, id);
        if (value >= 2 && value <= 10) QCOMPARE(Components(img, kPipArea), value);
        if (value == 1) {
            QCOMPARE(Components(img, kPipArea), 1);
            QVERIFY2(InkCount(img, kPipArea) > InkCount(PictureCard(lib, 2), kPipArea), "the Ace's pip is not large");
        }
        const auto mine = InkMask(img, kIndexRank);
        int best = 0;
        double bestOverlap = -1;
        for (int rank = 1; rank <= 13; ++rank) {
            const double o = Overlap(mine, InkMask(PictureCard(lib, rank), kIndexRank));
            if (o > bestOverlap) {
                bestOverlap = o;
                best = rank;
            }
        }
        QCOMPARE(best, value);
        QVERIFY2(bestOverlap > 0.85, "the corner index is unlike any Club's");
    }

    void courtCardsAreFramedFigures_data() {
        QTest::addColumn<int>("id");
        for (int id : {11, 12, 13, 24, 38, 52, 63, 104}) QTest::addRow("id %d", id) << id;
    }
    void courtCardsAreFramedFigures() {
        QFETCH(int, id);
        const QImage img = PictureCard(lib, id);
        // Far more ink than any number card, and the figure turned round: the upper half
        // of the frame matches the lower half rotated by 180 degrees.
        QVERIFY(InkCount(img, kPipArea) > 2 * InkCount(PictureCard(lib, 10), kPipArea));
        // Centred exactly on the card's centre (106.5, 144 in pixels), so turning it round
        // maps pixels onto pixels.
        const QRect frame(45, 29, 123, 230);
        const QImage inside = img.copy(frame).convertToFormat(QImage::Format_ARGB32);
        const QImage turned = inside.transformed(QTransform().rotate(180));
        QVERIFY2(Difference(inside, turned) < 1.0, "the lower half is not the upper half turned round");
        QVERIFY2(Difference(PictureCard(lib, id), PictureCard(lib, id % 13 == 0 ? id - 1 : id + 1)) > 4,
                 "court figures are not told apart");
    }

    void suitsRunClubsDiamondsHeartsSpades_data() {
        QTest::addColumn<int>("id");
        QTest::addColumn<bool>("red");
        for (int deck = 0; deck < 2; ++deck)
            for (int block = 0; block < 4; ++block)
                for (int rank : {1, 7, 13}) {
                    const int id = deck * 52 + block * 13 + rank;
                    QTest::addRow("id %d", id) << id << (block == 1 || block == 2);
                }
    }
    void suitsRunClubsDiamondsHeartsSpades() {
        QFETCH(int, id);
        QFETCH(bool, red);
        const QImage img = PictureCard(lib, id);
        int reds = 0, darks = 0;
        for (int y = kIndexRank.top(); y <= kIndexRank.bottom(); ++y)
            for (int x = kIndexRank.left(); x <= kIndexRank.right(); ++x) {
                const QRgb c = img.pixel(x, y);
                if (!Ink(c)) continue;
                (qRed(c) > 150 && qGreen(c) < 90 ? reds : darks)++;
            }
        QCOMPARE(reds > darks, red);
        QCOMPARE(CardLibrary::CardSuit(id) == CardLibrary::Suit::Diamonds ||
                     CardLibrary::CardSuit(id) == CardLibrary::Suit::Hearts,
                 red);
    }

    void fourSuitsHaveFourPips() {
        // The small pip under the index tells the four suits of a rank apart.
        const QRect pip = Design(2, 13.5, 10, 8);
        for (int a = 0; a < 4; ++a)
            for (int b = a + 1; b < 4; ++b) {
                const double o = Overlap(InkMask(PictureCard(lib, 1 + 13 * a), pip),
                                         InkMask(PictureCard(lib, 1 + 13 * b), pip));
                QVERIFY2(o < 0.8, qPrintable(QString("suits %1 and %2 look alike").arg(a).arg(b)));
            }
    }

    void bothDecksLookAlike() {
        for (int id = 1; id <= 52; ++id) QVERIFY(PictureCard(lib, id) == PictureCard(lib, id + 52));
    }

    void idsOutOfRangeDrawNothing_data() {
        QTest::addColumn<int>("id");
        for (int id : {0, -1, -104, 105, 106, 32767}) QTest::addRow("id %d", id) << id;
    }
    void idsOutOfRangeDrawNothing() {
        QFETCH(int, id);
        const QImage img = PictureCard(lib, id);
        QCOMPARE(InkCount(img, img.rect()), 0);
        QCOMPARE(qAlpha(img.pixel(img.width() / 2, img.height() / 2)), 0);
        QCOMPARE(lib.GetCardValue(id), 0);
        QVERIFY(PictureCardPixmap(lib, id, QSize(71, 96), 1.0).isNull());
    }

    void crispAtDoublePixelRatio_data() {
        QTest::addColumn<int>("id");
        for (int id : {1, 10, 12}) QTest::addRow("id %d", id) << id;
    }
    void crispAtDoublePixelRatio() {
        QFETCH(int, id);
        const QPixmap hi = PictureCardPixmap(lib, id, QSize(71, 96), 2.0);
        QCOMPARE(hi.size(), QSize(142, 192));
        QCOMPARE(hi.devicePixelRatio(), 2.0);
        // Drawn at the device's own resolution: the same as a 142 x 192 drawing, and
        // unlike a 71 x 96 drawing blown up.
        const QImage native = PictureCardPixmap(lib, id, QSize(142, 192), 1.0).toImage();
        const QImage blown = PictureCardPixmap(lib, id, QSize(71, 96), 1.0).toImage().scaled(142, 192);
        const QImage got = hi.toImage();
        QVERIFY2(Difference(got, native) < 0.5, "not drawn at the device resolution");
        QVERIFY(Difference(got, blown) > 2.0 * Difference(got, native) + 0.5);
    }

    void pixmapsAreCachedBySizeAndRatio() {
        const QPixmap a = PictureCardPixmap(lib, 5, QSize(71, 96), 1.0);
        QCOMPARE(PictureCardPixmap(lib, 5, QSize(71, 96), 1.0).cacheKey(), a.cacheKey());
        QVERIFY(PictureCardPixmap(lib, 5, QSize(72, 96), 1.0).cacheKey() != a.cacheKey());
        QVERIFY(PictureCardPixmap(lib, 5, QSize(71, 96), 1.5).cacheKey() != a.cacheKey());
        QVERIFY(PictureCardPixmap(lib, 6, QSize(71, 96), 1.0).cacheKey() != a.cacheKey());
        ClearCardPixmapCache();
        QVERIFY(PictureCardPixmap(lib, 5, QSize(71, 96), 1.0).cacheKey() != a.cacheKey());
    }

    void badPixmapRequestsAreRefused_data() {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<double>("dpr");
        QTest::addRow("empty") << QSize(0, 96) << 1.0;
        QTest::addRow("negative") << QSize(-71, 96) << 1.0;
        QTest::addRow("huge") << QSize(5000, 5000) << 1.0;
        QTest::addRow("huge by ratio") << QSize(1000, 1400) << 4.0;
        QTest::addRow("zero ratio") << QSize(71, 96) << 0.0;
        QTest::addRow("nan ratio") << QSize(71, 96) << std::nan("");
    }
    void badPixmapRequestsAreRefused() {
        QFETCH(QSize, size);
        QFETCH(double, dpr);
        QVERIFY(PictureCardPixmap(lib, 1, size, dpr).isNull());
        QVERIFY(NumberCardPixmap(1, 1, size, dpr).isNull());
        QVERIFY(PilePixmap(0, Qt::white, size, dpr).isNull());
    }
};

class NumberCardsTest : public QObject {
    Q_OBJECT
private slots:
    void styleNames() {
        const QStringList names = {"Dunmir", "Artsy", "Shout", "Korbo's", "Viking"};
        for (int s = 1; s <= 5; ++s) QCOMPARE(NumberStyleName(s), names[s - 1]);
        for (int s : {0, 6, -1}) QVERIFY(NumberStyleName(s).isEmpty());
    }

    void everyImageIsDrawn_data() {
        QTest::addColumn<int>("style");
        QTest::addColumn<int>("image");
        for (int s = 1; s <= kNumberStyleCount; ++s)
            for (int i : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, kCardBackImage})
                QTest::addRow("style %d image %d", s, i) << s << i;
    }
    void everyImageIsDrawn() {
        QFETCH(int, style);
        QFETCH(int, image);
        QImage img(kBig, QImage::Format_ARGB32_Premultiplied);
        img.fill(Qt::transparent);
        QPainter p(&img);
        QVERIFY(DrawNumberCardImage(p, QRectF(QPointF(0, 0), QSizeF(kBig)), style, image));
        p.end();
        QVERIFY2(qAlpha(img.pixel(img.width() / 2, img.height() / 2)) == 255, "the middle is not painted");
        QSet<QRgb> colours;
        for (int y = 0; y < img.height(); y += 3)
            for (int x = 0; x < img.width(); x += 3) colours.insert(img.pixel(x, y));
        QVERIFY2(colours.size() > 8, "the image is (nearly) one colour");
        const QPixmap pm = NumberCardPixmap(style, image, QSize(71, 96), 2.0);
        QCOMPARE(pm.size(), QSize(142, 192));
        QCOMPARE(pm.devicePixelRatio(), 2.0);
    }

    // Each style has its own look: every image differs clearly from the same image of
    // every other style.
    void stylesDifferFromEachOther_data() {
        QTest::addColumn<int>("image");
        for (int i : {1, 5, 10, 11, 13, kCardBackImage}) QTest::addRow("image %d", i) << i;
    }
    void stylesDifferFromEachOther() {
        QFETCH(int, image);
        QList<QImage> looks;
        for (int s = 1; s <= 5; ++s) looks << NumberCard(s, image);
        for (int a = 0; a < 5; ++a)
            for (int b = a + 1; b < 5; ++b)
                QVERIFY2(Difference(looks[a], looks[b]) > 20,
                         qPrintable(QString("styles %1 and %2 look alike").arg(a + 1).arg(b + 1)));
    }

    // Within a style the thirteen faces are all different, and the back is none of them.
    void facesWithinAStyleDiffer_data() {
        QTest::addColumn<int>("style");
        for (int s = 1; s <= 5; ++s) QTest::addRow("style %d", s) << s;
    }
    void facesWithinAStyleDiffer() {
        QFETCH(int, style);
        QList<QImage> faces;
        for (int i = 1; i <= 13; ++i) faces << NumberCard(style, i);
        const QImage back = NumberCard(style, kCardBackImage);
        for (int a = 0; a < 13; ++a) {
            QVERIFY2(Difference(faces[a], back) > 15, qPrintable(QString("face %1 looks like the back").arg(a + 1)));
            for (int b = a + 1; b < 13; ++b)
                QVERIFY2(Difference(faces[a], faces[b]) > 1.0,
                         qPrintable(QString("faces %1 and %2 look alike").arg(a + 1).arg(b + 1)));
        }
    }

    void numberFacesScaleCrisply() {
        const QImage got = NumberCardPixmap(4, 7, QSize(71, 96), 2.0).toImage();
        const QImage native = NumberCard(4, 7, QSize(142, 192));
        QVERIFY(Difference(got, native) < 0.5);
    }

    void unknownStylesAndImagesDrawNothing_data() {
        QTest::addColumn<int>("style");
        QTest::addColumn<int>("image");
        QTest::addRow("style 0") << 0 << 1;
        QTest::addRow("style 6") << 6 << 1;
        QTest::addRow("style -3") << -3 << 1;
        QTest::addRow("image 0") << 1 << 0;
        QTest::addRow("image 14") << 2 << 14;
        QTest::addRow("image 16") << 3 << 16;
        QTest::addRow("image -1") << 4 << -1;
    }
    void unknownStylesAndImagesDrawNothing() {
        QFETCH(int, style);
        QFETCH(int, image);
        QImage img(kBig, QImage::Format_ARGB32_Premultiplied);
        img.fill(Qt::transparent);
        QPainter p(&img);
        QVERIFY(!DrawNumberCardImage(p, QRectF(QPointF(0, 0), QSizeF(kBig)), style, image));
        p.end();
        for (int y = 0; y < img.height(); y += 2)
            for (int x = 0; x < img.width(); x += 2) QCOMPARE(qAlpha(img.pixel(x, y)), 0);
        QVERIFY(NumberCardPixmap(style, image, QSize(71, 96), 1.0).isNull());
    }
};

class PilePicturesTest : public QObject {
    Q_OBJECT
    static QImage Pile(int alternative, const QColor* deck) {
        QImage img(kBig, QImage::Format_ARGB32_Premultiplied);
        img.fill(Qt::transparent);
        QPainter p(&img);
        const QRectF r(QPointF(0, 0), QSizeF(kBig));
        if (deck) DrawPilePicture(p, r, alternative, *deck);
        else DrawPilePicture(p, r, alternative);
        return img;
    }
private slots:
    void emptyPileIsGreyOverTheDeckColour() {
        const QImage bare = Pile(0, nullptr).convertToFormat(QImage::Format_ARGB32);
        int seen = 0;
        for (int y = 0; y < bare.height(); y += 2)
            for (int x = 0; x < bare.width(); x += 2) {
                const QRgb c = bare.pixel(x, y);
                if (qAlpha(c) == 0) continue;
                ++seen;
                QVERIFY2(std::abs(qRed(c) - qGreen(c)) <= 2 && std::abs(qGreen(c) - qBlue(c)) <= 2, "not grey");
            }
        QVERIFY(seen > bare.width() * bare.height() / 8);
        // Partly see-through: the middle takes on the deck colour under it.
        QVERIFY(qAlpha(bare.pixel(bare.width() / 4, bare.height() / 4)) < 200);
        const QColor cream(0xFF, 0xE0, 0xC0), blue(0x40, 0x60, 0xFF);
        const QColor onCream = Pile(0, &cream).pixelColor(kBig.width() / 4, kBig.height() / 4);
        const QColor onBlue = Pile(0, &blue).pixelColor(kBig.width() / 4, kBig.height() / 4);
        QVERIFY(onCream.red() > onCream.blue() + 30);
        QVERIFY(onBlue.blue() > onBlue.red() + 30);
        // The picture box's background fills the corners too.
        QCOMPARE(Pile(0, &blue).pixelColor(0, 0), blue);
    }

    void alternativesDiffer() {
        const QColor deck(0xFF, 0xE0, 0xC0);
        QList<QImage> looks;
        for (int a = 0; a < 3; ++a) looks << Pile(a, &deck);
        for (int a = 0; a < 3; ++a)
            for (int b = a + 1; b < 3; ++b) QVERIFY(Difference(looks[a], looks[b]) > 2);
        for (int unknown : {-1, 3, 99}) QVERIFY(Pile(unknown, &deck) == looks[0]);
        QVERIFY(PilePixmap(7, deck, QSize(71, 96), 1.0).toImage() == PilePixmap(0, deck, QSize(71, 96), 1.0).toImage());
        QVERIFY(PilePixmap(0, deck, QSize(71, 96), 1.0).cacheKey() !=
                PilePixmap(0, QColor(Qt::blue), QSize(71, 96), 1.0).cacheKey());
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    int status = 0;
    {
        PictureCardsTest t;
        status |= QTest::qExec(&t, argc, argv);
    }
    {
        NumberCardsTest t;
        status |= QTest::qExec(&t, argc, argv);
    }
    {
        PilePicturesTest t;
        status |= QTest::qExec(&t, argc, argv);
    }
    return status;
}

#include "test_platform_cards.moc"
