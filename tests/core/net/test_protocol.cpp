// The wire format: every line a copy sends, byte for byte, and what the parser makes of
// the lines a peer sends, including the ones no sender of ours would write.
#include <gtest/gtest.h>

#include <string>

#include "net/framing.h"
#include "net/protocol.h"
#include "net/version.h"

using namespace korbo::net;

namespace {

// Parses one line (a line feed is added) on fresh fields.
NetFields ParseLine(const std::string& line, int* type = nullptr) {
    NetFields f;
    std::string buffer = line + "\n";
    const int t = ParseMessage(buffer, f);
    if (type) *type = t;
    EXPECT_TRUE(buffer.empty()) << line;
    return f;
}

const std::string k15(15, ' ');

}  // namespace

TEST(MessageBuilders, EveryLineByteForByte) {
    struct Case { std::string built, wire; } cases[] = {
        {HelloMsg(6, 0, 1), "IP " + k15 + "^ 6. 0. 1"},
        {HelloWithoutVersion(), "IP " + k15},
        {NameMsg("Dunmir"), "NM Dunmir"},
        {NewGameMsg(), "GS"},
        {DeckMsg(" 1# 13#"), "DK  1# 13#"},
        {DeckReply(), "DK"},
        {TurnMsg(1), "TR  1"},
        {TurnMsg(2), "TR  2"},
        {TurnReply(), "TR"},
        {QuitMsg(), "GO"},
        {MoveMsg(3, 1), "PC  3# 1"},
        {MoveMsg(14, 10), "PC  14# 10"},
        {MoveEcho(), "PC"},
        {NextMoveMsg(), "WT"},
        {TurnDoneMsg(), "OK"},
        {ChatMsg(7, "Hello"), "SY  7#Hello"},
        {ChatMsg(1, "KORBO: You're being watched."), "SY  1#KORBO: You're being watched."},
        {PeekMsg(1), "PK  1"},
        {PeekMsg(0), "PK  0"},
        {PeekMsg(-1), "PK -1"},
        {RecoverMsg(" 2#-1#"), "RC  2#-1#"},
        {RecoverReply(), "RC"},
        {NumberList({3, 0, -1, 104}), " 3# 0#-1# 104#"},
        {Framed("WT"), "WT\n"},
    };
    for (const auto& c : cases) EXPECT_EQ(c.built, c.wire);
}

TEST(MessageBuilders, GreetingsOfTwentySevenAndEighteenCharacters) {
    const std::string hello = HelloMsg(6, 0, 1);
    ASSERT_EQ(hello.size(), 27u);
    EXPECT_EQ(hello[18], '^');   // character 19
    EXPECT_EQ(hello[20], '6');   // character 21: the major digit
    EXPECT_EQ(hello[23], '0');   // character 24: the minor digit
    EXPECT_EQ(HelloWithoutVersion().size(), 18u);
    // The copy greets with the version the build gives it.
    const std::string own = HelloMsg(kProgramVersion.major, kProgramVersion.minor, kProgramVersion.revision);
    EXPECT_EQ(own, hello);
}

TEST(ParseMessage, TheExamplesOfTheProtocol) {
    struct Case {
        std::string line;
        int type;
        long number;
        std::string text;
    } cases[] = {
        {"PC  3# 1", msg::PC, 3, "1"},
        {"PC  14# 10", msg::PC, 14, "10"},
        {"TR  2", msg::TR, 2, ""},
        {"PK -1", msg::PK, -1, ""},
        {"WT", msg::WT, 0, ""},
        {"SY  7#Hello", msg::SY, 7, "Hello"},
        {"NM  Dunmir  ", msg::NM, 0, "Dunmir"},
        {"DK  1# 2#", msg::DK, 0, "1# 2#"},
        {"RC  5#", msg::RC, 0, "5#"},
        {"GO", msg::GO, 0, ""},
        // Only the first two characters decide; the same letters in lower case are unknown.
        {"GSxyz", msg::GS, 0, ""},
        {"gs", msg::None, 0, ""},
        {"OK", msg::OK, 0, ""},
        {"RS", msg::RS, 0, ""},
        {"ZZ top", msg::None, 0, ""},
        {"", msg::None, 0, ""},
        {"G", msg::None, 0, ""},
    };
    for (const auto& c : cases) {
        int type = -1;
        NetFields f = ParseLine(c.line, &type);
        EXPECT_EQ(type, c.type) << c.line;
        EXPECT_EQ(f.NetMsgType, c.type) << c.line;
        EXPECT_EQ(f.NetMsgNumber, c.number) << c.line;
        EXPECT_EQ(f.NetMsgText, c.text) << c.line;
    }
}

