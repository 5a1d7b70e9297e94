// The main window as the program makes it: start-up from the working folder's settings file,
// the controls, the walk through the steps with mouse and keyboard, help, shutdown, and the
// loading run against the stand-in helpers next to the test program.
#include "wizard/Lnaddroption.h"
#include "wizard/Lndateoption.h"
#include "wizard/Lnnoteoption.h"
#include "wizard/Lnremoteaccess.h"
#include "wizard/Lnsource.h"
#include "wizard/Lntaskoption.h"
#include "wizard/LoadedData.h"
#include "wizard/Main.h"
#include "wizard/Waitwindow.h"

#include "common/lotus/CxLNAddr.h"
#include "common/lotus/CxLNNote.h"
#include "common/lotus/LNExchange.h"
#include "common/misc/CxDebugUtil.h"
#include "common/misc/CxFile.h"
#include "common/misc/WinUtil.h"
#include "diagnostics/Debugger.h"
#include "ui/CxLook.h"
#include "ui/FakeModalUi.h"

#include "WizardTestUtil.h"
#include "common/lotus/LotusTestUtil.h"

#include <functional>
#include <memory>

using wizardtest::Click;
using wizardtest::RegistryValue;
using wizardtest::WorkFolderSettings;

namespace {

std::vector<std::string> g_opened;

void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// Hands a key to the window as the program's message loop does.
bool Key(TfmMain& main, UINT uMsg, WPARAM wKey, LPARAM lParam = 0) {
    MSG msg{};
    msg.hwnd = GetFocus();
    msg.message = uMsg;
    msg.wParam = wKey;
    msg.lParam = lParam;
    return IsDialogMessageA(main.Handle(), &msg) != 0;
}

RECT ClientOf(HWND hWnd) {
    RECT rc;
    GetClientRect(hWnd, &rc);
    return rc;
}

class MainTest : public ::testing::Test {
protected:
    FakeModalUi modal;
    RegistryValue dataDir{HKEY_CURRENT_USER, wizardtest::InstallerKey(), "DATADIR",
                          std::string("C:\\Notes\\Data")};
    RegistryValue notesPath{HKEY_LOCAL_MACHINE, wizardtest::NotesKey(), "Path",
                            std::string("C:\\Notes\\")};
    std::unique_ptr<WorkFolderSettings> file;
    std::unique_ptr<TfmMain> main;

