// A whole file copied into a folder under its own name, as the player's pictures are taken
// into the program folder: through the atomic commit of record_file.h, and never over a
// file that is already there.
#pragma once

#include <cstdint>
#include <string>

namespace korbo::records {

// Larger files are refused: no picture of the table comes near it, and the copy is held in
// memory until it is committed.
inline constexpr std::uintmax_t kMaxCopyBytes = 64u * 1024u * 1024u;

enum class CopyOutcome {
    Copied,           // the file now lies in the folder
    AlreadyInFolder,  // the chosen file lies in that folder already: nothing to do
    SameInFolder,     // a file of that name and of exactly the same bytes is there: nothing to do
    NameTaken,        // another file of that name is in the folder: it is kept, nothing copied
    Failed,           // could not be read or written; `error` says why, nothing changed
};

struct CopyResult {
    CopyOutcome outcome = CopyOutcome::Failed;
    std::string name;   // the file's name without its folder
    std::string error;
};

// True when `path` lies directly in `folder`, the two compared without regard to case.
bool LiesInFolder(const std::string& path, const std::string& folder);

CopyResult CopyIntoFolder(const std::string& source, const std::string& folder);

}  // namespace korbo::records
