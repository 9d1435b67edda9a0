// A small control built on COleControl the way a product control is: member table, event table,
// exchange routine and window handlers. It records what the framework made it do.
#pragma once

#include "OleControl.h"
#include "ServerModule.h"

#include <optional>
#include <string>
#include <vector>

class CTestControl final : public COleControl
{
public:
    // Everything the framework asked of the control, for the tests to read.
    struct Observed
    {
        int flagChanges = 0;
        int speedChanges = 0;
        int draws = 0;
        RECT lastDrawBounds{};
        std::vector<SIZE> sizes;
        std::vector<UINT_PTR> timers;
        std::vector<WPARAM> commands;
        std::string lastText;
        short lastFirst = 0;
        long lastSecond = 0;
    };

    static constexpr COLORREF paintColor = RGB(0x20, 0x90, 0x40);

    CTestControl();

    CLSID GetControlClassId() const override;
    DispatchTable GetDispatchTable() const override;
    EventTable GetEventTable() const override;
    void DoPropExchange(CPropExchange& exchange) override;
    BOOL PreCreateWindow(CREATESTRUCTA& create) override;
    void OnDraw(HDC dc, const RECT& bounds, const RECT& invalid) override;
    void OnSize(UINT type, int width, int height) override;
    void OnTimer(UINT_PTR id) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    std::vector<CLSID> GetPropertyPages() const override { return pages; }

    // Automation.
    long Add(short first, long second);
    std::string Describe(const char* text, BOOL upper);
    void OnXFlagChanged();
    void OnXSpeedChanged();

    BOOL xFlag = FALSE;
    long xSpeed = 7;
    std::string xLabel;

    Observed observed;
    std::vector<CLSID> pages;
    // A reset exchange a test hands the framework instead of the real one, used once.
    std::unique_ptr<CPropExchange> nextResetExchange;
    // Set when a module's class factory made the control: keeps that module loaded.
    std::optional<CModuleObjectToken> moduleToken;

protected:
    std::unique_ptr<CPropExchange> CreateResetExchange() override
    {
        return nextResetExchange ? std::move(nextResetExchange) : COleControl::CreateResetExchange();
    }
};

// A new test control and its IUnknown (the only reference).
Microsoft::WRL::ComPtr<IUnknown> MakeTestControl(CTestControl** control = nullptr);
