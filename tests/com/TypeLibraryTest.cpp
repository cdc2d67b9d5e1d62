#include "ComTestSupport.h"

#include <span>
#include <vector>

using namespace comtest;
using platform::TBstr;
using platform::TComPtr;

namespace {

struct TMember {
    int slot;
    DISPID id;
    INVOKEKIND kind;
    const wchar_t* name;
    const wchar_t* signature;  // parameters with their direction, type and name
    const wchar_t* help;       // null: "property " or "method " followed by the name
};

constexpr INVOKEKIND kGet = INVOKE_PROPERTYGET;
constexpr INVOKEKIND kMethod = INVOKE_FUNC;

const TMember kProgramListMembers[] = {
    {7, 1, kGet, L"ProgramItem", L"[in] ULONG Index, [out, retval] IProgramItem** pVal", nullptr},
    {8, 2, kGet, L"ItemCount", L"[out, retval] ULONG* pVal", nullptr},
    {9, 3, kGet, L"ScrItemCount", L"[out, retval] ULONG* pVal", nullptr},
    {10, 4, kGet, L"ScrName", L"[in] ULONG Index, [out, retval] BSTR* pVal", nullptr},
    {11, 5, kGet, L"ScrPublisher", L"[in] ULONG Index, [out, retval] BSTR* pVal", nullptr},
    {12, 6, kGet, L"ScrFileDir", L"[in] ULONG Index, [out, retval] BSTR* pVal", nullptr},
    {13, 7, kGet, L"scrDescription", L"[in] ULONG Index, [out, retval] BSTR* pVal", nullptr},
    {14, 8, kGet, L"ScrIconIndex", L"[in] ULONG Index, [out, retval] ULONG* pVal", nullptr},
    {15, 9, kGet, L"ScrSize", L"[in] ULONG Index, [out, retval] ULONG* pVal", nullptr},
    {16, 10, kGet, L"ScrLastAccessTime", L"[in] ULONG Index, [out, retval] BSTR* pVal", L"property LastAccessTime"},
    {17, 11, kMethod, L"UpdateProgramList", L"", nullptr},
    {18, 12, kMethod, L"UpdateScrList", L"", nullptr},
};

const TMember kProgramItemMembers[] = {
    {7, 1, kGet, L"DisplayName", L"[out, retval] BSTR* pVal", nullptr},
    {8, 2, kGet, L"UninstallString", L"[out, retval] BSTR* pVal", nullptr},
    {9, 3, kGet, L"RegistryName", L"[out, retval] BSTR* pVal", nullptr},
    {10, 4, kMethod, L"UpdateItemData", L"[in] BSTR strRegistryName", nullptr},
    {11, 5, kGet, L"IsSysPatch", L"[out, retval] ULONG* pVal", nullptr},
    {12, 6, kGet, L"Publisher", L"[out, retval] BSTR* pVal", nullptr},
    {13, 7, kGet, L"InstallDir", L"[out, retval] BSTR* pVal", nullptr},
    {14, 8, kGet, L"IconIndex", L"[out, retval] ULONG* pVal", nullptr},
    {15, 9, kGet, L"UsedFrequency", L"[out, retval] ULONG* pVal", nullptr},
    {16, 10, kGet, L"LastAccessTime", L"[out, retval] BSTR* pVal", nullptr},
    {17, 11, kGet, L"DirSize", L"[out, retval] FLOAT* pVal", nullptr},
    {18, 12, kGet, L"InstallTime", L"[out, retval] BSTR* pVal", nullptr},
    {19, 13, kGet, L"Version", L"[out, retval] BSTR* pVal", nullptr},
    {20, 14, kGet, L"HelpLink", L"[out, retval] BSTR* pVal", nullptr},
    {21, 15, kGet, L"URLAboutInfo", L"[out, retval] BSTR* pVal", nullptr},
    {22, 16, kGet, L"URLUpdateInfo", L"[out, retval] BSTR* pVal", nullptr},
    {23, 17, kGet, L"SubKeyCount", L"[out, retval] ULONG* pVal", nullptr},
    {24, 18, kGet, L"RegInfoName", L"[in] ULONG Index, [out, retval] BSTR* pVal", nullptr},
    {25, 19, kGet, L"RegInfoValue", L"[in] ULONG Index, [out, retval] BSTR* pVal", nullptr},
    {26, 20, kMethod, L"AddComments", L"[in] BSTR strComments", nullptr},
    {27, 21, kGet, L"UnusedDays", L"[out, retval] ULONG* pVal", nullptr},
};

std::wstring TypeText(ITypeInfo* info, const TYPEDESC& type) {
    switch (type.vt) {
        case VT_PTR:
            return TypeText(info, *type.lptdesc) + L"*";
        case VT_UI4:
            return L"ULONG";
        case VT_R4:
            return L"FLOAT";
        case VT_BSTR:
            return L"BSTR";
        case VT_USERDEFINED: {
            TComPtr<ITypeInfo> referenced;
            TBstr name;
            if (SUCCEEDED(info->GetRefTypeInfo(type.hreftype, referenced.put())))
                referenced->GetDocumentation(MEMBERID_NIL, name.put(), nullptr, nullptr, nullptr);
            return name.c_str();
        }
        default:
            return L"VT " + std::to_wstring(type.vt);
    }
}

struct TFunction {
    int slot = -1;
    DISPID id = 0;
    INVOKEKIND kind = INVOKE_FUNC;
    VARTYPE result = VT_EMPTY;
    std::wstring name, signature, help;
};

// The members of the vtable side of a dual interface, as the type library describes them.
std::vector<TFunction> Functions(ITypeInfo* info) {
    std::vector<TFunction> functions;
    TYPEATTR* attributes = nullptr;
    if (FAILED(info->GetTypeAttr(&attributes)))
        return functions;
    const WORD count = attributes->cFuncs;
    info->ReleaseTypeAttr(attributes);
    for (WORD i = 0; i < count; ++i) {
        FUNCDESC* desc = nullptr;
        if (FAILED(info->GetFuncDesc(i, &desc)))
            continue;
        TFunction f;
        f.slot = static_cast<int>(desc->oVft / sizeof(void*));
        f.id = desc->memid;
        f.kind = desc->invkind;
        f.result = desc->elemdescFunc.tdesc.vt;
        TBstr names[8];
        UINT named = 0;
        BSTR raw[8] = {};
        info->GetNames(desc->memid, raw, 8, &named);
        for (UINT n = 0; n < named; ++n)
            *names[n].put() = raw[n];
        f.name = names[0].c_str();
        for (SHORT p = 0; p < desc->cParams; ++p) {
            const ELEMDESC& param = desc->lprgelemdescParam[p];
            const USHORT flags = param.paramdesc.wParamFlags;
            if (p > 0)
                f.signature += L", ";
            f.signature += (flags & PARAMFLAG_FRETVAL) ? L"[out, retval] "
                           : (flags & PARAMFLAG_FOUT)  ? L"[out] "
                                                       : L"[in] ";
            f.signature += TypeText(info, param.tdesc) + L" " + names[p + 1].c_str();
        }
        TBstr help;
        info->GetDocumentation(desc->memid, nullptr, help.put(), nullptr, nullptr);
        f.help = help.c_str();
        info->ReleaseFuncDesc(desc);
        functions.push_back(std::move(f));
    }
    return functions;
}

class TypeLibraryTest : public TComTest {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(TComTest::SetUp());
        // From the DLL file itself: the library is its type-library resource 1.
        ASSERT_EQ(LoadTypeLibEx(Server().path.c_str(), REGKIND_NONE, library_.put()), S_OK);
    }

