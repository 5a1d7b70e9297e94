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
#include "Waitwindow.h"

#include "common/lotus/CxLNAddr.h"
#include "common/lotus/CxLNDate.h"
#include "common/lotus/CxLNNote.h"
#include "common/lotus/CxLNTask.h"

#include "common/misc/CxDebugUtil.h"
#include "common/misc/CxIniUtil.h"
#include "diagnostics/Debugger.h"
#include "common/misc/WinUtil.h"
#include "ui/CxLayout.h"
#include "ui/CxLook.h"
#include "ui/CxModal.h"

#include <cstdio>
#include <new>

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
    btnDebug.onClick = [this] { btnDebugClick(); };
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
    // A hook's message box runs a message loop; a click that reaches the window meanwhile
    // must not start a second move inside the first.
    if (m_bInShowStep)
        return;
    m_bInShowStep = true;
    const int nBefore = m_steps.CurrentStep();
    m_steps.ShowStep(n);
    m_bInShowStep = false;
    if (m_steps.CurrentStep() == nBefore && n != nBefore)
        return;
    // The focus stays where it is unless its control went away with the move.
    HWND hFocus = GetFocus();
    if (hFocus != nullptr && IsChild(Handle(), hFocus) && IsWindowVisible(hFocus) &&
        IsWindowEnabled(hFocus))
        return;
    if (IsWindowVisible(Handle()))
        FocusFirstControl();
}

