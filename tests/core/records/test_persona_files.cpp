// The record layouts of the persona's files (snack.ade, users/*.cmt, users/*.pms, wav.ran):
// where each field lies, what a short or damaged file reads as, and that reading never
// creates or changes a file.
#include <sys/stat.h>

#include <random>

#include "records/persona_files.h"
#include "fakes/record_bytes.h"

namespace korbo::test {
namespace {

using namespace records;

// --- the layouts, built by hand from the field tables --------------------------------------

TEST(PersonaRecords, CommentRecFieldsLieWhereTheTableSays) {
    Bytes b(250, ' ');
    Text(b, 0, "mild", 50);
    Text(b, 50, "standard", 50);
    Text(b, 100, "later", 50);
    Text(b, 150, "a note", 100);
    const CommentRec r = DecodeCommentRec(b);
    EXPECT_EQ(r.Column[0], "mild");
    EXPECT_EQ(r.Column[1], "standard");
    EXPECT_EQ(r.Column[2], "later");
    EXPECT_EQ(r.Note, "a note");
    EXPECT_EQ(EncodeCommentRec(r), b);
}

TEST(PersonaRecords, PersonaRecPlacesCommentsSoundsAndPicture) {
    Bytes b(5020, ' ');
    for (int i = 1; i <= 35; ++i) Text(b, 50 * static_cast<size_t>(i), "line " + std::to_string(i), 50);
    for (int i = 1; i <= 15; ++i)
        for (int c = 0; c <= 1; ++c)
            Text(b, 1800 + 100 * static_cast<size_t>(c + 2 * i), "s" + std::to_string(c) + "_" + std::to_string(i) + ".wav",
                 100);
    Text(b, 5000, "Mabel.jpg", 20);
    const PersonaRec r = DecodePersonaRec(b);
    for (int i = 1; i <= 35; ++i) EXPECT_EQ(r.Comments[static_cast<size_t>(i)], "line " + std::to_string(i));
    for (int i = 1; i <= 15; ++i) {
        EXPECT_EQ(r.Sounds[0][static_cast<size_t>(i)], "s0_" + std::to_string(i) + ".wav");
        EXPECT_EQ(r.Sounds[1][static_cast<size_t>(i)], "s1_" + std::to_string(i) + ".wav");
    }
    EXPECT_EQ(r.Picture, "Mabel.jpg");
    EXPECT_EQ(EncodePersonaRec(r), b);
}

TEST(PersonaRecords, UnusedElementsAreNeitherReadNorWritten) {
    // Comment 0 and the two names of sound slot 0 hold text in a foreign file; they are
    // not part of the persona and are written back blank.
    Bytes b(5020, ' ');
    Text(b, 0, "comment zero", 50);
    Text(b, 1800, "slot zero default", 100);
    Text(b, 1900, "slot zero custom", 100);
    const PersonaRec r = DecodePersonaRec(b);
    EXPECT_EQ(r.Comments[0], "");
    EXPECT_EQ(r.Sounds[0][0], "");
    EXPECT_EQ(r.Sounds[1][0], "");
    EXPECT_EQ(EncodePersonaRec(r), Bytes(5020, ' '));
}

TEST(PersonaRecords, SoundRecAndCustomCommentRec) {
    Bytes s(200, ' ');
    Text(s, 0, "turnover.wav", 100);
    Text(s, 100, "C:\\Music\\mine.wav", 100);
    const SoundRec r = DecodeSoundRec(s);
    EXPECT_EQ(r.Name[0], "turnover.wav");
    EXPECT_EQ(r.Name[1], "C:\\Music\\mine.wav");
    EXPECT_EQ(EncodeSoundRec(r), s);

    Bytes c(100, ' ');
    Text(c, 0, "  Arr, that be my card!", 100);
    EXPECT_EQ(DecodeCustomCommentRec(c), "Arr, that be my card!");
    Bytes stored(100, ' ');
    Text(stored, 0, "Arr, that be my card!", 100);
    EXPECT_EQ(EncodeCustomCommentRec("  Arr, that be my card!  "), stored);
}

struct TextCase {
    const char* name;
    Bytes field;          // the stored bytes of a 50-character comment column
    std::string decoded;  // what the reader gives
};

TEST(PersonaRecords, TextFieldsAreTrimmedAndReadAsTheGamesCodePage) {
    auto padded = [](std::initializer_list<uint8_t> head) {
        Bytes b(head);
        b.resize(50, ' ');
        return b;
    };
    const TextCase cases[] = {
        {"blanks both sides", padded({' ', ' ', 'H', 'i', '!', ' '}), "Hi!"},
        {"never written", Bytes(50, 0), ""},
        {"zero bytes inside", padded({'a', 0, 'b'}), "a b"},
        {"code page letters", padded({'C', 'a', 'f', 0xE9, ' ', 0x80}), "Caf\xC3\xA9 \xE2\x82\xAC"},
        {"all blanks", Bytes(50, ' '), ""},
    };
    for (const auto& c : cases) {
        Bytes rec(250, ' ');
        std::copy(c.field.begin(), c.field.end(), rec.begin());
        EXPECT_EQ(DecodeCommentRec(rec).Column[0], c.decoded) << c.name;
    }
}

TEST(PersonaRecords, WritersCutLongTextAndKeepTheCodePage) {
    CommentRec r;
    r.Column[0] = std::string(60, 'x');
    r.Column[1] = "Caf\xC3\xA9";
    const Bytes b = EncodeCommentRec(r);
    ASSERT_EQ(b.size(), 250u);
    EXPECT_EQ(Bytes(b.begin(), b.begin() + 50), Bytes(50, 'x'));
    EXPECT_EQ(b[50 + 3], 0xE9);
    EXPECT_EQ(b[50 + 4], ' ');
    EXPECT_EQ(DecodeCommentRec(b).Column[1], "Caf\xC3\xA9");
}

TEST(PersonaRecords, ShortRecordsReadTheirMissingFieldsAsBlank) {
    // A persona record cut off inside the sound names: the comments are whole, the cut
    // name keeps its first bytes, everything after it is blank.
    Bytes b(5020, ' ');
    for (int i = 1; i <= 35; ++i) Text(b, 50 * static_cast<size_t>(i), "c" + std::to_string(i), 50);
    Text(b, 1800 + 100 * 2, "wildcard.wav", 100);  // slot 1, default column
    Text(b, 5000, "Mabel.jpg", 20);
    b.resize(1800 + 100 * 2 + 4);  // "wild"
    const PersonaRec r = DecodePersonaRec(b);
    EXPECT_EQ(r.Comments[35], "c35");
    EXPECT_EQ(r.Sounds[0][1], "wild");
    EXPECT_EQ(r.Sounds[1][1], "");
    EXPECT_EQ(r.Picture, "");
    EXPECT_EQ(DecodePersonaRec(Bytes{}), PersonaRec{});
}

// --- the files -----------------------------------------------------------------------------------

struct PersonaFilesTest : ::testing::Test {
    TempDir dir;
};

TEST_F(PersonaFilesTest, CommentFileReadsTwentyRecordsAndBlanksBeyondItsEnd) {
    // Record 1 whole, record 2 cut off after its first column, nothing after it.
    Bytes f(250, ' ');
    Text(f, 0, "one mild", 50);
    Text(f, 50, "one", 50);
    Text(f, 100, "slot 21", 50);
    Text(f, 150, "first note", 100);
    Bytes second(50, ' ');
    Text(second, 0, "two mild", 50);
    f.insert(f.end(), second.begin(), second.end());
    WriteBytes(dir / "snack.ade", f);

    std::array<CommentRec, kCommentRecords + 1> recs;
    ASSERT_TRUE(ReadCommentFile(dir / "snack.ade", recs));
    EXPECT_EQ(recs[0], CommentRec{});
    EXPECT_EQ(recs[1].Column[1], "one");
    EXPECT_EQ(recs[1].Column[2], "slot 21");
    EXPECT_EQ(recs[1].Note, "first note");
    EXPECT_EQ(recs[2].Column[0], "two mild");
    EXPECT_EQ(recs[2].Column[1], "");
    for (long n = 3; n <= 20; ++n) EXPECT_EQ(recs[static_cast<size_t>(n)], CommentRec{}) << n;
}

TEST_F(PersonaFilesTest, CustomCommentsAndSoundSchemeReadRecordByRecord) {
    Bytes cmt;
    for (int n = 1; n <= 22; ++n) {  // two records more than the game reads
        Bytes r(100, ' ');
        Text(r, 0, "line " + std::to_string(n), 100);
        cmt.insert(cmt.end(), r.begin(), r.end());
    }
    WriteBytes(dir / "Pirate.cmt", cmt);
    std::array<std::string, kCustomCommentRecords + 1> lines;
    ASSERT_TRUE(ReadCustomCommentFile(dir / "Pirate.cmt", lines));
    EXPECT_EQ(lines[0], "");
    for (int n = 1; n <= 20; ++n) EXPECT_EQ(lines[static_cast<size_t>(n)], "line " + std::to_string(n));

    Bytes wav;
    for (int n = 1; n <= 15; ++n) {
        Bytes r(200, ' ');
        Text(r, 0, "d" + std::to_string(n) + ".wav", 100);
        Text(r, 100, "c" + std::to_string(n) + ".wav", 100);
        wav.insert(wav.end(), r.begin(), r.end());
    }
    WriteBytes(dir / "wav.ran", wav);
    std::array<SoundRec, kSoundSlots> scheme;
    ASSERT_TRUE(ReadSoundSchemeFile(dir / "wav.ran", scheme));
    EXPECT_EQ(scheme[0], SoundRec{});
    EXPECT_EQ(scheme[7].Name[0], "d7.wav");
    EXPECT_EQ(scheme[15].Name[1], "c15.wav");
}

TEST_F(PersonaFilesTest, AMissingFileOrAFolderIsReportedAndNothingIsCreated) {
    std::array<CommentRec, kCommentRecords + 1> recs;
    recs[1].Column[1] = "left over";
    std::array<std::string, kCustomCommentRecords + 1> lines;
    lines[3] = "left over";
    PersonaRec persona;
    persona.Picture = "left.jpg";
    std::array<SoundRec, kSoundSlots> scheme;
    scheme[2].Name[0] = "left.wav";

    EXPECT_FALSE(ReadCommentFile(dir / "snack.ade", recs));
    EXPECT_FALSE(ReadCustomCommentFile(dir / "gone.cmt", lines));
    EXPECT_FALSE(ReadPersonaFile(dir / "Gone.pms", persona));
    EXPECT_FALSE(ReadSoundSchemeFile(dir / "wav.ran", scheme));
    EXPECT_EQ(FilesIn(dir.path()), 0);
    EXPECT_EQ(recs[1], CommentRec{});
    EXPECT_EQ(lines[3], "");
    EXPECT_EQ(persona, PersonaRec{});
    EXPECT_EQ(scheme[2], SoundRec{});

    fs::create_directories(dir / "Folder.pms");
    const Status s = ReadPersonaFile(dir / "Folder.pms", persona);
    EXPECT_FALSE(s);
    EXPECT_NE(s.error.find("folder"), std::string::npos);
}

TEST_F(PersonaFilesTest, ReadingDamagedFilesNeverChangesThem) {
    // Files of every size around the record lengths, full of whatever bytes: each reads
    // without fault and stays byte for byte and time for time as it was.
    std::mt19937 gen(20240611);
    std::uniform_int_distribution<int> byte(0, 255);
    for (size_t size : {size_t{0}, size_t{1}, size_t{99}, size_t{249}, size_t{251}, size_t{2999}, size_t{5019},
                        size_t{5021}, size_t{12000}}) {
        Bytes content(size);
        for (auto& b : content) b = static_cast<uint8_t>(byte(gen));
        for (const char* name : {"snack.ade", "x.cmt", "x.pms", "wav.ran"}) WriteBytes(dir / name, content);
        struct stat before {};
        ASSERT_EQ(::stat((dir / "x.pms").c_str(), &before), 0);

        std::array<CommentRec, kCommentRecords + 1> recs;
        std::array<std::string, kCustomCommentRecords + 1> lines;
        PersonaRec persona;
        std::array<SoundRec, kSoundSlots> scheme;
        EXPECT_TRUE(ReadCommentFile(dir / "snack.ade", recs)) << size;
        EXPECT_TRUE(ReadCustomCommentFile(dir / "x.cmt", lines)) << size;
        EXPECT_TRUE(ReadPersonaFile(dir / "x.pms", persona)) << size;
        EXPECT_TRUE(ReadSoundSchemeFile(dir / "wav.ran", scheme)) << size;
        // Whatever the bytes, a text read is trimmed.
        for (const auto& line : persona.Comments)
            EXPECT_TRUE(line.empty() || (line.front() != ' ' && line.back() != ' '));

        for (const char* name : {"snack.ade", "x.cmt", "x.pms", "wav.ran"})
            EXPECT_EQ(ReadBytes(dir / name), content) << name << " " << size;
        struct stat after {};
        ASSERT_EQ(::stat((dir / "x.pms").c_str(), &after), 0);
        EXPECT_EQ(after.st_mtim.tv_sec, before.st_mtim.tv_sec);
        EXPECT_EQ(after.st_mtim.tv_nsec, before.st_mtim.tv_nsec);
        EXPECT_EQ(FilesIn(dir.path()), 4);
    }
}

TEST(PersonaRecords, SoundNamesBecomeFullPaths) {
    struct Case {
        const char* base;
        const char* name;
        const char* path;
    };
    const Case cases[] = {
        {"/games/korbo", "turnover.wav", "/games/korbo/Sounds/turnover.wav"},
        {"/games/korbo/", "win1.wav", "/games/korbo/Sounds/win1.wav"},
        {"", "win1.wav", "./Sounds/win1.wav"},
        {"/games/korbo", "C:\\Music\\mine.wav", "C:\\Music\\mine.wav"},
        {"/games/korbo", "/home/me/mine.wav", "/home/me/mine.wav"},
        {"/games/korbo", "sub/mine.wav", "/games/korbo/Sounds/sub/mine.wav"},
    };
    for (const auto& c : cases) EXPECT_EQ(SoundFilePath(c.base, c.name), c.path) << c.name;
}

}  // namespace
}  // namespace korbo::test
