#include "dialogs/frmChat.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>
#include <cctype>

#include "app/web_page.h"
#include "display/scale_controls.h"
#include "display/table_controls.h"
#include "display/table_window.h"
#include "net/protocol.h"

namespace korbo::ui {

namespace {

QString Q(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

// Blanks trimmed at both ends, as the game trims a typed line (tabs and the like stay).
QString TrimBlanks(const QString& s) {
    qsizetype b = 0, e = s.size();
    while (b < e && s[b] == ' ') ++b;
    while (e > b && s[e - 1] == ' ') --e;
    return s.mid(b, e - b);
}

// A chat line travels as one line of the wire: a line break in it would end the message.
QString OneLine(QString s) {
    s.replace('\r', ' ');
    s.replace('\n', ' ');
    return s;
}

// The web prefix, in any case, opens a received line's address test.
bool HasWebPrefix(std::string_view text) {
    static constexpr std::string_view prefix = "HTTP";
    if (text.size() < prefix.size()) return false;
    for (size_t i = 0; i < prefix.size(); ++i)
        if (std::toupper(static_cast<unsigned char>(text[i])) != prefix[i]) return false;
    return true;
}

// The screen narrower than this takes the smaller chat window.
constexpr long kNarrowScreenTwips = 10000;

}  // namespace

frmChat::frmChat(TableWindow& table, QWidget* parent) : QWidget(parent, Qt::Window), table_(table) {
    setWindowTitle("RUZAVovu Thoughts");
    auto* layout = new QVBoxLayout(this);
    text1_ = new QPlainTextEdit(this);
    text1_->setObjectName("Text1");
    text1_->setReadOnly(true);
    text1_->setMinimumHeight(120);
    layout->addWidget(text1_, 1);

    auto* line = new QHBoxLayout;
    text2_ = new QLineEdit(this);
    text2_->setObjectName("Text2");
    text2_->installEventFilter(this);
    line->addWidget(text2_, 1);
    command1_ = new QPushButton("Send Message", this);
    command1_->setObjectName("Command1");
    // Enter on the focused button sends, as the Enter in the message box leads there.
    command1_->setAutoDefault(true);
    connect(command1_, &QPushButton::clicked, this, [this] { Command1_Click(); });
    line->addWidget(command1_);
    layout->addLayout(line);

    auto* phrases = new QGridLayout;
    for (int i = 1; i <= kPhrases; ++i) {
        auto* b = new QPushButton(this);
        b->setObjectName(QString("CmdChat%1").arg(i));
        b->setFocusPolicy(Qt::NoFocus);
        connect(b, &QPushButton::clicked, this, [this, i] { CmdChat_Click(i); });
        phrases->addWidget(b, (i - 1) / 4, (i - 1) % 4);
        cmdChat_[static_cast<size_t>(i)] = b;
    }
    layout->addLayout(phrases);
    setTabOrder(text2_, command1_);
}

// --- loading and unloading -------------------------------------------------------------------

void frmChat::ShowChat() {
    if (!loaded_) Form_Load();
    show();
}

void frmChat::Form_Load() {
    loaded_ = true;
    const Game& g = table_.TheGame();
    const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    const double heightTwips = (s ? s->geometry().height() : 768) * TwipsPerPixel();
    if (g.ScreenWidth < kNarrowScreenTwips) ScaleFormControls(*this, 5, 3, g.ScreenWidth, heightTwips, true);
    else ScaleFormControls(*this, 4, 0, g.ScreenWidth, heightTwips, true);
    PlaceBesideTable();
    for (int i = 1; i <= kPhrases; ++i) SetPhrase(i, g.Comments[static_cast<size_t>(i)]);
    SetOnTop(true);
}

void frmChat::Form_Unload() {
    SetOnTop(false);
    hide();
    history_.clear();
    text1_->clear();
    text2_->clear();
    loaded_ = false;
}

void frmChat::closeEvent(QCloseEvent* event) {
    Form_Unload();
    event->accept();
}

// To the right of the table when there is room on its screen, else to its left.
void frmChat::PlaceBesideTable() {
    const QWidget* table = parentWidget();
    if (!table) return;
    const QRect t = table->frameGeometry();
    const QScreen* s = table->screen();
    const QRect room = s ? s->availableGeometry() : QRect();
    QPoint at(t.right() + 1, t.top());
    if (!room.isNull() && at.x() + width() > room.right()) at.setX(std::max(room.left(), t.left() - width()));
    move(at);
}

void frmChat::SetOnTop(bool on) {
    if (on != windowFlags().testFlag(Qt::WindowStaysOnTopHint)) {
        // Changing the flag takes the window off the screen: it comes back where it was.
        const bool shown = isVisible();
        const QRect place = geometry();
        setWindowFlag(Qt::WindowStaysOnTopHint, on);
        setGeometry(place);
        if (shown) show();
    }
    onTop_ = on;
    if (OnTopChanged) OnTopChanged(on);
}

// --- the history ------------------------------------------------------------------------------

void frmChat::AddHistoryLine(const QString& line) {
    history_ += line;
    history_ += '\n';
    if (history_.size() > kHistoryLimit) history_ = history_.right(kHistoryKept);
    text1_->setPlainText(history_);
    ShowHistoryEnd();
}

void frmChat::ShowHistoryEnd() {
    text1_->moveCursor(QTextCursor::End);
    text1_->verticalScrollBar()->setValue(text1_->verticalScrollBar()->maximum());
}

void frmChat::SetSendEnabled(bool on) { command1_->setEnabled(on); }
bool frmChat::SendEnabled() const { return command1_->isEnabled(); }

void frmChat::SetPhrase(int index, std::string_view text) {
    if (index < 1 || index > kPhrases) return;
    cmdChat_[static_cast<size_t>(index)]->setText(Q(text));
}

// --- lines sent and received ----------------------------------------------------------------

void frmChat::CmdChat_Click(int index) {
    if (index < 1 || index > kPhrases) return;
    text2_->setText(Q(table_.TheGame().Comments[static_cast<size_t>(index)]));
}

void frmChat::Command1_Click() {
    const QString text = TrimBlanks(OneLine(text2_->text()));
    ++ChatSeqOut;
    if (Send) Send(net::ChatMsg(ChatSeqOut, text.toStdString()));
    AddHistoryLine(Q(table_.TheGame().PlayerName) + ": " + text);
    text2_->clear();
}

frmChat::Arrival frmChat::ReceiveChat(long number, bool numbered, std::string_view text) {
    if (numbered) {
        if (number <= ChatSeqIn) return Arrival::Ignored;
        ChatSeqIn = number;
    }
    Game& g = table_.TheGame();
    const QString shown = Q(text);
    if (numbered && HasWebPrefix(text) && korbogl::IsWebAddress(shown)) {
        korbogl::OpenWebPage(g.View(), shown);
        return Arrival::Opened;
    }
    AddHistoryLine(Q(g.OppName) + ": " + shown);
    g.View().PlayResource(SndDeal);
    g.View().SetCaption(Ctl::Label9, 2, text);
    return Arrival::Shown;
}

// Enter in the message box does not send: it moves the focus on to the Send button.
bool frmChat::eventFilter(QObject* watched, QEvent* event) {
    if (watched == text2_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            focusNextChild();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace korbo::ui
