// Receiving in a network game: the one wait for a message that every exchange is built on.
#include "game.h"

namespace korbo {

Game::NetWait Game::AwaitMessage(int type, OnNewGame onNewGame) {
    for (;;) {
        if (!NetActive) return NetWait::Gone;
        ProcessNext();
        // The awaited type first: a wait for a new game ends with it, not on it.
        if (NetMsgType == type) return NetWait::Arrived;
        if (NetMsgType == msg::GO || !NetActive) return NetWait::Gone;
        if (NetMsgType == msg::GS && onNewGame == OnNewGame::End) return NetWait::NewGame;
        DoEvents();
    }
}

}  // namespace korbo
