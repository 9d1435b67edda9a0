// The test server's property page: the framework's page base over the server's dialog.
#pragma once

#include "PropertyPage.h"
#include "ServerModule.h"

class CTestServerPage final : public CPropertyPage
{
public:
    CTestServerPage(CServerModule& module, HINSTANCE resources);
    static HRESULT Create(REFIID iid, void** object);

private:
    CModuleObjectToken token;
};
