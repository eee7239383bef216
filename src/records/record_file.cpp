#include "record_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <mutex>

#include "text_number.h"

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

// --- the file ------------------------------------------------------------------------------

Status RecordFile::Open(const std::string& path, size_t length, Missing missing) {
    Discard();
    if (length == 0) return Status::Fail("A record file needs a record length.");
    std::error_code ec;
    fs::file_status st = fs::status(path, ec);
    if (fs::is_directory(st)) return Status::Fail(FileName(path) + " is a folder, not a file.");
    if (!fs::exists(st)) {
        if (missing == Missing::Fail) return Status::Fail("The file " + FileName(path) + " is missing.");
        if (missing == Missing::CreateOnCommit) {
            path_ = path;
            length_ = length;
            open_ = true;
            readError_.clear();
            return Status::Ok();
        }
        // An empty file cannot be half written, so it is created in place.
        int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            return Status::Fail("The file " + FileName(path) + " could not be created (" + Reason(errno) + ").");
        if (fd >= 0) ::close(fd);
    }
    std::ifstream probe(path, std::ios::binary);
    if (!probe) return Status::Fail("The file " + FileName(path) + " could not be read.");
    path_ = path;
    length_ = length;
    open_ = true;
    readError_.clear();
    return Status::Ok();
}

Status RecordFile::ReadAll(std::vector<uint8_t>& out) const {
    out.clear();
    std::ifstream in(path_, std::ios::binary);
    if (!in) {
        // A file that vanished since it was opened holds nothing any more.
        std::error_code ec;
        if (!fs::exists(path_, ec)) return Status::Ok();
        return Status::Fail("The file " + FileName(path_) + " could not be read.");
    }
    out.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (in.bad()) return Status::Fail("The file " + FileName(path_) + " could not be read.");
    return Status::Ok();
}

std::vector<uint8_t> RecordFile::Get(long n) {
    std::vector<uint8_t> rec(length_, 0);
    if (!open_) return rec;
    if (n < 1 || n > kMaxRecord) {
        if (readError_.empty()) readError_ = "Record " + std::to_string(n) + " of " + FileName(path_) + " does not exist.";
        return rec;
    }
    if (auto it = pending_.find(n); it != pending_.end()) return it->second;
    std::ifstream in(path_, std::ios::binary);
    if (!in) {
        std::error_code ec;
        if (fs::exists(path_, ec) && readError_.empty()) readError_ = "The file " + FileName(path_) + " could not be read.";
        return rec;
    }
    const auto offset = static_cast<std::streamoff>(length_) * (n - 1);
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    if (size <= offset) return rec;
    in.seekg(offset);
    const auto want = static_cast<std::streamsize>(std::min<std::streamoff>(size - offset, length_));
    in.read(reinterpret_cast<char*>(rec.data()), want);
    if (in.gcount() != want && readError_.empty()) readError_ = "The file " + FileName(path_) + " could not be read.";
    return rec;
}

bool RecordFile::PastEnd(long n) const {
    if (n < 1) return true;
    if (pending_.count(n)) return false;
    std::error_code ec;
    auto size = fs::file_size(path_, ec);
    if (ec) return true;
    return static_cast<unsigned long long>(length_) * static_cast<unsigned long long>(n) > size;
}

long RecordFile::RecordCount() const {
    std::error_code ec;
    auto size = fs::file_size(path_, ec);
    long count = ec ? 0 : static_cast<long>(std::min<uintmax_t>(size / length_, kMaxRecord));
    if (!pending_.empty()) count = std::max(count, pending_.rbegin()->first);
    return count;
}

Status RecordFile::Put(long n, std::span<const uint8_t> bytes) {
    if (!open_) return Status::Fail("No file is open for writing.");
    if (n < 1 || n > kMaxRecord)
        return Status::Fail("Record " + std::to_string(n) + " of " + FileName(path_) + " does not exist.");
    std::vector<uint8_t> rec(length_, 0);
    std::copy_n(bytes.begin(), std::min(bytes.size(), length_), rec.begin());
    pending_[n] = std::move(rec);
    PutTrace::Note(path_, n);
    return Status::Ok();
}

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
    std::vector<uint8_t> image;
    if (Status s = ReadAll(image); !s) {
        pending_.clear();
        return Status::Fail(s.error + " Nothing was changed.");
    }
    for (auto& [n, rec] : pending_) {
        const size_t offset = length_ * static_cast<size_t>(n - 1);
        if (image.size() < offset + length_) image.resize(offset + length_, 0);
        std::copy(rec.begin(), rec.end(), image.begin() + static_cast<std::ptrdiff_t>(offset));
    }

    // The new file takes the old one's permissions; a new file gets the usual ones.
    mode_t mode = 0666;
    struct stat old {};
    const bool existed = ::stat(path_.c_str(), &old) == 0;
    if (existed) {
        mode = old.st_mode & 07777;
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
    if (!WriteAllTo(fd, image.data(), image.size())) return abandon(Reason(errno));
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
    return static_cast<int16_t>(std::clamp<long>(records::Val(text), INT16_MIN, INT16_MAX));
}

}  // namespace korbo::records
