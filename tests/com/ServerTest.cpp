#include "ComTestSupport.h"

#include "platform/Registry.h"

#include <functional>
#include <map>
#include <vector>

using namespace comtest;
using platform::TBstr;
using platform::TComPtr;

namespace {

// A controlling object that aggregates one server object and counts the references it is given.
class TOuter final : public IUnknown {
public:
    STDMETHODIMP QueryInterface(REFIID iid, void** result) override {
        if (IsEqualIID(iid, IID_IUnknown)) {
            *result = static_cast<IUnknown*>(this);
            AddRef();
            return S_OK;
        }
        return inner ? inner->QueryInterface(iid, result) : E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++refs; }
    STDMETHODIMP_(ULONG) Release() override { return --refs; }

    ULONG refs = 1;
    TComPtr<IUnknown> inner;
};

class TVariant {
public:
    TVariant() { VariantInit(&v); }
    TVariant(const TVariant&) = delete;
    TVariant& operator=(const TVariant&) = delete;
    ~TVariant() { VariantClear(&v); }
    VARIANT v;
};

class ServerTest : public TComTest {
protected:
    TComPtr<IClassFactory> Factory(REFCLSID clsid) {
        TComPtr<IClassFactory> factory;
        EXPECT_EQ(Server().getClassObject(clsid, IID_IClassFactory, factory.put_void()), S_OK);
        return factory;
    }

    // A ProgramList created through the registration, with both of its lists filled.
    TComPtr<IProgramList> UpdatedList() {
        TComPtr<IProgramList> list;
        EXPECT_EQ(CoCreateInstance(CLSID_ProgramList, nullptr, CLSCTX_INPROC_SERVER, IID_IProgramList, list.put_void()),
                  S_OK);
        if (list) {
            EXPECT_EQ(list->UpdateProgramList(), S_OK);
            EXPECT_EQ(list->UpdateScrList(), S_OK);
        }
        return list;
    }

    // The planted entries of `list`, by registry name.
    static std::map<std::wstring, TComPtr<IProgramItem>> PlantedItems(IProgramList* list) {
        std::map<std::wstring, TComPtr<IProgramItem>> found;
        ULONG count = 0;
        EXPECT_EQ(list->get_ItemCount(&count), S_OK);
        for (ULONG i = 0; i < count; ++i) {
            TComPtr<IProgramItem> item;
            TBstr name;
            EXPECT_EQ(list->get_ProgramItem(i, item.put()), S_OK);
            if (item && item->get_RegistryName(name.put()) == S_OK && wcsncmp(name.c_str(), L"VarnookComTest", 14) == 0)
                found[name.c_str()] = item;
        }
        return found;
    }
};

struct TClassCase {
    const char* name;
    const CLSID* clsid;
    const IID* own;
    const IID* other;
};
const TClassCase kClasses[] = {
    {"ProgramList", &CLSID_ProgramList, &IID_IProgramList, &IID_IProgramItem},
    {"ProgramItem", &CLSID_ProgramItem, &IID_IProgramItem, &IID_IProgramList},
};

}  // namespace

TEST_F(ServerTest, GetClassObjectServesTheTwoClassesOnly) {
    const GUID kForeign = {0x0c2c1f1e, 0x5b3a, 0x4b8e, {0x9a, 0x51, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66}};
    struct TCase {
        const char* name;
        const CLSID* clsid;
        const IID* iid;
        HRESULT expected;
    } const cases[] = {
        {"list factory", &CLSID_ProgramList, &IID_IClassFactory, S_OK},
        {"item factory as IUnknown", &CLSID_ProgramItem, &IID_IUnknown, S_OK},
        {"foreign class", &kForeign, &IID_IClassFactory, CLASS_E_CLASSNOTAVAILABLE},
        {"interface id as class id", &IID_IProgramList, &IID_IClassFactory, CLASS_E_CLASSNOTAVAILABLE},
        {"factory asked for IDispatch", &CLSID_ProgramList, &IID_IDispatch, E_NOINTERFACE},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.name);
        TComPtr<IUnknown> object;
        EXPECT_EQ(Server().getClassObject(*c.clsid, *c.iid, object.put_void()), c.expected);
        EXPECT_EQ(static_cast<bool>(object), c.expected == S_OK);
    }
    EXPECT_EQ(Server().getClassObject(CLSID_ProgramList, IID_IClassFactory, nullptr), E_POINTER);

    // One factory per class, kept once made.
    EXPECT_EQ(Factory(CLSID_ProgramList).get(), Factory(CLSID_ProgramList).get());
    EXPECT_NE(Factory(CLSID_ProgramList).get(), Factory(CLSID_ProgramItem).get());
}