    void Start(const std::string& settings, bool bShow = false) {
        file = std::make_unique<WorkFolderSettings>(settings);
        main = std::make_unique<TfmMain>();
        ASSERT_TRUE(main->Create(bShow));
        if (bShow) {
            SetForegroundWindow(main->Handle());
            Pump();
        }
    }
    void TearDown() override {
        main.reset();
        SetShellOpenHook(nullptr);
    }
    template <typename TPage> TPage& PageAs(int nPage) {
        return *static_cast<TPage*>(main->Page(nPage));
    }
    std::vector<int> VisiblePages() {
        std::vector<int> v;
        for (int i = 0; i < kPageCount; ++i)
            if (main->Page(i)->IsVisible())
                v.push_back(i);
        return v;
    }
};

TEST_F(MainTest, StartsOnStepZeroWithTheStoredType) {
    Start("AppFlag=4\r\n");
    EXPECT_EQ(main->CurrentStep(), 0);
    EXPECT_TRUE(PageAs<TfmLNSource>(kPageSource).rbtnTask.IsChecked());
    EXPECT_EQ(VisiblePages(), std::vector<int>{kPageSource});
    EXPECT_FALSE(main->btnPrev.IsEnabled());
    EXPECT_TRUE(main->btnNext.IsEnabled());
    EXPECT_EQ(main->btnCancel.GetText(), "&Cancel");
    Click(main->btnNext);
    EXPECT_EQ(main->CurrentStep(), 1);
    EXPECT_EQ(VisiblePages(), std::vector<int>{kPageTask});
    EXPECT_EQ(main->lblStep.GetText(),
              "Please specify detail information about the Task (Mail) database.");
}

TEST_F(MainTest, TheWindowAndItsControls) {
    Start("");
    char szTitle[128];
    GetWindowTextA(main->Handle(), szTitle, sizeof szTitle);
    EXPECT_STREQ(szTitle, "Mirrowick - Remove Duplicates in Lotus Notes Contacts and Calendar");
    RECT rc = ClientOf(main->Handle());
    EXPECT_EQ(rc.right, look::Scale(794));
    EXPECT_EQ(rc.bottom, look::Scale(594));
    LONG nStyle = GetWindowLongA(main->Handle(), GWL_STYLE);
    EXPECT_FALSE(nStyle & (WS_THICKFRAME | WS_MAXIMIZEBOX)) << "fixed size";
    EXPECT_EQ(ClientOf(main->pTop.Handle()).bottom, look::Scale(113));
    EXPECT_EQ(ClientOf(main->pClient.Handle()).bottom, look::Scale(397));
    EXPECT_EQ(ClientOf(main->pBottom.Handle()).bottom, look::Scale(54));
    EXPECT_EQ(main->pTop.BackgroundColor(), RGB(255, 255, 255));
    // The pages fill the client panel.
    for (int i = 0; i < kPageCount; ++i)
        EXPECT_EQ(ClientOf(main->Page(i)->Handle()).right, look::Scale(794)) << i;

    const std::pair<CxControl*, const char*> captions[] = {
        {&main->Label1, "Mirrowick"},          {&main->btnHelp, "&Help"},
        {&main->btnDebug, "&Troubleshooting"}, {&main->btnPrev, "<  &Prev"},
        {&main->btnNext, "&Next  >"},
    };
    for (const auto& c : captions)
        EXPECT_EQ(c.first->GetText(), c.second);
    EXPECT_EQ(ClientOf(main->btnDebug.Handle()).right, look::Scale(120));
    for (CxButton* b : {&main->btnHelp, &main->btnPrev, &main->btnNext, &main->btnCancel}) {
        EXPECT_EQ(ClientOf(b->Handle()).right, look::Scale(80));
        EXPECT_EQ(ClientOf(b->Handle()).bottom, look::Scale(27));
    }
    LOGFONTA lf{};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(main->Label1.Handle(), WM_GETFONT, 0, 0)),
               sizeof lf, &lf);
    EXPECT_STREQ(lf.lfFaceName, "Verdana");
    EXPECT_EQ(lf.lfWeight, FW_BOLD);
    EXPECT_EQ(lf.lfHeight, -look::Scale(21));
    EXPECT_NE(SendMessageA(main->imgLogo.Handle(), STM_GETIMAGE, IMAGE_BITMAP, 0), 0)
        << "the logo is there";
}

TEST_F(MainTest, TheEightPagesInTheirOrder) {
    Start("");
    EXPECT_NE(dynamic_cast<TfmLNSource*>(main->Page(kPageSource)), nullptr);
    EXPECT_NE(dynamic_cast<TfmLNAddrOption*>(main->Page(kPageAddr)), nullptr);
    EXPECT_NE(dynamic_cast<TfmLNDateOption*>(main->Page(kPageDate)), nullptr);
    EXPECT_NE(dynamic_cast<TfmLNTaskOption*>(main->Page(kPageTask)), nullptr);
    EXPECT_NE(dynamic_cast<TfmLNNoteOption*>(main->Page(kPageNote)), nullptr);
    EXPECT_NE(dynamic_cast<TfmLNRemoteAccess*>(main->Page(kPageAccess)), nullptr);
    // In creation order: each page lies below the one made before it.
    for (int i = 1; i < kPageCount; ++i)
        EXPECT_EQ(GetWindow(main->Page(i - 1)->Handle(), GW_HWNDNEXT), main->Page(i)->Handle());
}

