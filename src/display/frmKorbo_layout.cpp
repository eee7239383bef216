// Table layout, sizing and control scaling. Positions are twips of the table's client
// area; card play works on the same controls in pixels.
#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QStatusBar>
#include <algorithm>
#include <exception>
#include <functional>

#include "dialogs/frmChat.h"
#include "display/around_table.h"
#include "display/caption_place.h"
#include "display/frmHold.h"
#include "display/frmKorbo.h"
#include "game/korbogl.h"
#include "records/text_number.h"
#include "game/colours.h"

namespace korbo::ui {

namespace {

constexpr double kArrowGap = 76;  // twips between a turn arrow and the stock's frame

double ScreenHeightTwips() {
    const QScreen* s = QGuiApplication::primaryScreen();
    return (s ? s->geometry().height() : 768) * TwipsPerPixel();
}

}  // namespace

void frmKorbo::InitialCardSize() {
    CardBase = 82;
    game_->CardGap = 41;
    const double tpp = TwipsPerPixel();
    Picture7(2).SetWidth(71.5 * tpp);
    Picture7(2).SetHeight(96 * tpp);
    BaseCardWidth = Nearest(Picture7(2).Width());
    BaseCardHeight = Nearest(Picture7(2).Height());
    Picture7(2).SetLeft(3600);
    BaseGap = Nearest(Picture7(2).Width() + 140);
}

void frmKorbo::GetCardSize() {
    Picture7(7).SetLeft(6000);
    Picture1(7).SetLeft(6000);
    for (int i = 0; i <= 10; ++i) {
        if (i != 0) {
            Picture7(i).SetWidth(BaseCardWidth);
            Picture7(i).SetHeight(BaseCardHeight);
        }
        Picture1(i).SetWidth(BaseCardWidth);
        Picture1(i).SetHeight(BaseCardHeight);
        if ((i >= 3 && i <= 6) || (i >= 8 && i <= 10)) {
            Picture7(i).SetLeft(BaseGap + Picture7(i - 1).Left());
            Picture1(i).SetLeft(BaseGap + Picture1(i - 1).Left());
        }
        if (i >= 7) {
            HoldLeft[i] = Nearest(Picture7(i).Left());
            Picture7(i).SetTop(4040);
            Picture1(i).SetTop(1920);
        }
    }
    HoldTop = Nearest(Picture7(7).Top());
    for (int i = 2; i <= 6; ++i) Picture7(i).SetTop(5880);
    for (int i = 0; i <= 3; ++i) {
        Picture4(i).SetWidth(BaseCardWidth);
        Picture4(i).SetHeight(BaseCardHeight);
        if (i >= 2) Picture4(i).SetLeft(BaseGap + Picture4(i - 1).Left());
    }
    Label10().SetHeight(Picture4(1).Height() + 250);
    Label10().SetWidth(Picture4(1).Width() * 3 + 500);
    for (int k = 0; k <= 1; ++k) {
        Label3(k).SetHeight(Picture7(10).Height() + 200);
        Label3(k).SetWidth(Picture7(10).Width() * 4 + 650);
    }
    Label3(0).Move(HoldLeft[7] - 100, Picture7(7).Top() - 100);
    Label3(1).Move(Picture1(7).Left() - 100, Picture1(7).Top() - 100);
    const long screen = game_->ScreenWidth;
    Control& stock = Picture4(0);
    if (screen > 12000) {
        stock.SetTop(Picture1(10).Top() + Picture1(10).Height() / 2);
    } else {
        stock.SetHeight(stock.Height() * 0.75);
        stock.SetWidth(stock.Width() * 0.75);
        stock.SetLeft(Label3(1).Left() + Label3(1).Width() + 100);
        stock.SetTop(Picture1(10).Top() + Picture1(10).Height() * 0.75);
    }
    Label1().SetGeometry(stock.Left() - 50, stock.Top() - 50, stock.Width() + 100, stock.Height() + 100);
    PlaceCaptions();
}

void frmKorbo::ReSizeNet() {
    HoldTop = 3450;
    for (int i = 7; i <= 10; ++i) {
        Picture7(i).SetTop(HoldTop);
        ShpHold(i).SetTop(HoldTop);
        Picture1(i).SetTop(1700);
    }
    for (int i = 2; i <= 6; ++i) Picture7(i).SetTop(5280);
    Label3(0).SetTop(Picture7(7).Top() - 100);
    Label3(1).SetTop(Picture1(7).Top() - 100);
    PlaceCaptions();
}

void frmKorbo::FitWindow() {
    setWindowState(windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized));
    WinHeight = Nearest(Picture7(2).Height() + Picture7(2).Top() + 768 + 345);
    SetWindowHeightTwips(WinHeight);
    ImgAvatar().SetLeft(Label3(1).Left() + Label3(1).Width());
    WinWidth = Nearest(ImgAvatar().Left() + ImgAvatar().Width());
    const long screen = game_->ScreenWidth;
    if (WinWidth + 144 < screen) {
        if (screen > 12000 && game_->DisplayMode > 1) {
            WinWidth += 1000;
            ImgAvatar().SetLeft(ImgAvatar().Left() + 1000);
        } else if (screen >= 12000) {
            WinWidth += 144;
        } else {
            WinWidth += 344;
        }
    } else {
        WinWidth = static_cast<int>(screen);
        ImgAvatar().SetLeft(screen - 50 - ImgAvatar().Width());
        Label1().SetLeft(screen - 100 - Label1().Width());
        Picture4(0).SetLeft(Label1().Left() + 50);
        SizeRelative();
    }
    SetWindowWidthTwips(WinWidth);
    PlaceCaptions();
}

