// IDispatch over the member table, in process: names, DISPIDs, coercion and the DISP_E_* errors.
#include <wrl/client.h>

#include "support/DispatchCalls.h"
#include "TestControlFixture.h"
#include "TestControlIds.h"

using Microsoft::WRL::ComPtr;

namespace {

class Dispatch : public TestControlFixture
{
protected:
    ComPtr<IDispatch> dispatch;

    void SetUp() override
    {
        TestControlFixture::SetUp();
        ASSERT_EQ(unknown.As(&dispatch), S_OK);
    }
    void TearDown() override
    {
        dispatch.Reset();
        TestControlFixture::TearDown();
    }
};

TEST_F(Dispatch, NamesMapToDispidsWithoutRegardToCase)
{
    HRESULT hr = E_FAIL;
    EXPECT_EQ(DispidOf(dispatch.Get(), L"XSpeed", &hr), DISPID_TEST_XSPEED);
    EXPECT_EQ(hr, S_OK);
    EXPECT_EQ(DispidOf(dispatch.Get(), L"xspeed"), DISPID_TEST_XSPEED);
    EXPECT_EQ(DispidOf(dispatch.Get(), L"DESCRIBE"), DISPID_TEST_DESCRIBE);
    EXPECT_EQ(DispidOf(dispatch.Get(), L"backcolor"), DISPID_BACKCOLOR);
    EXPECT_EQ(DispidOf(dispatch.Get(), L"Appearance"), DISPID_APPEARANCE);
}

TEST_F(Dispatch, UnknownNamesAndParameterNamesAreRefused)
{
    HRESULT hr = S_OK;
    EXPECT_EQ(DispidOf(dispatch.Get(), L"XSpeedy", &hr), DISPID_UNKNOWN);
    EXPECT_EQ(hr, DISP_E_UNKNOWNNAME);
    EXPECT_EQ(DispidOf(dispatch.Get(), L"XSpee", &hr), DISPID_UNKNOWN);
    EXPECT_EQ(hr, DISP_E_UNKNOWNNAME);

    // The member is found; its parameter names are not offered (arguments go by position).
    LPOLESTR names[] = {const_cast<LPOLESTR>(L"Add"), const_cast<LPOLESTR>(L"First")};
    DISPID ids[2] = {0, 0};
    EXPECT_EQ(dispatch->GetIDsOfNames(IID_NULL, names, 2, LOCALE_USER_DEFAULT, ids), DISP_E_UNKNOWNNAME);
    EXPECT_EQ(ids[0], DISPID_TEST_ADD);
    EXPECT_EQ(ids[1], DISPID_UNKNOWN);
}

TEST_F(Dispatch, MethodArgumentsAreCoercedToTheDeclaredTypes)
{
    InvokeOutcome outcome = CallMethod(dispatch.Get(), DISPID_TEST_ADD, {Variant(L"1"), Variant(L"50")});
    ASSERT_EQ(outcome.hr, S_OK);
    EXPECT_EQ(control->observed.lastFirst, 1);
    EXPECT_EQ(control->observed.lastSecond, 50);
    ASSERT_EQ(outcome.result.value.vt, VT_I4);
    EXPECT_EQ(outcome.result.value.lVal, 51);

    Variant real;
    real.value.vt = VT_R8;
    real.value.dblVal = 2.0;
    outcome = CallMethod(dispatch.Get(), DISPID_TEST_ADD, {real, Variant(-7L)});
    ASSERT_EQ(outcome.hr, S_OK);
    EXPECT_EQ(outcome.result.value.lVal, -5);
}

TEST_F(Dispatch, ArgumentsPassedByReferenceAreRead)
{
    short first = 4;
    Variant byReference;
    byReference.value.vt = VT_I2 | VT_BYREF;
    byReference.value.piVal = &first;
    const InvokeOutcome outcome = CallMethod(dispatch.Get(), DISPID_TEST_ADD, {byReference, Variant(6L)});
    ASSERT_EQ(outcome.hr, S_OK);
    EXPECT_EQ(outcome.result.value.lVal, 10);
}

TEST_F(Dispatch, WrongArgumentCountIsRefusedBeforeTheHandler)
{
    InvokeOutcome outcome = CallMethod(dispatch.Get(), DISPID_TEST_ADD, {Variant(1L), Variant(2L), Variant(3L)});
    EXPECT_EQ(outcome.hr, DISP_E_BADPARAMCOUNT);
    outcome = CallMethod(dispatch.Get(), DISPID_TEST_ADD, {Variant(1L)});
    EXPECT_EQ(outcome.hr, DISP_E_BADPARAMCOUNT);
    EXPECT_EQ(control->observed.lastSecond, 0) << "the handler ran";
}

TEST_F(Dispatch, UncoercibleArgumentGivesTypeMismatchWithItsIndex)
{
    // rgvarg holds the arguments last first: the first parameter is index 1 of two.
    InvokeOutcome outcome = CallMethod(dispatch.Get(), DISPID_TEST_ADD, {Variant(L"one"), Variant(2L)});
    EXPECT_EQ(outcome.hr, DISP_E_TYPEMISMATCH);
    EXPECT_EQ(outcome.argumentError, 1u);
    outcome = CallMethod(dispatch.Get(), DISPID_TEST_ADD, {Variant(1L), Variant(L"two")});
    EXPECT_EQ(outcome.hr, DISP_E_TYPEMISMATCH);
    EXPECT_EQ(outcome.argumentError, 0u);
    // 70000 does not fit the short parameter.
    outcome = CallMethod(dispatch.Get(), DISPID_TEST_ADD, {Variant(70000L), Variant(2L)});
    EXPECT_EQ(outcome.hr, DISP_E_TYPEMISMATCH);
    EXPECT_EQ(outcome.argumentError, 1u);
    EXPECT_EQ(control->observed.lastSecond, 0) << "the handler ran";
}

TEST_F(Dispatch, UnknownDispidIsMemberNotFound)
{
    EXPECT_EQ(CallMethod(dispatch.Get(), 4, {}).hr, DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(GetProperty(dispatch.Get(), 999).hr, DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(PutProperty(dispatch.Get(), -4711, Variant(1L)).hr, DISP_E_MEMBERNOTFOUND);
    // A method is not a property that can be put.
    EXPECT_EQ(PutProperty(dispatch.Get(), DISPID_TEST_ADD, Variant(1L)).hr, DISP_E_MEMBERNOTFOUND);
}

TEST_F(Dispatch, NamedArgumentsAreRefusedExceptThePutValue)
{
    InvokeOutcome outcome =
        InvokeRaw(dispatch.Get(), DISPID_TEST_ADD, DISPATCH_METHOD, {Variant(2L), Variant(1L)}, {0});
    EXPECT_EQ(outcome.hr, DISP_E_NONAMEDARGS);
    outcome = InvokeRaw(dispatch.Get(), DISPID_TEST_XSPEED, DISPATCH_PROPERTYPUT, {Variant(3L)}, {0});
    EXPECT_EQ(outcome.hr, DISP_E_NONAMEDARGS);
    EXPECT_EQ(control->xSpeed, 7);
    outcome = InvokeRaw(dispatch.Get(), DISPID_TEST_XSPEED, DISPATCH_PROPERTYPUT, {Variant(3L)}, {DISPID_PROPERTYPUT});
    EXPECT_EQ(outcome.hr, S_OK);
    EXPECT_EQ(control->xSpeed, 3);
}

TEST_F(Dispatch, PropertyPutStoresRunsTheChangeHandlerEveryTimeAndMarksModified)
{
    EXPECT_FALSE(control->IsModified());
    ASSERT_EQ(PutProperty(dispatch.Get(), DISPID_TEST_XSPEED, Variant(L"42")).hr, S_OK);
    EXPECT_EQ(control->xSpeed, 42);
    EXPECT_EQ(control->observed.speedChanges, 1);
    EXPECT_TRUE(control->IsModified());
    control->SetModifiedFlag(false);
    ASSERT_EQ(PutProperty(dispatch.Get(), DISPID_TEST_XSPEED, Variant(42L)).hr, S_OK);
    EXPECT_EQ(control->observed.speedChanges, 2) << "an unchanged value still runs the handler";
    EXPECT_TRUE(control->IsModified());

    const InvokeOutcome read = GetProperty(dispatch.Get(), DISPID_TEST_XSPEED);
    ASSERT_EQ(read.hr, S_OK);
    ASSERT_EQ(read.result.value.vt, VT_I4);
    EXPECT_EQ(read.result.value.lVal, 42);
}

TEST_F(Dispatch, BooleanPropertyTakesAnyNonZeroAsOneAndReadsBackAsVariantTrue)
{
    ASSERT_EQ(PutProperty(dispatch.Get(), DISPID_TEST_XFLAG, Variant(5L)).hr, S_OK);
    EXPECT_EQ(control->xFlag, TRUE);
    EXPECT_EQ(control->observed.flagChanges, 1);
    InvokeOutcome read = GetProperty(dispatch.Get(), DISPID_TEST_XFLAG);
    ASSERT_EQ(read.result.value.vt, VT_BOOL);
    EXPECT_EQ(read.result.value.boolVal, VARIANT_TRUE);

    ASSERT_EQ(PutProperty(dispatch.Get(), DISPID_TEST_XFLAG, Variant::Bool(false)).hr, S_OK);
    EXPECT_EQ(control->xFlag, FALSE);
    read = GetProperty(dispatch.Get(), DISPID_TEST_XFLAG);
    EXPECT_EQ(read.result.value.boolVal, VARIANT_FALSE);

    // A C++ host may put its TRUE (1) into a VT_BOOL rather than VARIANT_TRUE.
    Variant cppTrue = Variant::Bool(false);
    cppTrue.value.boolVal = 1;
    ASSERT_EQ(PutProperty(dispatch.Get(), DISPID_TEST_XFLAG, cppTrue).hr, S_OK);
    EXPECT_EQ(control->xFlag, TRUE);
}

TEST_F(Dispatch, PropertyAccessWithWrongArgumentCountIsRefused)
{
    const InvokeOutcome get =
        InvokeRaw(dispatch.Get(), DISPID_TEST_XSPEED, DISPATCH_PROPERTYGET, {Variant(1L)}, {});
    EXPECT_EQ(get.hr, DISP_E_BADPARAMCOUNT);
    const InvokeOutcome put = InvokeRaw(dispatch.Get(), DISPID_TEST_XSPEED, DISPATCH_PROPERTYPUT,
                                        {Variant(1L), Variant(2L)}, {DISPID_PROPERTYPUT});
    EXPECT_EQ(put.hr, DISP_E_BADPARAMCOUNT);
    EXPECT_EQ(control->observed.speedChanges, 0);
}

TEST_F(Dispatch, StringsReachTheHandlerAsAnsiAndResultsComeBackAsBstr)
{
    ASSERT_EQ(GetACP(), 1252u) << "the expectations below are for code page 1252";
    // u-umlaut and sharp s exist in the code page; the CJK character becomes its default '?'.
    const InvokeOutcome outcome =
        CallMethod(dispatch.Get(), DISPID_TEST_DESCRIBE, {Variant(L"Gr\u00fc\u00dfe \u4e2d!"), Variant(L"1")});
    ASSERT_EQ(outcome.hr, S_OK);
    EXPECT_EQ(control->observed.lastText, "Gr\xfc\xdf" "e ?!");
    ASSERT_EQ(outcome.result.value.vt, VT_BSTR);
    EXPECT_STREQ(outcome.result.value.bstrVal, L"GR\u00fc\u00dfE ?!");
}

TEST_F(Dispatch, StringPropertyRoundTripsAndNullBstrIsEmpty)
{
    ASSERT_EQ(PutProperty(dispatch.Get(), DISPID_TEST_XLABEL, Variant(L"label")).hr, S_OK);
    EXPECT_EQ(control->xLabel, "label");
    InvokeOutcome read = GetProperty(dispatch.Get(), DISPID_TEST_XLABEL);
    ASSERT_EQ(read.result.value.vt, VT_BSTR);
    EXPECT_STREQ(read.result.value.bstrVal, L"label");

    Variant null;
    null.value.vt = VT_BSTR;
    null.value.bstrVal = nullptr;
    ASSERT_EQ(PutProperty(dispatch.Get(), DISPID_TEST_XLABEL, null).hr, S_OK);
    EXPECT_EQ(control->xLabel, "");
}

TEST_F(Dispatch, ResultIsDroppedWhenTheCallerWantsNone)
{
    VARIANT arguments[2];
    VariantInit(&arguments[0]);
    VariantInit(&arguments[1]);
    arguments[0].vt = VT_BOOL;
    arguments[0].boolVal = VARIANT_FALSE;
    arguments[1].vt = VT_BSTR;
    arguments[1].bstrVal = SysAllocString(L"quiet");
    DISPPARAMS parameters = {arguments, nullptr, 2, 0};
    EXPECT_EQ(dispatch->Invoke(DISPID_TEST_DESCRIBE, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &parameters,
                               nullptr, nullptr, nullptr),
              S_OK);
    EXPECT_EQ(control->observed.lastText, "quiet");
    VariantClear(&arguments[1]);
}

TEST_F(Dispatch, MethodsMayBeCalledAsPropertyGetsTheWayScriptsDo)
{
    const InvokeOutcome outcome = InvokeRaw(dispatch.Get(), DISPID_TEST_ADD, DISPATCH_METHOD | DISPATCH_PROPERTYGET,
                                            {Variant(2L), Variant(1L)}, {});
    ASSERT_EQ(outcome.hr, S_OK);
    EXPECT_EQ(outcome.result.value.lVal, 3);
    EXPECT_FALSE(control->IsModified()) << "a method call marks nothing modified";
}

TEST_F(Dispatch, StockPropertiesAreKeptByTheFramework)
{
    // No container and so no ambient colour: black.
    InvokeOutcome read = GetProperty(dispatch.Get(), DISPID_BACKCOLOR);
    ASSERT_EQ(read.hr, S_OK);
    EXPECT_EQ(read.result.value.vt, VT_I4);
    EXPECT_EQ(read.result.value.lVal, 0);

    // A system colour (high bit set) travels whole.
    ASSERT_EQ(PutProperty(dispatch.Get(), DISPID_BACKCOLOR, Variant(static_cast<long>(0x80000005))).hr, S_OK);
    EXPECT_EQ(control->GetBackColor(), 0x80000005u);
    read = GetProperty(dispatch.Get(), DISPID_BACKCOLOR);
    EXPECT_EQ(static_cast<ULONG>(read.result.value.lVal), 0x80000005u);
    EXPECT_TRUE(control->IsModified());

    ASSERT_EQ(PutProperty(dispatch.Get(), DISPID_APPEARANCE, Variant(L"1")).hr, S_OK);
    read = GetProperty(dispatch.Get(), DISPID_APPEARANCE);
    ASSERT_EQ(read.result.value.vt, VT_I2);
    EXPECT_EQ(read.result.value.iVal, 1);
    EXPECT_EQ(control->StockPropertyMask(), 0x81u);
}

}  // namespace
