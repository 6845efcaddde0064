// SPDX-License-Identifier: MIT
#pragma once

#include <windows.h>

#include <bit>

// A function of a system library, looked up at run time: null where the running Windows lacks it
// (or the library could not be loaded), so that the program still starts there and does without.
template <typename Function> Function systemFunction(HMODULE library, const char *name)
{
    if (library == nullptr) {
        return nullptr;
    }
    // One function pointer type to another: bit_cast, which GCC's cast checks accept.
    return std::bit_cast<Function>(GetProcAddress(library, name));
}
