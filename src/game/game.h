// The game: the table state and the routines of the table window that need no window.
// The Qt table calls these entry points and implements the TableView they draw through.
#pragma once

#include <optional>
#include <set>
#include <string>
#include <string_view>

#include "ports.h"
#include "records/record_file.h"
#include "records/game_rec.h"
#include "records/score_rec.h"
#include "players_dialog.h"
#include "table_state.h"

namespace korbo {

// Result of reading a "DK" deck list.
struct DeckListResult {
    bool ok = false;
    std::string error;  // why the list was refused; the table is then unchanged
};

// A chat text that is a web address and nothing else (http:// or https://, a host, no
// blank or control character): only such a text is opened in the browser.
bool IsWebAddress(std::string_view text);

class Game : public TableState {
public:
    Game(TableView& view, Random& rnd, Clock& clock, Transport* net = nullptr)
        : view_(view), rnd_(rnd), clock_(clock), net_(net) {}
    virtual ~Game() = default;

    TableView& View() { return view_; }
    Random& Rnd() { return rnd_; }
    Clock& Time() { return clock_; }
    Transport* Net() { return net_; }
    void SetTransport(Transport* net) { net_ = net; }

    // --- pacing (deal.cpp) -------------------------------------------------------------
    void Delay(double seconds);
    void DoEvents() { view_.DoEvents(); }
    // A resource clip, unless the sound level is "None".
    void PlayResource(int id);
    // One card, card back or empty pile into a picture, with the sound its kind selects.
    void DrawPilePicture(Ctl pics, int element, int cardId, int kind);

    // --- new game, deal and shuffle (deal.cpp; the deck lists in deck_message.cpp) --------
    void NewGame_Click();
    void Command2_Click();
    void SetUp();
    void GoDeal();
    void Deal_Comp();
    void Deal_Player();
    // The parts of SetUp, usable on their own.
    void BuildDeck();
    void ShuffleDeck();
    void DealCards();          // pay-off piles, hands and StockTop from the built deck
    void ChooseFirstPlayer();  // Turn from the pay-off tops; a tie draws a coin

    // The "DK" field list: values, then (for a peer with a version) ids and three rules.
    std::string EncodeDeckList(bool withVersion) const;
    // Reads a list into the stock and, for a new enough host, the rules. A list that is
    // short, long or out of range is refused and changes nothing.
    DeckListResult DecodeDeckList(std::string_view list, std::string_view hostVersion);

    // --- move legality (legality.cpp) -------------------------------------------------------
    // Hit test of the dragged Picture7(slot) at `card`; -1 when it lies on no target.
    int FindDropTarget(int slot, const Rect& card);
    int FindDropTarget(int slot);  // at the picture's current place
    void Legal();
    // The checks before a discard onto HOLD place t; true when the discard may go ahead.
    bool DiscardCheck(int t);
    void CheatError();
    void PlayerGoBack(std::string_view cardName);

    // --- the centre piles (centre_piles.cpp) -----------------------------------------------
    void Add_Center();  // MovingCard onto centre pile CurIndex
    void Add_Used();    // the complete pile CurIndex to the used pile

    // --- the player's card moves, events of the table window (player_moves.cpp; the hand
    // sort in hand_sort.cpp) ---------------------------------------------------------------
    // Button is a btn:: code, Shift a keys:: mask, X and Y the pointer inside the picture
    // in table units. A place outside its picture array is ignored.
    void Picture7_MouseDown(int Index, int Button, int Shift, double X, double Y);
    void Picture7_MouseMove(int Index, int Button, int Shift, double X, double Y);
    void Picture7_MouseUp(int Index, int Button, int Shift, double X, double Y);
    void Picture7_DblClick(int Index);
    void Picture7_KeyDown(int Index, int KeyCode, int Shift);
    void Picture1_MouseDown(int Index, int Button, int Shift, double X, double Y);
    void Picture4_DblClick(int Index);
    void Picture4_MouseDown(int Index, int Button, int Shift, double X, double Y);
    // Plays the card of PlaySlot onto centre pile CurIndex (already judged by Legal).
    void Move_Player();
    // Moves the card of hand place `from` to hand place `to`, shifting the places between.
    void Hand_Sort(SideSlots& slots, Ctl pics, int from, int to);

