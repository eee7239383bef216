// A scratch folder of its own for each test, and helpers to build and read record bytes by
// hand, independently of the code under test.
#pragma once

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>


namespace korbo::test {

namespace fs = std::filesystem;

class TempDir {
public:
    TempDir() {
        std::string tmpl = (fs::temp_directory_path() / "korbo-records-XXXXXX").string();
        std::vector<char> buf(tmpl.begin(), tmpl.end());
        buf.push_back('\0');
        path_ = ::mkdtemp(buf.data());
    }
    ~TempDir() {
        std::error_code ec;
        fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(path_, ec);
    }
    const std::string& path() const { return path_; }
    std::string operator/(const std::string& rel) const { return path_ + "/" + rel; }

private:
    std::string path_;
};

using Bytes = std::vector<uint8_t>;

// A disk that is full beyond `bytes`: no file can grow past that size while the object
// lives, and a write that tries fails part way (EFBIG), as on a small disk that fills up.
// Unlike a read-only folder this holds for root too.
class FullDisk {
public:
    explicit FullDisk(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &old_);
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);  // the write fails instead of killing
        rlimit r = old_;
        r.rlim_cur = bytes;
        ok_ = ::setrlimit(RLIMIT_FSIZE, &r) == 0;
    }
    ~FullDisk() {
        ::setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, oldHandler_);
    }
    bool ok() const { return ok_; }
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;

private:
    rlimit old_{};
    void (*oldHandler_)(int) = nullptr;
    bool ok_ = false;
};

// Regular files in a folder (a failed write must leave no temporary file behind).
inline int FilesIn(const std::string& folder) {
    int n = 0;
    for (auto& e : fs::directory_iterator(folder)) n += e.is_regular_file();
    return n;
}

inline Bytes ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::string& path, const Bytes& b) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
}

// Little-endian 16-bit integer at an offset, growing the buffer as needed.
inline void Le16(Bytes& b, size_t at, int v) {
    if (b.size() < at + 2) b.resize(at + 2, 0);
    b[at] = static_cast<uint8_t>(v & 0xFF);
    b[at + 1] = static_cast<uint8_t>((v >> 8) & 0xFF);
}
inline int16_t GetLe16(const Bytes& b, size_t at) { return static_cast<int16_t>(b.at(at) | (b.at(at + 1) << 8)); }

// ASCII text padded with blanks to `width`, at an offset.
inline void Text(Bytes& b, size_t at, const std::string& s, size_t width) {
    if (b.size() < at + width) b.resize(at + width, 0);
    for (size_t i = 0; i < width; ++i) b[at + i] = i < s.size() ? static_cast<uint8_t>(s[i]) : ' ';
}

// One 28-byte score record built from the field table.
inline Bytes ScoreBytes(const std::string& name, int played, int won, int margin, int extra) {
    Bytes b(28, 0);
    Text(b, 0, name, 20);
    Le16(b, 20, played);
    Le16(b, 22, won);
    Le16(b, 24, margin);
    Le16(b, 26, extra);
    return b;
}

// A score file from records 1.. in order.
inline Bytes ScoreFileBytes(const std::vector<Bytes>& recs) {
    Bytes out;
    for (const auto& r : recs) out.insert(out.end(), r.begin(), r.end());
    return out;
}

inline Bytes Record(const Bytes& file, size_t length, long n) {
    const size_t at = length * static_cast<size_t>(n - 1);
    if (file.size() < at + length) return {};
    return Bytes(file.begin() + static_cast<std::ptrdiff_t>(at), file.begin() + static_cast<std::ptrdiff_t>(at + length));
}

}  // namespace korbo::test
