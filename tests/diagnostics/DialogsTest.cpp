// The debug options dialog and the exception dialog on real (hidden) windows, answered through
// the modal stand-in; and the one place that routes a failure to the exception dialog.
#include "diagnostics/Debugger.h"
#include "diagnostics/Dump.h"

#include "common/misc/CxDebugUtil.h"
#include "common/misc/CxIniUtil.h"
#include "common/misc/WinUtil.h"
#include "ui/CxUiError.h"
#include "wizard/AppSettings.h"
#include "wizard/Apputil.h"

#include "TestUtil.h"
#include "ui/FakeModalUi.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

std::vector<std::string> g_opened;
std::string g_folder;

bool HaveFolder(char* szBuf, size_t nSize) {
    snprintf(szBuf, nSize, "%s", g_folder.c_str());
    return true;
}
bool NoFolder(char*, size_t) {
    return false;
}

void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// A stand-in for the main window: it counts the close requests it gets.
class MainStandIn : public CxWindow {
public:
    int nCloses = 0;
    bool Create() {
        return CreateWindowOf(RegisterClass("MwDiagTestMain"), 0, "Main stand-in",
                              WS_OVERLAPPED | WS_CAPTION, 0, 0, 300, 200, nullptr);
    }

protected:
    LRESULT HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) override {
        if (uMsg == WM_CLOSE) {
            ++nCloses;
            return 0;
        }
        return DefaultMessage(uMsg, wParam, lParam);
    }
};

// Every test gets its own log folder and working folder, the modal stand-in and the shell
// hook; the log's state and the two settings are put back afterwards.
class Diag : public ::testing::Test {
protected:
    FakeModalUi modal;
    testutil::TempDir work;
    MainStandIn main;
    std::string savedFolder;
    bool bSavedEnabled = false;
    int nSavedLevel = 0;
    AppSettings savedSettings = Settings();

    void SetUp() override {
        CxDebugUtil& log = CxDebugUtil::Instance();
        savedFolder = log.GetFolder();
        bSavedEnabled = log.IsEnabled();
        nSavedLevel = log.GetLevel();
        log.SetFolder(work.Folder().c_str());
        g_folder = work.Folder();
        g_opened.clear();
        SetShellOpenHook([](const char* sz) { g_opened.push_back(sz); });
        ASSERT_TRUE(main.Create());
    }
    void TearDown() override {
        SetShellOpenHook(nullptr);
        CxDebugUtil& log = CxDebugUtil::Instance();
        log.SetFolder(savedFolder.c_str());
        log.SetEnabled(bSavedEnabled);
        log.SetLevel(nSavedLevel);
        Settings() = savedSettings;
    }
    std::string LogText() { return testutil::ReadText(work.Path("appdebug.log")); }
    // Runs a dialog through the stand-in; the action drives it while it "runs".
    template <typename TDialog>
    int Run(TDialog& dialog, std::function<void(TDialog&)> action, HWND hOwner = nullptr) {
        modal.onModal = [&](CxModalWindow& w) {
            if (auto* p = dynamic_cast<TDialog*>(&w))
                action(*p);
        };
        return ModalUi().RunModal(hOwner != nullptr ? hOwner : main.Handle(), dialog);
    }
};

bool HasStyle(const CxControl& c, LONG_PTR nStyle) {
    return (GetWindowLongPtrA(c.Handle(), GWL_STYLE) & nStyle) == nStyle;
}

// ---- TfmDebug

