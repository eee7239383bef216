#include "protocol.h"

#include <array>

#include "framing.h"
#include "records/text_number.h"

namespace korbo::net {

using records::NumText;
using records::Val;

namespace {

// The codes in the order a line is compared with them; index + 1 is the type.
constexpr std::array<std::string_view, msg::Last> kCodes = {
    "IP", "NM", "GS", "DK", "TR", "GO", "PC", "WT", "OK", "SY", "PK", "RC", "RS"};

// The greeting's layout, by character position counted from 1.
constexpr size_t kHelloFieldStart = 4;   // the unused field ...
constexpr size_t kHelloFieldLength = 15; // ... of 15 characters
constexpr size_t kHelloVersionMark = 19; // "^"; a shorter line carries no version
constexpr size_t kHelloMajorDigit = 21;
constexpr size_t kHelloMinorDigit = 24;
constexpr size_t kFieldsStart = 4;       // after the code and its blank

// The characters from position `start` (from 1), at most `length` of them; empty past the end.
std::string_view Mid(std::string_view s, size_t start, size_t length = std::string_view::npos) {
    if (start < 1 || start > s.size()) return {};
    return s.substr(start - 1, length);
}

std::string_view TrimBlanks(std::string_view s) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return s;
}

int TypeOfCode(std::string_view line) {
    if (line.size() < 2) return msg::None;
    const std::string_view code = line.substr(0, 2);
    for (size_t i = 0; i < kCodes.size(); ++i)
        if (kCodes[i] == code) return static_cast<int>(i) + 1;
    return msg::None;
}

void ReadGreeting(std::string_view line, NetFields& f) {
    f.NetMsgText = std::string(TrimBlanks(Mid(line, kHelloFieldStart, kHelloFieldLength)));
    if (line.size() < kHelloVersionMark) {
        f.PeerVersion = "NG";
        f.PeerCurrent = false;
        return;
    }
    f.PeerVersion = std::string(TrimBlanks(Mid(line, kHelloMajorDigit, 1)));
    f.PeerVersion += TrimBlanks(Mid(line, kHelloMinorDigit, 1));
}

// The text after the first "#", blanks trimmed; empty when there is no "#".
std::string AfterHash(std::string_view line) {
    const size_t p = line.find('#');
    if (p == std::string_view::npos) return {};
    return std::string(TrimBlanks(line.substr(p + 1)));
}

void ReadChat(std::string_view line, NetFields& f) {
    const size_t p = line.find('#');
    if (p == std::string_view::npos) {
        // No sender of ours writes this; what there is counts as the text.
        f.ChatUnnumbered = true;
        f.NetMsgNumber = 0;
        f.NetMsgText = std::string(TrimBlanks(Mid(line, kFieldsStart)));
        return;
    }
    f.ChatUnnumbered = false;
    const size_t numberLength = p + 1 > kFieldsStart ? p + 1 - kFieldsStart : 0;
    f.NetMsgNumber = Val(Mid(line, kFieldsStart, numberLength));
    f.NetMsgText = std::string(TrimBlanks(line.substr(p + 1)));
}

void ReadFields(int type, std::string_view line, NetFields& f) {
    switch (type) {
        case msg::IP: ReadGreeting(line, f); break;
        case msg::NM:
        case msg::DK:
        case msg::RC: f.NetMsgText = std::string(TrimBlanks(Mid(line, kFieldsStart))); break;
        case msg::TR:
        case msg::PK: f.NetMsgNumber = Val(Mid(line, kFieldsStart, 2)); break;
        case msg::GO: f.NetMsgNumber = 0; break;
        case msg::PC:
            f.NetMsgNumber = Val(Mid(line, kFieldsStart, 3));
            f.NetMsgText = AfterHash(line);
            break;
        case msg::WT: f.NetMsgNumber = Val(Mid(line, kFieldsStart, 1)); break;
        case msg::SY: ReadChat(line, f); break;
        default: break;  // GS, OK, RS carry nothing
    }
}

std::string WithFields(std::string_view code, std::string_view fields) {
    std::string s(code);
    s += ' ';
    s += fields;
    return s;
}

}  // namespace

std::string_view CodeOf(int type) {
    if (type < 1 || type > msg::Last) return {};
    return kCodes[static_cast<size_t>(type) - 1];
}

int ParseMessage(std::string& buffer, NetFields& fields) {
    const size_t lf = buffer.find(kMsgEnd);
    if (lf == std::string::npos) return msg::None;
    const std::string line = buffer.substr(0, lf);
    buffer.erase(0, lf + 1);
    fields.NetMsgType = TypeOfCode(line);
    ReadFields(fields.NetMsgType, line, fields);
    return fields.NetMsgType;
}

long PeerVersionValue(std::string_view peerVersion) { return Val(peerVersion); }

bool PeerWithoutHouseRules(std::string_view peerVersion) {
    // 5.2 was the first version that exchanged the house rules.
    constexpr long kFirstWithRules = 52;
    return PeerVersionValue(peerVersion) < kFirstWithRules;
}

std::string HelloMsg(int major, int minor, int revision) {
    return HelloWithoutVersion() + "^" + NumText(major) + "." + NumText(minor) + "." + NumText(revision);
}

std::string HelloWithoutVersion() { return WithFields("IP", std::string(kHelloFieldLength, ' ')); }
std::string NameMsg(std::string_view name) { return WithFields("NM", name); }
std::string NewGameMsg() { return "GS"; }
std::string DeckMsg(std::string_view list) { return WithFields("DK", list); }
std::string DeckReply() { return "DK"; }
std::string TurnMsg(int first) { return WithFields("TR", NumText(first)); }
std::string TurnReply() { return "TR"; }
std::string QuitMsg() { return "GO"; }
std::string MoveMsg(int source, int target) {
    return WithFields("PC", NumText(source) + "#" + NumText(target));
}
std::string MoveEcho() { return "PC"; }
std::string NextMoveMsg() { return "WT"; }
std::string TurnDoneMsg() { return "OK"; }
std::string ChatMsg(long sequence, std::string_view text) {
    return WithFields("SY", NumText(sequence) + "#" + std::string(text));
}
std::string PeekMsg(int flag) { return WithFields("PK", NumText(flag)); }
std::string RecoverMsg(std::string_view list) { return WithFields("RC", list); }
std::string RecoverReply() { return "RC"; }

void AppendListItem(std::string& list, long item) {
    list += NumText(item);
    list += '#';
}

std::string NumberList(const std::vector<long>& items) {
    std::string list;
    for (long v : items) AppendListItem(list, v);
    return list;
}

}  // namespace korbo::net
