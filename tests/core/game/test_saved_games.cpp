// Saved games: the record byte for byte, saving into a slot, the alternating automatic
// saves, restoring, and damaged files that must never reach the table.
#include "records/record_file.h"
#include "game/game_record.h"
#include "folder_fixture.h"

namespace korbo::test {
namespace {

using records::ScopedWriteFault;
using records::WriteStep;

constexpr size_t kLen = 3264;

struct TurnGame : Game {
    using Game::Game;
    int computerTurns = 0, opponentTurns = 0;
    void Computer() override { ++computerTurns; }
    void Opponent() override { ++opponentTurns; }
};

// The fields a saved game carries, for comparing two tables.
void ExpectSameSavedFields(const TableState& a, const TableState& b) {
    EXPECT_EQ(a.NoWildAce, b.NoWildAce);
    EXPECT_EQ(a.Turn, b.Turn);
    EXPECT_EQ(a.OppSideCount, b.OppSideCount);
    EXPECT_EQ(a.PlayerSideCount, b.PlayerSideCount);
    EXPECT_EQ(a.OppStackImage, b.OppStackImage);
    EXPECT_EQ(a.PlayerStackImage, b.PlayerStackImage);
    EXPECT_EQ(a.StockTop, b.StockTop);
    EXPECT_EQ(a.UsedCount, b.UsedCount);
    EXPECT_EQ(a.HandCount, b.HandCount);
    EXPECT_EQ(a.SideSize, b.SideSize);
    EXPECT_EQ(a.ForcedRule, b.ForcedRule);
    for (int i = 0; i <= 104; ++i) {
        EXPECT_EQ(a.Deck[i].Id, b.Deck[i].Id) << i;
        EXPECT_EQ(a.Deck[i].Value, b.Deck[i].Value) << i;
    }
    EXPECT_EQ(a.UsedPile, b.UsedPile);
    EXPECT_EQ(a.Center, b.Center);
    EXPECT_EQ(a.CenterCount, b.CenterCount);
    EXPECT_EQ(a.PlayerSlots.cells, b.PlayerSlots.cells);
    EXPECT_EQ(a.OppSlots.cells, b.OppSlots.cells);
    EXPECT_EQ(a.PlayerSide.cells, b.PlayerSide.cells);
    EXPECT_EQ(a.OppSide.cells, b.OppSide.cells);
    EXPECT_EQ(a.PlayerHold.cells, b.PlayerHold.cells);
    EXPECT_EQ(a.OppHold.cells, b.OppHold.cells);
    EXPECT_EQ(a.PlayerHoldCount, b.PlayerHoldCount);
    for (int k = 0; k <= 4; ++k) {
        EXPECT_EQ(a.OppHoldInfo[k][1], b.OppHoldInfo[k][1]);
        EXPECT_EQ(a.OppHoldInfo[k][2], b.OppHoldInfo[k][2]);
    }
    EXPECT_EQ(a.OppWildPlayed, b.OppWildPlayed);
    EXPECT_EQ(a.PlayerWildPlayed, b.PlayerWildPlayed);
    EXPECT_EQ(a.OppWildFromPayOff, b.OppWildFromPayOff);
    EXPECT_EQ(a.PlayerWildFromPayOff, b.PlayerWildFromPayOff);
}

struct SavedGamesTest : FolderFixture {
    TurnGame g{view, rnd, clock};
    std::string gamesFile;

    void SetUp() override {
        FolderFixture::SetUp();
        g.BaseDir = dir.path();
        gamesFile = Path("games.sav");
    }

    // A dealt game played on a little: cards on a centre pile and the used pile, HOLD
    // piles on both sides, an empty hand place and the King counters.
    void PlayedGame(uint32_t seed, int16_t turn = TurnPlayer) {
        MtRandom r(seed);
        TurnGame dealer(view, r, clock);
        dealer.SideSize = 19;
        dealer.ClearBoard();
        dealer.SetUp();
        auto pop = [&]() {
            CardRec c{dealer.Deck[dealer.StockTop].Id, dealer.Deck[dealer.StockTop].Value};
            dealer.Deck[dealer.StockTop] = DeckRec{0, 0, dealer.Deck[dealer.StockTop].Seen};
            --dealer.StockTop;
            return c;
        };
        for (int i = 1; i <= 12; ++i) dealer.UsedPile[i] = pop();
        dealer.UsedCount = 12;
        dealer.Center[1][1] = pop();
        dealer.Center[1][2] = pop();
        dealer.CenterCount[1] = 2;
        dealer.Center[3][1] = dealer.PlayerSlots.Get(4);
        dealer.CenterCount[3] = 1;
        dealer.PlayerSlots.Clear(4);
        // The player's pay-off top went to a centre pile: the two piles differ in size.
        dealer.Center[2][1] = dealer.PlayerSide.Get(dealer.PlayerSideCount);
        dealer.CenterCount[2] = 1;
        dealer.PlayerSide.Clear(dealer.PlayerSideCount);
        --dealer.PlayerSideCount;
        dealer.PlayerSlots.Set(1, dealer.PlayerSide.Get(dealer.PlayerSideCount));
        dealer.HandCount = 4;
        dealer.PlayerHold.Set(2, 1, pop());
        dealer.PlayerHold.Set(2, 2, pop());
        dealer.PlayerHoldCount[2] = 2;
        dealer.PlayerSlots.Set(8, pop());
        for (int c = 1; c <= 4; ++c) dealer.OppHold.Set(3, c, pop());
        dealer.OppHoldInfo[3][1] = 4;
        dealer.OppHoldInfo[3][2] = 2;
        dealer.OppHoldInfo[3][3] = 1;
        dealer.OppSlots.Set(9, dealer.OppHold.Get(3, 4));
        dealer.OppWildFromPayOff = 1;
        dealer.OppWildPlayed = 2;
        dealer.PlayerWildFromPayOff = 3;
        dealer.PlayerWildPlayed = 4;
        dealer.OppStackImage = 8;
        dealer.PlayerStackImage = 33;
        dealer.ForcedRule = 3;
        dealer.NoWildAce = true;
        dealer.Turn = turn;
        ASSERT_EQ(CheckPartition(dealer), "");
        static_cast<TableState&>(g) = static_cast<const TableState&>(dealer);
        g.BaseDir = dir.path();
    }