void frmKorbo::SizeRelative() {
    // Every step is tried, whatever became of the one before.
    auto step = [](const std::function<void()>& f) {
        try {
            f();
        } catch (const std::exception&) {
        }
    };
    step([&] {
        ImgTurn1().SetTop(Label1().Top() - ImgTurn1().Height() - kArrowGap);
        ImgTurn2().SetTop(Label1().Top() + Label1().Height() + kArrowGap);
    });
    step([&] {
        const double mid = Label1().Left() + Label1().Width() / 2;
        ImgTurn1().SetLeft(mid - ImgTurn1().Width() / 2);
        ImgTurn2().SetLeft(mid - ImgTurn2().Width() / 2);
    });
    step([&] { Label9(3).SetTop(Picture7(2).Top() + BaseCardHeight / 2.0); });
    step([&] { Label9(2).SetHeight(Picture7(2).Top() - Label3(1).Top() - 100); });
    step([&] {
        if (game_->ScreenWidth > 10000) Label9(1).SetHeight(Label3(0).Height() - 200);
    });
    step([&] {
        if (WindowStartState == 2) ImgAvatar().SetLeft(game_->ScreenWidth - ImgAvatar().Width());
        else ImgAvatar().SetLeft(WinWidth - ImgAvatar().Width());
    });
    step([&] { KeepArrowsClearOfAvatar(); });
    PlaceCaptions();
}

void frmKorbo::KeepArrowsClearOfAvatar() {
    // The avatar keeps its size on the small display of a large screen while the stock
    // below it shrinks: the arrow above the stock's frame would lie under the picture.
    // It stands beside the frame then, level with the frame's top.
    auto overlaps = [](Control& a, Control& b) {
        return a.Left() < b.Left() + b.Width() && b.Left() < a.Left() + a.Width() && a.Top() < b.Top() + b.Height() &&
               b.Top() < a.Top() + a.Height();
    };
    for (Control* arrow : {imgTurn1_, imgTurn2_}) {
        if (!overlaps(*arrow, ImgAvatar())) continue;
        arrow->Move(Label1().Left() - kArrowGap - arrow->Width(), Label1().Top());
    }
}

