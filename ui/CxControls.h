// Thin wrappers of the standard controls (common controls 6) and of the few drawn by us (link,
// progress bar with its value as text). A wrapper holds only the control's handle and typed
// helpers; its window reaches it through a window property, so the parent can reflect
// commands, notifications and colour requests to it. Wrappers cannot be copied.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>

class CxControl {
public:
    CxControl() = default;
    virtual ~CxControl();
    CxControl(const CxControl&) = delete;
    CxControl& operator=(const CxControl&) = delete;

    // Creates the control as a child of hParent at the given pixel rectangle, in the look's
    // font, and attaches this wrapper to it.
    bool Create(HWND hParent, const char* szClass, const char* szText, DWORD dwStyle,
                DWORD dwExStyle, const RECT& rc, UINT nId);
    HWND Handle() const { return m_hWnd; }
    UINT Id() const;

    void SetText(const char* szText);
    std::string GetText() const;
    // The text cut to nCapacity - 1 characters; returns the characters stored.
    int GetText(char* szBuf, int nCapacity) const;

    void Enable(bool bEnable);
    bool IsEnabled() const;
    void Show(bool bShow);
    // The control's own visible style, whether its parents show or not.
    bool IsShown() const;
    void Focus();
    void SetFont(HFONT hFont);
    void Move(int x, int y, int w, int h);

    // The wrapper of a control, or none.
    static CxControl* FromHandle(HWND hWnd);
    // Separates the wrapper from its control (the control is about to go).
    void Detach();

    // Reflected from the parent. True when handled.
    virtual bool OnCommand(WORD /*nCode*/) { return false; }
    virtual bool OnNotify(NMHDR* /*pHdr*/, LRESULT* /*pResult*/) { return false; }
    // A colour request (WM_CTLCOLOR*): the device context already carries the parent's
    // background colour; return a brush to paint with, or none for the parent's brush.
    virtual HBRUSH OnCtlColor(HDC /*hdc*/) { return nullptr; }

protected:
    void Attach(HWND hWnd);

private:
    HWND m_hWnd = nullptr;
};

class CxButton : public CxControl {
public:
    std::function<void()> onClick;

    void SetBold(bool bBold);
    // Presses the button as a user would: nothing happens when it is disabled.
    void Click();
    bool OnCommand(WORD nCode) override;
};

class CxCheckBox : public CxButton {
public:
    void SetCheck(bool bChecked);
    bool IsChecked() const;
};

class CxRadioButton : public CxCheckBox {};

class CxGroupBox : public CxControl {};

class CxLabel : public CxControl {
public:
    void SetTextColor(COLORREF cr);
    HBRUSH OnCtlColor(HDC hdc) override;

private:
    COLORREF m_crText = CLR_INVALID;
};

// An edit box; while disabled its background is silver.
class CxEdit : public CxControl {
public:
    std::function<void()> onChange;

    void SetLimit(int nChars);
    HBRUSH OnCtlColor(HDC hdc) override;
    bool OnCommand(WORD nCode) override;
};

// A link: blue, underlined text with the hand cursor. A click, Enter or the space bar while it
// has the focus runs onClick. It takes part in the Tab order.
class CxLinkLabel : public CxControl {
public:
    std::function<void()> onClick;

    bool Create(HWND hParent, const char* szText, const RECT& rc, UINT nId);
    // Runs the link as a click would.
    void Click();

private:
    static LRESULT CALLBACK LinkProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);
    void Paint(HDC hdc);
    bool m_bPressed = false;
};

// A picture: a bitmap shown at the control's top left.
class CxPicture : public CxControl {
public:
    void SetBitmap(HBITMAP hBitmap);
};

class CxTabControl : public CxControl {
public:
    // Called after the front tab changed, by the user or by Select.
    std::function<void(int)> onSelChange;

    int AddTab(const char* szText);
    int Count() const;
    int Selected() const;
    void Select(int nTab);
    std::string TabText(int nTab) const;
    void SetTabText(int nTab, const char* szText);
    // The area under the tabs, in the parent's coordinates.
    RECT PageRect() const;
    // Makes a page for the area under the tabs: a panel inside the tab control, so that the
    // control never paints over it and Tab travels into it.
    bool CreatePage(class CxPanel& page);
    bool OnNotify(NMHDR* pHdr, LRESULT* pResult) override;
};

// A report list with a check box per row and whole-row selection.
class CxListView : public CxControl {
public:
    std::function<void()> onDblClick;

    void InitReport(bool bCheckBoxes);
    void AddColumn(const char* szText, int nWidth96);
    int AddRow(const char* szText, LPARAM lData);
    void SetItemText(int nRow, int nCol, const char* szText);
    std::string ItemText(int nRow, int nCol) const;
    void SetChecked(int nRow, bool bChecked);
    bool IsChecked(int nRow) const;
    int RowCount() const;
    LPARAM RowData(int nRow) const;
    int SelectedRow() const;
    void DeleteAll();
    // Holds back (false) or releases (true) the redrawing during a long fill.
    void SetRedraw(bool bRedraw);
    bool OnNotify(NMHDR* pHdr, LRESULT* pResult) override;
};

// A progress bar from 0 to 100 that shows its value as text ("40%") in its middle. The text is
// also the control's window text.
class CxProgressBar : public CxControl {
public:
    bool Create(HWND hParent, const RECT& rc, UINT nId);
    void SetPosition(int nPos);
    int Position() const { return m_nPos; }

private:
    static LRESULT CALLBACK ProgressProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);
    void Paint(HDC hdc);
    int m_nPos = 0;
};

// A label that reacts to a mouse click (onClick), under the hand cursor; not a Tab stop.
class CxClickLabel : public CxLabel {
public:
    std::function<void()> onClick;

    bool Create(HWND hParent, const char* szText, const RECT& rc, UINT nId);
    // Runs the label as a click would.
    void Click();
    bool OnCommand(WORD nCode) override;
};

// A pick-only drop-down list; each item carries a number of the caller's.
class CxComboBox : public CxControl {
public:
    // Called after the user picked another item.
    std::function<void()> onChange;

    int AddItem(const char* szText, LPARAM lData);
    void Clear();
    int Count() const;
    std::string ItemText(int nItem) const;
    LPARAM ItemData(int nItem) const;
    // The selected item, or -1.
    int Selected() const;
    void Select(int nItem);
    bool OnCommand(WORD nCode) override;
};