    // The record of the table built by hand from the offset table.
    Bytes HandBuiltRecord(const TableState& t, const std::string& name) {
        Bytes b(kLen, 0);
        Le16(b, 0, t.NoWildAce ? -1 : 0);
        Le16(b, 2, t.Turn);
        Le16(b, 4, t.OppSideCount);
        Le16(b, 6, t.PlayerSideCount);
        Le16(b, 8, t.OppStackImage);
        Le16(b, 10, t.PlayerStackImage);
        Le16(b, 12, t.StockTop);
        Le16(b, 14, t.UsedCount);
        Le16(b, 16, t.HandCount);
        Le16(b, 18, t.SideSize);
        Le16(b, 20, t.ForcedRule);
        for (int i = 1; i <= 104; ++i) {
            Le16(b, 442 + 4 * i, t.Deck[i].Id);
            Le16(b, 444 + 4 * i, t.Deck[i].Value);
            Le16(b, 862 + 4 * i, t.UsedPile[i].Id);
            Le16(b, 864 + 4 * i, t.UsedPile[i].Value);
        }
        for (int p = 1; p <= 26; ++p) {
            Le16(b, 1390 + 4 * p, t.OppSide.Id(p));
            Le16(b, 1392 + 4 * p, t.OppSide.Value(p));
            Le16(b, 1498 + 4 * p, t.PlayerSide.Id(p));
            Le16(b, 1500 + 4 * p, t.PlayerSide.Value(p));
        }
        for (int s = 1; s <= 10; ++s) {
            Le16(b, 1650 + 4 * s, t.OppSlots.Id(s));
            Le16(b, 1652 + 4 * s, t.OppSlots.Value(s));
            Le16(b, 1694 + 4 * s, t.PlayerSlots.Id(s));
            Le16(b, 1696 + 4 * s, t.PlayerSlots.Value(s));
        }
        for (int s = 1; s <= 3; ++s) {
            for (int p = 1; p <= 12; ++p) {
                Le16(b, 1738 + 4 * (s + 4 * p), t.Center[s][p].Id);
                Le16(b, 1740 + 4 * (s + 4 * p), t.Center[s][p].Value);
            }
            Le16(b, 1946 + 2 * s, t.CenterCount[s]);
        }
        for (int k = 1; k <= 4; ++k)
            for (int c = 1; c <= 30; ++c) {
                Le16(b, 1954 + 4 * (k + 5 * c), t.OppHold.Id(k, c));
                Le16(b, 1956 + 4 * (k + 5 * c), t.OppHold.Value(k, c));
                Le16(b, 2574 + 4 * (k + 5 * c), t.PlayerHold.Id(k, c));
                Le16(b, 2576 + 4 * (k + 5 * c), t.PlayerHold.Value(k, c));
            }
        Le16(b, 2596, t.OppWildFromPayOff);
        Le16(b, 2616, t.OppWildPlayed);
        Le16(b, 2636, t.PlayerWildFromPayOff);
        Le16(b, 2656, t.PlayerWildPlayed);
        for (int k = 1; k <= 4; ++k) {
            Le16(b, 3204 + 2 * k, t.OppHoldInfo[k][1]);
            Le16(b, 3214 + 2 * k, t.OppHoldInfo[k][2]);
            Le16(b, 3224 + 2 * k, t.PlayerHoldCount[k]);
        }
        Text(b, 3234, name, 30);
        return b;
    }

