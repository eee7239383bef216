// The preferences dialog: its controls, opening, the tabs and the keys. The handlers of
// each tab and Apply are in frmOptions_tabs.cpp.
#include "display/frmOptions.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

#include "controls/table_controls.h"
#include "controls/table_window.h"
#include "platform/card_library.h"
#include "platform/tab_strip.h"
#include "game/persona_slots.h"

namespace korbo::ui {

namespace {

int Px(double twips) { return Nearest(twips / TwipsPerPixel()); }
QRect Tw(double l, double t, double w, double h) { return QRect(Px(l), Px(t), Px(w), Px(h)); }

// The dialog's design, in twips.
constexpr double kStripWidth = 5595, kStripHeight = 5715, kStripLeft = 250, kStripTop = 120;
constexpr double kWider = 500, kHigher = 1300, kButtonsBelow = 300;
constexpr double kButtonWidth = 1215, kButtonHeight = 375;
constexpr double kFaceWidth = 690, kFaceHeight = 930, kFaceGap = 60;

struct TabDesign {
    const char* caption;
    const char* key;
    const char* toolTip;
};
constexpr TabDesign kTabDesign[frmOptions::kTabs] = {
    {"Pick a Card", "Group1", "Set Options for Group 1"},
    {"Deck Styles", "Group2", "Set Options for Group 2"},
    {"Font Properties", "Group3", "Set Options for Group 3"},
    {"Ruzavovu Sounds", "Group4", "Set Options for Group 4"},
    {"Personality", "Group5", "Set Options for Group 5"},
};
const char* const kStyleNames[] = {"", "Dunmir", "Artsy", "Shout", "Korbo's", "Viking", "Picture"};
// The SoundSlot captions of the sound buttons.
const char* const kSoundCaptions[] = {"",      "Wild Card", "Turn Over", "Win1",  "Win2",  "Win3",
                                      "Win4",  "Lose1",     "Lose2",     "Lose3", "Lose4", "Whining",
                                      "Thanks", "Yeah!",    "Winner",    "Play Wild"};

QLabel* MakeLabel(QWidget* parent, const QString& text, const QRect& r, bool wrap = true) {
    auto* l = new QLabel(text, parent);
    l->setGeometry(r);
    l->setWordWrap(wrap);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return l;
}

QPushButton* MakeButton(QWidget* parent, const QString& text, const QRect& r) {
    auto* b = new QPushButton(text, parent);
    b->setGeometry(r);
    return b;
}

}  // namespace

frmOptions::frmOptions(TableWindow& table, QWidget* parent) : QDialog(parent), table_(table) {
    setWindowTitle("Preferences");
    setModal(true);
    BuildTabs();
    Form_Load();
}

frmOptions::~frmOptions() = default;

PictureBox* frmOptions::MakePicture(QWidget* parent, int index, double l, double t, double w, double h) {
    auto* box = new PictureBox(parent);
    box->setObjectName(QString("FilePic_%1").arg(index));
    box->setGeometry(Tw(l, t, w, h));
    box->SetBorderStyle(1);
    box->picturePainter = [this](QPainter& p, const QRectF& r, const PictureSpec& s) {
        const QSize size = r.size().toSize();
        if (s.kind == PictureSpec::Kind::Pile) platform::DrawPilePicture(p, r, s.a);
        else if (s.kind == PictureSpec::Kind::NumberFace) p.drawPixmap(r.topLeft(), table_.CardFace(s.a, s.b, size));
        else if (s.kind == PictureSpec::Kind::DesignerBack)
            p.drawPixmap(r.topLeft(), table_.CardFace(s.a, platform::kCardBackImage, size));
    };
    // Picture cards are drawn by the card library at the preview's top left corner.
    box->cardPainter = [this](QPainter& p, const QRectF& r, int id) {
        p.drawPixmap(r.topLeft(), table_.CardFace(prefs::kPictureCards, id, r.size().toSize()));
    };
    box->onMouseUp = [this, index](int button, int, double, double) {
        if (button == btn::Left) FilePic_Click(index);
    };
    filePic_[static_cast<size_t>(index)] = box;
    return box;
}

void frmOptions::BuildTabs() {
    // 1. The strip, the dialog around it, the buttons under it, the frames over it.
    tbsOptions_ = new platform::TabStrip(this);
    tbsOptions_->setObjectName("tbsOptions");
    for (const auto& t : kTabDesign) tbsOptions_->AddTab(t.caption, t.key, t.toolTip);
    tbsOptions_->setGeometry(Tw(kStripLeft, kStripTop, kStripWidth, kStripHeight));
    setFixedSize(Px(kStripWidth + kWider), Px(kStripHeight + kHigher));
    const double buttonsTop = kStripHeight + kButtonsBelow;
    const double right = kStripLeft + kStripWidth;
    cmdOK_ = MakeButton(this, "&OK", Tw(right - 3 * kButtonWidth - 240, buttonsTop, kButtonWidth, kButtonHeight));
    cmdCancel_ = MakeButton(this, "&Cancel", Tw(right - 2 * kButtonWidth - 120, buttonsTop, kButtonWidth, kButtonHeight));
    cmdApply_ = MakeButton(this, "&Apply", Tw(right - kButtonWidth, buttonsTop, kButtonWidth, kButtonHeight));
    cmdOK_->setObjectName("cmdOK");
    cmdCancel_->setObjectName("cmdCancel");
    cmdApply_->setObjectName("cmdApply");
    cmdOK_->setDefault(true);
    connect(cmdOK_, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(cmdCancel_, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
    connect(cmdApply_, &QPushButton::clicked, this, [this] { cmdApply_Click(); });
    const QRect client = tbsOptions_->ClientArea();
    for (int i = 0; i < kTabs; ++i) {
        auto* f = new QWidget(this);
        f->setObjectName(QString("FrmOp_%1").arg(i));
        f->setGeometry(client);
        frmOp_[static_cast<size_t>(i)] = f;
    }
    BuildCardTab(frmOp_[0]);
    BuildDeckTab(frmOp_[1]);
    BuildFontTab(frmOp_[2]);
    BuildSoundTab(frmOp_[3]);
    BuildPersonTab(frmOp_[4]);
    for (int i = 1; i < kTabs; ++i) frmOp_[static_cast<size_t>(i)]->hide();
    frmOp_[0]->raise();
    tbsOptions_->onClick = [this] { tbsOptions_Click(); };
}

void frmOptions::BuildCardTab(QWidget* f) {
    auto* group = new QButtonGroup(f);
    for (int i = 1; i <= prefs::kPictureCards; ++i) {
        auto* b = new QRadioButton(kStyleNames[i], f);
        b->setObjectName(QString("OptCard_%1").arg(i));
        b->setGeometry(Tw(120 + ((i - 1) / 3) * 2600, 120 + ((i - 1) % 3) * 300, 2400, 300));
        group->addButton(b);
        connect(b, &QRadioButton::clicked, this, [this, i] { OptCard_Click(i); });
        optCard_[static_cast<size_t>(i)] = b;
    }
    lblImage_[4] = MakeLabel(f, "Pick a card", Tw(120, 1080, 5200, 600));
    for (int i = 1; i <= kFaces; ++i) {
        const int row = i <= 7 ? 0 : 1, col = row == 0 ? i - 1 : i - 8;
        PictureBox* box = MakePicture(f, i, 120 + col * (kFaceWidth + kFaceGap), 1800 + row * (kFaceHeight + kFaceGap),
                                      kFaceWidth, kFaceHeight);
        box->setToolTip("If the numbers don't look right, see the instructions under the HELP menu.");
        box->SetBackColor(0xFFFFFF);
    }
}

void frmOptions::BuildDeckTab(QWidget* f) {
    // The label's four lines stand clear of the deck under them.
    lblImage_[1] = MakeLabel(f, "Standard Deck Style", Tw(120, 60, 2500, 1130));
    MakePicture(f, kStandardDeck, 120, 1200, kFaceWidth, kFaceHeight)->setToolTip("Click to select Standard Deck style");
    command2_[0] = MakeButton(f, "Deck Color", Tw(900, 1200, 1300, kButtonHeight));
    command2_[0]->setToolTip("Click on the KD card to reset default card back color");
    lblImage_[0] = MakeLabel(f, "Reset defaults:", Tw(2700, 60, 1400, 300));
    MakePicture(f, kResetCard, 2700, 400, kFaceWidth, kFaceHeight)
        ->setToolTip("Click here to restore default deck and deck back color");
    MakeLabel(f, "Current Deck", Tw(4200, 60, 1300, 300));
    MakePicture(f, kCurrentDeck, 4200, 400, kFaceWidth, kFaceHeight);
    lblImage_[2] = MakeLabel(f, "Designer", Tw(120, 2150, 5200, 300));
    for (int d = kFirstDesigner; d <= kLastDesigner; ++d)
        MakePicture(f, d, 120 + (d - kFirstDesigner) * (kFaceWidth + kFaceGap), 2450, kFaceWidth, kFaceHeight)
            ->setToolTip("Click on a deck to select");
    labNot256_ = MakeLabel(f, "-- Not for 256 colors --", Tw(120, 3450, 2600, 300));
    labNot256_->hide();
    command2_[1] = MakeButton(f, "Mat Color", Tw(120, 3850, 1300, kButtonHeight));
    frame1_ = new QWidget(f);
    frame1_->setObjectName("Frame1");
    frame1_->setGeometry(Tw(1550, 3800, 1100, 500));
    frame1_->setAutoFillBackground(true);
    imgBack_ = new QLabel(f);
    imgBack_->setObjectName("ImgBack");
    imgBack_->setGeometry(Tw(2900, 3450, 2400, 1550));
    imgBack_->setScaledContents(true);
    for (int i = 0; i <= 1; ++i) {
        command2_[static_cast<size_t>(i)]->setObjectName(QString("Command2_%1").arg(i));
        connect(command2_[static_cast<size_t>(i)], &QPushButton::clicked, this, [this, i] { Command2_Click(i); });
    }
}

void frmOptions::BuildFontTab(QWidget* f) {
    MakeLabel(f, "Ruzavovu Comments Area", Tw(120, 60, 5200, 300));
    frame3_ = new QWidget(f);
    frame3_->setObjectName("Frame3");
    frame3_->setGeometry(Tw(120, 420, 2550, 2100));
    frame3_->setAutoFillBackground(true);
    imgBackFnt_ = new QLabel(f);
    imgBackFnt_->setObjectName("ImgBackFnt");
    imgBackFnt_->setGeometry(Tw(2790, 420, 2550, 2100));
    imgBackFnt_->setScaledContents(true);
    for (int i = 0; i <= 1; ++i) {
        QWidget* under = i == 0 ? frame3_ : imgBackFnt_;
        lblFont_[static_cast<size_t>(i)] = MakeLabel(under, "This is how ", under->rect().adjusted(6, 6, -6, -6));
        lblFont_[static_cast<size_t>(i)]->setObjectName(QString("LblFont_%1").arg(i));
    }
    cmdSz_[0] = MakeButton(f, "+size", Tw(120, 2650, 1000, kButtonHeight));
    cmdSz_[0]->setToolTip("One pill makes you larger");
    cmdSz_[1] = MakeButton(f, "-size", Tw(1200, 2650, 1000, kButtonHeight));
    cmdSz_[1]->setToolTip("and one pill makes you small");
    command2_[2] = MakeButton(f, "Font Color", Tw(2790, 2650, 1250, kButtonHeight));
    command2_[3] = MakeButton(f, "Mat Color", Tw(4090, 2650, 1250, kButtonHeight));
    ckFnt_ = new QCheckBox("Use Font Backdrop", f);
    ckFnt_->setObjectName("CKFnt");
    ckFnt_->setGeometry(Tw(120, 3200, 2600, 300));
    cmdRestore_ = MakeButton(f, "Restore", Tw(4090, 3160, 1250, kButtonHeight));
    for (int i = 0; i <= 1; ++i)
        connect(cmdSz_[static_cast<size_t>(i)], &QPushButton::clicked, this, [this, i] { CmdSz_Click(i); });
    for (int i = 2; i <= 3; ++i) {
        command2_[static_cast<size_t>(i)]->setObjectName(QString("Command2_%1").arg(i));
        connect(command2_[static_cast<size_t>(i)], &QPushButton::clicked, this, [this, i] { Command2_Click(i); });
    }
    connect(ckFnt_, &QCheckBox::clicked, this, [this] { CKFnt_Click(); });
    connect(cmdRestore_, &QPushButton::clicked, this, [this] { CmdRestore_Click(); });
}

void frmOptions::BuildSoundTab(QWidget* f) {
    label3_ = MakeLabel(f, "SOUNDS for current personality:", Tw(120, 60, 5200, 300));
    label2_ = MakeLabel(f, "", Tw(120, 390, 5200, 1700));
    QFont small = label2_->font();
    small.setPointSizeF(small.pointSizeF() * 0.9);
    label2_->setFont(small);
    for (int i = 1; i <= 15; ++i) {
        auto* b = new QRadioButton(kSoundCaptions[i], f);
        b->setObjectName(QString("Option1_%1").arg(i));
        b->setAutoExclusive(false);
        b->setGeometry(Tw(120 + ((i - 1) / 5) * 1750, 2150 + ((i - 1) % 5) * 290, 1700, 290));
        connect(b, &QRadioButton::clicked, this, [this, i] { Option1_Click(i); });
        option1_[static_cast<size_t>(i)] = b;
    }
    option1_[SoundWinner]->setToolTip("Choose your own Intro music!");
    auto* frameUse = new QGroupBox(f);
    frameUse->setObjectName("FrameUse");
    frameUse->setGeometry(Tw(120, 3700, 3100, 650));
    const char* schemes[] = {"Use Default", "Use Custom"};
    for (int i = 0; i <= 1; ++i) {
        auto* b = new QRadioButton(schemes[i], frameUse);
        b->setObjectName(QString("Option2_%1").arg(i));
        b->setGeometry(Tw(120 + i * 1480, 180, 1450, 300));
        connect(b, &QRadioButton::clicked, this, [this, i] { Option2_Click(i); });
        option2_[static_cast<size_t>(i)] = b;
    }
    command1_ = MakeButton(f, "Change", Tw(3350, 3820, 1200, kButtonHeight));
    command1_->setObjectName("Command1");
    command1_->setEnabled(false);
    connect(command1_, &QPushButton::clicked, this, [this] { Command1_Click(); });
    label1_ = MakeLabel(f, "", Tw(120, 4450, 5200, 600));
    label1_->setObjectName("Label1");
}

void frmOptions::BuildPersonTab(QWidget* f) {
    QLabel* title = MakeLabel(f, "Personality Adjustment", Tw(120, 120, 5200, 360));
    QFont big = title->font();
    big.setBold(true);
    title->setFont(big);
    MakeLabel(f, "Personality:", Tw(120, 660, 1300, 300));
    combo1_ = new QComboBox(f);
    combo1_->setObjectName("Combo1");
    combo1_->setGeometry(Tw(1500, 600, 2800, 360));
    connect(combo1_, &QComboBox::activated, this, [this](int) { Combo1_Click(); });
    const char* boxes[] = {"Disable Win Game Animation", "Disable Game Comments", "Disable Lose Game Animation"};
    for (int i = 0; i <= 2; ++i) {
        auto* c = new QCheckBox(boxes[i], f);
        c->setObjectName(QString("Check1_%1").arg(i));
        c->setGeometry(Tw(120, 1400 + i * 400, 4000, 330));
        // A change of tick, by the player or by the tab's preparation, runs the box's step.
        connect(c, &QCheckBox::toggled, this, [this, i](bool) { Check1_Click(i); });
        check1_[static_cast<size_t>(i)] = c;
    }
}

void frmOptions::Form_Load() {
    Game& g = table_.TheGame();
    // 1. Centred on the screen.
    if (const QScreen* s = screen()) move(s->availableGeometry().center() - rect().center());
    // 2. The personas.
    const int personas = std::min<int>(g.PersonaFileCount, static_cast<int>(g.PeopleNames.size()) - 1);
    combo1_->addItem("Korbo");
    for (int i = 1; i <= personas; ++i) combo1_->addItem(QString::fromStdString(g.PeopleNames[static_cast<size_t>(i)]));
    if (g.PersonIndex < 0 || g.PersonIndex > personas) g.PersonIndex = 0;
    combo1_->setCurrentIndex(g.PersonIndex);
    pendingPerson_ = g.PersonIndex;
    // 3.-4. The first tab.
    PrepareTab(1);
    // 5.
    SetApply(false);
    cmdCancel_->setEnabled(true);
}

void frmOptions::SetApply(bool on) { cmdApply_->setEnabled(on); }

void frmOptions::tbsOptions_Click() {
    const int tab = tbsOptions_->SelectedItem();
    for (int i = 0; i < kTabs; ++i) frmOp_[static_cast<size_t>(i)]->setVisible(i == tab - 1);
    frmOp_[static_cast<size_t>(tab - 1)]->raise();
    PrepareTab(tab);
    SetApply(false);
}

void frmOptions::PrepareTab(int tab) {
    Game& g = table_.TheGame();
    switch (tab) {
        case 1:
            lblImage_[4]->setText("Select the style of cards numbers you would like to use."
                                  "  Clicking on a choice will display the set.");
            OptCard_Click(g.CardStyle >= 1 && g.CardStyle <= prefs::kPictureCards ? g.CardStyle : 1);
            break;
        case 2: PrepareDecks(); break;
        case 3: PrepareFonts(); break;
        case 4: PrepareSounds(); break;
        case 5: PreparePerson(); break;
        default: break;
    }
}

bool frmOptions::event(QEvent* e) {
    // Ctrl+Tab reaches the dialog before the focus moves on.
    if (e->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(e);
        if (k->key() == Qt::Key_Tab && (k->modifiers() & Qt::ControlModifier)) {
            Form_KeyDown(9, keys::Ctrl);
            return true;
        }
    }
    return QDialog::event(e);
}

void frmOptions::Form_KeyDown(int keyCode, int shift) {
    if (keyCode != 9 || shift != keys::Ctrl) return;
    const int tab = tbsOptions_->SelectedItem();
    tbsOptions_->SetSelectedItem(tab >= kTabs ? 1 : tab + 1);
}

}  // namespace korbo::ui
