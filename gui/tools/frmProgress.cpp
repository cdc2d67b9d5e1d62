#include "frmProgress.h"

#include "Regedit.h"

#include "gui/shell/funUtilsControls.h"
#include "gui/shell/globals.h"
#include "gui/shell/multiLangs.h"
#include "gui/shell/multiSkins.h"
#include "gui/widgets/Modal.h"
#include "gui/widgets/Paint.h"
#include "gui/widgets/Prompt.h"
#include "platform/Registry.h"

#include <shlobj.h>

namespace varnook {

namespace {

RECT Area(int left, int top, int width, int height) {
    return RECT{left, top, left + width, top + height};
}

std::optional<WIN32_FILE_ATTRIBUTE_DATA> FileState(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return std::nullopt;
    return data;
}

std::optional<FILETIME> LastWrite(const std::wstring& path) {
    const auto state = FileState(path);
    return state ? std::optional(state->ftLastWriteTime) : std::nullopt;
}

// The export wrote its file: it is there, not empty, and not the one an earlier backup left.
bool Written(const std::wstring& path, const std::optional<FILETIME>& before) {
    const auto state = FileState(path);
    if (!state || (state->nFileSizeLow == 0 && state->nFileSizeHigh == 0))
        return false;
    return !before || CompareFileTime(&state->ftLastWriteTime, &*before) != 0;
}

// Raises a flag for as long as it lives.
class TFlagScope {
public:
    explicit TFlagScope(bool& flag) : flag_(flag) { flag_ = true; }
    ~TFlagScope() { flag_ = false; }
    TFlagScope(const TFlagScope&) = delete;
    TFlagScope& operator=(const TFlagScope&) = delete;

private:
    bool& flag_;
};

// Creates a folder and its missing parents.
void CreateFolders(std::wstring folder) {
    while (folder.size() > 3 && folder.back() == L'\\')
        folder.pop_back();
    SHCreateDirectoryExW(nullptr, folder.c_str(), nullptr);
}

}  // namespace

void TProgressBar::Create(HWND parent, const RECT& bounds) {
    CreateWindowOfClass(L"TProgressBar", 0, 0, WS_CHILD | WS_VISIBLE, parent, bounds);
    font_ = CreatePointFont(L"MS Sans Serif", 8, true);
}

void TProgressBar::SetPosition(int position) {
    position_ = position < 0 ? 0 : position > 100 ? 100 : position;
    Invalidate();
}

void TProgressBar::Paint(HDC dc) {
    RECT client;
    GetClientRect(Handle(), &client);
    TBufferedPaint buffer(dc, client);
    const HDC target = buffer.Dc();
    FillRect(target, &client, GetSysColorBrush(COLOR_BTNSHADOW));
    RECT inside = client;
    InflateRect(&inside, -1, -1);
    FillRect(target, &inside, GetSysColorBrush(COLOR_WINDOW));
    RECT done = inside;
    done.right = inside.left + (inside.right - inside.left) * position_ / 100;
    FillRect(target, &done, GetSysColorBrush(COLOR_HIGHLIGHT));

    // The percentage reads in the highlight text colour over the done part and in the window text colour
    // over the rest.
    const std::wstring text = std::to_wstring(position_) + L"%";
    const HGDIOBJ old = SelectObject(target, font_.get());
    SetBkMode(target, TRANSPARENT);
    const RECT parts[] = {done, RECT{done.right, inside.top, inside.right, inside.bottom}};
    const int colours[] = {COLOR_HIGHLIGHTTEXT, COLOR_WINDOWTEXT};
    for (int part = 0; part < 2; ++part) {
        const platform::TGdiObject clip(CreateRectRgnIndirect(&parts[part]));
        SelectClipRgn(target, static_cast<HRGN>(clip.get()));
        SetTextColor(target, GetSysColor(colours[part]));
        DrawTextW(target, text.c_str(), static_cast<int>(text.size()), &inside,
                  DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    SelectClipRgn(target, nullptr);
    SelectObject(target, old);
}

LRESULT TProgressBar::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (const auto painted = PaintMessage(message, wParam))
        return *painted;
    switch (message) {}
    return TWindow::WndProc(message, wParam, lParam);
}

void TProgressForm::Create(HWND owner) {
    owner_ = owner;
    CreateWindowOfClass(L"TProgressForm", 0, WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT,
                        WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, owner, Area(0, 0, 400, 220),
                        L"Backup Progress");
    const SIZE outer = OuterSizeFor(Handle(), 391, 182);
    SetBounds(0, 0, outer.cx, outer.cy);
    ProgressBar.Create(Handle(), Area(30, 112, 331, 22));
    infoFont_ = CreatePointFont(L"MS Sans Serif", 8, false);

    // Centred on the main window.
    RECT mine;
    GetWindowRect(Handle(), &mine);
    RECT centre;
    if (owner && GetWindowRect(owner, &centre)) {
        SetWindowPos(Handle(), nullptr, (centre.left + centre.right - (mine.right - mine.left)) / 2,
                     (centre.top + centre.bottom - (mine.bottom - mine.top)) / 2, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    } else {
        CentreOnScreen(Handle());
    }
    FormCreate();
}

void TProgressForm::FormCreate() {
    SetTimer(Handle(), TimerBackup, kTimerMilliseconds, nullptr);
    timerOn_ = true;
}

void TProgressForm::FormShow() {
    SetText(Lang(IDS_PROGRESSFORM_Title));
    lblInfo.text = Lang(IDS_PROGRESSFORM_LABEL_Info);
    LoadSkinPicture(ImageBK, Skin(SK_PROGRESSFORM_ImageBG_Pic));
    Invalidate();
}

void TProgressForm::ShowModal() {
    FormShow();
    RunModal(Handle(), owner_, closed_);
}

void TProgressForm::Close() {
    if (plan_)
        plan_->Cancel();
    StopTimer();
    closed_ = true;
    Show(false);
}

void TProgressForm::TimerBackupTimer() {
    // Starting a process through the shell may handle messages, this timer's among them.
    if (inTick_)
        return;
    const TFlagScope tick(inTick_);
    try {
        if (!plan_ && !Prepare())
            return;
        CollectFinished();
        StartExports();
        if (plan_->Done())
            Finish();
    } catch (const std::exception&) {
        // The dialog goes; the error is shown by the window's error handler.
        Close();
        throw;
    }
}

bool TProgressForm::Prepare() {
    folder_ = Globals().RegBackupPath;
    CreateFolders(folder_);
    const platform::TKey key = platform::OpenKey(HKEY_LOCAL_MACHINE, kUninstallKeyPath);
    if (!key) {
        EndWithMessage(kBackupNoKeyText, MB_ICONWARNING | MB_OK);
        return false;
    }
    std::wstring name;
    for (DWORD index = 0; platform::EnumSubKey(key.get(), index, name); ++index)
        subkeys_.push_back(name);
    if (subkeys_.empty()) {
        EndWithMessage(kBackupNoEntriesText, MB_ICONINFORMATION | MB_OK);
        return false;
    }
    plan_.emplace(subkeys_.size(), kMaxRunning);
    return true;
}

void TProgressForm::CollectFinished() {
    for (auto job = running_.begin(); job != running_.end();) {
        if (WaitForSingleObject(job->process.get(), 0) == WAIT_TIMEOUT) {
            ++job;
            continue;
        }
        plan_->Finished(Written(job->file, job->before));
        ProgressBar.SetPosition(plan_->Progress());
        job = running_.erase(job);
    }
}

void TProgressForm::StartExports() {
    for (size_t index = plan_->NextToStart(); index != TBackupPlan::npos; index = plan_->NextToStart()) {
        TExport job;
        job.file = BackupFile(folder_, subkeys_[index]);
        job.before = LastWrite(job.file);
        job.process = StartRegedit(Handle(), BackupParameters(folder_, subkeys_[index]));
        if (!job.process) {
            plan_->Finished(false);
            ProgressBar.SetPosition(plan_->Progress());
            continue;
        }
        running_.push_back(std::move(job));
    }
}

void TProgressForm::StopTimer() {
    if (timerOn_)
        KillTimer(Handle(), TimerBackup);
    timerOn_ = false;
}

void TProgressForm::Finish() {
    StopTimer();
    if (plan_->Failed() == 0)
        Prompt().MessageBox(Handle(), Lang(IDS_MESSAGEBOX_MESSAGE_BackupSucceed), MB_OK);
    else
        Prompt().MessageBox(Handle(), BackupFailedText(plan_->Failed(), plan_->Total()), MB_ICONWARNING | MB_OK);
    Close();
}

void TProgressForm::EndWithMessage(const std::wstring& text, UINT flags) {
    StopTimer();
    Prompt().MessageBox(Handle(), text, flags);
    Close();
}

void TProgressForm::Paint(HDC dc) {
    RECT client;
    GetClientRect(Handle(), &client);
    TBufferedPaint buffer(dc, client);
    const HDC target = buffer.Dc();
    FillRect(target, &client, GetSysColorBrush(COLOR_3DDKSHADOW));
    ImageBK.Draw(target, 0, 0);
    const HGDIOBJ old = SelectObject(target, infoFont_.get());
    SetBkMode(target, TRANSPARENT);
    SetTextColor(target, GetSysColor(COLOR_WINDOW));
    RECT text = lblInfo.bounds;
    DrawTextW(target, lblInfo.text.c_str(), static_cast<int>(lblInfo.text.size()), &text,
              DT_CENTER | DT_WORDBREAK | DT_NOPREFIX);
    SelectObject(target, old);
}

LRESULT TProgressForm::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (const auto painted = PaintMessage(message, wParam))
        return *painted;
    switch (message) {
        case WM_TIMER:
            if (wParam == TimerBackup) {
                TimerBackupTimer();
                return 0;
            }
            break;
        case WM_CLOSE:
            Close();
            return 0;
    }
    return TWindow::WndProc(message, wParam, lParam);
}

}  // namespace varnook
