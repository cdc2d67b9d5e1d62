// Times the program list's load (rows, selector, counts) for 1,000 planted entries against the bare inventory
// calls it makes, measured in the same run: the list filling should add little to the inventory's own cost.
#include "BenchData.h"
#include "Output.h"
#include "gui/shell/Application.h"
#include "platform/Errors.h"

#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cwchar>
#include <functional>

namespace {

double BestMilliseconds(const std::function<void()>& work, int rounds) {
    double best = 1e300;
    for (int i = 0; i < rounds; ++i) {
        const auto start = std::chrono::steady_clock::now();
        work();
        const std::chrono::duration<double, std::milli> spent = std::chrono::steady_clock::now() - start;
        best = std::min(best, spent.count());
    }
    return best;
}

// What the load asks of the inventory, without any list work: the items' six row properties and the screen
// savers' five.
void InventoryFloor(varnook::TProgramList& list) {
    list.UpdateProgramList();
    const ULONG count = list.ItemCount();
    for (ULONG i = 0; i < count; ++i) {
        const auto item = list.ProgramItem(i);
        ULONG number = 0;
        platform::TBstr text;
        item->get_IsSysPatch(&number);
        item->get_DisplayName(text.put());
        if (text.length() == 0)
            item->get_RegistryName(text.put());
        item->get_Publisher(text.put());
        item->get_InstallDir(text.put());
        item->get_IconIndex(&number);
    }
    list.UpdateScrList();
    const ULONG screenSavers = list.ScrItemCount();
    for (ULONG i = 0; i < screenSavers; ++i) {
        list.ScrName(i);
        list.scrDescription(i);
        list.ScrIconIndex(i);
        list.ScrPublisher(i);
        list.ScrFileDir(i);
    }
}

std::wstring ExecutableFolder() {
    wchar_t path[MAX_PATH];
    const std::wstring text(path, GetModuleFileNameW(nullptr, path, MAX_PATH));
    return text.substr(0, text.find_last_of(L'\\') + 1);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const int entries = argc >= 2 ? _wtoi(argv[1]) : 1000;
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    PlantBenchEntries(entries);
    int status = 0;
    try {
        const std::wstring app = ExecutableFolder() + L"list-bench-app\\";
        CreateDirectoryW(app.c_str(), nullptr);
        auto form = varnook::StartUp(app);
        if (!form)
            return 1;
        const int rounds = 5;
        const double load = BestMilliseconds([&] { form->LoadProgramList(); }, rounds);
        const double floor = BestMilliseconds([&] { InventoryFloor(form->ProgramList); }, rounds);
        const LRESULT rows = form->lsvProgramList.Send(LVM_GETITEMCOUNT);
        wchar_t report[512];
        swprintf(report, 512,
                 L"entries planted: %d, rows: %ld (best of %d rounds)\n"
                 L"LoadProgramList:                         %.1f ms\n"
                 L"floor, the same inventory calls alone:   %.1f ms\n"
                 L"ratio:                                   %.2f\n",
                 entries, static_cast<long>(rows), rounds, load, floor, load / floor);
        Print(report);
    } catch (const platform::EError& error) {
        Print(L"error: " + error.Message() + L"\n");
        status = 1;
    }
    RemoveBenchEntries();
    return status;
}