    // --- stalemate and reshuffle (stalemate.cpp) ---------------------------------------------
    // The recovery of a stalemate: every card but the pay-off piles is gathered, reshuffled
    // and dealt into two new hands; WorkIndex 666 when it could not be done.
    void Stale_Recover();
    // The reshuffle's "DK" list: the StockTop values, then (for a peer with a version) ids.
    std::string EncodeReshuffleList(bool withVersion) const;
    // Reads a reshuffle list into Deck(1..StockTop). It must hold exactly the cards of the
    // used pile; anything else is refused and changes nothing.
    DeckListResult DecodeReshuffleList(std::string_view list, std::string_view hostVersion);

    // --- player records: settings.cpp, score_update.cpp (StatsSave, DoTheMath,
    // DoTheUpdate), game_end.cpp, saved_games.cpp (Saving, SaveIt_Click, Restore_Click) -------
    // The settings routines work on the settings file their caller has open (the score file
    // at start-up and exit, the chosen player's file when a player is chosen); they neither
    // open nor close it, and what they put reaches the disk when the caller closes it.
    void ChangeSettings(records::RecordFile& file2);
    // Fails, after the settings are applied, when the persona's or the built-in sound table
    // cannot be read; the sound table is then left as it was.
    records::Status ChangeSettings2(records::RecordFile& file2);
    void ChangeBestRun(records::RecordFile& file2);
    void ChangePreferences();
    void SaveSettings(records::RecordFile& file2);
    // Run statistics into the open player file; an index outside 0..5 throws out_of_range.
    void StatsSave(records::RecordFile& file, int current, int best);
    // Score arithmetic on the work copies; a total beyond 16 bits throws overflow_error.
    void DoTheMath();
    void DoTheUpdate();  // ScoreBuffer holds record RecIndex
    // The end of a game, and the saved games.
    void Saving();
    void SaveIt_Click();
    // True when a game was put on the table.
    bool Restore_Click();
    // The saved-game transfer of a network game. The host restores a game and sends it
    // (Recover_Click, SendRecover); the remote puts a received list on its table with the
    // sides exchanged (GetRecover). A list that cannot be used is refused: the peer is sent
    // "GO", a box tells why and the table stays as it was; GetRecover is then false, and the
    // caller ends the network game (EndRefusedNetGame).
    void Recover_Click();
    void SendRecover();
    bool GetRecover(std::string_view list);
    // A refused transfer: the peer is let go and the box names why.
    void RefuseRecover(std::string_view why);
    // A file problem told to the player in a box ("Here's the problem:" and the reason).
    void ReportProblem(std::string_view what);
    // The same for what a data file read for the table shows the player once a run (a file
    // cut short, a persona or comment file that is there but cannot be read), however often
    // the file is read again.
    void TellOnce(const std::string& what);
    // A record file cut short inside its last record, told of once a run.
    void TellCutShort(const std::string& path, size_t length);
    void TellCutShort(const records::RecordFile& f) { TellCutShort(f.Path(), f.Length()); }
    // Paths in the program folder.
    std::string DataPath(std::string_view relative) const;
    std::string PlayerFilePath(std::string_view player) const;

    // Form fields of the records routines.
    records::ScoreRec ScoreBuffer;
    int16_t ScorePlayed = 0, ScoreWon = 0, ScoreMargin = 0, ScoreExtra = 0, ScoreLost = 0;
    long RecIndex = 0;
    std::string EndText, EndText2, NeedsText, WhoText;
    records::GameBytes GameBuffer{};
    // A player switch holds the new file's persona and sound scheme aside until the sound
    // table is loaded.
    int16_t HeldPersonIndex = 0, HeldSoundScheme = 0;
    // The persona the loaded settings chose while its file cannot be read and Korbo plays in
    // its place (-1: none); the settings keep it as the choice until the player makes another.
    int16_t KeptPersonIndex = -1;

