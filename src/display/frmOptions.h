// The preferences dialog: five tabs (the number-card style, the deck and the mat, the
// comment font, the persona's sounds, the persona and three switches). Changes wait in the
// current tab's controls and take effect through Apply (or OK), which applies that tab
// only; changing tab drops what was not applied. The three boxes of the last tab act at once.
#pragma once

#include <QDialog>
#include <array>
#include <string>

#include "game/preferences.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace korbo::platform {
class TabStrip;
}

namespace korbo::ui {

class PictureBox;
class TableWindow;

class frmOptions : public QDialog {
    Q_OBJECT
public:
    static constexpr int kTabs = 5;
    // The pictures of the FilePic array: 1..13 the faces of tab 1; on tab 2 the reset card,
    // the current deck, the five designer decks and the standard deck.
    static constexpr int kResetCard = 0, kCurrentDeck = 15, kFirstDesigner = 16, kLastDesigner = 20, kStandardDeck = 21;
    static constexpr int kFaces = 13;

    explicit frmOptions(TableWindow& table, QWidget* parent = nullptr);
    ~frmOptions() override;

    // --- the controls, by their names ----------------------------------------------------
    platform::TabStrip* tbsOptions() const { return tbsOptions_; }
    QWidget* FrmOp(int i) const { return frmOp_.at(static_cast<size_t>(i)); }
    QRadioButton* OptCard(int i) const { return optCard_.at(static_cast<size_t>(i)); }
    PictureBox* FilePic(int i) const { return filePic_.at(static_cast<size_t>(i)); }
    QLabel* LblImage(int i) const { return lblImage_.at(static_cast<size_t>(i)); }
    QLabel* labNot256() const { return labNot256_; }
    QPushButton* Command2(int i) const { return command2_.at(static_cast<size_t>(i)); }
    QWidget* Frame1() const { return frame1_; }
    QWidget* Frame3() const { return frame3_; }
    QLabel* ImgBack() const { return imgBack_; }
    QLabel* ImgBackFnt() const { return imgBackFnt_; }
    QLabel* LblFont(int i) const { return lblFont_.at(static_cast<size_t>(i)); }
    QPushButton* CmdSz(int i) const { return cmdSz_.at(static_cast<size_t>(i)); }
    QCheckBox* CKFnt() const { return ckFnt_; }
    QPushButton* CmdRestore() const { return cmdRestore_; }
    QLabel* Label1() const { return label1_; }
    QLabel* Label2() const { return label2_; }
    QLabel* Label3() const { return label3_; }
    QRadioButton* Option1(int i) const { return option1_.at(static_cast<size_t>(i)); }
    QRadioButton* Option2(int i) const { return option2_.at(static_cast<size_t>(i)); }
    QPushButton* Command1() const { return command1_; }
    QComboBox* Combo1() const { return combo1_; }
    QCheckBox* Check1(int i) const { return check1_.at(static_cast<size_t>(i)); }
    QPushButton* cmdOK() const { return cmdOK_; }
    QPushButton* cmdCancel() const { return cmdCancel_; }
    QPushButton* cmdApply() const { return cmdApply_; }

    // --- the dialog's fields ----------------------------------------------------------------
    const prefs::SoundNames& SoundNames() const { return soundNames_; }
    int SoundButton() const { return soundButton_; }
    int PendingStyle() const { return pendingStyle_; }
    int PendingDeck() const { return pendingDeck_; }
    int PendingPerson() const { return pendingPerson_; }
    long ColourOf(QWidget* sample) const;  // a sample's colour (&HBBGGRR)
    long TextColour(QLabel* l) const;
    double FontSizeOf(QLabel* l) const;

    // --- the handlers ------------------------------------------------------------------------
    void tbsOptions_Click();
    void Form_KeyDown(int keyCode, int shift);
    void OptCard_Click(int index);
    void FilePic_Click(int index);
    void Command2_Click(int index);
    void CKFnt_Click();
    void CmdSz_Click(int index);
    void CmdRestore_Click();
    void Option1_Click(int index);
    void Option2_Click(int index);
    void Command1_Click();
    void Combo1_Click();
    void Check1_Click(int index);
    void cmdApply_Click();
    void cmdOK_Click();
    void cmdCancel_Click();

protected:
    bool event(QEvent* e) override;

private:
    void BuildTabs();
    void BuildCardTab(QWidget* f);
    void BuildDeckTab(QWidget* f);
    void BuildFontTab(QWidget* f);
    void BuildSoundTab(QWidget* f);
    void BuildPersonTab(QWidget* f);
    void Form_Load();
    void PrepareTab(int tab);
    void PrepareDecks();
    void PrepareFonts();
    void PrepareSounds();
    void PreparePerson();
    void ShowFaces(int style);
    void SetSampleColour(QWidget* sample, long colour);
    void SetTextColour(long colour);
    void SetFontSize(double points);
    void SetBackdrop(bool on, long colour);
    void ShowCurrentDeck(int from, long colour);
    void ApplySounds();
    void ApplyPerson();
    void SetApply(bool on);
    PictureBox* MakePicture(QWidget* parent, int index, double l, double t, double w, double h);

    TableWindow& table_;
    platform::TabStrip* tbsOptions_ = nullptr;
    std::array<QWidget*, kTabs> frmOp_{};
    std::array<QRadioButton*, 7> optCard_{};
    std::array<PictureBox*, 22> filePic_{};
    std::array<QLabel*, 5> lblImage_{};
    QLabel* labNot256_ = nullptr;
    std::array<QPushButton*, 4> command2_{};
    QWidget *frame1_ = nullptr, *frame3_ = nullptr;
    QLabel *imgBack_ = nullptr, *imgBackFnt_ = nullptr;
    std::array<QLabel*, 2> lblFont_{};
    std::array<QPushButton*, 2> cmdSz_{};
    QCheckBox* ckFnt_ = nullptr;
    QPushButton* cmdRestore_ = nullptr;
    QLabel *label1_ = nullptr, *label2_ = nullptr, *label3_ = nullptr;
    std::array<QRadioButton*, 16> option1_{};
    std::array<QRadioButton*, 2> option2_{};
    QPushButton* command1_ = nullptr;
    QComboBox* combo1_ = nullptr;
    std::array<QCheckBox*, 3> check1_{};
    QPushButton *cmdOK_ = nullptr, *cmdCancel_ = nullptr, *cmdApply_ = nullptr;

    prefs::SoundNames soundNames_{};
    int soundButton_ = 0;
    int pendingStyle_ = 0, pendingDeck_ = 0, pendingPerson_ = 0;
    int recIndex2_ = 0;  // the scheme option last clicked
    bool changingTab_ = false;
};

}  // namespace korbo::ui
