#include "comment_editor.h"

namespace korbo::custom {

using records::RecordFile;
using records::Status;
using records::TrimBlanks;
using records::UpperAscii;

size_t CharCount(std::string_view utf8) {
    size_t n = 0;
    for (unsigned char c : utf8)
        if ((c & 0xC0) != 0x80) ++n;  // continuation bytes belong to the character before
    return n;
}

int FirstLongLine(const Lines& lines) {
    for (int i = 1; i <= kLines; ++i)
        if (CharCount(TrimBlanks(lines[static_cast<size_t>(i)])) > kMaxLine) return i;
    return 0;
}

std::string NameFromTitle(std::string_view title) {
    const size_t at = UpperAscii(title).find(UpperAscii(kExtension));
    return std::string(at == std::string::npos ? title : title.substr(0, at));
}

std::string NameForSave(std::string_view typed) {
    std::string name(typed);
    if (UpperAscii(name).find(UpperAscii(kExtension)) != std::string::npos) name.resize(name.size() - kExtension.size());
    return name;
}

Lines NewLines() {
    Lines lines;
    for (int i = 1; i <= kLines; ++i) lines[static_cast<size_t>(i)] = "custom " + std::to_string(i);
    return lines;
}

Status ReadLines(const std::string& path, Lines& out) { return records::ReadCustomCommentFile(path, out); }

Status WriteLines(const std::string& path, const Lines& lines) {
    RecordFile f;
    if (Status s = f.Open(path, kMaxLine, RecordFile::Missing::CreateOnCommit); !s) return s;
    for (int i = 1; i <= kLines; ++i) {
        if (Status s = f.Put(i, records::EncodeCustomCommentRec(lines[static_cast<size_t>(i)])); !s) {
            f.Discard();
            return s;
        }
    }
    return f.Close();
}

}  // namespace korbo::custom