void frmKorbo::ResizeMe() {
    if (game_->ScreenWidth > 12000) {
        ImgAvatar().SetHeight(ImgAvatar().Height() * 1.25);
        ImgAvatar().SetWidth(ImgAvatar().Width() * 1.25);
    }
}

void frmKorbo::GetSize() {
    BaseCardWidth = Nearest(Picture7(2).Width());
    BaseCardHeight = Nearest(Picture7(2).Height());
    HoldTop = Nearest(Picture7(7).Top());
    for (int k = 7; k <= 10; ++k) HoldLeft[k] = Nearest(Picture7(k).Left());
    if (game_->ScreenWidth < 10000) Label9(1).SetHeight(Label3(0).Height() + BaseCardHeight);
}

void frmKorbo::LayOut() {
    if (HasStack(50)) {
        ImgHold().SetGeometry(Stack(50).Left(), Stack(50).Top(), BaseCardWidth, BaseCardHeight);
        static_cast<PictureBox&>(*ImgHold().Widget()).SetPicture(filePic0_);
    }
    for (int k = 7; k <= 10; ++k) ShpHold(k).SetGeometry(HoldLeft[k], HoldTop, BaseCardWidth, BaseCardHeight);
    PlaceCaptions();
}

void frmKorbo::CardSizeInPixels() {
    const double tpp = TwipsPerPixel();
    game_->CardWidth = Nearest(BaseCardWidth / tpp);
    game_->CardHeight = Nearest(BaseCardHeight / tpp);
}

void frmKorbo::ChgDisplay_Click(int Index) {
    if (Index < 0 || Index > 1) return;
    Game& g = *game_;
    // A failing step is reported and the change goes on with the next one.
    auto guard = [&](const std::function<void()>& f) {
        try {
            f();
        } catch (const std::exception& e) {
            setEnabled(true);
            MsgBox("Unexpected error while resizing!" + std::string(CRLF) + "Error # " + records::NumText(5) +
                       " occurred: " + std::string(CRLF) + e.what(),
                   mb::OKOnly | mb::Critical, "");
        }
    };
    setWindowState(windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized));
    setEnabled(false);
    if (flashLayer_) flashLayer_->hide();

    if (Index == 0) {
        guard([&] {
            if ((g.DisplayMode & 1) == 0) {
                ReSizeNet();
                if (HasStack(50)) Stack(50).SetTop(5280);
                g.DisplayMode = static_cast<int16_t>(g.DisplayMode | 1);
                chgDisplay_[0]->setText(QStringLiteral("Move Cards Down"));
            } else {
                GetCardSize();
                if (HasStack(50)) Stack(50).SetTop(5880);
                g.DisplayMode = static_cast<int16_t>(g.DisplayMode & ~1);
                chgDisplay_[0]->setText(QStringLiteral("Move Cards Up"));
            }
        });
        guard([&] {
            Label9(2).SetTop(Label3(1).Top());
            if (HasStack(50)) {
                for (int k = 50; k >= 27; --k) Stack(k - 1).Move(Stack(k).Left() - 32, Stack(k).Top());
                Picture7(1).Move(Stack(50).Left() + 58, Stack(50).Top());
            }
        });
    } else {
        guard([&] {
            if (chgDisplay_[1]->text() == QStringLiteral("Make Display Smaller")) {
                chgDisplay_[0]->setEnabled(false);
                ScaleFormControls(5, 3);
                g.DisplayMode = g.DisplayMode == 1 ? 3 : 2;
                chgDisplay_[1]->setText(QStringLiteral("Make Display Larger"));
                Label1().SetVisible(true);
            } else {
                ScaleFormControls(5, 2);
                if (g.ScreenWidth > 10000) chgDisplay_[0]->setEnabled(true);
                g.DisplayMode = g.DisplayMode == 3 ? 1 : 0;
                chgDisplay_[1]->setText(QStringLiteral("Make Display Smaller"));
                move(0, 0);
            }
        });
        guard([&] {
            if (g.DeckChoice == 0) {
                const bool standardColour = StandardDeckColor(g.DeckColor);
                const bool large = g.DisplayMode <= 1 && standardColour && g.ScreenWidth >= 10000;
                SetCardBack(0, large ? 1 : 2);
            }
            if (!g.TableDealt) ResetPilePictures();
            Redraw();
            if (g.ScreenWidth <= 12000) g.RulesRefresh();
        });
    }

    guard([&] {
        if (g.BackIndex != 0 && g.BackIndex != g.BackPicCount + 1) BackgroundPaint(g.BackIndex);
        GetSize();
        if (!g.FormLoading) FitWindow();
        if (WinWidth - x() * TwipsPerPixel() > g.ScreenWidth) move(0, y());
        LayOut();
        // A fitted window of the same size as before has no resize of its own to bring
        // the avatar and the stock back to its right edge.
        if (!g.FormLoading) FollowRightEdge();
    });
    guard([&] {
        CardSizeInPixels();
        g.CardGap = g.CardWidth - Nearest((g.CardWidth - (CardBase - g.CardWidth)) / 2.0);
    });
    PlaceCaptions();
    setEnabled(true);
    if (g.CardStyle == 6 && g.DisplayMode > 1 && g.TableDealt)
        MsgBox("Picture cards will not fit on a smaller display." + std::string(CRLF) + "Switch to number cards!",
               mb::OKOnly | mb::Information, "");
}

