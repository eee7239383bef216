// Cards moving on the table: the walk of a card to its target, the lifted hand card of a
// rearrangement, the end-of-game picture sequence and the loser's shake.
//
// The walks and the shake were written for machines on which every step cost a repaint;
// here each step takes one displayed frame, so a walk of 45 steps lasts about three
// quarters of a second whatever the machine.
#include <QFile>
#include <QPixmap>
#include <algorithm>
#include <cmath>

#include "display/frmKorbo.h"
#include "platform/data_file.h"

namespace korbo::ui {

void frmKorbo::WalkTheCard(Ctl src, int srcIndex, Ctl dst, int dstIndex) {
    Control* from = Find(src, srcIndex);
    Control* to = Find(dst, dstIndex);
    if (!from || !to) return;
    Game& g = *game_;
    const double startLeft = from->Left(), startTop = from->Top();
    // The game keeps the start in its own (pixel) units, for the drag code it shares.
    g.DragStartLeft = from->PxLeft();
    g.DragStartTop = from->PxTop();
    Control& spare = Picture1(0);
    if (!g.CardMoving) spare.Move(startLeft, startTop);
    DoEvents();
    from->Widget()->raise();
    const bool holdTop = srcIndex >= 7 && srcIndex <= 10;
    if ((src == Ctl::Picture1 && srcIndex == 1 && g.OppSideCount != 0) ||
        (holdTop && (src == Ctl::Picture1 || g.OppSlots.Id(0) != 0)))
        spare.SetVisible(true);

    const int steps = g.WalkSteps > 0 ? g.WalkSteps : 45;
    const double X = to->Left(), Y = to->Top();
    const double stepX = Nearest((startLeft - X) / steps);
    const double stepY = Nearest((startTop - Y) / steps);
    const double halfW = BaseCardWidth / 2.0, halfH = BaseCardHeight / 2.0;
    // A step too small to make headway would loop for ever: no walk takes more than
    // twice its steps.
    const int limit = 2 * steps;
    auto horizontal = [&](double& left) {
        if (dstIndex == 1 ? left > X : left < X) left -= stepX;
    };

    double left = startLeft, top = startTop;
    if (srcIndex == 1 && src == Ctl::Picture7) {
        for (int n = 0; top > Y && n < limit; ++n) {
            horizontal(left);
            top -= stepY;
            from->Move(left, top);
            WaitFrame();
        }
        from->Move(X, Y);
    } else if (srcIndex == 1) {
        for (int n = 0; top < Y - halfH && n < limit; ++n) {
            horizontal(left);
            top -= stepY;
            from->Move(left, top);
            WaitFrame();
        }
    } else {
        const bool upwards = src == Ctl::Picture7 || dst == Ctl::Picture1;
        for (int n = 0; left > X + halfW && n < limit; ++n) {
            left -= stepX;
            if (upwards ? top > Y : top < Y) top -= stepY;
            from->Move(left, top);
            WaitFrame();
        }
    }
    g.Delay(0.001);
    // The stock stays on the table when a card has left it; any other picture is hidden
    // until the caller draws the card at its target.
    if (!(src == Ctl::Picture4 && srcIndex == 0)) from->SetVisible(false);
    from->Move(startLeft, startTop);
}

void frmKorbo::HandSortAnimation(Ctl pics, int from, int) {
    Control* c = Find(pics, from);
    auto* box = c ? qobject_cast<PictureBox*>(c->Widget()) : nullptr;
    if (!box) return;
    // The floating image carries the moved card's look while the places shift.
    auto& hold = static_cast<PictureBox&>(*imgHold_->Widget());
    if (box->LibraryCard() != 0) hold.SetLibraryCard(box->LibraryCard());
    else hold.SetPicture(box->Picture());
}

void frmKorbo::Flash() {
    Game& g = *game_;
    if (g.NoWinAnim) return;
    const int person = g.PersonIndex;
    const std::string persona =
        person >= 0 && person < static_cast<int>(g.PeopleNames.size()) ? g.PeopleNames[person] : std::string();
    // Each custom persona has pictures of its own: another persona's are read again.
    if (person != 0 && persona != personaPicturesOf_) {
        for (int n = 1; n <= 7; ++n) {
            const std::string path = g.BaseDir + "/users/" + persona + std::to_string(n) + ".jpg";
            personaFrames_[n] = platform::LoadPictureFile(QString::fromStdString(path));
        }
        personaPicturesOf_ = persona;
    }

    if (!flashLayer_) {
        auto* box = new PictureBox(surface_);
        box->picturePainter = [this](QPainter& p, const QRectF& r, const PictureSpec& s) { PaintPicture(p, r, s); };
        box->SetTransparent(true);
        box->setAttribute(Qt::WA_TransparentForMouseEvents);
        flashLayer_ = box;
    }
    const double tpp = TwipsPerPixel();
    const int x = Nearest((Label9(2).Left() - 300) / tpp);
    const int y = Nearest((Label9(2).Top() - 220) / tpp);
    const int side = Nearest(1800 / tpp);
    flashLayer_->setGeometry(x, y, side, side);
    flashLayer_->raise();
    flashLayer_->show();

    static const int sequence[] = {1, 2, 3, 4, 5, 6, 7, 6, 5, 4, 3, 2, 1};
    const bool shortRun = persona == "Dunmir";
    for (int frame : sequence) {
        // The built-in persona has pictures of its own; a custom persona's stay loaded.
        static_cast<PictureBox*>(flashLayer_)->SetPicture({PictureSpec::Kind::Flash, frame, person != 0 ? 1 : 0});
        flashLayer_->repaint();
        double hold = frame == 1 ? 0.45 : frame == 7 ? 0.75 : 0.25;
        if (shortRun && frame == 7) hold = 1.5;
        g.Delay(hold);
        if (shortRun && frame == 7) break;
    }
    g.Delay(0.2);
    flashLayer_->hide();
    if (g.BackIndex != 0 && g.BackIndex != g.BackPicCount + 1) BackgroundPaint(g.BackIndex);
}

void frmKorbo::Sore_Loser() {
    Game& g = *game_;
    const int T = Nearest(Picture1(2).Top());
    g.Busy = true;
    std::array<int, 7> count{};
    // The shake's length was tied to the old layout's Top; on this layout every card
    // shakes a few steps more than its neighbour to the left.
    auto steps = [T](int i) {
        const int n = 3 * i + 60 - T + 1;
        return n > 0 ? n : 3 * i + 6;
    };
    for (int i = 2; i <= 6; ++i) {
        Control& card = Picture1(i);
        card.Widget()->raise();
        const double side = (i % 2 == 1) ? 4 : -4;
        for (int k = 0; k < steps(i); ++k) {
            ++count[i];
            card.Move(card.Left() + side, card.Top() + 4);
            card.Widget()->repaint();
            WaitFrame();
        }
    }
    for (int i = 2; i <= 6; ++i) {
        Control& card = Picture1(i);
        card.Widget()->raise();
        const double side = (i % 2 == 1) ? 4 : -4;
        for (int k = 0; k < count[i]; ++k) {
            card.Move(card.Left() - side, card.Top() - 4);
            card.Widget()->repaint();
            WaitFrame();
        }
        card.SetTop(T);
        card.Widget()->repaint();
    }
    g.Busy = false;
    surface_->repaint();
}

}  // namespace korbo::ui
