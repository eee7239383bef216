#include "dialogs/frmChat.h"

#include <QCloseEvent>
#include <QEvent>
#include <QGridLayout>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionButton>
#include <QVBoxLayout>
#include <algorithm>

#include "controls/scale_controls.h"
#include "controls/table_controls.h"
#include "controls/table_window.h"
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

// The screen narrower than this takes the smaller chat window.
constexpr long kNarrowScreenTwips = 10000;

}  // namespace

// A canned phrase on its button reads from its start: where the button is too narrow it is
// cut at its end with an ellipsis (a button's own clipping would show a slice from its
// middle); the tip holds it whole.
class PhraseButton : public QPushButton {
public:
    explicit PhraseButton(QWidget* parent) : QPushButton(parent) {}

    void SetPhrase(const QString& phrase) {
        phrase_ = phrase;
        setToolTip(phrase);
        Fit();
    }

    // The width the button needs to show its whole phrase.
    int WholeWidth() const {
        QStyleOptionButton opt;
        initStyleOption(&opt);
        opt.text = phrase_;
        const QSize text = fontMetrics().size(Qt::TextShowMnemonic, phrase_);
        return style()->sizeFromContents(QStyle::CT_PushButton, &opt, text, this).width();
    }

protected:
    void resizeEvent(QResizeEvent* event) override {
        QPushButton::resizeEvent(event);
        Fit();
    }
    void changeEvent(QEvent* event) override {
        QPushButton::changeEvent(event);
        if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) Fit();
    }

private:
    void Fit() {
        QStyleOptionButton opt;
        initStyleOption(&opt);
        const int room = style()->subElementRect(QStyle::SE_PushButtonContents, &opt, this).width();
        const QString shown = fontMetrics().elidedText(phrase_, Qt::ElideRight, std::max(room, 0));
        if (shown != text()) setText(shown);
    }

    QString phrase_;
};

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

    auto* phrases = phrases_ = new QGridLayout;
    for (int i = 1; i <= kPhrases; ++i) {
        auto* b = new PhraseButton(this);
        b->setObjectName(QString("CmdChat%1").arg(i));
        b->setFocusPolicy(Qt::NoFocus);
        // A long phrase is cut on its button rather than widening the window past the screen.
        b->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        connect(b, &QPushButton::clicked, this, [this, i] { CmdChat_Click(i); });
        phrases->addWidget(b, (i - 1) / kPhraseColumns, (i - 1) % kPhraseColumns);
        cmdChat_[static_cast<size_t>(i)] = b;
    }
    for (int c = 0; c < kPhraseColumns; ++c) phrases->setColumnStretch(c, 1);
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
    // Every load finds Send ready, as a window loaded afresh would, whatever the last
    // network game left it in.
    command1_->setEnabled(true);
    const Game& g = table_.TheGame();
    // Unloading only hides the window and its controls keep their scale: they are scaled at
    // the first load only, and a later load gives the window back the size the first gave it.
    if (firstSize_.isValid()) {
        resize(firstSize_);
    } else {
        const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
        const double heightTwips = (s ? s->geometry().height() : 768) * TwipsPerPixel();
        if (g.ScreenWidth < kNarrowScreenTwips) ScaleFormControls(*this, 5, 3, g.ScreenWidth, heightTwips, true);
        else ScaleFormControls(*this, 4, 0, g.ScreenWidth, heightTwips, true);
    }
    for (int i = 1; i <= kPhrases; ++i) SetPhrase(i, g.Comments[static_cast<size_t>(i)]);
    FitToScreen();
    if (!firstSize_.isValid()) firstSize_ = size();
    PlaceBesideTable();
    SetOnTop(true);
}

void frmChat::Form_Unload() {
    SetOnTop(false);
    hide();
    SetHistory({});
    text2_->clear();
    loaded_ = false;
}

void frmChat::closeEvent(QCloseEvent* event) {
    Form_Unload();
    event->accept();
}

