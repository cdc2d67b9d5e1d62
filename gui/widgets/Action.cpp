#include "Action.h"

#include "ArButton.h"

namespace varnook {

void TAction::SetEnabled(bool enabled) {
    enabled_ = enabled;
    for (TArButton* button : buttons_)
        button->Enable(enabled);
}

void TAction::Bind(TArButton& button) {
    buttons_.push_back(&button);
    button.Enable(enabled_);
    button.OnClick = [this] { Execute(); };
}

void TAction::Unbind(TArButton& button) {
    std::erase(buttons_, &button);
    button.OnClick = nullptr;
}

void TAction::Execute() {
    if (enabled_ && OnExecute)
        OnExecute();
}

}  // namespace varnook