TEST_F(ServerTest, CreateInstanceFollowsTheAggregationRules) {
    for (const TClassCase& klass : kClasses) {
        SCOPED_TRACE(klass.name);
        const TComPtr<IClassFactory> factory = Factory(*klass.clsid);
        ASSERT_TRUE(factory);
        TOuter outer;
        struct TCase {
            const char* name;
            IUnknown* outer;
            const IID* iid;
            HRESULT expected;
        } const cases[] = {
            {"own interface", nullptr, klass.own, S_OK},
            {"IDispatch", nullptr, &IID_IDispatch, S_OK},
            {"other class's interface", nullptr, klass.other, E_NOINTERFACE},
            {"aggregated, own interface", &outer, klass.own, CLASS_E_NOAGGREGATION},
            {"aggregated, IUnknown", &outer, &IID_IUnknown, S_OK},
        };
        for (const TCase& c : cases) {
            SCOPED_TRACE(c.name);
            TComPtr<IUnknown> object;
            EXPECT_EQ(factory->CreateInstance(c.outer, *c.iid, object.put_void()), c.expected);
            EXPECT_EQ(static_cast<bool>(object), c.expected == S_OK);
        }
        EXPECT_EQ(factory->CreateInstance(nullptr, *klass.own, nullptr), E_POINTER);
        EXPECT_EQ(outer.refs, 1u);
        // An object whose query failed was destroyed again.
        EXPECT_EQ(Server().canUnloadNow(), S_OK);
    }
}

TEST_F(ServerTest, AggregatedListReachesTheSameImplementation) {
    TOuter outer;
    ASSERT_EQ(Factory(CLSID_ProgramList)->CreateInstance(&outer, IID_IUnknown, outer.inner.put_void()), S_OK);
    EXPECT_EQ(outer.refs, 1u) << "the inner unknown does not count on the outer object";

    TComPtr<IProgramList> list;
    ASSERT_EQ(outer.QueryInterface(IID_IProgramList, list.put_void()), S_OK);
    EXPECT_EQ(outer.refs, 2u) << "the inner's interfaces count on the outer object";
    TComPtr<IUnknown> identity;
    ASSERT_EQ(list->QueryInterface(IID_IUnknown, identity.put_void()), S_OK);
    EXPECT_EQ(identity.get(), static_cast<IUnknown*>(&outer));
    identity.reset();

    ASSERT_EQ(list->UpdateProgramList(), S_OK);
    EXPECT_EQ(PlantedItems(list.get()).size(), std::size(kPlantedEntries));

    list.reset();
    EXPECT_EQ(outer.refs, 1u);
    EXPECT_EQ(Server().canUnloadNow(), S_FALSE);
    outer.inner.reset();
    EXPECT_EQ(Server().canUnloadNow(), S_OK);
}

TEST_F(ServerTest, QueryInterfaceAnswersIUnknownIDispatchAndTheOwnInterfaceOnly) {
    for (const TClassCase& klass : kClasses) {
        SCOPED_TRACE(klass.name);
        TComPtr<IUnknown> object;
        ASSERT_EQ(Factory(*klass.clsid)->CreateInstance(nullptr, *klass.own, object.put_void()), S_OK);
        struct TCase {
            const char* name;
            const IID* iid;
            HRESULT expected;
        } const cases[] = {
            {"IUnknown", &IID_IUnknown, S_OK},
            {"IDispatch", &IID_IDispatch, S_OK},
            {"own interface", klass.own, S_OK},
            {"other class's interface", klass.other, E_NOINTERFACE},
            {"ISupportErrorInfo", &IID_ISupportErrorInfo, E_NOINTERFACE},
            {"IProvideClassInfo", &IID_IProvideClassInfo, E_NOINTERFACE},
            {"IConnectionPointContainer", &IID_IConnectionPointContainer, E_NOINTERFACE},
            {"IMarshal", &IID_IMarshal, E_NOINTERFACE},
            {"IClassFactory", &IID_IClassFactory, E_NOINTERFACE},
        };
        for (const TCase& c : cases) {
            SCOPED_TRACE(c.name);
            TComPtr<IUnknown> answer;
            EXPECT_EQ(object->QueryInterface(*c.iid, answer.put_void()), c.expected);
            EXPECT_EQ(static_cast<bool>(answer), c.expected == S_OK);
        }
        EXPECT_EQ(object->QueryInterface(IID_IUnknown, nullptr), E_POINTER);

        // Every interface leads back to one identity.
        TComPtr<IDispatch> dispatch;
        TComPtr<IUnknown> viaDispatch, viaUnknown;
        ASSERT_EQ(object.query(dispatch), S_OK);
        ASSERT_EQ(dispatch.query(viaDispatch), S_OK);
        ASSERT_EQ(object.query(viaUnknown), S_OK);
        EXPECT_EQ(viaDispatch.get(), viaUnknown.get());
    }
}

