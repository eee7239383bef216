// Shared value types of the game core. No Qt here: this layer builds without it.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace korbo {

// One card: Id 1..104 over the two decks, Value 1 (Ace) .. 13 (King, wild); 0/0 is empty.
struct CardRec {
    int16_t Id = 0;
    int16_t Value = 0;
    bool operator==(const CardRec&) const = default;
};

// A stock entry. Seen belongs to the card whose Id equals the entry's index, never to
// whatever card currently lies at that position.
struct DeckRec {
    int16_t Id = 0;
    int16_t Value = 0;
    int16_t Seen = 0;
};

// The game's Boolean: 0 false, -1 true, as stored in files and sent to peers.
constexpr int16_t kTrue = -1;
constexpr int16_t kFalse = 0;

// Turn codes.
enum TurnState : int16_t { TurnNobody = 0, TurnOpponent = 1, TurnPlayer = 2, TurnRefused = 99 };

// Computer levels.
enum ComputerLevel : int16_t { LevelAverage = 0, LevelClever = 1, LevelRuthless = 2 };

// Forced-card house rule bits.
constexpr int16_t ForcedAce = 1;
constexpr int16_t ForcedTwo = 2;
constexpr int16_t VisibleOnly = 4;

// Resource clips carried inside the program.
enum ResourceSound : int {
    SndCheat = 109, SndDeal = 110, SndRefuse = 112, SndKind3 = 116, SndKind2 = 117,
    SndKind1 = 118, SndKind5 = 119, SndShuffle = 121, SndNewGame = 122, SndWin = 105
};

// The controls of the table window that the core addresses. Control arrays take an index.
enum class Ctl {
    Picture7,    // the player's places 1..10
    Picture1,    // the opponent's places 1..10; element 0 is the flight/peek-under picture
    Picture4,    // 0 the stock, 1..3 the centre piles
    Label9,      // 0 status line, 1 remarks to the player, 2 persona comments, 3..4 others
    LblWild,     // 1..3 the value a King on a centre pile stands for
    ImgTurn1,    // "It's your opponent's turn."
    ImgTurn2,    // "It's your turn!"
    ImgHold,
    ImgAvatar,
    Command2,    // the DEAL button
    Stack,       // pay-off pile thickness shapes 1..50
    StatusBar1,  // panels by index
    ChatSend,    // the chat window's Send button
    LabelPeek,
    Label1,
};

// The control's name in the table window, as messages and logs show it.
constexpr const char* CtlName(Ctl c) {
    switch (c) {
        case Ctl::Picture7: return "Picture7";
        case Ctl::Picture1: return "Picture1";
        case Ctl::Picture4: return "Picture4";
        case Ctl::Label9: return "Label9";
        case Ctl::LblWild: return "LblWild";
        case Ctl::ImgTurn1: return "ImgTurn1";
        case Ctl::ImgTurn2: return "ImgTurn2";
        case Ctl::ImgHold: return "ImgHold";
        case Ctl::ImgAvatar: return "ImgAvatar";
        case Ctl::Command2: return "Command2";
        case Ctl::Stack: return "Stack";
        case Ctl::StatusBar1: return "StatusBar1";
        case Ctl::ChatSend: return "ChatSend";
        case Ctl::LabelPeek: return "LabelPeek";
        case Ctl::Label1: return "Label1";
    }
    return "?";
}

// Menu entries the core enables and disables.
enum class Menu { New, Recover, Save, Restore, OptionStuff, Stats, Level, Players, Cheat, Exit,
                  // items of the options menus and the indicator on the menu bar
                  Noises, chatter, Lang, WildStats, Avatar, mnuOpRules, LevelIndicator, RulesIndicator };

// Windows the core asks the table to show.
enum class Form { frmHold, frmWelcome, frmRules, frmCounter, frmSave, frmScores, frmStats,
                  frmFlasher, frmChat, frmPlayers, frmCustom, frmScoresNet };

// A picture's place and size in pixels of the table, the unit card play works in.
struct Rect {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    bool operator==(const Rect&) const = default;
};

// Mouse buttons and the shift-key mask of the table's mouse and key events.
namespace btn {
constexpr int Left = 1, Right = 2, Middle = 4;
}
namespace keys {
constexpr int Shift = 1, Ctrl = 2, Alt = 4;
constexpr int A = 65, H = 72, P = 80, S = 83;
}  // namespace keys

// Message box codes, as the game's platform defines them.
namespace mb {
constexpr int OKOnly = 0, OKCancel = 1, YesNoCancel = 3, YesNo = 4;
constexpr int Critical = 16, Question = 32, Exclamation = 48, Information = 64;
constexpr int DefaultButton2 = 256;
constexpr int IDOK = 1, IDCancel = 2, IDYes = 6, IDNo = 7;
}  // namespace mb

constexpr std::string_view CRLF = "\r\n";

}  // namespace korbo