TEST_F(MainTest, BackKeepsWhatWasTypedAndNextValidatesAgain) {
    Start("AppFlag=2\r\n");
    Click(main->btnNext);
    auto& date = PageAs<TfmLNDateOption>(kPageDate);
    date.edtDateName.SetText("srv!!mail/me.nsf");
    Click(main->btnNext);
    ASSERT_EQ(main->CurrentStep(), 2);
    Click(main->btnPrev);
    EXPECT_EQ(main->CurrentStep(), 1);
    EXPECT_EQ(date.edtDateName.GetText(), "srv!!mail/me.nsf");
    date.edtDateName.SetText("");
    Click(main->btnNext);
    EXPECT_EQ(main->CurrentStep(), 1);
    ASSERT_EQ(modal.boxes.size(), 1u);
    EXPECT_EQ(modal.boxes[0].text, "Invalid Lotus Notes mailbox database name.");
    EXPECT_EQ(modal.boxes[0].hOwner, main->Handle());
    EXPECT_EQ(main->lblStep.GetText(),
              "Please specify detail information about the Calendar (Mail) database.");
}

TEST_F(MainTest, HelpHandsTheHelpFileInTheProgramFolderToTheShell) {
    Start("");
    g_opened.clear();
    SetShellOpenHook([](const char* sz) { g_opened.push_back(sz); });
    Click(main->btnHelp);
    char szFolder[MAX_PATH];
    GetProgramFolder(nullptr, szFolder, sizeof szFolder);
    EXPECT_EQ(g_opened, std::vector<std::string>{std::string(szFolder) + "Mirrowick.chm"});
}

TEST_F(MainTest, TroubleshootingOpensTheDebugOptionsWhichApplyAtOnceAndAreSaved) {
    Start("EnableDebug=0\r\nLogLevel=3\r\n");
    CxDebugUtil& log = CxDebugUtil::Instance();
    EXPECT_FALSE(log.IsEnabled());
    EXPECT_EQ(log.GetLevel(), 3);
    HWND hOwner = nullptr;
    modal.onModal = [&](CxModalWindow& w) {
        auto& debug = dynamic_cast<TfmDebug&>(w);
        hOwner = GetWindow(debug.Handle(), GW_OWNER);
        debug.cbEnable.SetCheck(true);
        debug.cbxLevel.Select(1);
        debug.btnOK.Click();
    };
    Click(main->btnDebug);
    EXPECT_EQ(modal.modalCaptions, std::vector<std::string>{"Mirrowick Debug Log Options"});
    EXPECT_EQ(hOwner, main->Handle());
    EXPECT_TRUE(log.IsEnabled());
    EXPECT_EQ(log.GetLevel(), 1);
    Click(main->btnCancel);
    Pump();
    EXPECT_EQ(file->Value("EnableDebug"), "1");
    EXPECT_EQ(file->Value("LogLevel"), "1");
    log.SetEnabled(false);
    log.SetLevel(3);
}

TEST_F(MainTest, ClosingSavesTheSettingsFirst) {
    Start("AppFlag=1\r\nCaseSensitive=1\r\n");
    Click(PageAs<TfmLNSource>(kPageSource).rbtnNote);
    Click(main->btnNext);
    EXPECT_EQ(Settings().AppFlag, 8);
    Click(main->btnCancel);
    Pump();
    EXPECT_FALSE(main->IsCreated());
    EXPECT_EQ(main->Page(0), nullptr) << "pages freed";
    EXPECT_EQ(file->Value("AppFlag"), "8");
    EXPECT_EQ(file->Value("CaseSensitive"), "1");
    EXPECT_EQ(file->Value("NoteFile"), "") << "no notebook.nsf in the data folder";
    EXPECT_EQ(file->Value("Password"), "");
}

