#include "CorvanePropPage.h"

#include "CorvaneResourceIds.h"

// No dialog control is bound to a property, so the framework's data exchange is left as it is.
CCorvanePropPage::CCorvanePropPage(CServerModule& module, HINSTANCE resources)
    : CPropertyPage(resources, IDD_PROPPAGE_CORVANE, IDS_CORVANE_PPG_CAPTION), token(module)
{
}
