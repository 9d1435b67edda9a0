// The three media an object's properties are saved on (a stream, a property bag, a compound
// file), each written and read through the object's own persistence interface, so one test can
// run over all three.
#pragma once

#include "support/MemoryPropertyBag.h"

#include <windows.h>
#include <ocidl.h>
#include <wrl/client.h>

#include <string>

enum class PersistenceMedium { Stream, PropertyBag, Storage };

inline constexpr PersistenceMedium kPersistenceMedia[] = {PersistenceMedium::Stream, PersistenceMedium::PropertyBag,
                                                          PersistenceMedium::Storage};

// "Stream", "PropertyBag", "Storage": names for parameterised tests.
std::string NameOf(PersistenceMedium medium);

// One saved form on one medium: InitNew starts an object there, Save writes it (clearing its
// dirty state and, for a storage, handing the storage back), Load reads it into another object.
class SavedForm final
{
public:
    explicit SavedForm(PersistenceMedium medium);

    HRESULT InitNew(IUnknown* object);
    HRESULT Save(IUnknown* object);
    HRESULT Load(IUnknown* object);

private:
    PersistenceMedium medium;
    Microsoft::WRL::ComPtr<IStream> stream;
    CMemoryPropertyBag bag;
    Microsoft::WRL::ComPtr<IStorage> storage;
};
