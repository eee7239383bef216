// The table window's controls as they are designed: one row for each control, in the
// order they are made (later ones lie on top), with the place and size in twips that the
// layout later moves them from.
#pragma once

#include <span>
#include <string>

namespace korbo::ui {

// How a row's control is made.
enum class DesignKind {
    Frame,       // a framed box with its caption (Label3, Label10, Label1)
    Outline,     // the dashed outline of a HOLD place (ShpHold)
    StackShape,  // the pay-off pile thickness shape copied by the layout (Stack)
    HoldImage,   // the picture that marks a HOLD pile covered (ImgHold)
    Picture,     // a card place (Picture4, Picture1, Picture7)
    WildLabel,   // the value a King on a centre pile stands for (LblWild)
    Label,       // a text label (Label9, LabelPeek)
    Arrow,       // a turn arrow, its text the tooltip (ImgTurn1 up, ImgTurn2 down)
    Avatar,      // the persona's picture (ImgAvatar)
    Button,      // a command button, its text the caption (Command2)
};

struct ControlDesign {
    const char* name;
    DesignKind kind;
    int index;  // -1 outside a control array
    double left, top, width, height;
    const char* text = nullptr;  // frame caption, tooltip or button caption
};

// Every row of the table window, in the order they are made.
std::span<const ControlDesign> TableDesign();

// The control's name as the window knows it: "Picture7(3)", or "Label10".
std::string DesignName(const ControlDesign& row);

}  // namespace korbo::ui
