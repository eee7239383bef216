#include "dialogs/frmCustom.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include "controls/table_window.h"
#include "platform/common_dialog.h"
#include "records/record_file.h"
#include "game/persona_slots.h"

namespace korbo::ui {

namespace {

constexpr int kNoSound = 2;       // SoundLevel "None (Boss Key)"
const char* const kFilter = "Comment Files (*.cmt)|*.cmt";
const char* const kNewName = "filename";
const QColor kLongLine(Qt::yellow);

QString Q(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }
std::string S(const QString& s) { return s.toStdString(); }

std::string HelpText() {
    return "Think you know better than Korbo does about what he wants to say?"
           " Feel free to edit Korbo's words with your own comments."
           " You can create or edit as many different custom comment files as you'd like."
           " Give new comment files unique names. To begin using your new comments,"
           " save and then check the box below or"
           " choose the comment name from the COMMENTS selection of the OPTIONS menu.";
}

// A file's path in capitals, for the game's case-blind comparison of two paths.
std::string Folded(const std::string& path) { return records::UpperAscii(S(QDir::cleanPath(Q(path)))); }

}  // namespace

frmCustom::frmCustom(TableWindow& table, QWidget* parent) : QWidget(parent, Qt::Window), table_(table) {
    setWindowTitle("Custom Comments");
    setAttribute(Qt::WA_DeleteOnClose);
    auto* layout = new QVBoxLayout(this);
    auto* bar = new QMenuBar(this);
    layout->setMenuBar(bar);
    QMenu* file = bar->addMenu("&File");
    const char* items[] = {"&New Comment file...", "&Open Existing...", "&Save..."};
    for (int i = 0; i < 3; ++i) {
        getGoing_[static_cast<size_t>(i)] = file->addAction(items[i]);
        connect(getGoing_[static_cast<size_t>(i)], &QAction::triggered, this, [this, i] { GetGoing_Click(i); });
    }
    file->addSeparator();
    getGoing_[GoExit] = file->addAction("E&xit");
    connect(getGoing_[GoExit], &QAction::triggered, this, [this] { ExitCus_Click(); });
    QAction* help = bar->addAction("&Help");
    connect(help, &QAction::triggered, this, [this] { HelpComments_Click(); });

    label1_ = new QLabel(this);
    label1_->setObjectName("Label1");
    label1_->setWordWrap(true);
    layout->addWidget(label1_);

    auto* top = new QHBoxLayout;
    const QStyle::StandardPixmap icons[] = {QStyle::SP_FileIcon, QStyle::SP_DialogOpenButton, QStyle::SP_DialogSaveButton};
    const char* tips[] = {"Write a new comment file", "Open a comment file", "Don't forget to save!"};
    for (int i = 0; i < 3; ++i) {
        auto* b = new QToolButton(this);
        b->setObjectName(QString("Command3_%1").arg(i));
        b->setIcon(style()->standardIcon(icons[i]));
        b->setToolTip(tips[i]);
        connect(b, &QToolButton::clicked, this, [this, i] { Command3_Click(i); });
        command3_[static_cast<size_t>(i)] = b;
        top->addWidget(b);
    }
    top->addSpacing(20);
    top->addWidget(new QLabel("Custom file name:", this));
    fileTxt_ = new QLineEdit(this);
    fileTxt_->setObjectName("FileTxt");
    fileTxt_->setToolTip("Rename this comment group ");
    top->addWidget(fileTxt_, 1);
    layout->addLayout(top);

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(" When Korbo is displeased:", this), 0, 0);
    grid->addWidget(new QLabel(" When Korbo is korboful:", this), 0, 1);
    for (int i = 1; i <= custom::kLines; ++i) {
        auto* box = new QLineEdit(this);
        box->setObjectName(QString("Text1_%1").arg(i));
        box->setMinimumWidth(300);
        connect(box, &QLineEdit::textChanged, this, [this, i] { Text1_Change(i); });
        text1_[static_cast<size_t>(i)] = box;
        const bool left = i <= custom::kDispleasedLines;
        grid->addWidget(box, left ? i : i - custom::kDispleasedLines, left ? 0 : 1);
    }
    layout->addLayout(grid);

