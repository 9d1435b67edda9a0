// What the header widl generates from Corvane.idl includes for the standard automation types:
// the system's own declarations.
#pragma once

#include <oaidl.h>
#include <olectl.h>
