// Routines of the table whose full behaviour lives with the turns, the records, the
// display and the network play. Until each is built these keep the deal playable.
#include "game.h"

namespace korbo {

void Game::ShowWelcome() { view_.ShowForm(Form::frmWelcome, true); }
}  // namespace korbo
