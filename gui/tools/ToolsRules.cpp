#include "ToolsRules.h"

#include "gui/shell/funUtils.h"
#include "gui/shell/globals.h"
#include "gui/shell/multiLangs.h"

namespace varnook {

namespace {

std::wstring Quoted(const std::wstring& text) {
    return L"\"" + text + L"\"";
}

constexpr wchar_t kEquals[] = L"=======================";
constexpr wchar_t kHyphens[] = L"----------------------";

}  // namespace

TPathParts SplitPath(const std::wstring& path) {
    const size_t slash = path.find_last_of(L'\\');
    if (slash == std::wstring::npos)
        return {{}, path};
    return {path.substr(0, slash + 1), path.substr(slash + 1)};
}

std::wstring ExportParameters(const std::wstring& fileName, const std::wstring& registryName) {
    return L" /e " + Quoted(fileName) + L" " + Quoted(kUninstallKeyName + registryName);
}

std::wstring ImportParameters(const std::wstring& fileName) {
    return L" " + Quoted(fileName);
}

std::wstring BackupFile(const std::wstring& folder, const std::wstring& subkey) {
    return folder + subkey + L".reg";
}

std::wstring BackupParameters(const std::wstring& folder, const std::wstring& subkey) {
    return L"/e " + Quoted(BackupFile(folder, subkey)) + L" " + Quoted(kUninstallKeyName + subkey);
}

std::wstring RunDialogTitle(const std::wstring& text) {
    constexpr size_t kLimit = 259;
    if (text.size() <= kLimit)
        return text;
    size_t length = kLimit;
    if (text[length - 1] >= 0xD800 && text[length - 1] <= 0xDBFF)
        --length;
    return text.substr(0, length);
}

int BackupProgress(size_t finished, size_t total) {
    if (finished == 0)
        return 0;
    if (total <= 1)
        return 100;
    return static_cast<int>((finished - 1) * 100 / (total - 1));
}

TBackupPlan::TBackupPlan(size_t total, size_t maxRunning) : total_(total), maxRunning_(maxRunning) {}

size_t TBackupPlan::NextToStart() {
    if (cancelled_ || started_ == total_ || running_ >= maxRunning_)
        return npos;
    ++running_;
    return started_++;
}

void TBackupPlan::Finished(bool written) {
    if (running_ == 0)
        return;
    --running_;
    ++finished_;
    if (!written)
        ++failed_;
}

void TBackupPlan::Cancel() {
    cancelled_ = true;
}

bool TBackupPlan::Done() const {
    return running_ == 0 && (cancelled_ || finished_ == total_);
}

std::wstring BackupFailedText(size_t failed, size_t total) {
    return L"Backup registry info failed for " + std::to_wstring(failed) + L" of " + std::to_wstring(total) +
           L" programs.";
}

std::vector<std::wstring> ReportLines(const TReportFacts& facts, const std::vector<std::wstring>& captions) {
    std::vector<std::wstring> lines{
        FormatText(Lang(IDS_PRINTFORM_MEMO_Title), kApplicationTitle),
        L"",
        L"",
        kEquals,
        Lang(IDS_PRINTFORM_MEMO_ComputerName) + facts.computerName,
        Lang(IDS_PRINTFORM_MEMO_UserName) + facts.userName,
        Lang(IDS_PRINTFORM_MEMO_Programs) + facts.programCounts,
        Lang(IDS_PRINTFORM_MEMO_CreatedIn) + facts.createdIn,
        Lang(IDS_PRINTFORM_MEMO_CreatedBy) + facts.createdBy,
        kEquals,
        L"",
        L"",
        Lang(IDS_PRINTFORM_MEMO_InstalledPL),
        kHyphens,
    };
    for (size_t row = 0; row < captions.size(); ++row)
        lines.push_back(std::to_wstring(row + 1) + L" - " + captions[row]);
    lines.push_back(kHyphens);
    return lines;
}

std::vector<std::wstring> SplitLines(const std::wstring& text) {
    std::vector<std::wstring> lines;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find_first_of(L"\r\n", start);
        if (end == std::wstring::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + (text.compare(end, 2, L"\r\n") == 0 ? 2 : 1);
    }
    return lines;
}

std::wstring JoinLines(const std::vector<std::wstring>& lines) {
    std::wstring text;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i > 0)
            text += L"\r\n";
        text += lines[i];
    }
    return text;
}

std::wstring FileText(const std::vector<std::wstring>& lines) {
    std::wstring text;
    for (const std::wstring& line : lines)
        text += line + L"\r\n";
    return text;
}

}  // namespace varnook
