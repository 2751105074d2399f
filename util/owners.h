#pragma once
// Small owners of what the system hands out, each releasing exactly what it
// holds when its scope ends. None can be copied: a copy would release twice.

#include <windows.h>

#include <utility>

// A GDI object the program created: a pen, a brush, a font or a region.
template <typename Handle>
class GdiObject {
public:
    explicit GdiObject(Handle handle) : handle_(handle) {}
    ~GdiObject() {
        if (handle_ != nullptr)
            DeleteObject(handle_);
    }
    GdiObject(GdiObject&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;
    Handle get() const { return handle_; }

private:
    Handle handle_;
};

// An object selected into a device context for a scope: the object it
// displaced goes back when the scope ends.
class Selection {
public:
    Selection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~Selection() { SelectObject(dc_, previous_); }
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// The device context of a window, or of the whole screen for null.
class WindowDC {
public:
    explicit WindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDC() {
        if (dc_ != nullptr)
            ReleaseDC(window_, dc_);
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// A COM interface, filled by the call that hands it out (through Receive).
template <typename Interface>
class ComPtr {
public:
    ComPtr() = default;
    ~ComPtr() {
        if (interface_ != nullptr)
            interface_->Release();
    }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    Interface** Receive() { return &interface_; }
    void** ReceiveVoid() { return reinterpret_cast<void**>(&interface_); }
    Interface* operator->() const { return interface_; }
    Interface* get() const { return interface_; }

private:
    Interface* interface_ = nullptr;
};

// A popup menu, destroyed with the submenus appended to it.
class Menu {
public:
    Menu() : menu_(CreatePopupMenu()) {}
    ~Menu() {
        if (menu_ != nullptr)
            DestroyMenu(menu_);
    }
    Menu(Menu&& other) noexcept : menu_(std::exchange(other.menu_, nullptr)) {}
    Menu(const Menu&) = delete;
    Menu& operator=(const Menu&) = delete;
    HMENU get() const { return menu_; }
    // Hands the menu to a parent as its submenu, which destroys it from then on.
    HMENU GiveAway() { return std::exchange(menu_, nullptr); }

private:
    HMENU menu_;
};
