// Table layout, sizing and control scaling.
#include "display/frmKorbo.h"

namespace korbo::ui {

void frmKorbo::InitialCardSize() {}
void frmKorbo::GetCardSize() {}
void frmKorbo::ReSizeNet() {}
void frmKorbo::FitWindow() {}
void frmKorbo::SizeRelative() {}
void frmKorbo::ResizeMe() {}
void frmKorbo::GetSize() {}
void frmKorbo::LayOut() {}
void frmKorbo::ChgDisplay_Click(int) {}
void frmKorbo::Form_Resize() {}
void frmKorbo::CardSizeInPixels() {}
void frmKorbo::ScaleFormControls(int, int) {}
void frmKorbo::DrawStacks() {}
void frmKorbo::Redraw() {}

}  // namespace korbo::ui
