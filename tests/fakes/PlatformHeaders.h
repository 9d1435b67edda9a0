// The platform headers the fakes need, in the order they depend on each other.
#pragma once

#include <windows.h>
#include <objbase.h>
#include <d3d9.h>
#include <d3dx9.h>
#include <dshow.h>
#include <vmr9.h>
