#include "controls/table_controls.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <cmath>

namespace korbo::ui {

double TwipsPerPixel() {
    static const double tpp = [] {
        const QScreen* s = QGuiApplication::primaryScreen();
        const double dpi = s ? s->logicalDotsPerInchX() : 96.0;
        return dpi > 0 ? 1440.0 / dpi : 15.0;
    }();
    return tpp;
}

QColor GameColor(long bgr) {
    return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                  static_cast<int>((bgr >> 16) & 0xFF));
}

int Nearest(double v) {
    if (!std::isfinite(v)) return 0;
    if (v > 2e9) return 2000000000;
    if (v < -2e9) return -2000000000;
    return static_cast<int>(std::nearbyint(v));  // default rounding: halves to even
}

// --- Control -------------------------------------------------------------------------

Control::Control(QWidget* widget, ControlType type, std::string name)
    : widget_(widget), type_(type), name_(std::move(name)) {
    const QRect g = widget_->geometry();
    const double tpp = TwipsPerPixel();
    left_ = g.x() * tpp;
    top_ = g.y() * tpp;
    width_ = g.width() * tpp;
    height_ = g.height() * tpp;
    fontSize_ = widget_->font().pointSizeF() > 0 ? widget_->font().pointSizeF() : 8.25;
}

void Control::SetLeft(double v) { left_ = v; Apply(); }
void Control::SetTop(double v) { top_ = v; Apply(); }
void Control::SetWidth(double v) { width_ = v; Apply(); }
void Control::SetHeight(double v) { height_ = v; Apply(); }
void Control::Move(double left, double top) { left_ = left; top_ = top; Apply(); }
void Control::SetGeometry(double left, double top, double width, double height) {
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    Apply();
}

int Control::PxLeft() const { return Nearest(left_ / TwipsPerPixel()); }
int Control::PxTop() const { return Nearest(top_ / TwipsPerPixel()); }
void Control::MovePx(int left, int top) {
    const double tpp = TwipsPerPixel();
    Move(left * tpp, top * tpp);
}

void Control::SetVisible(bool on) {
    visible_ = on;
    widget_->setVisible(on);
}

void Control::SetFontSize(double points) {
    if (!(points > 0) || points > 500) return;
    fontSize_ = points;
    QFont f = widget_->font();
    f.setPointSizeF(points);
    widget_->setFont(f);
}

void Control::Apply() {
    const double tpp = TwipsPerPixel();
    // Edges are rounded, not sizes, so that neighbouring controls keep their gaps.
    const int x = Nearest(left_ / tpp), y = Nearest(top_ / tpp);
    const int w = std::max(0, Nearest((left_ + width_) / tpp) - x);
    const int h = std::max(0, Nearest((top_ + height_) / tpp) - y);
    widget_->setGeometry(x, y, w, h);
}

// --- PictureBox ------------------------------------------------------------------------

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    setFocusPolicy(Qt::ClickFocus);
}

void PictureBox::SetPicture(const PictureSpec& p) {
    picture_ = p;
    libraryCard_ = 0;  // a new picture covers what the library drew
    update();
}
void PictureBox::SetLibraryCard(int id) {
    libraryCard_ = id;
    update();
}
void PictureBox::SetBackColor(long bgr) {
    backColor_ = bgr;
    update();
}
void PictureBox::SetTransparent(bool on) {
    transparent_ = on;
    update();
}
void PictureBox::SetBorderStyle(int style) {
    borderStyle_ = style;
    update();
}
void PictureBox::Clear() {
    picture_ = {};
    libraryCard_ = 0;
    update();
}

