#include "ShellFixture.h"

#include "gui/shell/ProfileFile.h"
#include "gui/shell/funUtils.h"
#include "gui/shell/globals.h"
#include "gui/shell/multiLangs.h"
#include "platform/Files.h"
#include "platform/Handles.h"
#include "tests/support/TestSupport.h"

#include <algorithm>
#include <cwctype>

using namespace shelltest;
using namespace varnook;

namespace {

constexpr wchar_t kSection[] = L"Language";
constexpr wchar_t kMissing[] = L"\x01missing";

// The translations as the build stages them: the Langs folder beside this program.
std::wstring StagedLangsFolder() {
    wchar_t path[MAX_PATH];
    const std::wstring program(path, GetModuleFileNameW(nullptr, path, MAX_PATH));
    return program.substr(0, program.find_last_of(L'\\') + 1) + L"Langs\\";
}

std::vector<std::wstring> IniFilesIn(const std::wstring& folder) {
    std::vector<std::wstring> names;
    platform::ForEachFound(folder + L"*.ini", [&](const WIN32_FIND_DATAW& found) {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.emplace_back(found.cFileName);
        return true;
    });
    std::sort(names.begin(), names.end());
    return names;
}

// The names in a list the profile functions return: each ended by a zero, the list by a second one.
std::vector<std::wstring> ZeroSeparated(const std::vector<wchar_t>& buffer, DWORD length) {
    std::vector<std::wstring> names;
    for (const wchar_t* name = buffer.data(); name < buffer.data() + length && *name; name += wcslen(name) + 1)
        names.emplace_back(name);
    return names;
}

std::vector<std::wstring> SectionNames(const std::wstring& file) {
    std::vector<wchar_t> buffer(4096);
    return ZeroSeparated(
        buffer, GetPrivateProfileSectionNamesW(buffer.data(), static_cast<DWORD>(buffer.size()), file.c_str()));
}

std::vector<std::wstring> KeyNames(const std::wstring& file) {
    std::vector<wchar_t> buffer(65536);
    return ZeroSeparated(buffer, GetPrivateProfileStringW(kSection, nullptr, L"", buffer.data(),
                                                          static_cast<DWORD>(buffer.size()), file.c_str()));
}

std::wstring Lower(std::wstring text) {
    std::transform(text.begin(), text.end(), text.begin(), [](wchar_t c) { return std::towlower(c); });
    return text;
}

size_t Count(const std::wstring& text, const std::wstring& part) {
    size_t count = 0;
    for (size_t at = text.find(part); at != std::wstring::npos; at = text.find(part, at + part.size()))
        ++count;
    return count;
}

// The printf conversions of `text` in their order ("%s", "%.2f"); "%%" is none.
std::vector<std::wstring> Placeholders(const std::wstring& text) {
    std::vector<std::wstring> found;
    for (size_t at = text.find(L'%'); at != std::wstring::npos; at = text.find(L'%', at + 1)) {
        if (at + 1 < text.size() && text[at + 1] == L'%') {
            ++at;
            continue;
        }
        size_t end = at + 1;
        while (end < text.size() && std::wstring_view(L"-+ #0123456789.lhL").find(text[end]) != std::wstring::npos)
            ++end;
        found.push_back(text.substr(at, end + 1 - at));
        at = end;
    }
    return found;
}

bool EndsWith(const std::wstring& text, const std::wstring& end) {
    return TrimText(text).ends_with(end);
}

// What a translated text keeps of the built-in English one. Both come in their file form, line breaks as
// "#13".
struct TTextRule {
    const char* what;
    bool (*holds)(const std::wstring& english, const std::wstring& text);
};

const TTextRule kTextRules[] = {
    {"has a text", [](const std::wstring&, const std::wstring& text) { return !TrimText(text).empty(); }},
    {"has the same placeholders in the same order",
     [](const std::wstring& english, const std::wstring& text) { return Placeholders(english) == Placeholders(text); }},
    // Only four keys turn "#13" into a line break; anywhere else it shows as typed.
    {"has as many \"#13\" as the English text",
     [](const std::wstring& english, const std::wstring& text) {
         return Count(english, L"#13") == Count(text, L"#13");
     }},
    {"ends with a colon where the English text does",
     [](const std::wstring& english, const std::wstring& text) {
         return !EndsWith(english, L":") || EndsWith(text, L":");
     }},
    {"ends with an ellipsis where the English text does",
     [](const std::wstring& english, const std::wstring& text) {
         return !EndsWith(english, L"...") || EndsWith(text, L"...");
     }},
};

struct TShippedFile {
    std::wstring name;
    std::wstring path;
};

void PrintTo(const TShippedFile& file, std::ostream* out) {
    *out << testing::PrintToString(file.name);
}

std::vector<TShippedFile> ShippedFiles() {
    std::vector<TShippedFile> files;
    for (const std::wstring& name : IniFilesIn(StagedLangsFolder()))
        files.push_back({name, StagedLangsFolder() + name});
    return files;
}

std::string TestName(const testing::TestParamInfo<TShippedFile>& info) {
    std::string name;
    for (wchar_t c : LanguageCaption(info.param.name))
        name += std::iswalnum(c) && c < 0x80 ? static_cast<char>(c) : '_';
    return name;
}

TEST(ShippedLanguagesTest, EveryTranslationOfTheSourceIsStagedBesideTheProgram) {
    const std::vector<std::wstring> source = IniFilesIn(testsupport::WinePath(LANGS_SOURCE_DIR) + L"\\");
    EXPECT_FALSE(source.empty());
    EXPECT_EQ(IniFilesIn(StagedLangsFolder()), source);
}

class ShippedLanguageTest : public ShellTest, public testing::WithParamInterface<TShippedFile> {};

TEST_P(ShippedLanguageTest, IsUnicodeWithWindowsLineEnds) {
    platform::TFileHandle file(
        CreateFileW(GetParam().path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(file);
    std::wstring text(GetFileSize(file.get(), nullptr) / sizeof(wchar_t), L'\0');
    DWORD read = 0;
    ASSERT_TRUE(ReadFile(file.get(), text.data(), static_cast<DWORD>(text.size() * sizeof(wchar_t)), &read, nullptr));
    // Only with its byte-order mark is the file read as UTF-16 whatever the system's code page.
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(text[0], L'\xFEFF');
    EXPECT_EQ(Count(text, L"\n"), Count(text, L"\r\n"));
    EXPECT_EQ(Count(text, L"\r"), Count(text, L"\r\n"));
    EXPECT_TRUE(text.ends_with(L"\r\n"));
}

TEST_P(ShippedLanguageTest, HoldsTheKeysOfTheTableAsTheProgramWritesThem) {
    const std::wstring& path = GetParam().path;
    EXPECT_EQ(SectionNames(path), std::vector<std::wstring>{kSection});

    std::vector<std::wstring> table;
    for (const TLangKey& key : LangKeys())
        table.push_back(TrimText(key.fileKey));
    const std::vector<std::wstring> keys = KeyNames(path);
    std::vector<std::wstring> unknown;
    for (const std::wstring& key : keys) {
        if (std::none_of(table.begin(), table.end(),
                         [&](const std::wstring& known) { return Lower(known) == Lower(key); }))
            unknown.push_back(key);
    }
    EXPECT_EQ(unknown, std::vector<std::wstring>{}) << "keys the program never reads";
    // Every key once, spelt and ordered as in the file the program writes.
    const auto [here, expected] = std::mismatch(keys.begin(), keys.end(), table.begin(), table.end());
    EXPECT_TRUE(here == keys.end() && expected == table.end())
        << "key " << (here - keys.begin()) + 1 << " is " << (here == keys.end() ? L"(none)" : *here) << ", expected "
        << (expected == table.end() ? L"(none)" : *expected);
}

TEST_P(ShippedLanguageTest, EveryTextKeepsTheShapeOfTheEnglishOne) {
    for (const TLangKey& key : LangKeys()) {
        const std::wstring text = ReadProfileText(GetParam().path, kSection, key.readKey, kMissing);
        if (text == kMissing) {
            ADD_FAILURE() << key.fileKey << " is missing";
            continue;
        }
        const std::wstring english = ConvertLineBreaks(key.english, false);
        for (const TTextRule& rule : kTextRules)
            EXPECT_TRUE(rule.holds(english, text))
                << key.fileKey << " " << rule.what << "\n  English: " << english << "\n  here:    " << text;
    }
}

TEST_P(ShippedLanguageTest, LoadsWithItsLineBreaks) {
    Globals().LanguagePath = GetParam().path;
    ASSERT_TRUE(LoadLanguage());
    EXPECT_TRUE(prompt_.messages.empty());
    for (const TLangKey& key : LangKeys()) {
        if (!key.lineBreaks)
            continue;
        const std::wstring& text = Lang(key.id);
        EXPECT_EQ(Count(text, L"\r\n"), Count(key.english, L"\r\n")) << key.fileKey;
        EXPECT_EQ(Count(text, L"#13"), 0u) << key.fileKey;
        EXPECT_NE(text, key.english) << key.fileKey << " is still the English text";
    }
}

INSTANTIATE_TEST_SUITE_P(Langs, ShippedLanguageTest, testing::ValuesIn(ShippedFiles()), TestName);

}  // namespace
