#include "VersionInfo.h"

#include <windows.h>

#include <cwchar>

namespace platform {

std::optional<std::vector<std::optional<std::wstring>>> ReadVersionTexts(const std::wstring& path,
                                                                         std::initializer_list<const wchar_t*> names) {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
    if (size == 0)
        return std::nullopt;
    std::vector<BYTE> block(size);
    if (!GetFileVersionInfoW(path.c_str(), 0, size, block.data()))
        return std::nullopt;

    struct TTranslation {
        WORD language;
        WORD codePage;
    };
    TTranslation* translations = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translations),
                        &length) ||
        length < sizeof(TTranslation))
        return std::nullopt;

    std::vector<std::optional<std::wstring>> texts;
    for (const wchar_t* name : names) {
        wchar_t query[128];
        swprintf(query, 128, L"\\StringFileInfo\\%04x%04x\\%ls", translations->language, translations->codePage, name);
        wchar_t* text = nullptr;
        UINT chars = 0;
        if (VerQueryValueW(block.data(), query, reinterpret_cast<void**>(&text), &chars) && text)
            texts.emplace_back(std::wstring(text, wcsnlen(text, chars)));
        else
            texts.emplace_back();
    }
    return texts;
}

}  // namespace platform
