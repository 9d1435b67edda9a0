#include "SpecifyPropertyPagesInterface.h"

HRESULT CSpecifyPropertyPagesInterface::GetPages(CAUUID* pages)
{
    if (!pages)
        return E_POINTER;
    pages->cElems = 0;
    pages->pElems = nullptr;
    const std::vector<CLSID> list = owner.GetPropertyPages();
    if (list.empty())
        return S_OK;
    auto* elements = static_cast<GUID*>(CoTaskMemAlloc(sizeof(GUID) * list.size()));
    if (!elements)
        return E_OUTOFMEMORY;
    for (size_t i = 0; i < list.size(); ++i)
        elements[i] = list[i];
    pages->cElems = static_cast<ULONG>(list.size());
    pages->pElems = elements;
    return S_OK;
}