// The width the window needs to show every phrase whole on its button.
int frmChat::PhrasesWidth() const {
    int widest = 0;
    for (int i = 1; i <= kPhrases; ++i) widest = std::max(widest, cmdChat_[static_cast<size_t>(i)]->WholeWidth());
    const QMargins m = layout()->contentsMargins();
    const int spacing = std::max(phrases_->horizontalSpacing(), 0);
    return m.left() + m.right() + kPhraseColumns * widest + (kPhraseColumns - 1) * spacing;
}

// Scaled for a large screen, the window's phrases would make it wider than the screen: it
// takes its natural width (whole phrases included) where that fits beside the table, else
// the room on the side of the table that has more of it (a third of the screen at least),
// never more than the screen.
void frmChat::FitToScreen() {
    const QWidget* table = parentWidget();
    const QScreen* s = table && table->screen() ? table->screen() : QGuiApplication::primaryScreen();
    if (!s) return;
    const QRect room = s->availableGeometry();
    const int frame = table ? table->frameGeometry().width() - table->geometry().width() : 0;
    const int beside = table ? std::max(room.right() - table->frameGeometry().right(),
                                        table->frameGeometry().left() - room.left()) - frame
                             : room.width();
    const int most = std::min(std::max(beside, room.width() / 3), room.width() - frame);
    const int natural = std::max({width(), sizeHint().width(), PhrasesWidth()});
    resize(std::min(natural, most), std::max(height(), sizeHint().height()));
}

// To the right of the table when there is room on its screen, else to its left; its title
// bar level with the table's. A window shown before is placed by its frame; one not shown
// yet by its inside, as its frame is not known yet, so the table's inside corner gives the
// place. Either way every opening stands at the same place beside the table.
void frmChat::PlaceBesideTable() {
    const QWidget* table = parentWidget();
    if (!table) return;
    const QRect t = table->frameGeometry();
    const QRect inside = table->geometry();
    const int border = inside.left() - t.left();
    const QScreen* s = table->screen();
    const QRect room = s ? s->availableGeometry() : QRect();
    // The window's frame, a border either side of its inside, stays on the screen.
    int frameLeft = t.right() + 1;
    if (!room.isNull() && frameLeft + width() + 2 * border - 1 > room.right())
        frameLeft = std::max(room.left(), t.left() - width() - 2 * border);
    if (testAttribute(Qt::WA_WState_Created)) move(frameLeft, t.top());
    else move(frameLeft + border, inside.top());
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

void frmChat::SetHistory(QString history) {
    if (history.size() > kHistoryLimit) history = history.right(kHistoryKept);
    history_ = std::move(history);
    QString shown = history_;
    shown.replace("\r\n", "\n");
    text1_->setPlainText(shown);
}

void frmChat::SetText1(const std::string& history) { SetHistory(Q(history)); }

void frmChat::AddHistoryLine(const QString& line) {
    QString history = history_;
    if (!history.isEmpty()) history += Q(CRLF);
    history += line;
    SetHistory(std::move(history));
    ShowHistoryEnd();
}

void frmChat::ShowHistoryEnd() {
    text1_->moveCursor(QTextCursor::End);
    text1_->verticalScrollBar()->setValue(text1_->verticalScrollBar()->maximum());
}

void frmChat::SetCommand1Enabled(bool on) { command1_->setEnabled(on); }
bool frmChat::Command1Enabled() const { return command1_->isEnabled(); }

QPushButton* frmChat::CmdChat(int i) const { return cmdChat_.at(static_cast<size_t>(i)); }

void frmChat::SetPhrase(int index, std::string_view text) {
    if (index < 1 || index > kPhrases) return;
    cmdChat_[static_cast<size_t>(index)]->SetPhrase(Q(text));
}

// --- a line sent ----------------------------------------------------------------------------------

void frmChat::CmdChat_Click(int index) {
    if (index < 1 || index > kPhrases) return;
    text2_->setText(Q(table_.TheGame().Comments[static_cast<size_t>(index)]));
}

void frmChat::Command1_Click() {
    Game& g = table_.TheGame();
    const QString text = TrimBlanks(OneLine(text2_->text()));
    ++g.ChatSeqOut;
    g.Server_Send(net::ChatMsg(g.ChatSeqOut, text.toStdString()));
    AddHistoryLine(Q(g.PlayerName) + ": " + text);
    text2_->clear();
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