    // --- the computer opponent's turn (computer_turn.cpp) ------------------------------------
    // Finishes the computer's (or the remote player's) turn: the discard of hand place
    // CurIndex onto HOLD pile DropPile (1..4), then the turn goes to the human.
    virtual void Move_End_Turn();
    // Waits while the human is awaited; one impatience remark after 45 s.
    void ImPatient();

    // --- the computer opponent's planning (computer_planning.cpp; Comp_Play, Comp_Flip and
    // Comp_SideCompare in computer_play.cpp) --------------------------------------------------
    void Ck_Player();
    void Move_Comp();
    void Move_Plan();
    void Move_Comp_Hold();
    void Move_Wait();
    void Move_Wild();
    void Comp_BeforeDrop();
    void Comp_Play();
    // Moves the computer's card in MovingCard from place `source` onto centre pile `pile`.
    virtual void Comp_Flip(int source, int pile);
    void Comp_SideCompare();

    // --- the computer opponent's discard (computer_discard.cpp) --------------------------------
    void Comp_Drop();
    void Comp_Reseq();
    void Comp_Dups();
    void Comp_Analyze();

    // --- routines of other parts of the table that the deal calls: run_stats.cpp (Stats*),
    // computer_turn.cpp (Dumbness, Computer), game_end.cpp, board.cpp (ClearBoard,
    // EnablePic), table_redraw.cpp (Redraw, WildShow, WildUpdate, StackCurrent, Peek),
    // stalemate.cpp, saved_games.cpp (SaveAuto), status_bar.cpp, net_scores.cpp,
    // player_selection.cpp (ShowWelcome), the network turn in net_moves.cpp and the
    // network wait in net_receive.cpp ----------------------------------------------------
    virtual void StatsAdd(int source, int counter);
    virtual void StatsCk(int current, int best);
    virtual void Dumbness();
    virtual void Game_End();
    virtual void Move_Transmit();
    virtual void Move_Transmit_Done();
    virtual void ClearBoard();
    virtual void Redraw();
    virtual void EnablePic(Ctl pics, bool on);
    virtual void Computer();
    // The computer's King played as wild from hand or HOLD place `slot` onto pile CurIndex.
    virtual void WildShow(int slot);
    virtual void Opponent();
    // Always leaves TurnAbort 1 with Turn 0 (the game is stopped, the cards stay where
    // they are) or TurnAbort 2 with Turn unchanged (the cards in play were dealt anew).
    virtual void STALEMATE();
    virtual void RESHUFFLE();
    virtual void SaveAuto();
    virtual void StatusBar_Clear();
    virtual void WildUpdate();
    virtual void RulesRefresh();
    virtual void StackCurrent();  // shows the shapes that stand for cards
    void StackCurrent(bool show);
    virtual void ShowWelcome();
    virtual void Peek();
    virtual void Scores_Net();
    // --- network play: receiving and dispatch (net_receive.cpp) -------------------------
    // Data came on socket element `index`: it is added to the receive buffer; with no wait
    // running, the lines that act at once (chat, peek, quit, transfer, the host's new game
    // on the remote) are dispatched.
    void Winsock1_DataArrival(int index);
    // The peer closed socket element `index`. With no wait running to notice it, what came
    // before the close is acted on and the network game ends as at the peer's quit.
    void Winsock1_Close(int index);
    // Sleeps until a complete line, a change of the connection or the end of the network
    // game, then dispatches one message (a lost connection as the peer's quit).
    virtual void ProcessNext();
    // Cuts one message off the receive buffer and acts on it.
    void GetMessage();
    // Processes messages until one completes the exchange under way (ReplyArrived).
    void WaitForOpponent();

