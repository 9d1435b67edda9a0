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

#include "ConnectionPoint.h"
#include "DispatchTable.h"
#include "PersistenceInterfaces.h"
#include "PersistentObject.h"
#include "PropExchange.h"

#include "ConnectionPointContainerInterface.h"
#include "ControlIdentity.h"
#include "DispatchInterface.h"
#include "InPlaceActiveObjectInterface.h"
#include "InPlaceObjectInterface.h"
#include "OleControlInterface.h"
#include "OleObjectInterface.h"
#include "ProvideClassInfoInterface.h"
#include "SpecifyPropertyPagesInterface.h"
#include "ViewObjectInterface.h"

class COleControl : public CPersistentObject
{
public:
    COleControl();
    ~COleControl() override;
    COleControl(const COleControl&) = delete;
    COleControl& operator=(const COleControl&) = delete;

    // ---- What the derived control supplies ----
    virtual CLSID GetControlClassId() const = 0;
    virtual DispatchTable GetDispatchTable() const = 0;
    virtual EventTable GetEventTable() const = 0;
    // The framework's own items; a derived DoPropExchange calls this after its own items.
    void DoPropExchange(CPropExchange& exchange) override;
    // Every item to its default through the reset exchange; clears the modified flag.
    void OnResetState() override;

    virtual BOOL PreCreateWindow(CREATESTRUCTA& create);
    virtual void OnDraw(HDC dc, const RECT& bounds, const RECT& invalid);
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
    virtual void OnAmbientPropertyChange(DISPID dispid);
    virtual DWORD GetMiscStatus() const;
    virtual std::vector<CLSID> GetPropertyPages() const { return {}; }

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

    HWND GetControlWindow() const { return window; }
    HRESULT GetWindowHandle(HWND* out) const;
    bool IsInPlaceActive() const { return inPlaceActive; }
    bool IsUIActive() const { return uiActive; }
    void InvalidateControl(const RECT* area = nullptr);
    // The extent in HIMETRIC; SetInitialSize gives it in pixels before the container does.
    SIZEL GetExtent() const { return extent; }
    void SetInitialSize(int width, int height);
    // Asks the container for a new size (in pixels) while in place; otherwise sets the extent.
    void SetControlSize(int width, int height);

    bool GetAmbientProperty(DISPID dispid, VARTYPE type, VARIANT& value) const;
    OLE_COLOR AmbientBackColor() const;
    SHORT AmbientAppearance() const;
    bool AmbientUserMode() const;
    IOleClientSite* GetClientSite() const { return clientSite.Get(); }

    OLE_COLOR GetBackColor() const { return backColor; }
    void SetBackColor(OLE_COLOR color);
    SHORT GetAppearance() const { return appearance; }
    void SetAppearance(SHORT value);
    // The stock properties the member table lists, as the "_StockProps" mask.
    ULONG StockPropertyMask() const;

    // Tells IPropertyNotifySink sinks that a bound property changed (DISPID_UNKNOWN: all).
    void BoundPropertyChanged(DISPID dispid);
    bool BoundPropertyRequestEdit(DISPID dispid);
    HRESULT ShowPropertyFrame();
    // The type library of the module the control lives in, and the type description of `iid`.
    HRESULT GetTypeInfoOf(REFIID iid, ITypeInfo** out) const;
    bool EventsFrozen() const { return freezeCount > 0; }

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
    friend class ControlIdentity;
    friend class OleObjectInterface;
    friend class InPlaceObjectInterface;
    friend class InPlaceActiveObjectInterface;
    friend class OleControlInterface;
    friend class ViewObjectInterface;
    friend class DispatchInterface;
    friend class ProvideClassInfoInterface;
    friend class ConnectionPointContainerInterface;
    friend class SpecifyPropertyPagesInterface;

    // Identity and lifetime (OleControlIdentity.cpp).
    HRESULT InternalQueryInterface(REFIID iid, void** out);
    ULONG InternalAddRef();
    ULONG InternalRelease();

    // IOleObject (OleControlObject.cpp).
    HRESULT SetClientSite(IOleClientSite* site);
    HRESULT GetClientSite(IOleClientSite** out);
    HRESULT Close(DWORD saveOption);
    HRESULT DoVerb(LONG verb, IOleClientSite* site, HWND parent, const RECT* position);
    HRESULT SetExtent(DWORD aspect, const SIZEL* size);
    HRESULT GetExtent(DWORD aspect, SIZEL* size) const;
    HRESULT EnsureOleAdviseHolder();
    HRESULT AdviseOle(IAdviseSink* sink, DWORD* cookie);
    HRESULT UnadviseOle(DWORD cookie);
    HRESULT EnumOleAdvise(IEnumSTATDATA** out);

