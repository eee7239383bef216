#include "record_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <mutex>

#include "text_number.h"
#include "int16_fields.h"

namespace korbo::records {

namespace fs = std::filesystem;

// --- write faults ------------------------------------------------------------------------

namespace {
std::mutex& FaultLock() {
    static std::mutex m;
    return m;
}
WriteFaults::Hook& FaultHook() {
    static WriteFaults::Hook hook;
    return hook;
}
PutTrace::Hook& TraceHook() {
    static PutTrace::Hook hook;
    return hook;
}

std::string FileName(const std::string& path) { return fs::path(path).filename().string(); }

std::string Reason(int err) { return std::strerror(err); }

// Writes everything, riding out short writes and interrupted calls.
bool WriteAllTo(int fd, const uint8_t* data, size_t size) {
    while (size > 0) {
        ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}
}  // namespace

void WriteFaults::Set(Hook hook) {
    std::lock_guard<std::mutex> l(FaultLock());
    FaultHook() = std::move(hook);
}
void WriteFaults::Clear() { Set(nullptr); }
bool WriteFaults::Fails(WriteStep step, const std::string& path) {
    std::lock_guard<std::mutex> l(FaultLock());
    return FaultHook() && FaultHook()(step, path);
}

void PutTrace::Set(Hook hook) {
    std::lock_guard<std::mutex> l(FaultLock());
    TraceHook() = std::move(hook);
}
void PutTrace::Clear() { Set(nullptr); }
void PutTrace::Note(const std::string& path, long record) {
    Hook hook;
    {
        std::lock_guard<std::mutex> l(FaultLock());
        hook = TraceHook();
    }
    if (hook) hook(path, record);
}

// --- reading ------------------------------------------------------------------------------

namespace {

std::string NotPlainFile(const std::string& name) {
    return "The file " + name + " is not a plain file (it is a pipe, a device or a link to one), so it was not read"
           " and is left as it is.";
}
std::string TooLarge(const std::string& name) {
    return "The file " + name + " is larger than 1 MiB, far more than any file of the game holds, so it was not"
           " read and is left as it is.";
}

// What stands at a path, from its status alone (which never waits, not even on a pipe):
// empty when it may be read as a record file, else why not.
std::string Refusal(const std::string& path, const struct stat& st) {
    const std::string name = FileName(path);
    if (S_ISDIR(st.st_mode)) return name + " is a folder, not a file.";
    if (!S_ISREG(st.st_mode)) return NotPlainFile(name);
    if (static_cast<uintmax_t>(st.st_size) > RecordFile::kMaxFileBytes) return TooLarge(name);
    return {};
}

// The file opened for reading, once its status allows it; the status is checked again on
// the open file, in case something else took its place in between.
struct OldFile {
    int fd = -1;
    uintmax_t size = 0;
    bool missing = false;
    std::string why;  // set when the file is there but is not read
    OldFile() = default;
    OldFile(const OldFile&) = delete;
    OldFile& operator=(const OldFile&) = delete;
    ~OldFile() {
        if (fd >= 0) ::close(fd);
    }
    bool Readable() const { return fd >= 0; }
};

void OpenOld(const std::string& path, OldFile& old) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        if (errno == ENOENT) old.missing = true;
        else old.why = "The file " + FileName(path) + " could not be read (" + Reason(errno) + ").";
        return;
    }
    if (old.why = Refusal(path, st); !old.why.empty()) return;
    old.fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (old.fd < 0) {
        if (errno == ENOENT) old.missing = true;
        else old.why = "The file " + FileName(path) + " could not be read (" + Reason(errno) + ").";
        return;
    }
    if (::fstat(old.fd, &st) != 0) old.why = "The file " + FileName(path) + " could not be read (" + Reason(errno) + ").";
    else old.why = Refusal(path, st);
    if (!old.why.empty()) {
        ::close(old.fd);
        old.fd = -1;
        return;
    }
    old.size = static_cast<uintmax_t>(st.st_size);
}

// Reads `size` bytes at `offset`, riding out short reads and interrupted calls.
bool ReadAt(int fd, uintmax_t offset, uint8_t* data, size_t size) {
    while (size > 0) {
        ssize_t n = ::pread(fd, data, size, static_cast<off_t>(offset));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        data += n;
        size -= static_cast<size_t>(n);
        offset += static_cast<uintmax_t>(n);
    }
    return true;
}

// The size of a plain file within the limit; 0 for anything else, which Get then refuses.
uintmax_t PlainSize(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !Refusal(path, st).empty()) return 0;
    return static_cast<uintmax_t>(st.st_size);
}

