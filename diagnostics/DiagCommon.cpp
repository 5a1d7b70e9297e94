#include "DiagCommon.h"

#include "common/misc/Product.h"
#include "common/misc/WinUtil.h"
#include "ui/CxLayout.h"
#include "ui/CxLook.h"
#include "ui/CxModal.h"

#include <cstdio>
#include <string>

void PaintBeneathChildren(HWND hDialog) {
    SetWindowLongPtrA(hDialog, GWL_STYLE, GetWindowLongPtrA(hDialog, GWL_STYLE) & ~WS_CLIPCHILDREN);
}

bool CreateLogoPanel(HWND hDialog, int nWidth, CxPanel& pLogo, CxPicture& imgLogo,
                     CxClickLabel& lblName) {
    const RECT rc = look::ScaleRect(12, 12, nWidth - 24, 90);
    if (!pLogo.Create(hDialog, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top,
                      look::kWhite, CxPanel::Edge::Raised))
        return false;
    bool bOk =
        CreateLayout(pLogo.Handle(), {
                                         {&imgLogo, CxKind::Picture, "", 10, 8, 75, 73},
                                         {&lblName, CxKind::ClickLabel, "Mirrowick", 100, 30,
                                          TextWidth96(look::HeaderFont(), "Mirrowick") + 4, 30},
                                     });
    if (!bOk)
        return false;
    imgLogo.Enable(false);
    lblName.SetFont(look::HeaderFont());
    lblName.SetTextColor(look::kHeaderBlue);
    return true;
}

void OpenProductPage() {
    OpenWithShell(kProductPage);
}

void FillLogRows(WorkFolderProc pWorkFolder, CxEdit& edtFolder, CxButton& btnFolder,
                 CxEdit& edtFile, CxButton& btnFile) {
    char szFolder[260] = "";
    const bool bHave = pWorkFolder != nullptr && pWorkFolder(szFolder, sizeof szFolder);
    if (bHave) {
        char szFile[300];
        snprintf(szFile, sizeof szFile, "%sappdebug.log", szFolder);
        edtFolder.SetText(szFolder);
        edtFile.SetText(szFile);
    } else {
        edtFolder.SetText("");
        edtFile.SetText("");
    }
    btnFolder.Enable(bHave);
    btnFile.Enable(bHave);
}

void OpenLogFolder(const CxEdit& edtFolder) {
    OpenWithShell(edtFolder.GetText().c_str());
}

void OpenLogFile(HWND hOwner, const CxEdit& edtFile) {
    const std::string path = edtFile.GetText();
    DWORD nAttributes = GetFileAttributesA(path.c_str());
    if (path.empty() || nAttributes == INVALID_FILE_ATTRIBUTES ||
        (nAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        ModalUi().ShowMessageBox(hOwner, "Debug log file doesn't exist", "Error",
                                 MB_OK | MB_ICONINFORMATION);
        return;
    }
    OpenWithShell(path.c_str());
}