    // --- network play: the connection (net_connection.cpp) ------------------------------
    // The network menu item: the connection window and the start of a network game, or
    // the end of the running one.
    void Players_Click();
    // The connection window's Connect accepted: the game starts (the rest of Players_Click).
    void StartNetworkGame(const PlayersDialogResult& choice);
    void EndNetworkGame();  // the menu's end, after its question
    void StartHost();
    void ConnectAsRemote();
    void Winsock1_ConnectionRequest(int index, long requestId);
    void Winsock1_Error(int index, int number, std::string_view description);
    virtual void Server_Send(std::string_view message);
    void NetCleanUp();
    void CloseActiveSocket();
    void CloseAllSockets();
    // A message from the peer that this table cannot follow: the user is told, the peer is
    // sent "GO", the save is offered and the network game ends. Nothing on the table moved.
    void RefuseNetMessage(std::string_view why);
    // The two halves of a refusal around its box: the peer is told and let go, then the
    // network game ends here.
    void HangUpRefused();
    void EndRefusedNetGame();
    // The peek item's network side, after PeekFlag changed: the peer is told.
    void PeekNet();
    // The rules indicator opens the house rules dialog (not for the remote, nor for a host
    // whose peer exchanges no rules).
    bool RulesIndicatorOpens() const;
    // The one wait for a network message: processes the next message and dispatches the
    // window's events, pass after pass, until the last message type is `type`. The peer's
    // quit (GO) and the end of the network game always end it; a new game (GS) ends it
    // first only when `onNewGame` says so. Each pass tests the type of the one message it
    // processed, so a chat or peek line taken meanwhile never hides the awaited one.
    enum class OnNewGame { Wait, End };
    enum class NetWait { Arrived, NewGame, Gone };
    NetWait AwaitMessage(int type, OnNewGame onNewGame);
    bool Awaited(int type, OnNewGame onNewGame) { return AwaitMessage(type, onNewGame) == NetWait::Arrived; }

protected:
    bool RefillHand(bool player);
    // Moves and slides of the player's pictures.
    void SlideBack(int left, int top);
    void DiscardToHold(int t);
    // Move_Player's steps (player_moves.cpp). PlayerPlaceLeft is false when the last
    // pay-off card won the game.
    bool PlayerPlaceLeft(int source, int pile);
    void PlayerWon(int pile);
    void PlayerMoveRemarks(int source, int pile, bool king);
    void ShowHoldViewer(int side);
    void ShowHandPlace(const SideSlots& slots, Ctl pics, int place);
    void PlaySoundSlot(int slot);

    // The computer opponent's helpers (computer_turn.cpp, computer_planning.cpp).
    int OppTop(int pile) const;    // value of the top of the computer's HOLD pile (0 empty)
    int OppUnder(int pile) const;  // value of the card under that top (0 none)
    int SimTop(int pile) const;    // the same at the planner's simulated count
    int SimUnder(int pile) const;
    // Value of the card `depth` below the top of the computer's HOLD pile, counted by
    // OppHoldInfo column `countField` (HoldCount or HoldSimCount); 0 when none.
    int OppHoldValue(int pile, int countField, int depth) const;
    void OppHoldShape(int pile);   // the shape code of a pile after its top changed
    // Whether the rules let the computer put `card` on centre pile `pile`.
    bool CompMayPlay(CardRec card, int pile) const;
    void PlanAppend(int pile, int place, CardRec card);
    void PlanDropLast(int pile);
    int PlanValue(int pile) const;  // value of the last planned card of a pile (0 none)
    void PlanAccept();
    // A plan of one card: place `place` onto `pile`, on fresh simulated counts.
    void StartSinglePlan(int pile, int place);
    // The pile nearest to needing `value` next (LookAhead 1..11), pile 1 when none is.
    int NearestPile(int value);
    // Move_Comp's steps (computer_planning.cpp); each returns the step that follows.
    enum class PlanGo { Start, Hand, Hold, NoNatural, Check, NextPile, Done };
    PlanGo PlanStart(int& s);
    PlanGo PlanHandCard(int& s);
    int PlanHoldForHandCard(int s, int v);
    PlanGo PlanHoldCard(int& s);
    PlanGo PlanWithoutNatural(int& s);
    PlanGo PlanSafetyCheck(int& s);
    PlanGo PlanNextPile(int& s);
    bool CompTurnStopped() const { return TurnAbort == 1 || Turn == TurnNobody; }
    friend class DropChooser;  // Comp_Drop's steps (computer_discard.cpp)
    // Computer's steps (computer_turn.cpp). CompTurnStart is false when the refill ended
    // the turn; CompForcedInsteadOfDiscard when the forced card's play did.
    enum class CompPass { Again, Discard, Stopped };
    enum class PayOffPlay { Played, NotPlayed, Stopped };
    bool CompTurnStart();
    // The end of a turn that a stopped game cut short: a declined stalemate opens the
    // menus again.
    void CompTurnHalted();
    CompPass CompTurnPass(bool& lastPassIdle);
    PayOffPlay CompPayOffCard(int q);
    bool CompForcedInsteadOfDiscard();
    void CompDiscard();

