// The base of every window of ours (main window, pages, panels, dialogs). One static window
// procedure serves them all: the object travels in the creation parameter, is attached at
// WM_NCCREATE and detached at WM_NCDESTROY, so no message reaches a half-built or half-gone
// object. Commands, notifications and colour requests of child controls are reflected to the
// controls' wrappers. Exceptions stop at the window procedure: they are logged and reported.
#pragma once

#include <windows.h>

class CxWindow {
public:
    CxWindow() = default;
    virtual ~CxWindow();
    CxWindow(const CxWindow&) = delete;
    CxWindow& operator=(const CxWindow&) = delete;

    HWND Handle() const { return m_hWnd; }
    bool IsCreated() const { return m_hWnd != nullptr; }
    void Destroy();

    void Show(bool bShow);
    bool IsVisible() const;

    // The colour the window's background is filled with; controls on it get the same.
    COLORREF BackgroundColor() const { return m_crBackground; }
    void SetBackgroundColor(COLORREF cr);

    // The object of a window of ours, or none.
    static CxWindow* FromHandle(HWND hWnd);

protected:
    // Creates the window of a class registered by RegisterClass.
    bool CreateWindowOf(const char* szClass, DWORD dwExStyle, const char* szTitle, DWORD dwStyle,
                        int x, int y, int w, int h, HWND hParent, UINT nId = 0);
    // Registers a class of ours once per process; its procedure is the shared one.
    static const char* RegisterClass(const char* szClass, HICON hIcon = nullptr,
                                     HICON hIconSmall = nullptr);
    // The name of the class of plain child windows (pages, panels).
    static const char* ChildClass();

    // Handles one message; the default reflects to controls, paints the background and hands
    // the rest to DefWindowProc.
    virtual LRESULT HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam);
    LRESULT DefaultMessage(UINT uMsg, WPARAM wParam, LPARAM lParam);
    // The button that Enter presses when no push button has the focus (top-level windows).
    virtual HWND DefaultButton() const { return nullptr; }

private:
    static LRESULT CALLBACK WindowProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);

    HWND m_hWnd = nullptr;
    COLORREF m_crBackground = GetSysColor(COLOR_BTNFACE);
    HBRUSH m_hBackground = nullptr; // owned when not the face brush
    bool m_bOwnBrush = false;
};

// A plain container: a child window with a background colour that holds controls (header
// band, button bar, tab pages). Tab and arrow keys travel into it (WS_EX_CONTROLPARENT).
class CxPanel : public CxWindow {
public:
    enum class Edge { None, Raised, TopLine, BottomLine };
    bool Create(HWND hParent, int x, int y, int w, int h, COLORREF crBackground,
                Edge edge = Edge::None);

protected:
    LRESULT HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) override;

private:
    Edge m_edge = Edge::None;
};
