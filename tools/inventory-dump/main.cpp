// Prints the machine's inventory as the COM server reports it; with --bench N, times it instead.
#include "Bench.h"
#include "Dump.h"
#include "Output.h"
#include "platform/Errors.h"

#include <cstdlib>
#include <cwchar>

int wmain(int argc, wchar_t** argv) {
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)))
        return 2;
    int status = 0;
    try {
        varnook::RegisterComServer(L"Tallivor.dll");
        varnook::TProgramList list;
        if (argc >= 2 && wcscmp(argv[1], L"--bench") == 0)
            status = RunBenchmark(list, argc >= 3 ? _wtoi(argv[2]) : 1000);
        else
            DumpInventory(list);
    } catch (const platform::EError& error) {
        Print(std::wstring(L"error: ") + error.Message() + L"\n");
        status = 1;
    }
    CoUninitialize();
    return status;
}
