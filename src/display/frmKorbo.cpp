#include "display/frmKorbo.h"

#include "controls/chat_window_port.h"
#include "display/table_network.h"

#include "dialogs/frmSave.h"
#include "display/around_table.h"
#include "display/fitted_label.h"
#include "dialogs/frmChat.h"
#include "game/korbogl.h"
#include "platform/sound_player.h"
#include "records/text_number.h"
#include "game/colours.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QStatusBar>
#include <QThread>
#include <QTime>
#include <QTimer>
#include <cmath>

namespace korbo::ui {

namespace {

// A label's colours are its style sheet, which outweighs its palette: the text colour
// and, while the label is opaque, its back colour are written there together.
void RestyleLabel(QLabel& l) {
    QString css = QStringLiteral("QLabel { color: %1; ").arg(l.property("foreColor").value<QColor>().name());
    if (l.property("opaque").toBool())
        css += QStringLiteral("background-color: %1; ").arg(l.property("backColor").value<QColor>().name());
    l.setStyleSheet(css + QStringLiteral("}"));
}

QString Text(std::string_view s) {
    QString t = QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return t;
}

// The frames of the built-in persona's end-of-game sequence: a face whose grin grows
// frame by frame, in a burst that grows with it.
void PaintFlashFrame(QPainter& p, const QRectF& r, int n) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF c = r.center();
    const double s = std::min(r.width(), r.height()) / 2.0;
    const double grow = 0.55 + 0.065 * n;
    QPainterPath burst;
    const int points = 14;
    for (int k = 0; k < points * 2; ++k) {
        const double a = k * M_PI / points;
        const double rad = (k % 2 == 0 ? s * grow : s * grow * 0.72);
        const QPointF pt = c + QPointF(std::cos(a) * rad, std::sin(a) * rad);
        if (k == 0) burst.moveTo(pt);
        else burst.lineTo(pt);
    }
    burst.closeSubpath();
    p.setPen(QPen(QColor(0x90, 0x30, 0x00), 1.5));
    p.setBrush(QColor(0xFF, 0xC0 - 8 * n, 0x20));
    p.drawPath(burst);
    const double fr = s * 0.5;
    p.setBrush(QColor(0xFF, 0xE0, 0xB0));
    p.setPen(QPen(QColor(0x50, 0x30, 0x10), 1.5));
    p.drawEllipse(c, fr, fr);
    p.setBrush(QColor(0x20, 0x20, 0x20));
    p.drawEllipse(c + QPointF(-fr * 0.35, -fr * 0.25), fr * 0.1, fr * 0.14);
    p.drawEllipse(c + QPointF(fr * 0.35, -fr * 0.25), fr * 0.1, fr * 0.14);
    QPainterPath mouth;
    const double w = fr * (0.3 + 0.06 * n);
    mouth.moveTo(c + QPointF(-w, fr * 0.25));
    mouth.quadTo(c + QPointF(0, fr * (0.25 + 0.09 * n)), c + QPointF(w, fr * 0.25));
    p.setBrush(n >= 4 ? QColor(0x80, 0x10, 0x10) : Qt::NoBrush);
    p.drawPath(mouth);
    p.restore();
}

}  // namespace

double SystemClock::SecondsSinceMidnight() {
    return QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
}

