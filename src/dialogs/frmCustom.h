// The comment file editor: twenty lines that replace the persona's comment slots 1..20,
// written, opened, saved as users/<name>.cmt and set as the active comment set. Modeless;
// made when opened and gone when closed.
#pragma once

#include <QWidget>
#include <array>

#include "game/comment_editor.h"

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace korbo::ui {

class TableWindow;

class frmCustom : public QWidget {
    Q_OBJECT
public:
    enum GetGoingIndex { GoNew = 0, GoOpen = 1, GoSave = 2, GoExit = 3 };

    explicit frmCustom(TableWindow& table, QWidget* parent = nullptr);

    QLineEdit* Text1(int i) const { return text1_.at(static_cast<size_t>(i)); }
    QLineEdit* FileTxt() const { return fileTxt_; }
    QCheckBox* Check1() const { return check1_; }
    QPushButton* Command1() const { return command1_; }
    QToolButton* Command3(int i) const { return command3_.at(static_cast<size_t>(i)); }
    QAction* GetGoing(int i) const { return getGoing_.at(static_cast<size_t>(i)); }
    QLabel* Label1() const { return label1_; }
    QLabel* Label4() const { return label4_; }
    bool ChangesPending() const { return changesPending_; }

    void GetGoing_Click(int index);
    void Command3_Click(int index) { GetGoing_Click(index); }
    void Check1_Click();
    void Command1_Click();
    void ExitCus_Click();
    void HelpComments_Click();
    void Text1_Change(int index);

private:
    void Form_Load();
    void NewFile();
    void OpenFile();
    // True when the file was written.
    bool SaveFile();
    custom::Lines Boxes() const;
    void ShowLines(const custom::Lines& lines);
    void SetBoxColour(int i, const QColor& c);
    void SetActiveLines(const custom::Lines& lines);
    std::string ItemCaption(int item);

    TableWindow& table_;
    std::array<QLineEdit*, custom::kLines + 1> text1_{};
    std::array<QToolButton*, 3> command3_{};
    std::array<QAction*, 4> getGoing_{};
    QLineEdit* fileTxt_ = nullptr;
    QCheckBox* check1_ = nullptr;
    QPushButton* command1_ = nullptr;
    QLabel *label1_ = nullptr, *label4_ = nullptr;
    bool changesPending_ = false;
};

}  // namespace korbo::ui