    // The vtable side of a dual interface.
    TComPtr<ITypeInfo> InterfaceInfo(REFIID iid) {
        TComPtr<ITypeInfo> dispatch, vtable;
        HREFTYPE reference = 0;
        EXPECT_EQ(library_->GetTypeInfoOfGuid(iid, dispatch.put()), S_OK);
        if (dispatch && SUCCEEDED(dispatch->GetRefTypeOfImplType(static_cast<UINT>(-1), &reference)))
            dispatch->GetRefTypeInfo(reference, vtable.put());
        return vtable;
    }

    TComPtr<ITypeLib> library_;
};

}  // namespace

TEST_F(TypeLibraryTest, LibraryAndClassesCarryTheirIdentity) {
    TLIBATTR* attributes = nullptr;
    ASSERT_EQ(library_->GetLibAttr(&attributes), S_OK);
    EXPECT_TRUE(IsEqualGUID(attributes->guid, LIBID_TallivorLib));
    EXPECT_EQ(attributes->wMajorVerNum, 1);
    EXPECT_EQ(attributes->wMinorVerNum, 0);
    library_->ReleaseTLibAttr(attributes);
    TBstr name, help;
    ASSERT_EQ(library_->GetDocumentation(-1, name.put(), help.put(), nullptr, nullptr), S_OK);
    EXPECT_STREQ(name.c_str(), L"TallivorLib");
    EXPECT_STREQ(help.c_str(), L"Tallivor 1.0 Type Library");

    const struct {
        const CLSID* clsid;
        const wchar_t* name;
        const wchar_t* help;
        const IID* defaultInterface;
    } classes[] = {
        {&CLSID_ProgramList, L"ProgramList", L"ProgramList Class", &IID_IProgramList},
        {&CLSID_ProgramItem, L"ProgramItem", L"ProgramItem Class", &IID_IProgramItem},
    };
    for (const auto& c : classes) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.name)));
        TComPtr<ITypeInfo> coclass;
        ASSERT_EQ(library_->GetTypeInfoOfGuid(*c.clsid, coclass.put()), S_OK);
        TBstr className, classHelp;
        coclass->GetDocumentation(MEMBERID_NIL, className.put(), classHelp.put(), nullptr, nullptr);
        EXPECT_STREQ(className.c_str(), c.name);
        EXPECT_STREQ(classHelp.c_str(), c.help);
        TYPEATTR* classAttributes = nullptr;
        ASSERT_EQ(coclass->GetTypeAttr(&classAttributes), S_OK);
        EXPECT_TRUE(classAttributes->wTypeFlags & TYPEFLAG_FCANCREATE);
        EXPECT_EQ(classAttributes->cImplTypes, 1);
        coclass->ReleaseTypeAttr(classAttributes);
        INT implFlags = 0;
        HREFTYPE reference = 0;
        TComPtr<ITypeInfo> implemented;
        ASSERT_EQ(coclass->GetImplTypeFlags(0, &implFlags), S_OK);
        EXPECT_TRUE(implFlags & IMPLTYPEFLAG_FDEFAULT);
        ASSERT_EQ(coclass->GetRefTypeOfImplType(0, &reference), S_OK);
        ASSERT_EQ(coclass->GetRefTypeInfo(reference, implemented.put()), S_OK);
        TYPEATTR* interfaceAttributes = nullptr;
        ASSERT_EQ(implemented->GetTypeAttr(&interfaceAttributes), S_OK);
        EXPECT_TRUE(IsEqualGUID(interfaceAttributes->guid, *c.defaultInterface));
        implemented->ReleaseTypeAttr(interfaceAttributes);
    }
}

