#include "ComTestSupport.h"

#include <map>
#include <sstream>

using namespace comtest;
using platform::TBstr;
using platform::TComPtr;

namespace {

using AutomationTest = TComTest;

// "name=value" lines of a script's output.
std::map<std::string, std::string> ParseLines(const std::string& output) {
    std::map<std::string, std::string> values;
    std::istringstream in(output);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const size_t equals = line.find('=');
        if (equals != std::string::npos)
            values[line.substr(0, equals)] = line.substr(equals + 1);
    }
    return values;
}

std::string Narrow(const std::wstring& text) {
    return std::string(text.begin(), text.end());
}

}  // namespace

TEST_F(AutomationTest, ScriptHostReadsTheInventoryByName) {
    std::string output;
    ASSERT_EQ(RunProcess(L"cscript.exe //nologo \"" + TestFolder() + L"Automation.js\"", output), 0) << output;
    const std::map<std::string, std::string> values = ParseLines(output);

    // What the script saw late-bound must match the vtable answers of a list read the same way.
    TComPtr<IProgramList> list;
    ASSERT_EQ(CoCreateInstance(CLSID_ProgramList, nullptr, CLSCTX_INPROC_SERVER, IID_IProgramList, list.put_void()),
              S_OK);
    ASSERT_EQ(list->UpdateProgramList(), S_OK);
    ASSERT_EQ(list->UpdateScrList(), S_OK);
    ULONG count = 0;
    ASSERT_EQ(list->get_ItemCount(&count), S_OK);
    ASSERT_GE(count, std::size(kPlantedEntries));
    EXPECT_EQ(values.count("ItemCount") ? values.at("ItemCount") : "", std::to_string(count)) << output;

    TComPtr<IProgramItem> first;
    TBstr firstName;
    ASSERT_EQ(list->get_ProgramItem(0, first.put()), S_OK);
    ASSERT_EQ(first->get_DisplayName(firstName.put()), S_OK);
    EXPECT_EQ(values.count("Item0.DisplayName") ? values.at("Item0.DisplayName") : "<missing>",
              Narrow(Text(firstName.get())));
    for (const TPlantedEntry& entry : kPlantedEntries) {
        const std::string key = Narrow(entry.registryName) + ".DisplayName";
        EXPECT_EQ(values.count(key) ? values.at(key) : "<missing>", Narrow(entry.displayName)) << output;
    }

    const int index = FindScreenSaver(list.get());
    ASSERT_GE(index, 0);
    TBstr lastAccess;
    ASSERT_EQ(list->get_ScrLastAccessTime(index, lastAccess.put()), S_OK);
    EXPECT_EQ(values.count("Scr.Index") ? values.at("Scr.Index") : "<missing>", std::to_string(index)) << output;
    EXPECT_EQ(values.count("Scr.Size") ? values.at("Scr.Size") : "<missing>", std::to_string(kPlantedScreenSaverSize));
    EXPECT_EQ(values.count("Scr.LastAccessTime") ? values.at("Scr.LastAccessTime") : "<missing>",
              Narrow(Text(lastAccess.get())));
}

TEST_F(AutomationTest, Regsvr32RegistersAndUnregistersSilently) {
    ASSERT_EQ(Server().unregisterServer(), S_OK);
    ASSERT_FALSE(ClassesKeyExists(L"Tallivor.ProgramList"));
    std::string output;

    EXPECT_EQ(RunProcess(L"regsvr32.exe /s \"" + Server().path + L"\"", output), 0) << output;
    CLSID resolved = GUID_NULL;
    EXPECT_EQ(CLSIDFromProgID(L"Tallivor.ProgramList", &resolved), S_OK);
    EXPECT_TRUE(IsEqualCLSID(resolved, CLSID_ProgramList));
    EXPECT_TRUE(ClassesKeyExists(L"Tallivor.ProgramItem.1"));

    EXPECT_EQ(RunProcess(L"regsvr32.exe /u /s \"" + Server().path + L"\"", output), 0) << output;
    EXPECT_FALSE(ClassesKeyExists(L"Tallivor.ProgramList"));
    EXPECT_FALSE(ClassesKeyExists(L"Tallivor.ProgramItem.1"));
}
