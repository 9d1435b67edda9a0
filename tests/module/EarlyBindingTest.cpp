// A C++ client compiled against the header widl generates from Corvane.idl, as a host that binds
// early is: the class and interface from the header, members called by their fixed DISPIDs.
#include "RegisteredCorvane.h"

#include <wrl/client.h>

#include "Corvane.h"
#include "support/DispatchCalls.h"

using Microsoft::WRL::ComPtr;

namespace {

class EarlyBinding : public RegisteredCorvane
{
};

TEST_F(EarlyBinding, ClientOfTheGeneratedHeaderCallsByFixedDispids)
{
    ComPtr<_DCorvane> control;
    ASSERT_EQ(CoCreateInstance(__uuidof(Corvane), nullptr, CLSCTX_INPROC_SERVER, __uuidof(_DCorvane),
                               reinterpret_cast<void**>(control.GetAddressOf())),
              S_OK);

    EXPECT_EQ(PutProperty(control.Get(), -520, Variant(static_cast<long>(Style3D))).hr, S_OK);
    const InvokeOutcome appearance = GetProperty(control.Get(), -520);
    ASSERT_EQ(appearance.hr, S_OK);
    EXPECT_EQ(appearance.result.value.vt, VT_I2);
    EXPECT_EQ(appearance.result.value.iVal, Style3D);

    EXPECT_EQ(PutProperty(control.Get(), 5, Variant(250L)).hr, S_OK);
    const InvokeOutcome speed = GetProperty(control.Get(), 5);
    ASSERT_EQ(speed.hr, S_OK);
    EXPECT_EQ(speed.result.value.vt, VT_I4);
    EXPECT_EQ(speed.result.value.lVal, 250);

    const InvokeOutcome sliderMax = CallMethod(control.Get(), 9, {});
    ASSERT_EQ(sliderMax.hr, S_OK);
    EXPECT_EQ(sliderMax.result.value.vt, VT_I2);
    EXPECT_EQ(sliderMax.result.value.iVal, 1000);
    const InvokeOutcome step = CallMethod(control.Get(), 44, {Variant(1L)});
    ASSERT_EQ(step.hr, S_OK);
    EXPECT_EQ(step.result.value.vt, VT_BOOL);
}

} // namespace
