#pragma once

#include <windows.h>

#include <string>
#include <vector>

// What the startup items page reads and changes outside the program: run keys, Startup folders, version
// resources and shortcuts. All wide-character calls, so names outside the ANSI code page survive.
namespace varnook {

// The version texts of a file, its fixed version block, and one more text a caller names.
struct TFileInfo {
    std::wstring CompanyName, FileDescription, FileVersion, InternalName, LegalCopyright, LegalTrademarks,
        OriginalFileName, ProductName, ProductVersion, Comments;
    VS_FIXEDFILEINFO FixedFileInfo{};
    std::wstring ExtraValue;
};

// Fills `info` from the file's version resource (its first translation); false when the file has none.
// Texts the resource lacks, and all texts when it has no translation table, stay empty.
bool ReadFileVersionInfo(const std::wstring& path, TFileInfo& info, const wchar_t* extraKey = nullptr);

// A shell special folder's path (CSIDL_STARTUP, CSIDL_COMMON_STARTUP ...), empty when unknown.
std::wstring GetSpecialFolderPath(int csidl);

// A run key value as the list holds it: its name, its data as text and the type it was read with.
struct TRunValue {
    std::wstring Name, Text;
    DWORD Type = REG_SZ;
};
// Reads the values of `key` in the registry's order into `values`; false at the first one that is not
// text (a number or binary value with data) or cannot be read, with the values before it kept.
bool ReadRunValues(HKEY key, std::vector<TRunValue>& values);
// Writes `value` back under its own type; false when the write failed.
bool WriteTypedValue(HKEY key, const TRunValue& value);

// Writes name = data as a plain string into the hive's Run key when that key opens; raises platform::EError
// when the write fails.
void WriteRunValue(HKEY hive, const std::wstring& name, const std::wstring& data);

// Saves a shortcut to `target` (working folder: the target's folder) under `linkPath` with its extension
// replaced by ".lnk", replacing a shortcut of that name; true when it was saved.
bool CreateShortcut(const std::wstring& target, const std::wstring& linkPath);

// Moves the file or folder at `path` into `folder` (created, hidden when `hideFolder`), under a free name
// when its own is taken there. The new path, or empty when nothing moved.
std::wstring MoveEntryInto(const std::wstring& path, const std::wstring& folder, bool hideFolder);

// Deletes the file, or the empty folder, at `path`; false when nothing was deleted.
bool DeleteEntry(const std::wstring& path);

}  // namespace varnook
