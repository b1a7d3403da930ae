// Owners for Win32 handles: one move-only template with a close policy per handle kind, a guard that puts
// back the object a SelectObject replaced, and the one place where a Win32 error code becomes text.
#pragma once

// winsock2.h must come before windows.h unless WIN32_LEAN_AND_MEAN keeps winsock.h out; include it first anyway.
#include <windows.h>
#include <wininet.h>
#include <winsock2.h>

#include <string>
#include <utility>

namespace cl {

// Owns one handle and closes it through Policy. A policy provides `using Handle`, `static Handle Null()`,
// `static bool Valid(Handle)` and `void Close(Handle)`; a policy may carry state (the window of a GetDC).
// Copying is forbidden: two owners of one handle would close it twice.
template <typename Policy>
class UniqueHandle {
  public:
    using Handle = typename Policy::Handle;

    UniqueHandle() noexcept = default;
    explicit UniqueHandle(Handle handle, Policy policy = Policy{}) noexcept : handle_(handle), policy_(policy) {}
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()), policy_(other.policy_) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) {
            Policy policy = other.policy_;
            reset(other.release());
            policy_ = policy;
        }
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    ~UniqueHandle() { reset(); }

    Handle get() const noexcept { return handle_; }
    explicit operator bool() const noexcept { return Policy::Valid(handle_); }

    // Gives up ownership without closing.
    Handle release() noexcept { return std::exchange(handle_, Policy::Null()); }

    // Closes the handle held so far (if any) and takes the new one.
    void reset(Handle handle = Policy::Null()) noexcept {
        Handle old = std::exchange(handle_, handle);
        if (Policy::Valid(old)) policy_.Close(old);
    }

  private:
    Handle handle_ = Policy::Null();
    [[no_unique_address]] Policy policy_{};
};

