// The state of the one game on the table, and the settings and flags the game's routines
// share. Field names are the game's own; arrays keep the game's bounds, so index 0 of a
// 1-based array is present and stays empty.
#pragma once

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "types.h"
#include "colours.h"

namespace korbo {

// A two-row card array (field, position): field 0 Id, field 1 Value. Stored field-fastest,
// so the Id and Value of one position are adjacent, as the saved-game record lays them.
template <int N>
struct CardRow {
    std::array<int16_t, 2 * (N + 1)> cells{};
    int16_t& Id(int pos) { return cells.at(2 * pos); }
    int16_t& Value(int pos) { return cells.at(2 * pos + 1); }
    int16_t Id(int pos) const { return cells.at(2 * pos); }
    int16_t Value(int pos) const { return cells.at(2 * pos + 1); }
    CardRec Get(int pos) const { return {Id(pos), Value(pos)}; }
    void Set(int pos, CardRec c) { Id(pos) = c.Id; Value(pos) = c.Value; }
    void Clear(int pos) { Set(pos, {}); }
    void ClearAll() { cells.fill(0); }
    static constexpr int Last = N;
};

// HOLD piles: (field, pile 0..4, card 0..30), field fastest, then pile, then card.
struct HoldArray {
    std::array<int16_t, 2 * 5 * 31> cells{};
    static int At(int field, int pile, int card) {
        if (pile < 0 || pile > 4 || card < 0 || card > 30) throw std::out_of_range("HOLD pile index");
        return field + 2 * (pile + 5 * card);
    }
    int16_t& Id(int pile, int card) { return cells.at(At(0, pile, card)); }
    int16_t& Value(int pile, int card) { return cells.at(At(1, pile, card)); }
    int16_t Id(int pile, int card) const { return cells.at(At(0, pile, card)); }
    int16_t Value(int pile, int card) const { return cells.at(At(1, pile, card)); }
    CardRec Get(int pile, int card) const { return {Id(pile, card), Value(pile, card)}; }
    void Set(int pile, int card, CardRec c) { Id(pile, card) = c.Id; Value(pile, card) = c.Value; }
    void ClearAll() { cells.fill(0); }
};

using SideSlots = CardRow<10>;  // 1 pay-off top, 2..6 hand, 7..10 HOLD tops
using SidePile = CardRow<26>;

// The columns of OppHoldInfo(pile, column), the computer's four HOLD piles.
enum OppHoldColumn : int {
    HoldSimCount = 0,  // the count the planner works on while it plays cards in its head
    HoldCount = 1,     // the card count, top included
    HoldShape = 2,     // 1 the top differs from the card under it, 2 the top is one below it,
                       // 0 the top equals the bottom card
    HoldPartner = 3,   // of two piles with the same top, the one a discard of that value goes on
};

// The columns of PlanSteps(pile, column), the plan for centre pile 1..3.
enum PlanColumn : int {
    PlanCount = 0,  // the centre pile's count as the plan leaves it
    PlanLength = 1, // the steps of the plan (places in PlanSlots)
};

struct TableState {
    // --- the cards -------------------------------------------------------------------
    std::array<DeckRec, 105> Deck{};
    int16_t StockTop = 0;
    std::array<CardRec, 105> UsedPile{};
    int16_t UsedCount = 0;
    std::array<std::array<CardRec, 13>, 4> Center{};  // (pile 0..3, position 0..12)
    std::array<int16_t, 4> CenterCount{};
    SideSlots PlayerSlots, OppSlots;
    SidePile PlayerSide, OppSide;
    int16_t PlayerSideCount = 0, OppSideCount = 0;
    HoldArray PlayerHold, OppHold;
    std::array<int16_t, 5> PlayerHoldCount{};
    std::array<std::array<int16_t, 4>, 5> OppHoldInfo{};  // (pile 1..4, OppHoldColumn)

    // --- turn and the moving card --------------------------------------------------
    int16_t Turn = TurnNobody;
    std::array<int16_t, 2> MovingCard{};  // (0) Id, (1) Value
    int16_t WildShown = 0;
    int CurIndex = 0;

    // --- hands and refills ---------------------------------------------------------
    int16_t HandCount = 5;
    int16_t SkipCompDeal = 0, SkipPlayerDeal = 0;
    int DealCounter = 2, DealSlot = 2;
    double SavedTempo = 0;
    int16_t TurnAbort = 0;

    // --- counters of the game ------------------------------------------------------
    int16_t OppWildPlayed = 0, PlayerWildPlayed = 0;
    int16_t OppWildFromPayOff = 0, PlayerWildFromPayOff = 0;
    int16_t OppStackImage = 6, PlayerStackImage = 31;

