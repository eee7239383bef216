// Start-up and shutdown of the table.
#include "display/frmKorbo.h"

namespace korbo::ui {

void frmKorbo::Form_Load() {}
void frmKorbo::OpenDoor() {}
void frmKorbo::ExitLeft() {}

}  // namespace korbo::ui
