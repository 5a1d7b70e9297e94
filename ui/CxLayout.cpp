#include "CxLayout.h"

#include "CxGdi.h"
#include "CxLook.h"

#include <cstring>

namespace {

UINT NextControlId() {
    static UINT s_nNext = 1000;
    UINT n = s_nNext++;
    if (s_nNext > 60000)
        s_nNext = 1000;
    return n;
}

int UsualHeight(CxKind kind) {
    switch (kind) {
    case CxKind::Label:
    case CxKind::Link:
    case CxKind::ClickLabel:
        return 16;
    case CxKind::Check:
    case CxKind::RadioFirst:
    case CxKind::Radio:
        return 19;
    case CxKind::Edit:
    case CxKind::Password:
        return 21;
    case CxKind::Button:
    case CxKind::DefButton:
        return 27;
    case CxKind::Progress:
        return 16;
    case CxKind::DropList:
        return 120;
    default:
        return 20;
    }
}

} // namespace

int TextWidth96(HFONT hFont, const char* szText) {
    HDC hdc = GetDC(nullptr);
    int nWidth = 0;
    {
        CxSelect font(hdc, hFont);
        RECT rc = {0, 0, 0, 0};
        DrawTextA(hdc, szText, -1, &rc, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
        nWidth = rc.right;
    }
    ReleaseDC(nullptr, hdc);
    return MulDiv(nWidth, 96, look::Scale(96));
}

int TextHeight96(HFONT hFont, const char* szText, int nWidth96) {
    HDC hdc = GetDC(nullptr);
    int nHeight = 0;
    {
        CxSelect font(hdc, hFont);
        RECT rc = {0, 0, look::Scale(nWidth96), 0};
        DrawTextA(hdc, szText, -1, &rc, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
        nHeight = rc.bottom;
    }
    ReleaseDC(nullptr, hdc);
    return MulDiv(nHeight, 96, look::Scale(96)) + 1;
}

bool CreateLayout(HWND hParent, std::initializer_list<CxLayoutItem> items) {
    bool bAll = true;
    for (const CxLayoutItem& it : items) {
        int w = it.w;
        int h = it.h != 0 ? it.h : UsualHeight(it.kind);
        if (w == 0) {
            HFONT hFont = it.kind == CxKind::Link ? look::LinkFont() : look::NormalFont();
            w = TextWidth96(hFont, it.szText) + 4;
            if (it.kind == CxKind::Check || it.kind == CxKind::Radio ||
                it.kind == CxKind::RadioFirst)
                w += 22;
        }
        RECT rc = look::ScaleRect(it.x, it.y, w, h);
        UINT nId = NextControlId();
        const DWORD dwVisible = WS_VISIBLE;
        bool bOk = false;
        switch (it.kind) {
        case CxKind::Label:
            bOk = it.pCtl->Create(hParent, "STATIC", it.szText, dwVisible | WS_GROUP | SS_NOPREFIX,
                                  0, rc, nId);
            break;
        case CxKind::MultiLabel:
            bOk = it.pCtl->Create(hParent, "STATIC", it.szText,
                                  dwVisible | WS_GROUP | SS_NOPREFIX | SS_LEFT, 0, rc, nId);
            break;
        case CxKind::Link:
            bOk = static_cast<CxLinkLabel*>(it.pCtl)->Create(hParent, it.szText, rc, nId);
            if (bOk)
                SetWindowLongPtrA(it.pCtl->Handle(), GWL_STYLE,
                                  GetWindowLongPtrA(it.pCtl->Handle(), GWL_STYLE) | WS_GROUP);
            break;
        case CxKind::Button:
            bOk = it.pCtl->Create(hParent, "BUTTON", it.szText,
                                  dwVisible | WS_TABSTOP | WS_GROUP | BS_PUSHBUTTON, 0, rc, nId);
            break;
        case CxKind::DefButton:
            bOk = it.pCtl->Create(hParent, "BUTTON", it.szText,
                                  dwVisible | WS_TABSTOP | WS_GROUP | BS_DEFPUSHBUTTON, 0, rc, nId);
            break;
        case CxKind::Check:
            bOk = it.pCtl->Create(hParent, "BUTTON", it.szText,
                                  dwVisible | WS_TABSTOP | WS_GROUP | BS_AUTOCHECKBOX, 0, rc, nId);
            break;
        case CxKind::RadioFirst:
            bOk =
                it.pCtl->Create(hParent, "BUTTON", it.szText,
                                dwVisible | WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON, 0, rc, nId);
            break;
        case CxKind::Radio:
            bOk = it.pCtl->Create(hParent, "BUTTON", it.szText, dwVisible | BS_AUTORADIOBUTTON, 0,
                                  rc, nId);
            break;
        case CxKind::Edit:
            bOk = it.pCtl->Create(hParent, "EDIT", it.szText,
                                  dwVisible | WS_TABSTOP | WS_GROUP | ES_AUTOHSCROLL,
                                  WS_EX_CLIENTEDGE, rc, nId);
            break;
        case CxKind::Password:
            bOk = it.pCtl->Create(hParent, "EDIT", it.szText,
                                  dwVisible | WS_TABSTOP | WS_GROUP | ES_AUTOHSCROLL | ES_PASSWORD,
                                  WS_EX_CLIENTEDGE, rc, nId);
            if (bOk)
                SendMessageA(it.pCtl->Handle(), EM_SETPASSWORDCHAR, '*', 0);
            break;
        case CxKind::Memo:
            bOk = it.pCtl->Create(hParent, "EDIT", it.szText,
                                  dwVisible | WS_TABSTOP | WS_GROUP | ES_MULTILINE | ES_READONLY |
                                      WS_VSCROLL | WS_HSCROLL | ES_AUTOVSCROLL | ES_AUTOHSCROLL,
                                  WS_EX_CLIENTEDGE, rc, nId);
            break;
        case CxKind::Group:
            bOk = it.pCtl->Create(hParent, "BUTTON", it.szText, dwVisible | WS_GROUP | BS_GROUPBOX,
                                  0, rc, nId);
            break;
        case CxKind::Tab:
            bOk = it.pCtl->Create(hParent, WC_TABCONTROLA, it.szText,
                                  dwVisible | WS_TABSTOP | WS_GROUP | WS_CLIPSIBLINGS, 0, rc, nId);
            break;
        case CxKind::List:
            bOk = it.pCtl->Create(hParent, WC_LISTVIEWA, it.szText,
                                  dwVisible | WS_TABSTOP | WS_GROUP | LVS_REPORT |
                                      LVS_SHOWSELALWAYS | LVS_SINGLESEL,
                                  WS_EX_CLIENTEDGE, rc, nId);
            if (bOk)
                static_cast<CxListView*>(it.pCtl)->InitReport(true);
            break;
        case CxKind::Progress:
            bOk = static_cast<CxProgressBar*>(it.pCtl)->Create(hParent, rc, nId);
            break;
        case CxKind::Picture:
            bOk = it.pCtl->Create(hParent, "STATIC", "", dwVisible | SS_BITMAP, 0, rc, nId);
            if (bOk)
                static_cast<CxPicture*>(it.pCtl)->SetBitmap(look::Logo());
            break;
        case CxKind::ClickLabel:
            bOk = static_cast<CxClickLabel*>(it.pCtl)->Create(hParent, it.szText, rc, nId);
            break;
        case CxKind::DropList:
            bOk = it.pCtl->Create(hParent, "COMBOBOX", it.szText,
                                  dwVisible | WS_TABSTOP | WS_GROUP | WS_VSCROLL | CBS_DROPDOWNLIST,
                                  0, rc, nId);
            break;
        }
        if (bOk && (it.dwAdd != 0 || it.dwRemove != 0)) {
            HWND hCtl = it.pCtl->Handle();
            LONG_PTR nStyle = GetWindowLongPtrA(hCtl, GWL_STYLE);
            SetWindowLongPtrA(hCtl, GWL_STYLE,
                              (nStyle | static_cast<LONG_PTR>(it.dwAdd)) &
                                  ~static_cast<LONG_PTR>(it.dwRemove));
        }
        bAll = bAll && bOk;
    }
    return bAll;
}
