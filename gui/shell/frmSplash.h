#pragma once

#include "gui/widgets/Controls.h"

namespace varnook {

// The window shown for 1.5 seconds before the main window: the skin's splash picture and a two-line notice.
// Nothing but its timer closes it.
class TSplashForm : public TWindow {
public:
    static constexpr UINT kShowMilliseconds = 1500;

    void Create();
    void FormCreate();
    void ShowModal();
    bool Closed() const { return closed_; }

    TPicture imgBackground;
    TLabel lblCopyright;

protected:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void tmrShowTimer();
    bool closed_ = false;
};

// Shows the splash modally; the main window may appear afterwards.
void ShowSplash();

}  // namespace varnook
