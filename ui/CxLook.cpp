#include "CxLook.h"

#include "CxGdi.h"

namespace look {
namespace {

int ScreenDpi() {
    static int s_nDpi = [] {
        HDC hdc = GetDC(nullptr);
        int n = hdc != nullptr ? GetDeviceCaps(hdc, LOGPIXELSY) : 96;
        if (hdc != nullptr)
            ReleaseDC(nullptr, hdc);
        return n > 0 ? n : 96;
    }();
    return s_nDpi;
}

LOGFONTA MessageFont() {
    NONCLIENTMETRICSA ncm{};
    ncm.cbSize = sizeof ncm;
    if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0))
        return ncm.lfMessageFont;
    LOGFONTA lf{};
    lf.lfHeight = -Scale(11);
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(lf.lfFaceName, "Tahoma", LF_FACESIZE);
    return lf;
}

HFONT MakeFont(LOGFONTA lf) {
    return CreateFontIndirectA(&lf);
}

} // namespace

int Scale(int n96) {
    return MulDiv(n96, ScreenDpi(), 96);
}

RECT ScaleRect(int x, int y, int w, int h) {
    RECT rc = {Scale(x), Scale(y), Scale(x + w), Scale(y + h)};
    return rc;
}

HFONT NormalFont() {
    static CxFont s_Font(MakeFont(MessageFont()));
    return s_Font.Get();
}

HFONT BoldFont() {
    static CxFont s_Font([] {
        LOGFONTA lf = MessageFont();
        lf.lfWeight = FW_BOLD;
        return MakeFont(lf);
    }());
    return s_Font.Get();
}

HFONT LinkFont() {
    static CxFont s_Font([] {
        LOGFONTA lf = MessageFont();
        lf.lfUnderline = TRUE;
        return MakeFont(lf);
    }());
    return s_Font.Get();
}

HFONT HeaderFont() {
    static CxFont s_Font([] {
        LOGFONTA lf{};
        lf.lfHeight = -Scale(21);
        lf.lfWeight = FW_BOLD;
        lf.lfCharSet = DEFAULT_CHARSET;
        lf.lfQuality = CLEARTYPE_QUALITY;
        lstrcpynA(lf.lfFaceName, "Verdana", LF_FACESIZE);
        return MakeFont(lf);
    }());
    return s_Font.Get();
}

HBRUSH SilverBrush() {
    static CxBrush s_Brush(CreateSolidBrush(kSilver));
    return s_Brush.Get();
}

HBRUSH WhiteBrush() {
    return static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
}

HBRUSH FaceBrush() {
    return GetSysColorBrush(COLOR_BTNFACE);
}

HBITMAP Logo() {
    static CxBitmap s_Logo(
        static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(kLogoId),
                                        IMAGE_BITMAP, Scale(75), Scale(73), LR_CREATEDIBSECTION)));
    return s_Logo.Get();
}

HICON ProgramIcon(bool bLarge) {
    int n = GetSystemMetrics(bLarge ? SM_CXICON : SM_CXSMICON);
    // Shared icons are owned by the system and need no freeing.
    return static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(kIconId),
                                         IMAGE_ICON, n, n, LR_SHARED));
}

} // namespace look