TEST(ParseMessage, NumbersReadFromTheirFixedWidths) {
    // TR and PK read two characters, WT one, PC three: what lies beyond is not read.
    struct Case { std::string line; long number; } cases[] = {
        {"TR 123", 12}, {"PK 77", 77}, {"WT 9", 9}, {"WT 12", 1}, {"PC 9999#1", 999},
        {"PC  99# 1", 99}, {"PC -5# 1", -5}, {"TR", 0}, {"SY 123456#x", 123456},
        {"SY#x", 0}, {"PC x# 1", 0},
    };
    for (const auto& c : cases) EXPECT_EQ(ParseLine(c.line).NetMsgNumber, c.number) << c.line;
    // Without "#" a move carries no target.
    EXPECT_EQ(ParseLine("PC  3").NetMsgText, "");
}

TEST(ParseMessage, FieldsAMessageDoesNotCarryStayAsTheyWere) {
    NetFields f;
    f.NetMsgNumber = 42;
    f.NetMsgText = "before";
    std::string buffer = "GS\nOK\n";
    EXPECT_EQ(ParseMessage(buffer, f), msg::GS);
    EXPECT_EQ(ParseMessage(buffer, f), msg::OK);
    EXPECT_EQ(f.NetMsgNumber, 42);
    EXPECT_EQ(f.NetMsgText, "before");
    buffer = "GO\n";
    ParseMessage(buffer, f);
    EXPECT_EQ(f.NetMsgNumber, 0);  // the quit sets its number to 0
}

TEST(ParseMessage, ChatWithoutHashIsTextWithoutANumber) {
    NetFields f = ParseLine("SY hello there");
    EXPECT_EQ(f.NetMsgType, msg::SY);
    EXPECT_TRUE(f.ChatUnnumbered);
    EXPECT_EQ(f.NetMsgText, "hello there");
    f = ParseLine("SY  3#a#b");
    EXPECT_FALSE(f.ChatUnnumbered);
    EXPECT_EQ(f.NetMsgNumber, 3);
    EXPECT_EQ(f.NetMsgText, "a#b");
}

TEST(ParseMessage, GreetingsSetThePeersVersion) {
    struct Case {
        std::string line;
        std::string version;
        bool current;
        bool withoutRules;
    } cases[] = {
        {HelloMsg(6, 0, 1), "60", true, false},
        {HelloMsg(5, 2, 0), "52", true, false},
        {HelloMsg(5, 1, 0), "51", true, true},
        {HelloWithoutVersion(), "NG", false, true},
        {"IP", "NG", false, true},
        // Exactly 19 characters: the "^" is there, the digits are not.
        {"IP " + k15 + "^", "", true, true},
    };
    for (const auto& c : cases) {
        NetFields f = ParseLine(c.line);
        EXPECT_EQ(f.NetMsgType, msg::IP) << c.line;
        EXPECT_EQ(f.PeerVersion, c.version) << c.line;
        EXPECT_EQ(f.PeerCurrent, c.current) << c.line;
        EXPECT_EQ(PeerWithoutHouseRules(f.PeerVersion), c.withoutRules) << c.line;
    }
    EXPECT_EQ(ParseLine("IP   host name     ^ 6. 0. 1").NetMsgText, "host name");
    EXPECT_EQ(PeerVersionValue("NG"), 0);
    EXPECT_TRUE(PeerAnnouncedVersion("60"));
    EXPECT_FALSE(PeerAnnouncedVersion("NG"));
}

TEST(ParseMessage, OneLineACallAndNothingWithoutALineFeed) {
    NetFields f;
    std::string buffer = "WT\nOK\n";
    EXPECT_EQ(ParseMessage(buffer, f), msg::WT);
    EXPECT_EQ(f.NetMsgNumber, 0);
    EXPECT_EQ(ParseMessage(buffer, f), msg::OK);
    EXPECT_EQ(ParseMessage(buffer, f), msg::None);
    EXPECT_EQ(f.NetMsgType, msg::OK);  // unchanged by the call that found nothing
    // A line still on its way stays in the buffer until its line feed comes.
    buffer = "PC  3#";
    EXPECT_EQ(ParseMessage(buffer, f), msg::None);
    EXPECT_EQ(buffer, "PC  3#");
    EXPECT_EQ(f.NetMsgType, msg::OK);
    buffer += " 1\nSY";
    EXPECT_EQ(ParseMessage(buffer, f), msg::PC);
    EXPECT_EQ(f.NetMsgNumber, 3);
    EXPECT_EQ(f.NetMsgText, "1");
    EXPECT_EQ(buffer, "SY");
}

TEST(ParseMessage, AnUnknownCodeIsConsumed) {
    NetFields f;
    std::string buffer = "XX junk\nGS\n";
    EXPECT_EQ(ParseMessage(buffer, f), msg::None);
    EXPECT_EQ(f.NetMsgType, msg::None);
    EXPECT_EQ(ParseMessage(buffer, f), msg::GS);
}

