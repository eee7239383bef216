#include "dialogs/frmAbout.h"

#include <QGridLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

#include "controls/version_text.h"
#include "controls/web_page.h"
#include "platform/card_library.h"

namespace korbo::ui {

namespace {

constexpr const char* kCredits =
    "Card faces, backgrounds, the avatars and every sound were made for this program with "
    "its own generator.\nAdditional backgrounds can be downloaded from Korbo's Site.";
constexpr const char* kThanks =
    "\n\nSpecial thanks to:\n"
    "the players who asked for a meaner Ruthless Korbo,\n"
    "Granny Mabel, for lending us her best lines,\n"
    "...and thanks to all of Korbo's beta testers for keeping me going...";

// The icon: a King of the program's own number cards.
QPixmap IconPicture() {
    QPixmap pm(48, 64);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    platform::DrawNumberCardImage(p, QRectF(0, 0, 48, 64), 4, 13);
    return pm;
}

}  // namespace

frmAbout::frmAbout(TableView& view, QWidget* parent) : QDialog(parent), view_(view) {
    setWindowTitle("KorboNET: Korbo and Dunmir");
    setModal(true);
    auto* grid = new QGridLayout(this);
    picIcon_ = new QLabel(this);
    picIcon_->setObjectName("picIcon");
    picIcon_->setPixmap(IconPicture());
    picIcon_->installEventFilter(this);
    grid->addWidget(picIcon_, 0, 0, 3, 1, Qt::AlignTop);

    lblDescription_ = new QLabel("KorboNET: Korbo & Dunmir, the card game with an attitude", this);
    QFont title = lblDescription_->font();
    title.setBold(true);
    lblDescription_->setFont(title);
    lblVersion_ = new QLabel(VersionText(), this);
    lblSite_ = new QLabel(QStringLiteral("Korbo's Site: %1").arg(korbogl::kKorboSiteUrl), this);
    label2_ = new QLabel("See the Help/User's Manual for email contact addresses.", this);
    lblDis_ = new QLabel("\nWarning: Highly addictive.", this);
    label3_ = new QLabel(kCredits, this);
    label3_->setWordWrap(true);
    credit_ = new QLabel(this);
    credit_->setObjectName("credit");
    credit_->setWordWrap(true);
    credit_->setVisible(false);
    int row = 0;
    for (QLabel* l : {lblDescription_, lblVersion_, lblSite_, label2_, lblDis_, label3_, credit_})
        grid->addWidget(l, row++, 1);
    cmdOK_ = new QPushButton("OK", this);
    cmdOK_->setObjectName("cmdOK");
    cmdOK_->setDefault(true);
    grid->addWidget(cmdOK_, row, 1, Qt::AlignRight);
    connect(cmdOK_, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    setMinimumWidth(420);
}

void frmAbout::cmdOK_Click() { accept(); }

// The icon's sound plays whatever the sound level.
void frmAbout::picIcon_Click() { view_.PlayResource(SndKind5); }

void frmAbout::picIcon_MouseDown(Qt::MouseButton button) {
    if (button == Qt::RightButton) return;
    credit_->setText(kThanks);
    credit_->setVisible(true);
    // The wrapped lines need more height than the window's least size allows for: it grows
    // to show them whole.
    layout()->activate();
    const int needs = layout()->totalHeightForWidth(width());
    if (height() < needs) resize(width(), needs);
}

bool frmAbout::eventFilter(QObject* watched, QEvent* e) {
    if (watched == picIcon_) {
        if (e->type() == QEvent::MouseButtonPress) picIcon_MouseDown(static_cast<QMouseEvent*>(e)->button());
        else if (e->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton)
            picIcon_Click();
    }
    return QDialog::eventFilter(watched, e);
}

}  // namespace korbo::ui