void frmKorbo::Form_Resize() {
    if (!game_ || game_->FormLoading) return;
    Game& g = *game_;
    g.AwaitingPlayer = false;
    if (WindowStartState == 3) {
        WindowStartState = 0;
        DefaultMove_Click();
    }
    WinWidth = Nearest(WindowWidthTwips());
    WinHeight = Nearest(WindowHeightTwips());
    if (g.BackIndex != 0 && g.BackIndex != g.BackPicCount + 1) BackgroundPaint(g.BackIndex);
    const Qt::WindowStates state = windowState();
    // A maximised table that is minimised keeps its maximised mark: it is minimised.
    const bool minimised = (state & Qt::WindowMinimized) != 0;
    const bool maximised = !minimised && (state & Qt::WindowMaximized);
    if (g.NetActive && chatWindow_) {
        // The chat window goes down and comes back with the table; it never takes the
        // table's maximised state, but a table shown maximised again brings it back up.
        const Qt::WindowStates chat = chatWindow_->windowState();
        const Qt::WindowStates own = chat & ~(Qt::WindowMinimized | Qt::WindowMaximized);
        if (!maximised) chatWindow_->setWindowState(minimised ? own | Qt::WindowMinimized : own);
        else if (chat & Qt::WindowMinimized) chatWindow_->setWindowState(chat & ~Qt::WindowMinimized);
    }
    if (minimised) {
        if (QWidget* viewer = around_ ? around_->Hold() : nullptr) viewer->hide();
        return;
    }
    FollowRightEdge();
    PlaceCaptions();
}

void frmKorbo::FollowRightEdge() {
    const Game& g = *game_;
    if (g.ScreenWidth <= 12000 && g.DisplayMode <= 1) return;
    const double avatarW = ImgAvatar().Width();
    ImgAvatar().SetLeft(WinWidth - avatarW - 100);
    Picture4(0).SetLeft(WinWidth - Picture4(0).Width() / 2 - avatarW / 2);
    Label1().SetLeft(WinWidth - Label1().Width() / 2 - avatarW / 2);
    SizeRelative();
}

