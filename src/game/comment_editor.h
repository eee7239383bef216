// The comment file editor's rules: the checks before a save, the file name of a comment
// set, and the reading and writing of its twenty lines.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "records/persona_files.h"
#include "records/record_file.h"

namespace korbo::custom {

inline constexpr int kLines = static_cast<int>(records::kCustomCommentRecords);  // Text1(1..20): slots 1..20
inline constexpr int kDispleasedLines = 10;  // boxes 1..10 in the left column, 11..20 in the right
inline constexpr size_t kMaxLine = records::kCustomCommentRecLength;  // characters of a stored line
inline constexpr std::string_view kExtension = ".cmt";
inline constexpr std::string_view kUsersFolder = "users";

using Lines = std::array<std::string, records::kCustomCommentRecords + 1>;  // entry 0 unused

// Characters of a text (UTF-8), as a stored line counts them.
size_t CharCount(std::string_view utf8);

// The first line (1..20) whose trimmed text is longer than a stored line holds; 0 when all fit.
int FirstLongLine(const Lines& lines);

// The set's name from a file's title: the title up to the first ".cmt" in any case.
std::string NameFromTitle(std::string_view title);
// The name typed for a save: with ".cmt" anywhere in it (any case), its last four characters go.
std::string NameForSave(std::string_view typed);

// The "custom 1" .. "custom 20" lines of a new file.
Lines NewLines();

// Lines 1..20 of a comment file, trimmed. A missing line reads as blank; a file that cannot
// be read fails and leaves `out` blank.
records::Status ReadLines(const std::string& path, Lines& out);
// Writes lines 1..20, trimmed, in one commit.
records::Status WriteLines(const std::string& path, const Lines& lines);

}  // namespace korbo::custom
