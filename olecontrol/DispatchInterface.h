// IDispatch over the control's member table: name lookup, argument checks and coercion, and
// calls of the handlers; the stock properties are the control's to keep.
#pragma once

#include <windows.h>
#include <ole2.h>
#include <olectl.h>
#include <ocidl.h>

#include "DelegatingInterface.h"
#include "DispatchTable.h"

// What automation needs of the control.
class CDispatchOwner
{
public:
    virtual DispatchTable GetDispatchTable() const = 0;
    virtual HRESULT GetTypeInfoOf(REFIID iid, ITypeInfo** out) const = 0;
    // Runs one handler of the member table on the control.
    virtual HRESULT CallHandler(DispatchCall handler, const DispatchArguments& arguments, VARIANT* result) = 0;
    virtual HRESULT GetStockProperty(StockProperty property, VARIANT* out) const = 0;
    virtual HRESULT PutStockProperty(StockProperty property, const VARIANT& value) = 0;
    virtual void SetModifiedFlag(bool modified) = 0;

protected:
    ~CDispatchOwner() = default;
};

class CDispatchInterface final : public DelegatingInterface<IDispatch>
{
public:
    CDispatchInterface(CDispatchOwner& owner, IUnknown& outer) : DelegatingInterface(outer), owner(owner) {}

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID dispid, REFIID, LCID, WORD flags, DISPPARAMS* parameters, VARIANT* result, EXCEPINFO* exception, UINT* argumentError) override;

    // The control's dual interface, answered beside IDispatch; its type info is index 0.
    void SetInterfaceId(const IID& iid) { interfaceId = iid; }
    const IID& InterfaceId() const { return interfaceId; }

private:
    CDispatchOwner& owner;
    IID interfaceId = IID_IDispatch;
};
