// The connection window's checks of the own name, the host's address and the port.
#include <gtest/gtest.h>

#include "game/players_dialog.h"

using namespace korbo;

TEST(PlayersDialogChecks, OnlyOneKorbo) {
    struct Case { const char* name; bool refused; } cases[] = {
        {"Korbo", true}, {"  korbo  ", true}, {"KoRbO", true}, {"KORBO", true},
        {"Korbo2", false}, {"Kor bo", false}, {"", false}, {"Dunmir", false}};
    for (auto c : cases) EXPECT_EQ(NetNameRefused(c.name), c.refused) << c.name;
}

TEST(PlayersDialogChecks, TheHostsAddress) {
    struct Case { const char* address; AddressCheck result; } cases[] = {
        {"1.2.3.4", AddressCheck::Ok},
        {"  127.0.0.1  ", AddressCheck::Ok},
        {"255.255.255.255", AddressCheck::Ok},
        {"1...", AddressCheck::Ok},  // no other check is made
        {"1.2.3", AddressCheck::BadFormat},
        {".1.2.3", AddressCheck::BadFormat},  // the first dot is not searched at character 1
        {"localhost", AddressCheck::BadFormat},
        {"", AddressCheck::BadLength},
        {"   ", AddressCheck::BadLength},
        {"1234.678.012.456", AddressCheck::BadLength},  // 16 characters
        {"192.168.1.1 (example)", AddressCheck::BadLength},
    };
    for (auto c : cases) EXPECT_EQ(CheckHostAddress(c.address), c.result) << c.address;
}

TEST(PlayersDialogChecks, ThePort) {
    struct Case { const char* text; int port; } cases[] = {
        {"1001", 1001}, {" 47001 ", 47001}, {"65535", 65535}, {"65536", 0}, {"0", 0},
        {"-5", 0}, {"abc", 0}, {"", 0}, {"80x", 80}};
    for (auto c : cases) EXPECT_EQ(PortOf(c.text), c.port) << c.text;
}