    // --- aids and their marks ------------------------------------------------------
    bool CountCards = false;
    bool HelpUsed = false;
    bool CountLost = false;
    bool TableDealt = false;
    int16_t AutoSaveTurn = 0;
    bool AwaitingPlayer = false;

    // --- house rules ----------------------------------------------------------------
    int16_t SideSize = 19;  // pay-off piles hold SideSize + 1 cards
    int16_t ForcedRule = 0;
    bool NoWildAce = false;
    bool ShuffleApart = false;
    std::string RulesText;  // the forced and wild part of the rules summary

    // --- play settings ---------------------------------------------------------------
    int16_t CardStyle = 1;
    int16_t SoundLevel = 0;
    double TempoDelay = 0.38;
    double NetTempo = 0;
    int16_t CompLevel = LevelAverage;
    int16_t PeekFlag = 0;
    bool PeerPeeking = false;
    int16_t LookAhead = 0;
    bool AutoSave = false;
    bool NoComments = false;
    long DeckColor = kDeckColor;
    bool DevFlag = false;

    // --- people ------------------------------------------------------------------------
    std::string PlayerName;
    std::string OppName = "Korbo";
    std::array<std::string, 36> Comments{};  // CommentSlot 0..35, 0 stays empty
    std::array<std::string, 16> Sounds{};    // SoundSlot 1..15: full paths

    // --- move state of the player's drag and drop ------------------------------------
    int ClickSlot = 0, PlaySlot = 0, DragSlot = 0;
    int Dragging = 0;
    int GrabX = 0, GrabY = 0;
    int DragStartLeft = 0, DragStartTop = 0;
    bool RightDown = false, MovedByDrag = false;
    int MoveSource = 0, MoveTarget = 0;
    Ctl DropTarget = Ctl::Picture4;
    bool DropTargetSet = false;
    std::string MsgText;

    // --- the HOLD viewer and the player's information clicks -----------------------------
    int16_t HoldViewSide = 0;             // 0 the player's piles, else the opponent's
    std::array<int16_t, 21> HoldView{};   // card id shown in viewer picture i, 0 none
    int16_t WorkIndex = 0;                // scratch; 666 marks a failed stalemate recovery

    // --- geometry the rules need, in pixels (kept by the layout) ----------------------
    // Card play, animation and hit tests work in pixels: a card of 71 x 96 and the
    // centre-pile hit gap of 41 on the normal display.
    int CardWidth = 71, CardHeight = 96, CardGap = 41;

    // --- what the start-up found and set ----------------------------------------------
    int CardsDllOk = 0;                // the picture-card library started (0 = number cards only)
    long HoldX = 0, HoldY = 0;         // where the HOLD viewer first opens (twips)
    char MsgEnd = '\n';                // the network message terminator

    // --- pacing and re-entrancy guards ---------------------------------------------
    bool Busy = false;
    bool CardMoving = false;

    // --- the computer opponent: turn driver, planner and discard choice --------------
    int16_t PlayFound = 0;       // 1 = a play was found and is carried out in this pass
    int16_t PlayKind = 0;        // 1 forced Ace, 2 forced Two, 13 a hand of Kings only
    int16_t RevisitPile = 0;     // pile whose plan stopped at the human's pay-off value
    bool PayOffKingMode = false; // a King from the pay-off pile is being placed
    int16_t TargetStack = 0;     // centre pile the computer works towards
    int16_t DropPile = 0;        // HOLD pile 1..4 of the discard
    int16_t FirstHandSlot = 2;   // first hand place whose card is not a King
    int16_t DangerValue = 0;     // the lowest next value the human could chain up from
    int16_t EmptyStack = 0;      // highest-numbered empty centre pile
    std::array<std::array<int16_t, 16>, 4> PlanSlots{};  // (pile 0..3, step 0..15): place played
    std::array<std::array<int16_t, 2>, 4> PlanSteps{};   // (pile, PlanColumn)
    int16_t PlanStep = 0;
    int16_t HandLeft = 0;
    int16_t SideChoice = 0;
    int16_t PlanMark = 0;        // 14: planning switched to the target pile for a while
    int16_t PlanHandSlot = 0;    // the pile saved during that switch
    int16_t DropHandSlot = 0;    // the pass's target pile, later a hand place of the discard
    int16_t PlanPhase = 0;       // 0 Kings allowed, 1 safety check, 2 switch back
    int16_t WildSearchFrom = 2;  // first place searched for a King
    int16_t DupSlot = 0;
    int16_t RememberedPile = 0, RememberedSlot = 0;

