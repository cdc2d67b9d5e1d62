#include "ComTestSupport.h"

#include "platform/Registry.h"

#include <optional>
#include <vector>

using namespace comtest;

namespace {

constexpr wchar_t kAppId[] = L"{5A90EA42-EC0F-45C0-ABB1-B5A1CE206802}";

std::wstring GuidText(REFGUID guid) {
    wchar_t text[40];
    return std::wstring(text, StringFromGUID2(guid, text, 40) - 1);
}

// A REG_SZ value of HKEY_CLASSES_ROOT\`key`; nothing when the key or the value is missing.
std::optional<std::wstring> ReadString(const std::wstring& key, const wchar_t* name) {
    const platform::TKey handle = platform::OpenKey(HKEY_CLASSES_ROOT, key);
    wchar_t data[1024];
    DWORD type = 0, size = 0;
    if (!handle ||
        !platform::QueryValue(handle.get(), name, reinterpret_cast<BYTE*>(data), sizeof data - 2, type, size) ||
        type != REG_SZ)
        return std::nullopt;
    data[size / sizeof(wchar_t)] = 0;
    return std::wstring(data);
}

platform::TKeyInfo KeyInfo(const std::wstring& key) {
    platform::TKeyInfo info;
    const platform::TKey handle = platform::OpenKey(HKEY_CLASSES_ROOT, key);
    EXPECT_TRUE(handle && platform::QueryKeyInfo(handle.get(), info)) << "missing key " << testing::PrintToString(key);
    return info;
}

struct TClass {
    std::wstring progId;
    std::wstring description;
    const CLSID* clsid;

    std::wstring ClassKey() const { return L"CLSID\\" + GuidText(*clsid); }
};

const TClass kClasses[] = {
    {L"Tallivor.ProgramList", L"ProgramList Class", &CLSID_ProgramList},
    {L"Tallivor.ProgramItem", L"ProgramItem Class", &CLSID_ProgramItem},
};

struct TExpectedValue {
    std::wstring key;
    const wchar_t* name;
    std::wstring data;
};

std::vector<TExpectedValue> ExpectedValues(const TClass& c, const std::wstring& dllPath) {
    const std::wstring clsid = GuidText(*c.clsid);
    const std::wstring classKey = c.ClassKey();
    return {
        {c.progId + L".1", nullptr, c.description},
        {c.progId + L".1\\CLSID", nullptr, clsid},
        {c.progId, nullptr, c.description},
        {c.progId + L"\\CLSID", nullptr, clsid},
        {c.progId + L"\\CurVer", nullptr, c.progId + L".1"},
        {classKey, nullptr, c.description},
        {classKey, L"AppID", kAppId},
        {classKey + L"\\ProgID", nullptr, c.progId + L".1"},
        {classKey + L"\\VersionIndependentProgID", nullptr, c.progId},
        {classKey + L"\\InprocServer32", nullptr, dllPath},
        {classKey + L"\\InprocServer32", L"ThreadingModel", L"Apartment"},
        {classKey + L"\\TypeLib", nullptr, GuidText(LIBID_TallivorLib)},
    };
}

// Every key the server owns, for both classes; none of them may outlive DllUnregisterServer.
std::vector<std::wstring> OwnedKeys() {
    std::vector<std::wstring> keys = {std::wstring(L"AppID\\") + kAppId, L"AppID\\Tallivor.DLL"};
    for (const TClass& c : kClasses) {
        keys.push_back(c.progId);
        keys.push_back(c.progId + L".1");
        keys.push_back(c.ClassKey());
    }
    return keys;
}

using RegistrationTest = TComTest;

}  // namespace

