#include "platform/common_dialog.h"

#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QStringList>

namespace korbo::platform {

namespace {

QString Q(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

std::optional<std::string> RunFileDialog(QWidget* parent, const FileDialogSpec& spec, bool save) {
    QFileDialog dialog(parent, Q(spec.title), Q(spec.initDir), Q(QtFilter(spec.filter)));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    if (save) {
        dialog.setFileMode(QFileDialog::AnyFile);
        if (!(spec.flags & cdl::OverwritePrompt)) dialog.setOption(QFileDialog::DontConfirmOverwrite);
    } else {
        // Every file the game opens is read at once: an open dialog only offers files that exist.
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    if (!spec.fileName.empty()) dialog.selectFile(Q(spec.fileName));
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const QStringList files = dialog.selectedFiles();
    if (files.isEmpty()) return std::nullopt;
    return QDir::toNativeSeparators(files.front()).toStdString();
}

}  // namespace

std::string FileTitle(std::string_view path) {
    const size_t slash = path.find_last_of("/\\");
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string QtFilter(std::string_view filter) {
    const QStringList parts = Q(filter).split('|');
    QStringList out;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString text = parts[i];
        const qsizetype paren = text.indexOf('(');
        if (paren >= 0) text = text.left(paren).trimmed();
        QStringList patterns;
        for (const QString& p : parts[i + 1].split(';', Qt::SkipEmptyParts)) {
            patterns << p;
            if (p.toUpper() != p) patterns << p.toUpper();
        }
        out << text + " (" + patterns.join(' ') + ")";
    }
    return out.join(";;").toStdString();
}

std::optional<std::string> QtCommonDialog::ShowOpen(const FileDialogSpec& spec) {
    return RunFileDialog(parent_, spec, false);
}

std::optional<std::string> QtCommonDialog::ShowSave(const FileDialogSpec& spec) {
    return RunFileDialog(parent_, spec, true);
}

std::optional<long> QtCommonDialog::ShowColor(std::optional<long> initial) {
    const long start = initial.value_or(lastColor_);
    const QColor q(static_cast<int>(start & 0xFF), static_cast<int>((start >> 8) & 0xFF),
                   static_cast<int>((start >> 16) & 0xFF));
    const QColor chosen = QColorDialog::getColor(q, parent_);
    if (!chosen.isValid()) return std::nullopt;
    lastColor_ = chosen.red() | (chosen.green() << 8) | (long{chosen.blue()} << 16);
    return lastColor_;
}

}  // namespace korbo::platform
