#pragma once

#include "Handles.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// The path in the extended-length form ("\\?\C:\..." or "\\?\UNC\server\share\..."), so paths past
// MAX_PATH work; a relative or already extended path is returned as it is.
std::wstring ExtendedPath(std::wstring_view path);

// True when a file-system search for exactly `pattern` finds something (a file, a folder or a wildcard match).
bool SearchFinds(const std::wstring& pattern);

// Calls `visit` for every entry a search for `pattern` finds, in the file system's order; stops early when
// `visit` returns false. False when nothing matches.
bool ForEachFound(const std::wstring& pattern, const std::function<bool(const WIN32_FIND_DATAW&)>& visit);

// The creation time of a folder (or file), opened with backup semantics as a folder needs.
std::optional<FILETIME> CreationTime(const std::wstring& path);

// The last-access time of a file opened for its attributes only.
std::optional<FILETIME> LastAccessTime(const std::wstring& path);

// Folders of the system.
std::wstring SystemDirectory();

// `text` with environment variables expanded; the result holds at most `limit` characters.
std::wstring ExpandEnvironment(const std::wstring& text, DWORD limit);

}  // namespace platform
