#include "app/frmSplash.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QVBoxLayout>

#include "controls/version_text.h"
#include "platform/card_library.h"

#ifndef KORBO_VERSION_MAJOR
#error "the build gives the program's version numbers"
#endif

namespace korbo::ui {

namespace {
frmSplash* current = nullptr;

// A fan of five cards: the picture of the splash.
QPixmap SplashPicture(qreal dpr) {
    const QSize card(platform::kCardWidth, platform::kCardHeight);
    QPixmap pm(QSize(300, 130) * dpr);
    pm.setDevicePixelRatio(dpr);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    platform::CardLibrary lib;
    const bool pictures = lib.InitializeDeck() != 0;
    const int ids[5] = {1, 25, 13, 40, 52};
    for (int i = 0; i < 5; ++i) {
        p.save();
        p.translate(150 + (i - 2) * 42, 120);
        p.rotate((i - 2) * 9.0);
        const QRectF target(-card.width() / 2.0, -card.height() - 8.0, card.width(), card.height());
        if (pictures)
            lib.DrawCard(p, target, ids[i]);
        else
            platform::DrawNumberCardImage(p, target, 1 + i, 1 + (ids[i] - 1) % 13);
        p.restore();
    }
    return pm;
}
}  // namespace

frmSplash* frmSplash::Current() { return current; }

frmSplash::frmSplash(QWidget* parent) : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint) {
    current = this;
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName("frmSplash");
    setAttribute(Qt::WA_StyledBackground);
    setStyleSheet("#frmSplash { background: #1f6b3a; } QLabel { color: white; }"
                  "QFrame#Frame1 { border: 2px solid #d8c27a; border-radius: 6px; }");

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(8, 8, 8, 8);
    Frame1 = new QFrame(this);
    Frame1->setObjectName("Frame1");
    outer->addWidget(Frame1);
    auto* box = new QVBoxLayout(Frame1);
    box->setContentsMargins(24, 16, 24, 16);
    box->setSpacing(6);

    Image1 = new QLabel(Frame1);
    Image1->setAlignment(Qt::AlignCenter);
    box->addWidget(Image1);

    auto* title = new QLabel("KorboNET", Frame1);
    title->setAlignment(Qt::AlignCenter);
    QFont big = title->font();
    big.setPointSizeF(big.pointSizeF() * 2.2);
    big.setBold(true);
    title->setFont(big);
    box->addWidget(title);

    auto* attitude = new QLabel("The card game with an attitude", Frame1);
    attitude->setAlignment(Qt::AlignCenter);
    QFont italic = attitude->font();
    italic.setItalic(true);
    italic.setPointSizeF(italic.pointSizeF() * 1.3);
    attitude->setFont(italic);
    box->addWidget(attitude);

    auto* warning = new QLabel(" Warning: Highly addictive", Frame1);
    warning->setAlignment(Qt::AlignCenter);
    box->addWidget(warning);

    auto* bottom = new QHBoxLayout;
    lblPlatform = new QLabel("Linux", Frame1);
    lblVersion = new QLabel(Frame1);
    lblVersion->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    bottom->addWidget(lblPlatform);
    bottom->addStretch(1);
    bottom->addWidget(lblVersion);
    box->addLayout(bottom);

    Frame1->installEventFilter(this);
    Form_Load();
}

frmSplash::~frmSplash() {
    if (current == this) current = nullptr;
}

void frmSplash::Form_Load() {
    lblVersion->setText(VersionText());
    Image1->setPixmap(SplashPicture(devicePixelRatioF()));
    adjustSize();
    if (QScreen* s = screen()) move(s->availableGeometry().center() - rect().center());
}

void frmSplash::keyPressEvent(QKeyEvent* e) {
    e->accept();
    close();
}

void frmSplash::closeEvent(QCloseEvent* e) {
    if (current == this) current = nullptr;
    QWidget::closeEvent(e);
}

bool frmSplash::eventFilter(QObject* watched, QEvent* e) {
    if (watched == Frame1 && e->type() == QEvent::MouseButtonRelease) {
        close();
        return true;
    }
    return QWidget::eventFilter(watched, e);
}

}  // namespace korbo::ui
