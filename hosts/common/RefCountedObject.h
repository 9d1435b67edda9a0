// The host's own small COM objects: one interface each, counted, deleted at the last release.
#pragma once

#include <windows.h>
#include <oaidl.h>

template <class Interface>
class CRefCountedObject : public Interface
{
public:
    CRefCountedObject(const CRefCountedObject&) = delete;
    CRefCountedObject& operator=(const CRefCountedObject&) = delete;

    STDMETHODIMP QueryInterface(REFIID iid, void** object) override
    {
        if (!object)
            return E_POINTER;
        if (iid == IID_IUnknown || IsOffered(iid)) {
            *object = static_cast<Interface*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&references)); }
    STDMETHODIMP_(ULONG) Release() override
    {
        LONG count = InterlockedDecrement(&references);
        if (count == 0)
            delete this;
        return static_cast<ULONG>(count);
    }

protected:
    CRefCountedObject() = default;
    virtual ~CRefCountedObject() = default;
    // The interface IDs besides IUnknown that this object answers with `Interface`.
    virtual bool IsOffered(REFIID iid) const = 0;

private:
    volatile LONG references = 1;
};

// COM methods must not let a C++ exception (out of memory) escape to the engine.
template <class Body>
HRESULT WithoutThrowing(Body&& body) noexcept
{
    try {
        return body();
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

// A late-bound dispatch object without type information.
class CLateBoundDispatch : public CRefCountedObject<IDispatch>
{
public:
    STDMETHODIMP GetTypeInfoCount(UINT* count) override
    {
        if (!count)
            return E_POINTER;
        *count = 0;
        return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** info) override
    {
        if (info)
            *info = nullptr;
        return DISP_E_BADINDEX;
    }
};
