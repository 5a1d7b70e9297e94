#include "Debugger.h"

#include "common/misc/CxDebugUtil.h"
#include "ui/CxLayout.h"
#include "wizard/AppSettings.h"

namespace {
const int kWidth = 440;
const int kHeight = 304;

// The levels offered, in this order; level 2 is not offered.
struct LevelItem {
    const char* szText;
    int nLevel;
};
const LevelItem kLevels[] = {
    {"Critical - Only log critical error information.", 0},
    {"High - Log high level debug information.", 1},
    {"Low - Log very detail debug information.", 3},
};
} // namespace

bool TfmDebug::Create(HWND hOwner) {
    if (!CreateFrame(hOwner, "Mirrowick Debug Log Options", kWidth, kHeight))
        return false;
    HWND hWnd = Handle();
    PaintBeneathChildren(hWnd);
    bool bOk = CreateLogoPanel(hWnd, kWidth, pLogo, imgLogo, lblName);
    bOk = bOk &&
          CreateLayout(hWnd, {
                                 {&cbEnable, CxKind::Check, "Enable Debug Log", 24, 116},
                                 {&lblLevel, CxKind::Label, "Set Debug Level:", 24, 148},
                                 {&cbxLevel, CxKind::DropList, "", 124, 144, 292, 120},
                                 {&gbInfo, CxKind::Group, " Debug Information ", 12, 180, 416, 78},
                                 {&lblFolder, CxKind::Label, "Log Folder:", 24, 203},
                                 {&edtFolder, CxKind::Edit, "", 96, 200, 292, 21, ES_READONLY},
                                 {&btnFolder, CxKind::Button, "...", 394, 199, 24, 23},
                                 {&lblFile, CxKind::Label, "Log File:", 24, 229},
                                 {&edtFile, CxKind::Edit, "", 96, 226, 292, 21, ES_READONLY},
                                 {&btnFile, CxKind::Button, "...", 394, 225, 24, 23},
                                 {&btnOK, CxKind::DefButton, "&OK", 252, 268, 80, 27},
                                 {&btnCancel, CxKind::Button, "&Cancel", 348, 268, 80, 27},
                             });
    lblName.onClick = [this] { imgLogoClick(); };
    btnFolder.onClick = [this] { btnFolderClick(); };
    btnFile.onClick = [this] { btnFileClick(); };
    btnOK.onClick = [this] { btnOKClick(); };
    btnCancel.onClick = [this] { EndModal(IDCANCEL); };
    if (bOk)
        FormCreate();
    return bOk;
}

void TfmDebug::FormCreate() {
    FillLogRows(m_pWorkFolder, edtFolder, btnFolder, edtFile, btnFile);
    const AppSettings& s = Settings();
    cbEnable.SetCheck(s.EnableDebug);
    cbxLevel.Clear();
    for (const LevelItem& item : kLevels)
        cbxLevel.AddItem(item.szText, item.nLevel);
    // Any level but 0 and 1 (2 written into the file by hand, or out of range) shows as Low.
    cbxLevel.Select(s.LogLevel == 0 ? 0 : (s.LogLevel == 1 ? 1 : 2));
}

void TfmDebug::btnOKClick() {
    AppSettings& s = Settings();
    s.EnableDebug = cbEnable.IsChecked();
    const int nItem = cbxLevel.Selected();
    s.LogLevel = nItem == 0 ? 0 : (nItem == 1 ? 1 : 3);
    CxDebugUtil& log = CxDebugUtil::Instance();
    log.SetEnabled(s.EnableDebug);
    log.SetLevel(s.LogLevel);
    CXLOG(2, "Debug log %s, level %d", s.EnableDebug ? "on" : "off", static_cast<int>(s.LogLevel));
    EndModal(IDOK);
}
