// What the table passes on to the chat window: the history box and the Send button by the
// window's own control names, and its showing and unloading. The table keeps both values
// while no chat window is attached and hands them over when one is.
#pragma once

#include <string>

namespace korbo::ui {

class ChatWindowPort {
public:
    virtual ~ChatWindowPort() = default;
    virtual void Show() = 0;    // the game shows frmChat (not modal)
    virtual void Unload() = 0;  // the network game is over
    virtual void SetText1(const std::string& history) = 0;  // the history box
    virtual std::string Text1() const = 0;
    virtual void ScrollText1ToEnd() = 0;
    virtual void SetCommand1Enabled(bool on) = 0;  // the Send button
    virtual bool Command1Enabled() const = 0;
};

}  // namespace korbo::ui