    // Activation (OleControlActivation.cpp).
    HRESULT InPlaceActivate(bool activateUI, IOleClientSite* site, HWND parent, const RECT* position);
    HRESULT UIDeactivate();
    HRESULT InPlaceDeactivate();
    HRESULT SetObjectRects(const RECT* position, const RECT* clip);
    HRESULT HideControl();
    // Asks the container for a placement of this size at the current position (in place only).
    void RequestPlacementSize(SIZE pixels);

    // Window (OleControlWindow.cpp).
    bool CreateControlWindow(HWND parent, const RECT& position);
    void DestroyControlWindow();
    static LRESULT CALLBACK ControlWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT RouteMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void PaintWindow();
    void RedrawFrame();

    // Stock mouse events (OleControlMouse.cpp).
    void FireMouseEvent(DISPID dispid, USHORT buttons, UINT keys, POINT point);
    bool OffersEvent(DISPID dispid) const;
    const EventEntry* FindEvent(DISPID dispid) const;

    // IViewObject2 (OleControlView.cpp).
    HRESULT Draw(DWORD aspect, HDC dc, const RECTL* bounds);
    HRESULT SetViewAdvise(DWORD aspects, DWORD flags, IAdviseSink* sink);
    HRESULT GetViewAdvise(DWORD* aspects, DWORD* flags, IAdviseSink** sink);
    void NotifyViewChanged();

    // IOleControl (OleControlAmbient.cpp).
    HRESULT FreezeEvents(BOOL freeze);

    // IDispatch (OleControlDispatch.cpp).
    HRESULT GetIDsOfNames(LPOLESTR* names, UINT count, DISPID* ids) const;
    HRESULT Invoke(DISPID dispid, WORD flags, DISPPARAMS* parameters, VARIANT* result, EXCEPINFO* exception,
                   UINT* argumentError);
    HRESULT GetStockProperty(StockProperty property, VARIANT* out) const;
    HRESULT PutStockProperty(StockProperty property, const VARIANT& value);

    // Connection points (OleControlEvents.cpp).
    HRESULT FindConnectionPoint(REFIID iid, IConnectionPoint** out);
    HRESULT EnumConnectionPoints(IEnumConnectionPoints** out);

    // Persistence of the framework's items (OleControlPersistence.cpp).
    bool ExchangeStockProperties(CPropExchange& exchange);
    void ApplyLoadedExtent(SIZEL previous);

    ControlIdentity identity{*this};
    OleObjectInterface oleObject{*this, identity};
    InPlaceObjectInterface inPlaceObject{*this, identity};
    InPlaceActiveObjectInterface inPlaceActiveObject{*this, identity};
    OleControlInterface oleControl{*this, identity};
    ViewObjectInterface viewObject{*this, identity};
    DispatchInterface dispatch{*this, identity};
    ProvideClassInfoInterface classInfo{*this, identity};
    ConnectionPointContainerInterface connectionPoints{*this, identity};
    SpecifyPropertyPagesInterface propertyPages{*this, identity};
    CPersistenceInterfaces persistence{*this};
    ConnectionPoint eventPoint;
    ConnectionPoint propertyNotifyPoint;

    LONG references = 1;
    const DWORD creatorThread;
    IID dispatchIid = IID_IDispatch;
    IID eventIid = IID_NULL;

    Microsoft::WRL::ComPtr<IOleClientSite> clientSite;
    Microsoft::WRL::ComPtr<IOleControlSite> controlSite;
    Microsoft::WRL::ComPtr<IOleInPlaceSite> inPlaceSite;
    Microsoft::WRL::ComPtr<IOleInPlaceFrame> inPlaceFrame;
    Microsoft::WRL::ComPtr<IOleInPlaceUIWindow> inPlaceUIWindow;
    Microsoft::WRL::ComPtr<IOleAdviseHolder> oleAdviseHolder;
    Microsoft::WRL::ComPtr<IAdviseSink> viewAdviseSink;
    DWORD viewAdviseAspects = 0;
    DWORD viewAdviseFlags = 0;
    mutable Microsoft::WRL::ComPtr<ITypeLib> typeLibrary;

    bool inPlaceActive = false;
    bool uiActive = false;
    bool modified = false;
    LONG freezeCount = 0;
    SIZEL extent{};
    RECT positionRect{};
    OLE_COLOR backColor = 0;
    SHORT appearance = 0;

    HWND window = nullptr;
    WNDPROC originalWindowProc = nullptr;
    MSG currentMessage{};
    // Buttons pressed inside the control and not yet released; the second press of a double click.
    USHORT buttonsDown = 0;
    USHORT doubleClickButtons = 0;
};
