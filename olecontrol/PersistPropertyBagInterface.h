// IPersistPropertyBag for a control: the items by name.
#pragma once

#include "DelegatingInterface.h"
#include "PersistentObject.h"

#include <ocidl.h>

class CPersistPropertyBagInterface final : public DelegatingInterface<IPersistPropertyBag>
{
public:
    explicit CPersistPropertyBagInterface(CPersistentObject& owner);

    STDMETHODIMP GetClassID(CLSID* classId) override;
    STDMETHODIMP InitNew() override;
    STDMETHODIMP Load(IPropertyBag* bag, IErrorLog* errorLog) override;
    STDMETHODIMP Save(IPropertyBag* bag, BOOL clearDirty, BOOL saveAllProperties) override;

private:
    CPersistentObject& owner;
};