TEST_F(MainTest, KeyboardEnterIsNextEscIsCancelAndMnemonicsPress) {
    Start("AppFlag=2\r\nMailDBName=srv!!mail/me.nsf\r\n", true);
    ASSERT_TRUE(IsChild(main->Handle(), GetFocus()));
    EXPECT_TRUE(Key(*main, WM_KEYDOWN, VK_RETURN));
    EXPECT_EQ(main->CurrentStep(), 1);
    // Alt+N and Alt+P.
    EXPECT_TRUE(Key(*main, WM_SYSCHAR, 'n', 1 << 29));
    EXPECT_EQ(main->CurrentStep(), 2);
    EXPECT_TRUE(Key(*main, WM_SYSCHAR, 'p', 1 << 29));
    EXPECT_EQ(main->CurrentStep(), 1);
    // Enter on a focused button presses that button.
    main->btnPrev.Focus();
    EXPECT_TRUE(Key(*main, WM_KEYDOWN, VK_RETURN));
    EXPECT_EQ(main->CurrentStep(), 0);
    EXPECT_TRUE(Key(*main, WM_KEYDOWN, VK_ESCAPE));
    Pump();
    EXPECT_FALSE(main->IsCreated());
}

TEST_F(MainTest, TabGoesTopToBottom) {
    Start("AppFlag=1\r\nAddrLocal=1\r\n", true);
    Click(main->btnNext);
    auto& addr = PageAs<TfmLNAddrOption>(kPageAddr);
    // The radio group is one stop, at the chosen button; the disabled remote box is passed by.
    const HWND expected[] = {
        addr.Label5.Handle(),          addr.rbtnAddrLocal.Handle(), addr.edtLNAddrLocal.Handle(),
        addr.btnLNAddrBrowse.Handle(), main->btnHelp.Handle(),      main->btnDebug.Handle(),
        main->btnPrev.Handle(),        main->btnNext.Handle(),      main->btnCancel.Handle()};
    HWND h = expected[0];
    for (size_t i = 1; i < std::size(expected); ++i) {
        h = GetNextDlgTabItem(main->Handle(), h, FALSE);
        EXPECT_EQ(h, expected[i]) << i;
    }
    EXPECT_EQ(GetNextDlgTabItem(main->Handle(), h, FALSE), expected[0]) << "round again";
    // The arrow keys go from one choice to the other, and choose it.
    addr.rbtnAddrLocal.Focus();
    Key(*main, WM_KEYDOWN, VK_DOWN);
    EXPECT_EQ(GetFocus(), addr.rbtnAddrRemote.Handle());
    EXPECT_TRUE(addr.rbtnAddrRemote.IsChecked());
    EXPECT_FALSE(addr.edtLNAddrLocal.IsEnabled());
    EXPECT_EQ(GetNextDlgTabItem(main->Handle(), addr.rbtnAddrRemote.Handle(), FALSE),
              addr.edtLNAddrRemote.Handle());
}

// ---- The loading run, with the stand-in helpers next to the test program

