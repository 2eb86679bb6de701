// The Windows shell's desktop list view, read across processes: blocks reserved in the
// shell's process carry the requests and answers of the list view messages. The record
// layout follows the shell's bitness (variant B on a 64-bit Windows).

#include <windows.h>

#include <algorithm>
#include <string>

#include "desktop/IconCapture.h"
#include "platform/WindowsProbes.h"
#include "store/Codec.h"

namespace capture {
namespace {

void debugTrace(const std::string& utf8) {
    // Formatted diagnostics go through a 4,096-byte buffer.
    std::string bytes = codec::toCp936(utf8).value_or(utf8);
    if (bytes.size() > 4095) bytes.resize(4095);
    OutputDebugStringA(bytes.c_str());
}

class RemoteListView : public ShellListView {
  public:
    RemoteListView(HWND view, HANDLE process) : view_(view), process_(process) {}

    std::uint64_t reserve(std::size_t bytes) override {
        void* p = VirtualAllocEx(process_, nullptr, bytes, MEM_COMMIT, PAGE_READWRITE);
        return reinterpret_cast<std::uintptr_t>(p);
    }
    void release(std::uint64_t address) override {
        VirtualFreeEx(process_, reinterpret_cast<void*>(static_cast<std::uintptr_t>(address)), 0,
                      MEM_RELEASE);
    }
    bool write(std::uint64_t address, const void* data, std::size_t bytes) override {
        SIZE_T done = 0;
        return WriteProcessMemory(process_,
                                  reinterpret_cast<void*>(static_cast<std::uintptr_t>(address)),
                                  data, bytes, &done) != FALSE;
    }
    bool read(std::uint64_t address, void* data, std::size_t bytes) override {
        SIZE_T done = 0;
        return ReadProcessMemory(
                   process_, reinterpret_cast<const void*>(static_cast<std::uintptr_t>(address)),
                   data, bytes, &done) != FALSE;
    }
    std::intptr_t send(unsigned message, std::uintptr_t wParam, std::uint64_t lParam) override {
        return SendMessageA(view_, message, static_cast<WPARAM>(wParam),
                            static_cast<LPARAM>(static_cast<std::uintptr_t>(lParam)));
    }
    void trace(const std::string& text) override { debugTrace(text); }

  private:
    HWND view_;
    HANDLE process_;
};

HWND toWindow(std::uintptr_t h) { return reinterpret_cast<HWND>(h); }
std::uintptr_t fromWindow(HWND h) { return reinterpret_cast<std::uintptr_t>(h); }

class WindowsIconCapture : public IconCapture {
  public:
    Result capture() override {
        Result result;
        result.outcome = Outcome::Captured;  // a missing shell just yields no icons
        result.source = "shell";
        const bool variantB = platform::runningUnderWow64();
        if (variantB) debugTrace("in SetDesktopIconPosFun!\n");

        WindowTree tree;
        tree.findTopLevel = [](const char* cls) { return fromWindow(FindWindowA(cls, nullptr)); };
        tree.findChild = [](std::uintptr_t parent, const char* cls) {
            return fromWindow(FindWindowExA(toWindow(parent), nullptr, cls, nullptr));
        };
        tree.next = [](std::uintptr_t w) {
            return fromWindow(GetWindow(toWindow(w), GW_HWNDNEXT));
        };
        HWND view = toWindow(findDesktopListView(tree, variantB));

        HANDLE process = nullptr;
        if (view) {
            DWORD pid = 0;
            GetWindowThreadProcessId(view, &pid);
            process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE |
                                      PROCESS_QUERY_INFORMATION,
                                  FALSE, pid);
        }
        if (!process) {
            if (variantB) debugTrace("GetIconRect 获取进程句柄操作失败!");
            return result;
        }
        RemoteListView remote(view, process);
        captureFromListView(remote, variantB, result.icons);
        CloseHandle(process);
        return result;
    }
};

}  // namespace

std::unique_ptr<IconCapture> makeWindowsCapture() { return std::make_unique<WindowsIconCapture>(); }

}  // namespace capture
