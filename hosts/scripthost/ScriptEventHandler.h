// Where a created object's events go in a script: event Name calls the script's prefix_Name
// routine if it has one; errors in the routine are reported through the session.
#pragma once

#include "ScriptSession.h"

#include <oaidl.h>

#include <string>

void CallScriptEventHandler(CScriptSession& session, const std::wstring& handler, DISPPARAMS* parameters);
