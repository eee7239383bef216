// What the fuzz targets of the data files share: a program folder of the process's own and
// the bytes of its files.
#pragma once

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace korbo::fuzz {

// Stops the run as a finding when a property of the reader does not hold.
inline void Check(bool ok) {
    if (!ok) __builtin_trap();
}

// A folder named after `name`, made once for the process, with its users folder; on a
// memory file system where there is one (a commit flushes its file to the disk).
inline std::string MakeScratchFolder(std::string_view name) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const std::string base = fs::is_directory("/dev/shm", ec) ? "/dev/shm" : "/tmp";
    std::string tmpl = base + "/korbo-fuzz-" + std::string(name) + "-XXXXXX";
    if (!::mkdtemp(tmpl.data())) std::abort();
    fs::create_directory(tmpl + "/users", ec);
    if (ec) std::abort();
    return tmpl;
}

inline void WriteBytes(const std::string& path, const void* data, size_t size) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
    if (!out) std::abort();
}

// The file's bytes; none when it cannot be read.
inline std::vector<char> Bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline bool SameBytes(const std::string& path, const uint8_t* data, size_t size) {
    const std::vector<char> b = Bytes(path);
    return b.size() == size && std::equal(b.begin(), b.end(), reinterpret_cast<const char*>(data));
}

}  // namespace korbo::fuzz