TEST_F(Diag, TheDebugDialogShowsTheLevelsTheSwitchAndWhereTheLogIs) {
    Settings().EnableDebug = true;
    Settings().LogLevel = 1;
    TfmDebug dialog(HaveFolder);
    Run<TfmDebug>(dialog, [&](TfmDebug& d) {
        EXPECT_EQ(d.Caption(), "Mirrowick Debug Log Options");
        EXPECT_FALSE(GetWindowLongPtrA(d.Handle(), GWL_STYLE) & WS_THICKFRAME) << "fixed size";
        EXPECT_EQ(d.lblName.GetText(), "Mirrowick");
        EXPECT_FALSE(d.imgLogo.IsEnabled());
        EXPECT_EQ(d.cbEnable.GetText(), "Enable Debug Log");
        EXPECT_TRUE(d.cbEnable.IsChecked());
        EXPECT_EQ(d.lblLevel.GetText(), "Set Debug Level:");
        EXPECT_TRUE(HasStyle(d.cbxLevel, CBS_DROPDOWNLIST)) << "pick-only";
        const std::pair<const char*, LPARAM> items[] = {
            {"Critical - Only log critical error information.", 0},
            {"High - Log high level debug information.", 1},
            {"Low - Log very detail debug information.", 3},
        };
        ASSERT_EQ(d.cbxLevel.Count(), 3);
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(d.cbxLevel.ItemText(i), items[i].first);
            EXPECT_EQ(d.cbxLevel.ItemData(i), items[i].second);
        }
        EXPECT_EQ(d.cbxLevel.Selected(), 1);
        EXPECT_EQ(d.gbInfo.GetText(), " Debug Information ");
        EXPECT_EQ(d.lblFolder.GetText(), "Log Folder:");
        EXPECT_EQ(d.lblFile.GetText(), "Log File:");
        EXPECT_EQ(d.edtFolder.GetText(), work.Folder());
        EXPECT_EQ(d.edtFile.GetText(), work.Folder() + "appdebug.log");
        EXPECT_TRUE(HasStyle(d.edtFolder, ES_READONLY));
        EXPECT_TRUE(HasStyle(d.edtFile, ES_READONLY));
        EXPECT_TRUE(d.btnFolder.IsEnabled());
        EXPECT_EQ(d.btnOK.GetText(), "&OK");
        EXPECT_EQ(d.btnCancel.GetText(), "&Cancel");
        d.lblName.Click();
    });
    EXPECT_EQ(g_opened, std::vector<std::string>{"https://www.pellora.example/mirrowick/"});
    EXPECT_EQ(modal.modalCaptions, std::vector<std::string>{"Mirrowick Debug Log Options"});
}

TEST_F(Diag, TheStoredLevelPicksItsItemAndOkStoresTheItemsLevel) {
    // Level 2 is not offered: it shows as Low, and OK makes it 3.
    const struct {
        int nStored, nItem, nAfterOk;
    } cases[] = {{0, 0, 0}, {1, 1, 1}, {2, 2, 3}, {3, 2, 3}, {7, 2, 3}, {-1, 2, 3}};
    for (const auto& c : cases) {
        Settings().LogLevel = c.nStored;
        TfmDebug dialog(HaveFolder);
        int nSelected = -2;
        EXPECT_EQ(Run<TfmDebug>(dialog,
                                [&](TfmDebug& d) {
                                    nSelected = d.cbxLevel.Selected();
                                    d.btnOK.Click();
                                }),
                  IDOK);
        EXPECT_EQ(nSelected, c.nItem) << c.nStored;
        EXPECT_EQ(Settings().LogLevel, c.nAfterOk) << c.nStored;
        EXPECT_EQ(CxDebugUtil::Instance().GetLevel(), c.nAfterOk) << c.nStored;
    }
}

TEST_F(Diag, OkAppliesSwitchAndLevelToTheLogAtOnceCancelChangesNothing) {
    Settings().EnableDebug = true;
    Settings().LogLevel = 3;
    CxDebugUtil::Instance().SetEnabled(true);
    CxDebugUtil::Instance().SetLevel(3);
    // Switched off with Critical chosen: OK still stores level 0; failures are still written.
    TfmDebug off(HaveFolder);
    Run<TfmDebug>(off, [](TfmDebug& d) {
        d.cbEnable.SetCheck(false);
        d.cbxLevel.Select(0);
        d.btnOK.Click();
    });
    EXPECT_FALSE(Settings().EnableDebug);
    EXPECT_EQ(Settings().LogLevel, 0);
    EXPECT_FALSE(CxDebugUtil::Instance().IsEnabled());
    EXPECT_EQ(CxDebugUtil::Instance().GetLevel(), 0);
    CXLOG(1, "a detail");
    CXLOG(0, "a failure");
    const std::string text = LogText();
    EXPECT_NE(text.find("] - a failure"), std::string::npos);
    EXPECT_EQ(text.find("a detail"), std::string::npos);

    // A level chosen while the log stays off; then Cancel and Esc leave everything alone.
    TfmDebug high(HaveFolder);
    Run<TfmDebug>(high, [](TfmDebug& d) {
        d.cbxLevel.Select(1);
        d.btnOK.Click();
    });
    EXPECT_FALSE(Settings().EnableDebug);
    EXPECT_EQ(Settings().LogLevel, 1);
    for (UINT nEnd : {0u, 1u}) {
        TfmDebug cancel(HaveFolder);
        EXPECT_EQ(Run<TfmDebug>(cancel,
                                [&](TfmDebug& d) {
                                    d.cbEnable.SetCheck(true);
                                    d.cbxLevel.Select(2);
                                    if (nEnd == 0)
                                        d.btnCancel.Click();
                                    else
                                        SendMessageA(d.Handle(), WM_COMMAND, IDCANCEL, 0);
                                }),
                  IDCANCEL);
        EXPECT_FALSE(Settings().EnableDebug) << nEnd;
        EXPECT_EQ(Settings().LogLevel, 1) << nEnd;
        EXPECT_FALSE(CxDebugUtil::Instance().IsEnabled()) << nEnd;
        EXPECT_EQ(CxDebugUtil::Instance().GetLevel(), 1) << nEnd;
    }
}

