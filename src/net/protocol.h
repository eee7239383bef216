// The wire format of a network game: one message per line, a two-letter code, a blank and
// the fields. Parsing cuts the first complete line off the receive buffer; the builders
// give every line a copy sends. What the table does with a message is the game's.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace korbo::net {

// Message types, the values of NetMsgType; 0 is a line with an unknown code.
namespace msg {
constexpr int None = 0, IP = 1, NM = 2, GS = 3, DK = 4, TR = 5, GO = 6, PC = 7, WT = 8, OK = 9,
              SY = 10, PK = 11, RC = 12, RS = 13;
constexpr int Last = RS;
}  // namespace msg

// The two-letter code of a type (1..13), empty for any other.
std::string_view CodeOf(int type);

// The results of parsing, by the names the game shares them under.
struct NetFields {
    int NetMsgType = 0;
    long NetMsgNumber = 0;
    std::string NetMsgText;
    std::string PeerVersion = "NG";
    bool PeerCurrent = true;
    // A chat line that carried no "#": it has no sequence number, only text.
    bool ChatUnnumbered = false;
};

// Cuts the first complete line (up to its line feed) off `buffer` and parses it into
// `fields`. Returns its type 1..13, or 0 for an unknown code. When the buffer holds no
// complete line, returns 0 and changes neither the buffer nor the fields.
int ParseMessage(std::string& buffer, NetFields& fields);

// The greeting's version as a number: "60" for 6.0.x, 0 for "NG" or anything without digits.
long PeerVersionValue(std::string_view peerVersion);
// A peer below 5.2 exchanges no house rules: the standard rules hold for the game.
bool PeerWithoutHouseRules(std::string_view peerVersion);
// A greeting carried a version (the deck list then carries ids and rules).
inline bool PeerAnnouncedVersion(std::string_view peerVersion) { return peerVersion != "NG"; }

// --- builders: every line a copy sends, without the line feed -----------------------------
// The greeting: "IP", a blank, the unused 15-character field, "^" and the version.
std::string HelloMsg(int major, int minor, int revision);
// The greeting to a caller the host cannot take: the unused field, no "^" and no version.
std::string HelloWithoutVersion();
std::string NameMsg(std::string_view name);
std::string NewGameMsg();
std::string DeckMsg(std::string_view list);  // the list ends in "#"
std::string DeckReply();
std::string TurnMsg(int first);  // 1 the sender begins, 2 the receiver
std::string TurnReply();
std::string QuitMsg();
std::string MoveMsg(int source, int target);
std::string MoveEcho();
std::string NextMoveMsg();
std::string TurnDoneMsg();
std::string ChatMsg(long sequence, std::string_view text);
std::string PeekMsg(int flag);
std::string RecoverMsg(std::string_view list);
std::string RecoverReply();

// A "#" list: every number in its sign-position form followed by "#".
std::string NumberList(const std::vector<long>& items);
void AppendListItem(std::string& list, long item);

}  // namespace korbo::net
