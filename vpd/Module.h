// Module-wide state of the COM server: the instance handle that dialogs, bitmaps and pages load
// from, the server lock count and the count of live objects, which decide DllCanUnloadNow.
#pragma once
#include <windows.h>

namespace vpd {

// The one class the plug-in serves.
inline constexpr CLSID CLSID_OemUI = {
    0xABCE80D7, 0x9F46, 0x11D1, {0x88, 0x2A, 0x00, 0xC0, 0x4F, 0xB9, 0x61, 0xEC}};

HINSTANCE moduleInstance();

// Interlocked: the print system may call from any thread.
void objectCreated();
void objectDestroyed();
void lockServer(bool lock);
bool serverInUse();

}  // namespace vpd
