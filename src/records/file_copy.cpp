#include "file_copy.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <vector>

#include "record_file.h"

namespace korbo::records {

namespace fs = std::filesystem;

namespace {

std::string Folded(const fs::path& p) {
    std::error_code ec;
    fs::path abs = fs::absolute(p, ec);
    if (ec) abs = p;
    std::string s = abs.lexically_normal().string();
    while (s.size() > 1 && s.back() == '/') s.pop_back();
    return UpperAscii(s);
}

// The whole of a regular file of at most kMaxCopyBytes; nothing for anything else.
std::optional<std::vector<uint8_t>> ReadWhole(const fs::path& p) {
    std::error_code ec;
    if (!fs::is_regular_file(p, ec)) return std::nullopt;
    const std::uintmax_t size = fs::file_size(p, ec);
    if (ec || size > kMaxCopyBytes) return std::nullopt;
    std::ifstream in(p, std::ios::binary);
    if (!in) return std::nullopt;
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return std::nullopt;
    return bytes;
}

// True when the folder's file under the name is a plain file holding exactly the source's bytes.
bool SameBytes(const fs::path& source, const fs::path& target) {
    std::error_code ec, ec2;
    if (!fs::is_regular_file(fs::symlink_status(target, ec))) return false;
    // Files of different sizes differ; no need to read them.
    const std::uintmax_t size = fs::file_size(target, ec);
    if (ec || size != fs::file_size(source, ec2) || ec2) return false;
    const auto there = ReadWhole(target);
    const auto chosen = there ? ReadWhole(source) : std::nullopt;
    return chosen && !chosen->empty() && *there == *chosen;
}

}  // namespace

bool LiesInFolder(const std::string& path, const std::string& folder) {
    return Folded(fs::path(path).parent_path()) == Folded(fs::path(folder));
}

CopyResult CopyIntoFolder(const std::string& source, const std::string& folder) {
    CopyResult r;
    r.name = fs::path(source).filename().string();
    if (LiesInFolder(source, folder)) {
        r.outcome = CopyOutcome::AlreadyInFolder;
        return r;
    }
    std::error_code ec;
    const fs::path target = fs::path(folder) / r.name;
    if (fs::exists(fs::symlink_status(target, ec))) {
        r.outcome = SameBytes(source, target) ? CopyOutcome::SameInFolder : CopyOutcome::NameTaken;
        return r;
    }
    if (!fs::is_regular_file(source, ec)) {
        r.error = "The file " + r.name + " could not be read.";
        return r;
    }
    const std::uintmax_t size = fs::file_size(source, ec);
    if (ec) {
        r.error = "The file " + r.name + " could not be read.";
        return r;
    }
    if (size == 0) {
        r.error = "The file " + r.name + " is empty.";
        return r;
    }
    if (size > kMaxCopyBytes) {
        r.error = "The file " + r.name + " is too large.";
        return r;
    }
    std::ifstream in(source, std::ios::binary);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in.good() && !in.eof()) {
        r.error = "The file " + r.name + " could not be read.";
        return r;
    }
    if (bytes.empty()) {
        r.error = "The file " + r.name + " is empty.";
        return r;
    }
    // The whole file is one record, so the commit writes it beside and renames it in.
    RecordFile out;
    if (Status s = out.Open(target.string(), bytes.size(), RecordFile::Missing::CreateOnCommit); !s) {
        r.error = s.error;
        return r;
    }
    if (Status s = out.Put(1, bytes); !s) {
        out.Discard();
        r.error = s.error;
        return r;
    }
    if (Status s = out.Close(); !s) {
        r.error = s.error;
        return r;
    }
    r.outcome = CopyOutcome::Copied;
    return r;
}

}  // namespace korbo::records