    auto* bottom = new QHBoxLayout;
    check1_ = new QCheckBox("Set as Comment option choice", this);
    check1_->setObjectName("Check1");
    connect(check1_, &QCheckBox::clicked, this, [this] { Check1_Click(); });
    bottom->addWidget(check1_);
    label4_ = new QLabel(this);
    label4_->setObjectName("Label4");
    bottom->addWidget(label4_, 1);
    command1_ = new QPushButton("Return", this);
    command1_->setObjectName("Command1");
    connect(command1_, &QPushButton::clicked, this, [this] { Command1_Click(); });
    bottom->addWidget(command1_);
    layout->addLayout(bottom);
    Form_Load();
}

std::string frmCustom::ItemCaption(int item) {
    const auto items = table_.CommentItems();
    return item >= 1 && item < static_cast<int>(items.size()) ? items[static_cast<size_t>(item)] : std::string();
}

void frmCustom::Form_Load() {
    if (table_.CommentFileCount() == 1) {
        const std::string name = ItemCaption(2);
        custom::Lines lines;
        const std::string path = table_.TheGame().DataPath(std::string(custom::kUsersFolder) + "/" + name +
                                                            std::string(custom::kExtension));
        if (records::Status s = custom::ReadLines(path, lines); !s) table_.TheGame().ReportProblem(s.error);
        ShowLines(lines);
        fileTxt_->setText(Q(name));
    }
    label1_->setText(Q(HelpText()));
    label4_->setText(" ");
    check1_->setEnabled(false);
    changesPending_ = false;
}

custom::Lines frmCustom::Boxes() const {
    custom::Lines lines;
    for (int i = 1; i <= custom::kLines; ++i) lines[static_cast<size_t>(i)] = S(Text1(i)->text());
    return lines;
}

void frmCustom::ShowLines(const custom::Lines& lines) {
    // Each box shows its line from the start: a line longer than the box would otherwise
    // open scrolled to its end.
    for (int i = 1; i <= custom::kLines; ++i) {
        Text1(i)->setText(Q(lines[static_cast<size_t>(i)]));
        Text1(i)->setCursorPosition(0);
    }
}

void frmCustom::SetBoxColour(int i, const QColor& c) {
    QPalette p = Text1(i)->palette();
    p.setColor(QPalette::Base, c);
    Text1(i)->setPalette(p);
}

void frmCustom::Text1_Change(int) {
    label4_->setText(" ");
    changesPending_ = true;
}

void frmCustom::GetGoing_Click(int index) {
    check1_->setEnabled(false);
    switch (index) {
        case GoNew: NewFile(); break;
        case GoOpen: OpenFile(); break;
        case GoSave: SaveFile(); break;
        case GoExit: ExitCus_Click(); break;
        default: break;
    }
}

void frmCustom::NewFile() {
    ShowLines(custom::NewLines());
    fileTxt_->setText(kNewName);
    fileTxt_->setFocus();
    fileTxt_->selectAll();
    changesPending_ = false;
}

void frmCustom::OpenFile() {
    Game& g = table_.TheGame();
    platform::FileDialogSpec spec;
    spec.initDir = g.DataPath(std::string(custom::kUsersFolder));
    spec.flags = platform::cdl::FileMustExist | platform::cdl::HideReadOnly;
    spec.filter = kFilter;
    const auto chosen = table_.dlgCommon().ShowOpen(spec);
    if (!chosen) return;
    const std::string title = platform::FileTitle(*chosen);
    custom::Lines lines;
    if (records::Status s = custom::ReadLines(*chosen, lines); !s) {
        g.ReportProblem(s.error);
        return;
    }
    fileTxt_->setText(Q(custom::NameFromTitle(title)));
    ShowLines(lines);
    // A file opened from elsewhere is offered for saving into the users folder.
    changesPending_ = Folded(*chosen) != Folded(spec.initDir + "/" + title);
}