    // --- play statistics: (counter 0..5, category 0..5) -----------------------------
    std::array<std::array<int16_t, 6>, 6> RunStats{};

    // --- the program folder and the player records --------------------------------------
    std::string BaseDir = ".";        // every data path is BaseDir + "/" + a relative path
    bool FormLoading = false;         // true while the table window starts
    std::string LastPlayerName;       // the player whose settings are applied
    bool PlayerChosen = false;        // the confirmed player has a player file
    std::vector<std::string> PlayerNames{std::string()};  // 1..PlayerCount, entry 0 empty
    int16_t PlayerCount = 0;
    std::vector<std::string> PeopleNames{std::string("Korbo")};  // personas; 0 the built-in one
    int16_t PersonaFileCount = 0;
    int16_t PersonIndex = 0;
    std::string PersonaPicture = "Korbo.jpg";  // the current persona's picture in Avatars
    // The custom comment files of the users folder (1..CommentFileCount, entry 0 empty),
    // and the captions of the COMMENTS items (1 "Standard", 2.. a comment file each).
    std::vector<std::string> CommentFiles{std::string()};
    int16_t CommentFileCount = 0;
    std::vector<std::string> CommentItems{std::string(), std::string("Standard")};
    int16_t SoundScheme = 0;          // 0 default column, 1 custom column
    int16_t ChatterLevel = 1;
    int16_t PrefCode = 0;
    int16_t DisplayMode = 0;
    long ScreenWidth = 15360;         // twips
    long ColorBits = 24;
    // Looks and options kept in the settings records.
    long FontColor = 0;
    long MatColor = 0;
    bool MatColorOn = false;
    bool NoLoseAnim = false;
    bool NoWinAnim = false;
    std::string AvatarFile;
    int16_t BackChoice = 0;
    int16_t BackIndex = 0;
    int16_t BackPicCount = 0;
    int16_t DefaultBackIndex = 0;
    // The pictures of the backgrounds folder, positions 1..BackPicCount; entry 0 stays empty.
    std::vector<std::string> BackList{std::string()};
    int16_t SpeedIndex = 2;
    int16_t DeckChoice = 0;
    int16_t CommentFontSize = 12;
    int16_t WalkSteps = 45;
    bool FlashShown = false;
    // The running network session: player's wins, opponent's wins, player's margin,
    // opponent's margin.
    std::array<int16_t, 4> NetSession{};
    // The network score files (users/*.ran, full paths) the score window shows:
    // 1..NetScoreFileCount, entry 0 empty.
    std::vector<std::string> NetScoreFiles{std::string()};
    int16_t NetScoreFileCount = 0;
    // The saved-games dialog's answer.
    int16_t SaveSlot = 0;
    std::string SaveName;
    bool DialogCancelled = false;

    // --- network play (the protocol and its waits live in the network layer) --------
    bool NetActive = false;
    int16_t NetRole = 0;          // 1 host, 0 remote, 9 failed
    std::string PeerVersion = "NG";
    bool PeerCurrent = true;
    int NetMsgType = 0;           // type of the last message processed
    long NetMsgNumber = 0;
    std::string NetMsgText;       // the fields of the last message
    int NetPrevMsgType = 0;
    int RecoverMode = 0;
    bool ReplyArrived = false;
    int16_t RemoteSlot = 0;
    std::string OutMessage;
    std::string HostAddress;      // the host's address as the remote typed it
    std::string OwnAddress;       // the host's listening address
    int NetPort = 1001;
    int SockIndex = 0;            // the socket element that carries the game
    int SocketCount = 0;          // highest element loaded for accepted callers
    std::string NetError;
    bool Connecting = false;
    int16_t NetDealt = 0;         // 1 once the first deal of the connection has run
    std::string InMessage;        // received text not yet dispatched
    bool DataArrived = false;
    long ChatSeqIn = 0, ChatSeqOut = 0;
    std::string TransferText;     // the list of the last "DK" or "RC" received
    std::string PersonaName;      // the computer's name, back after the network game
    // The last move received ("PC"): its source slot and target code, for the replay.
    long NetMoveSource = 0, NetMoveTarget = 0;
};

// The partition check: every card id 1..104 lies in exactly one place. Returns an empty
// string when the table is sound, else a description of the first fault found.
std::string CheckPartition(const TableState& t);

// The same check for cards that carry no ids of their own (a peer without a version sends
// values only): every place as above, and each value 1..13 held by exactly
// kCardsOfAValue cards.
inline constexpr int kCardsOfAValue = 8;
std::string CheckValueCounts(const TableState& t);

// The card count formula of the table (stock + used + centre + pay-off + hands + HOLD).
int CountCardsInPlay(const TableState& t);

}  // namespace korbo
