// IUnknown: the control's one identity for QueryInterface and its one reference count.
#pragma once

#include <windows.h>
#include <unknwn.h>

// What the identity needs of the object it stands for.
class CUnknownOwner
{
public:
    // Every interface but IUnknown: S_OK with a reference added, else E_NOINTERFACE and *out null.
    virtual HRESULT FindInterface(REFIID iid, void** out) = 0;
    // The last reference went: the object ends itself.
    virtual void OnFinalRelease() = 0;

protected:
    ~CUnknownOwner() = default;
};

class CUnknownInterface final : public IUnknown
{
public:
    explicit CUnknownInterface(CUnknownOwner& owner) : owner(owner) {}
    CUnknownInterface(const CUnknownInterface&) = delete;
    CUnknownInterface& operator=(const CUnknownInterface&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

private:
    CUnknownOwner& owner;
    LONG references = 1;
};
