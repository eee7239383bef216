#include "dialogs/frmRules.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "game/house_rules.h"
#include "platform/help_viewer.h"

namespace korbo::ui {

namespace {
constexpr const char* kHelpKeyword = "rules, changing the rules";
constexpr const char* kNewRulesText = "A new game will be started in order for the changed rules to take effect.";
constexpr const char* kSendingText = "\r\nSending New game to opponent.";
constexpr int16_t kForcedMasks[3] = {ForcedAce, ForcedTwo, VisibleOnly};

void Select(QRadioButton* b) {
    const QSignalBlocker block(b);
    b->setChecked(true);
}
}  // namespace

frmRules::frmRules(Game& g, std::string& rulesText, QWidget* parent) : QDialog(parent), g_(g), rulesText_(rulesText) {
    setWindowTitle("Rules");
    setModal(true);
    auto* grid = new QGridLayout(this);

    auto* side = new QGroupBox("Side Piles", this);
    side->setObjectName("fraSideStack");
    auto* sideBox = new QVBoxLayout(side);
    const char* sideNames[4] = {"20 cards", "26 cards", "15 cards", "10 cards"};
    for (int i = 0; i < 4; ++i) {
        optSide_[static_cast<size_t>(i)] = new QRadioButton(sideNames[i], side);
        optSide_[static_cast<size_t>(i)]->setObjectName(QString("optSide_%1").arg(i));
        sideBox->addWidget(optSide_[static_cast<size_t>(i)]);
        connect(optSide_[static_cast<size_t>(i)], &QRadioButton::clicked, this, [this, i] { optSide_Click(i); });
    }
    grid->addWidget(side, 0, 0, 2, 1);

    auto* shuffle = new QGroupBox("Setup Deck Shuffle", this);
    shuffle->setObjectName("fraShuffle");
    auto* shuffleBox = new QVBoxLayout(shuffle);
    const char* shuffleNames[2] = {"Shuffle decks together", "Shuffle decks separately"};
    for (int i = 0; i < 2; ++i) {
        optShuffle_[static_cast<size_t>(i)] = new QRadioButton(shuffleNames[i], shuffle);
        optShuffle_[static_cast<size_t>(i)]->setObjectName(QString("optShuffle_%1").arg(i));
        shuffleBox->addWidget(optShuffle_[static_cast<size_t>(i)]);
        connect(optShuffle_[static_cast<size_t>(i)], &QRadioButton::clicked, this, [this, i] { optShuffle_Click(i); });
    }
    grid->addWidget(shuffle, 0, 1);

    auto* forced = new QGroupBox("Forced Cards", this);
    forced->setObjectName("fraForced");
    auto* forcedBox = new QVBoxLayout(forced);
    chkNoForced_ = new QCheckBox("No Forced cards", forced);
    chkNoForced_->setObjectName("chkNoForced");
    forcedBox->addWidget(chkNoForced_);
    connect(chkNoForced_, &QCheckBox::clicked, this, [this] { chkNoForced_Click(); });
    const char* forcedNames[3] = {"Forced Ace", "Forced Two", "Force visible cards only (V)"};
    for (int k = 0; k < 3; ++k) {
        const int mask = kForcedMasks[k];
        auto* box = new QCheckBox(forcedNames[k], forced);
        box->setObjectName(QString("chkForced_%1").arg(mask));
        chkForced_[static_cast<size_t>(mask)] = box;
        forcedBox->addWidget(box);
        connect(box, &QCheckBox::clicked, this, [this, mask] { chkForced_Click(mask); });
    }
    grid->addWidget(forced, 1, 1);

    auto* wild = new QGroupBox("Wild Card", this);
    wild->setObjectName("FraWild");
    auto* wildBox = new QVBoxLayout(wild);
    chkWild_ = new QCheckBox("Can't use Wild card as Ace", wild);
    chkWild_->setObjectName("chkWild");
    wildBox->addWidget(chkWild_);
    connect(chkWild_, &QCheckBox::clicked, this, [this] { chkWild_Click(); });
    grid->addWidget(wild, 2, 0, 1, 2);

    auto* buttons = new QHBoxLayout;
    cmdSave_ = new QPushButton("&Apply", this);
    cmdReturn_ = new QPushButton("&Cancel", this);
    cmdDefault_ = new QPushButton("Restore &Defaults", this);
    cmdHelp_ = new QPushButton("&Help", this);
    cmdSave_->setObjectName("cmdSave");
    cmdReturn_->setObjectName("cmdReturn");
    cmdDefault_->setObjectName("cmdDefault");
    cmdHelp_->setObjectName("cmdHelp");
    for (QPushButton* b : {cmdSave_, cmdReturn_, cmdDefault_, cmdHelp_}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    grid->addLayout(buttons, 3, 0, 1, 2);
    connect(cmdSave_, &QPushButton::clicked, this, [this] { cmdSave_Click(); });
    connect(cmdReturn_, &QPushButton::clicked, this, [this] { cmdReturn_Click(); });
    connect(cmdDefault_, &QPushButton::clicked, this, [this] { cmdDefault_Click(); });
    connect(cmdHelp_, &QPushButton::clicked, this, [this] { cmdHelp_Click(); });

    Form_Load();
}

QCheckBox* frmRules::chkForced(int mask) const {
    return mask == ForcedAce || mask == ForcedTwo || mask == VisibleOnly ? chkForced_[static_cast<size_t>(mask)] : nullptr;
}

void frmRules::SetTicked(QCheckBox* box, bool on) {
    const QSignalBlocker block(box);
    box->setChecked(on);
}

void frmRules::Form_Load() {
    // 1. The pile size and the shuffle shown.
    if (const int opt = house_rules::SideOption(g_.SideSize); opt >= 0) Select(optSide(opt));
    Select(optShuffle(g_.ShuffleApart ? 1 : 0));
    // 2. A mask the dialog cannot show, or one that forces nothing, is no forced card, in
    //    the setting too.
    if (g_.ForcedRule > house_rules::kMaxMask || g_.ForcedRule < 0) g_.ForcedRule = house_rules::kNoForced;
    g_.ForcedRule = house_rules::ReadForcedMask(g_.ForcedRule);
    // 3. The forced-card boxes offered.
    const bool any = g_.ForcedRule != house_rules::kNoForced;
    for (int mask : kForcedMasks) chkForced(mask)->setEnabled(any);
    if (!any) {
        SetTicked(chkNoForced_, true);
        for (int mask : kForcedMasks) SetTicked(chkForced(mask), false);
        rulesText_.clear();
    }
    // 4. The boxes of the rule in use.
    ReadForcedCards();
    SetTicked(chkWild_, g_.NoWildAce);
    // 5. Nothing chosen yet.
    NewForced = g_.ForcedRule;
    NewSideSize = g_.SideSize;
    NewNoWildAce = g_.NoWildAce;
    NewShuffleApart = g_.ShuffleApart;
}

void frmRules::ReadForcedCards() {
    rulesText_ = house_rules::RulesText(g_.ForcedRule, g_.NoWildAce, g_.DisplayMode, g_.ScreenWidth);
    const int16_t mask = g_.ForcedRule;
    if (mask == ForcedAce || mask == ForcedTwo || mask == 3 || mask == 5 || mask == 6 || mask == 7)
        for (int m : kForcedMasks) SetTicked(chkForced(m), (mask & m) != 0);
}

void frmRules::optSide_Click(int index) {
    if (index >= 0 && index < static_cast<int>(house_rules::kSideSizes.size()))
        NewSideSize = house_rules::kSideSizes[static_cast<size_t>(index)];
}

void frmRules::optShuffle_Click(int index) { NewShuffleApart = index != 0; }

void frmRules::chkForced_Click(int mask) {
    QCheckBox* box = chkForced(mask);
    if (!box) return;
    const bool aceOrTwo = chkForced(ForcedAce)->isChecked() || chkForced(ForcedTwo)->isChecked();
    chkForced(VisibleOnly)->setEnabled(aceOrTwo);
    NewForced = static_cast<int16_t>(NewForced + (box->isChecked() ? mask : -mask));
    // Visible cards alone force nothing: the rule is off, and its box says so.
    if (NewForced == VisibleOnly) {
        NewForced = house_rules::kNoForced;
        SetTicked(chkForced(VisibleOnly), false);
    }
}

void frmRules::chkNoForced_Click() {
    if (chkNoForced_->isChecked()) {
        for (int mask : kForcedMasks) {
            chkForced(mask)->setEnabled(false);
            SetTicked(chkForced(mask), false);
        }
        NewForced = house_rules::kNoForced;
    } else {
        chkForced(ForcedAce)->setEnabled(true);
        chkForced(ForcedTwo)->setEnabled(true);
    }
}

void frmRules::chkWild_Click() { NewNoWildAce = chkWild_->isChecked(); }

void frmRules::cmdDefault_Click() {
    if (g_.SideSize != house_rules::kStandardSideSize) rulesChanged_ = true;
    // These three are the defaults at once, whatever the dialog's end.
    g_.SideSize = house_rules::kStandardSideSize;
    g_.ShuffleApart = false;
    g_.NoWildAce = false;
    Select(optSide(0));
    optSide_Click(0);
    Select(optShuffle(0));
    optShuffle_Click(0);
    SetTicked(chkWild_, false);
    chkWild_Click();
    if (g_.ForcedRule != house_rules::kNoForced && !chkNoForced_->isChecked()) {
        SetTicked(chkNoForced_, true);
        chkNoForced_Click();
    }
    rulesText_.clear();
}

void frmRules::cmdHelp_Click() {
    // A manual that cannot be opened is passed over.
    (void)platform::HelpViewer::Open(QString::fromStdString(g_.DataPath(platform::kHelpFileName)), kHelpKeyword,
                                     this);
}

void frmRules::cmdReturn_Click() { reject(); }

void frmRules::cmdSave_Click() {
    const bool changedBefore = rulesChanged_;
    // 1. A new pile size or shuffle needs a new deal.
    if (NewSideSize != g_.SideSize) rulesChanged_ = true;
    else if (NewShuffleApart != g_.ShuffleApart) rulesChanged_ = true;
    // 2. In a network game any change starts a new game on both tables.
    if (g_.NetActive) {
        rulesChanged_ = true;
        g_.View().SetCaption(Ctl::Label9, 2, kSendingText);
    }
    // 3. The player may still back out of what this Apply asked for; a new game that
    //    Restore Defaults needs for the rules it has already set stays needed.
    if (rulesChanged_ && g_.View().MsgBox(kNewRulesText, mb::OKCancel, "New Rules") == mb::IDCancel) {
        rulesChanged_ = changedBefore;
        return;
    }
    // 4. The rules take the pending values.
    g_.SideSize = NewSideSize;
    g_.ForcedRule = NewForced;
    g_.ShuffleApart = NewShuffleApart;
    g_.NoWildAce = NewNoWildAce;
    // 5.
    ReadForcedCards();
    accept();
}

}  // namespace korbo::ui
