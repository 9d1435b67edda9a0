// The module's class factory and DllCanUnloadNow with real test controls alive and released.
#include "RegisteredModule.h"

#include <ole2.h>
#include <wrl/client.h>

#include "TestControlIds.h"

using Microsoft::WRL::ComPtr;

namespace {

class ModuleFactory : public RegisteredModule
{
};

TEST_F(ModuleFactory, UnloadIsRefusedWhileAControlOrTheFactoryLives)
{
    EXPECT_EQ(canUnloadNow(), S_OK);
    ComPtr<IClassFactory> factory;
    ASSERT_EQ(getClassObject(CLSID_TestControl, IID_PPV_ARGS(&factory)), S_OK);
    EXPECT_EQ(canUnloadNow(), S_FALSE) << "a factory reference locks the module";

    ComPtr<IUnknown> control;
    ASSERT_EQ(factory->CreateInstance(nullptr, IID_PPV_ARGS(&control)), S_OK);
    factory.Reset();
    EXPECT_EQ(canUnloadNow(), S_FALSE) << "a live control keeps the module";

    ComPtr<IOleObject> object;
    ASSERT_EQ(control.As(&object), S_OK);
    control.Reset();
    EXPECT_EQ(canUnloadNow(), S_FALSE) << "any interface of the control keeps it alive";
    object.Reset();
    EXPECT_EQ(canUnloadNow(), S_OK);
}

TEST_F(ModuleFactory, CreatedThroughTheRegistryByClassAndProgId)
{
    CLSID classId = {};
    ASSERT_EQ(CLSIDFromProgID(L"Corvane.FrameworkTestControl.1", &classId), S_OK);
    EXPECT_TRUE(IsEqualGUID(classId, CLSID_TestControl));
    ComPtr<IDispatch> control;
    ASSERT_EQ(CoCreateInstance(classId, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&control)), S_OK);
    EXPECT_EQ(canUnloadNow(), S_FALSE) << "COM loaded the same module file that the test loaded";
    control.Reset();
    EXPECT_EQ(canUnloadNow(), S_OK);

    ComPtr<IClassFactory> factory;
    ASSERT_EQ(getClassObject(CLSID_TestControl, IID_PPV_ARGS(&factory)), S_OK);
    ComPtr<IUnknown> aggregated;
    EXPECT_EQ(factory->CreateInstance(factory.Get(), IID_IUnknown, &aggregated), CLASS_E_NOAGGREGATION);
    ComPtr<IClassFactory> none;
    EXPECT_EQ(getClassObject(CLSID_NULL, IID_PPV_ARGS(&none)), CLASS_E_CLASSNOTAVAILABLE);
}

} // namespace
