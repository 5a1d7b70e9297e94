#include "Main.h"

#include "AppSettings.h"
#include "Apputil.h"
#include "LoadedData.h"
#include "Lnaddroption.h"
#include "Lnclean.h"
#include "Lndata.h"
#include "Lndateoption.h"
#include "Lnnoteoption.h"
#include "Lnremoteaccess.h"
#include "Lnsource.h"
#include "Lntaskoption.h"

#include "common/misc/CxDebugUtil.h"
#include "common/misc/CxIniUtil.h"
#include "common/misc/WinUtil.h"
#include "ui/CxLayout.h"
#include "ui/CxLook.h"

#include <cstdio>

const char kMainTitle[] = "Mirrowick - Remove Duplicates in Lotus Notes Contacts and Calendar";
const char kAppTitle[] = "Mirrowick";

namespace {
const int kClientWidth = 794;
const int kClientHeight = 594;
const int kTopHeight = 113;
const int kPagesTop = 128;
const int kPagesHeight = 397;
const int kBottomHeight = 54;

// The first control of the visible page that takes the focus, or none.
HWND FirstTabStop(HWND hPage) {
    HWND hFirst = GetNextDlgTabItem(hPage, nullptr, FALSE);
    return hFirst != nullptr && IsChild(hPage, hFirst) ? hFirst : nullptr;
}
} // namespace

TfmMain::TfmMain() : m_steps(*this, Settings().AppFlag) {}

TfmMain::~TfmMain() {
    Destroy();
}

bool TfmMain::Create(bool bShow) {
    const DWORD dwStyle =
        WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
    const DWORD dwExStyle = WS_EX_CONTROLPARENT | WS_EX_APPWINDOW;
    RECT rc = {0, 0, look::Scale(kClientWidth), look::Scale(kClientHeight)};
    AdjustWindowRectEx(&rc, dwStyle, FALSE, dwExStyle);
    const int w = rc.right - rc.left, h = rc.bottom - rc.top;
    RECT rcWork;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &rcWork, 0);
    int x = rcWork.left + (rcWork.right - rcWork.left - w) / 2;
    int y = rcWork.top + (rcWork.bottom - rcWork.top - h) / 2;
    if (x < rcWork.left)
        x = rcWork.left;
    if (y < rcWork.top)
        y = rcWork.top;
    const char* szClass =
        RegisterClass("MirrowickMain", look::ProgramIcon(true), look::ProgramIcon(false));
    if (!CreateWindowOf(szClass, dwExStyle, kMainTitle, dwStyle, x, y, w, h, nullptr))
        return false;
    if (bShow) {
        ShowWindow(Handle(), SW_SHOW);
        UpdateWindow(Handle());
    }
    return true;
}

bool TfmMain::CreateControls() {
    HWND hWnd = Handle();
    auto panel = [&](CxPanel& p, int y, int hgt, COLORREF cr, CxPanel::Edge edge) {
        RECT r = look::ScaleRect(0, y, kClientWidth, hgt);
        return p.Create(hWnd, r.left, r.top, r.right - r.left, r.bottom - r.top, cr, edge);
    };
    bool bOk =
        panel(pTop, 0, kTopHeight, look::kWhite, CxPanel::Edge::BottomLine) &&
        panel(pClient, kPagesTop, kPagesHeight, GetSysColor(COLOR_BTNFACE), CxPanel::Edge::None) &&
        panel(pBottom, kClientHeight - kBottomHeight, kBottomHeight, GetSysColor(COLOR_BTNFACE),
              CxPanel::Edge::TopLine);
    if (!bOk)
        return false;
    bOk = CreateLayout(pTop.Handle(),
                       {
                           {&imgLogo, CxKind::Picture, "", 24, 20, 75, 73},
                           {&Label1, CxKind::Label, "Mirrowick", 116, 26, 400, 30},
                           {&lblStep, CxKind::Label, "Description of this step", 118, 66, 660, 16},
                       });
    Label1.SetFont(look::HeaderFont());
    Label1.SetTextColor(look::kHeaderBlue);
    bOk = bOk && CreateLayout(pBottom.Handle(),
                              {
                                  {&btnHelp, CxKind::Button, "&Help", 12, 14, 80, 27},
                                  {&btnDebug, CxKind::Button, "&Troubleshooting", 100, 14, 120, 27},
                                  {&btnPrev, CxKind::Button, "<  &Prev", 522, 14, 80, 27},
                                  {&btnNext, CxKind::DefButton, "&Next  >", 606, 14, 80, 27},
                                  {&btnCancel, CxKind::Button, "&Close", 702, 14, 80, 27},
                              });
    btnNext.onClick = [this] { btnNextClick(); };
    btnPrev.onClick = [this] { btnPrevClick(); };
    btnCancel.onClick = [this] { btnCancelClick(); };
    btnHelp.onClick = [this] { btnHelpClick(); };
    // The debug-options dialog comes with the diagnostics; until then the button is off.
    btnDebug.Enable(false);
    return bOk;
}

bool TfmMain::FormCreate() {
    m_hInstance = GetModuleHandleA(nullptr);
    m_bHaveWorkFolder = GetWorkFolder(m_szWorkFolder, sizeof m_szWorkFolder);
    if (m_bHaveWorkFolder) {
        char szIni[300];
        snprintf(szIni, sizeof szIni, "%spellora.ini", m_szWorkFolder);
        SettingsIni().IniSetFile(szIni);
    }
    LoadSettings(SettingsIni(), Settings());
    CxDebugUtil& log = CxDebugUtil::Instance();
    if (m_bHaveWorkFolder)
        log.SetFolder(m_szWorkFolder);
    log.SetEnabled(Settings().EnableDebug);
    log.SetLevel(Settings().LogLevel);
    CXLOG(2, "Mirrowick starts; settings file %s", SettingsIni().GetFile());
    if (!CreatePages())
        return false;
    Loaded() = LoadedData{};
    ShowStep(0);
    return true;
}

