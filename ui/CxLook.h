// The look shared by every window: dpi scaling, fonts, colours, the logo.
#pragma once

#include <windows.h>

namespace look {

// Positions and sizes are given for 96 dots per inch and scaled once by the screen's dpi.
int Scale(int n96);
RECT ScaleRect(int x, int y, int w, int h);

// The user's message font (the dialogs' font), its bold form, the same underlined for links,
// and the header font: "Verdana" bold, 21 pixels.
HFONT NormalFont();
HFONT BoldFont();
HFONT LinkFont();
HFONT HeaderFont();

// Colours of the look.
const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kSilver = RGB(192, 192, 192);  // background of a disabled edit
const COLORREF kHeaderBlue = RGB(0, 51, 153); // the product name in the header
const COLORREF kTextBlue = RGB(0, 0, 192);    // blue labels
const COLORREF kLinkBlue = RGB(0, 0, 238);    // links
const COLORREF kBlockBlue = RGB(0, 128, 192); // the wait window's blocks

HBRUSH SilverBrush();
HBRUSH WhiteBrush();
HBRUSH FaceBrush();

// The product logo (75 x 73 at 96 dpi) drawn on white, from the program's resources; null
// when the module has none.
HBITMAP Logo();
// The program icon, large or small.
HICON ProgramIcon(bool bLarge);

// Resource ids of the program's art.
const int kIconId = 1;
const int kLogoId = 101;

} // namespace look
