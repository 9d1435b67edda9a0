// Registers the type library that a module carries as its "TYPELIB" resource.
#pragma once

#include "RegistrationScope.h"

#include <windows.h>

// Loads the library from the module file, checks its LIBID and registers it with the module's
// full path and no help folder, machine-wide or for the current user only. S_OK or SELFREG_E_TYPELIB.
HRESULT RegisterModuleTypeLibrary(HINSTANCE module, REFGUID expectedLibraryId,
                                  RegistrationScope scope = RegistrationScope::Machine);
// Unregisters version major.minor for this build's system kind, under the locale the library
// declares (the system registers it under that locale). A library that is not registered counts
// as unregistered. S_OK or SELFREG_E_TYPELIB.
HRESULT UnregisterModuleTypeLibrary(REFGUID libraryId, WORD major, WORD minor, LCID locale = 0,
                                    RegistrationScope scope = RegistrationScope::Machine);
