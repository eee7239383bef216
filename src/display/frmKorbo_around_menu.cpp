// The menu items of the windows around the table: the scores, the statistics, the comment
// editor, the preferences, the backgrounds, the avatar, the card counter and the status bar.
#include "display/around_table.h"
#include "display/frmKorbo.h"
#include "game/status_bar.h"

namespace korbo::ui {

void frmKorbo::Score_Click() { around_->Score_Click(); }
void frmKorbo::Stats_Click() { around_->Stats_Click(); }
void frmKorbo::Prefs_Click() { around_->Prefs_Click(); }
void frmKorbo::OptionStuff_Click() { around_->OptionStuff_Click(); }
void frmKorbo::ChgColor_Click() { around_->ChgColor_Click(); }
void frmKorbo::mnuOpAddBackground_Click() { around_->mnuOpAddBackground_Click(); }
void frmKorbo::Avatar_Click() { around_->Avatar_Click(); }
void frmKorbo::ChgAvatar_Click() { around_->ChgAvatar_Click(); }
void frmKorbo::CdCount_Click() { around_->CdCount_Click(); }
void frmKorbo::WildStats_Click() { statusbar::WildStats_Click(*game_); }

}  // namespace korbo::ui
