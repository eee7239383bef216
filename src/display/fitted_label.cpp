#include "display/fitted_label.h"

#include <QEvent>
#include <QFontMetrics>
#include <QPainter>
#include <QStyle>
#include <QTextLayout>
#include <algorithm>

namespace korbo::ui {

namespace {

const QChar kEllipsis(0x2026);

}  // namespace

QStringList FitLines(const QString& text, const QFont& font, int width, int height) {
    const QFontMetrics fm(font);
    width = std::max(1, width);
    const int room = std::max(1, height / std::max(1, std::max(fm.lineSpacing(), fm.height())));
    QString plain = text;
    plain.replace(QChar('\r'), QChar('\n'));

    // Every line with the place in the text where it starts.
    QStringList lines;
    QList<qsizetype> starts;
    qsizetype offset = 0;
    for (const QString& paragraph : plain.split(QChar('\n'))) {
        if (paragraph.isEmpty()) {
            lines << QString();
            starts << offset;
        } else {
            QTextLayout layout(paragraph, font);
            QTextOption option;
            option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
            layout.setTextOption(option);
            layout.beginLayout();
            for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
                line.setLineWidth(width);
                QString shown = paragraph.mid(line.textStart(), line.textLength());
                while (shown.endsWith(QChar(' '))) shown.chop(1);  // the blank the line broke at
                lines << shown;
                starts << offset + line.textStart();
            }
            layout.endLayout();
        }
        offset += paragraph.size() + 1;
        if (lines.size() > room) break;  // the rest is not shown anyway
    }
    if (lines.size() <= room) return lines;

    // The last line that fits takes as much of the rest as its width holds.
    lines = lines.mid(0, room);
    QString rest = plain.mid(starts[room - 1]);
    rest.replace(QChar('\n'), QChar(' '));
    QString last = fm.elidedText(rest, Qt::ElideRight, width);
    if (!last.endsWith(kEllipsis)) {
        // The rest fits the line only because a line break followed it.
        last = lines[room - 1].trimmed() + kEllipsis;
        while (last.size() > 1 && fm.horizontalAdvance(last) > width) last.remove(last.size() - 2, 1);
    }
    lines[room - 1] = last;
    return lines;
}

FittedLabel::FittedLabel(QWidget* parent) : QLabel(parent) {
    // The text is a message or a peer's chat line: shown as it is, never as markup.
    setTextFormat(Qt::PlainText);
    setWordWrap(false);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void FittedLabel::SetFullText(const QString& text) {
    full_ = text;
    Refit();
}

void FittedLabel::Refit() {
    const QRect r = contentsRect();
    setText(FitLines(full_, font(), r.width(), r.height()).join(QChar('\n')));
}

void FittedLabel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    // The frame and the back colour the style sheet gives, then the lines.
    drawFrame(&p);
    const QRect r = contentsRect();
    const QFontMetrics fm(font());
    const int spacing = std::max(fm.lineSpacing(), fm.height());
    int top = r.top();
    for (const QString& line : text().split(QChar('\n'))) {
        style()->drawItemText(&p, QRect(r.left(), top, r.width(), spacing), Qt::AlignLeft | Qt::AlignTop, palette(),
                              isEnabled(), line, foregroundRole());
        top += spacing;
    }
}

void FittedLabel::resizeEvent(QResizeEvent* e) {
    QLabel::resizeEvent(e);
    Refit();
}

void FittedLabel::changeEvent(QEvent* e) {
    QLabel::changeEvent(e);
    if (e->type() == QEvent::FontChange || e->type() == QEvent::StyleChange) Refit();
}

}  // namespace korbo::ui
