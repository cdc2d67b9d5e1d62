#pragma once

#include "ToolsRules.h"

#include "gui/widgets/Controls.h"
#include "platform/Handles.h"

#include <optional>
#include <string>
#include <vector>

namespace varnook {

// A progress bar drawn by the program, with its position as a percentage in the middle.
class TProgressBar : public TWindow {
public:
    void Create(HWND parent, const RECT& bounds);
    void SetPosition(int position);
    int Position() const { return position_; }

protected:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Paint(HDC dc) override;
    platform::TFont font_;
    int position_ = 0;
};

// The backup dialog: writes one .reg file per uninstall entry into the backup folder through regedit, a few
// exports at a time, driven by its timer so that it stays responsive, and says how it went. Closing it
// cancels the exports that have not started.
class TProgressForm : public TWindow {
public:
    // Exports that run at the same time.
    static constexpr size_t kMaxRunning = 3;
    static constexpr UINT_PTR TimerBackup = 1;
    static constexpr UINT kTimerMilliseconds = 100;

    void Create(HWND owner);
    void FormCreate();
    void FormShow();
    void ShowModal();
    void Close();
    bool Closed() const { return closed_; }
    void TimerBackupTimer();

    TPicture ImageBK;
    // The info text, drawn centred over the picture.
    struct TInfoLabel {
        RECT bounds;
        std::wstring text;
    } lblInfo{{20, 40, 371, 96}, {}};
    TProgressBar ProgressBar;

protected:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // One regedit export in flight, and what its file looked like before it started.
    struct TExport {
        platform::THandle process;
        std::wstring file;
        std::optional<FILETIME> before;
    };

    // Reads the uninstall entries and starts the run; false when the backup cannot run.
    bool Prepare();
    void CollectFinished();
    void StartExports();
    void Finish();
    void StopTimer();
    void EndWithMessage(const std::wstring& text, UINT flags);
    void Paint(HDC dc) override;

    HWND owner_ = nullptr;
    bool closed_ = false;
    bool timerOn_ = false;
    bool inTick_ = false;
    std::wstring folder_;
    std::vector<std::wstring> subkeys_;
    std::optional<TBackupPlan> plan_;
    std::vector<TExport> running_;
    platform::TFont infoFont_;
};

}  // namespace varnook
