// The captions of the table's frames stay readable in every display mode and on every
// screen layout: measured with the fonts this machine draws them in, each caption lies
// clear of the cards, the frames, the wild-King value boxes and the message lines, shows
// its whole text, and keeps the frame's own font wherever there is room for it. The
// persona's comment stays readable beside the DEAL button too.
#include <QMessageBox>
#include <QtTest>

#include "controls/table_controls.h"
#include "table_fixture.h"

using namespace korbo;
using korbo::test::StartTable;
using korbo::ui::Control;
using korbo::ui::FrameBox;
using korbo::ui::frmKorbo;

namespace {

// The smallest caption font that still reads on a 96 dpi screen.
constexpr double kReadablePoints = 5.5;

FrameBox& Frame(Control& c) { return *static_cast<FrameBox*>(c.Widget()); }

// The one-pixel lines a frame is drawn with.
QVector<QRect> FrameLines(const QRect& r) {
    return {QRect(r.left(), r.top(), r.width(), 1), QRect(r.left(), r.bottom(), r.width(), 1),
            QRect(r.left(), r.top(), 1, r.height()), QRect(r.right(), r.top(), 1, r.height())};
}

struct Named {
    QString name;
    QRect rect;
};

// Everything a caption must not touch, by name, in pixels of the table's surface.
QVector<Named> Obstacles(frmKorbo& t) {
    QVector<Named> out;
    auto add = [&](const QString& name, Control& c) { out.push_back({name, c.Widget()->geometry()}); };
    for (int i = 1; i <= 10; ++i) {
        add(QStringLiteral("Picture7(%1)").arg(i), t.Picture7(i));
        add(QStringLiteral("Picture1(%1)").arg(i), t.Picture1(i));
    }
    for (int i = 0; i <= 3; ++i) add(QStringLiteral("Picture4(%1)").arg(i), t.Picture4(i));
    for (int i = 1; i <= 3; ++i) add(QStringLiteral("LblWild(%1)").arg(i), t.LblWild(i));
    for (int i = 0; i <= 4; ++i) add(QStringLiteral("Label9(%1)").arg(i), t.Label9(i));
    auto lines = [&](const QString& name, Control& c) {
        for (const QRect& l : FrameLines(c.Widget()->geometry())) out.push_back({name + " line", l});
    };
    lines("Label3(0)", t.Label3(0));
    lines("Label3(1)", t.Label3(1));
    lines("Label10", t.Label10());
    lines("Label1", t.Label1());
    return out;
}

void CheckCaption(frmKorbo& t, const QString& what, Control& frame, const QString& text) {
    QLabel* cap = Frame(frame).CaptionLabel();
    QCOMPARE(cap->text(), text);
    QVERIFY2(cap->isVisible(), qPrintable(what + " is hidden"));
    const QRect r = cap->geometry();
    const QFontMetrics fm(cap->font());
    QVERIFY2(r.width() >= fm.horizontalAdvance(text) && r.height() >= fm.height(),
             qPrintable(what + " is cut: " + QString::number(r.width()) + "x" + QString::number(r.height())));
    // The text stands in the middle of its box with a pixel of air above and below, so that
    // no descender runs into a line or a card next to the box.
    QCOMPARE(cap->alignment() & Qt::AlignVertical_Mask, Qt::AlignVCenter);
    QVERIFY2(r.height() >= fm.height() + 2, qPrintable(what + " has no air above and below its text"));
    QVERIFY2(cap->font().pointSizeF() >= kReadablePoints,
             qPrintable(what + " shrank to " + QString::number(cap->font().pointSizeF()) + " pt"));
    QVERIFY2(t.centralWidget()->rect().contains(r), qPrintable(what + " leaves the table"));
    for (const Named& o : Obstacles(t))
        QVERIFY2(!r.intersects(o.rect), qPrintable(what + " touches " + o.name));
}

// The table in one of the display modes, reached as the player reaches it: from the
// normal layout through the Display Size menu, or on a narrow screen through the
// start-up's own scaling.
void Reach(frmKorbo& t, long screen, int mode) {
    Game& g = t.game();
    StartTable(t, screen);
    if (screen < 10000) {
        g.FormLoading = true;
        t.ScaleFormControls(5, 3);
        t.FitWindow();
        t.GetSize();
        g.FormLoading = false;
    }
    if (mode & 1) t.ChgDisplay_Click(0);
    if (mode & 2) t.ChgDisplay_Click(1);
}

}  // namespace

class TableCaptions : public QObject {
    Q_OBJECT
private slots:
    void everyCaptionIsClearOfCardsAndFrames_data() {
        QTest::addColumn<int>("screen");
        QTest::addColumn<int>("mode");
        for (int screen : {19200, 15360, 12000}) {
            const QString s = QString::number(screen);
            QTest::newRow(qPrintable(s + " normal")) << screen << 0;
            QTest::newRow(qPrintable(s + " cards up")) << screen << 1;
            QTest::newRow(qPrintable(s + " small")) << screen << 2;
            QTest::newRow(qPrintable(s + " small, cards up")) << screen << 3;
        }
        QTest::newRow("9600 narrow screen") << 9600 << 0;
    }

