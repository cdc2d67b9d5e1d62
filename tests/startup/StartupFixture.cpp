#include "StartupFixture.h"

#include "gui/startup/StartupRules.h"
#include "gui/startup/StartupStore.h"
#include "platform/Files.h"

#include <shlobj.h>

namespace startuptest {

namespace {

std::string Narrow(const std::wstring& text) {
    std::string result;
    for (wchar_t c : text)
        result += c < 128 ? static_cast<char>(c) : '?';
    return result;
}

std::wstring FolderPath(int csidl) {
    wchar_t path[MAX_PATH] = {};
    EXPECT_EQ(SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path), S_OK);
    return std::wstring(path) + L"\\";
}

}  // namespace

void PrintTo(const TRow& row, std::ostream* out) {
    *out << "{" << Narrow(row.name) << " | " << Narrow(row.command) << " | " << Narrow(row.location) << " | "
         << (row.enabled ? "checked" : "unchecked") << "}";
}

void PrintTo(const TStored& value, std::ostream* out) {
    *out << "{type " << value.type << " | " << Narrow(value.text) << "}";
}

void StartupTest::SetUp() {
    GuiTest::SetUp();
    user_ = FolderPath(CSIDL_STARTUP);
    common_ = FolderPath(CSIDL_COMMON_STARTUP);
    CleanAll();
}

void StartupTest::TearDown() {
    GuiTest::TearDown();
    CleanAll();
}

void StartupTest::CleanAll() {
    // Windows always has the Run keys themselves; the others may be missing.
    for (HKEY hive : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
        for (const wchar_t* path : varnook::startup::kRunKeyPaths)
            platform::DeleteTree(hive, path);
        EXPECT_TRUE(platform::CreateKey(hive, varnook::startup::kRunKey));
    }
    for (int csidl : {CSIDL_STARTUP, CSIDL_COMMON_STARTUP}) {
        const std::wstring folder = FolderPath(csidl);
        testsupport::RemoveFolder(folder.substr(0, folder.size() - 1));
        SHCreateDirectoryExW(nullptr, folder.c_str(), nullptr);
    }
}

std::vector<TRow> StartupTest::Rows() const {
    std::vector<TRow> rows;
    for (int row = 0; row < form_->StartupItemCount(); ++row) {
        const auto item = form_->StartupItem(row);
        rows.push_back({item.Name, item.Command, item.Location, item.Enabled});
    }
    return rows;
}

int StartupTest::FindRow(const std::wstring& name, bool enabled, const std::wstring& location) const {
    const std::vector<TRow> rows = Rows();
    for (size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].name == name && rows[i].enabled == enabled && (location.empty() || rows[i].location == location))
            return static_cast<int>(i);
    }
    return -1;
}

void StartupTest::SetChecked(int row, bool checked) const {
    LVITEMW item{};
    item.stateMask = LVIS_STATEIMAGEMASK;
    item.state = INDEXTOSTATEIMAGEMASK(checked ? 2 : 1);
    SendMessageW(form_->lsvStartupList.Handle(), LVM_SETITEMSTATE, static_cast<WPARAM>(row),
                 reinterpret_cast<LPARAM>(&item));
}

void StartupTest::Select(int row, bool selected) const {
    LVITEMW item{};
    item.stateMask = LVIS_SELECTED;
    item.state = selected ? LVIS_SELECTED : 0;
    SendMessageW(form_->lsvStartupList.Handle(), LVM_SETITEMSTATE, static_cast<WPARAM>(row),
                 reinterpret_cast<LPARAM>(&item));
}

std::wstring StartupTest::Location(HKEY hive, const std::wstring& path) {
    return (hive == HKEY_LOCAL_MACHINE ? L"HKLM\\" : L"HKCU\\") + path;
}

std::optional<TStored> StartupTest::ReadValue(HKEY hive, const std::wstring& path, const std::wstring& name) {
    const platform::TKey key = platform::OpenKey(hive, path);
    if (!key)
        return std::nullopt;
    std::vector<BYTE> data(4096);
    DWORD type = 0;
    DWORD size = 0;
    if (!platform::QueryValue(key.get(), name.c_str(), data.data(), static_cast<DWORD>(data.size()), type, size))
        return std::nullopt;
    data.resize(size);
    return TStored{type, varnook::startup::TextOfValueData(data)};
}

std::vector<std::wstring> StartupTest::ValueNames(HKEY hive, const std::wstring& path) {
    std::vector<std::wstring> names;
    const platform::TKey key = platform::OpenKey(hive, path);
    platform::TRegValue value;
    for (DWORD index = 0; key && platform::EnumValue(key.get(), index, 4096, value); ++index)
        names.push_back(value.name);
    return names;
}

std::vector<char> StartupTest::ReadBytes(const std::wstring& path) {
    platform::TFileHandle file(
        CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    std::vector<char> bytes;
    if (!file)
        return bytes;
    bytes.resize(GetFileSize(file.get(), nullptr));
    DWORD read = 0;
    ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    bytes.resize(read);
    return bytes;
}

bool StartupTest::Exists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace startuptest
