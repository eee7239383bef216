// The comment editor's rules: the longest line a file holds, the set's name, and the
// file's twenty lines.
#include <gtest/gtest.h>

#include "core/game/folder_fixture.h"
#include "game/comment_editor.h"

namespace korbo::test {
namespace {

using custom::Lines;

struct CommentEditorTest : FolderFixture {};

TEST_F(CommentEditorTest, ALineOfAHundredCharactersFitsAndOneMoreDoesNot) {
    struct Case { std::string text; bool fits; } cases[] = {
        {std::string(100, 'a'), true},
        {std::string(101, 'a'), false},
        {"   " + std::string(100, 'b') + "    ", true},  // blanks around a line do not count
        {" " + std::string(50, 'c') + " " + std::string(50, 'c'), false},  // a blank inside does
        {std::string(50, 'x') + "\xC3\xA9" + std::string(49, 'e'), true},  // a character of two bytes counts once
        {std::string(100, 'y') + "\xC3\xA9", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.size());
        Lines lines;
        for (int i = 1; i <= 20; ++i) lines[static_cast<size_t>(i)] = "fine";
        lines[13] = c.text;
        EXPECT_EQ(custom::FirstLongLine(lines), c.fits ? 0 : 13);
    }
    Lines lines;
    lines[20] = std::string(101, 'z');
    lines[4] = std::string(120, 'z');
    EXPECT_EQ(custom::FirstLongLine(lines), 4);  // the first one is the one reported
}

TEST_F(CommentEditorTest, NamesComeWithoutTheirExtensionInAnyCase) {
    struct Case { const char* in; const char* fromTitle; const char* forSave; } cases[] = {
        {"Grumpy.cmt", "Grumpy", "Grumpy"},
        {"Grumpy.CMT", "Grumpy", "Grumpy"},
        {"Grumpy", "Grumpy", "Grumpy"},
        {"a.Cmt.cmt", "a", "a.Cmt"},
        {".cmt", "", ""},
        {"my.cmtnotes", "my", "my.cmtn"},  // a save drops the last four characters, as typed
    };
    for (auto c : cases) {
        EXPECT_EQ(custom::NameFromTitle(c.in), c.fromTitle) << c.in;
        EXPECT_EQ(custom::NameForSave(c.in), c.forSave) << c.in;
    }
}

TEST_F(CommentEditorTest, ANewFileHoldsNumberedLines) {
    const Lines lines = custom::NewLines();
    EXPECT_EQ(lines[1], "custom 1");
    EXPECT_EQ(lines[20], "custom 20");
    EXPECT_EQ(lines[0], "");
}

TEST_F(CommentEditorTest, LinesAreStoredTrimmedInHundredCharacterRecords) {
    Lines lines;
    for (int i = 1; i <= 20; ++i) lines[static_cast<size_t>(i)] = "  line " + std::to_string(i) + "  ";
    lines[7] = std::string(100, 'q');
    lines[9] = "caf\xC3\xA9";
    const std::string path = Path("users/Mine.cmt");
    ASSERT_TRUE(custom::WriteLines(path, lines));
    const Bytes file = ReadBytes(path);
    ASSERT_EQ(file.size(), 2000u);
    Bytes first(100, ' ');
    Text(first, 0, "line 1", 100);
    EXPECT_EQ(Record(file, 100, 1), first);
    EXPECT_EQ(file[8 * 100 + 3], 0xE9);  // Windows-1252, one byte a character
    Lines back;
    ASSERT_TRUE(custom::ReadLines(path, back));
    EXPECT_EQ(back[1], "line 1");
    EXPECT_EQ(back[7], std::string(100, 'q'));
    EXPECT_EQ(back[9], "caf\xC3\xA9");
    EXPECT_EQ(back[20], "line 20");
}

TEST_F(CommentEditorTest, AShortFileReadsBlankLinesAndAMissingOneFails) {
    const std::string path = Path("users/Short.cmt");
    Bytes b;
    Text(b, 0, "only one", 100);
    Text(b, 100, "and a half", 50);
    WriteBytes(path, b);
    Lines back;
    ASSERT_TRUE(custom::ReadLines(path, back));
    EXPECT_EQ(back[1], "only one");
    EXPECT_EQ(back[2], "and a half");
    EXPECT_EQ(back[3], "");
    EXPECT_EQ(ReadBytes(path), b);  // reading never writes
    back[5] = "stale";
    EXPECT_FALSE(custom::ReadLines(Path("users/None.cmt"), back));
    EXPECT_EQ(back[5], "");
    EXPECT_FALSE(fs::exists(Path("users/None.cmt")));
}

TEST_F(CommentEditorTest, AFailedWriteLeavesTheOldFile) {
    const std::string path = Path("users/Mine.cmt");
    Lines old = custom::NewLines();
    ASSERT_TRUE(custom::WriteLines(path, old));
    const Bytes before = ReadBytes(path);
    records::ScopedWriteFault fault([](records::WriteStep s, const std::string&) { return s == records::WriteStep::Sync; });
    Lines lines;
    lines[1] = "new";
    EXPECT_FALSE(custom::WriteLines(path, lines));
    EXPECT_EQ(ReadBytes(path), before);
    EXPECT_EQ(FilesIn(Path("users")), 1);
}

}  // namespace
}  // namespace korbo::test
