// Layout as data: a window lists its controls in a table of kind, wrapper, caption, position and
// size (96-dpi pixels), and CreateLayout makes them in table order, which is also the Tab order.
#pragma once

#include "CxControls.h"

#include <initializer_list>

enum class CxKind {
    Label,      // static text, no mnemonics
    MultiLabel, // static text that wraps
    Link,       // CxLinkLabel
    Button,     // push button
    DefButton,  // the default push button
    Check,      // auto check box
    RadioFirst, // auto radio button that starts a group
    Radio,      // auto radio button of the same group
    Edit,       // single-line edit
    Password,   // single-line edit showing "*"
    Memo,       // multi-line edit with both scroll bars, read-only
    Group,      // group box
    Tab,        // tab control
    List,       // report list view
    Progress,   // CxProgressBar
    Picture,    // bitmap
    ClickLabel, // CxClickLabel
    DropList,   // CxComboBox, pick-only; the height is that of the open list
};

struct CxLayoutItem {
    CxControl* pCtl;
    CxKind kind;
    const char* szText;
    int x, y;
    int w = 0; // 0: the width of the text (labels, links, check boxes, radio buttons)
    int h = 0; // 0: the kind's usual height
    // Styles added to and taken from the kind's own (WS_GROUP, WS_TABSTOP, SS_*, ES_*).
    DWORD dwAdd = 0;
    DWORD dwRemove = 0;
};

// Common adjustments: a control that does not start a new group (it belongs to the radio
// group before it), and a radio button that is a Tab stop of its own.
const DWORD kInGroup = WS_GROUP;
const DWORD kTabStop = WS_TABSTOP;

// Creates every control of the table on hParent. False when any could not be created.
bool CreateLayout(HWND hParent, std::initializer_list<CxLayoutItem> items);

// The width in 96-dpi pixels that a text needs in a font.
int TextWidth96(HFONT hFont, const char* szText);
// The height in 96-dpi pixels that a text needs when it wraps at nWidth96.
int TextHeight96(HFONT hFont, const char* szText, int nWidth96);
