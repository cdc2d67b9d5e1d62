#include "LeftoverFixture.h"

#include "platform/Files.h"

#include <gtest/gtest.h>

namespace leftovertest {

namespace {

const wchar_t* const kCanaries[] = {L"canary-a.txt", L"sub\\canary-b.txt"};

}  // namespace

std::wstring LinkFixture(const std::wstring& name) {
    const std::wstring root = L"C:\\VarnookFixtures\\Leftovers";
    return name.empty() ? root : root + L"\\" + name;
}

bool Exists(const std::wstring& path) {
    return GetFileAttributesW(platform::ExtendedPath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

void MakeFolder(const std::wstring& path) {
    ASSERT_TRUE(CreateDirectoryW(platform::ExtendedPath(path).c_str(), nullptr) ||
                GetLastError() == ERROR_ALREADY_EXISTS)
        << "cannot create the fixture folder";
}

void SetAttributes(const std::wstring& path, DWORD attributes) {
    ASSERT_TRUE(SetFileAttributesW(platform::ExtendedPath(path).c_str(), attributes));
}

TCanaryDirectory::TCanaryDirectory(const std::wstring& name) : path_(testsupport::FreshFolder(name)) {
    MakeFolder(path_ + L"\\sub");
    for (const wchar_t* canary : kCanaries)
        testsupport::WriteFile(path_ + L"\\" + canary, 6);
    wchar_t previous[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, previous);
    previous_ = previous;
    EXPECT_TRUE(SetCurrentDirectoryW(path_.c_str()));
}

TCanaryDirectory::~TCanaryDirectory() {
    for (const wchar_t* canary : kCanaries)
        EXPECT_TRUE(Exists(path_ + L"\\" + canary)) << "the current directory lost " << canary;
    SetCurrentDirectoryW(previous_.c_str());
    testsupport::RemoveFolder(path_);
}

}  // namespace leftovertest
