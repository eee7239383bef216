// The menu items of network play: hosting, joining and ending a network game, the network
// scores, sending a saved game, and telling the peer about peeking.
#include "display/around_table.h"
#include "display/frmKorbo.h"

namespace korbo::ui {

void frmKorbo::Players_Click() { game_->Players_Click(); }
void frmKorbo::NetScore_Click() { around_->NetScore_Click(); }
void frmKorbo::Recover_Click() { game_->Recover_Click(); }
void frmKorbo::Cheat_Net() { game_->PeekNet(); }

}  // namespace korbo::ui