bool frmCustom::SaveFile() {
    Game& g = table_.TheGame();
    // 1.-2. Every line must fit its record.
    label4_->setText(" ");
    for (int i = 1; i <= custom::kLines; ++i) SetBoxColour(i, Qt::white);
    const custom::Lines lines = Boxes();
    if (const int bad = custom::FirstLongLine(lines); bad != 0) {
        g.View().Beep();
        SetBoxColour(bad, kLongLine);
        Text1(bad)->setFocus();
        label4_->setText("Exceeds 100 characters. Edit and Save again.");
        g.View().Beep();
        return false;
    }
    // 3.-4. Something to save, and a name for it.
    if (records::TrimBlanks(lines[1]).empty()) {
        g.View().MsgBox("No comments to save! You should write some comments before saving.",
                        mb::OKOnly | mb::Information, "");
        Text1(1)->setFocus();
        return false;
    }
    std::string name = custom::NameForSave(S(fileTxt_->text()));
    if (name.empty()) {
        g.View().MsgBox("Enter a name for this comment file!", mb::OKOnly | mb::Information, "");
        fileTxt_->setFocus();
        return false;
    }
    // 5.-6. Where to save it; the file always ends in ".cmt", in small letters.
    platform::FileDialogSpec spec;
    spec.initDir = g.DataPath(std::string(custom::kUsersFolder));
    spec.fileName = name + std::string(custom::kExtension);
    spec.flags = platform::cdl::OverwritePrompt | platform::cdl::HideReadOnly;
    spec.filter = kFilter;
    const auto chosen = table_.dlgCommon().ShowSave(spec);
    if (!chosen) return false;
    std::string path = *chosen;
    const std::string ext(custom::kExtension);
    if (path.size() >= ext.size() && records::UpperAscii(path.substr(path.size() - ext.size())) == records::UpperAscii(ext))
        path.resize(path.size() - ext.size());
    path += ext;
    const std::string title = platform::FileTitle(path);
    name = title.substr(0, title.size() - ext.size());
    fileTxt_->setText(Q(name));
    // 7. The set checked before the menu is built again.
    const int itemsBefore = static_cast<int>(table_.CommentItems().size()) - 1;
    std::string remembered;
    for (int item = 1; item <= itemsBefore; ++item)
        if (table_.CommentItemChecked(item)) {
            remembered = ItemCaption(item);
            break;
        }
    // 8. The file, and the lines in use when it is the active set.
    if (records::Status s = custom::WriteLines(path, lines); !s) {
        g.ReportProblem(s.error);
        return false;
    }
    if (name == ItemCaption(g.ChatterLevel)) SetActiveLines(lines);
    // 9.-10. The new file gets its menu item; the check mark stays on the set it was on.
    table_.ReadComments();
    if (ItemCaption(g.ChatterLevel) != remembered) {
        table_.CheckCommentItem(g.ChatterLevel, false);
        const int items = static_cast<int>(table_.CommentItems().size()) - 1;
        for (int item = 1; item <= items; ++item)
            if (ItemCaption(item) == remembered) {
                table_.CheckCommentItem(item, true);
                g.ChatterLevel = static_cast<int16_t>(item);
                break;
            }
    }
    // 11.-12.
    if (g.SoundLevel != kNoSound) g.View().PlayFile(g.Sounds[SoundThanks], false);
    label4_->setText(Q(std::string(CRLF) + "Custom Comments Saved!"));
    check1_->setEnabled(true);
    changesPending_ = false;
    return true;
}

void frmCustom::SetActiveLines(const custom::Lines& lines) {
    Game& g = table_.TheGame();
    for (int i = 1; i <= custom::kLines; ++i) {
        g.Comments[static_cast<size_t>(i)] = records::TrimBlanks(lines[static_cast<size_t>(i)]);
        if (g.NetActive) table_.SetChatPhrase(i, g.Comments[static_cast<size_t>(i)]);
    }
}

void frmCustom::Check1_Click() {
    if (!check1_->isChecked()) return;
    Game& g = table_.TheGame();
    const int items = static_cast<int>(table_.CommentItems().size()) - 1;
    for (int item = 1; item <= items; ++item)
        if (table_.CommentItemChecked(item)) table_.CheckCommentItem(item, false);
    const std::string name = S(fileTxt_->text());
    for (int item = 1; item <= items; ++item)
        if (ItemCaption(item) == name) {
            table_.CheckCommentItem(item, true);
            g.ChatterLevel = static_cast<int16_t>(item);
            break;
        }
    SetActiveLines(Boxes());
}

void frmCustom::Command1_Click() {
    if (changesPending_ &&
        table_.TheGame().View().MsgBox("Do you want to save your changes?", mb::YesNo, "") == mb::IDYes) {
        GetGoing_Click(GoSave);
        return;
    }
    close();
}

void frmCustom::ExitCus_Click() { close(); }

void frmCustom::HelpComments_Click() { table_.ShowHelp("customize"); }

}  // namespace korbo::ui