class LoadTest : public MainTest {
protected:
    // The helpers start in the Lotus Notes program folder, which must exist.
    testutil::TempDir notesFolder;
    RegistryValue existingNotesPath{HKEY_LOCAL_MACHINE, wizardtest::NotesKey(), "Path",
                                    notesFolder.Folder()};
    std::string work;
    void SetUp() override {
        char sz[260];
        ASSERT_TRUE(GetWorkFolder(sz, sizeof sz));
        work = sz;
        for (LNKind kind : {LNKind::kAddr, LNKind::kDate, LNKind::kTask, LNKind::kNote})
            CxLNBaseUtil::RunnerOf(kind).SetTimeout(60000);
    }
    void TearDown() override {
        MainTest::TearDown();
        for (const char* sz : {"Addr", "Date", "Task", "Note"})
            DeleteFileA((work + "probe-Pellora.Notes" + sz + ".txt").c_str());
        for (const char* sz : {"probe-runs.txt", "probe-seen.txt", "probe-params.dat",
                               "contacts-in.dat", "notes-in.dat"})
            DeleteFileA((work + sz).c_str());
        for (LNKind kind : {LNKind::kAddr, LNKind::kDate, LNKind::kTask, LNKind::kNote})
            CxLNBaseUtil::RunnerOf(kind).SetTimeout(1800000);
    }
    void Helper(const char* szKind, const std::string& script) {
        testutil::WriteText(work + "probe-Pellora.Notes" + szKind + ".txt", script);
    }
    int Runs() { return static_cast<int>(lotustest::Lines(work + "probe-runs.txt").size()); }
    template <typename TRecord> std::string ExchangeFile(const char* szName, int nRecords) {
        std::string path = work + szName;
        CxFile f;
        EXPECT_TRUE(f.Open(path.c_str(), "wb"));
        f.WriteUInt32(static_cast<uint32_t>(nRecords));
        for (int i = 0; i < nRecords; ++i) {
            std::unique_ptr<TRecord> r(new TRecord());
            r->ID = ("id-" + std::to_string(i)).c_str();
            WriteRecordItems(f, r.get(), LayoutOf<TRecord>());
        }
        f.Close();
        return path;
    }
    // Walks from step 0 to the access page.
    void ToAccessPage() {
        Click(main->btnNext);
        Click(main->btnNext);
        ASSERT_EQ(main->CurrentStep(), 2);
    }
    static bool AllSlotsFilled() {
        const LoadedData& d = Loaded();
        return d.pAddrIndex && d.pDateIndex && d.pTaskIndex && d.pNoteIndex && d.pDupList[0] &&
               d.pDupList[1] && d.pDupList[2] && d.pDupList[3];
    }
};

TEST_F(LoadTest, ContactsLoadAndTheWizardMovesOn) {
    Helper("Addr", "copy=" + ExchangeFile<LNAddrRecord>("contacts-in.dat", 3) + "\n");
    testutil::WriteText(work + "LNAddrStatus.dat", "a line of an earlier run");
    Start("AppFlag=1\r\nAddrFile=C:\\Notes\\Data\\names.nsf\r\nIDFile=C:\\me.id\r\n"
          "ServerName=PRIMAR1\r\nUserName=Me\r\n");
    EXPECT_FALSE(AllSlotsFilled()) << "nothing loaded at start-up";
    ToAccessPage();
    Click(main->btnNext);
    EXPECT_EQ(main->CurrentStep(), 3);
    EXPECT_TRUE(modal.boxes.empty());
    ASSERT_TRUE(AllSlotsFilled());
    EXPECT_EQ(Loaded().pAddrIndex->Count(), 3u);
    EXPECT_EQ(Loaded().pDateIndex->Count(), 0u);
    EXPECT_EQ(Loaded().pDupList[0]->Count(), 0u);
    CxLNAddrUtil* pStore = LoadedAddrStore();
    ASSERT_NE(pStore, nullptr);
    EXPECT_STREQ(pStore->GetAddrFile(), "C:\\Notes\\Data\\names.nsf");
    EXPECT_STREQ(pStore->GetIDFile(), "C:\\me.id");
    EXPECT_STREQ(pStore->GetServerName(), "PRIMAR1");
    EXPECT_STREQ(pStore->GetUserName(), "Me");
    EXPECT_EQ(std::string(pStore->GetWorkFolder()), work);
    EXPECT_EQ(GetFileAttributesA((work + "LNAddrStatus.dat").c_str()), INVALID_FILE_ATTRIBUTES)
        << "the earlier run's status line is gone";

    // Back to the access page and forward again: a fresh load with fresh stores.
    Click(main->btnPrev);
    Click(main->btnNext);
    EXPECT_EQ(main->CurrentStep(), 3);
    EXPECT_EQ(Runs(), 2);
    EXPECT_EQ(Loaded().pAddrIndex->Count(), 3u);
}

