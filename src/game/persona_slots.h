// The persona's comment lines (Comments, by CommentSlot) and event sounds (Sounds, by
// SoundSlot): the situation each slot belongs to.
#pragma once

namespace korbo {

enum CommentSlot : int {
    CommentDispleased = 1,      // 1..10: the human took the card the computer needed
    CommentPleased = 11,        // 11..20: the computer covered the human's pay-off value
    CommentChainForHuman = 21,  // turn start: a pile one below the human's pay-off value
    CommentChainForSelf = 22,   // turn start: a pile one below the computer's own
    CommentKingBlocks = 23,     // a pay-off King goes onto the pile the human needs
    CommentPayOffKingMatch = 24,  // the computer's pay-off card, a King, matched the human's
    CommentPayOffMatch = 25,      // the same for any other value
    CommentAboutToBlock = 26,   // a card of the human's pay-off value is about to be played
    CommentKingLeavesBlock = 27,  // a King left a pile at the human's pay-off value
    CommentImpatient = 28,      // 28, 29, 30 while the computer waits for the human
    CommentOwnKingCovered = 31,  // 31 + 32: the human covered his pay-off value with a King
    CommentOwnKingCoveredTail = 32,
    CommentPayOffLeft = 33,     // the human played his pay-off value from hand or HOLD
    CommentKingDoubleClick = 34,  // 34 + 35: a King is never played by double-click
    CommentKingDoubleClickTail = 35,
};

enum SoundSlot : int {
    SoundWildCard = 1,   // "Wild Card": a King of the computer or the remote player
    SoundTurnOver = 2,   // "Turn Over"
    SoundWin = 3,        // "Win1".."Win4": 3..6
    SoundLose = 7,       // "Lose1".."Lose4": 7..10
    SoundLose3 = 9,      // "Lose3", also when a pay-off King leaves the pile at the next card
    SoundWhining = 11,   // "Whining"
    SoundThanks = 12,    // "Thanks"
    SoundYeah = 13,      // "Yeah!": the opponent wins
    SoundWinner = 14,    // "Winner": the human wins
    SoundPlayWild = 15,  // "Play Wild": the human plays a King
};

}  // namespace korbo