void PictureBox::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = rect();
    if (!transparent_) p.fillRect(r, GameColor(backColor_));
    if (picture_.kind != PictureSpec::Kind::None && picturePainter) picturePainter(p, r, picture_);
    if (libraryCard_ >= 1 && libraryCard_ <= 104 && cardPainter) cardPainter(p, r, libraryCard_);
    if (borderStyle_ == 1) {
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setPen(QPen(QColor(0x40, 0x40, 0x40), 1));
        p.setBrush(Qt::NoBrush);
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

int ButtonCode(Qt::MouseButtons b) {
    int code = 0;
    if (b & Qt::LeftButton) code |= 1;
    if (b & Qt::RightButton) code |= 2;
    if (b & Qt::MiddleButton) code |= 4;
    return code;
}

int ShiftCode(Qt::KeyboardModifiers m) {
    int code = 0;
    if (m & Qt::ShiftModifier) code |= 1;
    if (m & Qt::ControlModifier) code |= 2;
    if (m & Qt::AltModifier) code |= 4;
    return code;
}

void PictureBox::mousePressEvent(QMouseEvent* e) {
    if (onMouseDown)
        onMouseDown(ButtonCode(e->button()), ShiftCode(e->modifiers()), e->position().x(), e->position().y());
}
void PictureBox::mouseMoveEvent(QMouseEvent* e) {
    if (onMouseMove)
        onMouseMove(ButtonCode(e->buttons()), ShiftCode(e->modifiers()), e->position().x(), e->position().y());
}
void PictureBox::mouseReleaseEvent(QMouseEvent* e) {
    if (onMouseUp)
        onMouseUp(ButtonCode(e->button()), ShiftCode(e->modifiers()), e->position().x(), e->position().y());
}
void PictureBox::mouseDoubleClickEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton && onDblClick) onDblClick();
}
void PictureBox::keyPressEvent(QKeyEvent* e) {
    if (onKeyDown && e->key() >= Qt::Key_A && e->key() <= Qt::Key_Z) {
        onKeyDown(e->key(), ShiftCode(e->modifiers()));
        return;
    }
    QWidget::keyPressEvent(e);
}

// --- ShapeBox ------------------------------------------------------------------------------

ShapeBox::ShapeBox(QWidget* parent, bool dashed) : QWidget(parent), dashed_(dashed) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}
void ShapeBox::SetFillColor(long bgr) {
    fill_ = bgr;
    update();
}
void ShapeBox::SetFilled(bool on) {
    filled_ = on;
    update();
}
void ShapeBox::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRect r = rect().adjusted(0, 0, -1, -1);
    if (filled_) p.fillRect(r, GameColor(fill_));
    QPen pen(palette().color(QPalette::WindowText), 1, dashed_ ? Qt::DotLine : Qt::SolidLine);
    p.setPen(pen);
    p.drawRect(r);
}

// --- FrameBox ------------------------------------------------------------------------------

FrameBox::FrameBox(QWidget* parent) : QWidget(parent), caption_(new QLabel(parent)) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    caption_->setAttribute(Qt::WA_TransparentForMouseEvents);
    caption_->setStyleSheet(QStringLiteral("QLabel { color: #f4f4e0; }"));
    caption_->setAlignment(Qt::AlignCenter);
    caption_->hide();
}

void FrameBox::SetText(const QString& text) {
    caption_->setText(text);
    PlaceCaption();
}
QString FrameBox::Text() const { return caption_->text(); }

void FrameBox::PlaceCaption() {
    if (captionPlacer) {
        captionPlacer(*this, *caption_);
    } else {
        caption_->setFont(font());
        caption_->adjustSize();
        const int w = caption_->width();
        caption_->move(x() + (width() - w) / 2, y() - caption_->height());
    }
    caption_->setVisible(isVisibleTo(parentWidget()) && !caption_->text().isEmpty());
}

void FrameBox::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setPen(QPen(QColor(0xE8, 0xE8, 0xD0), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}
void FrameBox::moveEvent(QMoveEvent*) { PlaceCaption(); }
void FrameBox::resizeEvent(QResizeEvent*) { PlaceCaption(); }
void FrameBox::showEvent(QShowEvent*) { PlaceCaption(); }
void FrameBox::hideEvent(QHideEvent*) { caption_->hide(); }
void FrameBox::changeEvent(QEvent* e) {
    if (e->type() == QEvent::FontChange) PlaceCaption();
    QWidget::changeEvent(e);
}

// --- ArrowBox ------------------------------------------------------------------------------

ArrowBox::ArrowBox(QWidget* parent, bool up) : QWidget(parent), up_(up) {}

void ArrowBox::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const double w = width(), h = height();
    QPainterPath arrow;
    // A fat arrow with a square tail, pointing up or down.
    const double tip = up_ ? h * 0.05 : h * 0.95;
    const double base = up_ ? h * 0.5 : h * 0.5;
    const double tail = up_ ? h * 0.95 : h * 0.05;
    arrow.moveTo(w * 0.5, tip);
    arrow.lineTo(w * 0.95, base);
    arrow.lineTo(w * 0.68, base);
    arrow.lineTo(w * 0.68, tail);
    arrow.lineTo(w * 0.32, tail);
    arrow.lineTo(w * 0.32, base);
    arrow.lineTo(w * 0.05, base);
    arrow.closeSubpath();
    p.setPen(QPen(QColor(0x40, 0x10, 0x00), 1.2));
    p.setBrush(up_ ? QColor(0xE0, 0x40, 0x20) : QColor(0xFF, 0xD0, 0x20));
    p.drawPath(arrow);
}

}  // namespace korbo::ui
