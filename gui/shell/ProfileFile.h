#pragma once

#include <string>

namespace varnook {

// Key files in the Windows profile format, read and written one key at a time through the system's profile
// functions, so names match without regard to case, values lose their outer blanks and are cut at 2047
// characters. Every path is a full path: with a bare name the system would look in the Windows folder.

// The value of `key`, or `fallback` exactly as given (blanks kept) when the file, section or key is missing.
std::wstring ReadProfileText(const std::wstring& file, const std::wstring& section, const std::wstring& key,
                             const std::wstring& fallback);
// A boolean stored as an integer: anything but 0 is on; missing or not a number gives `fallback`.
bool ReadProfileBool(const std::wstring& file, const std::wstring& section, const std::wstring& key, bool fallback);

// Creates file, section and key as needed; raises platform::EError "Unable to write to <file>" on failure.
void WriteProfileText(const std::wstring& file, const std::wstring& section, const std::wstring& key,
                      const std::wstring& value);

bool FileExists(const std::wstring& path);
bool DirectoryExists(const std::wstring& path);
// Creates the folder and any missing parent; true when the folder exists afterwards.
bool ForceDirectories(const std::wstring& path);

}  // namespace varnook