// ---- The log rows, in both dialogs

struct Rows {
    CxEdit* edtFolder;
    CxEdit* edtFile;
    CxButton* btnFolder;
    CxButton* btnFile;
};

// Runs each dialog with the action on its rows.
void ForBothDialogs(FakeModalUi& modal, WorkFolderProc pFolder, HWND hMain,
                    const std::function<void(CxModalWindow&, Rows)>& action) {
    modal.onModal = [&](CxModalWindow& w) {
        if (auto* p = dynamic_cast<TfmDebug*>(&w))
            action(w, {&p->edtFolder, &p->edtFile, &p->btnFolder, &p->btnFile});
        else if (auto* q = dynamic_cast<TfmDump*>(&w))
            action(w, {&q->edtFolder, &q->edtFile, &q->btnFolder, &q->btnFile});
    };
    TfmDebug debug(pFolder);
    ModalUi().RunModal(hMain, debug);
    TfmDump dump(hMain, pFolder);
    ModalUi().RunModal(hMain, dump);
}

TEST_F(Diag, WithoutAWorkingFolderTheRowsStayEmptyAndTheirButtonsOff) {
    int nSeen = 0;
    ForBothDialogs(modal, NoFolder, main.Handle(), [&](CxModalWindow& w, Rows r) {
        ++nSeen;
        EXPECT_EQ(r.edtFolder->GetText(), "") << w.Caption();
        EXPECT_EQ(r.edtFile->GetText(), "") << w.Caption();
        EXPECT_FALSE(r.btnFolder->IsEnabled()) << w.Caption();
        EXPECT_FALSE(r.btnFile->IsEnabled()) << w.Caption();
    });
    EXPECT_EQ(nSeen, 2);
}

TEST_F(Diag, TheRowButtonsOpenFolderAndLogOrSayThatThereIsNoLog) {
    const std::string log = work.Path("appdebug.log");
    ForBothDialogs(modal, HaveFolder, main.Handle(), [&](CxModalWindow& w, Rows r) {
        DeleteFileA(log.c_str());
        g_opened.clear();
        modal.boxes.clear();
        r.btnFile->Click();
        ASSERT_EQ(modal.boxes.size(), 1u) << w.Caption();
        EXPECT_EQ(modal.boxes[0].text, "Debug log file doesn't exist");
        EXPECT_EQ(modal.boxes[0].caption, "Error");
        EXPECT_EQ(modal.boxes[0].uType & MB_ICONMASK, static_cast<UINT>(MB_ICONINFORMATION));
        EXPECT_EQ(modal.boxes[0].hOwner, w.Handle());
        EXPECT_TRUE(g_opened.empty());

        CXLOG(0, "a line, so that there is a log");
        r.btnFile->Click();
        r.btnFolder->Click();
        EXPECT_EQ(modal.boxes.size(), 1u);
        EXPECT_EQ(g_opened, (std::vector<std::string>{log, work.Folder()})) << w.Caption();
    });
}

// ---- TfmDump

