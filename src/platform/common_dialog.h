// The table's one common dialog, in place of the platform's: opening and saving a file and
// picking a colour. The windows ask through this interface, so that tests can answer in
// their place.
#pragma once

#include <optional>
#include <string>
#include <string_view>

class QWidget;

namespace korbo::platform {

// Flags of the file dialogs, as the game passes them.
namespace cdl {
constexpr int OverwritePrompt = 2, HideReadOnly = 4, FileMustExist = 4096;
}

struct FileDialogSpec {
    std::string title;     // empty: the dialog's own title
    std::string filter;    // "Pictures (*.jpg;*.gif)|*.jpg;*.gif", pairs of text and patterns
    std::string initDir;
    std::string fileName;  // the name offered
    int flags = 0;
};

class CommonDialog {
public:
    virtual ~CommonDialog() = default;
    // The chosen file's full path; nothing when cancelled.
    virtual std::optional<std::string> ShowOpen(const FileDialogSpec& spec) = 0;
    virtual std::optional<std::string> ShowSave(const FileDialogSpec& spec) = 0;
    // A colour &HBBGGRR; without an initial colour the picker starts from the one it showed
    // last. Nothing when cancelled.
    virtual std::optional<long> ShowColor(std::optional<long> initial) = 0;
};

// The name of a file with its extension, without its folder.
std::string FileTitle(std::string_view path);

// The game's filter ("text|patterns|text|patterns", patterns split by ";") in Qt's form
// ("text (p1 p2);;..."). Each pattern is offered in capitals too, as names on this system
// tell the cases apart.
std::string QtFilter(std::string_view filter);

// The common dialog on Qt's own file and colour dialogs.
class QtCommonDialog final : public CommonDialog {
public:
    explicit QtCommonDialog(QWidget* parent) : parent_(parent) {}
    std::optional<std::string> ShowOpen(const FileDialogSpec& spec) override;
    std::optional<std::string> ShowSave(const FileDialogSpec& spec) override;
    std::optional<long> ShowColor(std::optional<long> initial) override;

private:
    QWidget* parent_;
    long lastColor_ = 0xFFFFFF;
};

}  // namespace korbo::platform