TEST_F(ServerTest, CanUnloadNowWhileNoObjectOrLockLives) {
    ASSERT_EQ(Server().canUnloadNow(), S_OK);
    TComPtr<IProgramList> list = UpdatedList();
    ASSERT_TRUE(list);
    EXPECT_EQ(Server().canUnloadNow(), S_FALSE);

    // An item handed out lives on after its list.
    TComPtr<IProgramItem> item;
    ASSERT_EQ(list->get_ProgramItem(0, item.put()), S_OK);
    list.reset();
    EXPECT_EQ(Server().canUnloadNow(), S_FALSE);
    TBstr name;
    EXPECT_EQ(item->get_RegistryName(name.put()), S_OK);
    item.reset();
    EXPECT_EQ(Server().canUnloadNow(), S_OK);

    const TComPtr<IClassFactory> factory = Factory(CLSID_ProgramItem);
    EXPECT_EQ(Server().canUnloadNow(), S_OK) << "holding a class object is no lock";
    EXPECT_EQ(factory->LockServer(TRUE), S_OK);
    EXPECT_EQ(Server().canUnloadNow(), S_FALSE);
    EXPECT_EQ(factory->LockServer(FALSE), S_OK);
    EXPECT_EQ(Server().canUnloadNow(), S_OK);
}

TEST_F(ServerTest, VtableCallsReadThePlantedInventory) {
    TComPtr<IProgramList> fresh;
    ASSERT_EQ(CoCreateInstance(CLSID_ProgramList, nullptr, CLSCTX_INPROC_SERVER, IID_IProgramList, fresh.put_void()),
              S_OK);
    ULONG count = 7;
    EXPECT_EQ(fresh->get_ItemCount(&count), S_OK);
    EXPECT_EQ(count, 0u);
    TComPtr<IProgramItem> none;
    EXPECT_EQ(fresh->get_ProgramItem(0, none.put()), S_FALSE);
    EXPECT_FALSE(none);

    const TComPtr<IProgramList> list = UpdatedList();
    ASSERT_TRUE(list);
    const std::map<std::wstring, TComPtr<IProgramItem>> planted = PlantedItems(list.get());
    ASSERT_EQ(planted.size(), std::size(kPlantedEntries));
    for (const TPlantedEntry& entry : kPlantedEntries) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(entry.registryName)));
        IProgramItem* item = planted.at(entry.registryName).get();
        TBstr displayName, uninstallString;
        EXPECT_EQ(item->get_DisplayName(displayName.put()), S_OK);
        EXPECT_STREQ(displayName.c_str(), entry.displayName);
        EXPECT_EQ(item->get_UninstallString(uninstallString.put()), S_OK);
        EXPECT_STREQ(uninstallString.c_str(), entry.uninstallString);
    }

    const int index = FindScreenSaver(list.get());
    ASSERT_GE(index, 0) << "the planted screen saver is not listed";
    TBstr folder, lastAccess, description;
    ULONG size = 0;
    EXPECT_EQ(list->get_ScrFileDir(index, folder.put()), S_OK);
    EXPECT_EQ(_wcsicmp((Text(folder.get()) + kPlantedScreenSaver).c_str(), ScreenSaverPath().c_str()), 0);
    EXPECT_EQ(list->get_ScrSize(index, &size), S_OK);
    EXPECT_EQ(size, kPlantedScreenSaverSize);
    EXPECT_EQ(list->get_ScrLastAccessTime(index, lastAccess.put()), S_OK);
    EXPECT_EQ(lastAccess.length(), 20u) << testing::PrintToString(Text(lastAccess.get()));
    EXPECT_EQ(list->get_scrDescription(index, description.put()), S_OK);
    EXPECT_EQ(description.length(), 0u) << "the planted file has no version resource";

    // The item class is creatable on its own, with nothing read yet.
    TComPtr<IProgramItem> loose;
    ASSERT_EQ(CoCreateInstance(CLSID_ProgramItem, nullptr, CLSCTX_INPROC_SERVER, IID_IProgramItem, loose.put_void()),
              S_OK);
    TBstr name;
    EXPECT_EQ(loose->get_RegInfoName(0, name.put()), S_FALSE);
}

