// Owners for the handles the windows use: each frees its handle when it goes and cannot be
// copied, only moved.
#pragma once

#include <windows.h>

#include <utility>

// A GDI object (font, brush, bitmap, pen) deleted with DeleteObject.
template <typename T> class CxGdiObject {
public:
    CxGdiObject() = default;
    explicit CxGdiObject(T h) : m_h(h) {}
    ~CxGdiObject() { Reset(); }
    CxGdiObject(const CxGdiObject&) = delete;
    CxGdiObject& operator=(const CxGdiObject&) = delete;
    CxGdiObject(CxGdiObject&& o) noexcept : m_h(std::exchange(o.m_h, nullptr)) {}
    CxGdiObject& operator=(CxGdiObject&& o) noexcept {
        if (this != &o) {
            Reset();
            m_h = std::exchange(o.m_h, nullptr);
        }
        return *this;
    }
    void Reset(T h = nullptr) {
        if (m_h != nullptr)
            DeleteObject(m_h);
        m_h = h;
    }
    T Get() const { return m_h; }
    explicit operator bool() const { return m_h != nullptr; }

private:
    T m_h = nullptr;
};

using CxFont = CxGdiObject<HFONT>;
using CxBrush = CxGdiObject<HBRUSH>;
using CxBitmap = CxGdiObject<HBITMAP>;
using CxPen = CxGdiObject<HPEN>;

// A kernel handle (event, thread, process, file) closed with CloseHandle.
class CxHandle {
public:
    CxHandle() = default;
    explicit CxHandle(HANDLE h) : m_h(h == INVALID_HANDLE_VALUE ? nullptr : h) {}
    ~CxHandle() { Reset(); }
    CxHandle(const CxHandle&) = delete;
    CxHandle& operator=(const CxHandle&) = delete;
    CxHandle(CxHandle&& o) noexcept : m_h(std::exchange(o.m_h, nullptr)) {}
    CxHandle& operator=(CxHandle&& o) noexcept {
        if (this != &o) {
            Reset();
            m_h = std::exchange(o.m_h, nullptr);
        }
        return *this;
    }
    void Reset(HANDLE h = nullptr) {
        if (m_h != nullptr)
            CloseHandle(m_h);
        m_h = h == INVALID_HANDLE_VALUE ? nullptr : h;
    }
    HANDLE Get() const { return m_h; }
    HANDLE Release() { return std::exchange(m_h, nullptr); }
    explicit operator bool() const { return m_h != nullptr; }

private:
    HANDLE m_h = nullptr;
};

// A memory device context compatible with another, deleted with DeleteDC.
class CxMemoryDC {
public:
    explicit CxMemoryDC(HDC hdc) : m_hdc(CreateCompatibleDC(hdc)) {}
    ~CxMemoryDC() {
        if (m_hdc != nullptr)
            DeleteDC(m_hdc);
    }
    CxMemoryDC(const CxMemoryDC&) = delete;
    CxMemoryDC& operator=(const CxMemoryDC&) = delete;
    HDC Get() const { return m_hdc; }
    explicit operator bool() const { return m_hdc != nullptr; }

private:
    HDC m_hdc;
};

// Selects an object into a device context and puts the previous one back when it goes.
class CxSelect {
public:
    CxSelect(HDC hdc, HGDIOBJ h)
        : m_hdc(hdc), m_hOld(h != nullptr ? SelectObject(hdc, h) : nullptr) {}
    ~CxSelect() {
        if (m_hOld != nullptr)
            SelectObject(m_hdc, m_hOld);
    }
    CxSelect(const CxSelect&) = delete;
    CxSelect& operator=(const CxSelect&) = delete;

private:
    HDC m_hdc;
    HGDIOBJ m_hOld;
};

// BeginPaint and EndPaint as a pair.
class CxPaintDC {
public:
    explicit CxPaintDC(HWND hWnd) : m_hWnd(hWnd) { m_hdc = BeginPaint(hWnd, &m_ps); }
    ~CxPaintDC() { EndPaint(m_hWnd, &m_ps); }
    CxPaintDC(const CxPaintDC&) = delete;
    CxPaintDC& operator=(const CxPaintDC&) = delete;
    HDC Get() const { return m_hdc; }
    const PAINTSTRUCT& Info() const { return m_ps; }

private:
    HWND m_hWnd;
    HDC m_hdc;
    PAINTSTRUCT m_ps;
};
