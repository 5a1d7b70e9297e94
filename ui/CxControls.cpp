#include "CxControls.h"

#include "CxGdi.h"
#include "CxLook.h"
#include "CxWindow.h"

#include "common/misc/CxDebugUtil.h"

#include <cstdio>
#include <vector>

namespace {
const char kWrapperProp[] = "MwControl";
const char kLinkClass[] = "MwLink";
const char kProgressClass[] = "MwProgress";
const char kClickLabelClass[] = "MwClickLabel";

// Registers a class of the controls drawn by us once per process.
void RegisterControlClass(const char* szClass, WNDPROC pProc, LPCSTR szCursor) {
    HINSTANCE hInst = GetModuleHandleA(nullptr);
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    if (GetClassInfoExA(hInst, szClass, &wc))
        return;
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = pProc;
    wc.hInstance = hInst;
    wc.hCursor = LoadCursorA(nullptr, szCursor);
    wc.lpszClassName = szClass;
    if (RegisterClassExA(&wc) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        CXLOG(0, "RegisterClassEx(%s) failed: %lu", szClass, GetLastError());
}

// The brush and colours the parent gives a static control of its own.
HBRUSH ParentBrush(HWND hWnd, HDC hdc) {
    return reinterpret_cast<HBRUSH>(SendMessageA(GetParent(hWnd), WM_CTLCOLORSTATIC,
                                                 reinterpret_cast<WPARAM>(hdc),
                                                 reinterpret_cast<LPARAM>(hWnd)));
}
} // namespace

// ---- CxControl

CxControl::~CxControl() {
    Detach();
}

bool CxControl::Create(HWND hParent, const char* szClass, const char* szText, DWORD dwStyle,
                       DWORD dwExStyle, const RECT& rc, UINT nId) {
    HWND hWnd = CreateWindowExA(
        dwExStyle, szClass, szText != nullptr ? szText : "", WS_CHILD | dwStyle, rc.left, rc.top,
        rc.right - rc.left, rc.bottom - rc.top, hParent,
        reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nId)), GetModuleHandleA(nullptr), nullptr);
    if (hWnd == nullptr) {
        CXLOG(0, "Creating a control of class %s failed: %lu", szClass, GetLastError());
        return false;
    }
    Attach(hWnd);
    SetFont(look::NormalFont());
    return true;
}

void CxControl::Attach(HWND hWnd) {
    Detach();
    m_hWnd = hWnd;
    SetPropA(hWnd, kWrapperProp, this);
}

void CxControl::Detach() {
    if (m_hWnd != nullptr && IsWindow(m_hWnd) && GetPropA(m_hWnd, kWrapperProp) == this)
        RemovePropA(m_hWnd, kWrapperProp);
    m_hWnd = nullptr;
}

CxControl* CxControl::FromHandle(HWND hWnd) {
    return hWnd != nullptr ? static_cast<CxControl*>(GetPropA(hWnd, kWrapperProp)) : nullptr;
}

UINT CxControl::Id() const {
    return m_hWnd != nullptr ? static_cast<UINT>(GetDlgCtrlID(m_hWnd)) : 0;
}

void CxControl::SetText(const char* szText) {
    if (m_hWnd != nullptr)
        SetWindowTextA(m_hWnd, szText != nullptr ? szText : "");
}

std::string CxControl::GetText() const {
    if (m_hWnd == nullptr)
        return std::string();
    int nLen = GetWindowTextLengthA(m_hWnd);
    std::vector<char> buf(static_cast<size_t>(nLen) + 1, '\0');
    GetWindowTextA(m_hWnd, buf.data(), nLen + 1);
    return std::string(buf.data());
}

int CxControl::GetText(char* szBuf, int nCapacity) const {
    if (szBuf == nullptr || nCapacity <= 0)
        return 0;
    std::string text = GetText();
    int n = snprintf(szBuf, static_cast<size_t>(nCapacity), "%s", text.c_str());
    return n < 0 ? 0 : (n < nCapacity ? n : nCapacity - 1);
}