TEST_F(Diag, TheExceptionDialogApologisesAndPointsToSupportAndLog) {
    TfmDump dialog(main.Handle(), HaveFolder);
    Run<TfmDump>(dialog, [&](TfmDump& d) {
        EXPECT_EQ(d.Caption(), "Handle Mirrowick Exception");
        EXPECT_FALSE(GetWindowLongPtrA(d.Handle(), GWL_STYLE) & WS_THICKFRAME) << "fixed size";
        EXPECT_EQ(d.lblName.GetText(), "Mirrowick");
        EXPECT_FALSE(d.imgLogo.IsEnabled());
        EXPECT_EQ(d.lblSorry.GetText(),
                  "We're sorry that an unhandled exception occurred  in Mirrowick.");
        EXPECT_EQ(d.lblContact.GetText(), "Please contact us at:");
        EXPECT_EQ(d.lblSupport.GetText(), "support@pellora.example");
        EXPECT_EQ(d.gbInfo.GetText(), " Debug Information ");
        EXPECT_EQ(d.lblInfo.GetText(), "It is very appreciated if you can include the debug "
                                       "information in your error report.");
        EXPECT_EQ(d.edtFile.GetText(), work.Folder() + "appdebug.log");
        EXPECT_EQ(d.btnDebug.GetText(), "&Debug Options");
        EXPECT_EQ(d.btnOK.GetText(), "&OK");
        EXPECT_EQ(d.btnExit.GetText(), "Quit Mirrowick");
        // The information line is not cut: the rows lie below all of its lines.
        RECT rcInfo, rcFolder;
        GetWindowRect(d.lblInfo.Handle(), &rcInfo);
        GetWindowRect(d.edtFolder.Handle(), &rcFolder);
        EXPECT_LE(rcInfo.bottom, rcFolder.top);
        d.lblSupport.Click();
        d.lblName.Click();
    });
    EXPECT_EQ(g_opened, (std::vector<std::string>{
                            "mailto:support@pellora.example?subject=Mirrowick%20Bug%20Report",
                            "https://www.pellora.example/mirrowick/"}));
}

TEST_F(Diag, DebugOptionsOpenOverTheExceptionDialogWhichStaysOpen) {
    TfmDump dump(main.Handle(), HaveFolder);
    HWND hDumpWindow = nullptr, hDebugOwner = nullptr;
    bool bDumpEnded = true;
    modal.onModal = [&](CxModalWindow& w) {
        if (auto* pDump = dynamic_cast<TfmDump*>(&w)) {
            hDumpWindow = pDump->Handle();
            pDump->btnDebug.Click();
            bDumpEnded = pDump->IsEnded();
        } else if (auto* pDebug = dynamic_cast<TfmDebug*>(&w)) {
            hDebugOwner = GetWindow(pDebug->Handle(), GW_OWNER);
            pDebug->cbEnable.SetCheck(true);
            pDebug->btnOK.Click();
        }
    };
    Settings().EnableDebug = false;
    ModalUi().RunModal(main.Handle(), dump);
    EXPECT_EQ(modal.modalCaptions, (std::vector<std::string>{"Handle Mirrowick Exception",
                                                             "Mirrowick Debug Log Options"}));
    EXPECT_EQ(hDebugOwner, hDumpWindow);
    EXPECT_FALSE(bDumpEnded);
    EXPECT_TRUE(Settings().EnableDebug);
    EXPECT_TRUE(CxDebugUtil::Instance().IsEnabled());
}

TEST_F(Diag, OkLetsTheProgramGoOnQuitClosesTheMainWindowAfterTheDialog) {
    TfmDump ok(main.Handle(), HaveFolder);
    EXPECT_EQ(Run<TfmDump>(ok, [](TfmDump& d) { d.btnOK.Click(); }), IDOK);
    Pump();
    EXPECT_EQ(main.nCloses, 0);

    TfmDump quit(main.Handle(), HaveFolder);
    int nClosesWhileOpen = -1;
    EXPECT_EQ(Run<TfmDump>(quit,
                           [&](TfmDump& d) {
                               d.btnExit.Click();
                               nClosesWhileOpen = main.nCloses;
                           }),
              IDABORT);
    EXPECT_FALSE(quit.IsCreated());
    EXPECT_EQ(nClosesWhileOpen, 0) << "posted, not sent";
    Pump();
    EXPECT_EQ(main.nCloses, 1);
}