// Kernel objects: files, processes, threads, events. CreateFile reports failure as INVALID_HANDLE_VALUE and most
// other functions as NULL, so both count as "no handle".
struct KernelHandlePolicy {
    using Handle = HANDLE;
    static Handle Null() noexcept { return nullptr; }
    static bool Valid(Handle h) noexcept { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    void Close(Handle h) const noexcept { ::CloseHandle(h); }
};

struct FindHandlePolicy {
    using Handle = HANDLE;
    static Handle Null() noexcept { return INVALID_HANDLE_VALUE; }
    static bool Valid(Handle h) noexcept { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    void Close(Handle h) const noexcept { ::FindClose(h); }
};

struct InternetHandlePolicy {
    using Handle = HINTERNET;
    static Handle Null() noexcept { return nullptr; }
    static bool Valid(Handle h) noexcept { return h != nullptr; }
    void Close(Handle h) const noexcept { ::InternetCloseHandle(h); }
};

// A global memory block (GlobalAlloc); a stream made over it with CreateStreamOnHGlobal may take it over.
struct GlobalMemoryPolicy {
    using Handle = HGLOBAL;
    static Handle Null() noexcept { return nullptr; }
    static bool Valid(Handle h) noexcept { return h != nullptr; }
    void Close(Handle h) const noexcept { ::GlobalFree(h); }
};

// A COM interface pointer (an OLE picture, a stream): one reference, given back with Release.
template <typename T>
struct ComPolicy {
    using Handle = T*;
    static Handle Null() noexcept { return nullptr; }
    static bool Valid(Handle h) noexcept { return h != nullptr; }
    void Close(Handle h) const noexcept { h->Release(); }
};

struct SocketPolicy {
    using Handle = SOCKET;
    static Handle Null() noexcept { return INVALID_SOCKET; }
    static bool Valid(Handle h) noexcept { return h != INVALID_SOCKET; }
    void Close(Handle h) const noexcept { ::closesocket(h); }
};

// Pens, brushes, bitmaps, fonts, regions. An object still selected into a DC must not be deleted: select the
// previous one back first (SelectGuard does that) and declare the owner before the guard.
template <typename T>
struct GdiObjectPolicy {
    using Handle = T;
    static Handle Null() noexcept { return nullptr; }
    static bool Valid(Handle h) noexcept { return h != nullptr; }
    void Close(Handle h) const noexcept { ::DeleteObject(h); }
};

// A DC made by CreateCompatibleDC or CreateDC.
struct CreatedDcPolicy {
    using Handle = HDC;
    static Handle Null() noexcept { return nullptr; }
    static bool Valid(Handle h) noexcept { return h != nullptr; }
    void Close(Handle h) const noexcept { ::DeleteDC(h); }
};

// A DC lent by GetDC or GetWindowDC: it goes back to the window it came from.
struct WindowDcPolicy {
    using Handle = HDC;
    HWND window = nullptr;
    static Handle Null() noexcept { return nullptr; }
    static bool Valid(Handle h) noexcept { return h != nullptr; }
    void Close(Handle h) const noexcept { ::ReleaseDC(window, h); }
};

struct IconPolicy {
    using Handle = HICON;
    static Handle Null() noexcept { return nullptr; }
    static bool Valid(Handle h) noexcept { return h != nullptr; }
    void Close(Handle h) const noexcept { ::DestroyIcon(h); }
};

// A menu loaded from the resources (LoadMenu); its popups go with it.
struct MenuPolicy {
    using Handle = HMENU;
    static Handle Null() noexcept { return nullptr; }
    static bool Valid(Handle h) noexcept { return h != nullptr; }
    void Close(Handle h) const noexcept { ::DestroyMenu(h); }
};

// Windows the program creates outside a parent's lifetime (a tooltip control), and thread message hooks.
struct WindowPolicy {
    using Handle = HWND;
    static Handle Null() noexcept { return nullptr; }
    static bool Valid(Handle h) noexcept { return h != nullptr; }
    void Close(Handle h) noexcept {
        if (::IsWindow(h)) ::DestroyWindow(h);
    }
};

struct HookPolicy {
    using Handle = HHOOK;
    static Handle Null() noexcept { return nullptr; }
    static bool Valid(Handle h) noexcept { return h != nullptr; }
    void Close(Handle h) noexcept { ::UnhookWindowsHookEx(h); }
};

using OwnedHandle = UniqueHandle<KernelHandlePolicy>;
using OwnedFind = UniqueHandle<FindHandlePolicy>;
using OwnedInternet = UniqueHandle<InternetHandlePolicy>;
using OwnedGlobal = UniqueHandle<GlobalMemoryPolicy>;
template <typename T>
using OwnedCom = UniqueHandle<ComPolicy<T>>;
using OwnedSocket = UniqueHandle<SocketPolicy>;
template <typename T>
using OwnedGdi = UniqueHandle<GdiObjectPolicy<T>>;
using OwnedBitmap = OwnedGdi<HBITMAP>;
using OwnedBrush = OwnedGdi<HBRUSH>;
using OwnedFont = OwnedGdi<HFONT>;
using OwnedPen = OwnedGdi<HPEN>;
using OwnedRegion = OwnedGdi<HRGN>;
using OwnedDc = UniqueHandle<CreatedDcPolicy>;
using OwnedWindowDc = UniqueHandle<WindowDcPolicy>;
using OwnedIcon = UniqueHandle<IconPolicy>;
using OwnedMenu = UniqueHandle<MenuPolicy>;
using OwnedWindow = UniqueHandle<WindowPolicy>;
using OwnedHook = UniqueHandle<HookPolicy>;

// The DC of a window (nullptr: the screen), released to that window when the owner goes.
inline OwnedWindowDc GetWindowDcOwned(HWND window) {
    return OwnedWindowDc(::GetDC(window), WindowDcPolicy{window});
}

// Selects an object into a DC and selects the previous one back when the scope ends, so that the object can be
// deleted and the DC is handed back as it was received.
class SelectGuard {
  public:
    SelectGuard(HDC dc, HGDIOBJ object) noexcept : dc_(dc), previous_(::SelectObject(dc, object)) {}
    SelectGuard(SelectGuard&& other) noexcept
        : dc_(std::exchange(other.dc_, nullptr)), previous_(std::exchange(other.previous_, nullptr)) {}
    SelectGuard& operator=(SelectGuard&&) = delete;
    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;
    ~SelectGuard() {
        // SelectObject answers HGDI_ERROR (or NULL) when the first select failed; there is nothing to put back.
        if (dc_ != nullptr && previous_ != nullptr && previous_ != HGDI_ERROR) ::SelectObject(dc_, previous_);
    }

    bool Selected() const noexcept { return previous_ != nullptr && previous_ != HGDI_ERROR; }

  private:
    HDC dc_;
    HGDIOBJ previous_;
};

// "The system cannot find the file specified. (error 2)": the system's text without its line end, then the number,
// which is what a bug report needs when the text is missing or translated.
inline std::string FormatWin32Error(DWORD code) {
    char* buffer = nullptr;
    DWORD length = ::FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
        MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<char*>(&buffer), 0, nullptr);
    std::string text;
    if (length != 0 && buffer != nullptr) text.assign(buffer, length);
    if (buffer != nullptr) ::LocalFree(buffer);
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n' || text.back() == ' ')) text.pop_back();
    if (text.empty()) text = "Unknown error";
    return text + " (error " + std::to_string(code) + ")";
}

// The calling thread's last error, formatted; call it straight after the failing function.
inline std::string LastWin32Error() {
    return FormatWin32Error(::GetLastError());
}

}  // namespace cl
