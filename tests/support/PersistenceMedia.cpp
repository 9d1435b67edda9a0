#include "PersistenceMedia.h"

#include "MemoryStreams.h"

using Microsoft::WRL::ComPtr;

namespace {

template <class Interface> ComPtr<Interface> PersistOf(IUnknown* object)
{
    ComPtr<Interface> persist;
    object->QueryInterface(IID_PPV_ARGS(&persist));
    return persist;
}

} // namespace

std::string NameOf(PersistenceMedium medium)
{
    switch (medium) {
    case PersistenceMedium::Stream:
        return "Stream";
    case PersistenceMedium::PropertyBag:
        return "PropertyBag";
    case PersistenceMedium::Storage:
        return "Storage";
    }
    return "Unknown";
}

SavedForm::SavedForm(PersistenceMedium medium) : medium(medium)
{
    if (medium == PersistenceMedium::Stream)
        stream = NewMemoryStream();
    if (medium == PersistenceMedium::Storage)
        StgCreateDocfile(nullptr, STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE | STGM_DELETEONRELEASE, 0,
                         &storage);
}

HRESULT SavedForm::InitNew(IUnknown* object)
{
    switch (medium) {
    case PersistenceMedium::Stream:
        return PersistOf<IPersistStreamInit>(object)->InitNew();
    case PersistenceMedium::PropertyBag:
        return PersistOf<IPersistPropertyBag>(object)->InitNew();
    case PersistenceMedium::Storage:
        return PersistOf<IPersistStorage>(object)->InitNew(storage.Get());
    }
    return E_UNEXPECTED;
}

HRESULT SavedForm::Save(IUnknown* object)
{
    switch (medium) {
    case PersistenceMedium::Stream:
        return PersistOf<IPersistStreamInit>(object)->Save(stream.Get(), TRUE);
    case PersistenceMedium::PropertyBag:
        return PersistOf<IPersistPropertyBag>(object)->Save(&bag, TRUE, FALSE);
    case PersistenceMedium::Storage: {
        ComPtr<IPersistStorage> persist = PersistOf<IPersistStorage>(object);
        HRESULT hr = persist->Save(storage.Get(), TRUE);
        if (SUCCEEDED(hr))
            hr = persist->SaveCompleted(nullptr);
        return SUCCEEDED(hr) ? persist->HandsOffStorage() : hr;
    }
    }
    return E_UNEXPECTED;
}

HRESULT SavedForm::Load(IUnknown* object)
{
    switch (medium) {
    case PersistenceMedium::Stream: {
        LARGE_INTEGER start = {};
        stream->Seek(start, STREAM_SEEK_SET, nullptr);
        return PersistOf<IPersistStreamInit>(object)->Load(stream.Get());
    }
    case PersistenceMedium::PropertyBag:
        return PersistOf<IPersistPropertyBag>(object)->Load(&bag, nullptr);
    case PersistenceMedium::Storage:
        return PersistOf<IPersistStorage>(object)->Load(storage.Get());
    }
    return E_UNEXPECTED;
}
