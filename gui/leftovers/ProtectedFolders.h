#pragma once

#include "LeftoverRules.h"

#include <string>
#include <vector>

namespace varnook {

// The folders of this system that a leftover scan never lists and a deletion never removes as a whole, as
// the shell and the environment name them, with this program's own folder `appPath` among them.
TProtectedFolders SystemProtectedFolders(const std::wstring& appPath);

// Decides what the leftover dialog may do with a folder: the protected folders of the system, and the
// install folders of the other listed programs, which stay with their programs.
class TFolderGuard {
public:
    TFolderGuard() = default;
    TFolderGuard(TProtectedFolders protectedFolders, std::vector<std::wstring> otherPrograms);

    enum class TVerdict { Free, Protected, OtherProgram };
    // The verdict on the folder itself, judged as written and where it really is (links followed).
    TVerdict Check(const std::wstring& path) const;
    // True when the folder may be deleted as a whole: it is free and holds no protected folder and no other
    // program's folder.
    bool MayDeleteWhole(const std::wstring& path) const;

private:
    TProtectedFolders protected_;
    std::vector<std::wstring> otherPrograms_;
};

}  // namespace varnook
