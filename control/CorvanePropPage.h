// The control's own property page: one note on dialog 200, captioned "General". It edits no
// property; the host's property window is where the control's properties are edited.
#pragma once

#include "PropertyPage.h"
#include "ServerModule.h"

class CCorvanePropPage final : public CPropertyPage
{
public:
    // `resources` is the module carrying the page's dialog and caption string.
    CCorvanePropPage(CServerModule& module, HINSTANCE resources);

private:
    CModuleObjectToken token;
};
