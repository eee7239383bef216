// The fixed-record file layer: where records lie, what a missing record reads as, whole-file
// commits that survive failures, and the text and number fields.
#include <sys/stat.h>
#include <unistd.h>

#include "records/record_file.h"
#include "fakes/record_bytes.h"

namespace korbo::test {
namespace {

using records::RecordFile;
using records::ScopedWriteFault;
using records::WriteStep;

struct RecordFileTest : ::testing::Test {
    TempDir dir;
    std::string file = dir / "data.ran";
};

TEST_F(RecordFileTest, RecordNLiesAtLengthTimesNMinusOne) {
    Bytes content;
    for (int i = 0; i < 3 * 5; ++i) content.push_back(static_cast<uint8_t>(i));
    WriteBytes(file, content);
    RecordFile f;
    ASSERT_TRUE(f.Open(file, 5));
    EXPECT_EQ(f.Get(1), (Bytes{0, 1, 2, 3, 4}));
    EXPECT_EQ(f.Get(3), (Bytes{10, 11, 12, 13, 14}));
    EXPECT_EQ(f.RecordCount(), 3);
    ASSERT_TRUE(f.Put(2, Bytes{9, 9, 9, 9, 9}));
    ASSERT_TRUE(f.Close());
    EXPECT_EQ(ReadBytes(file), (Bytes{0, 1, 2, 3, 4, 9, 9, 9, 9, 9, 10, 11, 12, 13, 14}));
}

TEST_F(RecordFileTest, MissingAndCutOffRecordsReadAsZeros) {
    WriteBytes(file, Bytes{1, 2, 3, 4, 5, 6, 7});  // one record and a cut-off second one
    RecordFile f;
    ASSERT_TRUE(f.Open(file, 4));
    EXPECT_FALSE(f.PastEnd(1));
    EXPECT_TRUE(f.PastEnd(2));
    EXPECT_EQ(f.Get(2), (Bytes{5, 6, 7, 0}));
    EXPECT_EQ(f.Get(9), (Bytes{0, 0, 0, 0}));
    EXPECT_EQ(f.RecordCount(), 1);
    EXPECT_EQ(f.ReadError(), "");
}

// A file cut inside its last record: the whole records before it stay as they are, and the
// cut part is dropped at the next write, never padded into a record of its own.
TEST_F(RecordFileTest, ACutLastRecordIsDroppedWhenTheFileIsNextWritten) {
    const Bytes cut{1, 1, 1, 1, 2, 2, 2, 2, 3, 3};  // two records of four and half a third
    struct Case {
        const char* what;
        long put;
        Bytes expected;
    } cases[] = {
        {"a record before it", 1, {9, 9, 9, 9, 2, 2, 2, 2}},
        {"the cut record itself", 3, {1, 1, 1, 1, 2, 2, 2, 2, 9, 9, 9, 9}},
        {"a record beyond it", 4, {1, 1, 1, 1, 2, 2, 2, 2, 0, 0, 0, 0, 9, 9, 9, 9}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WriteBytes(file, cut);
        RecordFile f;
        ASSERT_TRUE(f.Open(file, 4));
        ASSERT_TRUE(f.Put(c.put, Bytes{9, 9, 9, 9}));
        ASSERT_TRUE(f.Close());
        EXPECT_EQ(ReadBytes(file), c.expected);
    }
}

TEST_F(RecordFileTest, AFileCutInsideARecordIsNamedInItsNotice) {
    WriteBytes(file, Bytes(2 * 4 + 3, 7));
    const std::string notice = records::CutShortNotice(file, 4);
    EXPECT_NE(notice.find("data.ran"), std::string::npos) << notice;
    EXPECT_NE(notice.find("cut short inside its record 3"), std::string::npos) << notice;
    EXPECT_NE(notice.find("2 whole records before it are kept"), std::string::npos) << notice;
    // Whole records, an empty file, a missing file or a folder are not cut short.
    WriteBytes(file, Bytes(2 * 4, 7));
    EXPECT_EQ(records::CutShortNotice(file, 4), "");
    WriteBytes(file, {});
    EXPECT_EQ(records::CutShortNotice(file, 4), "");
    EXPECT_EQ(records::CutShortNotice(dir / "absent.ran", 4), "");
    EXPECT_EQ(records::CutShortNotice(dir.path(), 4), "");
}

TEST_F(RecordFileTest, OpeningCreatesAMissingFileUnlessTold) {
    RecordFile f;
    EXPECT_FALSE(f.Open(dir / "absent.ran", 28, RecordFile::Missing::Fail));
    EXPECT_FALSE(fs::exists(dir / "absent.ran"));
    ASSERT_TRUE(f.Open(dir / "new.ran", 28));
    EXPECT_TRUE(fs::exists(dir / "new.ran"));
    EXPECT_EQ(fs::file_size(dir / "new.ran"), 0u);
    EXPECT_TRUE(f.Close());
    EXPECT_EQ(fs::file_size(dir / "new.ran"), 0u);

    records::Status s = f.Open(dir.path(), 28);
    EXPECT_FALSE(s);
    EXPECT_NE(s.error.find("folder"), std::string::npos);
}

TEST_F(RecordFileTest, WritesReachTheDiskOnlyAtCloseAndGapsAreZero) {
    RecordFile f;
    ASSERT_TRUE(f.Open(file, 2));
    ASSERT_TRUE(f.Put(3, Bytes{7, 8}));
    EXPECT_EQ(f.Get(3), (Bytes{7, 8}));  // the handle sees its own records
    EXPECT_EQ(fs::file_size(file), 0u);
    ASSERT_TRUE(f.Close());
    EXPECT_EQ(ReadBytes(file), (Bytes{0, 0, 0, 0, 7, 8}));
}

TEST_F(RecordFileTest, ADiscardedHandleWritesNothing) {
    WriteBytes(file, Bytes{1, 1});
    {
        RecordFile f;
        ASSERT_TRUE(f.Open(file, 2));
        ASSERT_TRUE(f.Put(1, Bytes{5, 5}));
    }  // destroyed without Close
    EXPECT_EQ(ReadBytes(file), (Bytes{1, 1}));
}

TEST_F(RecordFileTest, ACommitKeepsRecordsAnotherHandleCommittedMeanwhile) {
    WriteBytes(file, Bytes{1, 1, 2, 2});
    RecordFile a, b;
    ASSERT_TRUE(a.Open(file, 2));
    ASSERT_TRUE(b.Open(file, 2));
    ASSERT_TRUE(a.Put(1, Bytes{9, 9}));
    ASSERT_TRUE(b.Put(2, Bytes{8, 8}));
    ASSERT_TRUE(b.Close());
    EXPECT_EQ(a.Get(2), (Bytes{8, 8}));
    ASSERT_TRUE(a.Close());
    EXPECT_EQ(ReadBytes(file), (Bytes{9, 9, 8, 8}));
}

TEST_F(RecordFileTest, BadRecordNumbersAreRefused) {
    RecordFile f;
    ASSERT_TRUE(f.Open(file, 2));
    for (long n : {0L, -1L, RecordFile::kMaxRecord + 1}) {
        SCOPED_TRACE(n);
        EXPECT_FALSE(f.Put(n, Bytes{1, 1}));
    }
    EXPECT_EQ(f.Get(0), (Bytes{0, 0}));
    EXPECT_NE(f.ReadError(), "");
    // A handle that read something it could not have must not write what it built on it.
    ASSERT_TRUE(f.Put(1, Bytes{3, 3}));
    EXPECT_FALSE(f.Close());
    EXPECT_EQ(fs::file_size(file), 0u);
}

// Every step of a commit can fail: the old file stays whole, nothing is left beside it and
// the failure says which file.
TEST_F(RecordFileTest, AFailedCommitLeavesTheOldFileWhole) {
    const Bytes old{1, 2, 3, 4};
    for (WriteStep step : {WriteStep::CreateTemp, WriteStep::Write, WriteStep::Sync, WriteStep::Rename}) {
        SCOPED_TRACE(static_cast<int>(step));
        WriteBytes(file, old);
        ScopedWriteFault fault([step](WriteStep s, const std::string&) { return s == step; });
        RecordFile f;
        ASSERT_TRUE(f.Open(file, 2));
        ASSERT_TRUE(f.Put(2, Bytes{9, 9}));
        ASSERT_TRUE(f.Put(5, Bytes{9, 9}));
        records::Status s = f.Close();
        EXPECT_FALSE(s);
        EXPECT_NE(s.error.find("data.ran"), std::string::npos) << s.error;
        EXPECT_NE(s.error.find("Nothing was changed"), std::string::npos) << s.error;
        EXPECT_EQ(ReadBytes(file), old);
        int entries = 0;
        for (auto& e : fs::directory_iterator(dir.path())) entries += e.is_regular_file();
        EXPECT_EQ(entries, 1);
    }
    // Without the fault the same commit works.
    RecordFile f;
    ASSERT_TRUE(f.Open(file, 2));
    ASSERT_TRUE(f.Put(2, Bytes{9, 9}));
    ASSERT_TRUE(f.Close());
    EXPECT_EQ(ReadBytes(file), (Bytes{1, 2, 9, 9}));
}

// The new content is complete in a temporary file in the same folder before it is renamed
// over the old file, which until then is untouched.
TEST_F(RecordFileTest, TheNewContentIsWrittenBesideTheFileThenRenamed) {
    WriteBytes(file, Bytes{1, 1, 2, 2});
    std::vector<std::string> seenBeforeRename;
    Bytes oldAtRename, tempAtRename;
    ScopedWriteFault watch([&](WriteStep step, const std::string&) {
        if (step != WriteStep::Rename) return false;
        for (auto& e : fs::directory_iterator(dir.path())) {
            const std::string name = e.path().filename().string();
            seenBeforeRename.push_back(name);
            if (name.rfind("data.ran.tmp-", 0) == 0) tempAtRename = ReadBytes(e.path().string());
        }
        oldAtRename = ReadBytes(file);
        return false;
    });
    RecordFile f;
    ASSERT_TRUE(f.Open(file, 2));
    ASSERT_TRUE(f.Put(3, Bytes{3, 3}));
    ASSERT_TRUE(f.Close());
    EXPECT_EQ(seenBeforeRename.size(), 2u);
    EXPECT_EQ(oldAtRename, (Bytes{1, 1, 2, 2}));
    EXPECT_EQ(tempAtRename, (Bytes{1, 1, 2, 2, 3, 3}));
    EXPECT_EQ(ReadBytes(file), (Bytes{1, 1, 2, 2, 3, 3}));
    EXPECT_EQ(FilesIn(dir.path()), 1);
}

// A real write failure, not an injected one: the disk fills up while the new content is
// written. The old file stays whole, nothing is left beside it, and the failure is told.
TEST_F(RecordFileTest, AFullDiskLeavesTheOldFileWholeAndSaysSo) {
    Bytes old(300);
    for (size_t i = 0; i < old.size(); ++i) old[i] = static_cast<uint8_t>(i * 7);
    WriteBytes(file, old);
    RecordFile f;
    ASSERT_TRUE(f.Open(file, 100));
    ASSERT_TRUE(f.Put(2, Bytes(100, 0xEE)));
    ASSERT_TRUE(f.Put(40, Bytes(100, 0xEE)));  // the new file would be 4000 bytes
    records::Status s;
    {
        FullDisk disk(1000);
        ASSERT_TRUE(disk.ok());
        s = f.Close();
    }
    EXPECT_FALSE(s);
    EXPECT_NE(s.error.find("data.ran"), std::string::npos) << s.error;
    EXPECT_NE(s.error.find("File too large"), std::string::npos) << s.error;
    EXPECT_NE(s.error.find("Nothing was changed"), std::string::npos) << s.error;
    EXPECT_EQ(ReadBytes(file), old);
    EXPECT_EQ(FilesIn(dir.path()), 1);

    // Once there is room again the same records go in.
    ASSERT_TRUE(f.Open(file, 100));
    ASSERT_TRUE(f.Put(2, Bytes(100, 0xEE)));
    ASSERT_TRUE(f.Close());
    EXPECT_EQ(Record(ReadBytes(file), 100, 2), Bytes(100, 0xEE));
    EXPECT_EQ(Record(ReadBytes(file), 100, 1), Bytes(old.begin(), old.begin() + 100));
}

TEST_F(RecordFileTest, AReadOnlyFolderIsReportedAndChangesNothing) {
    if (::geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders; the injected faults cover this";
    const Bytes old{1, 2};
    WriteBytes(file, old);
    fs::permissions(dir.path(), fs::perms::owner_read | fs::perms::owner_exec);
    RecordFile f;
    ASSERT_TRUE(f.Open(file, 2));
    ASSERT_TRUE(f.Put(1, Bytes{5, 5}));
    EXPECT_FALSE(f.Close());
    fs::permissions(dir.path(), fs::perms::owner_all);
    EXPECT_EQ(ReadBytes(file), old);
}

TEST_F(RecordFileTest, ACommitKeepsTheFilesPermissions) {
    WriteBytes(file, Bytes{1, 2});
    ::chmod(file.c_str(), 0640);
    RecordFile f;
    ASSERT_TRUE(f.Open(file, 2));
    ASSERT_TRUE(f.Put(1, Bytes{3, 3}));
    ASSERT_TRUE(f.Close());
    struct stat st {};
    ASSERT_EQ(::stat(file.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
}

// --- text --------------------------------------------------------------------------------

TEST(RecordText, EncodesToWindows1252CutAndPadded) {
    struct Case { std::string utf8; size_t width; Bytes bytes; } cases[] = {
        {"Bob", 5, {'B', 'o', 'b', ' ', ' '}},
        {"abcdefgh", 4, {'a', 'b', 'c', 'd'}},
        {"\xC3\xA9t\xC3\xA9", 3, {0xE9, 't', 0xE9}},              // é t é
        {"\xE2\x82\xAC" "5", 2, {0x80, '5'}},                    // euro sign
        {"\xC5\x93\xE2\x80\x94", 2, {0x9C, 0x97}},                // oe ligature, em dash
        {"\xE4\xB8\xAD" "x", 2, {'?', 'x'}},                      // a CJK character has no byte
        {"\xF0\x9F\x98\x80", 2, {'?', ' '}},                      // neither has an emoji
        {"\xFF" "a", 2, {'?', 'a'}},                              // not UTF-8
        {"\xC0\xAF", 2, {'?', '?'}},                              // overlong form
        {"\xC3", 2, {'?', ' '}},                                  // cut-off sequence
        {"\xC3\xA9\xC3\xA9\xC3\xA9", 2, {0xE9, 0xE9}},            // cut by characters, not bytes
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.utf8);
        EXPECT_EQ(records::EncodeText(c.utf8, c.width), c.bytes);
    }
}

TEST(RecordText, DecodesEveryByteAndRoundTrips) {
    Bytes all;
    for (int b = 1; b < 256; ++b) all.push_back(static_cast<uint8_t>(b));
    std::string text = records::DecodeText(all);
    EXPECT_EQ(records::EncodeText(text, all.size()), all);
    EXPECT_EQ(records::DecodeText(Bytes{0x80, 0xE9, 0x9F}), "\xE2\x82\xAC\xC3\xA9\xC5\xB8");
    // Zero bytes, as a record never written holds, read as blanks.
    EXPECT_EQ(records::DecodeText(Bytes{'A', 0, 0}), "A  ");
}

TEST(RecordText, TrimsBlanksOnlyAndUpperCasesAscii) {
    EXPECT_EQ(records::TrimBlanks("  Bob  "), "Bob");
    EXPECT_EQ(records::TrimBlanks("    "), "");
    EXPECT_EQ(records::TrimBlanks("\tBob "), "\tBob");
    EXPECT_EQ(records::UpperAscii("bob \xC3\xA9"), "BOB \xC3\xA9");
}

// --- numbers -------------------------------------------------------------------------------

TEST(RecordNumbers, SixteenBitIntegersAreLittleEndianAndSigned) {
    Bytes b(4, 0);
    records::PutInt16(b, 1, -2);
    EXPECT_EQ(b, (Bytes{0, 0xFE, 0xFF, 0}));
    EXPECT_EQ(records::GetInt16(b, 1), -2);
    records::PutInt16(b, 0, 0x1234);
    EXPECT_EQ(b[0], 0x34);
    EXPECT_EQ(b[1], 0x12);
}

TEST(RecordNumbers, NumbersAsTextReadByTheNumericValueRuleAndClamp) {
    struct Case { std::string text; int32_t as32; int16_t as16; } cases[] = {
        {" 12640511           ", 12640511, 32767},
        {"-5                  ", -5, -5},
        {"                    ", 0, 0},
        {"  45xyz", 45, 45},
        {"abc", 0, 0},
        {" 99999999999", INT32_MAX, 32767},
        {"-99999999999", INT32_MIN, -32768},
        {"-40000", -40000, -32768},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(records::TextToInt32(c.text), c.as32);
        EXPECT_EQ(records::TextToInt16(c.text), c.as16);
    }
}

}  // namespace
}  // namespace korbo::test