// The temporary files a commit of `path` makes: the file's name, ".tmp-" and six letters
// or digits.
bool IsOwnTemporary(const std::string& file, const std::string& candidate) {
    const std::string prefix = file + ".tmp-";
    if (candidate.size() != prefix.size() + 6 || candidate.compare(0, prefix.size(), prefix) != 0) return false;
    for (size_t i = prefix.size(); i < candidate.size(); ++i) {
        const char c = candidate[i];
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))) return false;
    }
    return true;
}

// Removes the temporary files of killed commits of `path`: plain files only, and only once
// they are old enough that no commit can still be writing them.
void RemoveStaleTemporaries(const std::string& path) {
    const fs::path p(path);
    const std::string file = p.filename().string();
    const fs::path folder = p.has_parent_path() ? p.parent_path() : fs::path(".");
    // The fine clock, as the files' times are kept: time() runs a tick behind it and would
    // take a file of a minute and a second for a minute old.
    timespec now {};
    ::clock_gettime(CLOCK_REALTIME, &now);
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (!IsOwnTemporary(file, name)) continue;
        struct stat st {};
        if (::lstat(it->path().c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
        const double age = static_cast<double>(now.tv_sec - st.st_mtim.tv_sec) +
                           static_cast<double>(now.tv_nsec - st.st_mtim.tv_nsec) / 1e9;
        if (age > RecordFile::kStaleTempSeconds) ::unlink(it->path().c_str());
    }
}

}  // namespace

// --- the file ------------------------------------------------------------------------------

Status RecordFile::Open(const std::string& path, size_t length, Missing missing) {
    Discard();
    if (length == 0) return Status::Fail("A record file needs a record length.");
    OldFile old;
    OpenOld(path, old);
    if (!old.why.empty()) return Status::Fail(old.why);
    if (old.missing) {
        if (missing == Missing::Fail) return Status::Fail("The file " + FileName(path) + " is missing.");
        if (missing == Missing::Create) {
            // An empty file cannot be half written, so it is created in place.
            int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (fd < 0 && errno != EEXIST)
                return Status::Fail("The file " + FileName(path) + " could not be created (" + Reason(errno) + ").");
            if (fd >= 0) ::close(fd);
            OldFile created;
            OpenOld(path, created);
            if (!created.why.empty()) return Status::Fail(created.why);
            if (!created.Readable()) return Status::Fail("The file " + FileName(path) + " could not be read.");
        }
    }
    path_ = path;
    length_ = length;
    open_ = true;
    readError_.clear();
    return Status::Ok();
}

std::vector<uint8_t> RecordFile::Get(long n) {
    std::vector<uint8_t> rec(length_, 0);
    if (!open_) return rec;
    if (n < 1 || n > LastRecord()) {
        if (readError_.empty()) readError_ = "Record " + std::to_string(n) + " of " + FileName(path_) + " does not exist.";
        return rec;
    }
    if (auto it = pending_.find(n); it != pending_.end()) return it->second;
    OldFile old;
    OpenOld(path_, old);
    if (!old.why.empty()) {
        if (readError_.empty()) readError_ = old.why;
        return rec;
    }
    if (!old.Readable()) return rec;  // a file that vanished since it was opened holds nothing
    const uintmax_t offset = static_cast<uintmax_t>(length_) * static_cast<uintmax_t>(n - 1);
    if (old.size <= offset) return rec;
    const auto want = static_cast<size_t>(std::min<uintmax_t>(old.size - offset, length_));
    if (!ReadAt(old.fd, offset, rec.data(), want)) {
        if (readError_.empty()) readError_ = "The file " + FileName(path_) + " could not be read.";
        std::fill(rec.begin(), rec.end(), 0);
    }
    return rec;
}

bool RecordFile::PastEnd(long n) const {
    if (n < 1) return true;
    if (pending_.count(n)) return false;
    return static_cast<uintmax_t>(length_) * static_cast<uintmax_t>(n) > PlainSize(path_);
}

long RecordFile::RecordCount() const {
    long count = length_ ? static_cast<long>(PlainSize(path_) / length_) : 0;
    if (!pending_.empty()) count = std::max(count, pending_.rbegin()->first);
    return count;
}

Status RecordFile::Put(long n, std::span<const uint8_t> bytes) {
    if (!open_) return Status::Fail("No file is open for writing.");
    if (n < 1 || n > LastRecord())
        return Status::Fail("Record " + std::to_string(n) + " of " + FileName(path_) + " does not exist.");
    std::vector<uint8_t> rec(length_, 0);
    std::copy_n(bytes.begin(), std::min(bytes.size(), length_), rec.begin());
    pending_[n] = std::move(rec);
    PutTrace::Note(path_, n);
    return Status::Ok();
}

