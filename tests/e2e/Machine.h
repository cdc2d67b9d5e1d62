#pragma once

#include <windows.h>

#include <set>
#include <string>
#include <vector>

namespace e2etest {

// What the end-to-end tests see of the machine: every key and value below the registry keys that a leftover
// deletion can reach, and every folder and file on drive C outside the Windows folder and the tests' own
// folder. Entries read "key <text>", "value <key text>\<name>", "folder <path>" and "file <path>", with the
// texts written as the leftover dialog writes its nodes.
using TMachine = std::set<std::wstring>;

TMachine ReadMachine();

// The entries of `from` that `to` lacks, in order.
std::vector<std::wstring> Missing(const TMachine& from, const TMachine& to);

// The entries that do not begin with any of `prefixes` (compared after the kind word).
std::vector<std::wstring> Outside(const std::vector<std::wstring>& entries, const std::vector<std::wstring>& prefixes);

// How many NSIS uninstaller copies (Un.exe, started from %TEMP%\~nsuN.tmp) are running.
int UninstallerCopies();

// A shell folder such as CSIDL_PROGRAM_FILES, without a trailing "\".
std::wstring ShellFolder(int csidl);

}  // namespace e2etest
