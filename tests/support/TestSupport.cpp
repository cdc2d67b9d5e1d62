#include "TestSupport.h"

#include "platform/Files.h"

#include <gtest/gtest.h>

namespace testsupport {

TValue Sz(const std::wstring& name, const std::wstring& text, DWORD type) {
    const auto* bytes = reinterpret_cast<const BYTE*>(text.c_str());
    return {name, type, std::vector<BYTE>(bytes, bytes + (text.size() + 1) * sizeof(wchar_t))};
}

TValue Dword(const std::wstring& name, uint32_t number) {
    const auto* bytes = reinterpret_cast<const BYTE*>(&number);
    return {name, REG_DWORD, std::vector<BYTE>(bytes, bytes + 4)};
}

TValue Raw(const std::wstring& name, DWORD type, std::vector<BYTE> data) {
    return {name, type, std::move(data)};
}

void PlantKey(HKEY root, const std::wstring& path, std::initializer_list<TValue> values) {
    platform::DeleteTree(root, path);
    const platform::TKey key = platform::CreateKey(root, path);
    ASSERT_TRUE(key) << "cannot create the fixture key";
    for (const TValue& value : values) {
        ASSERT_TRUE(platform::WriteBinary(key.get(), value.name.c_str(), value.data.data(),
                                          static_cast<DWORD>(value.data.size()), value.type));
    }
}

void EmptyKey(HKEY root, const std::wstring& path) {
    const platform::TKey key = platform::CreateKey(root, path);
    ASSERT_TRUE(key);
    std::wstring name;
    while (platform::EnumSubKey(key.get(), 0, name))
        ASSERT_TRUE(platform::DeleteTree(key.get(), name));
}

std::wstring WinePath(const std::string& unixPath) {
    std::wstring result = L"Z:";
    for (char c : unixPath)
        result += c == '/' ? L'\\' : static_cast<wchar_t>(static_cast<unsigned char>(c));
    return result;
}

void RemoveFolder(const std::wstring& path) {
    const std::wstring extended = platform::ExtendedPath(path);
    platform::ForEachFound(extended + L"\\*", [&](const WIN32_FIND_DATAW& found) {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..")
            return true;
        const std::wstring child = extended + L'\\' + name;
        SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            DeleteFileW(child.c_str());
        else if (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)
            RemoveDirectoryW(child.c_str()) || DeleteFileW(child.c_str());
        else
            RemoveFolder(child);
        return true;
    });
    RemoveDirectoryW(extended.c_str());
}

std::wstring FreshFolder(const std::wstring& name) {
    const std::wstring path = L"C:\\VarnookTests\\" + name;
    RemoveFolder(path);
    CreateDirectoryW(L"C:\\VarnookTests", nullptr);
    EXPECT_TRUE(CreateDirectoryW(path.c_str(), nullptr));
    return path;
}

void WriteFile(const std::wstring& path, size_t bytes) {
    platform::TFileHandle file(CreateFileW(platform::ExtendedPath(path).c_str(), GENERIC_WRITE, 0, nullptr,
                                           CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(file) << "cannot create the fixture file";
    const std::vector<char> data(bytes, 'x');
    DWORD written = 0;
    ASSERT_TRUE(::WriteFile(file.get(), data.data(), static_cast<DWORD>(data.size()), &written, nullptr));
}

}  // namespace testsupport
