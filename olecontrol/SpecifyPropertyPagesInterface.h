// ISpecifyPropertyPages: the CLSIDs of the control's property pages.
#pragma once

#include <windows.h>
#include <ole2.h>
#include <olectl.h>
#include <ocidl.h>

#include <vector>

#include "DelegatingInterface.h"

// What listing the pages needs of the control.
class CSpecifyPropertyPagesOwner
{
public:
    virtual std::vector<CLSID> GetPropertyPages() const = 0;

protected:
    ~CSpecifyPropertyPagesOwner() = default;
};

class CSpecifyPropertyPagesInterface final : public DelegatingInterface<ISpecifyPropertyPages>
{
public:
    CSpecifyPropertyPagesInterface(CSpecifyPropertyPagesOwner& owner, IUnknown& outer)
        : DelegatingInterface(outer), owner(owner)
    {
    }

    HRESULT STDMETHODCALLTYPE GetPages(CAUUID* pages) override;

private:
    CSpecifyPropertyPagesOwner& owner;
};
