// The chat window "RUZAVovu Thoughts" of a network game: the history of what both players
// said, the line being typed with its Send button, and the twenty canned phrases of the
// persona. A line sent carries the game's running number; what the peer says comes in
// through the game's dispatcher, which writes the history box (Text1) through the table.
// The history is kept short however it grows, so that a peer cannot make it grow without
// bound.
//
// The table keeps one window for its whole life: unloading it (closing it, or the end of a
// network game) hides it, forgets its history and takes it off the top; the next showing
// loads it again.
#pragma once

#include <QSize>
#include <QString>
#include <QWidget>
#include <array>
#include <functional>
#include <string>
#include <string_view>

#include "controls/chat_window_port.h"

class QGridLayout;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace korbo::ui {

class TableWindow;
class PhraseButton;

class frmChat : public QWidget, public ChatWindowPort {
    Q_OBJECT
public:
    static constexpr int kPhrases = 20;
    static constexpr int kPhraseColumns = 4;  // the phrase buttons stand in rows of four
    // After a line is added, a history longer than this keeps only its last kHistoryKept
    // characters.
    static constexpr int kHistoryLimit = 4000;
    static constexpr int kHistoryKept = 3700;

    explicit frmChat(TableWindow& table, QWidget* parent = nullptr);

    QPlainTextEdit* Text1Box() const { return text1_; }
    QLineEdit* Text2() const { return text2_; }
    QPushButton* Command1() const { return command1_; }
    QPushButton* CmdChat(int i) const;  // 1..20; its text is the phrase as shown, its tip the whole

    // --- what the table calls ------------------------------------------------------------
    // The table's always-on-top menu item follows the window's flag.
    std::function<void(bool on)> OnTopChanged;

    // Shows the window, loading it first when it is not loaded.
    void ShowChat();
    bool Loaded() const { return loaded_; }
    void Form_Unload();

    bool OnTop() const { return onTop_; }
    void SetOnTop(bool on);

    // The history as text (lines apart by CR LF, as the game writes them), and a line
    // added to it.
    QString History() const { return history_; }
    void AddHistoryLine(const QString& line);
    void SetPhrase(int index, std::string_view text);

    // --- ChatWindowPort: the controls the game addresses through the table ------------------
    void Show() override { ShowChat(); }
    void Unload() override { Form_Unload(); }
    void SetText1(const std::string& history) override;
    std::string Text1() const override { return history_.toStdString(); }
    void ScrollText1ToEnd() override { ShowHistoryEnd(); }
    void SetCommand1Enabled(bool on) override;
    bool Command1Enabled() const override;

    // --- the window's own events -----------------------------------------------------------
    void Command1_Click();
    void CmdChat_Click(int index);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void Form_Load();
    int PhrasesWidth() const;
    void FitToScreen();
    void PlaceBesideTable();
    void ShowHistoryEnd();
    void SetHistory(QString history);

    TableWindow& table_;
    QPlainTextEdit* text1_ = nullptr;
    QLineEdit* text2_ = nullptr;
    QPushButton* command1_ = nullptr;
    std::array<PhraseButton*, kPhrases + 1> cmdChat_{};
    QGridLayout* phrases_ = nullptr;
    QString history_;
    QSize firstSize_;  // the size the first load gave the window
    bool onTop_ = false;
    bool loaded_ = false;
};

}  // namespace korbo::ui