void CxControl::Enable(bool bEnable) {
    if (m_hWnd != nullptr)
        EnableWindow(m_hWnd, bEnable ? TRUE : FALSE);
}

bool CxControl::IsEnabled() const {
    return m_hWnd != nullptr && IsWindowEnabled(m_hWnd);
}

void CxControl::Show(bool bShow) {
    if (m_hWnd != nullptr)
        ShowWindow(m_hWnd, bShow ? SW_SHOW : SW_HIDE);
}

bool CxControl::IsShown() const {
    return m_hWnd != nullptr && (GetWindowLongPtrA(m_hWnd, GWL_STYLE) & WS_VISIBLE) != 0;
}

void CxControl::Focus() {
    if (m_hWnd != nullptr)
        SetFocus(m_hWnd);
}

void CxControl::SetFont(HFONT hFont) {
    if (m_hWnd != nullptr)
        SendMessageA(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(hFont), TRUE);
}

void CxControl::Move(int x, int y, int w, int h) {
    if (m_hWnd != nullptr)
        MoveWindow(m_hWnd, x, y, w, h, TRUE);
}

// ---- CxButton, CxCheckBox

void CxButton::SetBold(bool bBold) {
    SetFont(bBold ? look::BoldFont() : look::NormalFont());
}

void CxButton::Click() {
    if (IsEnabled())
        SendMessageA(Handle(), BM_CLICK, 0, 0);
}

bool CxButton::OnCommand(WORD nCode) {
    if (nCode != BN_CLICKED)
        return false;
    if (onClick)
        onClick();
    return true;
}