TEST_F(ServerTest, DispatchAnswersFromTheRegisteredTypeLibrary) {
    const TComPtr<IProgramList> list = UpdatedList();
    ASSERT_TRUE(list);
    IDispatch* dispatch = list.get();

    UINT typeInfoCount = 0;
    EXPECT_EQ(dispatch->GetTypeInfoCount(&typeInfoCount), S_OK);
    EXPECT_EQ(typeInfoCount, 1u);
    TComPtr<ITypeInfo> typeInfo;
    EXPECT_EQ(dispatch->GetTypeInfo(1, LOCALE_NEUTRAL, typeInfo.put()), DISP_E_BADINDEX);
    EXPECT_EQ(dispatch->GetTypeInfo(0, LOCALE_NEUTRAL, nullptr), E_POINTER);
    ASSERT_EQ(dispatch->GetTypeInfo(0, LOCALE_NEUTRAL, typeInfo.put()), S_OK);
    TBstr typeName;
    EXPECT_EQ(typeInfo->GetDocumentation(MEMBERID_NIL, typeName.put(), nullptr, nullptr, nullptr), S_OK);
    EXPECT_STREQ(typeName.c_str(), L"IProgramList");

    const struct {
        const wchar_t* name;
        DISPID id;
    } names[] = {{L"ProgramItem", 1}, {L"ItemCount", 2},          {L"scrDescription", 7},
                 {L"ScrSize", 9},     {L"ScrLastAccessTime", 10}, {L"UpdateProgramList", 11}};
    for (const auto& n : names) {
        LPOLESTR name = const_cast<LPOLESTR>(n.name);
        DISPID id = DISPID_UNKNOWN;
        EXPECT_EQ(dispatch->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_NEUTRAL, &id), S_OK);
        EXPECT_EQ(id, n.id) << testing::PrintToString(std::wstring(n.name));
    }
    LPOLESTR unknown = const_cast<LPOLESTR>(L"Uninstall");
    DISPID id = 0;
    EXPECT_EQ(dispatch->GetIDsOfNames(IID_NULL, &unknown, 1, LOCALE_NEUTRAL, &id), DISP_E_UNKNOWNNAME);

    DISPPARAMS noArgs = {};
    TVariant ignored;
    EXPECT_EQ(dispatch->Invoke(11, IID_NULL, LOCALE_NEUTRAL, DISPATCH_METHOD, &noArgs, &ignored.v, nullptr, nullptr),
              S_OK);

    const int index = FindScreenSaver(list.get());
    ASSERT_GE(index, 0);
    // Automation clients pass numbers as VT_I4; the type library converts them to the ULONG parameter.
    VARIANTARG argument;
    VariantInit(&argument);
    argument.vt = VT_I4;
    argument.lVal = index;
    DISPPARAMS indexArg = {&argument, nullptr, 1, 0};
    TVariant lastAccess;
    ASSERT_EQ(dispatch->Invoke(10, IID_NULL, LOCALE_NEUTRAL, DISPATCH_PROPERTYGET, &indexArg, &lastAccess.v, nullptr,
                               nullptr),
              S_OK);
    ASSERT_EQ(lastAccess.v.vt, VT_BSTR);
    TBstr direct;
    ASSERT_EQ(list->get_ScrLastAccessTime(index, direct.put()), S_OK);
    EXPECT_EQ(Text(lastAccess.v.bstrVal), Text(direct.get()));

    TVariant missingIndex;
    EXPECT_TRUE(FAILED(dispatch->Invoke(10, IID_NULL, LOCALE_NEUTRAL, DISPATCH_PROPERTYGET, &noArgs, &missingIndex.v,
                                        nullptr, nullptr)));

    // The item handed out late-bound answers late-bound calls too.
    argument.lVal = 0;
    TVariant item;
    ASSERT_EQ(dispatch->Invoke(1, IID_NULL, LOCALE_NEUTRAL, DISPATCH_PROPERTYGET, &indexArg, &item.v, nullptr, nullptr),
              S_OK);
    ASSERT_EQ(item.v.vt, VT_DISPATCH);
    TVariant registryName;
    ASSERT_EQ(item.v.pdispVal->Invoke(3, IID_NULL, LOCALE_NEUTRAL, DISPATCH_PROPERTYGET, &noArgs, &registryName.v,
                                      nullptr, nullptr),
              S_OK);
    EXPECT_EQ(registryName.v.vt, VT_BSTR);
}

