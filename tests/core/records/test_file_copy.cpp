// A picture copied into a folder of the program: never over a file already there, never
// half written.
#include <gtest/gtest.h>

#include "records/file_copy.h"
#include "records/record_file.h"
#include "fakes/record_bytes.h"

namespace korbo::test {
namespace {

using records::CopyIntoFolder;
using records::CopyOutcome;

struct FileCopyTest : ::testing::Test {
    TempDir dir;
    std::string folder;
    void SetUp() override {
        folder = dir / "backgrounds";
        fs::create_directories(folder);
        fs::create_directories(dir / "elsewhere");
    }
};

TEST_F(FileCopyTest, CopiesTheFileUnderItsOwnName) {
    const Bytes picture = {0xFF, 0xD8, 0xFF, 0xE0, 1, 2, 3, 4, 5};
    WriteBytes(dir / "elsewhere/Sunset.JPG", picture);
    const auto r = CopyIntoFolder(dir / "elsewhere/Sunset.JPG", folder);
    EXPECT_EQ(r.outcome, CopyOutcome::Copied) << r.error;
    EXPECT_EQ(r.name, "Sunset.JPG");
    EXPECT_EQ(ReadBytes(folder + "/Sunset.JPG"), picture);
    EXPECT_EQ(ReadBytes(dir / "elsewhere/Sunset.JPG"), picture);
    EXPECT_EQ(FilesIn(folder), 1);
}

TEST_F(FileCopyTest, AFileAlreadyInTheFolderIsNotCopied) {
    WriteBytes(folder + "/a.jpg", Bytes{1});
    // The folders are compared without regard to case, and after the path is tidied.
    for (const std::string& path : {folder + "/a.jpg", dir / "BackGrounds/a.jpg", dir / "elsewhere/../backgrounds/a.jpg"}) {
        SCOPED_TRACE(path);
        const auto r = CopyIntoFolder(path, folder);
        EXPECT_EQ(r.outcome, CopyOutcome::AlreadyInFolder);
        EXPECT_EQ(r.name, "a.jpg");
    }
    EXPECT_EQ(FilesIn(folder), 1);
}

TEST_F(FileCopyTest, NeverOverwritesAFileOfTheSameName) {
    WriteBytes(folder + "/a.jpg", Bytes{1, 1, 1});
    WriteBytes(dir / "elsewhere/a.jpg", Bytes{2, 2});
    const auto r = CopyIntoFolder(dir / "elsewhere/a.jpg", folder);
    EXPECT_EQ(r.outcome, CopyOutcome::NameTaken);
    EXPECT_EQ(ReadBytes(folder + "/a.jpg"), (Bytes{1, 1, 1}));
}

TEST_F(FileCopyTest, TheSamePictureUnderItsNameIsTakenAsItIs) {
    const Bytes picture = {0xFF, 0xD8, 9, 8, 7};
    WriteBytes(folder + "/a.jpg", picture);
    WriteBytes(dir / "elsewhere/a.jpg", picture);
    const auto r = CopyIntoFolder(dir / "elsewhere/a.jpg", folder);
    EXPECT_EQ(r.outcome, CopyOutcome::SameInFolder) << r.error;
    EXPECT_EQ(r.name, "a.jpg");
    EXPECT_EQ(ReadBytes(folder + "/a.jpg"), picture);
    EXPECT_EQ(FilesIn(folder), 1);
}

TEST_F(FileCopyTest, OnlyAFileOfExactlyTheSameBytesCountsAsTheSame) {
    const Bytes picture = {1, 2, 3, 4};
    struct Case {
        const char* what;
        Bytes there;
    };
    const Case cases[] = {{"one byte differs", {1, 2, 3, 5}},
                          {"one byte longer", {1, 2, 3, 4, 0}},
                          {"one byte shorter", {1, 2, 3}},
                          {"empty", {}}};
    WriteBytes(dir / "elsewhere/b.jpg", picture);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WriteBytes(folder + "/b.jpg", c.there);
        const auto r = CopyIntoFolder(dir / "elsewhere/b.jpg", folder);
        EXPECT_EQ(r.outcome, CopyOutcome::NameTaken);
        EXPECT_EQ(ReadBytes(folder + "/b.jpg"), c.there);
    }
    // A link or a folder under the name is never taken for the picture, even one leading to it.
    fs::remove(folder + "/b.jpg");
    fs::create_symlink(dir / "elsewhere/b.jpg", folder + "/b.jpg");
    EXPECT_EQ(CopyIntoFolder(dir / "elsewhere/b.jpg", folder).outcome, CopyOutcome::NameTaken);
    fs::create_directories(folder + "/c.jpg");
    WriteBytes(dir / "elsewhere/c.jpg", picture);
    EXPECT_EQ(CopyIntoFolder(dir / "elsewhere/c.jpg", folder).outcome, CopyOutcome::NameTaken);
}

TEST_F(FileCopyTest, WhatCannotBeCopiedChangesNothing) {
    WriteBytes(dir / "elsewhere/empty.jpg", Bytes{});
    fs::create_directories(dir / "elsewhere/dir.jpg");
    for (const char* name : {"missing.jpg", "empty.jpg", "dir.jpg"}) {
        SCOPED_TRACE(name);
        const auto r = CopyIntoFolder(dir / (std::string("elsewhere/") + name), folder);
        EXPECT_EQ(r.outcome, CopyOutcome::Failed);
        EXPECT_FALSE(r.error.empty());
        EXPECT_EQ(FilesIn(folder), 0);
    }
}

TEST_F(FileCopyTest, AFailedWriteLeavesNoFileBehind) {
    WriteBytes(dir / "elsewhere/b.gif", Bytes(5000, 7));
    for (auto step : {records::WriteStep::CreateTemp, records::WriteStep::Write, records::WriteStep::Sync,
                      records::WriteStep::Rename}) {
        records::ScopedWriteFault fault([step](records::WriteStep s, const std::string&) { return s == step; });
        const auto r = CopyIntoFolder(dir / "elsewhere/b.gif", folder);
        EXPECT_EQ(r.outcome, CopyOutcome::Failed);
        EXPECT_FALSE(r.error.empty());
        EXPECT_EQ(FilesIn(folder), 0);
    }
}

}  // namespace
}  // namespace korbo::test
