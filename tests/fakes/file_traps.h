// Things in a data file's place that are not what they seem, made for real: a pipe, a sparse
// file of any size, a file of a given age; and a guard for a step that might wait on a pipe.
#pragma once

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <future>
#include <string>

namespace korbo::test {

inline constexpr std::uintmax_t kSixGigabytes = std::uintmax_t{6} << 30;

inline void MakeFifo(const std::string& path) { ASSERT_EQ(::mkfifo(path.c_str(), 0644), 0) << path; }

// A file of `size` bytes that takes no room on the disk beyond its first bytes.
inline void MakeSparse(const std::string& path, std::uintmax_t size) {
    { std::ofstream(path, std::ios::binary | std::ios::trunc) << "\x01\x02\x03\x04"; }
    std::filesystem::resize_file(path, size);
}

// Sets a file's time of last change `age` into the past (a link itself, not its target).
inline void AgeFile(const std::string& path, std::chrono::seconds age) {
    const auto when = std::chrono::system_clock::now() - age;
    const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(when.time_since_epoch()).count();
    timespec times[2];
    times[0].tv_sec = times[1].tv_sec = static_cast<time_t>(ns / 1000000000);
    times[0].tv_nsec = times[1].tv_nsec = static_cast<long>(ns % 1000000000);
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, AT_SYMLINK_NOFOLLOW), 0) << path;
}

// Runs `step` and gives its result. When it has not returned after a generous wait, it is
// taken to wait on the pipe at `fifo`: the test fails, and a writer opened on the pipe and
// closed again lets the step end.
template <typename F>
auto WithoutWaiting(const std::string& fifo, F step) {
    auto done = std::async(std::launch::async, step);
    if (done.wait_for(std::chrono::seconds(20)) != std::future_status::ready) {
        ADD_FAILURE() << "the program waited on the pipe " << fifo;
        const int w = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
        if (w >= 0) ::close(w);
    }
    return done.get();
}

}  // namespace korbo::test
