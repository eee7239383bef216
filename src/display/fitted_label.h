// A message label that keeps its text inside its own box: the text is wrapped to the box's
// width and, when it is longer than the box can hold, cut at the last line that fits with
// an ellipsis. The whole text stays with the label; only what fits is shown.
#pragma once

#include <QFont>
#include <QLabel>
#include <QString>
#include <QStringList>

namespace korbo::ui {

// The lines `text` is shown in, drawn in `font` in a box of `width` x `height` pixels:
// words wrap at blanks, a word wider than the box is broken, line breaks of the text stand;
// when the lines would run below the box, the last line that fits ends in an ellipsis.
// At least one line is shown.
QStringList FitLines(const QString& text, const QFont& font, int width, int height);

class FittedLabel : public QLabel {
    Q_OBJECT
public:
    explicit FittedLabel(QWidget* parent);

    void SetFullText(const QString& text);
    const QString& FullText() const { return full_; }

protected:
    // The lines are drawn one line spacing apart, as they were counted.
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void changeEvent(QEvent* e) override;

private:
    void Refit();

    QString full_;
};

}  // namespace korbo::ui