TEST_F(TypeLibraryTest, InterfacesListEveryMemberInSlotOrder) {
    const struct {
        const IID* iid;
        const wchar_t* name;
        const wchar_t* help;
        std::span<const TMember> members;
    } interfaces[] = {
        {&IID_IProgramList, L"IProgramList", L"IProgramList Interface", kProgramListMembers},
        {&IID_IProgramItem, L"IProgramItem", L"IProgramItem Interface", kProgramItemMembers},
    };
    for (const auto& itf : interfaces) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(itf.name)));
        const TComPtr<ITypeInfo> info = InterfaceInfo(*itf.iid);
        ASSERT_TRUE(info);
        TYPEATTR* attributes = nullptr;
        ASSERT_EQ(info->GetTypeAttr(&attributes), S_OK);
        EXPECT_EQ(attributes->typekind, TKIND_INTERFACE);
        const WORD expectedFlags = TYPEFLAG_FDUAL | TYPEFLAG_FNONEXTENSIBLE | TYPEFLAG_FOLEAUTOMATION;
        EXPECT_EQ(attributes->wTypeFlags & expectedFlags, expectedFlags);
        EXPECT_EQ(attributes->cbSizeVft, (7 + itf.members.size()) * sizeof(void*)) << "slots beyond the members";
        info->ReleaseTypeAttr(attributes);
        TBstr name, help;
        info->GetDocumentation(MEMBERID_NIL, name.put(), help.put(), nullptr, nullptr);
        EXPECT_STREQ(name.c_str(), itf.name);
        EXPECT_STREQ(help.c_str(), itf.help);

        const std::vector<TFunction> functions = Functions(info.get());
        ASSERT_EQ(functions.size(), itf.members.size());
        for (size_t i = 0; i < functions.size(); ++i) {
            const TMember& expected = itf.members[i];
            const TFunction& actual = functions[i];
            SCOPED_TRACE(testing::PrintToString(std::wstring(expected.name)));
            EXPECT_EQ(actual.name, expected.name);
            EXPECT_EQ(actual.slot, expected.slot);
            EXPECT_EQ(actual.id, expected.id);
            EXPECT_EQ(actual.kind, expected.kind);
            EXPECT_EQ(actual.result, VT_HRESULT);
            EXPECT_EQ(actual.signature, expected.signature);
            const std::wstring help =
                expected.help ? expected.help
                              : (expected.kind == kGet ? L"property " : L"method ") + std::wstring(expected.name);
            EXPECT_EQ(actual.help, help);
        }
    }
}
