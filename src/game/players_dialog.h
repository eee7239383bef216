// The connection window as the game sets it up and reads it back: role, names, address and
// port, with the checks the window makes before it lets a network game start.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace korbo {

struct PlayersDialogSetup {
    std::string playerName;  // the current player, the own-name box's first text
    // The program's box (text, buttons and icon, title); the answer as mb::ID* codes.
    std::function<int(std::string_view, int, std::string_view)> msgBox;
    std::function<void()> help;  // the Help button
};

struct PlayersDialogResult {
    bool connect = false;      // Connect was accepted: the network game starts
    bool nameApplied = false;  // Connect got past the name check: the names below hold
    std::string playerName;    // the own name, trimmed (the old one when left empty)
    std::string oppName;       // what to call the opponent, trimmed, may be empty
    int role = 1;              // 1 host, 0 remote
    std::string hostAddress;   // the remote's trimmed address of the host
    int port = 0;
};

// The own name a player may not take on the network.
bool NetNameRefused(std::string_view name);

// An own name typed in place of the current player's names the player's network score
// file, so it may not hold a character that a file name can't. The current player's own
// name, which already names the player's files, is not examined.
bool NetNameUnfitForFile(std::string_view typed, std::string_view current);

enum class AddressCheck { Ok, BadLength, BadFormat };
// The host's address as the remote typed it: 1 to 15 characters after trimming, and three
// "." one after the other from the second character on. No other check is made.
AddressCheck CheckHostAddress(std::string_view address);

// The port box's number, 0 when it is no port at all (outside 1..65535).
int PortOf(std::string_view text);

// The texts of the window's refusals.
namespace players_text {
constexpr std::string_view KorboName =
    "Pick a different player name. There is only ONE Korbo and he doesn't play on the Internet.";
constexpr std::string_view BadLength =
    "That's not a valid IP Address.\r\n\r\nPlease get your HOST'S IP Address.\r\n"
    "You need to enter it for the connection to be made.";
constexpr std::string_view BadLengthTitle = "KorboNET Internet Game";
constexpr std::string_view BadFormat = "Not a valid number. Must be in the format:\r\nxxx.xxx.xxx.xxx";
constexpr std::string_view BadFormatTitle = "Incorrect IP Address!";
constexpr std::string_view BadPort = "That's not a valid PORT Number.";
}  // namespace players_text

}  // namespace korbo
