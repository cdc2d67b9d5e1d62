#pragma once

#include <windows.h>

#include <functional>
#include <vector>

namespace varnook {

class TArButton;

// One command that buttons, menu entries and shortcuts share: its handler, enabled and checked states and
// the index of its icon in the window's image list (-1: none).
class TAction {
public:
    TAction(UINT id, int imageIndex = -1) : id_(id), imageIndex_(imageIndex) {}

    UINT Id() const { return id_; }
    int ImageIndex() const { return imageIndex_; }
    bool Enabled() const { return enabled_; }
    bool Checked() const { return checked_; }
    void SetEnabled(bool enabled);
    void SetChecked(bool checked) { checked_ = checked; }

    // A button whose enabled state follows the action and whose click runs it.
    void Bind(TArButton& button);
    // Releases a button bound with Bind (it keeps its state and runs nothing until bound again).
    void Unbind(TArButton& button);
    // Runs the handler when the action is enabled.
    void Execute();

    std::function<void()> OnExecute;

private:
    UINT id_;
    int imageIndex_;
    bool enabled_ = true;
    bool checked_ = false;
    std::vector<TArButton*> buttons_;
};

}  // namespace varnook