void TfmMain::FocusFirstControl() {
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

void TfmMain::btnDebugClick() {
    TfmDebug fmDebug;
    ModalUi().RunModal(Handle(), fmDebug);
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
        // The focus comes back to the control that had it when the window was left; the
        // first time, to the page's first control.
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND hFocus = GetFocus();
            if (hFocus != nullptr && IsChild(Handle(), hFocus))
                m_hLastFocus = hFocus;
        } else {
            if (m_hLastFocus != nullptr && IsWindow(m_hLastFocus) &&
                IsChild(Handle(), m_hLastFocus) && IsWindowVisible(m_hLastFocus) &&
                IsWindowEnabled(m_hLastFocus))
                SetFocus(m_hLastFocus);
            else
                FocusFirstControl();
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

// ---- The loaded data

namespace {

// The stores of the last loading run, owned here; Loaded() gives the rest of the program their
// record indexes and the duplicate lists.
struct Stores {
    std::unique_ptr<CxLNAddrUtil> pAddr;
    std::unique_ptr<CxLNDateUtil> pDate;
    std::unique_ptr<CxLNTaskUtil> pTask;
    std::unique_ptr<CxLNNoteUtil> pNote;
};
Stores g_Stores;

// What differs between the four kinds in a loading run.
struct LoadKind {
    const char* szWaitText;
    bool bPause;
    const char* szStatusFile;
};
const LoadKind kLoadKinds[4] = {
    {"Loading Lotus Notes Contacts...", true, "%sLNAddrStatus.dat"},
    {"Loading Lotus Notes Calendar...", false, "%sLNDateStatus.dat"},
    {"Loading Lotus Notes Tasks...", false, "%sLNTaskStatus.dat"},
    {"Loading Lotus Notes Notebook...", true, "%sLNNoteStatus.dat"},
};

// Hands a store every setting its helper needs, in the order the helper's parameters are built.
void Configure(CxLNBaseUtil& store, const AppSettings& s, const char* szWork, int nSlot) {
    store.SetWorkFolder(szWork);
    store.SetServerName(s.ServerName);
    store.SetUserName(s.UserName);
    store.SetPassword(s.Password);
    if (nSlot == 0)
        static_cast<CxLNAddrUtil&>(store).SetAddrFile(s.AddrFile);
    store.SetDatabase(nSlot == 3 ? s.NoteFile : s.MailDBName);
    // A notebook's helper signs in without an ID file.
    if (nSlot != 3)
        store.SetIDFile(s.IDFile);
    store.SetLogFolder(szWork);
    store.SetDebugEnabled(s.EnableDebug);
    store.SetLogLevel(s.LogLevel);
}

// Whether a kind has what it needs to load.
bool CanLoad(const AppSettings& s, int nSlot) {
    switch (nSlot) {
    case 0:
        return s.AddrFile[0] != '\0';
    case 1:
    case 2:
        return s.MailDBName[0] != '\0' || (s.ServerName[0] != '\0' && s.UserName[0] != '\0');
    case 3:
        return s.NoteFile[0] != '\0';
    default:
        return false;
    }
}

// Why a load that ran has failed, as far as the store lets us know.
std::string LoadFailureReason(CxLNBaseUtil& store, const char* szProgram) {
    if (store.HelperFailed() && store.LastHelperError()[0] != '\0')
        return store.LastHelperError();
    char szFolder[MAX_PATH] = "";
    GetProgramFolder(nullptr, szFolder, sizeof szFolder);
    std::string program = std::string(szFolder) + szProgram;
    if (GetFileAttributesA(program.c_str()) == INVALID_FILE_ATTRIBUTES)
        return "The helper program " + program + " was not found.";
    return std::string();
}

} // namespace

CxLNAddrUtil* LoadedAddrStore() {
    return g_Stores.pAddr.get();
}
CxLNDateUtil* LoadedDateStore() {
    return g_Stores.pDate.get();
}
CxLNTaskUtil* LoadedTaskStore() {
    return g_Stores.pTask.get();
}
CxLNNoteUtil* LoadedNoteStore() {
    return g_Stores.pNote.get();
}

bool TfmMain::LoadNotesData() {
    FreeNotesData();
    m_loadError.clear();
    g_Stores.pAddr.reset(new (std::nothrow) CxLNAddrUtil());
    g_Stores.pDate.reset(new (std::nothrow) CxLNDateUtil());
    g_Stores.pTask.reset(new (std::nothrow) CxLNTaskUtil());
    g_Stores.pNote.reset(new (std::nothrow) CxLNNoteUtil());
    if (!g_Stores.pAddr || !g_Stores.pDate || !g_Stores.pTask || !g_Stores.pNote) {
        CXLOG(0, "The record stores could not be made");
        FreeNotesData();
        return false;
    }
    CxLNBaseUtil* apStores[4] = {g_Stores.pAddr.get(), g_Stores.pDate.get(), g_Stores.pTask.get(),
                                 g_Stores.pNote.get()};

    const AppSettings& s = Settings();
    bool bResult = false;
    char szWork[260] = "";
    const int nSlot = KindSlot(s.AppFlag);
    if (!GetWorkFolder(szWork, sizeof szWork)) {
        // No store is handed a path that is not there.
        CXLOG(0, "The working folder could not be had for the loading run");
        m_loadError = "The working folder of Mirrowick could not be made.";
    } else if (nSlot < 0 || !CanLoad(s, nSlot)) {
        CXLOG(0, "Nothing to load for data type %d", static_cast<int>(s.AppFlag));
    } else {
        const LoadKind& kind = kLoadKinds[nSlot];
        CxLNBaseUtil& store = *apStores[nSlot];
        SetWaitText(kind.szWaitText);
        if (kind.bPause)
            Sleep(200);
        Configure(store, s, szWork, nSlot);
        char szStatus[300];
        snprintf(szStatus, sizeof szStatus, kind.szStatusFile, szWork);
        SetWaitStatusFile(szStatus);
        CXLOG(2, "Loading data type %d", static_cast<int>(s.AppFlag));
        bResult = store.Load();
        if (!bResult) {
            const char* aszPrograms[4] = {
                g_Stores.pAddr->Info().szProgram, g_Stores.pDate->Info().szProgram,
                g_Stores.pTask->Info().szProgram, g_Stores.pNote->Info().szProgram};
            m_loadError = LoadFailureReason(store, aszPrograms[nSlot]);
        }
    }

    LoadedData& data = Loaded();
    for (CxList*& pList : data.pDupList) {
        pList = new (std::nothrow) CxList();
        if (pList == nullptr) {
            CXLOG(0, "The duplicate lists could not be made");
            FreeNotesData();
            return false;
        }
    }
    data.pAddrIndex = g_Stores.pAddr->GetRecordIndex();
    data.pDateIndex = g_Stores.pDate->GetRecordIndex();
    data.pTaskIndex = g_Stores.pTask->GetRecordIndex();
    data.pNoteIndex = g_Stores.pNote->GetRecordIndex();
    return bResult;
}

void TfmMain::FreeNotesData() {
    LoadedData& data = Loaded();
    // The indexes go with their stores; the lists own no records.
    data.pAddrIndex = nullptr;
    data.pDateIndex = nullptr;
    data.pTaskIndex = nullptr;
    data.pNoteIndex = nullptr;
    g_Stores.pAddr.reset();
    g_Stores.pDate.reset();
    g_Stores.pTask.reset();
    g_Stores.pNote.reset();
    for (CxList*& pList : data.pDupList) {
        if (pList != nullptr) {
            pList->Clear();
            delete pList;
            pList = nullptr;
        }
    }
}