TEST_F(RegistrationTest, WritesEveryKeyAndValueOfBothClasses) {
    EXPECT_EQ(ReadString(std::wstring(L"AppID\\") + kAppId, nullptr), L"Tallivor");
    EXPECT_EQ(ReadString(L"AppID\\Tallivor.DLL", L"AppID"), kAppId);

    for (const TClass& c : kClasses) {
        SCOPED_TRACE(testing::PrintToString(c.progId));
        for (const TExpectedValue& expected : ExpectedValues(c, Server().path)) {
            const std::optional<std::wstring> actual = ReadString(expected.key, expected.name);
            ASSERT_TRUE(actual) << testing::PrintToString(expected.key) << " value "
                                << testing::PrintToString(expected.name ? expected.name : L"(default)");
            EXPECT_EQ(*actual, expected.data) << testing::PrintToString(expected.key);
        }
        // Nothing beyond the table: the class key holds two values and five subkeys, Programmable none.
        const platform::TKeyInfo classKey = KeyInfo(c.ClassKey());
        EXPECT_EQ(classKey.values, 2u);
        EXPECT_EQ(classKey.subKeys, 5u);
        const platform::TKeyInfo programmable = KeyInfo(c.ClassKey() + L"\\Programmable");
        EXPECT_EQ(programmable.values + programmable.subKeys, 0u);
    }

    platform::TBstr libraryPath;
    ASSERT_EQ(QueryPathOfRegTypeLib(LIBID_TallivorLib, 1, 0, LOCALE_NEUTRAL, libraryPath.put()), S_OK);
    const std::wstring path = libraryPath.c_str();
    EXPECT_NE(path.find(L"Tallivor.dll"), std::wstring::npos) << testing::PrintToString(path);
    // The type library carries both interfaces to automation marshaling.
    for (const IID* iid : {&IID_IProgramList, &IID_IProgramItem})
        EXPECT_TRUE(ClassesKeyExists(L"Interface\\" + GuidText(*iid) + L"\\ProxyStubClsid32"));
}

TEST_F(RegistrationTest, RewritesClassKeysAndUpdatesOtherKeysInPlace) {
    for (const TClass& c : kClasses) {
        platform::TKey classKey = platform::OpenKey(HKEY_CLASSES_ROOT, c.ClassKey());
        ASSERT_TRUE(classKey);
        ASSERT_TRUE(platform::WriteString(classKey.get(), L"Stray", L"left over"));
        ASSERT_TRUE(platform::CreateKey(classKey.get(), L"Programmable\\Stray"));
        ASSERT_TRUE(platform::CreateKey(classKey.get(), L"Stray"));
        platform::TKey progId = platform::OpenKey(HKEY_CLASSES_ROOT, c.progId);
        ASSERT_TRUE(progId);
        ASSERT_TRUE(platform::WriteString(progId.get(), L"Kept", L"someone else's"));
    }

    ASSERT_EQ(Server().registerServer(), S_OK);

    for (const TClass& c : kClasses) {
        SCOPED_TRACE(testing::PrintToString(c.progId));
        EXPECT_FALSE(ReadString(c.ClassKey(), L"Stray"));
        EXPECT_FALSE(ClassesKeyExists(c.ClassKey() + L"\\Programmable\\Stray"));
        EXPECT_FALSE(ClassesKeyExists(c.ClassKey() + L"\\Stray"));
        EXPECT_TRUE(ClassesKeyExists(c.ClassKey() + L"\\Programmable"));
        EXPECT_EQ(ReadString(c.progId, L"Kept"), L"someone else's");
        EXPECT_EQ(ReadString(c.progId, nullptr), c.description);
    }
}

TEST_F(RegistrationTest, VersionIndependentProgIdResolvesThroughCurVer) {
    for (const TClass& c : kClasses) {
        SCOPED_TRACE(testing::PrintToString(c.progId));
        const std::optional<std::wstring> current = ReadString(c.progId + L"\\CurVer", nullptr);
        ASSERT_TRUE(current);
        CLSID resolved = GUID_NULL;
        ASSERT_EQ(CLSIDFromProgID(current->c_str(), &resolved), S_OK);
        EXPECT_TRUE(IsEqualCLSID(resolved, *c.clsid));
        resolved = GUID_NULL;
        ASSERT_EQ(CLSIDFromProgID(c.progId.c_str(), &resolved), S_OK);
        EXPECT_TRUE(IsEqualCLSID(resolved, *c.clsid));
    }
}

TEST_F(RegistrationTest, UnregisterRemovesEverythingOwnedButKeepsTheRoots) {
    ASSERT_EQ(Server().unregisterServer(), S_OK);

    for (const std::wstring& key : OwnedKeys())
        EXPECT_FALSE(ClassesKeyExists(key)) << testing::PrintToString(key);
    EXPECT_TRUE(ClassesKeyExists(L"CLSID"));
    EXPECT_TRUE(ClassesKeyExists(L"AppID"));
    CLSID resolved;
    EXPECT_NE(CLSIDFromProgID(L"Tallivor.ProgramList", &resolved), S_OK);
    platform::TBstr libraryPath;
    EXPECT_NE(QueryPathOfRegTypeLib(LIBID_TallivorLib, 1, 0, LOCALE_NEUTRAL, libraryPath.put()), S_OK);

    // What is missing already counts as removed.
    EXPECT_EQ(Server().unregisterServer(), S_OK);
}
