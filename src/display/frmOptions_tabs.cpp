// The preferences dialog's handlers: each tab's preparation, its editing steps, and Apply.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>

#include "display/frmOptions.h"
#include "controls/table_controls.h"
#include "controls/table_window.h"
#include "platform/common_dialog.h"
#include "platform/tab_strip.h"
#include "game/persona_slots.h"

namespace korbo::ui {

namespace {

const char* const kColour = "gameColour";
constexpr int kDefaultScheme = prefs::kDefaultScheme, kCustomScheme = prefs::kCustomScheme;

QString Q(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

QString FaceHelp() {
    return "Select the style of cards numbers you would like to use.  Clicking on a choice will display the set.";
}

}  // namespace

// --- samples ------------------------------------------------------------------------------------

long frmOptions::ColourOf(QWidget* sample) const { return sample->property(kColour).toLongLong(); }
long frmOptions::TextColour(QLabel* l) const { return l->property(kColour).toLongLong(); }
double frmOptions::FontSizeOf(QLabel* l) const { return l->font().pointSizeF(); }

void frmOptions::SetSampleColour(QWidget* sample, long colour) {
    sample->setProperty(kColour, static_cast<qlonglong>(colour));
    QPalette p = sample->palette();
    p.setColor(QPalette::Window, GameColor(colour));
    sample->setPalette(p);
    sample->setAutoFillBackground(true);
    // The backdrop of the picture sample follows the mat sample.
    if (sample == frame3_ && ckFnt_->isChecked()) SetBackdrop(true, colour);
}

void frmOptions::SetTextColour(long colour) {
    for (QLabel* l : lblFont_) {
        l->setProperty(kColour, static_cast<qlonglong>(colour));
        QPalette p = l->palette();
        p.setColor(QPalette::WindowText, GameColor(colour));
        l->setPalette(p);
    }
}

void frmOptions::SetFontSize(double points) {
    for (QLabel* l : lblFont_) {
        QFont f = l->font();
        f.setPointSizeF(prefs::ClampFontSize(points));
        l->setFont(f);
    }
}

void frmOptions::SetBackdrop(bool on, long colour) {
    QLabel* l = lblFont_[1];
    l->setAutoFillBackground(on);
    QPalette p = l->palette();
    p.setColor(QPalette::Window, GameColor(colour));
    l->setPalette(p);
}

// --- tab 1: the card style ------------------------------------------------------------------------

void frmOptions::ShowFaces(int style) {
    for (int i = 1; i <= kFaces; ++i) {
        PictureBox* box = filePic_[static_cast<size_t>(i)];
        box->Clear();
        if (style == prefs::kPictureCards) box->SetLibraryCard(i);
        else box->SetPicture({PictureSpec::Kind::NumberFace, style, i});
    }
}

void frmOptions::OptCard_Click(int index) {
    Game& g = table_.TheGame();
    if (index < 1 || index > prefs::kPictureCards) return;
    pendingStyle_ = index;
    SetApply(index != g.CardStyle);
    optCard_[static_cast<size_t>(index)]->setChecked(true);
    if (index != prefs::kPictureCards) {
        ShowFaces(index);
        return;
    }
    if (g.ScreenWidth < prefs::kNarrowScreen)
        g.View().MsgBox(std::string("Picture cards will not display properly on 640x480 screen resolution") +
                            std::string(CRLF) + "or an 800x600 customized to LARGE fonts." + std::string(CRLF) +
                            "Use number cards.",
                        mb::OKOnly, "");
    if (g.CardsDllOk == 0) {
        g.View().MsgBox("Problem loading QCards32.DLL", mb::OKOnly, "");
        optCard_[prefs::kPictureCards]->setChecked(false);
        pendingStyle_ = 1;
        optCard_[1]->setChecked(true);
        SetApply(1 != g.CardStyle);
        ShowFaces(1);
        return;
    }
    ShowFaces(prefs::kPictureCards);
}

// --- tab 2: the decks and the mat ------------------------------------------------------------------

void frmOptions::PrepareDecks() {
    Game& g = table_.TheGame();
    const bool fewColours = g.ColorBits < prefs::kFewColourBits;
    filePic_[kResetCard]->SetPicture({PictureSpec::Kind::Pile, 1, 0});
    filePic_[kResetCard]->SetBackColor(prefs::DefaultDeckColor(g));
    labNot256_->setVisible(fewColours);
    imgBack_->setPixmap(table_.BackgroundPicture());
    SetSampleColour(frame1_, g.MatColor);
    lblImage_[1]->setText(Q(std::string("Standard Deck style") + std::string(CRLF) + std::string(CRLF) +
                            "Click on the Standard deck to select.  " + "Standard deck back color can be changed."));
    if (g.DeckChoice == 0) command2_[0]->setEnabled(true);
    command2_[0]->setText("Deck Color");
    lblImage_[2]->setText("Click on a Designer Deck below to select:");
    filePic_[kStandardDeck]->SetPicture({PictureSpec::Kind::Pile, 1, 0});
    for (int d = kFirstDesigner; d <= kLastDesigner; ++d)
        filePic_[static_cast<size_t>(d)]->SetPicture({PictureSpec::Kind::DesignerBack, d - kFirstDesigner + 1, 0});
    if (g.DeckChoice == 0) filePic_[kStandardDeck]->SetBackColor(g.DeckColor);
    ShowCurrentDeck(g.DeckChoice != 0 ? g.DeckChoice + 15 : kResetCard, g.DeckColor);
    pendingDeck_ = g.DeckChoice;
}

void frmOptions::ShowCurrentDeck(int from, long colour) {
    PictureBox* current = filePic_[kCurrentDeck];
    current->SetPicture(filePic_[static_cast<size_t>(from)]->Picture());
    current->SetBackColor(colour);
}

void frmOptions::FilePic_Click(int index) {
    Game& g = table_.TheGame();
    if (index == kStandardDeck) {
        SetApply(true);
        pendingDeck_ = 0;
        command2_[0]->setEnabled(true);
        ShowCurrentDeck(index, filePic_[kStandardDeck]->BackColor());
    } else if (index >= kFirstDesigner && index <= kLastDesigner) {
        SetApply(true);
        pendingDeck_ = index - 15;
        command2_[0]->setEnabled(false);  // a designer back has no colour of its own
        ShowCurrentDeck(index, filePic_[static_cast<size_t>(index)]->BackColor());
    } else if (index == kResetCard) {
        SetApply(true);
        command2_[0]->setEnabled(true);
        const long deck = prefs::DefaultDeckColor(g);
        filePic_[kCurrentDeck]->SetBackColor(deck);
        filePic_[kStandardDeck]->SetBackColor(deck);
        SetSampleColour(frame1_, prefs::kDefaultMatColor);
        SetFontSize(prefs::kDefaultFontSize);
        SetTextColour(prefs::kDefaultFontColor);
        pendingDeck_ = 0;
        ShowCurrentDeck(index, deck);
    } else {
        SetApply(false);
    }
}

void frmOptions::Command2_Click(int index) {
    Game& g = table_.TheGame();
    std::optional<long> start;
    if (index == 0) start = g.DeckColor;
    else if (index == 1) start = g.MatColor;
    else if (index == 2) start = g.FontColor;
    const std::optional<long> chosen = table_.dlgCommon().ShowColor(start);
    if (!chosen) return;
    switch (index) {
        case 0:
            filePic_[kCurrentDeck]->SetBackColor(*chosen);
            filePic_[kStandardDeck]->SetBackColor(*chosen);
            break;
        case 1: SetSampleColour(frame1_, *chosen); break;
        case 2: SetTextColour(*chosen); break;
        case 3: SetSampleColour(frame3_, *chosen); break;
        default: return;
    }
    SetApply(true);
}

// --- tab 3: the comment font ------------------------------------------------------------------------

void frmOptions::PrepareFonts() {
    Game& g = table_.TheGame();
    imgBackFnt_->setPixmap(table_.BackgroundPicture());
    SetSampleColour(frame3_, g.MatColor);
    SetFontSize(g.View().FontSize(Ctl::Label9, 2));
    ckFnt_->setChecked(g.MatColorOn);
    SetBackdrop(g.MatColorOn, g.MatColor);
    SetTextColour(g.FontColor);
    lblFont_[0]->setText("This is how the font size and color appears on the matt background.");
    lblFont_[1]->setText("This is how the font size and color appears on the picture background.");
}

void frmOptions::CmdSz_Click(int index) {
    SetApply(true);
    SetFontSize(FontSizeOf(lblFont_[0]) + (index == 0 ? 1 : -1));
}

void frmOptions::CKFnt_Click() {
    SetBackdrop(ckFnt_->isChecked(), ColourOf(frame3_));
    SetApply(true);
}

void frmOptions::CmdRestore_Click() {
    SetFontSize(prefs::kDefaultFontSize);
    SetTextColour(prefs::kDefaultFontColor);
    SetApply(true);
}

// --- tab 4: the sounds ---------------------------------------------------------------------------------

void frmOptions::PrepareSounds() {
    Game& g = table_.TheGame();
    const std::string crlf2 = std::string(CRLF) + std::string(CRLF);
    const std::string who = g.PersonIndex >= 0 && static_cast<size_t>(g.PersonIndex) < g.PeopleNames.size()
                                ? g.PeopleNames[static_cast<size_t>(g.PersonIndex)]
                                : std::string();
    label3_->setText(Q("SOUNDS for current personality:  " + who));
    label2_->setText(Q("To listen to Korbo's sounds, click on the sound buttons." + crlf2 +
                       "To create your own sound scheme, click on Use Custom." + crlf2 +
                       " Then play a sound button you would like to change. Click on the CHANGE button to select a "
                       "new .wav sound." +
                       crlf2 + "Don't forget to click Apply to save your changes."));
    for (int i = 1; i <= 15; ++i) soundNames_[static_cast<size_t>(i)] = g.Sounds[static_cast<size_t>(i)];
    const int scheme = g.SoundScheme == kCustomScheme ? kCustomScheme : kDefaultScheme;
    if (!option2_[static_cast<size_t>(scheme)]->isChecked()) {
        option2_[static_cast<size_t>(scheme)]->setChecked(true);
        Option2_Click(scheme);
    }
}

void frmOptions::Option2_Click(int index) {
    Game& g = table_.TheGame();
    recIndex2_ = index;
    prefs::SoundNames names = soundNames_;
    if (records::Status s = prefs::ReadSoundColumn(g, index, names); !s) g.ReportProblem(s.error);
    else soundNames_ = names;
    label1_->setText(index == kCustomScheme ? "Make sound scheme changes..." : "");
    SetApply(true);
}

void frmOptions::Option1_Click(int index) {
    soundButton_ = index;
    command1_->setEnabled(!option2_[kDefaultScheme]->isChecked());
    label1_->setText(Q(soundNames_[static_cast<size_t>(index)]));
    // The previews play at every sound level.
    table_.TheGame().View().PlayFile(soundNames_[static_cast<size_t>(index)], false);
    option1_[static_cast<size_t>(index)]->setChecked(false);
}

void frmOptions::Command1_Click() {
    Game& g = table_.TheGame();
    if (soundButton_ < 1 || soundButton_ > 15) return;
    platform::FileDialogSpec spec;
    spec.initDir = g.DataPath("Sounds");
    spec.flags = platform::cdl::HideReadOnly;
    spec.filter = "Wav Sounds (*.wav)|*.wav";
    const auto chosen = table_.dlgCommon().ShowOpen(spec);
    if (!chosen) return;
    soundNames_[static_cast<size_t>(soundButton_)] = *chosen;
    label1_->setText(Q(*chosen));
    option1_[static_cast<size_t>(soundButton_)]->setChecked(false);
    SetApply(true);
}

// --- tab 5: the persona and the switches -----------------------------------------------------------

void frmOptions::PreparePerson() {
    Game& g = table_.TheGame();
    if (g.NetActive) combo1_->setEnabled(false);
    check1_[0]->setChecked(g.NoWinAnim);
    check1_[1]->setChecked(g.NoComments);
    check1_[2]->setChecked(g.NoLoseAnim);
}

void frmOptions::Combo1_Click() {
    Game& g = table_.TheGame();
    pendingPerson_ = combo1_->currentIndex();
    if (g.PersonaFileCount != 0) SetApply(true);
}

void frmOptions::Check1_Click(int index) {
    Game& g = table_.TheGame();
    const bool ticked = check1_[static_cast<size_t>(index)]->isChecked();
    g.ChatterLevel = 1;  // whatever the box; the COMMENTS menu's mark stays where it is
    if (index == 0) {
        g.NoWinAnim = ticked;
    } else if (index == 2) {
        g.NoLoseAnim = ticked;
    } else if (ticked) {
        g.NoComments = true;
        g.View().EnableMenu(Menu::Lang, false);
        // The double-click remark's second line stays.
        for (int i = 1; i <= CommentKingDoubleClick; ++i) g.Comments[static_cast<size_t>(i)].clear();
    } else {
        g.NoComments = false;
        g.View().EnableMenu(Menu::Lang, true);
        table_.ChangeComments();
    }
}

// --- Apply, OK, Cancel -------------------------------------------------------------------------------

void frmOptions::ApplySounds() {
    Game& g = table_.TheGame();
    command1_->setEnabled(false);
    if (records::Status s = prefs::ApplySounds(g, recIndex2_, soundNames_); !s) {
        g.ReportProblem(s.error);
        return;
    }
    label1_->setText("Sound options saved!");
    if (soundButton_ >= 1) option1_[static_cast<size_t>(soundButton_)]->setChecked(false);
}

void frmOptions::ApplyPerson() {
    Game& g = table_.TheGame();
    g.PersonIndex = static_cast<int16_t>(pendingPerson_);
    const int chatterBefore = g.ChatterLevel;
    g.NoComments = false;
    if (check1_[1]->isChecked()) check1_[1]->setChecked(false);  // runs its step
    // The "Standard" comment set, with its check mark.
    if (chatterBefore != 1) {
        g.View().CheckMenuItem(Menu::chatter, chatterBefore, false);
        table_.CheckCommentItem(chatterBefore, false);
        g.ChatterLevel = 1;
        g.View().CheckMenuItem(Menu::chatter, 1, true);
        table_.CheckCommentItem(1, true);
    }
    table_.ChangeComments();
    table_.ChangePerson();
    g.SoundScheme = kDefaultScheme;
    prefs::SoundNames names{};
    if (records::Status s = prefs::ReadSoundColumn(g, kDefaultScheme, names); !s) g.ReportProblem(s.error);
    else
        for (int i = 1; i <= 15; ++i) g.Sounds[static_cast<size_t>(i)] = names[static_cast<size_t>(i)];
    g.AvatarFile = table_.PersonaPicture();
    table_.ShowAvatarPicture(g.DataPath("Avatars/" + g.AvatarFile));
}

void frmOptions::cmdApply_Click() {
    Game& g = table_.TheGame();
    const bool wasEnabled = cmdApply_->isEnabled();
    const int tab = tbsOptions_->SelectedItem();
    switch (tab) {
        case 1: prefs::ApplyCardStyle(g, pendingStyle_); break;
        case 2: prefs::ApplyDecks(g, pendingDeck_, ColourOf(frame1_), filePic_[kCurrentDeck]->BackColor()); break;
        case 3:
            prefs::ApplyFonts(g, {ColourOf(frame3_), TextColour(lblFont_[0]), FontSizeOf(lblFont_[0]), ckFnt_->isChecked()});
            break;
        case 4:
            if (!wasEnabled) return;
            ApplySounds();
            break;
        case 5:
            if (!wasEnabled || g.PersonaFileCount == 0 || pendingPerson_ == g.PersonIndex) return;
            ApplyPerson();
            break;
        default: return;
    }
    if (wasEnabled) g.Redraw();
    SetApply(false);
}

void frmOptions::cmdOK_Click() {
    cmdApply_Click();
    imgBack_->clear();
    imgBackFnt_->clear();
    accept();
}

void frmOptions::cmdCancel_Click() { reject(); }

}  // namespace korbo::ui
