#include "multiSkins.h"

#include "ProfileFile.h"
#include "globals.h"

namespace varnook {

bool WriteDefaultSkin() {
    const std::wstring& path = Globals().SkinPath;
    try {
        for (const TSkinKey& key : SkinKeys())
            WriteProfileText(path, key.section, key.key, Skin(key.id));
    } catch (const std::exception&) {
        return false;
    }
    return true;
}

bool LoadSkin() {
    const std::wstring& path = Globals().SkinPath;
    if (!FileExists(path) && !WriteDefaultSkin()) {
        ShowSaveFileFailed(path);
        return false;
    }
    try {
        for (const TSkinKey& key : SkinKeys())
            SetSkin(key.id, ReadProfileText(path, key.section, key.key, Skin(key.id)));
    } catch (const std::exception&) {
        return false;
    }
    return true;
}

}  // namespace varnook
