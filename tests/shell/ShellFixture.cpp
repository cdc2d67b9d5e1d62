#include "ShellFixture.h"

#include "gui/shell/funUtils.h"
#include "gui/shell/globals.h"
#include "gui/shell/multiLangs.h"
#include "gui/shell/multiSkins.h"
#include "platform/Handles.h"
#include "tests/support/TestSupport.h"

namespace shelltest {

void ShellTest::SetUp() {
    varnook::Globals().Reset();
    varnook::ResetLanguage();
    varnook::ResetSkin();
    varnook::SetPrompt(&prompt_);
    CreateDirectoryW(L"C:\\VarnookTests", nullptr);
    CreateDirectoryW(L"C:\\VarnookTests\\shell", nullptr);
    const std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    // Parameterised tests are named "Case/0": keep the folder name flat.
    std::wstring folder = L"shell\\";
    for (char c : name)
        folder += c == '/' ? L'_' : static_cast<wchar_t>(c);
    folder_ = testsupport::FreshFolder(folder) + L"\\";
}

void ShellTest::TearDown() {
    varnook::SetPrompt(nullptr);
}

void WriteText(const std::wstring& path, const std::string& text) {
    platform::TFileHandle file(
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(file) << "cannot create the fixture file";
    DWORD written = 0;
    ASSERT_TRUE(WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr));
}

std::vector<std::wstring> FileLines(const std::wstring& path) {
    platform::TFileHandle file(
        CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    EXPECT_TRUE(file) << "missing file";
    if (!file)
        return {};
    std::string bytes(GetFileSize(file.get(), nullptr), '\0');
    DWORD read = 0;
    EXPECT_TRUE(ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr));
    std::wstring text;
    if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
        static_cast<unsigned char>(bytes[1]) == 0xFE) {
        text.assign(reinterpret_cast<const wchar_t*>(bytes.data() + 2), (bytes.size() - 2) / sizeof(wchar_t));
    } else {
        text.resize(bytes.size());
        text.resize(MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(),
                                        static_cast<int>(text.size())));
    }
    std::vector<std::wstring> lines;
    for (std::wstring& line : varnook::SplitText(text, L'\n', false)) {
        if (!line.empty() && line.back() == L'\r')
            line.pop_back();
        lines.push_back(std::move(line));
    }
    if (!lines.empty() && lines.back().empty())
        lines.pop_back();
    return lines;
}

TKeyLine SplitKeyLine(const std::wstring& line) {
    const size_t equals = line.find(L'=');
    if (equals == std::wstring::npos)
        return {varnook::TrimText(line), L""};
    return {varnook::TrimText(line.substr(0, equals)), varnook::TrimText(line.substr(equals + 1))};
}

}  // namespace shelltest
