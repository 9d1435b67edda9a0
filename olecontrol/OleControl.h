// COleControl: the base of an ActiveX control. A control derives from it and supplies
//   - its identity: GetControlClassId() (CLSID), and in its constructor
//     SetAutomationIds(dispatch interface IID, event interface IID); the type library is the
//     "TYPELIB" resource 1 of the module the control is linked into;
//   - one static member table, GetDispatchTable(): DispatchMethod / DispatchProperty entries and
//     DispatchStock(StockProperty::BackColor / Appearance), which the framework implements;
//   - one static event table, GetEventTable(): its own events and the StockEvents it offers
//     (Click, DblClick, MouseDown, MouseMove, MouseUp are then fired from mouse messages);
//   - its exchange routine DoPropExchange(exchange): its own items, then COleControl::DoPropExchange
//     for the framework's items (extent, stock mask, BackColor, Appearance);
//   - optionally OnResetState (call the base first), PreCreateWindow (window class, styles),
//     OnDraw, OnSize, OnTimer, OnCommand, OnSetFocus, OnActivate, OnSysCommand, the mouse
//     handlers, WindowProc (any other message), GetMiscStatus, GetPropertyPages.
// Handlers that want the window's default processing call Default() (or the base handler).
// The object is apartment threaded: everything runs on the thread that created it.
//
// In outline (tests/olecontrol/TestControl.cpp is a complete one):
//   DispatchTable CMyCtrl::GetDispatchTable() const {
//       static const DispatchEntry table[] = {
//           DispatchProperty<&CMyCtrl::xLoop, &CMyCtrl::OnXLoopChanged>("XLoop", 3),
//           DispatchMethod<&CMyCtrl::GetDuration>("GetDuration", 12),
//           DispatchStock(StockProperty::BackColor)};
//       return table; }
//   EventTable CMyCtrl::GetEventTable() const {
//       static const EventEntry table[] = {{"OnPlaying", 1, 0, {}}, StockEvents::Click};
//       return table; }
//   void CMyCtrl::DoPropExchange(CPropExchange& x) {
//       if (!x.ExchangeBool("XLoop", xLoop, FALSE)) return;   // stop at the first failure
//       COleControl::DoPropExchange(x); }
// Objects are made with COleControl::CreateObject<CMyCtrl>(iid, out) (a class factory's job).
#pragma once

#include <windows.h>
#include <ole2.h>
#include <olectl.h>
#include <ocidl.h>
#include <wrl/client.h>

#include <memory>
#include <new>
#include <utility>
#include <vector>

#include "DispatchTable.h"
#include "PersistenceInterfaces.h"
#include "PersistentObject.h"
#include "PropExchange.h"

#include "ConnectionPointContainerInterface.h"
#include "ContainerNotificationsInterface.h"
#include "DispatchInterface.h"
#include "InPlaceActiveObjectInterface.h"
#include "InPlaceObjectInterface.h"
#include "OleObjectInterface.h"
#include "ProvideClassInfoInterface.h"
#include "SpecifyPropertyPagesInterface.h"
#include "UnknownInterface.h"
#include "ViewObjectInterface.h"

