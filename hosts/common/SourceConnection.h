// Where a control's events come from: its default source interface, the connection point that
// serves it and the interface's type description (to name the DISPIDs), as a host needs them to
// connect a sink.
#pragma once

#include <ocidl.h>
#include <olectl.h>
#include <wrl/client.h>

struct SourceConnection
{
    IID source = {};
    Microsoft::WRL::ComPtr<IConnectionPoint> point;
    Microsoft::WRL::ComPtr<ITypeInfo> events;  // null when the class describes no such interface
};

// The type description of interface `iid` among those the object's class implements.
inline Microsoft::WRL::ComPtr<ITypeInfo> ImplementedTypeInfo(IProvideClassInfo* classInfo, REFIID iid)
{
    Microsoft::WRL::ComPtr<ITypeInfo> coclass;
    TYPEATTR* attributes = nullptr;
    if (FAILED(classInfo->GetClassInfo(&coclass)) || FAILED(coclass->GetTypeAttr(&attributes)))
        return nullptr;
    const WORD implemented = attributes->cImplTypes;
    coclass->ReleaseTypeAttr(attributes);
    for (UINT i = 0; i < implemented; ++i) {
        HREFTYPE reference = 0;
        Microsoft::WRL::ComPtr<ITypeInfo> candidate;
        TYPEATTR* candidateAttributes = nullptr;
        if (FAILED(coclass->GetRefTypeOfImplType(i, &reference)) ||
            FAILED(coclass->GetRefTypeInfo(reference, &candidate)) ||
            FAILED(candidate->GetTypeAttr(&candidateAttributes)))
            continue;
        const bool matches = IsEqualIID(candidateAttributes->guid, iid) != FALSE;
        candidate->ReleaseTypeAttr(candidateAttributes);
        if (matches)
            return candidate;
    }
    return nullptr;
}

inline HRESULT FindSourceConnection(IUnknown* object, SourceConnection& found)
{
    Microsoft::WRL::ComPtr<IProvideClassInfo2> classInfo;
    HRESULT hr = object->QueryInterface(IID_PPV_ARGS(&classInfo));
    if (SUCCEEDED(hr))
        hr = classInfo->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &found.source);
    Microsoft::WRL::ComPtr<IConnectionPointContainer> container;
    if (SUCCEEDED(hr))
        hr = object->QueryInterface(IID_PPV_ARGS(&container));
    if (SUCCEEDED(hr))
        hr = container->FindConnectionPoint(found.source, &found.point);
    if (FAILED(hr))
        return hr;
    found.events = ImplementedTypeInfo(classInfo.Get(), found.source);
    return S_OK;
}
