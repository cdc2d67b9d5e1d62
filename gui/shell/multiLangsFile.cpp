#include "multiLangs.h"

#include "ProfileFile.h"
#include "globals.h"
#include "platform/Files.h"

namespace varnook {

namespace {

constexpr wchar_t kLanguageSection[] = L"Language";

}  // namespace

bool WriteDefaultLanguage() {
    const std::wstring& path = Globals().LanguagePath;
    try {
        for (const TLangKey& key : LangKeys()) {
            const std::wstring& text = Lang(key.id);
            WriteProfileText(path, kLanguageSection, key.fileKey,
                             key.lineBreaks ? ConvertLineBreaks(text, false) : QuoteProfileValue(text));
        }
    } catch (const std::exception&) {
        return false;
    }
    return true;
}

bool LoadLanguage() {
    const std::wstring& path = Globals().LanguagePath;
    if (!FileExists(path) && !WriteDefaultLanguage()) {
        ShowSaveFileFailed(path);
        return false;
    }
    try {
        for (const TLangKey& key : LangKeys()) {
            const std::wstring value = ReadProfileText(path, kLanguageSection, key.readKey, Lang(key.id));
            SetLang(key.id, key.lineBreaks ? ConvertLineBreaks(value, true) : value);
        }
    } catch (const std::exception&) {
        return false;
    }
    return true;
}

std::vector<std::wstring> LanguageFiles() {
    std::vector<std::wstring> files;
    platform::ForEachFound(Globals().LangsPath + L"*.ini", [&](const WIN32_FIND_DATAW& found) {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            files.emplace_back(found.cFileName);
        return true;
    });
    return files;
}

}  // namespace varnook
