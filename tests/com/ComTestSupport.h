#pragma once

#include "platform/Handles.h"
#include "Tallivor_h.h"

#include <gtest/gtest.h>

#include <string>

namespace comtest {

// The folder of the test executable, with its closing backslash; the build puts Tallivor.dll and the
// scripts there.
std::wstring TestFolder();

// Tallivor.dll loaded by its full path for the whole test run, with its exports.
struct TServerDll {
    static const TServerDll& Get();

    std::wstring path;
    platform::TModule module;
    HRESULT(STDAPICALLTYPE* registerServer)() = nullptr;
    HRESULT(STDAPICALLTYPE* unregisterServer)() = nullptr;
    HRESULT(STDAPICALLTYPE* getClassObject)(REFCLSID, REFIID, void**) = nullptr;
    HRESULT(STDAPICALLTYPE* canUnloadNow)() = nullptr;
};

// What the fixture plants: two uninstall entries and one screen saver in the system folder.
inline constexpr wchar_t kUninstallPath[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
struct TPlantedEntry {
    const wchar_t* registryName;
    const wchar_t* displayName;
    const wchar_t* uninstallString;
};
inline constexpr TPlantedEntry kPlantedEntries[] = {
    {L"VarnookComTest1", L"Varnook COM Test One", L"C:\\VarnookComTest\\One\\uninst.exe"},
    {L"VarnookComTest2", L"Varnook COM Test Two", L"\"C:\\VarnookComTest\\Two\\unins000.exe\" /quiet"},
};
inline constexpr wchar_t kPlantedScreenSaver[] = L"VarnookComTest.scr";
inline constexpr size_t kPlantedScreenSaverSize = 1234;

// The base of the COM tests: an apartment on the test thread, the planted inventory and the server
// registered through its own DllRegisterServer; all of it is undone after each test.
class TComTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    static const TServerDll& Server() { return TServerDll::Get(); }
    static std::wstring ScreenSaverPath();

private:
    bool comReady_ = false;
};

// A key of HKEY_CLASSES_ROOT exists.
bool ClassesKeyExists(const std::wstring& path);

// The index of the planted screen saver in a list whose UpdateScrList has run; -1 when it is missing.
int FindScreenSaver(IProgramList* list);

std::wstring Text(BSTR text);

// Runs `commandLine` from the current (scratch) folder with standard output and error captured; returns
// the exit code, or -1 when the process could not start or did not end within a minute.
int RunProcess(const std::wstring& commandLine, std::string& output);

}  // namespace comtest
