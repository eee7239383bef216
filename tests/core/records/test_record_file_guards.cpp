// Record files that are not what they seem: a pipe or a device in the file's place, a file
// far larger than any file of the game, and the temporary files a killed save left behind.
// Such a file is refused with words the player can read, nothing waits on it, and it is
// left as it is.
#include <chrono>

#include "fakes/file_traps.h"
#include "fakes/record_bytes.h"
#include "records/record_file.h"

namespace korbo::test {
namespace {

using records::RecordFile;
using namespace std::chrono_literals;

struct RecordFileGuardTest : ::testing::Test {
    TempDir dir;
    std::string file = dir / "data.ran";
};

bool Mentions(const records::Status& s, const std::string& what) { return s.error.find(what) != std::string::npos; }

// What is in the file's place decides; each is refused at once, whatever the caller would
// do with a missing file, and stays as it is.
TEST_F(RecordFileGuardTest, APipeOrADeviceInTheFilesPlaceIsRefused) {
    MakeFifo(dir / "pipe.ran");
    fs::create_symlink("/dev/zero", dir / "zero.ran");
    fs::create_symlink("/dev/null", dir / "null.ran");
    for (const char* name : {"pipe.ran", "zero.ran", "null.ran"}) {
        for (auto missing : {RecordFile::Missing::Create, RecordFile::Missing::Fail, RecordFile::Missing::CreateOnCommit}) {
            SCOPED_TRACE(name);
            const std::string path = dir / name;
            RecordFile f;
            const records::Status s = WithoutWaiting(path, [&] { return f.Open(path, 28, missing); });
            EXPECT_FALSE(s);
            EXPECT_TRUE(Mentions(s, name)) << s.error;
            EXPECT_TRUE(Mentions(s, "not a plain file")) << s.error;
            EXPECT_TRUE(Mentions(s, "left as it is")) << s.error;
            EXPECT_FALSE(f.IsOpen());
            EXPECT_FALSE(f.Put(1, Bytes(28, 1)));
        }
    }
    EXPECT_TRUE(fs::is_fifo(dir / "pipe.ran"));
    EXPECT_TRUE(fs::is_symlink(dir / "zero.ran"));
    EXPECT_EQ(fs::read_symlink(dir / "zero.ran"), "/dev/zero");
}

// A link to a plain file is the file: it is read and written as usual.
TEST_F(RecordFileGuardTest, ALinkToAPlainFileIsThatFile) {
    WriteBytes(dir / "real.ran", Bytes{1, 2});
    fs::create_symlink(dir / "real.ran", file);
    RecordFile f;
    ASSERT_TRUE(f.Open(file, 2));
    EXPECT_EQ(f.Get(1), (Bytes{1, 2}));
    EXPECT_EQ(f.ReadError(), "");
}

// A file that turns into a pipe or a device after it was opened: the reads give zeros and
// say why, nothing waits, and the commit leaves what is there untouched.
TEST_F(RecordFileGuardTest, AFileReplacedByAPipeOrADeviceIsNotReadNorWritten) {
    for (const char* what : {"pipe", "device"}) {
        SCOPED_TRACE(what);
        WriteBytes(file, Bytes{1, 2, 3, 4});
        RecordFile f;
        ASSERT_TRUE(f.Open(file, 2));
        fs::remove(file);
        if (std::string(what) == "pipe") MakeFifo(file);
        else fs::create_symlink("/dev/zero", file);
        ASSERT_TRUE(f.Put(1, Bytes{9, 9}));
        EXPECT_EQ(WithoutWaiting(file, [&] { return f.Get(2); }), (Bytes{0, 0}));
        EXPECT_TRUE(f.ReadError().find("not a plain file") != std::string::npos) << f.ReadError();
        const records::Status s = WithoutWaiting(file, [&] { return f.Close(); });
        EXPECT_FALSE(s);
        EXPECT_TRUE(Mentions(s, "Nothing was changed")) << s.error;
        EXPECT_TRUE(std::string(what) == "pipe" ? fs::is_fifo(fs::symlink_status(file)) : fs::is_symlink(file));
        EXPECT_EQ(FilesIn(dir.path()), 0);  // no temporary file left beside it
        fs::remove(file);
    }
}

// No file of the game comes near 1 MiB: a larger one is refused unread, at the open as at
// every later read, and keeps its size; the commit never writes past the limit either.
TEST_F(RecordFileGuardTest, AFileLargerThanTheLimitIsRefusedUnreadAndKept) {
    const uintmax_t limit = RecordFile::kMaxFileBytes;
    ASSERT_EQ(limit, 1u << 20);
    struct Case {
        uintmax_t size;
        bool refused;
    } cases[] = {{limit, false}, {limit + 1, true}, {kSixGigabytes, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.size);
        MakeSparse(file, c.size);
        RecordFile f;
        const records::Status s = f.Open(file, 28, RecordFile::Missing::Fail);
        EXPECT_EQ(!s, c.refused) << s.error;
        if (c.refused) {
            EXPECT_TRUE(Mentions(s, "data.ran")) << s.error;
            EXPECT_TRUE(Mentions(s, "larger than 1 MiB")) << s.error;
            EXPECT_TRUE(Mentions(s, "left as it is")) << s.error;
        } else {
            EXPECT_EQ(f.Get(1), (Bytes{1, 2, 3, 4, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
            ASSERT_TRUE(f.Put(1, Bytes(28, 7)));
            EXPECT_TRUE(f.Close());
        }
        // A refused file is left as it is; one written keeps its whole records (the cut part
        // at its end is dropped).
        EXPECT_EQ(fs::file_size(file), c.refused ? c.size : c.size - c.size % 28);
    }
}

TEST_F(RecordFileGuardTest, AFileThatGrewPastTheLimitSinceItWasOpenedIsLeftAsItIs) {
    WriteBytes(file, Bytes(56, 1));
    RecordFile f;
    ASSERT_TRUE(f.Open(file, 28));
    ASSERT_TRUE(f.Put(1, Bytes(28, 9)));
    fs::resize_file(file, kSixGigabytes);
    EXPECT_EQ(f.Get(2), Bytes(28, 0));
    EXPECT_TRUE(f.ReadError().find("larger than 1 MiB") != std::string::npos) << f.ReadError();
    EXPECT_FALSE(f.Close());
    EXPECT_EQ(fs::file_size(file), kSixGigabytes);
    EXPECT_EQ(FilesIn(dir.path()), 1);

    // Without reading first, the commit itself finds it so.
    WriteBytes(file, Bytes(56, 1));
    ASSERT_TRUE(f.Open(file, 28));
    ASSERT_TRUE(f.Put(1, Bytes(28, 9)));
    fs::resize_file(file, kSixGigabytes);
    const records::Status s = f.Close();
    EXPECT_FALSE(s);
    EXPECT_TRUE(Mentions(s, "larger than 1 MiB")) << s.error;
    EXPECT_EQ(fs::file_size(file), kSixGigabytes);
}

// A record that would end past the limit does not exist: it can be neither read nor put,
// so the program never writes a file it would refuse to read.
TEST_F(RecordFileGuardTest, RecordsEndWithinTheLimit) {
    RecordFile f;
    ASSERT_TRUE(f.Open(file, 28));
    const long last = static_cast<long>(RecordFile::kMaxFileBytes / 28);
    EXPECT_TRUE(f.Put(last, Bytes(28, 1)));
    EXPECT_FALSE(f.Put(last + 1, Bytes(28, 1)));
    EXPECT_TRUE(f.Close());
    EXPECT_LE(fs::file_size(file), RecordFile::kMaxFileBytes);
    ASSERT_TRUE(f.Open(file, 28));
    EXPECT_EQ(f.Get(last), Bytes(28, 1));
    EXPECT_EQ(f.ReadError(), "");
    (void)f.Get(last + 1);
    EXPECT_NE(f.ReadError(), "");
    f.Discard();
}

// The temporary files of a save that was killed: the next write of the same file removes
// those older than a minute. A fresh one may belong to a second copy of the program saving
// now, and only the file's own temporaries go, never another file's, a folder or a link.
TEST_F(RecordFileGuardTest, TheNextWriteRemovesItsOwnStaleTemporaryFiles) {
    WriteBytes(file, Bytes{1, 1});
    struct Leftover {
        std::string name;
        std::chrono::seconds age;
        bool removed;
    } leftovers[] = {
        {"data.ran.tmp-Ab3xYz", 3600s, true},
        {"data.ran.tmp-000000", 61s, true},
        {"data.ran.tmp-QwErTy", 5s, false},      // a write in progress
        {"data.ran.tmp-Ab3xYz7", 3600s, false},  // not a name the program makes
        {"data.ran.tmp-Ab3x", 3600s, false},
        {"other.ran.tmp-Ab3xYz", 3600s, false},  // another file's
        {"data.ran.bak", 3600s, false},
    };
    for (const Leftover& l : leftovers) {
        WriteBytes(dir / l.name, Bytes{7});
        AgeFile(dir / l.name, l.age);
    }
    fs::create_directory(dir / "data.ran.tmp-Folder");
    AgeFile(dir / "data.ran.tmp-Folder", 3600s);
    fs::create_symlink(dir / "data.ran.bak", dir / "data.ran.tmp-Linked");
    AgeFile(dir / "data.ran.tmp-Linked", 3600s);

    RecordFile f;
    ASSERT_TRUE(f.Open(file, 2));
    ASSERT_TRUE(f.Put(1, Bytes{2, 2}));
    ASSERT_TRUE(f.Close());
    EXPECT_EQ(ReadBytes(file), (Bytes{2, 2}));
    for (const Leftover& l : leftovers) EXPECT_EQ(fs::exists(dir / l.name), !l.removed) << l.name;
    EXPECT_TRUE(fs::is_directory(dir / "data.ran.tmp-Folder"));
    EXPECT_TRUE(fs::is_symlink(dir / "data.ran.tmp-Linked"));
    EXPECT_EQ(ReadBytes(dir / "data.ran.bak"), Bytes{7});
}

// Only a write clears them: opening and reading leaves the folder as it is.
TEST_F(RecordFileGuardTest, ReadingLeavesStaleTemporaryFilesAlone) {
    WriteBytes(file, Bytes{1, 1});
    WriteBytes(dir / "data.ran.tmp-Ab3xYz", Bytes{7});
    AgeFile(dir / "data.ran.tmp-Ab3xYz", 3600s);
    RecordFile f;
    ASSERT_TRUE(f.Open(file, 2));
    EXPECT_EQ(f.Get(1), (Bytes{1, 1}));
    EXPECT_TRUE(f.Close());  // nothing put: nothing written
    EXPECT_TRUE(fs::exists(dir / "data.ran.tmp-Ab3xYz"));
}

}  // namespace
}  // namespace korbo::test