namespace {
// The new content, record by record: each record put, else the old one, else zeros up to
// the last record put. Only whole old records are copied: a cut-off last record is dropped,
// so that its stray bytes never become part of a record.
bool CopyRecords(const OldFile& old, size_t length, const std::map<long, std::vector<uint8_t>>& pending, int out) {
    const uintmax_t oldSize = old.Readable() ? old.size - old.size % length : 0;
    const uintmax_t pendingEnd = pending.empty() ? 0 : length * static_cast<uintmax_t>(pending.rbegin()->first);
    const uintmax_t total = std::max(oldSize, pendingEnd);
    std::vector<uint8_t> rec(length);
    long n = 1;
    for (uintmax_t offset = 0; offset < total; offset += length, ++n) {
        const auto size = static_cast<size_t>(std::min<uintmax_t>(length, total - offset));
        if (auto it = pending.find(n); it != pending.end()) {
            if (!WriteAllTo(out, it->second.data(), size)) return false;
            continue;
        }
        std::fill(rec.begin(), rec.end(), 0);
        if (offset < oldSize) {
            const auto have = static_cast<size_t>(std::min<uintmax_t>(size, oldSize - offset));
            if (!ReadAt(old.fd, offset, rec.data(), have)) {
                errno = EIO;
                return false;
            }
        }
        if (!WriteAllTo(out, rec.data(), size)) return false;
    }
    return true;
}
}  // namespace

Status RecordFile::Commit() {
    if (!open_) return Status::Fail("No file is open for writing.");
    if (!readError_.empty()) {
        // What was put may rest on records that could not be read: keep the file as it is.
        std::string why = readError_;
        pending_.clear();
        readError_.clear();
        return Status::Fail(why + " Nothing was changed.");
    }
    if (pending_.empty()) return Status::Ok();

    const std::string name = FileName(path_);
    auto fail = [&](const std::string& why) {
        pending_.clear();
        return Status::Fail("The file " + name + " could not be saved (" + why + "). Nothing was changed.");
    };

    // Start from what is on disk now, so that records committed meanwhile through another
    // handle are kept.
    OldFile old;
    OpenOld(path_, old);
    if (!old.why.empty()) {
        pending_.clear();
        return Status::Fail(old.why + " Nothing was changed.");
    }
    // Before a new temporary file is made, so that a disk filled by them has their room again.
    RemoveStaleTemporaries(path_);

    // The new file takes the old one's permissions; a new file gets the usual ones.
    mode_t mode = 0666;
    struct stat st {};
    if (old.Readable() && ::fstat(old.fd, &st) == 0) {
        mode = st.st_mode & 07777;
    } else {
        mode_t mask = ::umask(0);
        ::umask(mask);
        mode &= ~mask;
    }

    std::string temp = path_ + ".tmp-XXXXXX";
    std::vector<char> tmpl(temp.begin(), temp.end());
    tmpl.push_back('\0');
    if (WriteFaults::Fails(WriteStep::CreateTemp, path_)) return fail("the folder cannot be written");
    int fd = ::mkstemp(tmpl.data());
    if (fd < 0) return fail(Reason(errno));
    temp.assign(tmpl.data());
    auto abandon = [&](const std::string& why) {
        ::close(fd);
        ::unlink(temp.c_str());
        return fail(why);
    };
    if (WriteFaults::Fails(WriteStep::Write, path_)) return abandon(Reason(ENOSPC));
    if (!CopyRecords(old, length_, pending_, fd)) return abandon(Reason(errno));
    if (::fchmod(fd, mode) != 0) { /* keep the temporary file's own mode */ }
    if (WriteFaults::Fails(WriteStep::Sync, path_)) return abandon(Reason(EIO));
    if (::fsync(fd) != 0) return abandon(Reason(errno));
    if (::close(fd) != 0) {
        ::unlink(temp.c_str());
        return fail(Reason(errno));
    }
    if (WriteFaults::Fails(WriteStep::Rename, path_)) {
        ::unlink(temp.c_str());
        return fail(Reason(EACCES));
    }
    if (::rename(temp.c_str(), path_.c_str()) != 0) {
        int err = errno;
        ::unlink(temp.c_str());
        return fail(Reason(err));
    }
    // Make the rename itself durable; the new file is in place either way.
    std::string dir = fs::path(path_).parent_path().string();
    if (dir.empty()) dir = ".";
    int dfd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd >= 0) {
        ::fsync(dfd);
        ::close(dfd);
    }
    pending_.clear();
    PutTrace::Note(path_, 0);
    return Status::Ok();
}