bool TfmMain::CreatePages() {
    IWizardHost& host = *this;
    m_apPages[kPageSource] = std::make_unique<TfmLNSource>(host);
    m_apPages[kPageAddr] = std::make_unique<TfmLNAddrOption>(host);
    m_apPages[kPageDate] = std::make_unique<TfmLNDateOption>(host);
    m_apPages[kPageTask] = std::make_unique<TfmLNTaskOption>(host);
    m_apPages[kPageNote] = std::make_unique<TfmLNNoteOption>(host);
    m_apPages[kPageAccess] = std::make_unique<TfmLNRemoteAccess>(host);
    m_apPages[kPageData] = std::make_unique<TfmLNData>(host);
    m_apPages[kPageClean] = std::make_unique<TfmLNClean>(host);
    for (int i = 0; i < kPageCount; ++i) {
        if (!m_apPages[i]->Create(pClient.Handle())) {
            CXLOG(0, "Creating wizard page %d failed", i);
            return false;
        }
        m_steps.SetPage(i, m_apPages[i].get());
    }
    return true;
}

void TfmMain::FreePages() {
    for (int i = 0; i < kPageCount; ++i) {
        m_steps.SetPage(i, nullptr);
        m_apPages[i].reset();
    }
}

void TfmMain::FormDestroy() {
    SaveSettings(SettingsIni(), Settings());
    FreeNotesData();
    FreePages();
    CXLOG(2, "Mirrowick ends");
}

void TfmMain::ShowStep(int n) {
    const int nBefore = m_steps.CurrentStep();
    m_steps.ShowStep(n);
    if (m_steps.CurrentStep() == nBefore && n != nBefore)
        return;
    // The focus stays where it is unless its control went away with the move.
    HWND hFocus = GetFocus();
    if (hFocus != nullptr && IsChild(Handle(), hFocus) && IsWindowVisible(hFocus) &&
        IsWindowEnabled(hFocus))
        return;
    if (!IsWindowVisible(Handle()))
        return;
    TfmWizardPage* pPage =
        m_apPages[CxStepController::StepPage(CurrentStep(), Settings().AppFlag)].get();
    HWND hFirst = pPage != nullptr ? FirstTabStop(pPage->Handle()) : nullptr;
    SetFocus(hFirst != nullptr ? hFirst : (btnNext.IsEnabled() ? btnNext : btnCancel).Handle());
}

void TfmMain::UpdateStepControls() {
    m_steps.UpdateStepControls();
}

void TfmMain::SetStepHint(const char* szText) {
    m_steps.SetStepHint(szText);
    // The loading run blocks the window right after: the hint shows at once.
    UpdateWindow(lblStep.Handle());
}

void TfmMain::SetPageVisible(int nPage, bool bVisible) {
    if (nPage >= 0 && nPage < kPageCount && m_apPages[nPage])
        m_apPages[nPage]->Show(bVisible);
}

void TfmMain::btnNextClick() {
    ShowStep(CurrentStep() + 1);
}

void TfmMain::btnPrevClick() {
    ShowStep(CurrentStep() - 1);
}

void TfmMain::btnCancelClick() {
    // Closed once the click has been handled, whatever the caption; no confirmation.
    PostMessageA(Handle(), WM_CLOSE, 0, 0);
}

void TfmMain::btnHelpClick() {
    char szFolder[MAX_PATH] = "";
    GetProgramFolder(nullptr, szFolder, sizeof szFolder);
    char szPath[MAX_PATH + 16];
    snprintf(szPath, sizeof szPath, "%sMirrowick.chm", szFolder);
    OpenWithShell(szPath);
}

LRESULT TfmMain::HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) {
    switch (uMsg) {
    case WM_CREATE:
        if (!CreateControls() || !FormCreate())
            return -1;
        return 0;
    case WM_DESTROY:
        FormDestroy();
        if (m_bQuitOnDestroy)
            PostQuitMessage(0);
        break;
    case WM_ACTIVATE:
        // The focus comes back to the control that had it when the window was left.
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND hFocus = GetFocus();
            if (hFocus != nullptr && IsChild(Handle(), hFocus))
                m_hLastFocus = hFocus;
        } else if (m_hLastFocus != nullptr && IsWindow(m_hLastFocus) &&
                   IsChild(Handle(), m_hLastFocus) && IsWindowVisible(m_hLastFocus) &&
                   IsWindowEnabled(m_hLastFocus)) {
            SetFocus(m_hLastFocus);
            return 0;
        }
        break;
    case WM_COMMAND:
        // Enter and Esc as the dialog manager reports them.
        if (lParam == 0 && LOWORD(wParam) == IDOK) {
            btnNext.Click();
            return 0;
        }
        if (lParam == 0 && LOWORD(wParam) == IDCANCEL) {
            btnCancel.Click();
            return 0;
        }
        break;
    default:
        break;
    }
    return DefaultMessage(uMsg, wParam, lParam);
}

bool TfmMain::LoadNotesData() {
    return false;
}

void TfmMain::FreeNotesData() {}