// Each interface class does its own work and reaches the control only through its owner base,
// which the control implements privately.
class COleControl : public CPersistentObject,
                    private CUnknownOwner,
                    private COleObjectOwner,
                    private CInPlaceObjectOwner,
                    private CViewObjectOwner,
                    private CContainerNotificationsOwner,
                    private CDispatchOwner,
                    private CProvideClassInfoOwner,
                    private CSpecifyPropertyPagesOwner
{
public:
    COleControl();
    ~COleControl() override;
    COleControl(const COleControl&) = delete;
    COleControl& operator=(const COleControl&) = delete;

    // ---- What the derived control supplies ----
    CLSID GetControlClassId() const override = 0;
    DispatchTable GetDispatchTable() const override = 0;
    virtual EventTable GetEventTable() const = 0;
    // The framework's own items; a derived DoPropExchange calls this after its own items.
    void DoPropExchange(CPropExchange& exchange) override;
    // Every item to its default through the reset exchange; clears the modified flag.
    void OnResetState() override;

    virtual BOOL PreCreateWindow(CREATESTRUCTA& create);
    void OnDraw(HDC dc, const RECT& bounds, const RECT& invalid) override;
    virtual void OnSize(UINT type, int width, int height);
    virtual void OnTimer(UINT_PTR id);
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual void OnSetFocus(HWND previous);
    virtual void OnKillFocus(HWND next);
    virtual void OnActivate(UINT state, HWND other, BOOL minimized);
    virtual void OnSysCommand(UINT command, LPARAM lParam);
    // `button` is 1 left, 2 right, 4 middle; `keys` the MK_* flags of the message.
    virtual void OnButtonDown(USHORT button, UINT keys, POINT point);
    virtual void OnButtonUp(USHORT button, UINT keys, POINT point);
    virtual void OnButtonDblClk(USHORT button, UINT keys, POINT point);
    virtual void OnMouseMove(UINT keys, POINT point);
    // Every message the framework does not route to a handler above.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    void OnAmbientPropertyChange(DISPID dispid) override;
    DWORD GetMiscStatus() const override;
    std::vector<CLSID> GetPropertyPages() const override { return {}; }

    // ---- What the framework offers the derived control ----
    // Fires an event of the event table to every connected sink, on the creating thread only;
    // arguments in declaration order, converted to the declared parameter types.
    template <class... A> HRESULT FireEvent(DISPID dispid, A... arguments)
    {
        VARIANT values[sizeof...(A) + 1] = {};
        size_t index = 0;
        ((void)DispatchValue<DispatchPlain<A>>::To(arguments, &values[index++]), ...);
        const HRESULT hr = FireEventWith(dispid, values, sizeof...(A));
        for (VARIANT& value : values)
            VariantClear(&value);
        return hr;
    }
    HRESULT FireEventWith(DISPID dispid, VARIANT* argumentsInOrder, size_t count);

    bool IsModified() const override { return modified; }
    void SetModifiedFlag(bool isModified) override;
    void OnPropertiesLoaded() override;
    IUnknown* GetControllingUnknown() override { return &identity; }
    CLSID GetPersistClassId() const override { return GetControlClassId(); }

    HWND GetControlWindow() const override { return window; }
    bool IsInPlaceActive() const { return inPlaceObject.IsActive(); }
    bool IsUIActive() const { return inPlaceObject.IsUIActive(); }
    void InvalidateControl(const RECT* area = nullptr);
    // The extent in HIMETRIC; SetInitialSize gives it in pixels before the container does.
    SIZEL GetExtent() const override { return extent; }
    void SetInitialSize(int width, int height);
    // Asks the container for a new size (in pixels) while in place; otherwise sets the extent.
    void SetControlSize(int width, int height);

    bool GetAmbientProperty(DISPID dispid, VARTYPE type, VARIANT& value) const;
    OLE_COLOR AmbientBackColor() const;
    SHORT AmbientAppearance() const;
    bool AmbientUserMode() const;
    IOleClientSite* GetClientSite() const { return oleObject.ClientSite(); }

    OLE_COLOR GetBackColor() const { return backColor; }
    void SetBackColor(OLE_COLOR color);
    SHORT GetAppearance() const { return appearance; }
    void SetAppearance(SHORT value);
    // The stock properties the member table lists, as the "_StockProps" mask.
    ULONG StockPropertyMask() const;

    // Tells IPropertyNotifySink sinks that a bound property changed (DISPID_UNKNOWN: all).
    void BoundPropertyChanged(DISPID dispid);
    bool BoundPropertyRequestEdit(DISPID dispid);
    HRESULT ShowPropertyFrame() override;
    // The type library of the module the control lives in, and the type description of `iid`.
    HRESULT GetTypeInfoOf(REFIID iid, ITypeInfo** out) const override;
    bool EventsFrozen() const { return containerNotifications.EventsFrozen(); }

    // The original window procedure's answer to the message being handled.
    LRESULT Default();

    // Creates a control object of type `Control` and answers `iid` on it.
    template <class Control> static HRESULT CreateObject(REFIID iid, void** out)
    {
        return CreateObject<Control>(iid, out, [](Control&) {});
    }
    // The same, with `prepare(control)` run on the new object first (a module's factory gives it
    // the token that keeps the module loaded).
    template <class Control, class Prepare> static HRESULT CreateObject(REFIID iid, void** out, Prepare prepare)
    {
        if (!out)
            return E_POINTER;
        *out = nullptr;
        Control* control = new (std::nothrow) Control();
        if (!control)
            return E_OUTOFMEMORY;
        prepare(*control);
        IUnknown* unknown = control->GetControllingUnknown();
        const HRESULT hr = unknown->QueryInterface(iid, out);
        unknown->Release();  // the reference the object was born with
        return hr;
    }

protected:
    void SetAutomationIds(const IID& dispatchInterface, const IID& eventInterface);
    // The exchange OnResetState runs; tests hand in a recording one.
    virtual std::unique_ptr<CPropExchange> CreateResetExchange();

private:
    // Identity (OleControl.cpp).
    HRESULT FindInterface(REFIID iid, void** out) override;
    void OnFinalRelease() override;
    void SetExtent(SIZEL size) override { extent = size; }

    // Window (OleControlWindow.cpp).
    bool CreateControlWindow(HWND parent, const RECT& position) override;
    void DestroyControlWindow() override;
    static LRESULT CALLBACK ControlWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT RouteMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void PaintWindow();
    void RedrawFrame();
    // UI activation when the user clicks or tabs into an in-place control.
    void ActivateUIOnInput();

    // Stock mouse events (OleControlMouse.cpp).
    void FireMouseEvent(DISPID dispid, USHORT buttons, UINT keys, POINT point);
    bool OffersEvent(DISPID dispid) const;
    const EventEntry* FindEvent(DISPID dispid) const;

    // Automation's calls into the control (OleControlStockProperties.cpp).
    HRESULT CallHandler(DispatchCall handler, const DispatchArguments& arguments, VARIANT* result) override;
    HRESULT GetStockProperty(StockProperty property, VARIANT* out) const override;
    HRESULT PutStockProperty(StockProperty property, const VARIANT& value) override;

    // Persistence of the framework's items (OleControlPersistence.cpp).
    bool ExchangeStockProperties(CPropExchange& exchange);
    void ApplyLoadedExtent(SIZEL previous);

    CUnknownInterface identity{*this};
    COleObjectInterface oleObject{*this, inPlaceObject, identity};
    CInPlaceObjectInterface inPlaceObject{*this, inPlaceActiveObject, identity};
    CInPlaceActiveObjectInterface inPlaceActiveObject{inPlaceObject, identity};
    CContainerNotificationsInterface containerNotifications{*this, identity};
    CViewObjectInterface viewObject{*this, oleObject, identity};
    CDispatchInterface dispatch{*this, identity};
    CConnectionPointContainerInterface connectionPoints{identity};
    CProvideClassInfoInterface classInfo{*this, connectionPoints, identity};
    CSpecifyPropertyPagesInterface propertyPages{*this, identity};
    CPersistenceInterfaces persistence{*this};

    const DWORD creatorThread;
    mutable Microsoft::WRL::ComPtr<ITypeLib> typeLibrary;

    bool modified = false;
    SIZEL extent{};
    OLE_COLOR backColor = 0;
    SHORT appearance = 0;

    HWND window = nullptr;
    WNDPROC originalWindowProc = nullptr;
    MSG currentMessage{};
    // Buttons pressed inside the control and not yet released; the second press of a double click.
    USHORT buttonsDown = 0;
    USHORT doubleClickButtons = 0;
};