void CxCheckBox::SetCheck(bool bChecked) {
    SendMessageA(Handle(), BM_SETCHECK, bChecked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool CxCheckBox::IsChecked() const {
    return SendMessageA(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

// ---- CxLabel, CxEdit

void CxLabel::SetTextColor(COLORREF cr) {
    m_crText = cr;
    if (Handle() != nullptr)
        InvalidateRect(Handle(), nullptr, TRUE);
}

HBRUSH CxLabel::OnCtlColor(HDC hdc) {
    if (m_crText != CLR_INVALID)
        ::SetTextColor(hdc, m_crText);
    return nullptr;
}

void CxEdit::SetLimit(int nChars) {
    SendMessageA(Handle(), EM_SETLIMITTEXT, static_cast<WPARAM>(nChars), 0);
}

HBRUSH CxEdit::OnCtlColor(HDC hdc) {
    if (IsEnabled())
        return nullptr;
    SetBkColor(hdc, look::kSilver);
    return look::SilverBrush();
}

bool CxEdit::OnCommand(WORD nCode) {
    if (nCode != EN_CHANGE)
        return false;
    if (onChange)
        onChange();
    return true;
}

// ---- CxLinkLabel

bool CxLinkLabel::Create(HWND hParent, const char* szText, const RECT& rc, UINT nId) {
    RegisterControlClass(kLinkClass, &CxLinkLabel::LinkProc, MAKEINTRESOURCEA(32649)); // IDC_HAND
    if (!CxControl::Create(hParent, kLinkClass, szText, WS_VISIBLE | WS_TABSTOP, 0, rc, nId))
        return false;
    SetFont(look::LinkFont());
    return true;
}

void CxLinkLabel::Click() {
    if (IsEnabled() && onClick)
        onClick();
}

void CxLinkLabel::Paint(HDC hdc) {
    RECT rc;
    GetClientRect(Handle(), &rc);
    HBRUSH hBrush = ParentBrush(Handle(), hdc);
    FillRect(hdc, &rc, hBrush != nullptr ? hBrush : look::FaceBrush());
    auto hFont = reinterpret_cast<HFONT>(SendMessageA(Handle(), WM_GETFONT, 0, 0));
    CxSelect font(hdc, hFont);
    SetBkMode(hdc, TRANSPARENT);
    ::SetTextColor(hdc, IsEnabled() ? look::kLinkBlue : GetSysColor(COLOR_GRAYTEXT));
    std::string text = GetText();
    RECT rcText = rc;
    DrawTextA(hdc, text.c_str(), -1, &rcText, DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT);
    DrawTextA(hdc, text.c_str(), -1, &rcText, DT_SINGLELINE | DT_NOPREFIX);
    if (GetFocus() == Handle() &&
        (SendMessageA(Handle(), WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) == 0) {
        InflateRect(&rcText, 1, 0);
        DrawFocusRect(hdc, &rcText);
    }
}

LRESULT CALLBACK CxLinkLabel::LinkProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    auto* pThis = static_cast<CxLinkLabel*>(CxControl::FromHandle(hWnd));
    switch (uMsg) {
    case WM_SETFONT:
        SetPropA(hWnd, "MwFont", reinterpret_cast<HANDLE>(wParam));
        if (LOWORD(lParam))
            InvalidateRect(hWnd, nullptr, TRUE);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(GetPropA(hWnd, "MwFont"));
    case WM_DESTROY:
        RemovePropA(hWnd, "MwFont");
        break;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        CxPaintDC dc(hWnd);
        if (pThis != nullptr)
            pThis->Paint(dc.Get());
        return 0;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
    case WM_UPDATEUISTATE:
        InvalidateRect(hWnd, nullptr, TRUE);
        break;
    case WM_GETDLGCODE:
        // Enter runs the link instead of the default button while the link has the focus.
        if (lParam != 0 && reinterpret_cast<MSG*>(lParam)->message == WM_KEYDOWN &&
            reinterpret_cast<MSG*>(lParam)->wParam == VK_RETURN)
            return DLGC_WANTMESSAGE;
        return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
    case WM_KEYDOWN:
        if ((wParam == VK_RETURN || wParam == VK_SPACE) && pThis != nullptr) {
            pThis->Click();
            return 0;
        }
        break;
    case WM_LBUTTONDOWN:
        SetFocus(hWnd);
        SetCapture(hWnd);
        if (pThis != nullptr)
            pThis->m_bPressed = true;
        return 0;
    case WM_LBUTTONUP: {
        // Releasing the capture reports WM_CAPTURECHANGED at once: the press is read first.
        bool bPressed = pThis != nullptr && pThis->m_bPressed;
        if (pThis != nullptr)
            pThis->m_bPressed = false;
        if (GetCapture() == hWnd)
            ReleaseCapture();
        if (bPressed) {
            RECT rc;
            GetClientRect(hWnd, &rc);
            POINT pt = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
            if (PtInRect(&rc, pt))
                pThis->Click();
        }
        return 0;
    }
    case WM_CAPTURECHANGED:
        if (pThis != nullptr)
            pThis->m_bPressed = false;
        break;
    default:
        break;
    }
    return DefWindowProcA(hWnd, uMsg, wParam, lParam);
}

// ---- CxPicture

void CxPicture::SetBitmap(HBITMAP hBitmap) {
    SendMessageA(Handle(), STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(hBitmap));
}

// ---- CxTabControl

int CxTabControl::AddTab(const char* szText) {
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>(szText);
    return static_cast<int>(SendMessageA(Handle(), TCM_INSERTITEMA, static_cast<WPARAM>(Count()),
                                         reinterpret_cast<LPARAM>(&item)));
}

int CxTabControl::Count() const {
    return static_cast<int>(SendMessageA(Handle(), TCM_GETITEMCOUNT, 0, 0));
}

int CxTabControl::Selected() const {
    return static_cast<int>(SendMessageA(Handle(), TCM_GETCURSEL, 0, 0));
}

void CxTabControl::Select(int nTab) {
    SendMessageA(Handle(), TCM_SETCURSEL, static_cast<WPARAM>(nTab), 0);
    if (onSelChange)
        onSelChange(Selected());
}

std::string CxTabControl::TabText(int nTab) const {
    char szText[256] = "";
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = szText;
    item.cchTextMax = sizeof szText;
    if (!SendMessageA(Handle(), TCM_GETITEMA, static_cast<WPARAM>(nTab),
                      reinterpret_cast<LPARAM>(&item)))
        return std::string();
    return szText;
}

void CxTabControl::SetTabText(int nTab, const char* szText) {
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>(szText);
    SendMessageA(Handle(), TCM_SETITEMA, static_cast<WPARAM>(nTab),
                 reinterpret_cast<LPARAM>(&item));
}

RECT CxTabControl::PageRect() const {
    RECT rc;
    GetClientRect(Handle(), &rc);
    SendMessageA(Handle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&rc));
    MapWindowPoints(Handle(), GetParent(Handle()), reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

bool CxTabControl::CreatePage(CxPanel& page) {
    SetWindowLongPtrA(Handle(), GWL_EXSTYLE,
                      GetWindowLongPtrA(Handle(), GWL_EXSTYLE) | WS_EX_CONTROLPARENT);
    RECT rc;
    GetClientRect(Handle(), &rc);
    SendMessageA(Handle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&rc));
    return page.Create(Handle(), rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top,
                       GetSysColor(COLOR_BTNFACE));
}

bool CxTabControl::OnNotify(NMHDR* pHdr, LRESULT* pResult) {
    if (pHdr->code != static_cast<UINT>(TCN_SELCHANGE))
        return false;
    if (onSelChange)
        onSelChange(Selected());
    *pResult = 0;
    return true;
}

// ---- CxListView

void CxListView::InitReport(bool bCheckBoxes) {
    DWORD dwEx = LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER | (bCheckBoxes ? LVS_EX_CHECKBOXES : 0);
    SendMessageA(Handle(), LVM_SETEXTENDEDLISTVIEWSTYLE, dwEx, dwEx);
}

void CxListView::AddColumn(const char* szText, int nWidth96) {
    LVCOLUMNA col{};
    col.mask = LVCF_TEXT | LVCF_WIDTH;
    col.pszText = const_cast<char*>(szText);
    col.cx = look::Scale(nWidth96);
    int nCount = Header_GetItemCount(ListView_GetHeader(Handle()));
    SendMessageA(Handle(), LVM_INSERTCOLUMNA, static_cast<WPARAM>(nCount),
                 reinterpret_cast<LPARAM>(&col));
}

int CxListView::AddRow(const char* szText, LPARAM lData) {
    LVITEMA item{};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = RowCount();
    item.pszText = const_cast<char*>(szText != nullptr ? szText : "");
    item.lParam = lData;
    return static_cast<int>(
        SendMessageA(Handle(), LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}

void CxListView::SetItemText(int nRow, int nCol, const char* szText) {
    LVITEMA item{};
    item.iSubItem = nCol;
    item.pszText = const_cast<char*>(szText != nullptr ? szText : "");
    SendMessageA(Handle(), LVM_SETITEMTEXTA, static_cast<WPARAM>(nRow),
                 reinterpret_cast<LPARAM>(&item));
}

std::string CxListView::ItemText(int nRow, int nCol) const {
    std::vector<char> buf(4096, '\0');
    LVITEMA item{};
    item.iSubItem = nCol;
    item.pszText = buf.data();
    item.cchTextMax = static_cast<int>(buf.size());
    SendMessageA(Handle(), LVM_GETITEMTEXTA, static_cast<WPARAM>(nRow),
                 reinterpret_cast<LPARAM>(&item));
    return std::string(buf.data());
}

void CxListView::SetChecked(int nRow, bool bChecked) {
    ListView_SetCheckState(Handle(), nRow, bChecked ? TRUE : FALSE);
}

bool CxListView::IsChecked(int nRow) const {
    return ListView_GetCheckState(Handle(), nRow) != 0;
}

int CxListView::RowCount() const {
    return static_cast<int>(SendMessageA(Handle(), LVM_GETITEMCOUNT, 0, 0));
}

LPARAM CxListView::RowData(int nRow) const {
    LVITEMA item{};
    item.mask = LVIF_PARAM;
    item.iItem = nRow;
    if (!SendMessageA(Handle(), LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)))
        return 0;
    return item.lParam;
}

int CxListView::SelectedRow() const {
    return static_cast<int>(
        SendMessageA(Handle(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void CxListView::DeleteAll() {
    SendMessageA(Handle(), LVM_DELETEALLITEMS, 0, 0);
}

void CxListView::SetRedraw(bool bRedraw) {
    SendMessageA(Handle(), WM_SETREDRAW, bRedraw ? TRUE : FALSE, 0);
    if (bRedraw)
        InvalidateRect(Handle(), nullptr, TRUE);
}

bool CxListView::OnNotify(NMHDR* pHdr, LRESULT* pResult) {
    if (pHdr->code != static_cast<UINT>(NM_DBLCLK))
        return false;
    if (onDblClick)
        onDblClick();
    *pResult = 0;
    return true;
}

// ---- CxProgressBar

bool CxProgressBar::Create(HWND hParent, const RECT& rc, UINT nId) {
    RegisterControlClass(kProgressClass, &CxProgressBar::ProgressProc, MAKEINTRESOURCEA(32512));
    if (!CxControl::Create(hParent, kProgressClass, "0%", WS_VISIBLE, 0, rc, nId))
        return false;
    return true;
}

void CxProgressBar::SetPosition(int nPos) {
    m_nPos = nPos < 0 ? 0 : (nPos > 100 ? 100 : nPos);
    char szText[8];
    snprintf(szText, sizeof szText, "%d%%", m_nPos);
    SetText(szText);
    InvalidateRect(Handle(), nullptr, FALSE);
    UpdateWindow(Handle());
}

void CxProgressBar::Paint(HDC hdc) {
    RECT rc;
    GetClientRect(Handle(), &rc);
    CxMemoryDC mem(hdc);
    CxBitmap bmp(CreateCompatibleBitmap(hdc, rc.right, rc.bottom));
    CxSelect selBmp(mem.Get(), bmp.Get());
    FillRect(mem.Get(), &rc, GetSysColorBrush(COLOR_WINDOW));
    RECT rcFill = rc;
    rcFill.right = rc.left + (rc.right - rc.left) * m_nPos / 100;
    FillRect(mem.Get(), &rcFill, GetSysColorBrush(COLOR_HIGHLIGHT));

    auto hFont = reinterpret_cast<HFONT>(GetPropA(Handle(), "MwFont"));
    CxSelect selFont(mem.Get(), hFont);
    SetBkMode(mem.Get(), TRANSPARENT);
    std::string text = GetText();
    // The text in the window colour over the filled part and in the text colour elsewhere.
    ::SetTextColor(mem.Get(), GetSysColor(COLOR_WINDOWTEXT));
    {
        RECT rcRest = rc;
        rcRest.left = rcFill.right;
        HRGN hRgn = CreateRectRgnIndirect(&rcRest);
        SelectClipRgn(mem.Get(), hRgn);
        DrawTextA(mem.Get(), text.c_str(), -1, &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        DeleteObject(hRgn);
    }
    {
        HRGN hRgn = CreateRectRgnIndirect(&rcFill);
        SelectClipRgn(mem.Get(), hRgn);
        ::SetTextColor(mem.Get(), GetSysColor(COLOR_HIGHLIGHTTEXT));
        DrawTextA(mem.Get(), text.c_str(), -1, &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        DeleteObject(hRgn);
    }
    SelectClipRgn(mem.Get(), nullptr);
    BitBlt(hdc, 0, 0, rc.right, rc.bottom, mem.Get(), 0, 0, SRCCOPY);
}

LRESULT CALLBACK CxProgressBar::ProgressProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    auto* pThis = static_cast<CxProgressBar*>(CxControl::FromHandle(hWnd));
    switch (uMsg) {
    case WM_SETFONT:
        SetPropA(hWnd, "MwFont", reinterpret_cast<HANDLE>(wParam));
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(GetPropA(hWnd, "MwFont"));
    case WM_DESTROY:
        RemovePropA(hWnd, "MwFont");
        break;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        CxPaintDC dc(hWnd);
        if (pThis != nullptr)
            pThis->Paint(dc.Get());
        return 0;
    }
    default:
        break;
    }
    return DefWindowProcA(hWnd, uMsg, wParam, lParam);
}

// ---- CxClickLabel

bool CxClickLabel::Create(HWND hParent, const char* szText, const RECT& rc, UINT nId) {
    // The standard static control under a class of its own that shows the hand cursor.
    HINSTANCE hInst = GetModuleHandleA(nullptr);
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    if (!GetClassInfoExA(hInst, kClickLabelClass, &wc)) {
        wc.cbSize = sizeof wc;
        if (!GetClassInfoExA(nullptr, "STATIC", &wc)) {
            CXLOG(0, "The static control's class is missing: %lu", GetLastError());
            return false;
        }
        wc.cbSize = sizeof wc;
        wc.hInstance = hInst;
        wc.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32649)); // IDC_HAND
        wc.lpszClassName = kClickLabelClass;
        if (RegisterClassExA(&wc) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
            CXLOG(0, "RegisterClassEx(%s) failed: %lu", kClickLabelClass, GetLastError());
    }
    return CxControl::Create(hParent, kClickLabelClass, szText,
                             WS_VISIBLE | WS_GROUP | SS_NOPREFIX | SS_NOTIFY, 0, rc, nId);
}

void CxClickLabel::Click() {
    if (IsEnabled() && onClick)
        onClick();
}

bool CxClickLabel::OnCommand(WORD nCode) {
    if (nCode != STN_CLICKED)
        return false;
    if (onClick)
        onClick();
    return true;
}

// ---- CxComboBox

int CxComboBox::AddItem(const char* szText, LPARAM lData) {
    int nItem =
        static_cast<int>(SendMessageA(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(szText)));
    if (nItem >= 0)
        SendMessageA(Handle(), CB_SETITEMDATA, static_cast<WPARAM>(nItem), lData);
    return nItem;
}

void CxComboBox::Clear() {
    SendMessageA(Handle(), CB_RESETCONTENT, 0, 0);
}

int CxComboBox::Count() const {
    return static_cast<int>(SendMessageA(Handle(), CB_GETCOUNT, 0, 0));
}

std::string CxComboBox::ItemText(int nItem) const {
    LRESULT nLen = SendMessageA(Handle(), CB_GETLBTEXTLEN, static_cast<WPARAM>(nItem), 0);
    if (nLen == CB_ERR)
        return std::string();
    std::vector<char> buf(static_cast<size_t>(nLen) + 1, '\0');
    SendMessageA(Handle(), CB_GETLBTEXT, static_cast<WPARAM>(nItem),
                 reinterpret_cast<LPARAM>(buf.data()));
    return buf.data();
}

LPARAM CxComboBox::ItemData(int nItem) const {
    return SendMessageA(Handle(), CB_GETITEMDATA, static_cast<WPARAM>(nItem), 0);
}

int CxComboBox::Selected() const {
    return static_cast<int>(SendMessageA(Handle(), CB_GETCURSEL, 0, 0));
}

void CxComboBox::Select(int nItem) {
    SendMessageA(Handle(), CB_SETCURSEL, static_cast<WPARAM>(nItem), 0);
}

bool CxComboBox::OnCommand(WORD nCode) {
    if (nCode != CBN_SELCHANGE)
        return false;
    if (onChange)
        onChange();
    return true;
}
