// The small window runtime the table is built from: controls whose geometry lives in
// twips (converted to pixels with the screen's twips per pixel), picture boxes with a
// picture, a back colour, a border and mouse events carrying button, shift and position,
// labels, outline shapes and buttons.
#pragma once

#include <QColor>
#include <QLabel>
#include <QPushButton>
#include <QWidget>
#include <functional>
#include <string>

#include "game/colours.h"

namespace korbo::ui {

// Twips per pixel of the screen the table is shown on (15 at 96 dots per inch).
double TwipsPerPixel();
// A game colour &HBBGGRR as a Qt colour.
QColor GameColor(long bgr);
// Nearest whole number with halves to the even neighbour, as stored 16-bit values take it.
int Nearest(double v);

enum class ControlType { PictureBox, Image, Label, Shape, CommandButton };

// What a picture box shows as its picture (drawn scaled to the box, so it stays crisp).
struct PictureSpec {
    enum class Kind { None, Pile, NumberFace, DesignerBack, Flash } kind = Kind::None;
    int a = 0;  // Pile: the alternative 0..2; NumberFace: style; DesignerBack: deck; Flash: frame
    int b = 0;  // NumberFace: rank 1..13; Flash: 1 a custom persona's picture
    bool operator==(const PictureSpec&) const = default;
};

// One control of a form: a widget whose place and size are kept in twips.
class Control {
public:
    Control(QWidget* widget, ControlType type, std::string name);
    virtual ~Control() = default;

    QWidget* Widget() const { return widget_; }
    ControlType Type() const { return type_; }
    const std::string& Name() const { return name_; }

    double Left() const { return left_; }
    double Top() const { return top_; }
    double Width() const { return width_; }
    double Height() const { return height_; }
    void SetLeft(double v);
    void SetTop(double v);
    void SetWidth(double v);
    void SetHeight(double v);
    void Move(double left, double top);
    void SetGeometry(double left, double top, double width, double height);

    // The same place in whole pixels.
    int PxLeft() const;
    int PxTop() const;
    void MovePx(int left, int top);

    bool Visible() const { return visible_; }
    void SetVisible(bool on);
    // The control's own setting, whatever the window around it is doing.
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool on) {
        enabled_ = on;
        widget_->setEnabled(on);
    }

    double FontSize() const { return fontSize_; }
    virtual void SetFontSize(double points);

protected:
    void Apply();

    QWidget* widget_;
    ControlType type_;
    std::string name_;
    double left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    double fontSize_ = 8.25;
    bool visible_ = true;
    bool enabled_ = true;
};

// A picture box (also an image control): a picture on a back colour, optionally a
// border, and a card drawn by the picture-card library on top.
class PictureBox : public QWidget {
    Q_OBJECT
public:
    using MouseHandler = std::function<void(int button, int shift, double x, double y)>;
    using KeyHandler = std::function<void(int keyCode, int shift)>;
    // Draws the card-library card `id` (1..104) into the box's rectangle.
    using CardPainter = std::function<void(QPainter&, const QRectF&, int id)>;
    using PicturePainter = std::function<void(QPainter&, const QRectF&, const PictureSpec&)>;

    explicit PictureBox(QWidget* parent);

    void SetPicture(const PictureSpec& p);
    const PictureSpec& Picture() const { return picture_; }
    void SetLibraryCard(int id);
    int LibraryCard() const { return libraryCard_; }
    void SetBackColor(long bgr);
    long BackColor() const { return backColor_; }
    void SetTransparent(bool on);  // images have no back colour of their own
    void SetBorderStyle(int style);
    int BorderStyle() const { return borderStyle_; }
    void Clear();  // no picture, no drawing

    MouseHandler onMouseDown, onMouseMove, onMouseUp;
    std::function<void()> onDblClick;
    KeyHandler onKeyDown;
    CardPainter cardPainter;
    PicturePainter picturePainter;

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    PictureSpec picture_;
    int libraryCard_ = 0;
    long backColor_ = 0xFFFFFF;
    bool transparent_ = false;
    int borderStyle_ = 0;
};

// An outline shape: a card-sized rectangle with a fill colour.
class ShapeBox : public QWidget {
public:
    explicit ShapeBox(QWidget* parent, bool dashed);
    void SetFillColor(long bgr);
    long FillColor() const { return fill_; }
    void SetFilled(bool on);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    long fill_ = kDeckColor;
    bool filled_ = true;
    bool dashed_;
};

// A frame around a group of piles: an outline, with its caption just above the top
// edge so that the cards inside never cover it.
class FrameBox : public QWidget {
public:
    explicit FrameBox(QWidget* parent);
    void SetText(const QString& text);
    QString Text() const;
    QLabel* CaptionLabel() const { return caption_; }
    // Places the caption anew (the table calls it when the things around the frame moved).
    void PlaceCaption();
    // Sets the caption's box and font; without it the caption sits centred just above the
    // frame in the frame's font.
    std::function<void(FrameBox& frame, QLabel& caption)> captionPlacer;

protected:
    void paintEvent(QPaintEvent*) override;
    void moveEvent(QMoveEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    void showEvent(QShowEvent*) override;
    void hideEvent(QHideEvent*) override;
    void changeEvent(QEvent* e) override;

private:
    QLabel* caption_;
};

// A turn arrow pointing up (to the opponent) or down (to the player).
class ArrowBox : public QWidget {
public:
    ArrowBox(QWidget* parent, bool up);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    bool up_;
};

// Mouse and keyboard state in the game's codes.
int ButtonCode(Qt::MouseButtons b);
int ShiftCode(Qt::KeyboardModifiers m);

}  // namespace korbo::ui