TEST_F(LoadTest, AFailedLoadStaysOnStepTwoAndSaysWhy) {
    Helper("Addr", "error=The ID file C:\\me.id could not be opened.\n");
    Start("AppFlag=1\r\nAddrFile=names.nsf\r\n");
    ToAccessPage();
    // The box comes once the wait window has gone, so that nothing raises the window over it.
    int nWaitThreadsAtBox = -1;
    modal.onBox = [&](const FakeModalUi::Box&) { nWaitThreadsAtBox = WaitThreadsRunning(); };
    Click(main->btnNext);
    EXPECT_EQ(nWaitThreadsAtBox, 0);
    EXPECT_EQ(main->CurrentStep(), 2);
    ASSERT_EQ(modal.boxes.size(), 1u);
    EXPECT_EQ(modal.boxes[0].text,
              "Can not retrieve your Lotus Notes information. Please make sure that you entered "
              "the correct Lotus Notes access information.\r\n\r\nThe ID file C:\\me.id could "
              "not be opened.");
    EXPECT_EQ(modal.boxes[0].caption, "Error");
    EXPECT_EQ(main->lblStep.GetText(), "Loading Lotus Notes information, please wait ...");
    EXPECT_TRUE(AllSlotsFilled()) << "the stale slots stay until the next run";
    EXPECT_TRUE(main->btnPrev.IsEnabled());

    // Put right, the next Next loads afresh.
    Helper("Addr", "copy=" + ExchangeFile<LNAddrRecord>("contacts-in.dat", 2) + "\n");
    Click(main->btnNext);
    EXPECT_EQ(main->CurrentStep(), 3);
    EXPECT_EQ(Loaded().pAddrIndex->Count(), 2u);
    EXPECT_EQ(main->lblStep.GetText(),
              "Please select the duplicate items that you want to delete.");
}

TEST_F(LoadTest, ALotusNotesFolderThatIsGoneDoesNotStopTheHelper) {
    // An uninstalled Lotus Notes may leave its registry key behind.
    Helper("Addr", "copy=" + ExchangeFile<LNAddrRecord>("contacts-in.dat", 1) + "\n");
    RegistryValue missing(HKEY_LOCAL_MACHINE, wizardtest::NotesKey(), "Path",
                          std::string("C:\\Gone\\Notes\\"));
    Start("AppFlag=1\r\nAddrFile=names.nsf\r\n");
    ToAccessPage();
    Click(main->btnNext);
    EXPECT_EQ(main->CurrentStep(), 3);
    EXPECT_TRUE(modal.boxes.empty());
    EXPECT_EQ(Loaded().pAddrIndex->Count(), 1u);
}

TEST_F(LoadTest, TheNotebookSignsInWithoutAnIdFile) {
    Helper("Note", "copy=" + ExchangeFile<LNNoteRecord>("notes-in.dat", 1) + "\n");
    Start("AppFlag=8\r\nNoteLocal=0\r\nNoteFile=srv!!notebook.nsf\r\nIDFile=C:\\me.id\r\n");
    ToAccessPage();
    Click(main->btnNext);
    EXPECT_EQ(main->CurrentStep(), 3);
    ASSERT_NE(LoadedNoteStore(), nullptr);
    EXPECT_STREQ(LoadedNoteStore()->GetIDFile(), "");
    EXPECT_STREQ(LoadedNoteStore()->GetDatabase(), "srv!!notebook.nsf");
    EXPECT_EQ(Loaded().pNoteIndex->Count(), 1u);
}

TEST_F(LoadTest, ShutdownFreesTheLoadedData) {
    Helper("Addr", "copy=" + ExchangeFile<LNAddrRecord>("contacts-in.dat", 1) + "\n");
    Start("AppFlag=1\r\nAddrFile=names.nsf\r\n");
    ToAccessPage();
    Click(main->btnNext);
    ASSERT_TRUE(AllSlotsFilled());
    main.reset();
    const LoadedData& d = Loaded();
    EXPECT_FALSE(d.pAddrIndex || d.pDateIndex || d.pTaskIndex || d.pNoteIndex || d.pDupList[0] ||
                 d.pDupList[1] || d.pDupList[2] || d.pDupList[3]);
    EXPECT_EQ(LoadedAddrStore(), nullptr);
}

} // namespace
