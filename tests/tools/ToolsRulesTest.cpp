#include "gui/tools/ToolsRules.h"

#include "gui/shell/multiLangs.h"

#include <gtest/gtest.h>

using namespace varnook;

namespace {

constexpr wchar_t kRoot[] = L"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

}  // namespace

TEST(ToolsRules, RegeditCommandLines) {
    const std::wstring guid = L"{6F2A1C3E-0B7D-4E59-9A21-3C4D5E6F7A8B}";
    EXPECT_EQ(ExportParameters(guid + L".reg", guid), L" /e \"" + guid + L".reg\" \"" + kRoot + guid + L"\"");
    EXPECT_EQ(ImportParameters(L"My Backup.reg"), L" \"My Backup.reg\"");
    // The backup names the file with its folder and has no leading blank.
    EXPECT_EQ(BackupParameters(L"C:\\App\\Back up\\reg\\", L"Some App"),
              L"/e \"C:\\App\\Back up\\reg\\Some App.reg\" \"" + std::wstring(kRoot) + L"Some App\"");
}

TEST(ToolsRules, SplitPathKeepsTheFoldersBackslash) {
    const struct {
        const wchar_t* path;
        const wchar_t* folder;
        const wchar_t* name;
    } cases[] = {
        {L"C:\\Back up\\reg\\{GUID}.reg", L"C:\\Back up\\reg\\", L"{GUID}.reg"},
        {L"C:\\x.reg", L"C:\\", L"x.reg"},
        {L"\\\\server\\share\\x.reg", L"\\\\server\\share\\", L"x.reg"},
        {L"x.reg", L"", L"x.reg"},
    };
    for (const auto& c : cases) {
        const TPathParts parts = SplitPath(c.path);
        EXPECT_EQ(parts.folder, c.folder) << c.path;
        EXPECT_EQ(parts.name, c.name) << c.path;
    }
}

TEST(ToolsRules, RunDialogTitleIsCutTo259Characters) {
    EXPECT_EQ(RunDialogTitle(L"New Program"), L"New Program");
    EXPECT_EQ(RunDialogTitle(std::wstring(259, L'a')).size(), 259u);
    EXPECT_EQ(RunDialogTitle(std::wstring(300, L'a')), std::wstring(259, L'a'));
    // A surrogate pair across the limit goes whole.
    const std::wstring pair = std::wstring(258, L'a') + L"\xD83D\xDE00" + L"tail";
    EXPECT_EQ(RunDialogTitle(pair), std::wstring(258, L'a'));
}

TEST(ToolsRules, BackupProgressReadsOneStepPerEndedExport) {
    const struct {
        size_t total;
        std::vector<int> steps;  // after each ended export
    } cases[] = {
        {1, {100}},
        {2, {0, 100}},
        {3, {0, 50, 100}},
        {4, {0, 33, 66, 100}},
    };
    for (const auto& c : cases) {
        TBackupPlan plan(c.total, 2);
        EXPECT_EQ(plan.Progress(), 0);
        std::vector<int> steps;
        while (!plan.Done()) {
            while (plan.NextToStart() != TBackupPlan::npos) {
            }
            plan.Finished(true);
            steps.push_back(plan.Progress());
        }
        EXPECT_EQ(steps, c.steps) << c.total << " exports";
        EXPECT_EQ(plan.Failed(), 0u);
    }
}

TEST(ToolsRules, BackupPlanKeepsItsLimitCountsFailuresAndCancels) {
    TBackupPlan plan(5, 2);
    EXPECT_EQ(plan.NextToStart(), 0u);
    EXPECT_EQ(plan.NextToStart(), 1u);
    EXPECT_EQ(plan.NextToStart(), TBackupPlan::npos) << "two run at a time";
    plan.Finished(false);
    EXPECT_EQ(plan.NextToStart(), 2u);
    plan.Finished(true);
    plan.Finished(true);
    EXPECT_FALSE(plan.Done());
    EXPECT_EQ(plan.Failed(), 1u);

    // Cancelling starts nothing more; the run is over once the running export has ended.
    EXPECT_EQ(plan.NextToStart(), 3u);
    plan.Cancel();
    EXPECT_EQ(plan.NextToStart(), TBackupPlan::npos);
    EXPECT_FALSE(plan.Done());
    plan.Finished(true);
    EXPECT_TRUE(plan.Done());
    EXPECT_LT(plan.Progress(), 100) << "a cancelled run never reads complete";
}

TEST(ToolsRules, ReportLinesFrameTheRows) {
    ResetLanguage();
    const TReportFacts facts{L"WORKSTATION-015", L"alice", L"2", L"1/2/2026 10:11:12", L"C:\\App\\Varnook.exe"};
    const std::vector<std::wstring> lines = ReportLines(facts, {L"Alpha", L"[Beta.scr]"});
    const std::vector<std::wstring> expected{
        L"Varnook Application Report",
        L"",
        L"",
        L"=======================",
        L"Computer Name : WORKSTATION-015",
        L"User Name : alice",
        L"Programs : 2",
        L"Created In : 1/2/2026 10:11:12",
        L"Created By : C:\\App\\Varnook.exe",
        L"=======================",
        L"",
        L"",
        L"Programs installed on your computer:",
        L"----------------------",
        L"1 - Alpha",
        L"2 - [Beta.scr]",
        L"----------------------",
    };
    EXPECT_EQ(lines, expected);

    const std::vector<std::wstring> empty = ReportLines(facts, {});
    ASSERT_EQ(empty.size(), 15u);
    EXPECT_EQ(empty[13], empty[14]);
    EXPECT_EQ(empty[14], L"----------------------");

    // The fixed texts come from the language in effect.
    SetLang(IDS_PRINTFORM_MEMO_Title, L"Bericht von %s");
    SetLang(IDS_PRINTFORM_MEMO_UserName, L"Benutzer: ");
    const std::vector<std::wstring> german = ReportLines(facts, {});
    EXPECT_EQ(german[0], L"Bericht von Varnook");
    EXPECT_EQ(german[5], L"Benutzer: alice");
    ResetLanguage();
}

TEST(ToolsRules, TextLinesAndFiles) {
    const struct {
        const wchar_t* text;
        std::vector<std::wstring> lines;
    } cases[] = {
        {L"", {}},
        {L"one", {L"one"}},
        {L"one\r\ntwo", {L"one", L"two"}},
        {L"one\r\ntwo\r\n", {L"one", L"two"}},
        {L"one\r\n\r\n", {L"one", L""}},
        {L"\r\n", {L""}},
        {L"a\nb\rc", {L"a", L"b", L"c"}},
        {L"a\n\rb", {L"a", L"", L"b"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SplitLines(c.text), c.lines) << c.text;

    EXPECT_EQ(JoinLines({L"a", L"", L"b"}), L"a\r\n\r\nb");
    EXPECT_EQ(FileText({L"a", L"", L"b"}), L"a\r\n\r\nb\r\n");
    EXPECT_EQ(FileText({}), L"");
    EXPECT_EQ(SplitLines(JoinLines({L"x", L"", L"y"})), (std::vector<std::wstring>{L"x", L"", L"y"}));
}
