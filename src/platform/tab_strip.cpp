#include "platform/tab_strip.h"

#include <QEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionTabWidgetFrame>
#include <QTabBar>

namespace korbo::platform {

namespace {
constexpr int kInset = 4;  // the client area keeps clear of the frame's edge
constexpr double kSmallestPoints = 6;  // the tabs' captions never get smaller than this
}

TabStrip::TabStrip(QWidget* parent) : QWidget(parent), bar_(new QTabBar(this)) {
    bar_->setDrawBase(false);
    bar_->setExpanding(false);
    // The platform's tabs sit close around their captions.
    bar_->setStyleSheet(QStringLiteral("QTabBar::tab { padding: 3px 6px; }"));
    connect(bar_, &QTabBar::currentChanged, this, [this](int) {
        if (onClick) onClick();
    });
}

void TabStrip::AddTab(const std::string& caption, const std::string& key, const std::string& toolTip) {
    const QSignalBlocker quiet(bar_);  // adding the first tab selects it without a click
    const int i = bar_->addTab(QString::fromStdString(caption));
    bar_->setTabData(i, QString::fromStdString(key));
    bar_->setTabToolTip(i, QString::fromStdString(toolTip));
    FitTabs();
}

void TabStrip::FitTabs() const {
    // Every caption stays whole: tabs wider than the strip take a smaller font rather than
    // scroll buttons, and the strip's own font again once there is room for it.
    QFont f = font();
    bar_->setFont(f);
    while (width() > 0 && bar_->sizeHint().width() > width() && f.pointSizeF() - 0.5 >= kSmallestPoints) {
        f.setPointSizeF(f.pointSizeF() - 0.5);
        bar_->setFont(f);
    }
    bar_->setGeometry(0, 0, width(), bar_->sizeHint().height());
}

int TabStrip::Count() const { return bar_->count(); }
std::string TabStrip::Caption(int tab) const { return bar_->tabText(tab - 1).toStdString(); }
std::string TabStrip::Key(int tab) const { return bar_->tabData(tab - 1).toString().toStdString(); }
std::string TabStrip::ToolTip(int tab) const { return bar_->tabToolTip(tab - 1).toStdString(); }
int TabStrip::SelectedItem() const { return bar_->currentIndex() + 1; }

void TabStrip::SetSelectedItem(int tab) {
    if (tab >= 1 && tab <= bar_->count()) bar_->setCurrentIndex(tab - 1);
}

QRect TabStrip::ClientArea() const {
    FitTabs();  // the tabs' height depends on the font that fits them
    const int top = bar_->sizeHint().height();
    QRect r(0, top, width(), height() - top);
    r.adjust(kInset, kInset, -kInset, -kInset);
    return r.translated(pos());
}

void TabStrip::resizeEvent(QResizeEvent*) { FitTabs(); }

void TabStrip::changeEvent(QEvent* e) {
    QWidget::changeEvent(e);
    if (e->type() == QEvent::FontChange) FitTabs();
}

void TabStrip::paintEvent(QPaintEvent*) {
    QPainter p(this);
    QStyleOptionTabWidgetFrame frame;
    frame.initFrom(this);
    const int top = bar_->sizeHint().height() - 1;
    frame.rect = QRect(0, top, width(), height() - top);
    style()->drawPrimitive(QStyle::PE_FrameTabWidget, &frame, &p, this);
}

}  // namespace korbo::platform
