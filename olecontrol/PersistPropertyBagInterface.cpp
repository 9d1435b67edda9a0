#include "PersistPropertyBagInterface.h"

#include "ExchangeRunner.h"
#include "PersistStreamInitInterface.h"
#include "PropertyBagLoadExchange.h"
#include "PropertyBagSaveExchange.h"

CPersistPropertyBagInterface::CPersistPropertyBagInterface(CPersistentObject& owner)
    : DelegatingInterface(*owner.GetControllingUnknown()), owner(owner)
{
}

STDMETHODIMP CPersistPropertyBagInterface::GetClassID(CLSID* classId)
{
    return PersistClassIdOf(owner, classId);
}

STDMETHODIMP CPersistPropertyBagInterface::InitNew()
{
    return ResetThroughObject(owner);
}

STDMETHODIMP CPersistPropertyBagInterface::Load(IPropertyBag* bag, IErrorLog* errorLog)
{
    if (!bag)
        return E_POINTER;
    CPropertyBagLoadExchange exchange(bag, errorLog);
    return LoadThroughExchange(owner, exchange);
}

STDMETHODIMP CPersistPropertyBagInterface::Save(IPropertyBag* bag, BOOL clearDirty, BOOL)
{
    // Every item is always written, so saveAllProperties changes nothing.
    if (!bag)
        return E_POINTER;
    CPropertyBagSaveExchange exchange(bag);
    return SaveThroughExchange(owner, exchange, clearDirty != FALSE);
}
