// Rescaling a window and its controls: to fit the screen (the windows were designed for
// a screen of 12288 x 9216 twips) or by the fixed factors of the display-size option. The
// table has its own version (frmKorbo::ScaleFormControls), which keeps its layout in twips.
#pragma once

class QWidget;

namespace korbo::ui {

// mode 4: fit to the screen; mode 5: size 2 larger (x 1.25), size 3 smaller (x 0.8).
// A minimised or maximised window is left alone, and so is any window but the chat
// window (`alwaysScaled`) on a screen narrower than 12000 twips. Children placed by a
// layout follow the window; the others are moved and sized themselves. Fonts scale with
// the horizontal factor.
void ScaleFormControls(QWidget& form, int mode, int size, long screenWidthTwips, double screenHeightTwips,
                       bool alwaysScaled = false);

// Mode 4 for the screen the window is on: its width as the game measured it at start-up,
// its height from the screen itself.
void ScaleFormToScreen(QWidget& form, long screenWidthTwips);

}  // namespace korbo::ui
