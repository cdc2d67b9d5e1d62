#pragma once

#include <string>
#include <vector>

namespace platform {

// Deletes the folder at `path` (one trailing "\" ignored) with everything in it. The tree is walked here,
// with extended-length paths, never handed to the shell: read-only attributes that stand in the way are
// cleared, symbolic links and junctions are removed as links and never entered, and a `path` that is itself
// a link or a file is removed as such. A drive or share root and a path that is not absolute are refused.
// Returns the paths that could not be removed, each in the form of `path` (a child before its folder);
// empty when nothing of it is left, also when it did not exist.
std::vector<std::wstring> DeleteFolder(const std::wstring& path);

// Deletes one file, clearing its read-only attribute; a link is removed as the link. Never removes a folder.
// True when the file is gone (also when it did not exist).
bool DeleteSingleFile(const std::wstring& path);

// Where the file or folder at `path` really is, links followed, without the "\\?\" prefix; empty when the
// system cannot tell.
std::wstring ResolvedPath(const std::wstring& path);

}  // namespace platform