    // The card planned at each step, so that a step whose place changed meanwhile is
    // never played.
    std::array<std::array<CardRec, 16>, 4> planCards_{};
    long compMoves_ = 0;  // cards the computer has put on the centre piles

    // The network play's helpers.
    bool ReadArrivals();          // socket into the buffer; false when the peer overflowed it
    void DispatchAtOnce();        // the lines that act as soon as they come, outside a wait
    void FurtherCaller(int index);
    void Dispatch();              // acts on the message just parsed
    bool DispatchHost(int type);  // false when the message was refused
    bool DispatchRemote(int type);
    // The remote's table shows that the host began a new game: the cards wait, NEW answers.
    void TellHostsNewGame();
    void DispatchGreeting();
    void DispatchQuit();
    void ApplyVersionRule();
    void ShowChatLine(const std::string& text);
    void OfferSave(std::string_view question);
    void ReplayDiscard();
    bool ReplayPlay(int source, int pile);
    // Why the peer's move cannot be replayed here; empty when it can.
    std::string MoveCheck(long source, long target) const;
    int waitDepth_ = 0;           // waits running, nested
    int awaited_ = 0;             // the type the innermost wait takes; 0 any reply (the greeting)
    // The last reshuffle's order from the host could not be followed; the network game has
    // ended and the cards wait in the used pile.
    bool reshuffleRefused_ = false;
    int handshakeDepth_ = 0;      // move handshakes running, nested
    // From this table's last move until it waits for the peer's first one, and while the
    // peer's hand is refilled after one of its moves, a sent game is held in the buffer for
    // the next wait instead of acting at once in the middle of the turn.
    bool holdTransfer_ = false;
    bool chatUnnumbered_ = false; // the last chat line carried no "#"
    bool dispatchingAtOnce_ = false;
    // A refused card slides home: the player's cards take no press until it is there.
    bool slidingHome_ = false;
    // What an older peer made this table give up for its network game (the picture cards,
    // the house rules), the player's own again when that game ends.
    struct OwnRules {
        int16_t SideSize, ForcedRule;
        bool NoWildAce, ShuffleApart;
    };
    static constexpr int16_t kOldPeerCardStyle = 1;  // the number cards such a peer gets
    std::optional<int16_t> ownCardStyle_;
    std::optional<OwnRules> ownRules_;
    void PutBackOwnSettings();
    std::set<std::string> told_;  // what TellOnce has told this run

    TableView& view_;
    Random& rnd_;
    Clock& clock_;
    Transport* net_;
};

// Message types of the network protocol that the deal waits for.
namespace msg {
constexpr int IP = 1, NM = 2, GS = 3, DK = 4, TR = 5, GO = 6, PC = 7, WT = 8, OK = 9, SY = 10,
              PK = 11, RC = 12, RS = 13;
}

}  // namespace korbo
