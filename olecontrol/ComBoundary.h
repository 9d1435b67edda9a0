// Entry points called through COM or by the system must not let a C++ exception escape.
#pragma once

#include <windows.h>

// Runs `body` and returns its HRESULT, or `failure` if it throws (in practice: out of memory).
template <class Body>
HRESULT CallWithoutThrowing(HRESULT failure, Body&& body) noexcept
{
    try {
        return body();
    } catch (...) {
        return failure;
    }
}