TEST_F(Diag, AfterAFaultTheDebugChoiceIsWrittenToTheSettingsFileAtOnce) {
    CxIniUtil& ini = SettingsIni();
    const std::string oldFile = ini.GetFile();
    const std::string path = work.Path("pellora.ini");
    ini.IniSetFile(path.c_str());
    Settings().EnableDebug = false;
    Settings().LogLevel = 0;
    for (bool bFatal : {false, true}) {
        TfmDump dump(nullptr, HaveFolder);
        dump.SetFatal(bFatal);
        modal.onModal = [&](CxModalWindow& w) {
            if (auto* pDump = dynamic_cast<TfmDump*>(&w)) {
                pDump->btnDebug.Click();
                (bFatal ? pDump->btnExit : pDump->btnOK).Click();
            } else if (auto* pDebug = dynamic_cast<TfmDebug*>(&w)) {
                pDebug->cbEnable.SetCheck(true);
                pDebug->cbxLevel.Select(1);
                pDebug->btnOK.Click();
            }
        };
        ModalUi().RunModal(nullptr, dump);
        EXPECT_EQ(GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES, bFatal) << bFatal;
    }
    EXPECT_EQ(ini.IniReadInt(kSettingsSection, "EnableDebug", -1), 1);
    EXPECT_EQ(ini.IniReadInt(kSettingsSection, "LogLevel", -1), 1);
    ini.IniSetFile(oldFile.c_str());
    // Quit after a fault leaves the ending to the fault handler: no close request, no quit.
    Pump();
    EXPECT_EQ(main.nCloses, 0);
    MSG msg;
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

// ---- Routing a failure to the dialog

class Routing : public Diag {
protected:
    std::vector<std::string> events;
    HWND hDialogOwner = nullptr;
    void SetUp() override {
        Diag::SetUp();
        SetExceptionDialog(ShowDumpDialog);
        SetMainWindowForErrors(main.Handle());
        modal.onBox = [this](const FakeModalUi::Box& b) { events.push_back("box: " + b.text); };
        modal.onModal = [this](CxModalWindow& w) {
            events.push_back("dialog: " + w.Caption());
            hDialogOwner = GetWindow(w.Handle(), GW_OWNER);
        };
    }
    void TearDown() override {
        SetExceptionDialog(nullptr);
        SetMainWindowForErrors(nullptr);
        Diag::TearDown();
    }
};

TEST_F(Routing, AFailedRunShowsTheExceptionDialogOwnedByTheMainWindow) {
    // A page passes one of its own windows; the dialog belongs to the top-level one.
    CxPanel page;
    ASSERT_TRUE(page.Create(main.Handle(), 0, 0, 100, 100, RGB(255, 255, 255)));
    ReportUnhandledException(page.Handle(), "out of records");
    EXPECT_EQ(events, std::vector<std::string>{"dialog: Handle Mirrowick Exception"});
    EXPECT_EQ(hDialogOwner, main.Handle());
    const std::string text = LogText();
    EXPECT_NE(text.find("[!!!] - Unhandled exception: out of records"), std::string::npos) << text;
}

TEST_F(Routing, AFailureThatEscapedTheLoopShowsItsMessageFirst) {
    ReportEscapedException("the handler failed");
    ReportEscapedException(nullptr);
    EXPECT_EQ(events, (std::vector<std::string>{"box: the handler failed",
                                                "dialog: Handle Mirrowick Exception",
                                                "dialog: Handle Mirrowick Exception"}));
    ASSERT_EQ(modal.boxes.size(), 1u);
    EXPECT_EQ(modal.boxes[0].caption, "Mirrowick");
    EXPECT_EQ(modal.boxes[0].hOwner, main.Handle());
    EXPECT_EQ(modal.boxes[0].uType & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR));
    EXPECT_NE(LogText().find("Unhandled exception: (not an exception object)"), std::string::npos);
}

TEST_F(Routing, AFailureWhileTheDialogIsUpIsLoggedOnly) {
    modal.onModal = [this](CxModalWindow& w) {
        events.push_back("dialog: " + w.Caption());
        ReportUnhandledException(nullptr, "a second failure");
        ReportEscapedException("a third failure");
    };
    ReportUnhandledException(nullptr, "the first failure");
    EXPECT_EQ(events, std::vector<std::string>{"dialog: Handle Mirrowick Exception"});
    const std::string text = LogText();
    for (const char* sz : {"the first failure", "a second failure", "a third failure"})
        EXPECT_NE(text.find(sz), std::string::npos) << sz;
    // Over, the next failure is shown again.
    modal.onModal = [this](CxModalWindow& w) { events.push_back("dialog: " + w.Caption()); };
    ReportUnhandledException(nullptr, "later");
    EXPECT_EQ(events.size(), 2u);
}

} // namespace
