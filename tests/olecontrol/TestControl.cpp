#include "TestControl.h"

#include "TestControlIds.h"

#include <cctype>

CTestControl::CTestControl()
{
    SetAutomationIds(DIID_DTestControl, DIID_DTestControlEvents);
}

CLSID CTestControl::GetControlClassId() const
{
    return CLSID_TestControl;
}

DispatchTable CTestControl::GetDispatchTable() const
{
    static const DispatchEntry table[] = {
        DispatchProperty<&CTestControl::xFlag, &CTestControl::OnXFlagChanged>("XFlag", DISPID_TEST_XFLAG),
        DispatchProperty<&CTestControl::xSpeed, &CTestControl::OnXSpeedChanged>("XSpeed", DISPID_TEST_XSPEED),
        DispatchProperty<&CTestControl::xLabel>("XLabel", DISPID_TEST_XLABEL),
        DispatchStock(StockProperty::BackColor),
        DispatchStock(StockProperty::Appearance),
        DispatchMethod<&CTestControl::Add>("Add", DISPID_TEST_ADD),
        DispatchMethod<&CTestControl::Describe>("Describe", DISPID_TEST_DESCRIBE),
    };
    return table;
}

EventTable CTestControl::GetEventTable() const
{
    static const EventEntry table[] = {
        {"Ping", DISPID_TEST_PING, 1, {VT_I4}},
        StockEvents::Click,
        StockEvents::DblClick,
        StockEvents::MouseDown,
        StockEvents::MouseMove,
        StockEvents::MouseUp,
    };
    return table;
}

void CTestControl::DoPropExchange(CPropExchange& exchange)
{
    if (!exchange.ExchangeBool("XFlag", xFlag, FALSE) || !exchange.ExchangeLong("XSpeed", xSpeed, 7) ||
        !exchange.ExchangeString("XLabel", xLabel, ""))
        return;
    COleControl::DoPropExchange(exchange);
}

BOOL CTestControl::PreCreateWindow(CREATESTRUCTA& create)
{
    create.lpszClass = "Static";
    return COleControl::PreCreateWindow(create);
}

void CTestControl::OnDraw(HDC dc, const RECT& bounds, const RECT&)
{
    ++observed.draws;
    observed.lastDrawBounds = bounds;
    HBRUSH brush = CreateSolidBrush(paintColor);
    FillRect(dc, &bounds, brush);
    DeleteObject(brush);
}

void CTestControl::OnSize(UINT type, int width, int height)
{
    observed.sizes.push_back(SIZE{width, height});
    COleControl::OnSize(type, width, height);
}

void CTestControl::OnTimer(UINT_PTR id)
{
    observed.timers.push_back(id);
    KillTimer(GetControlWindow(), id);
}

BOOL CTestControl::OnCommand(WPARAM wParam, LPARAM)
{
    observed.commands.push_back(wParam);
    return TRUE;
}

long CTestControl::Add(short first, long second)
{
    observed.lastFirst = first;
    observed.lastSecond = second;
    const long sum = first + second;
    FireEvent(DISPID_TEST_PING, sum);
    return sum;
}

std::string CTestControl::Describe(const char* text, BOOL upper)
{
    observed.lastText = text;
    std::string answer = text;
    if (upper)
        for (char& c : answer)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return answer;
}

void CTestControl::OnXFlagChanged()
{
    ++observed.flagChanges;
}

void CTestControl::OnXSpeedChanged()
{
    ++observed.speedChanges;
}

Microsoft::WRL::ComPtr<IUnknown> MakeTestControl(CTestControl** control)
{
    auto* made = new CTestControl();
    if (control)
        *control = made;
    Microsoft::WRL::ComPtr<IUnknown> unknown;
    // Takes over the reference it was born with (this ComPtr's Attach would add one).
    *unknown.GetAddressOf() = made->GetControllingUnknown();
    return unknown;
}