frmKorbo::frmKorbo(QWidget* parent, GameFactory makeGame) : QMainWindow(parent), rnd_(1) {
    setWindowTitle(QStringLiteral("KorboNET"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    sound_ = std::make_unique<platform::SoundPlayer>(this);
    BuildControls();
    InstallCaptionPlacers();
    InstallDealPlacer();
    BuildMenus();
    if (makeGame) game_ = makeGame(*this, rnd_, clock_);
    if (!game_) game_ = std::make_unique<Game>(*this, rnd_, clock_);
    around_ = new AroundTable(*this);
    chatWindow_ = new frmChat(*around_, this);
    // The always-on-top item follows the chat window's flag, set at its load and unload.
    chatWindow_->OnTopChanged = [this](bool on) {
        chatOnTop_ = on;
        if (QAction* a = MenuItem("KeepOnTop")) a->setChecked(on);
    };
    SetChatWindow(chatWindow_);
    if (!game_->Net()) {
        network_ = std::make_unique<TableNetwork>(*game_);
        game_->SetTransport(network_.get());
    }
    resize(Nearest(12542 / TwipsPerPixel()), Nearest(8433 / TwipsPerPixel()));
}

frmKorbo::~frmKorbo() = default;

// --- building the table ----------------------------------------------------------------

Control* frmKorbo::AddPicture(std::vector<Control*>& arr, int index, const std::string& name, Ctl ctl) {
    auto* box = new PictureBox(surface_);
    box->picturePainter = [this](QPainter& p, const QRectF& r, const PictureSpec& s) { PaintPicture(p, r, s); };
    box->cardPainter = [this](QPainter& p, const QRectF& r, int id) { PaintLibraryCard(p, r, id); };
    auto c = std::make_unique<Control>(box, ControlType::PictureBox, name + "(" + std::to_string(index) + ")");
    Control* raw = c.get();
    owned_.push_back(std::move(c));
    controls_.push_back(raw);
    if (static_cast<int>(arr.size()) <= index) arr.resize(index + 1, nullptr);
    arr[index] = raw;
    if (ctl == Ctl::Picture7) {
        box->onMouseDown = [this, index](int b, int s, double x, double y) { game_->Picture7_MouseDown(index, b, s, x, y); };
        box->onMouseMove = [this, index](int b, int s, double x, double y) { game_->Picture7_MouseMove(index, b, s, x, y); };
        box->onMouseUp = [this, index](int b, int s, double x, double y) { game_->Picture7_MouseUp(index, b, s, x, y); };
        box->onDblClick = [this, index] { game_->Picture7_DblClick(index); };
        box->onKeyDown = [this, index](int key, int shift) { game_->Picture7_KeyDown(index, key, shift); };
    } else if (ctl == Ctl::Picture1) {
        box->onMouseDown = [this, index](int b, int s, double x, double y) { game_->Picture1_MouseDown(index, b, s, x, y); };
    } else if (ctl == Ctl::Picture4) {
        box->onMouseDown = [this, index](int b, int s, double x, double y) { game_->Picture4_MouseDown(index, b, s, x, y); };
        box->onDblClick = [this, index] { game_->Picture4_DblClick(index); };
    }
    return raw;
}

Control* frmKorbo::AddLabel(const std::string& name, double l, double t, double w, double h, bool frame,
                            bool fitted) {
    QWidget* widget = nullptr;
    if (frame) {
        widget = new FrameBox(surface_);
    } else {
        QLabel* label = fitted ? new FittedLabel(surface_) : new QLabel(surface_);
        label->setAttribute(Qt::WA_TransparentForMouseEvents);
        if (!fitted) {
            label->setWordWrap(true);
            label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        }
        label->setProperty("foreColor", QColor(Qt::black));
        RestyleLabel(*label);
        widget = label;
    }
    auto c = std::make_unique<Control>(widget, ControlType::Label, name);
    c->SetGeometry(l, t, w, h);
    c->SetFontSize(frame ? 8.25 : 9.75);
    Control* raw = c.get();
    owned_.push_back(std::move(c));
    controls_.push_back(raw);
    return raw;
}

void frmKorbo::BuildControls() {
    surface_ = new QWidget(this);
    surface_->setAutoFillBackground(true);
    QPalette pal = surface_->palette();
    pal.setColor(QPalette::Window, GameColor(tableBackColor_));
    surface_->setPalette(pal);
    setCentralWidget(surface_);

    for (const ControlDesign& row : TableDesign()) BuildControl(row);

    statusBar_ = new QStatusBar(this);
    for (int p = 1; p <= 8; ++p) {
        panels_[p] = new QLabel(statusBar_);
        panels_[p]->setMinimumWidth(p == 1 || p == 5 ? 70 : 50);
        statusBar_->addWidget(panels_[p], p == 1 || p == 5 ? 0 : 1);
    }
    setStatusBar(statusBar_);
}

namespace {
// The element `index` of a control array, which grows to hold it.
Control*& Element(std::vector<Control*>& arr, int index) {
    if (static_cast<int>(arr.size()) <= index) arr.resize(static_cast<size_t>(index) + 1, nullptr);
    return arr[static_cast<size_t>(index)];
}
}  // namespace

Control* frmKorbo::AddControl(QWidget* widget, ControlType type, const ControlDesign& row) {
    auto c = std::make_unique<Control>(widget, type, DesignName(row));
    c->SetGeometry(row.left, row.top, row.width, row.height);
    Control* raw = c.get();
    controls_.push_back(raw);
    owned_.push_back(std::move(c));
    return raw;
}

void frmKorbo::BuildControl(const ControlDesign& row) {
    const std::string name = row.name;
    const int i = row.index;
    switch (row.kind) {
        case DesignKind::Frame: {
            Control* c = AddLabel(DesignName(row), row.left, row.top, row.width, row.height, true);
            if (row.text) static_cast<FrameBox*>(c->Widget())->SetText(QString::fromUtf8(row.text));
            if (name == "Label3") Element(label3_, i) = c;
            else if (name == "Label10") label10_ = c;
            else label1_ = c;
            break;
        }
        case DesignKind::Outline: {
            auto* s = new ShapeBox(surface_, true);
            s->SetFilled(false);
            Element(shpHold_, i) = AddControl(s, ControlType::Shape, row);
            break;
        }
        case DesignKind::StackShape: {
            Control* c = AddControl(new ShapeBox(surface_, false), ControlType::Shape, row);
            c->SetVisible(false);
            stack_[static_cast<size_t>(i)] = c;
            break;
        }
        case DesignKind::HoldImage: {
            auto* img = new PictureBox(surface_);
            img->picturePainter = [this](QPainter& p, const QRectF& r, const PictureSpec& s) { PaintPicture(p, r, s); };
            img->cardPainter = [this](QPainter& p, const QRectF& r, int id) { PaintLibraryCard(p, r, id); };
            img->SetTransparent(true);
            img->SetPicture(filePic0_);
            img->setAttribute(Qt::WA_TransparentForMouseEvents);
            imgHold_ = AddControl(img, ControlType::Image, row);
            imgHold_->SetVisible(false);
            break;
        }
        case DesignKind::Picture: BuildPlace(row); break;
        case DesignKind::WildLabel: {
            Control* c = AddLabel(DesignName(row), row.left, row.top, row.width, row.height, false);
            auto* l = static_cast<QLabel*>(c->Widget());
            l->setAlignment(Qt::AlignCenter);
            l->setStyleSheet(QStringLiteral("QLabel { color: #000000; background: #ffff80; border: 1px solid #404040; }"));
            c->SetVisible(false);
            Element(lblWild_, i) = c;
            break;
        }
        case DesignKind::Label: {
            // The comments (a peer's chat lines among them) and the connection's progress
            // are kept inside the comment area, whatever their length.
            const bool status = name == "StatusMsg";
            const bool fitted = status || (name == "Label9" && i == kCommentLabel);
            Control* c = AddLabel(DesignName(row), row.left, row.top, row.width, row.height, false, fitted);
            if (name == "LabelPeek") {
                labelPeek_ = c;
                break;
            }
            if (status) {
                static_cast<QLabel*>(c->Widget())->setStyleSheet(QStringLiteral("QLabel { color: #ffffff; }"));
                c->SetVisible(false);
                statusMsg_ = c;
                break;
            }
            Element(label9_, i) = c;
            if (i == 0)
                static_cast<QLabel*>(c->Widget())->setStyleSheet(QStringLiteral("QLabel { color: #ffff60; font-weight: bold; }"));
            break;
        }
        case DesignKind::Arrow: {
            const bool up = name == "ImgTurn1";
            auto* a = new ArrowBox(surface_, up);
            if (row.text) a->setToolTip(QString::fromUtf8(row.text));
            Control* c = AddControl(a, ControlType::Image, row);
            c->SetVisible(false);
            (up ? imgTurn1_ : imgTurn2_) = c;
            break;
        }
        case DesignKind::Avatar: {
            auto* img = new QLabel(surface_);
            img->setScaledContents(true);
            img->setAttribute(Qt::WA_TransparentForMouseEvents);
            imgAvatar_ = AddControl(img, ControlType::Image, row);
            break;
        }
        case DesignKind::Button: {
            auto* b = new QPushButton(QString::fromUtf8(row.text ? row.text : ""), surface_);
            connect(b, &QPushButton::clicked, this, [this] { Command2_Click(); });
            command2_ = AddControl(b, ControlType::CommandButton, row);
            command2_->SetFontSize(9.75);
            break;
        }
    }
}

// A card place: the stock and centre piles (Picture4), the opponent's places (Picture1) and
// the player's (Picture7). Empty HOLD and centre places show their colour; hand places and
// the flight picture start hidden; the player's places wait for the deal.
void frmKorbo::BuildPlace(const ControlDesign& row) {
    const std::string name = row.name;
    const int i = row.index;
    const Ctl ctl = name == CtlName(Ctl::Picture4) ? Ctl::Picture4 : name == CtlName(Ctl::Picture1) ? Ctl::Picture1 : Ctl::Picture7;
    std::vector<Control*>& arr = ctl == Ctl::Picture4 ? pic4_ : ctl == Ctl::Picture1 ? pic1_ : pic7_;
    Control* c = AddPicture(arr, i, name, ctl);
    c->SetGeometry(row.left, row.top, row.width, row.height);
    auto& box = static_cast<PictureBox&>(*c->Widget());
    box.SetBorderStyle(1);
    if (ctl == Ctl::Picture4) {
        if (i == 0) {
            box.SetBackColor(game_ ? game_->DeckColor : kDeckColor);
            box.SetPicture(filePic0_);
        } else {
            box.SetBackColor(kEmptyPlaceColor);
        }
        return;
    }
    if (i >= 7) box.SetBackColor(kEmptyPlaceColor);
    else c->SetVisible(false);
    if (ctl == Ctl::Picture7) c->SetEnabled(false);
}

// --- looking controls up -------------------------------------------------------------------

Control* frmKorbo::FindControl(std::string_view name) const {
    for (Control* c : controls_)
        if (c->Name() == name) return c;
    return nullptr;
}

Control* frmKorbo::Find(Ctl c, int i) const {
    auto at = [i](const std::vector<Control*>& v) -> Control* {
        return i >= 0 && i < static_cast<int>(v.size()) ? v[i] : nullptr;
    };
    switch (c) {
        case Ctl::Picture7: return at(pic7_);
        case Ctl::Picture1: return at(pic1_);
        case Ctl::Picture4: return at(pic4_);
        case Ctl::Label9: return at(label9_);
        case Ctl::LblWild: return at(lblWild_);
        case Ctl::ImgTurn1: return i == 0 ? imgTurn1_ : nullptr;
        case Ctl::ImgTurn2: return i == 0 ? imgTurn2_ : nullptr;
        case Ctl::ImgHold: return i == 0 ? imgHold_ : nullptr;
        case Ctl::ImgAvatar: return i == 0 ? imgAvatar_ : nullptr;
        case Ctl::Command2: return i == 0 ? command2_ : nullptr;
        case Ctl::Stack: return i >= 0 && i <= 50 ? stack_[i] : nullptr;
        case Ctl::LabelPeek: return i == 0 ? labelPeek_ : nullptr;
        case Ctl::Label1: return i == 0 ? label1_ : nullptr;
        case Ctl::StatusBar1:
        case Ctl::StatusMsg: return i == 0 ? statusMsg_ : nullptr;
        // The chat window's controls live on that window.
        case Ctl::ChatSend:
        case Ctl::ChatHistory: return nullptr;
    }
    return nullptr;
}

PictureBox& frmKorbo::Box(Ctl c, int i) {
    Control* ctl = Find(c, i);
    if (!ctl || !(ctl->Type() == ControlType::PictureBox || c == Ctl::ImgHold))
        throw std::out_of_range("no picture box");
    return static_cast<PictureBox&>(*ctl->Widget());
}

QLabel* frmKorbo::StatusPanel(int panel) const { return panel >= 1 && panel <= 8 ? panels_[panel] : nullptr; }

// --- TableView: captions and simple properties ----------------------------------------------

void frmKorbo::SetCaption(Ctl c, int index, std::string_view text) {
    captions_[{c, index}] = std::string(text);
    if (c == Ctl::ChatHistory) {
        if (chat_) chat_->SetText1(std::string(text));
        return;
    }
    if (c == Ctl::StatusBar1) {
        if (QLabel* p = StatusPanel(index)) p->setText(Text(text));
        return;
    }
    Control* ctl = Find(c, index);
    if (!ctl) return;
    if (auto* fitted = qobject_cast<FittedLabel*>(ctl->Widget())) {
        if (c == Ctl::StatusMsg) PlaceStatus();
        fitted->SetFullText(Text(text));
        if (ctl == label9_[2]) KeepDealClearOfComment();
    } else if (auto* l = qobject_cast<QLabel*>(ctl->Widget())) {
        l->setText(Text(text));
    }
    else if (auto* f = dynamic_cast<FrameBox*>(ctl->Widget())) f->SetText(Text(text));
    else if (auto* b = qobject_cast<QPushButton*>(ctl->Widget())) b->setText(Text(text));
}

std::string frmKorbo::Caption(Ctl c, int index) const {
    if (c == Ctl::ChatHistory && chat_) return chat_->Text1();
    auto it = captions_.find({c, index});
    return it == captions_.end() ? std::string() : it->second;
}

void frmKorbo::SetVisible(Ctl c, int index, bool on) {
    if (c == Ctl::StatusBar1) {
        statusBar_->setVisible(on);
        return;
    }
    if (Control* ctl = Find(c, index)) ctl->SetVisible(on);
    else visible_[{c, index}] = on;
}

bool frmKorbo::Visible(Ctl c, int index) const {
    if (c == Ctl::StatusBar1) return !statusBar_->isHidden();
    if (Control* ctl = Find(c, index)) return ctl->Visible();
    auto it = visible_.find({c, index});
    return it != visible_.end() && it->second;
}

void frmKorbo::SetEnabled(Ctl c, int index, bool on) {
    if (c == Ctl::ChatSend && chat_) chat_->SetCommand1Enabled(on);
    if (Control* ctl = Find(c, index)) ctl->SetEnabled(on);
    else enabled_[{c, index}] = on;
}

bool frmKorbo::Enabled(Ctl c, int index) const {
    if (c == Ctl::ChatSend && chat_) return chat_->Command1Enabled();
    if (Control* ctl = Find(c, index)) return ctl->Enabled();
    auto it = enabled_.find({c, index});
    return it == enabled_.end() || it->second;
}

void frmKorbo::SetBackColor(Ctl c, int index, long color) {
    Control* ctl = Find(c, index);
    if (!ctl) return;
    if (auto* box = qobject_cast<PictureBox*>(ctl->Widget())) box->SetBackColor(color);
    else if (auto* shape = dynamic_cast<ShapeBox*>(ctl->Widget())) shape->SetFillColor(color);
    else if (auto* l = qobject_cast<QLabel*>(ctl->Widget())) {
        l->setProperty("backColor", GameColor(color));
        RestyleLabel(*l);
    }
}

void frmKorbo::SetToolTip(Ctl c, int index, std::string_view text) {
    if (Control* ctl = Find(c, index)) ctl->Widget()->setToolTip(Text(text));
    else if (c == Ctl::StatusBar1) {
        if (QLabel* p = StatusPanel(index)) p->setToolTip(Text(text));
    }
}

// --- TableView: pictures ----------------------------------------------------------------------

Rect frmKorbo::PictureRect(Ctl c, int index) const {
    Control* ctl = Find(c, index);
    if (!ctl) return {};
    const double tpp = TwipsPerPixel();
    return {ctl->PxLeft(), ctl->PxTop(), Nearest(ctl->Width() / tpp), Nearest(ctl->Height() / tpp)};
}

void frmKorbo::MovePicture(Ctl c, int index, int left, int top) {
    if (Control* ctl = Find(c, index)) ctl->MovePx(left, top);
}

void frmKorbo::BringToFront(Ctl c, int index) {
    if (Control* ctl = Find(c, index)) ctl->Widget()->raise();
}

void frmKorbo::Refresh(Ctl c, int index) {
    if (Control* ctl = Find(c, index)) {
        if (ctl->Widget()->isVisible()) ctl->Widget()->repaint();
    }
}

void frmKorbo::ClearPicture(Ctl c, int index) {
    Control* ctl = Find(c, index);
    if (!ctl) return;
    if (auto* box = qobject_cast<PictureBox*>(ctl->Widget())) box->Clear();
}

void frmKorbo::DrawingProblem(Ctl c, int index, int cardId, int number, const std::string& what) {
    const std::string crlf(CRLF);
    const std::string text = "Houston, we have a problem:" + crlf + "Error " + records::NumText(number) + ": " + what +
                             crlf + "Object is: " + CtlName(c) + crlf +
                             "ToPicNum: " + records::NumText(index) + "  FromPicNum: " + records::NumText(cardId);
    drawingFailed_ = true;
    MsgBox(text, mb::OKOnly | mb::Exclamation, "");
    game_->MsgText.clear();
}

void frmKorbo::DrawCard(Ctl c, int index, int cardId) {
    drawingFailed_ = false;
    Control* ctl = Find(c, index);
    auto* box = ctl ? qobject_cast<PictureBox*>(ctl->Widget()) : nullptr;
    if (!box) {
        DrawingProblem(c, index, cardId, 340, "Control array element '" + std::to_string(index) + "' doesn't exist");
        return;
    }
    if (cardId < 0 || cardId > 104) {
        DrawingProblem(c, index, cardId, 481, "Invalid picture");
        return;
    }
    if (c == Ctl::ImgHold) {
        // The floating image shows the card back, or a face while a hand card travels.
        if (cardId == 0) box->SetPicture(filePic0_);
        else if (game_->CardStyle == 6) box->SetLibraryCard(cardId);
        else box->SetPicture({PictureSpec::Kind::NumberFace, faceStyle_, ((cardId - 1) % 13) + 1});
        return;
    }
    if (cardId == 0) {
        box->SetPicture(filePic0_);
        box->SetBorderStyle(1);
        box->SetBackColor(game_->DeckColor);
    } else if (game_->CardStyle == 6) {
        box->SetLibraryCard(cardId);
    } else {
        int rank = cardId;
        while (rank >= 14) rank -= 13;
        box->SetPicture({PictureSpec::Kind::NumberFace, faceStyle_, rank});
        box->SetBorderStyle(1);
        box->SetBackColor(0xFFFFFF);
    }
}

void frmKorbo::SetFilePicture(Ctl c, int index, int filePic) {
    Control* ctl = Find(c, index);
    auto* box = ctl ? qobject_cast<PictureBox*>(ctl->Widget()) : nullptr;
    if (!box) return;
    if (filePic == 1 || filePic == 2) box->SetPicture({PictureSpec::Kind::Pile, filePic, 0});
    else box->SetPicture(filePic0_);
}

void frmKorbo::SetBorderStyle(Ctl c, int index, int style) {
    Control* ctl = Find(c, index);
    if (!ctl) return;
    if (auto* box = qobject_cast<PictureBox*>(ctl->Widget())) box->SetBorderStyle(style);
}

void frmKorbo::PaintPicture(QPainter& p, const QRectF& r, const PictureSpec& s) {
    const QSize size(static_cast<int>(r.width()), static_cast<int>(r.height()));
    const qreal dpr = devicePixelRatioF();
    switch (s.kind) {
        case PictureSpec::Kind::None: break;
        case PictureSpec::Kind::Pile: {
            // The pile pictures are drawn once per size and kept, like the faces.
            const QString key = QStringLiteral("%1/%2x%3@%4").arg(s.a).arg(size.width()).arg(size.height()).arg(dpr);
            auto it = pileCache_.find(key);
            if (it == pileCache_.end()) {
                QPixmap pm(size * dpr);
                pm.setDevicePixelRatio(dpr);
                pm.fill(Qt::transparent);
                QPainter pp(&pm);
                pp.setRenderHint(QPainter::Antialiasing);
                platform::DrawPilePicture(pp, QRectF(QPointF(0, 0), QSizeF(size)), s.a);
                pp.end();
                it = pileCache_.insert(key, pm);
            }
            p.drawPixmap(r.topLeft(), *it);
            break;
        }
        case PictureSpec::Kind::NumberFace: {
            QPixmap pm = platform::NumberCardPixmap(s.a, s.b, size, dpr);
            if (!pm.isNull()) p.drawPixmap(r.topLeft(), pm);
            break;
        }
        case PictureSpec::Kind::DesignerBack: {
            QPixmap pm = platform::NumberCardPixmap(s.a, platform::kCardBackImage, size, dpr);
            if (!pm.isNull()) p.drawPixmap(r.topLeft(), pm);
            break;
        }
        case PictureSpec::Kind::Flash: {
            if (s.b == 1 && s.a >= 1 && s.a <= 7 && !personaFrames_[s.a].isNull())
                p.drawPixmap(r.toRect(), personaFrames_[s.a]);
            else
                PaintFlashFrame(p, r, s.a);
            break;
        }
    }
}

void frmKorbo::PaintLibraryCard(QPainter& p, const QRectF& r, int id) {
    const QSize size(static_cast<int>(r.width()), static_cast<int>(r.height()));
    QPixmap pm = platform::PictureCardPixmap(lib_, id, size, devicePixelRatioF());
    if (!pm.isNull()) p.drawPixmap(r.topLeft(), pm);
}

void frmKorbo::WaitFrame() {
    // One displayed frame: what moved is painted, then the frame's time passes in the
    // event loop (or asleep while Busy forbids dispatching).
    ++framesShown_;
    // Only what changed is painted, and without dispatching input.
    if (isVisible()) QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
    // Frames follow each other at the display's pace: the time the painting took comes
    // off the wait, so that a run of steps keeps to one frame each.
    double wait = kFrameSeconds;
    if (frameClock_.isValid()) {
        const double sinceLast = frameClock_.nsecsElapsed() / 1e9;
        if (sinceLast < kFrameSeconds) wait = kFrameSeconds - sinceLast;
    }
    Pause(wait, !game_->Busy);
    frameClock_.start();
}

void frmKorbo::AnimationFrame() { WaitFrame(); }

// --- TableView: the card library, menus, forms ------------------------------------------------

int frmKorbo::CardLibraryValue(int id) {
    const int v = lib_.GetCardValue(id);
    return v != 0 ? v : ((id - 1) % 13 + 13) % 13 + 1;
}
void frmKorbo::CardLibraryReset() { lib_.SetDefaultValues(); }

void frmKorbo::ShowForm(Form f, bool) {
    if (f == Form::frmWelcome) ShowWelcome();
    else if (f == Form::frmHold) around_->ShowHoldViewer();
    else if (f == Form::frmChat && chat_) chat_->Show();
}

// --- TableView: looks --------------------------------------------------------------------------

void frmKorbo::SetForeColor(Ctl c, int index, long color) {
    Control* ctl = Find(c, index);
    if (!ctl) return;
    if (auto* l = qobject_cast<QLabel*>(ctl->Widget())) {
        l->setProperty("foreColor", GameColor(color));
        RestyleLabel(*l);
    }
}
void frmKorbo::SetBackStyle(Ctl c, int index, int style) {
    Control* ctl = Find(c, index);
    if (!ctl) return;
    if (auto* l = qobject_cast<QLabel*>(ctl->Widget())) {
        l->setProperty("opaque", style == 1);
        RestyleLabel(*l);
    } else {
        ctl->Widget()->setAutoFillBackground(style == 1);
    }
}
void frmKorbo::SetFontSize(Ctl c, int index, double points) {
    if (Control* ctl = Find(c, index)) ctl->SetFontSize(points);
}
double frmKorbo::FontSize(Ctl c, int index) const {
    if (Control* ctl = Find(c, index)) return ctl->FontSize();
    return 8.25;
}
void frmKorbo::SetTableBackColor(long color) {
    tableBackColor_ = color;
    QPalette pal = surface_->palette();
    pal.setColor(QPalette::Window, GameColor(color));
    surface_->setPalette(pal);
}
void frmKorbo::LoadCardFaceSet(int cardStyle) {
    // Picture cards keep the first number style as the working set.
    faceStyle_ = cardStyle >= 1 && cardStyle <= 5 ? cardStyle : 1;
}
void frmKorbo::SetCardBack(int deckChoice, int filePic) {
    if (deckChoice >= 1 && deckChoice <= 5) filePic0_ = {PictureSpec::Kind::DesignerBack, deckChoice, 0};
    else filePic0_ = {PictureSpec::Kind::Pile, filePic == 1 || filePic == 2 ? filePic : 0, 0};
}
void frmKorbo::ResetPilePictures() {
    for (int i = 0; i <= 3; ++i) {
        PictureBox& box = Box(Ctl::Picture4, i);
        box.SetBackColor(game_->DeckColor);
        box.SetPicture(filePic0_);
    }
    Box(Ctl::Picture7, 1).SetBackColor(game_->DeckColor);
    Box(Ctl::Picture1, 1).SetBackColor(game_->DeckColor);
    game_->DrawPilePicture(Ctl::Picture1, 1, 0, 0);
    game_->DrawPilePicture(Ctl::Picture7, 1, 0, 0);
}
void frmKorbo::ClearBackground() {
    around_->ClearBackground();
    SetTableBackColor(tableBackColor_);
}
void frmKorbo::BackgroundPaint(int) { around_->BackgroundPaint(); }
void frmKorbo::ShowAvatarPicture(std::string_view path) { around_->LoadAvatar(std::string(path)); }

SaveDialogResult frmKorbo::ShowSaveDialog(const SaveDialogSetup& setup) {
    frmSave dialog(setup, this, game_->ScreenWidth);
    dialog.exec();
    return dialog.Result();
}

// --- sound -------------------------------------------------------------------------------------

// The level gates are the game's: it asks for a sound only when the level lets it through.
void frmKorbo::PlayResource(int id) { sound_->PlayResource(id); }
void frmKorbo::PlayFile(std::string_view path, bool waitUntilEnd) {
    sound_->PlayFile(QString::fromUtf8(path.data(), static_cast<qsizetype>(path.size())), waitUntilEnd);
}
void frmKorbo::Beep() { QApplication::beep(); }

// --- boxes and waiting ---------------------------------------------------------------------------

int frmKorbo::MsgBox(std::string_view text, int buttonsAndIcon, std::string_view title) {
    QMessageBox box(this);
    box.setText(Text(text));
    box.setWindowTitle(title.empty() ? QApplication::applicationDisplayName() : Text(title));
    switch (buttonsAndIcon & 0x70) {
        case mb::Critical: box.setIcon(QMessageBox::Critical); break;
        case mb::Question: box.setIcon(QMessageBox::Question); break;
        case mb::Exclamation: box.setIcon(QMessageBox::Warning); break;
        case mb::Information: box.setIcon(QMessageBox::Information); break;
        default: break;
    }
    QList<QMessageBox::StandardButton> order;
    switch (buttonsAndIcon & 0x7) {
        case mb::YesNo: order = {QMessageBox::Yes, QMessageBox::No}; break;
        case mb::YesNoCancel: order = {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel}; break;
        case mb::OKCancel: order = {QMessageBox::Ok, QMessageBox::Cancel}; break;
        default: order = {QMessageBox::Ok}; break;
    }
    QMessageBox::StandardButtons buttons;
    for (auto b : order) buttons |= b;
    box.setStandardButtons(buttons);
    const int def = (buttonsAndIcon & mb::DefaultButton2) && order.size() > 1 ? 1 : 0;
    box.setDefaultButton(order[def]);
    if (order.size() == 1 || (buttonsAndIcon & 0x7) == mb::OKCancel || (buttonsAndIcon & 0x7) == mb::YesNoCancel)
        box.setEscapeButton(order.back());
    switch (box.exec()) {
        case QMessageBox::Yes: return mb::IDYes;
        case QMessageBox::No: return mb::IDNo;
        case QMessageBox::Cancel: return mb::IDCancel;
        default: return mb::IDOK;
    }
}

void frmKorbo::Pause(double seconds, bool dispatch) {
    if (!(seconds > 0)) return;
    seconds *= pauseScale;
    if (!(seconds > 0)) {
        if (dispatch) DoEvents();
        return;
    }
    const int ms = std::max(1, static_cast<int>(seconds * 1000.0 + 0.5));
    if (!dispatch) {
        QThread::msleep(static_cast<unsigned long>(ms));
        return;
    }
    // Wait in the event loop: the process sleeps until the timer or an event wakes it.
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    timer.start(ms);
    loop.exec();
}

void frmKorbo::DoEvents() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

// --- menus, buttons and the window's own events ---------------------------------------------------

void frmKorbo::NewGame_Click() { game_->NewGame_Click(); }

void frmKorbo::Command2_Click() { game_->Command2_Click(); }

void frmKorbo::EndGame_Click() {
    // The title is "No más" (a-acute, 225 in the game's code page).
    if (MsgBox("Do you really want to quit?", mb::YesNo, "No m\xC3\xA1s") == mb::IDYes) ExitLeft();
}

void frmKorbo::DefaultMove_Click() {
    FitWindow();
    move(0, 0);
}

void frmKorbo::closeEvent(QCloseEvent* e) {
    // A close by the user is turned into the orderly exit, which ends the program itself.
    if (e->spontaneous()) {
        e->ignore();
        ExitLeft();
        return;
    }
    e->accept();
}

void frmKorbo::resizeEvent(QResizeEvent* e) {
    QMainWindow::resizeEvent(e);
    Form_Resize();
}

// A minimise or a restore changes the window's state without a resize of its own.
void frmKorbo::changeEvent(QEvent* e) {
    QMainWindow::changeEvent(e);
    if (e->type() == QEvent::WindowStateChange) Form_Resize();
}

double frmKorbo::WindowWidthTwips() const { return width() * TwipsPerPixel(); }
double frmKorbo::WindowHeightTwips() const { return height() * TwipsPerPixel(); }
void frmKorbo::SetWindowWidthTwips(double w) { resize(std::max(1, Nearest(w / TwipsPerPixel())), height()); }
void frmKorbo::SetWindowHeightTwips(double h) { resize(width(), std::max(1, Nearest(h / TwipsPerPixel()))); }

}  // namespace korbo::ui