void frmKorbo::ScaleFormControls(int mode, int size) {
    if (windowState() & (Qt::WindowMinimized | Qt::WindowMaximized)) return;
    Game& g = *game_;
    double fx = 1, fy = 1;
    if (mode == 4) {
        fx = static_cast<double>(g.ScreenWidth) / 12288.0;
        fy = static_cast<float>(ScreenHeightTwips() / 9216.0);
    } else if (mode == 5 && size == 2) {
        fx = fy = 1.25;
        CardBase = 82;
    } else if (mode == 5 && size == 3) {
        fx = fy = 0.8;
        CardBase = 66;
    } else {
        return;
    }
    if (!g.FormLoading) SetWindowHeightTwips(WindowHeightTwips() * fy);
    WinHeight = Nearest(WindowHeightTwips());
    for (Control* c : controls_) {
        if (c == imgTurn1_ || c == imgTurn2_) continue;
        if (!(c == imgAvatar_ && g.ScreenWidth >= 12000)) {
            c->SetLeft(c->Left() * fx);
            c->SetTop(c->Top() * fy);
            c->SetHeight(c->Height() * fy);
            c->SetWidth(c->Width() * fx);
        }
        if (c->Type() == ControlType::Label || c->Type() == ControlType::CommandButton)
            c->SetFontSize(c->FontSize() * fx);
    }
    QFont f = statusBar_->font();
    if (f.pointSizeF() > 0) {
        f.setPointSizeF(f.pointSizeF() * fx);
        statusBar_->setFont(f);
    }
    QFont own = surface_->font();
    if (own.pointSizeF() > 0) {
        own.setPointSizeF(own.pointSizeF() * fx);
        surface_->setFont(own);
    }
    PlaceCaptions();
}

void frmKorbo::DrawStacks() {
    Control& base = Stack(0);
    base.SetHeight(BaseCardHeight);
    base.SetWidth(BaseCardWidth);
    auto make = [&](int k) {
        // The two sets differ in their outline only.
        auto* s = new ShapeBox(surface_, k > 25);
        s->SetFillColor(game_->DeckColor);
        s->stackUnder(imgHold_->Widget());
        auto c = std::make_unique<Control>(s, ControlType::Shape, "Stack(" + std::to_string(k) + ")");
        c->SetGeometry(base.Left(), base.Top(), base.Width(), base.Height());
        c->SetVisible(false);
        stack_[k] = c.get();
        controls_.push_back(c.get());
        owned_.push_back(std::move(c));
    };
    for (int k = 25; k >= 1; --k)
        if (!stack_[k]) make(k);
    for (int k = 50; k >= 26; --k)
        if (!stack_[k]) make(k);
    const long deck = game_->DeckColor;
    Stack(1).Move(174, 60);
    for (int i = 1; i <= 24; ++i) Stack(i + 1).Move(Stack(i).Left() + 40, Stack(i).Top() + 6);
    const int mode = game_->DisplayMode;
    Stack(26).Move(175, mode == 1 ? 5280 : mode == 3 ? 4930 : 5880);
    for (int i = 26; i <= 49; ++i) Stack(i + 1).Move(Stack(i).Left() + 32, Stack(i).Top());
    for (int k = 1; k <= 50; ++k) SetBackColor(Ctl::Stack, k, deck);
    Picture1(1).Move(Stack(25).Left() + 58, Stack(25).Top() + 10);
    Picture7(1).Move(Stack(50).Left() + 58, Stack(50).Top());
    Box(Ctl::Picture1, 1).SetBackColor(deck);
    Box(Ctl::Picture7, 1).SetBackColor(deck);
    PlaceCaptions();
}

void frmKorbo::Redraw() { game_->Redraw(); }

// --- frame captions ----------------------------------------------------------------------

void frmKorbo::InstallCaptionPlacers() {
    for (Control* c : controls_)
        if (auto* f = dynamic_cast<FrameBox*>(c->Widget()))
            f->captionPlacer = [this](FrameBox& frame, QLabel& caption) { PlaceFrameCaption(frame, caption); };
}