    void everyCaptionIsClearOfCardsAndFrames() {
        QFETCH(int, screen);
        QFETCH(int, mode);
        frmKorbo t;
        t.pauseScale = 0;
        t.show();
        (void)QTest::qWaitForWindowExposed(&t);
        Reach(t, screen, mode);
        QCOMPARE(int(t.game().DisplayMode), mode);
        CheckCaption(t, "Your HOLD piles", t.Label3(0), "Your HOLD piles");
        CheckCaption(t, "Korbo's HOLD piles", t.Label3(1), "Korbo's HOLD piles");
        CheckCaption(t, "CENTER PILES", t.Label10(), "CENTER PILES");
    }

    // Where the layout leaves room, a caption keeps its place centred over the frame and
    // the frame's own font; the other modes and back again give the same.
    void aCaptionWithRoomKeepsItsPlaceAndFont() {
        frmKorbo t;
        t.pauseScale = 0;
        t.show();
        (void)QTest::qWaitForWindowExposed(&t);
        StartTable(t);
        auto check = [&](const char* when) {
            for (Control* c : {&t.Label3(0), &t.Label3(1)}) {
                QLabel* cap = Frame(*c).CaptionLabel();
                const QRect f = c->Widget()->geometry();
                const QRect r = cap->geometry();
                const QString what = QString::fromUtf8(when) + " " + cap->text();
                QCOMPARE(cap->font().pointSizeF(), c->Widget()->font().pointSizeF());
                QVERIFY2(qAbs(r.center().x() - f.center().x()) <= 1, qPrintable(what));
                QVERIFY2(r.bottom() < f.top() && r.bottom() >= f.top() - 2, qPrintable(what));
            }
        };
        check("normal");
        t.ChgDisplay_Click(0);
        t.ChgDisplay_Click(0);
        check("cards up and down again");
        t.ChgDisplay_Click(1);
        t.ChgDisplay_Click(1);
        check("smaller and larger again");
    }

    // A caption whose text changes while the table is on is placed by the same rules: a
    // longer text moves or shrinks, never over the cards.
    void aNewCaptionTextIsPlacedClearToo() {
        frmKorbo t;
        t.pauseScale = 0;
        t.show();
        (void)QTest::qWaitForWindowExposed(&t);
        Reach(t, 15360, 1);
        const QString text = QStringLiteral("Alexandrina's HOLD piles");
        Frame(t.Label3(1)).SetText(text);
        CheckCaption(t, text, t.Label3(1), text);
    }

    // A game started from the menu leaves the DEAL button showing in the comment's column;
    // a long comment, the stalemate's above all, runs down to it. The button keeps below
    // the text, in the column, and goes back to its place when the text is short again.
    void theDealButtonKeepsBelowALongComment_data() {
        QTest::addColumn<int>("mode");
        QTest::newRow("normal") << 0;
        QTest::newRow("cards moved up") << 1;
        QTest::newRow("small display") << 2;
    }
    void theDealButtonKeepsBelowALongComment() {
        QFETCH(int, mode);
        frmKorbo t;
        t.pauseScale = 0;
        t.show();
        (void)QTest::qWaitForWindowExposed(&t);
        Reach(t, 15360, mode);
        Game& g = t.game();
        g.SoundLevel = 2;
        t.SetFontSize(Ctl::Label9, 2, g.CommentFontSize);  // as the start-up sets it
        t.SetVisible(Ctl::Command2, 0, true);
        QWidget* deal = t.Command2().Widget();
        const QRect home = deal->geometry();
        auto* comment = static_cast<QLabel*>(t.Label9(2).Widget());
        korbo::test::BoxAnswerer no(QMessageBox::No);
        g.STALEMATE();
        QCOMPARE(no.titles, QStringList{"Stalemate"});
        korbo::test::Photograph(QStringLiteral("deal-below-comment-%1.png").arg(mode));
        const QRect area = comment->geometry();
        const QRect text(area.left(), area.top(), area.width(), comment->heightForWidth(area.width()));
        QVERIFY2(text.bottom() >= home.top(),
                 qPrintable(QStringLiteral("the text ends at %1, above the button's place").arg(text.bottom())));
        QVERIFY2(!deal->geometry().intersects(text), "the DEAL button covers the comment");
        QVERIFY(area.contains(deal->geometry()));
        QVERIFY(deal->isVisible());
        QCOMPARE(deal->x(), home.x());
        t.SetCaption(Ctl::Label9, 2, " ");
        QCOMPARE(deal->geometry(), home);
    }
};

QTEST_MAIN(TableCaptions)
#include "test_table_captions.moc"
