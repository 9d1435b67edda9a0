// Type information comes from the type library the module carries, and agrees with the GUIDs
// the test control's code uses.
#include <ocidl.h>
#include <wrl/client.h>

#include "TestControlFixture.h"
#include "TestControlIds.h"

using Microsoft::WRL::ComPtr;

namespace {

GUID GuidOf(ITypeInfo* info)
{
    TYPEATTR* attributes = nullptr;
    if (FAILED(info->GetTypeAttr(&attributes)))
        return GUID_NULL;
    const GUID guid = attributes->guid;
    info->ReleaseTypeAttr(attributes);
    return guid;
}

class TypeInformation : public TestControlFixture
{
protected:
    template <class Interface> ComPtr<Interface> As()
    {
        ComPtr<Interface> found;
        EXPECT_EQ(unknown.As(&found), S_OK);
        return found;
    }
};

TEST_F(TypeInformation, ClassInfoDescribesTheCoclassOfTheModulesTypeLibrary)
{
    ComPtr<ITypeInfo> coclass;
    ASSERT_EQ(As<IProvideClassInfo2>()->GetClassInfo(&coclass), S_OK);
    EXPECT_EQ(GuidOf(coclass.Get()), CLSID_TestControl);

    ComPtr<ITypeLib> library;
    UINT index = 0;
    ASSERT_EQ(coclass->GetContainingTypeLib(&library, &index), S_OK);
    TLIBATTR* libraryAttributes = nullptr;
    ASSERT_EQ(library->GetLibAttr(&libraryAttributes), S_OK);
    EXPECT_EQ(libraryAttributes->guid, LIBID_FrameworkTestLib);
    library->ReleaseTLibAttr(libraryAttributes);

    // The coclass's default source is the event interface the control fires.
    HREFTYPE reference = 0;
    int flags = 0;
    bool foundSource = false;
    for (UINT i = 0; i < 2; ++i) {
        ASSERT_EQ(coclass->GetImplTypeFlags(i, &flags), S_OK);
        ASSERT_EQ(coclass->GetRefTypeOfImplType(i, &reference), S_OK);
        ComPtr<ITypeInfo> implemented;
        ASSERT_EQ(coclass->GetRefTypeInfo(reference, &implemented), S_OK);
        if (flags & IMPLTYPEFLAG_FSOURCE) {
            foundSource = true;
            EXPECT_EQ(GuidOf(implemented.Get()), DIID_DTestControlEvents);
        } else {
            EXPECT_EQ(GuidOf(implemented.Get()), DIID_DTestControl);
        }
    }
    EXPECT_TRUE(foundSource);
}

TEST_F(TypeInformation, DefaultSourceGuidIsTheEventInterface)
{
    ComPtr<IProvideClassInfo2> classInfo = As<IProvideClassInfo2>();
    GUID guid = GUID_NULL;
    ASSERT_EQ(classInfo->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &guid), S_OK);
    EXPECT_EQ(guid, DIID_DTestControlEvents);
    EXPECT_EQ(classInfo->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID + 7, &guid), E_INVALIDARG);
}

TEST_F(TypeInformation, DispatchTypeInfoIsTheDispatchInterfaceAndOnlyIndexZeroExists)
{
    ComPtr<IDispatch> dispatch = As<IDispatch>();
    UINT count = 0;
    ASSERT_EQ(dispatch->GetTypeInfoCount(&count), S_OK);
    EXPECT_EQ(count, 1u);
    ComPtr<ITypeInfo> info;
    ASSERT_EQ(dispatch->GetTypeInfo(0, LOCALE_USER_DEFAULT, &info), S_OK);
    EXPECT_EQ(GuidOf(info.Get()), DIID_DTestControl);
    ComPtr<ITypeInfo> beyond;
    EXPECT_EQ(dispatch->GetTypeInfo(1, LOCALE_USER_DEFAULT, &beyond), DISP_E_BADINDEX);
    EXPECT_FALSE(beyond);
}

// The member table and the type library must name the same members under the same DISPIDs.
TEST_F(TypeInformation, MemberTableAgreesWithTheTypeLibrary)
{
    ComPtr<ITypeInfo> info;
    ASSERT_EQ(As<IDispatch>()->GetTypeInfo(0, LOCALE_USER_DEFAULT, &info), S_OK);
    for (const DispatchEntry& entry : control->GetDispatchTable()) {
        std::wstring name(entry.name, entry.name + strlen(entry.name));
        LPOLESTR names[] = {&name[0]};
        MEMBERID id = 0;
        ASSERT_EQ(info->GetIDsOfNames(names, 1, &id), S_OK) << entry.name;
        EXPECT_EQ(id, entry.dispid) << entry.name;
    }
}

}  // namespace
