#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace varnook {

// The uninstall root as the program opens it, and as regedit's command line names it (hive spelled out).
inline constexpr wchar_t kUninstallKeyPath[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
inline constexpr wchar_t kUninstallKeyName[] =
    L"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
// Where regedit remembers the key it shows when it starts.
inline constexpr wchar_t kRegeditSettingsPath[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Regedit";

inline constexpr wchar_t kRegistryFileFilter[] = L"Registration Files(*.reg)|*.reg";
inline constexpr wchar_t kTextFileFilter[] = L"Text File (*.txt)|*.txt";

// A path split after its last backslash: the folder keeps the backslash ("C:\" for a file at a root).
struct TPathParts {
    std::wstring folder;
    std::wstring name;
};
TPathParts SplitPath(const std::wstring& path);

// regedit's parameters: export of one uninstall subkey to a file named without its folder (started in that
// folder), import of such a file, and the backup's export with the full file path.
std::wstring ExportParameters(const std::wstring& fileName, const std::wstring& registryName);
std::wstring ImportParameters(const std::wstring& fileName);
std::wstring BackupParameters(const std::wstring& folder, const std::wstring& subkey);
// The backup file of a subkey in `folder` (which ends with a backslash).
std::wstring BackupFile(const std::wstring& folder, const std::wstring& subkey);

// The Run dialog's title: at most 259 characters, never ending in half of a surrogate pair.
std::wstring RunDialogTitle(const std::wstring& text);

// The progress bar after `finished` of `total` exports: i * 100 / (n - 1) for the i-th (from 0) to end,
// 100 at once for a single one.
int BackupProgress(size_t finished, size_t total);

// The order of a backup run: which export starts next, with at most `maxRunning` at a time, which have
// ended and how; cancelling drops what has not started.
class TBackupPlan {
public:
    TBackupPlan(size_t total, size_t maxRunning);

    // The index of the next export to start, or `npos` while the limit is reached, after cancelling, or
    // when all have started.
    static constexpr size_t npos = static_cast<size_t>(-1);
    size_t NextToStart();
    // A started export has ended; `written` says whether its file came out.
    void Finished(bool written);
    void Cancel();

    size_t Total() const { return total_; }
    size_t Running() const { return running_; }
    size_t Failed() const { return failed_; }
    int Progress() const { return BackupProgress(finished_, total_); }
    // Nothing runs and nothing more will start.
    bool Done() const;
    bool Cancelled() const { return cancelled_; }

private:
    size_t total_;
    size_t maxRunning_;
    size_t started_ = 0;
    size_t running_ = 0;
    size_t finished_ = 0;
    size_t failed_ = 0;
    bool cancelled_ = false;
};

// The backup's closing texts when it could not run or not every file was written. The language table has
// no entries for these, so they are fixed.
inline constexpr wchar_t kBackupNoKeyText[] = L"The registry info of the installed software could not be read.";
inline constexpr wchar_t kBackupNoEntriesText[] = L"There is no registry info of installed software to back up.";
std::wstring BackupFailedText(size_t failed, size_t total);

// What the report states beside the program list's rows.
struct TReportFacts {
    std::wstring computerName;
    std::wstring userName;
    std::wstring programCounts;
    std::wstring createdIn;
    std::wstring createdBy;
};
// The lines of the program list report for the rows' captions in the list's order, with the language
// texts in effect.
std::vector<std::wstring> ReportLines(const TReportFacts& facts, const std::vector<std::wstring>& captions);

// The lines of a text box's text: CR LF, a lone CR or a lone LF ends a line; a break at the very end
// opens no further line.
std::vector<std::wstring> SplitLines(const std::wstring& text);
// Lines joined by CR LF, with none after the last (a text box's text) or after every one (a file).
std::wstring JoinLines(const std::vector<std::wstring>& lines);
std::wstring FileText(const std::vector<std::wstring>& lines);

}  // namespace varnook
