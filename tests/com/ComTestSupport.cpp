#include "ComTestSupport.h"

#include "platform/Registry.h"
#include "tests/support/TestSupport.h"

#include <fstream>
#include <iterator>

namespace comtest {

namespace {

template <class Function>
void Bind(HMODULE module, const char* name, Function& function) {
    // GetProcAddress cannot know the signature; go through the generic function pointer type.
    function = reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

// Linux ("relatime") moves the access time of a file on when it is read while that time is not after the
// last write and change times, so two readers of a new file could see different times. An access time an
// hour ahead keeps it still.
bool SettleAccessTime(const std::wstring& path) {
    const platform::TFileHandle file(
        CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    ULARGE_INTEGER ahead;
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    ahead.LowPart = now.dwLowDateTime;
    ahead.HighPart = now.dwHighDateTime;
    ahead.QuadPart += 3600ull * 10000000ull;
    const FILETIME accessed = {ahead.LowPart, ahead.HighPart};
    return file && SetFileTime(file.get(), nullptr, &accessed, nullptr);
}

}  // namespace

std::wstring TestFolder() {
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, length);
    return folder.substr(0, folder.find_last_of(L'\\') + 1);
}

const TServerDll& TServerDll::Get() {
    static const TServerDll dll = [] {
        TServerDll loaded;
        loaded.path = TestFolder() + L"Tallivor.dll";
        loaded.module.reset(LoadLibraryW(loaded.path.c_str()));
        if (loaded.module) {
            Bind(loaded.module.get(), "DllRegisterServer", loaded.registerServer);
            Bind(loaded.module.get(), "DllUnregisterServer", loaded.unregisterServer);
            Bind(loaded.module.get(), "DllGetClassObject", loaded.getClassObject);
            Bind(loaded.module.get(), "DllCanUnloadNow", loaded.canUnloadNow);
        }
        return loaded;
    }();
    return dll;
}

void TComTest::SetUp() {
    const TServerDll& server = Server();
    ASSERT_TRUE(server.module) << "cannot load Tallivor.dll from the test folder";
    ASSERT_TRUE(server.registerServer && server.unregisterServer && server.getClassObject && server.canUnloadNow)
        << "an export is missing or decorated";
    ASSERT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK);
    comReady_ = true;

    for (const TPlantedEntry& entry : kPlantedEntries) {
        ASSERT_NO_FATAL_FAILURE(testsupport::PlantKey(HKEY_LOCAL_MACHINE,
                                                      std::wstring(kUninstallPath) + entry.registryName,
                                                      {testsupport::Sz(L"DisplayName", entry.displayName),
                                                       testsupport::Sz(L"UninstallString", entry.uninstallString)}));
    }
    ASSERT_NO_FATAL_FAILURE(testsupport::WriteFile(ScreenSaverPath(), kPlantedScreenSaverSize));
    ASSERT_TRUE(SettleAccessTime(ScreenSaverPath()));
    ASSERT_EQ(server.registerServer(), S_OK);
}

void TComTest::TearDown() {
    EXPECT_EQ(Server().unregisterServer(), S_OK);
    DeleteFileW(ScreenSaverPath().c_str());
    for (const TPlantedEntry& entry : kPlantedEntries)
        platform::DeleteTree(HKEY_LOCAL_MACHINE, std::wstring(kUninstallPath) + entry.registryName);
    if (comReady_)
        CoUninitialize();
}

std::wstring TComTest::ScreenSaverPath() {
    wchar_t folder[MAX_PATH];
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    return std::wstring(folder, length) + L"\\" + kPlantedScreenSaver;
}

bool ClassesKeyExists(const std::wstring& path) {
    return static_cast<bool>(platform::OpenKey(HKEY_CLASSES_ROOT, path));
}

int FindScreenSaver(IProgramList* list) {
    ULONG count = 0;
    if (FAILED(list->get_ScrItemCount(&count)))
        return -1;
    for (ULONG i = 0; i < count; ++i) {
        platform::TBstr name;
        if (list->get_ScrName(i, name.put()) == S_OK && _wcsicmp(name.c_str(), kPlantedScreenSaver) == 0)
            return static_cast<int>(i);
    }
    return -1;
}

std::wstring Text(BSTR text) {
    return text ? std::wstring(text, SysStringLen(text)) : std::wstring();
}

int RunProcess(const std::wstring& commandLine, std::string& output) {
    const char kOutputFile[] = "com_tests_output.txt";
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    int exitCode = -1;
    {
        platform::TFileHandle file(CreateFileA(kOutputFile, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                                               CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file)
            return -1;
        STARTUPINFOW startup = {};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
        startup.hStdOutput = file.get();
        startup.hStdError = file.get();
        PROCESS_INFORMATION started = {};
        std::wstring mutableLine = commandLine;
        if (!CreateProcessW(nullptr, mutableLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                            &started))
            return -1;
        const platform::THandle process(started.hProcess);
        const platform::THandle thread(started.hThread);
        DWORD code = 0;
        if (WaitForSingleObject(process.get(), 60000) == WAIT_OBJECT_0 && GetExitCodeProcess(process.get(), &code))
            exitCode = static_cast<int>(code);
        else
            TerminateProcess(process.get(), 1);
    }
    std::ifstream in(kOutputFile, std::ios::binary);
    output.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    in.close();
    DeleteFileA(kOutputFile);
    return exitCode;
}

}  // namespace comtest
