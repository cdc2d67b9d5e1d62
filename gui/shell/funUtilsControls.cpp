#include "funUtilsControls.h"

#include "globals.h"

namespace varnook {

bool LoadSkinPicture(TPicture& picture, const std::wstring& fileName) {
    const std::wstring path = Globals().SkinsPath + fileName;
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (fileName.empty() || attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return false;
    picture.LoadFromFile(path);
    return true;
}

bool LoadPicNormal(TArButton& button, const std::wstring& fileName) {
    return LoadSkinPicture(button.PicNormal, fileName);
}

bool LoadPicMouseHover(TArButton& button, const std::wstring& fileName) {
    return LoadSkinPicture(button.PicMouseHover, fileName);
}

bool LoadPicMouseDown(TArButton& button, const std::wstring& fileName) {
    return LoadSkinPicture(button.PicMouseDown, fileName);
}

bool LoadPicDisabled(TArButton& button, const std::wstring& fileName) {
    return LoadSkinPicture(button.PicDisabled, fileName);
}

}  // namespace varnook