TEST_F(ServerTest, BadInputGivesACodeAndNeverACrash) {
    const TComPtr<IProgramList> list = UpdatedList();
    ASSERT_TRUE(list);
    ULONG count = 0, scrCount = 0;
    ASSERT_EQ(list->get_ItemCount(&count), S_OK);
    ASSERT_EQ(list->get_ScrItemCount(&scrCount), S_OK);
    ASSERT_GT(count, 0u);
    ASSERT_GT(scrCount, 0u);
    TComPtr<IProgramItem> item = PlantedItems(list.get())[kPlantedEntries[0].registryName];
    ASSERT_TRUE(item);
    ASSERT_EQ(item->UpdateItemData(TBstr(kPlantedEntries[0].registryName).get()), S_OK);

    // Null out pointers: an error code.
    const std::vector<std::pair<const char*, std::function<HRESULT()>>> nullOuts = {
        {"ProgramItem", [&] { return list->get_ProgramItem(0, nullptr); }},
        {"ItemCount", [&] { return list->get_ItemCount(nullptr); }},
        {"ScrItemCount", [&] { return list->get_ScrItemCount(nullptr); }},
        {"ScrName", [&] { return list->get_ScrName(0, nullptr); }},
        {"ScrIconIndex", [&] { return list->get_ScrIconIndex(0, nullptr); }},
        {"ScrLastAccessTime", [&] { return list->get_ScrLastAccessTime(0, nullptr); }},
        {"DisplayName", [&] { return item->get_DisplayName(nullptr); }},
        {"IsSysPatch", [&] { return item->get_IsSysPatch(nullptr); }},
        {"DirSize", [&] { return item->get_DirSize(nullptr); }},
        {"URLAboutInfo", [&] { return item->get_URLAboutInfo(nullptr); }},
        {"RegInfoValue", [&] { return item->get_RegInfoValue(0, nullptr); }},
        {"UnusedDays", [&] { return item->get_UnusedDays(nullptr); }},
        {"GetTypeInfoCount", [&] { return list->GetTypeInfoCount(nullptr); }},
    };
    for (const auto& [name, call] : nullOuts)
        EXPECT_TRUE(FAILED(call())) << name;

    // Indexes past the end of a non-empty list: not S_OK, and nothing written.
    const ULONG farIndex = 0x7FFFFFFF;
    const std::vector<std::pair<const char*, std::function<HRESULT(BSTR*)>>> pastEnd = {
        {"ScrName", [&](BSTR* out) { return list->get_ScrName(scrCount, out); }},
        {"ScrPublisher", [&](BSTR* out) { return list->get_ScrPublisher(farIndex, out); }},
        {"ScrFileDir", [&](BSTR* out) { return list->get_ScrFileDir(scrCount, out); }},
        {"scrDescription", [&](BSTR* out) { return list->get_scrDescription(scrCount, out); }},
        {"ScrLastAccessTime", [&](BSTR* out) { return list->get_ScrLastAccessTime(farIndex, out); }},
        {"RegInfoName", [&](BSTR* out) { return item->get_RegInfoName(farIndex, out); }},
        {"RegInfoValue", [&](BSTR* out) { return item->get_RegInfoValue(farIndex, out); }},
    };
    for (const auto& [name, call] : pastEnd) {
        BSTR out = nullptr;
        EXPECT_NE(call(&out), S_OK) << name;
        EXPECT_EQ(out, nullptr) << name;
    }
    ULONG number = 42;
    EXPECT_NE(list->get_ScrSize(farIndex, &number), S_OK);
    EXPECT_NE(list->get_ScrIconIndex(scrCount, &number), S_OK);
    EXPECT_EQ(number, 42u);
    TComPtr<IProgramItem> missing;
    EXPECT_NE(list->get_ProgramItem(count, missing.put()), S_OK);
    EXPECT_FALSE(missing);

    // Null texts in: treated as empty texts or refused, and the item stays usable.
    const HRESULT comments = item->AddComments(nullptr);
    if (comments == S_OK) {
        const platform::TKey entry =
            platform::OpenKey(HKEY_LOCAL_MACHINE, std::wstring(kUninstallPath) + kPlantedEntries[0].registryName);
        wchar_t text[8] = L"x";
        DWORD type = 0, size = 0;
        ASSERT_TRUE(
            platform::QueryValue(entry.get(), L"Comments", reinterpret_cast<BYTE*>(text), sizeof text, type, size));
        EXPECT_EQ(text[0], L'\0') << "a null comment is the empty text";
    }
    item->UpdateItemData(nullptr);
    TBstr name;
    EXPECT_EQ(item->get_RegistryName(name.put()), S_OK);
    EXPECT_STREQ(name.c_str(), kPlantedEntries[0].registryName);
}
