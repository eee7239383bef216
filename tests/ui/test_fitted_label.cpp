// A message kept inside its box: wrapped to the box's width, its line breaks kept, and cut
// with an ellipsis at the last line the box holds.
#include <QtTest>

#include "display/fitted_label.h"

using korbo::ui::FitLines;
using korbo::ui::FittedLabel;

namespace {

const QChar kEllipsis(0x2026);

QFont TestFont() {
    QFont f;
    f.setPointSizeF(9.75);
    return f;
}

}  // namespace

class FittedLabelTest : public QObject {
    Q_OBJECT
private slots:
    void everyLineFitsTheBox_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("lines");  // -1: as many as the box holds
        QTest::addColumn<bool>("cut");
        QTest::newRow("a short remark stays as it is") << QString("Nice move!") << 1 << false;
        QTest::newRow("line breaks stand") << QString("I won the toss\n--\nSo I go FIRST!") << 3 << false;
        QTest::newRow("a word wider than the box is broken")
            << QString(40, QChar('W')) << -2 << false;
        QTest::newRow("a long line is cut at the last line") << QString("word ").repeated(150).trimmed() << -1 << true;
        QTest::newRow("more lines than the box holds") << QString("a\n").repeated(40) << -1 << true;
        QTest::newRow("an empty text") << QString() << 1 << false;
    }

    void everyLineFitsTheBox() {
        QFETCH(QString, text);
        QFETCH(int, lines);
        QFETCH(bool, cut);
        const QFont font = TestFont();
        const QFontMetrics fm(font);
        const int width = 130, height = 8 * fm.lineSpacing() + 3;
        const QStringList shown = FitLines(text, font, width, height);
        for (const QString& l : shown) QVERIFY2(fm.horizontalAdvance(l) <= width, qPrintable(l));
        QVERIFY(shown.size() <= 8);
        if (lines > 0) QCOMPARE(shown.size(), lines);
        if (lines == -1) QCOMPARE(shown.size(), 8);
        if (lines == -2) QVERIFY(shown.size() >= 2);
        QCOMPARE(shown.last().endsWith(kEllipsis), cut);
        // What is shown is the text's own beginning.
        QString start = shown.join(QChar(' ')).simplified();
        if (cut) start.chop(1);
        QVERIFY2(QString(text).replace(QChar('\n'), QChar(' ')).simplified().remove(' ').startsWith(QString(start).remove(' ')),
                 qPrintable(start));
    }

    // The label refits what it shows when its box or its font changes; the whole text stays.
    void theLabelRefitsWithItsBox() {
        FittedLabel label(nullptr);
        label.setFont(TestFont());
        label.resize(130, 2000);
        label.show();
        const QString text = QString("word ").repeated(150).trimmed();
        label.SetFullText(text);
        QVERIFY(!label.text().endsWith(kEllipsis));
        label.resize(130, 60);
        QVERIFY(label.text().endsWith(kEllipsis));
        const int lines = label.text().split('\n').size();
        QFont bigger = TestFont();
        bigger.setPointSizeF(14);
        label.setFont(bigger);
        QVERIFY(label.text().split('\n').size() < lines);
        QCOMPARE(label.FullText(), text);
        // A chat line is shown as the text it is, not as markup.
        label.SetFullText("<b>bold</b>");
        QCOMPARE(label.textFormat(), Qt::PlainText);
    }
};

QTEST_MAIN(FittedLabelTest)
#include "test_fitted_label.moc"