// A turn with two plays and a discard, as both sides write it, and as each side reads the
// other's lines: mover "PC", "WT", "PC", "WT", "PC", "OK"; the replaying side the same.
TEST(Transcripts, TurnWithTwoPlaysAndADiscard) {
    const std::string mover = Framed(MoveMsg(2, 1)) + Framed(NextMoveMsg()) + Framed(MoveMsg(7, 3)) +
                              Framed(NextMoveMsg()) + Framed(MoveMsg(4, 9)) + Framed(TurnDoneMsg());
    const std::string receiver = Framed(MoveEcho()) + Framed(NextMoveMsg()) + Framed(MoveEcho()) +
                                 Framed(NextMoveMsg()) + Framed(MoveEcho()) + Framed(TurnDoneMsg());
    EXPECT_EQ(mover, "PC  2# 1\nWT\nPC  7# 3\nWT\nPC  4# 9\nOK\n");
    EXPECT_EQ(receiver, "PC\nWT\nPC\nWT\nPC\nOK\n");
    struct Seen { int type; long number; std::string text; };
    const Seen fromMover[] = {{msg::PC, 2, "1"}, {msg::WT, 0, ""}, {msg::PC, 7, "3"},
                              {msg::WT, 0, ""}, {msg::PC, 4, "9"}, {msg::OK, 0, ""}};
    NetFields f;
    std::string buffer = mover;
    for (const auto& s : fromMover) {
        ASSERT_EQ(ParseMessage(buffer, f), s.type);
        if (s.type == msg::PC) {
            EXPECT_EQ(f.NetMsgNumber, s.number);
            EXPECT_EQ(f.NetMsgText, s.text);
        }
    }
    buffer = receiver;
    const int fromReceiver[] = {msg::PC, msg::WT, msg::PC, msg::WT, msg::PC, msg::OK};
    for (int t : fromReceiver) EXPECT_EQ(ParseMessage(buffer, f), t);
    EXPECT_TRUE(buffer.empty());
}

// The last pay-off card ends the game: the move, its echo, "OK" and the answer, no "WT".
TEST(Transcripts, TheLastPayOffCard) {
    const std::string mover = Framed(MoveMsg(1, 2)) + Framed(TurnDoneMsg());
    const std::string receiver = Framed(MoveEcho()) + Framed(TurnDoneMsg());
    EXPECT_EQ(mover, "PC  1# 2\nOK\n");
    EXPECT_EQ(receiver, "PC\nOK\n");
}

// The greeting as the host and the remote exchange it, up to the first new game.
TEST(Transcripts, TheGreeting) {
    const std::string host = Framed(HelloMsg(6, 0, 1)) + Framed(NameMsg("Host")) + Framed(NewGameMsg());
    const std::string remote = Framed(HelloMsg(6, 0, 1)) + Framed(NameMsg("Remote")) + Framed(NewGameMsg());
    EXPECT_EQ(host, "IP " + k15 + "^ 6. 0. 1\nNM Host\nGS\n");
    EXPECT_EQ(remote, "IP " + k15 + "^ 6. 0. 1\nNM Remote\nGS\n");
    NetFields f;
    std::string buffer = host;
    EXPECT_EQ(ParseMessage(buffer, f), msg::IP);
    EXPECT_EQ(f.PeerVersion, "60");
    EXPECT_EQ(ParseMessage(buffer, f), msg::NM);
    EXPECT_EQ(f.NetMsgText, "Host");
    EXPECT_EQ(ParseMessage(buffer, f), msg::GS);
}

TEST(Framing, ArrivalsAppendUpToTheCap) {
    std::string buffer;
    EXPECT_EQ(AppendArrival(buffer, "PC  3"), Arrival::Ok);
    EXPECT_EQ(AppendArrival(buffer, "# 1\nWT\n"), Arrival::Ok);
    EXPECT_EQ(buffer, "PC  3# 1\nWT\n");
    EXPECT_EQ(CompleteLines(buffer), 2u);
    std::string_view line;
    ASSERT_TRUE(FirstLine(buffer, line));
    EXPECT_EQ(line, "PC  3# 1");
    EXPECT_FALSE(FirstLine("PC  3", line));

    // A buffer may fill to the cap exactly; one byte more is refused and changes nothing.
    std::string full(kMaxBuffer - 1, 'x');
    EXPECT_EQ(AppendArrival(full, "\n"), Arrival::Ok);
    EXPECT_EQ(full.size(), kMaxBuffer);
    EXPECT_EQ(RoomLeft(full), 0u);
    EXPECT_EQ(AppendArrival(full, "y"), Arrival::Overflow);
    EXPECT_EQ(full.size(), kMaxBuffer);
    std::string some = "GS\n";
    EXPECT_EQ(AppendArrival(some, std::string(kMaxBuffer, 'z')), Arrival::Overflow);
    EXPECT_EQ(some, "GS\n");
    EXPECT_EQ(RoomLeft(some), kMaxBuffer - 3);
}

TEST(Framing, CodesOfTheTypes) {
    EXPECT_EQ(CodeOf(msg::IP), "IP");
    EXPECT_EQ(CodeOf(msg::RS), "RS");
    EXPECT_EQ(CodeOf(0), "");
    EXPECT_EQ(CodeOf(14), "");
    for (int t = 1; t <= msg::Last; ++t) {
        std::string buffer = std::string(CodeOf(t)) + "\n";
        NetFields f;
        EXPECT_EQ(ParseMessage(buffer, f), t);
    }
}
