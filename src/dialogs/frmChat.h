// The chat window "RUZAVovu Thoughts" of a network game: the history of what both players
// said, the line being typed with its Send button, and the twenty canned phrases of the
// persona. Lines sent carry a running number so that the receiver shows each once; a
// received line that is a well-formed web address is opened instead of shown.
//
// The table keeps one window for its whole life: unloading it (closing it, or the end of a
// network game) hides it, forgets its history and takes it off the top; the next showing
// loads it again. The sequence numbers live as long as the window object and are reset
// when the connection window opens.
#pragma once

#include <QString>
#include <QWidget>
#include <array>
#include <functional>
#include <string>
#include <string_view>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace korbo::ui {

class TableWindow;

class frmChat : public QWidget {
    Q_OBJECT
public:
    static constexpr int kPhrases = 20;
    // After a line is added, a history longer than this keeps only its last kHistoryKept
    // characters.
    static constexpr int kHistoryLimit = 4000;
    static constexpr int kHistoryKept = 3700;

    // What became of a received chat line.
    enum class Arrival { Ignored, Opened, Shown };

    explicit frmChat(TableWindow& table, QWidget* parent = nullptr);

    QPlainTextEdit* Text1() const { return text1_; }
    QLineEdit* Text2() const { return text2_; }
    QPushButton* Command1() const { return command1_; }
    QPushButton* CmdChat(int i) const { return cmdChat_.at(static_cast<size_t>(i)); }  // 1..20

    // --- what the table calls ------------------------------------------------------------
    // Sends a finished message line (the table's Server_Send).
    std::function<void(std::string_view message)> Send;
    // The table's always-on-top menu item follows the window's flag.
    std::function<void(bool on)> OnTopChanged;

    // Shows the window, loading it first when it is not loaded.
    void ShowChat();
    bool Loaded() const { return loaded_; }
    void Form_Unload();

    bool OnTop() const { return onTop_; }
    void SetOnTop(bool on);

    // The history as text, and a line added to it (the host's addresses, a received line).
    QString History() const { return history_; }
    void AddHistoryLine(const QString& line);
    void SetSendEnabled(bool on);
    bool SendEnabled() const;
    void SetPhrase(int index, std::string_view text);

    // A received chat line. `numbered` is false for a line that carried no number: it is
    // shown as text, whatever it says. A numbered line not above the last one shown is
    // ignored; a well-formed http or https address is opened; anything else is shown with
    // the opponent's name, sounds and appears on the comment label.
    Arrival ReceiveChat(long number, bool numbered, std::string_view text);

    long ChatSeqIn = 0;   // the number of the last line shown
    long ChatSeqOut = 0;  // the number of the last line sent
    void ResetSequence() { ChatSeqIn = ChatSeqOut = 0; }

    // --- the window's own events -----------------------------------------------------------
    void Command1_Click();
    void CmdChat_Click(int index);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void Form_Load();
    void PlaceBesideTable();
    void ShowHistoryEnd();

    TableWindow& table_;
    QPlainTextEdit* text1_ = nullptr;
    QLineEdit* text2_ = nullptr;
    QPushButton* command1_ = nullptr;
    std::array<QPushButton*, kPhrases + 1> cmdChat_{};
    QString history_;
    bool onTop_ = false;
    bool loaded_ = false;
};

}  // namespace korbo::ui
