#include "dialogs/frmPlayers.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>

#include "game/player_selection.h"
#include "game/types.h"

namespace korbo::ui {

namespace {

QString Q(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

std::string TrimmedText(const QLineEdit* box) {
    QString s = box->text();
    qsizetype a = 0, b = s.size();
    while (a < b && s[a] == ' ') ++a;
    while (b > a && s[b - 1] == ' ') --b;
    return s.mid(a, b - a).toStdString();
}

constexpr std::string_view kHostStatus = "Click CONNECT to get your IP ADDRESS";
constexpr std::string_view kRemoteStatus = "Enter the Host's IP Address here:";
constexpr std::string_view kHostWait = "WAIT... Your IP Address will appear when ready:";

}  // namespace

frmPlayers::frmPlayers(PlayersDialogSetup setup, QWidget* parent) : QDialog(parent), setup_(std::move(setup)) {
    setWindowTitle("KorboNet");
    setModal(true);
    auto* grid = new QGridLayout(this);
    auto label = [&](const char* name, const char* text, int row, int col, int span = 1) {
        auto* l = new QLabel(text, this);
        l->setObjectName(name);
        grid->addWidget(l, row, col, 1, span);
        return l;
    };
    label("Label1", "Internet Play", 0, 0, 2);
    option1_ = new QRadioButton("You are the HOST player", this);
    option1_->setObjectName("Option1");
    option2_ = new QRadioButton("You are the REMOTE player", this);
    option2_->setObjectName("Option2");
    grid->addWidget(option1_, 1, 0, 1, 2);
    grid->addWidget(option2_, 2, 0, 1, 2);

    // The own-name label's design-time caption is replaced as the window loads.
    playerLabel_ = label("Label2", "Player 1:", 3, 0);
    playerLabel_->setText("KorboNET Player: ");
    for (int i = 0; i < 2; ++i) {
        auto* box = new QLineEdit(this);
        box->setObjectName(QString("TxtOpponent_%1").arg(i));
        txtOpponent_[static_cast<size_t>(i)] = box;
        grid->addWidget(box, 3 + i, 1);
    }
    txtOpponent_[0]->setToolTip("Change your name NOW if you need too!");
    txtOpponent_[1]->setToolTip("You can leave this blank or enter the name YOU want to call your opponent.");
    txtOpponent_[0]->setText(Q(setup_.playerName));
    label("Label3", "KorboNET Opponent:", 4, 0);

    label("Label4", "IP ADDRESS:", 5, 0);
    text2_ = new QLineEdit("192.168.1.1 (example)", this);
    text2_->setObjectName("Text2");
    text2_->setToolTip("The HOST must give you this number.");
    // The example shows from its first digit, not scrolled to its end.
    text2_->setCursorPosition(0);
    grid->addWidget(text2_, 5, 1);
    label("Label6", "PORT Number:", 6, 0);
    text3_ = new QLineEdit("1001", this);
    text3_->setObjectName("Text3");
    text3_->setToolTip("Leave the PORT# alone, unless you have a problem!");
    grid->addWidget(text3_, 6, 1);
    label5_ = label("Label5", "", 7, 0, 2);
    label5_->setText(Q(kHostStatus));

    cmdConnect_ = new QPushButton("Connect", this);
    cmdConnect_->setObjectName("cmdConnect");
    cmdCancel_ = new QPushButton("Cancel", this);
    cmdCancel_->setObjectName("cmdCancel");
    cmdHelp_ = new QPushButton("Help", this);
    cmdHelp_->setObjectName("cmdHelp");
    grid->addWidget(cmdConnect_, 8, 0);
    grid->addWidget(cmdCancel_, 8, 1);
    grid->addWidget(cmdHelp_, 9, 1);
    cmdConnect_->setDefault(true);

    connect(option1_, &QRadioButton::clicked, this, [this] { Option1_Click(); });
    connect(option2_, &QRadioButton::clicked, this, [this] { Option2_Click(); });
    connect(cmdConnect_, &QPushButton::clicked, this, [this] { cmdConnect_Click(); });
    connect(cmdCancel_, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
    connect(cmdHelp_, &QPushButton::clicked, this, [this] { cmdHelp_Click(); });

    // The host is offered first.
    option1_->setChecked(true);
    Option1_Click();
}

int frmPlayers::Box(std::string_view text, int buttons, std::string_view title) {
    if (setup_.msgBox) return setup_.msgBox(text, buttons, title);
    QMessageBox box(this);
    box.setText(Q(text));
    box.setWindowTitle(Q(title));
    box.setIcon((buttons & mb::Critical) ? QMessageBox::Critical : QMessageBox::NoIcon);
    box.exec();
    return mb::IDOK;
}

void frmPlayers::Refocus(QLineEdit* box) {
    box->setFocus();
    box->selectAll();
}

void frmPlayers::Option1_Click() {
    label5_->setText(Q(kHostStatus));
    text2_->setEnabled(false);
    text2_->setCursorPosition(0);
    cmdConnect_->setText("Connect");
}

void frmPlayers::Option2_Click() {
    label5_->setText(Q(kRemoteStatus));
    text2_->setEnabled(true);
    Refocus(text2_);
    cmdConnect_->setText("Ready to Connect");
}

void frmPlayers::cmdConnect_Click() {
    // 1. Only one Korbo.
    if (NetNameRefused(TrimmedText(txtOpponent_[0]))) {
        Box(players_text::KorboName, mb::OKOnly, "");
        Refocus(txtOpponent_[0]);
        return;
    }
    // A new own name names the network score file: no character a file name can't hold.
    if (NetNameUnfitForFile(TrimmedText(txtOpponent_[0]), setup_.playerName)) {
        Box(players::kWarningText, mb::Exclamation, players::kWarningTitle);
        Refocus(txtOpponent_[0]);
        return;
    }
    // 2. The names hold from here on, whatever follows.
    std::string own = TrimmedText(txtOpponent_[0]);
    if (own.empty()) own = setup_.playerName;
    result_.nameApplied = true;
    result_.playerName = own;
    result_.oppName = TrimmedText(txtOpponent_[1]);
    const bool host = option1_->isChecked();
    // 3. The remote needs the host's address.
    if (!host) {
        switch (CheckHostAddress(TrimmedText(text2_))) {
            case AddressCheck::BadLength:
                Box(players_text::BadLength, mb::OKOnly | mb::Critical, players_text::BadLengthTitle);
                Refocus(text2_);
                return;
            case AddressCheck::BadFormat:
                Box(players_text::BadFormat, mb::OKOnly | mb::Critical, players_text::BadFormatTitle);
                Refocus(text2_);
                return;
            case AddressCheck::Ok: break;
        }
        result_.hostAddress = TrimmedText(text2_);
    }
    // A port that is no port would leave the host listening where nobody calls.
    const int port = PortOf(TrimmedText(text3_));
    if (port == 0) {
        Box(players_text::BadPort, mb::OKOnly | mb::Critical, players_text::BadLengthTitle);
        Refocus(text3_);
        return;
    }
    // 4.-6. The choice is made; the game opens the sockets once the window has closed.
    option1_->setEnabled(false);
    option2_->setEnabled(false);
    result_.port = port;
    result_.role = host ? 1 : 0;
    result_.connect = true;
    if (host) label5_->setText(Q(kHostWait));
    done(QDialog::Accepted);
}

void frmPlayers::cmdCancel_Click() {
    result_.connect = false;
    done(QDialog::Rejected);
}

void frmPlayers::cmdHelp_Click() {
    if (setup_.help) setup_.help();
}

}  // namespace korbo::ui