void frmKorbo::PlaceFrameCaption(FrameBox& frame, QLabel& caption) {
    if (caption.text().isEmpty()) return;
    // Every place a card, a box or a message can take counts, shown or not, so that a
    // caption keeps its place while the game goes on. The flight picture and the model of
    // the pay-off stack have no place of their own.
    CaptionObstacles around;
    for (const Control* c : controls_) {
        if (c->Widget() == &frame || c == pic1_[0] || c == stack_[0]) continue;
        if (dynamic_cast<const FrameBox*>(c->Widget())) around.frames.push_back(c->Widget()->geometry());
        else around.solids.push_back(c->Widget()->geometry());
    }
    const CaptionPlace p = FindCaptionPlace(frame.geometry(), caption.text(), frame.font(), surface_->rect(), around);
    QFont f = frame.font();
    f.setPointSizeF(p.pointSize);
    caption.setFont(f);
    caption.setGeometry(p.rect);
}

// --- the DEAL button and the comment -------------------------------------------------------

void frmKorbo::InstallDealPlacer() {
    command2_->Widget()->installEventFilter(this);
    label9_[2]->Widget()->installEventFilter(this);
}

bool frmKorbo::eventFilter(QObject* watched, QEvent* e) {
    if (watched == command2_->Widget() || watched == label9_[2]->Widget()) {
        switch (e->type()) {
            case QEvent::Move:
            case QEvent::Resize:
            case QEvent::Show:
            case QEvent::Hide:
            case QEvent::FontChange: KeepDealClearOfComment(); break;
            default: break;
        }
    }
    return QMainWindow::eventFilter(watched, e);
}

void frmKorbo::KeepDealClearOfComment() {
    QWidget* deal = command2_->Widget();
    auto* comment = qobject_cast<QLabel*>(label9_[2]->Widget());
    if (!comment) return;
    // The layout keeps the button's own place in twips; only the widget is moved.
    const QRect home(command2_->PxLeft(), command2_->PxTop(), deal->width(), deal->height());
    QPoint place = home.topLeft();
    if (!comment->isHidden() && !comment->text().trimmed().isEmpty()) {
        const QRect area = comment->geometry();
        const QRect text(area.left(), area.top(), area.width(), comment->heightForWidth(area.width()));
        constexpr int kGap = 4;
        // Below the text, and no lower than the comment's own column reaches.
        if (text.intersects(home))
            place.setY(std::max(home.top(), std::min(text.bottom() + 1 + kGap, area.bottom() + 1 - home.height())));
    }
    if (deal->pos() != place) deal->move(place);
}

void frmKorbo::PlaceCaptions() {
    for (Control* c : controls_)
        if (auto* f = dynamic_cast<FrameBox*>(c->Widget())) f->PlaceCaption();
    PlaceStatus();
}

void frmKorbo::PlaceStatus() {
    if (!statusMsg_ || label9_.size() <= kCommentLabel || !label9_[kCommentLabel]) return;
    const Control& area = Label9(kCommentLabel);
    statusMsg_->SetGeometry(area.Left(), area.Top(), area.Width(), area.Height());
}

void frmKorbo::ReplayDisplayMode() {
    Game& g = *game_;
    // A narrow screen has no room for the cards moved up.
    if (g.ScreenWidth < 10000) g.DisplayMode = static_cast<int16_t>(g.DisplayMode & ~1);
    switch (g.DisplayMode) {
        case 1:
            SizeRelative();
            g.DisplayMode = 0;
            g.FormLoading = false;
            ChgDisplay_Click(0);
            break;
        case 2:
            g.FormLoading = false;
            ChgDisplay_Click(1);
            CardBase = 66;
            break;
        case 3:
            g.DisplayMode = 0;
            ChgDisplay_Click(0);  // still loading: the window is not fitted yet
            g.FormLoading = false;
            ChgDisplay_Click(1);
            CardBase = 66;
            break;
        default:
            LayOut();
            SizeRelative();
            break;
    }
}

}  // namespace korbo::ui
