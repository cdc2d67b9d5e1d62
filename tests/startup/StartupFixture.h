#pragma once

#include "tests/gui/GuiFixture.h"

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace startuptest {

inline const std::wstring kRun = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
inline const std::wstring kRunOnce = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
inline const std::wstring kRunOnceSetup = kRunOnce + L"\\Setup";
inline const std::wstring kRunOnceEx = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnceEx";
inline const std::wstring kDisabled = L"\\Run_Disable";

// A row as the list shows it.
struct TRow {
    std::wstring name, command, location;
    bool enabled = true;
    bool operator==(const TRow&) const = default;
};
void PrintTo(const TRow& row, std::ostream* out);

// A registry value read back: its type and its data as text.
struct TStored {
    DWORD type;
    std::wstring text;
    bool operator==(const TStored&) const = default;
};
void PrintTo(const TStored& value, std::ostream* out);

// The startup page against the real run keys and Startup folders of the test prefix: the run keys of both
// hives (but for an empty Run key) and the contents of both Startup folders go before and after each test.
class StartupTest : public guitest::GuiTest {
protected:
    void SetUp() override;
    void TearDown() override;
    static void CleanAll();

    std::vector<TRow> Rows() const;
    // The first row with this name and check state (and location, unless empty), or -1.
    int FindRow(const std::wstring& name, bool enabled, const std::wstring& location = {}) const;
    void SetChecked(int row, bool checked) const;
    void Select(int row, bool selected) const;

    static std::wstring Location(HKEY hive, const std::wstring& path);
    static std::optional<TStored> ReadValue(HKEY hive, const std::wstring& path, const std::wstring& name);
    static std::vector<std::wstring> ValueNames(HKEY hive, const std::wstring& path);
    static std::vector<char> ReadBytes(const std::wstring& path);
    static bool Exists(const std::wstring& path);

    // The Startup folders, ending in a backslash.
    std::wstring user_, common_;
};

}  // namespace startuptest
