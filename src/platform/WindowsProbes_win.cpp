#include <windows.h>

#include <optional>

#include "platform/WindowsProbes.h"
#include "store/ProfileStore.h"

namespace platform {

int systemClassifyWindows();
bool systemRunningUnderWow64();
int systemShellIconSize();

int systemClassifyWindows() {
    OSVERSIONINFOEXA ex{};
    ex.dwOSVersionInfoSize = sizeof ex;
    std::optional<WindowsVersion> version;
#pragma warning(suppress : 4996)  // GetVersionEx: the manifest-free answer is what we want
    if (GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&ex))) {
        version = WindowsVersion{ex.dwPlatformId == VER_PLATFORM_WIN32_NT, ex.dwMajorVersion,
                                 ex.dwMinorVersion};
    } else {
        OSVERSIONINFOA basic{};
        basic.dwOSVersionInfoSize = sizeof basic;
#pragma warning(suppress : 4996)
        if (GetVersionExA(&basic))
            version = WindowsVersion{basic.dwPlatformId == VER_PLATFORM_WIN32_NT,
                                     basic.dwMajorVersion, basic.dwMinorVersion};
    }
    return classifyVersion(version, runningUnderWow64());
}

bool systemRunningUnderWow64() {
    using IsWow64ProcessFn = BOOL(WINAPI*)(HANDLE, PBOOL);
    HMODULE kernel = nullptr;
    char system[MAX_PATH];
    UINT n = GetSystemDirectoryA(system, MAX_PATH);
    if (n > 0 && n < MAX_PATH - 16) {
        lstrcatA(system, "\\kernel32.dll");
        kernel = GetModuleHandleA(system);
    }
    if (!kernel) kernel = GetModuleHandleA("kernel32.dll");
    if (!kernel) return false;
    auto fn = reinterpret_cast<IsWow64ProcessFn>(GetProcAddress(kernel, "IsWow64Process"));
    if (!fn) return false;
    BOOL wow64 = FALSE;
    if (!fn(GetCurrentProcess(), &wow64)) return false;
    return wow64 != FALSE;
}

int systemShellIconSize() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop\\WindowMetrics", 0, KEY_READ,
                      &key) != ERROR_SUCCESS)
        return 0;
    char buf[261] = {};
    DWORD size = 260;
    DWORD type = 0;
    LONG rc = RegQueryValueExA(key, "Shell Icon Size", nullptr, &type,
                               reinterpret_cast<BYTE*>(buf), &size);
    RegCloseKey(key);
    if (rc != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return 0;
    buf[size < 260 ? size : 260] = '\0';
    return atoiCompat(buf);
}

}  // namespace platform
