#include "controls/scale_controls.h"

#include <QLayout>
#include <QScreen>
#include <QWidget>

#include "controls/table_controls.h"

namespace korbo::ui {

namespace {

void ScaleFont(QWidget& w, double fx) {
    QFont f = w.font();
    if (f.pointSizeF() > 0) {
        f.setPointSizeF(f.pointSizeF() * fx);
        w.setFont(f);
    }
}

bool PlacedByLayout(const QWidget& w) {
    const QWidget* parent = w.parentWidget();
    return parent && parent->layout() && parent->layout()->indexOf(&w) >= 0;
}

}  // namespace

void ScaleFormControls(QWidget& form, int mode, int size, long screenWidthTwips, double screenHeightTwips,
                       bool alwaysScaled) {
    if (form.windowState() & (Qt::WindowMinimized | Qt::WindowMaximized)) return;
    if (!alwaysScaled && screenWidthTwips < 12000) return;
    double fx = 1, fy = 1;
    if (mode == 4) {
        fx = static_cast<double>(screenWidthTwips) / 12288.0;
        fy = static_cast<float>(screenHeightTwips / 9216.0);
    } else if (mode == 5 && (size == 2 || size == 3)) {
        fx = fy = size == 2 ? 1.25 : 0.8;
    } else {
        return;
    }
    // A window of a fixed size keeps it fixed, at the new size: its controls grow with it.
    const QSize scaled(qRound(form.width() * fx), qRound(form.height() * fy));
    if (form.minimumWidth() == form.maximumWidth()) form.setFixedWidth(scaled.width());
    if (form.minimumHeight() == form.maximumHeight()) form.setFixedHeight(scaled.height());
    form.resize(scaled);
    // Children take their size from the window's font unless they have one of their own;
    // the window's font is scaled first, then the controls that set their own.
    ScaleFont(form, fx);
    for (QWidget* child : form.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child->isWindow()) continue;
        if (!PlacedByLayout(*child)) {
            const QRect g = child->geometry();
            child->setGeometry(qRound(g.x() * fx), qRound(g.y() * fy), qRound(g.width() * fx),
                               qRound(g.height() * fy));
        }
        // A grid's columns and rows follow its font (FlexGrid::changeEvent).
        if (child->testAttribute(Qt::WA_SetFont)) ScaleFont(*child, fx);
    }
}

void ScaleFormToScreen(QWidget& form, long screenWidthTwips) {
    const QScreen* s = form.screen();
    const double height = (s ? s->geometry().height() : 768) * TwipsPerPixel();
    ScaleFormControls(form, 4, 0, screenWidthTwips, height);
}

}  // namespace korbo::ui
