#include "DirectorySize.h"

#include "platform/Files.h"

namespace tallivor {

namespace {

float SumExtended(const std::wstring& folder) {
    float sum = 0;
    platform::ForEachFound(folder + L"\\*.*", [&](const WIN32_FIND_DATAW& found) {
        if (found.cFileName[0] == L'.')
            return true;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
                sum += SumExtended(folder + L'\\' + found.cFileName);
        } else {
            sum +=
                static_cast<float>((static_cast<unsigned long long>(found.nFileSizeHigh) << 32) | found.nFileSizeLow);
        }
        return true;
    });
    return sum;
}

}  // namespace

float SumDirectorySize(const std::wstring& folder) {
    if (folder.empty())
        return 0;
    std::wstring root = platform::ExtendedPath(folder);
    while (root.size() > 1 && root.back() == L'\\')
        root.pop_back();
    return SumExtended(root);
}

}  // namespace tallivor
