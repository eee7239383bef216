// Routines of the table whose full behaviour lives with the turns, the records, the
// display and the network play. Until each is built these keep the deal playable.
#include "game.h"

namespace korbo {

void Game::Move_Transmit() {}
void Game::Move_Transmit_Done() {}
void Game::Opponent() {}
void Game::RulesRefresh() {}
void Game::ShowWelcome() { view_.ShowForm(Form::frmWelcome, true); }
void Game::ProcessNext() {
    if (!net_) NetActive = false;  // no connection: nothing can ever arrive
}
void Game::Server_Send(std::string_view message) {
    if (net_) net_->SendLine(message);
}

}  // namespace korbo
