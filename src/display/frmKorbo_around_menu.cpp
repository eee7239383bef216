// The menu items of the windows around the table: the scores, the statistics, the comment
// editor, the preferences, the backgrounds, the avatar, the card counter and the status bar.
#include "display/frmKorbo.h"

namespace korbo::ui {

void frmKorbo::Score_Click() {}
void frmKorbo::Stats_Click() {}
void frmKorbo::Prefs_Click() {}
void frmKorbo::OptionStuff_Click() {}
void frmKorbo::ChgColor_Click() {}
void frmKorbo::mnuOpAddBackground_Click() {}
void frmKorbo::Avatar_Click() {}
void frmKorbo::ChgAvatar_Click() {}
void frmKorbo::CdCount_Click() {}
void frmKorbo::WildStats_Click() {}
void frmKorbo::backgrounds(int) {}
void frmKorbo::ShowBackgroundWindow() {}

}  // namespace korbo::ui
