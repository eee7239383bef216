// What an older copy across the network takes from the player lasts for that network game
// only: the picture cards a host without a version cannot follow and the house rules the
// version rule sets back are the player's own again once the network game has ended.
#include <gtest/gtest.h>

#include <string>

#include "fakes/game_fixture.h"
#include "fakes/scripted_transport.h"
#include "net/protocol.h"

namespace korbo::test {
namespace {

struct Looks {
    int cardStyle, sideSize, forcedRule;
    bool noWildAce, shuffleApart;
    bool operator==(const Looks&) const = default;
};

std::ostream& operator<<(std::ostream& o, const Looks& l) {
    return o << "style " << l.cardStyle << ", side " << l.sideSize << ", forced " << l.forcedRule << ", no wild ace "
             << l.noWildAce << ", apart " << l.shuffleApart;
}

constexpr Looks kOwn{6, 25, 3, true, true};

struct OldPeerCase {
    const char* name;
    int role;                // 1 host, 0 remote
    std::string arrivals;    // what the peer sends before it quits
    Looks during;            // what the network game plays with
};

struct OldPeerTable : GameFixture {
    ScriptedTransport net;
    Looks Now() const {
        return {game.CardStyle, game.SideSize, game.ForcedRule, game.NoWildAce, game.ShuffleApart};
    }
    void SetUp() override {
        game.SetTransport(&net);
        game.CardStyle = static_cast<int16_t>(kOwn.cardStyle);
        game.SideSize = static_cast<int16_t>(kOwn.sideSize);
        game.ForcedRule = static_cast<int16_t>(kOwn.forcedRule);
        game.NoWildAce = kOwn.noWildAce;
        game.ShuffleApart = kOwn.shuffleApart;
    }
    void Join(int role) {
        PlayersDialogResult choice;
        choice.connect = choice.nameApplied = true;
        choice.playerName = "Ann";
        choice.role = role;
        choice.hostAddress = "127.0.0.1";
        choice.port = 1001;
        game.StartNetworkGame(choice);
    }
};

void PrintTo(const OldPeerCase& c, std::ostream* o) { *o << c.name; }

class OldPeer : public OldPeerTable, public ::testing::WithParamInterface<OldPeerCase> {};

TEST_P(OldPeer, ItsResetsEndWithTheNetworkGame) {
    const OldPeerCase& c = GetParam();
    net.arrivals = {c.arrivals, "GO\n"};
    Looks during{};
    view.onDispatch = [&] {
        if (game.NetActive) during = Now();
    };
    Join(c.role);
    ASSERT_FALSE(game.NetActive);
    EXPECT_EQ(during, c.during);
    EXPECT_EQ(Now(), kOwn);
    // The table is drawn again in the player's own cards.
    if (c.during.cardStyle != kOwn.cardStyle) {
        ASSERT_FALSE(view.log.empty());
        bool loaded = false;
        for (const auto& l : view.log) loaded = loaded || l == "LoadCardFaceSet 6";
        EXPECT_TRUE(loaded);
    }
}

const std::string kNoVersion = net::HelloWithoutVersion() + "\n";
const std::string kVersion51 = net::HelloMsg(5, 1, 0) + "\n";
const std::string kVersion60 = net::HelloMsg(6, 0, 1) + "\n";

INSTANTIATE_TEST_SUITE_P(
    Greetings, OldPeer,
    ::testing::Values(
        OldPeerCase{"RemoteMeetsAHostWithoutAVersion", 0, kNoVersion + "NM Bob\n", {1, 19, 0, false, true}},
        OldPeerCase{"RemoteTurnedAwayByABusyHost", 0,
                    "SY  1#KORBO: So you want to play with us? Sorry I'm busy!\n" + kNoVersion,
                    {1, 19, 0, false, true}},
        OldPeerCase{"RemoteMeetsAnOldHost", 0, kVersion51 + "NM Bob\n", {6, 19, 0, false, true}},
        OldPeerCase{"HostMeetsAnOldRemote", 1, kVersion51, {6, 19, 0, false, true}},
        OldPeerCase{"RemoteMeetsACurrentHost", 0, kVersion60 + "NM Bob\n", kOwn}),
    [](const ::testing::TestParamInfo<OldPeerCase>& info) { return std::string(info.param.name); });

// A style the player picks during that network game is the player's choice, and stays.
TEST_F(OldPeerTable, AStyleChosenDuringTheGameStays) {
    net.arrivals = {kNoVersion + "NM Bob\n", "GO\n"};
    view.onDispatch = [&] {
        if (game.NetActive && game.CardStyle == 1) game.CardStyle = 3;
    };
    Join(0);
    ASSERT_FALSE(game.NetActive);
    EXPECT_EQ(game.CardStyle, 3);
    EXPECT_EQ(game.SideSize, 25);
}

}  // namespace
}  // namespace korbo::test