    void Answer(int slot, const std::string& name = "") { view.saveAnswers.push_back({false, slot, name}); }
    Bytes Slot(long n) { return Record(ReadBytes(gamesFile), kLen, n); }
    void WriteSlots(const std::vector<Bytes>& recs) { WriteBytes(gamesFile, ScoreFileBytes(recs)); }
};

// --- the record ----------------------------------------------------------------------------

TEST_F(SavedGamesTest, ASavedGameIsTheRecordOfTheOffsetTable) {
    PlayedGame(7);
    Answer(3, "  my game  ");
    g.SaveIt_Click();
    ASSERT_EQ(ReadBytes(gamesFile).size(), 3 * kLen);  // slots 1 and 2 filled with zeros
    EXPECT_EQ(Slot(3), HandBuiltRecord(g, "my game"));
    EXPECT_EQ(Slot(1), Bytes(kLen, 0));
    EXPECT_EQ(g.SaveSlot, 3);
    EXPECT_EQ(g.SaveName, "my game");
}

// A fresh deal of the unshuffled deck, whose every card place is known, read back at
// absolute offsets written out by hand.
TEST_F(SavedGamesTest, AFreshDealLiesAtItsOffsets) {
    g.ClearBoard();
    g.BuildDeck();  // position i holds card i, value ((i - 1) mod 13) + 1
    g.DealCards();
    g.ChooseFirstPlayer();  // the opponent's King (65) beats the player's Ace (66)
    g.AutoSaveTurn = 1;
    g.SaveAuto();
    const Bytes file = ReadBytes(gamesFile);
    ASSERT_EQ(file.size(), 12u * kLen);  // records 1..10 left empty, 11 and 12 written
    EXPECT_EQ(Record(file, kLen, 1), Bytes(kLen, 0));
    const Bytes r = Record(file, kLen, 11);
    EXPECT_EQ(Record(file, kLen, 12), r);
    auto at = [&](size_t offset) { return GetLe16(r, offset); };
    EXPECT_EQ(at(0), 0);      // NoWildAce
    EXPECT_EQ(at(2), 1);      // Turn: the opponent
    EXPECT_EQ(at(4), 20);     // OppSideCount
    EXPECT_EQ(at(6), 20);     // PlayerSideCount
    EXPECT_EQ(at(12), 54);    // StockTop
    EXPECT_EQ(at(14), 0);     // UsedCount
    EXPECT_EQ(at(16), 5);     // HandCount
    EXPECT_EQ(at(18), 19);    // SideSize
    EXPECT_EQ(at(442), 0);    // Deck(0) stays empty
    EXPECT_EQ(at(446), 1);    // Deck(1): card 1, an Ace
    EXPECT_EQ(at(448), 1);
    EXPECT_EQ(at(658), 54);   // Deck(54): card 54, a Two
    EXPECT_EQ(at(660), 2);
    EXPECT_EQ(at(662), 0);    // Deck(55) was dealt
    EXPECT_EQ(at(1394), 103); // OppSide(1): the second card dealt
    EXPECT_EQ(at(1502), 104); // PlayerSide(1): the first card dealt, a King
    EXPECT_EQ(at(1504), 13);
    EXPECT_EQ(at(1578), 66);  // PlayerSide(20), the top
    EXPECT_EQ(at(1580), 1);
    EXPECT_EQ(at(1654), 65);  // OppSlots(1): the opponent's top
    EXPECT_EQ(at(1656), 13);
    EXPECT_EQ(at(1658), 63);  // OppSlots(2)
    EXPECT_EQ(at(1698), 66);  // PlayerSlots(1)
    EXPECT_EQ(at(1702), 64);  // PlayerSlots(2)
    EXPECT_EQ(at(1718), 56);  // PlayerSlots(6)
    EXPECT_EQ(at(1720), 4);
    EXPECT_EQ(at(1722), 0);   // PlayerSlots(7): no HOLD pile yet
    EXPECT_EQ(std::string(r.begin() + 3234, r.end()), "AutoSave" + std::string(22, ' '));
    // Nothing else of the record is set: the centre, the HOLD piles and the reserved blocks.
    for (size_t i = 1738; i < 3234; ++i) EXPECT_EQ(r[i], 0) << i;
    for (size_t i = 22; i < 442; ++i) EXPECT_EQ(r[i], 0) << i;
}

TEST_F(SavedGamesTest, ASaveFollowedByARestoreGivesBackTheTable) {
    for (int16_t turn : {TurnPlayer, TurnOpponent}) {
        SCOPED_TRACE(turn);
        PlayedGame(11, turn);
        const TableState saved = g;
        g.NetActive = true;  // a network game may be saved in any turn
        Answer(5, "keep");
        g.SaveIt_Click();
        g.NetActive = false;

        PlayedGame(99);  // another game on the table
        Answer(5);
        ASSERT_TRUE(g.Restore_Click());
        ExpectSameSavedFields(g, saved);
        EXPECT_EQ(CheckPartition(g), "");
        // The partner column is not saved; the tallies were cleared with the table.
        EXPECT_EQ(g.OppHoldInfo[3][3], 0);
        for (const auto& d : g.Deck) EXPECT_EQ(d.Seen, 0);
        // Both automatic records now hold the restored position.
        EXPECT_EQ(Slot(11), Slot(5));
        EXPECT_EQ(Slot(12), Slot(5));
    }
}

TEST_F(SavedGamesTest, RestoringPositionsZeroAndReservedBytesAreCarriedNotRead) {
    PlayedGame(3);
    Bytes rec = HandBuiltRecord(g, "odd");
    for (size_t i = 22; i < 442; ++i) rec[i] = 0xAB;       // reserved cards
    for (size_t i = 3194; i < 3204; ++i) rec[i] = 0xCD;    // reserved integers
    Le16(rec, 442, 77);                                    // Deck position 0
    Le16(rec, 1954, 55);                                   // OppHold pile 0 card 0
    Le16(rec, 2574 + 4 * 5 * 7, 66);                       // PlayerHold pile 0 card 7 Id
    Le16(rec, 18, 0);                                      // an older record: SideSize 0
    Le16(rec, 0, 5);                                       // any non-zero NoWildAce is on
    std::vector<Bytes> recs(10, Bytes(kLen, 0));
    recs[9] = rec;
    WriteSlots(recs);
    Answer(10);
    ASSERT_TRUE(g.Restore_Click());
    EXPECT_EQ(g.Deck[0].Id, 0);
    EXPECT_EQ(g.OppHold.Id(0, 0), 0);
    EXPECT_EQ(g.PlayerHold.Id(0, 7), 0);
    EXPECT_EQ(g.SideSize, 19);
    EXPECT_TRUE(g.NoWildAce);
    // Saving into another slot keeps what the buffer last read outside the saved fields.
    g.Turn = TurnPlayer;
    Answer(2, "again");
    g.SaveIt_Click();
    Bytes two = Slot(2);
    EXPECT_EQ(Bytes(two.begin() + 22, two.begin() + 442), Bytes(420, 0xAB));
    EXPECT_EQ(Bytes(two.begin() + 3194, two.begin() + 3204), Bytes(10, 0xCD));
    EXPECT_EQ(GetLe16(two, 442), 77);
    EXPECT_EQ(GetLe16(two, 1954), 55);
    EXPECT_EQ(GetLe16(two, 2574 + 4 * 5 * 7), 66);
    EXPECT_EQ(GetLe16(two, 18), 19);
    EXPECT_EQ(GetLe16(two, 0), -1);
}

// Visible cards alone force nothing: a saved mask of 4 restores as no forced card.
TEST_F(SavedGamesTest, ARestoredMaskOfVisibleCardsAloneIsNoForcedCard) {
    struct Case {
        int16_t stored, read;
    } cases[] = {{4, 0}, {6, 6}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        PlayedGame(3);
        g.ForcedRule = c.stored;
        std::vector<Bytes> recs(10, Bytes(kLen, 0));
        recs[0] = HandBuiltRecord(g, "visible");
        WriteSlots(recs);
        g.ForcedRule = 3;
        Answer(1);
        ASSERT_TRUE(g.Restore_Click());
        EXPECT_EQ(g.ForcedRule, c.read);
    }
}

// --- the automatic saves -------------------------------------------------------------------

TEST_F(SavedGamesTest, AutomaticSavesAlternateBetweenElevenAndTwelve) {
    PlayedGame(1);
    g.AutoSaveTurn = 1;
    g.SaveAuto();
    const Bytes first = Slot(11);
    EXPECT_EQ(first, HandBuiltRecord(g, "AutoSave"));
    EXPECT_EQ(Slot(12), first);  // right after a deal both hold the game

    struct Step { int16_t turn; long newest; } steps[] = {{2, 11}, {3, 12}, {4, 11}, {99, 12}};
    for (auto s : steps) {
        SCOPED_TRACE(s.turn);
        const Bytes older = Slot(s.newest == 11 ? 12 : 11);
        g.ForcedRule = s.turn;  // a different position each time
        g.AutoSaveTurn = s.turn;
        g.SaveAuto();
        EXPECT_EQ(GetLe16(Slot(s.newest), 20), s.turn);
        EXPECT_EQ(Slot(s.newest == 11 ? 12 : 11), older);
    }
}

TEST_F(SavedGamesTest, TheAutomaticSlotRestoresTheOlderRecordByTheTurnCounter) {
    PlayedGame(21);
    g.ForcedRule = 1;
    const Bytes in11 = HandBuiltRecord(g, "AutoSave");
    g.ForcedRule = 2;
    const Bytes in12 = HandBuiltRecord(g, "AutoSave");
    std::vector<Bytes> recs(10, Bytes(kLen, 0));
    recs.push_back(in11);
    recs.push_back(in12);
    struct Case { int16_t autoTurn; int16_t forced; } cases[] = {{5, 1}, {6, 2}, {1, 1}, {2, 2}};
    for (auto c : cases) {
        SCOPED_TRACE(c.autoTurn);
        WriteSlots(recs);
        g.AutoSave = true;
        g.AutoSaveTurn = c.autoTurn;
        g.HelpUsed = false;
        Answer(11);
        ASSERT_TRUE(g.Restore_Click());
        EXPECT_EQ(g.ForcedRule, c.forced);
        EXPECT_TRUE(g.HelpUsed);  // going back a turn is an aid
        EXPECT_EQ(g.AutoSaveTurn, c.autoTurn);
    }
}

TEST_F(SavedGamesTest, ANamedSlotIsNoAid) {
    PlayedGame(4);
    Answer(1, "x");
    g.SaveIt_Click();
    g.HelpUsed = false;
    Answer(1);
    ASSERT_TRUE(g.Restore_Click());
    EXPECT_FALSE(g.HelpUsed);
}

TEST_F(SavedGamesTest, NoMoveToRestoreBeforeTheFirstAutomaticSave) {
    PlayedGame(4);
    g.AutoSave = true;
    g.AutoSaveTurn = 1;
    g.SaveAuto();
    PlayedGame(5);
    const TableState before = g;
    g.AutoSave = true;
    g.AutoSaveTurn = 0;
    Answer(11);
    EXPECT_FALSE(g.Restore_Click());
    ASSERT_EQ(view.boxes.size(), 1u);
    EXPECT_EQ(view.boxes[0].text, "No move to restore!");
    EXPECT_EQ(view.boxes[0].buttons, mb::Critical);
    EXPECT_FALSE(g.HelpUsed);
    ExpectSameSavedFields(g, before);
}

// --- the dialog -------------------------------------------------------------------------------

TEST_F(SavedGamesTest, TheSaveDialogOffersTheTenSlotsByName) {
    PlayedGame(2);
    Bytes named(kLen, 0);
    Text(named, 3234, "  Tuesday ", 30);
    Le16(named, 2, 2);
    WriteSlots({Bytes(kLen, 0), named});  // slot 1 empty, 2 named, 3.. beyond the end
    g.SaveIt_Click();  // cancelled
    ASSERT_EQ(view.saveDialogs.size(), 1u);
    const auto& s = view.saveDialogs[0];
    EXPECT_TRUE(s.saving);
    EXPECT_FALSE(s.showAutoSave);
    EXPECT_EQ(s.Text1[1].text, "game  1");  // "game " and the number with its leading blank
    EXPECT_EQ(s.Text1[2].text, "Tuesday");
    EXPECT_EQ(s.Text1[10].text, "game  10");
    for (int k = 1; k <= 10; ++k) EXPECT_TRUE(s.Text1[k].available) << k;
    EXPECT_FALSE(s.Text1[11].available);
    EXPECT_EQ(ReadBytes(gamesFile).size(), 2 * kLen);  // a cancelled save writes nothing
}

TEST_F(SavedGamesTest, TheRestoreDialogOffersOnlySlotsThatHoldAGame) {
    PlayedGame(2);
    Bytes game = HandBuiltRecord(g, "Friday");
    std::vector<Bytes> recs(11, Bytes(kLen, 0));
    recs[3] = game;
    recs[10] = HandBuiltRecord(g, "AutoSave");
    struct Case { bool autoSave, net; bool autoAvailable, box; } cases[] = {
        {true, false, true, true}, {false, false, false, true}, {false, true, false, false}};
    for (auto c : cases) {
        WriteSlots(recs);
        view.saveDialogs.clear();
        g.AutoSave = c.autoSave;
        g.NetActive = c.net;
        g.RecoverMode = c.net ? 1 : 0;
        EXPECT_FALSE(g.Restore_Click());
        ASSERT_EQ(view.saveDialogs.size(), 1u);
        const auto& s = view.saveDialogs[0];
        EXPECT_FALSE(s.saving);
        EXPECT_EQ(s.showAutoSave, c.box);
        EXPECT_EQ(s.autoSaveTicked, c.autoSave);
        EXPECT_TRUE(s.Text1[4].available);
        EXPECT_EQ(s.Text1[4].text, "Friday");
        for (int k : {1, 2, 3, 5, 10}) EXPECT_FALSE(s.Text1[k].available) << k;
        EXPECT_EQ(s.Text1[11].available, c.autoAvailable);
        EXPECT_EQ(s.Text1[11].text, "AutoSave");
    }
    // Beyond the end of the file a slot holds nothing either.
    WriteSlots({game});
    view.saveDialogs.clear();
    g.NetActive = false;
    g.RecoverMode = 0;
    (void)g.Restore_Click();
    EXPECT_TRUE(view.saveDialogs[0].Text1[1].available);
    for (int k = 2; k <= 11; ++k) EXPECT_FALSE(view.saveDialogs[0].Text1[k].available) << k;
}

TEST_F(SavedGamesTest, TickingTheAutoSaveBoxSavesTheGameIntoBothAutomaticRecords) {
    PlayedGame(8);
    g.AutoSave = false;
    g.AutoSaveTurn = 7;
    view.saveDialog = [&](const SaveDialogSetup& s) {
        s.autoSaveClicked(true);
        return SaveDialogResult{};
    };
    EXPECT_FALSE(g.Restore_Click());
    EXPECT_TRUE(g.AutoSave);
    EXPECT_EQ(g.AutoSaveTurn, 1);
    EXPECT_EQ(Slot(11), HandBuiltRecord(g, "AutoSave"));
    EXPECT_EQ(Slot(12), Slot(11));

    view.saveDialog = [&](const SaveDialogSetup& s) {
        s.autoSaveClicked(false);
        return SaveDialogResult{};
    };
    EXPECT_FALSE(g.Restore_Click());
    EXPECT_FALSE(g.AutoSave);
    EXPECT_EQ(g.AutoSaveTurn, 0);
}

// --- refusals -------------------------------------------------------------------------------

TEST_F(SavedGamesTest, SavingIsRefusedWithoutAGameAndDuringTheComputersTurn) {
    struct Case { int16_t turn; bool net; std::string text, title; } cases[] = {
        {TurnNobody, false, "There's no game to save!", "Korbo & Dunmir"},
        {TurnNobody, true, "There's no game to save!", "Korbo & Dunmir"},
        {TurnOpponent, false, "Wait!  Let me finish my turn first!", "Korbo:"},
        {TurnRefused, false, "Wait!  Let me finish my turn first!", "Korbo:"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        view.boxes.clear();
        g.Turn = c.turn;
        g.NetActive = c.net;
        g.SaveIt_Click();
        ASSERT_EQ(view.boxes.size(), 1u);
        EXPECT_EQ(view.boxes[0].text, c.text);
        EXPECT_EQ(view.boxes[0].title, c.title);
        EXPECT_TRUE(view.saveDialogs.empty());
    }
    EXPECT_FALSE(fs::exists(gamesFile));
}

TEST_F(SavedGamesTest, ANetworkGameRestoresOnlyThroughSendGame) {
    PlayedGame(6);
    g.NetActive = true;
    g.RecoverMode = 0;
    EXPECT_FALSE(g.Restore_Click());
    ASSERT_EQ(view.boxes.size(), 1u);
    EXPECT_EQ(view.boxes[0].text,
              "If you want to restore a game during KorboNET play,\r\nthe Host must send the saved game to the "
              "Remote.\r\n\r\nUse the KorboNET Send Game option from the KorboNET menu!");
    EXPECT_EQ(view.boxes[0].title, "KorboNET");
    EXPECT_EQ(view.boxes[0].buttons, mb::Information);
    EXPECT_TRUE(view.saveDialogs.empty());
}

TEST_F(SavedGamesTest, TheRestoredTurnDecidesWhoGoesOn) {
    struct Case { int16_t turn; int recover; bool net; std::string label; int comp, opp; } cases[] = {
        {TurnPlayer, 0, false, "\r\nIt's still your turn.", 0, 0},
        {TurnOpponent, 0, false, "\r\nIt's NOT your turn.", 1, 0},
        {TurnRefused, 0, false, "\r\nIt's NOT your turn.", 1, 0},
        {TurnOpponent, 1, true, "\r\nIt's NOT your turn.", 0, 0},
        {TurnOpponent, 2, true, "\r\nIt's NOT your turn.", 0, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.turn * 10 + c.recover);
        PlayedGame(13, c.turn);
        g.NetActive = false;
        Answer(1, "t");
        if (c.turn == TurnPlayer) g.SaveIt_Click();
        else {
            g.NetActive = true;
            g.SaveIt_Click();
        }
        PlayedGame(14);
        g.computerTurns = g.opponentTurns = 0;
        g.NetActive = c.net;
        g.RecoverMode = c.recover;
        g.SoundLevel = 0;
        view.sounds.clear();
        view.visible[{Ctl::Command2, 0}] = true;
        Answer(1);
        ASSERT_TRUE(g.Restore_Click());
        EXPECT_EQ(g.Turn, c.turn);
        EXPECT_EQ(view.Caption(Ctl::Label9, 1), c.label);
        EXPECT_EQ(view.Caption(Ctl::Label9, 2), "");
        EXPECT_EQ(view.Visible(Ctl::ImgTurn2, 0), c.turn == TurnPlayer);
        EXPECT_EQ(view.Visible(Ctl::ImgTurn1, 0), c.turn != TurnPlayer);
        EXPECT_FALSE(view.Visible(Ctl::Command2, 0));
        EXPECT_TRUE(view.Played(SndShuffle));
        EXPECT_EQ(g.computerTurns, c.comp);
        EXPECT_EQ(g.opponentTurns, c.opp);
        if (c.recover != 1) {
            EXPECT_EQ(g.SkipPlayerDeal, c.turn == TurnPlayer ? 1 : 0);
            EXPECT_EQ(g.SkipCompDeal, c.turn == TurnPlayer ? 0 : 1);
        }
        EXPECT_TRUE(g.CountLost);
        EXPECT_TRUE(g.TableDealt);
        EXPECT_FALSE(g.AwaitingPlayer);
        EXPECT_TRUE(view.Visible(Ctl::ImgHold, 0));  // more than one pay-off card
        if (c.turn == TurnPlayer) {
            EXPECT_TRUE(view.Enabled(Ctl::Picture7, 2));
        }
    }
}

TEST_F(SavedGamesTest, ACancelledRestoreLeavesEverything) {
    PlayedGame(15);
    Answer(2, "a");
    g.SaveIt_Click();
    PlayedGame(16);
    const TableState before = g;
    const Bytes file = ReadBytes(gamesFile);
    EXPECT_FALSE(g.Restore_Click());
    EXPECT_TRUE(g.DialogCancelled);
    ExpectSameSavedFields(g, before);
    EXPECT_EQ(ReadBytes(gamesFile), file);
}

// Damaged records are refused whole, before the table is touched, with a clear box.
TEST_F(SavedGamesTest, DamagedRecordsAreRefusedAndTheTableStaysAsItWas) {
    PlayedGame(17);
    const Bytes good = HandBuiltRecord(g, "good");
    auto with = [&](size_t at, int v) {
        Bytes b = good;
        Le16(b, at, v);
        return b;
    };
    const int stockTopCard = g.StockTop;
    // A file cut inside a record is told of first (the real dialog offers no such slot).
    struct Case { const char* what; Bytes file; long slot; const char* reason; bool cutShort = false; } cases[] = {
        {"short file", Bytes(100, 1), 1, "cut off", true},
        {"odd length", [&] { Bytes b = good; b.resize(kLen + kLen / 2, 3); return b; }(), 2, "cut off", true},
        {"StockTop 30000", with(12, 30000), 1, "StockTop"},
        {"HOLD count 40", with(3224 + 2 * 2, 40), 1, "PlayerHoldCount"},
        {"opponent HOLD count 40", with(3204 + 2 * 1, 40), 1, "OppHoldInfo"},
        {"card value 99", with(444 + 4 * stockTopCard, 99), 1, "value 99"},
        {"card id 200", with(442 + 4 * 1, 200), 1, "out of range"},
        {"duplicate card", with(1694 + 4 * 2, g.PlayerSlots.Id(3)), 1, "twice"},
        {"turn 5", with(2, 5), 1, "turn code"},
        {"empty record", Bytes(kLen, 0), 1, "no game"},
        {"pay-off size 40", with(18, 39), 1, "pay-off pile size"},
        {"hand count 9", with(16, 9), 1, "hand count"},
        {"thickness index 300", with(10, 300), 1, "thickness"},
        {"shape code 7", with(3214 + 2 * 3, 7), 1, "shape code"},
        {"negative King counter", with(2636, -1), 1, "King counter"},
        {"centre count 13", with(1946 + 2, 13), 1, "CenterCount"},
        {"used count -1", with(14, -1), 1, "UsedCount"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        PlayedGame(18);
        g.Deck[5].Seen = 3;  // a tally of the running game
        const TableState before = g;
        WriteBytes(gamesFile, c.file);
        view.boxes.clear();
        view.log.clear();
        Answer(static_cast<int>(c.slot));  // as if the dialog had let it through
        EXPECT_FALSE(g.Restore_Click());
        ASSERT_EQ(view.boxes.size(), c.cutShort ? 2u : 1u);
        if (c.cutShort) {
            EXPECT_NE(view.boxes[0].text.find("cut short"), std::string::npos) << view.boxes[0].text;
        }
        const std::string& refusal = view.boxes.back().text;
        EXPECT_NE(refusal.find("This saved game cannot be restored:"), std::string::npos);
        EXPECT_NE(refusal.find(c.reason), std::string::npos) << refusal;
        EXPECT_NE(refusal.find("The game on the table was not changed."), std::string::npos);
        ExpectSameSavedFields(g, before);
        EXPECT_EQ(g.Deck[5].Seen, 3);
        EXPECT_FALSE(g.CountLost);
        EXPECT_TRUE(g.DialogCancelled);
        EXPECT_EQ(ReadBytes(gamesFile), c.file);
        EXPECT_FALSE(view.Played(SndShuffle));
    }
}

// A damaged automatic record is refused like any other, and going back a turn that did not
// happen is no aid.
TEST_F(SavedGamesTest, ADamagedAutomaticRecordIsRefusedAndIsNoAid) {
    PlayedGame(25);
    Bytes bad = HandBuiltRecord(g, "AutoSave");
    Le16(bad, 12, 30000);  // StockTop
    std::vector<Bytes> recs(10, Bytes(kLen, 0));
    recs.push_back(bad);                                // 11: the older one at counter 5
    recs.push_back(HandBuiltRecord(g, "AutoSave"));     // 12
    WriteSlots(recs);
    const Bytes file = ReadBytes(gamesFile);
    PlayedGame(26);
    const TableState before = g;
    g.AutoSave = true;
    g.AutoSaveTurn = 5;
    g.HelpUsed = false;
    Answer(11);
    EXPECT_FALSE(g.Restore_Click());
    ASSERT_EQ(view.boxes.size(), 1u);
    EXPECT_NE(view.boxes[0].text.find("StockTop"), std::string::npos) << view.boxes[0].text;
    EXPECT_FALSE(g.HelpUsed);
    ExpectSameSavedFields(g, before);
    EXPECT_EQ(ReadBytes(gamesFile), file);
}

// games.sav cut inside its last record: the player is told which file, the cut slot is not
// offered, and the next save drops the cut part instead of padding it into a slot.
TEST_F(SavedGamesTest, AFileCutInsideItsLastRecordIsToldAndTheCutPartIsDropped) {
    PlayedGame(27);
    std::vector<Bytes> recs(4, Bytes(kLen, 0));
    recs[1] = HandBuiltRecord(g, "Monday");
    WriteSlots(recs);
    Bytes file = ReadBytes(gamesFile);
    Bytes stray(40, 0);
    Le16(stray, 2, 3);  // what is left of slot 5 reads as a turn code of 3
    file.insert(file.end(), stray.begin(), stray.end());
    WriteBytes(gamesFile, file);

    EXPECT_FALSE(g.Restore_Click());  // the dialog is cancelled
    ASSERT_EQ(view.boxes.size(), 1u);
    EXPECT_NE(view.boxes[0].text.find("games.sav"), std::string::npos) << view.boxes[0].text;
    EXPECT_NE(view.boxes[0].text.find("cut short"), std::string::npos) << view.boxes[0].text;
    EXPECT_TRUE(view.saveDialogs[0].Text1[2].available);
    EXPECT_FALSE(view.saveDialogs[0].Text1[5].available);
    EXPECT_EQ(ReadBytes(gamesFile), file);  // reading changes nothing

    // The save dialog reads the same file: it is told once.
    Answer(1, "Tuesday");
    g.SaveIt_Click();
    EXPECT_EQ(view.boxes.size(), 1u);
    const Bytes saved = ReadBytes(gamesFile);
    ASSERT_EQ(saved.size(), 4 * kLen);
    EXPECT_EQ(Record(saved, kLen, 2), recs[1]);
    for (long n : {3L, 4L}) EXPECT_EQ(Record(saved, kLen, n), recs[static_cast<size_t>(n - 1)]);

    view.saveDialogs.clear();
    EXPECT_FALSE(g.Restore_Click());
    EXPECT_EQ(view.boxes.size(), 1u);
    EXPECT_TRUE(view.saveDialogs[0].Text1[1].available);
    EXPECT_FALSE(view.saveDialogs[0].Text1[5].available);
}

// --- failures while writing -----------------------------------------------------------------

TEST_F(SavedGamesTest, AFailedSaveKeepsTheOldFileAndSaysSo) {
    PlayedGame(19);
    Answer(1, "first");
    g.SaveIt_Click();
    const Bytes file = ReadBytes(gamesFile);
    g.ForcedRule = 7;
    for (WriteStep step : {WriteStep::CreateTemp, WriteStep::Write, WriteStep::Sync, WriteStep::Rename}) {
        SCOPED_TRACE(static_cast<int>(step));
        ScopedWriteFault fault([step](WriteStep s, const std::string&) { return s == step; });
        view.boxes.clear();
        Answer(1, "second");
        g.SaveIt_Click();
        g.AutoSaveTurn = 2;
        g.SaveAuto();
        ASSERT_EQ(view.boxes.size(), 2u);
        for (const auto& box : view.boxes) {
            EXPECT_NE(box.text.find("games.sav"), std::string::npos) << box.text;
            EXPECT_NE(box.text.find("Here's the problem:"), std::string::npos);
        }
        EXPECT_EQ(ReadBytes(gamesFile), file);
    }
}

// The disk fills up while games.sav is written: every saved game already on disk is still
// there, the failure is told, and the game on the table goes on.
TEST_F(SavedGamesTest, AFullDiskKeepsTheSavedGamesAndSaysSo) {
    PlayedGame(24);
    Answer(1, "first");
    g.SaveIt_Click();
    Answer(2, "second");
    g.SaveIt_Click();
    const Bytes file = ReadBytes(gamesFile);
    ASSERT_EQ(file.size(), 2 * kLen);
    const TableState before = g;
    {
        FullDisk disk(3 * kLen);
        ASSERT_TRUE(disk.ok());
        Answer(7, "third");  // the file would grow to seven records
        g.SaveIt_Click();
        g.AutoSaveTurn = 1;  // the automatic records 11 and 12
        g.SaveAuto();
    }
    ASSERT_EQ(view.boxes.size(), 2u);
    for (const auto& box : view.boxes) {
        EXPECT_NE(box.text.find("games.sav"), std::string::npos) << box.text;
        EXPECT_NE(box.text.find("File too large"), std::string::npos) << box.text;
    }
    EXPECT_EQ(ReadBytes(gamesFile), file);
    EXPECT_EQ(FilesIn(dir.path()), 1);
    ExpectSameSavedFields(g, before);
    // Both old games still restore.
    Answer(2);
    EXPECT_TRUE(g.Restore_Click());
}

TEST_F(SavedGamesTest, ARestoreWhoseAutomaticCopiesCannotBeWrittenStillRestores) {
    PlayedGame(20);
    Answer(1, "a");
    g.SaveIt_Click();
    const Bytes file = ReadBytes(gamesFile);
    PlayedGame(21);
    ScopedWriteFault fault([](WriteStep s, const std::string&) { return s == WriteStep::Rename; });
    Answer(1);
    EXPECT_TRUE(g.Restore_Click());
    EXPECT_EQ(view.boxes.size(), 1u);
    EXPECT_EQ(ReadBytes(gamesFile), file);
    EXPECT_EQ(CheckPartition(g), "");
}

TEST_F(SavedGamesTest, AReadOnlyFolderIsReported) {
    if (::geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders; the injected faults cover this";
    PlayedGame(22);
    Answer(1, "a");
    g.SaveIt_Click();
    const Bytes file = ReadBytes(gamesFile);
    fs::permissions(dir.path(), fs::perms::owner_read | fs::perms::owner_exec);
    Answer(1, "b");
    g.SaveIt_Click();
    fs::permissions(dir.path(), fs::perms::owner_all);
    EXPECT_EQ(view.boxes.size(), 1u);
    EXPECT_EQ(ReadBytes(gamesFile), file);
}

TEST_F(SavedGamesTest, AFolderInPlaceOfTheFileIsReported) {
    fs::create_directories(gamesFile);
    PlayedGame(23);
    Answer(1, "a");
    g.SaveIt_Click();
    EXPECT_TRUE(view.saveDialogs.empty());
    ASSERT_EQ(view.boxes.size(), 1u);
    EXPECT_FALSE(g.Restore_Click());
    EXPECT_EQ(view.boxes.size(), 2u);
}

}  // namespace
}  // namespace korbo::test