Status RecordFile::Close() {
    if (!open_) return Status::Ok();
    Status s = Commit();
    Discard();
    return s;
}

void RecordFile::Discard() {
    open_ = false;
    pending_.clear();
    readError_.clear();
}

std::string CutShortNotice(const std::string& path, size_t length) {
    struct stat st {};
    if (length == 0 || ::stat(path.c_str(), &st) != 0 || !Refusal(path, st).empty()) return {};
    const auto size = static_cast<uintmax_t>(st.st_size);
    if (size % length == 0) return {};
    const uintmax_t whole = size / length;
    std::string text = "The file " + FileName(path) + " was cut short inside its record " + std::to_string(whole + 1) +
                       ": what is left of that record is dropped when the file is next written";
    if (whole == 1) text += "; the whole record before it is kept";
    else if (whole > 1) text += "; the " + std::to_string(whole) + " whole records before it are kept";
    return text + ".";
}

// --- text ---------------------------------------------------------------------------------

namespace {
// Windows-1252 bytes 0x80..0x9F. The five bytes the code page leaves free map to the C1
// control of the same number, so that they survive a read and a write unchanged.
constexpr char32_t kHigh[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

uint8_t ToCp1252(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<uint8_t>(c);
    for (int i = 0; i < 32; ++i)
        if (kHigh[i] == c) return static_cast<uint8_t>(0x80 + i);
    return '?';
}
}  // namespace

std::string DecodeText(std::span<const uint8_t> bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (uint8_t b : bytes) {
        if (b == 0) out += ' ';
        else if (b < 0x80) out += static_cast<char>(b);
        else if (b < 0xA0) AppendUtf8(out, kHigh[b - 0x80]);
        else AppendUtf8(out, b);
    }
    return out;
}

std::vector<uint8_t> EncodeText(std::string_view s, size_t width) {
    std::vector<uint8_t> out;
    out.reserve(width);
    size_t i = 0;
    while (i < s.size() && out.size() < width) {
        const auto b = static_cast<uint8_t>(s[i]);
        if (b < 0x80) {
            out.push_back(b);
            ++i;
            continue;
        }
        int extra = b >= 0xC2 && b <= 0xDF ? 1 : b >= 0xE0 && b <= 0xEF ? 2 : b >= 0xF0 && b <= 0xF4 ? 3 : -1;
        char32_t c = extra == 1 ? (b & 0x1F) : extra == 2 ? (b & 0x0F) : (b & 0x07);
        bool good = extra > 0 && i + static_cast<size_t>(extra) < s.size();
        for (int k = 1; good && k <= extra; ++k) {
            const auto cb = static_cast<uint8_t>(s[i + k]);
            if ((cb & 0xC0) != 0x80) good = false;
            c = (c << 6) | (cb & 0x3F);
        }
        // Overlong forms, surrogates and values beyond Unicode are not characters.
        if (good && ((extra == 2 && c < 0x800) || (extra == 3 && (c < 0x10000 || c > 0x10FFFF)) ||
                     (c >= 0xD800 && c <= 0xDFFF)))
            good = false;
        if (!good) {
            out.push_back('?');
            ++i;
            continue;
        }
        out.push_back(ToCp1252(c));
        i += static_cast<size_t>(extra) + 1;
    }
    out.resize(width, ' ');
    return out;
}

std::string TrimBlanks(std::string_view text) {
    size_t a = text.find_first_not_of(' ');
    if (a == std::string_view::npos) return {};
    size_t b = text.find_last_not_of(' ');
    return std::string(text.substr(a, b - a + 1));
}

std::string UpperAscii(std::string_view text) {
    std::string s(text);
    for (char& c : s)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return s;
}

// --- numbers -------------------------------------------------------------------------------

int16_t GetInt16(std::span<const uint8_t> bytes, size_t offset) {
    const uint16_t u = static_cast<uint16_t>(bytes[offset] | (bytes[offset + 1] << 8));
    return static_cast<int16_t>(u);
}

void PutInt16(std::span<uint8_t> bytes, size_t offset, int16_t value) {
    const auto u = static_cast<uint16_t>(value);
    bytes[offset] = static_cast<uint8_t>(u & 0xFF);
    bytes[offset + 1] = static_cast<uint8_t>(u >> 8);
}

int32_t TextToInt32(std::string_view text) {
    return static_cast<int32_t>(std::clamp<long>(records::Val(text), INT32_MIN, INT32_MAX));
}

int16_t TextToInt16(std::string_view text) {
    return Saturate16(records::Val(text));
}

}  // namespace korbo::records
