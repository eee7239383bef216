// Files of fixed-length records, as the game keeps its scores, settings and saved games:
// record n (from 1) starts at byte length x (n - 1), there is no header, and a record that
// lies beyond the end of the file reads as zeros (blank text, zero numbers). A file cut
// inside its last record keeps its whole records; the cut part is dropped at the next commit.
//
// Only a plain file is a record file: a pipe, a device or a folder in its place (or a link
// to one) is refused unopened, so nothing ever waits on it, and so is a file larger than
// kMaxFileBytes, which no file of the game comes near. A refused file is left as it is.
// A file is read and written one record at a time; no more than its records are read.
//
// A write never leaves a half-written file behind. Records put into an open file are kept
// with the handle and reach the disk together when the handle is committed (Close or
// Commit): the new content is written to a temporary file beside the old one, flushed to
// the disk and renamed over it, so that a kill, a crash or a full disk at any moment leaves
// either the old file or the new one. A commit that fails changes nothing on disk and says
// why. A handle destroyed without a commit drops what was put into it. The temporary files
// of a commit that was killed are removed by the next commit of the same file once they
// are older than kStaleTempSeconds (a younger one may be another copy's write in progress).
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace korbo::records {

// The outcome of a file operation; `error` says what went wrong in words for the player.
struct [[nodiscard]] Status {
    bool ok = true;
    std::string error;
    explicit operator bool() const { return ok; }
    static Status Ok() { return {}; }
    static Status Fail(std::string why) { return {false, std::move(why)}; }
};

// The steps of a commit, for tests that make one of them fail.
enum class WriteStep { CreateTemp, Write, Sync, Rename };

// A test can make a commit step fail as a full disk or a read-only folder would, also where
// the file system itself would let the write through (tests running as root). The hook is
// asked before each step and fails the step when it returns true.
class WriteFaults {
public:
    using Hook = std::function<bool(WriteStep step, const std::string& path)>;
    static void Set(Hook hook);
    static void Clear();
    static bool Fails(WriteStep step, const std::string& path);
};

// Sets a write fault for the lifetime of the object.
class ScopedWriteFault {
public:
    explicit ScopedWriteFault(WriteFaults::Hook hook) { WriteFaults::Set(std::move(hook)); }
    ~ScopedWriteFault() { WriteFaults::Clear(); }
    ScopedWriteFault(const ScopedWriteFault&) = delete;
    ScopedWriteFault& operator=(const ScopedWriteFault&) = delete;
};

// Tests can follow what reaches a file and in which order: each record put (its number) and
// each commit that reached the disk (number 0).
class PutTrace {
public:
    using Hook = std::function<void(const std::string& path, long record)>;
    static void Set(Hook hook);
    static void Clear();
    static void Note(const std::string& path, long record);
};

class ScopedPutTrace {
public:
    explicit ScopedPutTrace(PutTrace::Hook hook) { PutTrace::Set(std::move(hook)); }
    ~ScopedPutTrace() { PutTrace::Clear(); }
    ScopedPutTrace(const ScopedPutTrace&) = delete;
    ScopedPutTrace& operator=(const ScopedPutTrace&) = delete;
};

class RecordFile {
public:
    // The largest record file read or written; every record ends within it, which keeps
    // every offset far inside the range of the file functions.
    static constexpr uintmax_t kMaxFileBytes = uintmax_t{1} << 20;
    // No record file holds more records than bytes: a record number above this never exists.
    static constexpr long kMaxRecord = static_cast<long>(kMaxFileBytes);
    // Age from which a temporary file of a commit counts as left behind by a killed one.
    static constexpr int kStaleTempSeconds = 60;

    RecordFile() = default;
    ~RecordFile() = default;
    RecordFile(RecordFile&&) = default;
    RecordFile& operator=(RecordFile&&) = default;
    RecordFile(const RecordFile&) = delete;
    RecordFile& operator=(const RecordFile&) = delete;

    // What opening a missing file does: create it empty at once, fail, or read it as empty
    // and create it at the first commit (so that a failed first write leaves no file).
    enum class Missing { Create, Fail, CreateOnCommit };

    // Opens `path` as a file of `length`-byte records. A path that is a folder, a pipe or a
    // device, a file larger than kMaxFileBytes, or a file that cannot be read, fails.
    Status Open(const std::string& path, size_t length, Missing missing = Missing::Create);
    bool IsOpen() const { return open_; }
    const std::string& Path() const { return path_; }
    size_t Length() const { return length_; }

    // Record n as it stands with the records put but not yet committed. A record beyond the
    // end, or the missing part of a cut-off last record, reads as zeros. A record number
    // outside 1..LastRecord(), or a file that can no longer be read (or is no longer a plain
    // file within the limit), gives zeros and sets the error that Close then reports.
    std::vector<uint8_t> Get(long n);
    // True when record n lies wholly or partly beyond the end of the file (pending records
    // count as written).
    bool PastEnd(long n) const;
    // Number of whole records, pending ones included.
    long RecordCount() const;
    // The last record that ends within kMaxFileBytes.
    long LastRecord() const { return length_ ? static_cast<long>(kMaxFileBytes / length_) : 0; }
    // Why a Get gave zeros in place of what the file holds; empty when every read worked.
    const std::string& ReadError() const { return readError_; }

    // Keeps record n for the next commit. The bytes are cut or zero-padded to the length.
    Status Put(long n, std::span<const uint8_t> bytes);

    // Writes the records put since the last commit (see the top of this file). Records in
    // between that were never written are filled with zeros.
    Status Commit();
    // Commits and releases the file. A file closed without pending records stays untouched.
    Status Close();
    // Releases the file and drops what was put into it.
    void Discard();

private:
    std::string path_;
    size_t length_ = 0;
    bool open_ = false;
    std::map<long, std::vector<uint8_t>> pending_;
    std::string readError_;
};

// Words for the player when the file at `path` ends inside a record of `length` bytes (it
// was cut short); empty when it holds whole records only, is missing or is no plain file.
std::string CutShortNotice(const std::string& path, size_t length);

// --- text fields -------------------------------------------------------------------------

// Text of a record field (Windows-1252 bytes) as UTF-8, padding included. A zero byte, as
// in a record never written, reads as a blank.
std::string DecodeText(std::span<const uint8_t> bytes);
// UTF-8 text as a field of `width` Windows-1252 bytes: cut, or padded with blanks. A
// character that Windows-1252 cannot hold, and a byte that is not valid UTF-8, become "?".
std::vector<uint8_t> EncodeText(std::string_view utf8, size_t width);
// Leading and trailing blanks removed (blanks only, as the game trims names).
std::string TrimBlanks(std::string_view text);
// ASCII letters in capitals, for the game's case-blind comparisons of names.
std::string UpperAscii(std::string_view text);

// --- numbers -------------------------------------------------------------------------------

int16_t GetInt16(std::span<const uint8_t> bytes, size_t offset);
void PutInt16(std::span<uint8_t> bytes, size_t offset, int16_t value);

// A number kept as text in a name field: read by the numeric-value rule and taken to the
// nearest value of the target type (a value beyond the type's range gives its nearest end).
int32_t TextToInt32(std::string_view text);
int16_t TextToInt16(std::string_view text);

}  // namespace korbo::records
