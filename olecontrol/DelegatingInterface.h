// Base of the framework's small interface classes: every one of them answers IUnknown through the
// object that owns it, so the object has one identity and one reference count.
#pragma once

#include <windows.h>
#include <unknwn.h>

template <class Interface> class DelegatingInterface : public Interface
{
public:
    explicit DelegatingInterface(IUnknown& outer) : outer(outer) {}
    DelegatingInterface(const DelegatingInterface&) = delete;
    DelegatingInterface& operator=(const DelegatingInterface&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override { return outer.QueryInterface(iid, out); }
    ULONG STDMETHODCALLTYPE AddRef() override { return outer.AddRef(); }
    ULONG STDMETHODCALLTYPE Release() override { return outer.Release(); }

protected:
    IUnknown& outer;
};
