// The source page, the options dialog, the four database pages and the access page as real
// (hidden) windows, driven with messages; everything modal is answered by the fake.
#include "wizard/Dupoption.h"
#include "wizard/Lnaddroption.h"
#include "wizard/Lndateoption.h"
#include "wizard/Lnnoteoption.h"
#include "wizard/Lnremoteaccess.h"
#include "wizard/Lnsource.h"
#include "wizard/Lntaskoption.h"
#include "wizard/Waitwindow.h"

#include "common/misc/WinUtil.h"
#include "diagnostics/Dump.h"
#include "ui/CxLook.h"
#include "ui/CxUiError.h"
#include "ui/FakeModalUi.h"

#include "WizardTestUtil.h"

#include <cstring>
#include <memory>
#include <stdexcept>

using wizardtest::Click;
using wizardtest::RegistryValue;

namespace {

std::vector<std::string> g_opened;

class PageTest : public ::testing::Test {
protected:
    FakeModalUi modal;
    wizardtest::TestFrame frame;
    wizardtest::FakeHost host;
    AppSettings& s = Settings();

    void SetUp() override {
        wizardtest::DefaultSettings();
        ASSERT_TRUE(frame.Create());
        host.hMain = frame.Handle();
        g_opened.clear();
        SetShellOpenHook([](const char* sz) { g_opened.push_back(sz); });
    }
    void TearDown() override { SetShellOpenHook(nullptr); }

    template <typename TPage> std::unique_ptr<TPage> Make() {
        auto p = std::make_unique<TPage>(host);
        EXPECT_TRUE(p->Create(frame.Handle()));
        p->Show(true);
        return p;
    }
    static bool Checked(CxCheckBox& b) { return b.IsChecked(); }
};

// ---- Source page

TEST_F(PageTest, SourceSelectsTheButtonOfAppFlag) {
    auto page = Make<TfmLNSource>();
    struct Row {
        int32_t nFlag;
        CxRadioButton TfmLNSource::*pButton;
    } rows[] = {{1, &TfmLNSource::rbtnAddr}, {2, &TfmLNSource::rbtnDate},
                {4, &TfmLNSource::rbtnTask}, {8, &TfmLNSource::rbtnNote},
                {0, &TfmLNSource::rbtnAddr}, {3, &TfmLNSource::rbtnAddr},
                {16, &TfmLNSource::rbtnAddr}};
    CxRadioButton TfmLNSource::*all[] = {&TfmLNSource::rbtnAddr, &TfmLNSource::rbtnDate,
                                         &TfmLNSource::rbtnTask, &TfmLNSource::rbtnNote};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.nFlag);
        s.AppFlag = r.nFlag;
        EXPECT_TRUE(page->UpdatePage(false));
        for (auto pButton : all)
            EXPECT_EQ(((*page).*pButton).IsChecked(), pButton == r.pButton);
    }
}

TEST_F(PageTest, SourceStoresTheChosenButton) {
    auto page = Make<TfmLNSource>();
    s.AppFlag = 4;
    page->UpdatePage(false);
    Click(page->rbtnNote);
    EXPECT_FALSE(page->rbtnTask.IsChecked());
    EXPECT_TRUE(page->UpdatePage(true));
    EXPECT_EQ(s.AppFlag, 8);
    // An unknown value becomes contacts on leaving.
    s.AppFlag = 5;
    page->UpdatePage(false);
    EXPECT_TRUE(page->UpdatePage(true));
    EXPECT_EQ(s.AppFlag, 1);
    // A choice changed without Next is undone when step 0 is entered again.
    Click(page->rbtnDate);
    page->UpdatePage(false);
    EXPECT_TRUE(page->rbtnAddr.IsChecked());
}

TEST_F(PageTest, SourceWithNothingSelectedRefusesSilently) {
    auto page = Make<TfmLNSource>();
    s.AppFlag = 2;
    for (CxRadioButton* b : {&page->rbtnAddr, &page->rbtnDate, &page->rbtnTask, &page->rbtnNote})
        b->SetCheck(false);
    EXPECT_FALSE(page->UpdatePage(true));
    EXPECT_EQ(s.AppFlag, 2);
    EXPECT_TRUE(modal.boxes.empty());
}

// ---- Options dialog

// The settings of every box the dialog binds, with their boxes.
struct BoxBinding {
    CxCheckBox TfmDupOption::*pBox;
    bool AppSettings::*pSetting;
};
const BoxBinding kBoxes[] = {
    {&TfmDupOption::cbAddrDisplayName, &AppSettings::AddrDisplayName},
    {&TfmDupOption::cbAddrEmail, &AppSettings::AddrEmail},
    {&TfmDupOption::cbAddrPhone, &AppSettings::AddrPhone},
    {&TfmDupOption::cbAddrAddr, &AppSettings::AddrAddress},
    {&TfmDupOption::cbAddrCompany, &AppSettings::AddrCompanyName},
    {&TfmDupOption::cbAddrTitle, &AppSettings::AddrTitle},
    {&TfmDupOption::cbAddrIM, &AppSettings::AddrIM},
    {&TfmDupOption::cbAddrWebSite, &AppSettings::AddrWebSite},
    {&TfmDupOption::cbAddrNote, &AppSettings::AddrNote},
    {&TfmDupOption::cbDateSubject, &AppSettings::DateSubject},
    {&TfmDupOption::cbDateStartTime, &AppSettings::DateStartTime},
    {&TfmDupOption::cbDateEndTime, &AppSettings::DateEndTime},
    {&TfmDupOption::cbDateAllDayEvent, &AppSettings::DateAllDayEvent},
    {&TfmDupOption::cbDateLocation, &AppSettings::DateLocation},
    {&TfmDupOption::cbDateNote, &AppSettings::DateNote},
    {&TfmDupOption::cbTaskSubject, &AppSettings::TaskSubject},
    {&TfmDupOption::cbTaskImportance, &AppSettings::TaskImportance},
    {&TfmDupOption::cbTaskDueDate, &AppSettings::TaskDueDate},
    {&TfmDupOption::cbTaskNote, &AppSettings::TaskNote},
    {&TfmDupOption::cbNoteSubject, &AppSettings::NoteSubject},
    {&TfmDupOption::cbNoteNote, &AppSettings::NoteNotes},
};

TEST_F(PageTest, OptionsButtonOpensTheDialogWithTheSettings) {
    auto page = Make<TfmLNSource>();
    // Each box on its own: only its setting on, so a box bound to the wrong setting shows.
    for (const BoxBinding& b : kBoxes) {
        for (const BoxBinding& other : kBoxes)
            s.*other.pSetting = false;
        s.*b.pSetting = true;
        std::vector<bool> seen;
        modal.onModal = [&](CxModalWindow& w) {
            auto& dlg = static_cast<TfmDupOption&>(w);
            for (const BoxBinding& other : kBoxes)
                seen.push_back((dlg.*other.pBox).IsChecked());
            EXPECT_FALSE(dlg.cbAddrDate.IsChecked());
            Click(dlg.btnOK);
        };
        Click(page->btnOption);
        for (size_t i = 0; i < seen.size(); ++i)
            EXPECT_EQ(seen[i], &kBoxes[i] == &b) << i;
        for (const BoxBinding& other : kBoxes)
            EXPECT_EQ(s.*other.pSetting, &other == &b);
    }
    EXPECT_EQ(modal.modalCaptions.back(), "Set Mirrowick Options");
}

TEST_F(PageTest, OptionsOkStoresTheBoxesAndLeavesTheUnboundCriteria) {
    auto page = Make<TfmLNSource>();
    s.AddrIM = true;
    modal.onModal = [&](CxModalWindow& w) {
        auto& dlg = static_cast<TfmDupOption&>(w);
        EXPECT_EQ(dlg.pMain.Count(), 4);
        EXPECT_EQ(dlg.pMain.TabText(0), "Contacts");
        EXPECT_EQ(dlg.pMain.TabText(1), "Calendar");
        EXPECT_EQ(dlg.pMain.TabText(2), "Task");
        EXPECT_EQ(dlg.pMain.TabText(3), "Notebook");
        EXPECT_EQ(dlg.pMain.Selected(), 0);
        EXPECT_TRUE(dlg.tAddr.IsVisible());
        EXPECT_FALSE(dlg.tNote.IsVisible());
        dlg.pMain.Select(3);
        EXPECT_TRUE(dlg.tNote.IsVisible());
        EXPECT_FALSE(dlg.tAddr.IsVisible());
        Click(dlg.cbAddrDisplayName);
        Click(dlg.cbAddrEmail);
        Click(dlg.cbNoteSubject);
        Click(dlg.cbAddrDate);
        // Enter is OK.
        SendMessageA(dlg.Handle(), WM_COMMAND, IDOK, 0);
    };
    Click(page->btnOption);
    EXPECT_FALSE(s.AddrDisplayName);
    EXPECT_FALSE(s.AddrEmail);
    EXPECT_FALSE(s.NoteSubject);
    EXPECT_TRUE(s.AddrIM);
    // What the dialog has no box for stays: contacts now match on the three name parts.
    EXPECT_TRUE(s.AddrFirstName && s.AddrMiddleName && s.AddrLastName);
    EXPECT_FALSE(s.DateRecur);

    // The "Date" box opens unticked again.
    modal.onModal = [&](CxModalWindow& w) {
        EXPECT_FALSE(static_cast<TfmDupOption&>(w).cbAddrDate.IsChecked());
    };
    Click(page->btnOption);
}

TEST_F(PageTest, OptionsCancelEscAndCloseChangeNothing) {
    auto page = Make<TfmLNSource>();
    const AppSettings before = s;
    std::function<void(TfmDupOption&)> ways[] = {
        [](TfmDupOption& d) { Click(d.btnCancel); },
        [](TfmDupOption& d) { SendMessageA(d.Handle(), WM_COMMAND, IDCANCEL, 0); },
        [](TfmDupOption& d) { SendMessageA(d.Handle(), WM_CLOSE, 0, 0); },
    };
    for (auto& way : ways) {
        modal.onModal = [&](CxModalWindow& w) {
            auto& dlg = static_cast<TfmDupOption&>(w);
            for (const BoxBinding& b : kBoxes)
                Click(dlg.*b.pBox);
            way(dlg);
            EXPECT_TRUE(dlg.IsEnded());
            EXPECT_EQ(dlg.Result(), IDCANCEL);
        };
        Click(page->btnOption);
        EXPECT_EQ(memcmp(&before, &s, sizeof s), 0);
    }
}

// ---- Database pages

const char kDataDir[] = "C:\\Notes\\Data";

TEST_F(PageTest, ContactsFirstVisitTakesTheRegisteredDefault) {
    RegistryValue dataDir(HKEY_CURRENT_USER, wizardtest::InstallerKey(), "DATADIR", kDataDir);
    auto page = Make<TfmLNAddrOption>();
    page->UpdatePage(false);
    EXPECT_TRUE(page->rbtnAddrLocal.IsChecked());
    EXPECT_FALSE(page->rbtnAddrRemote.IsChecked());
    EXPECT_EQ(page->edtLNAddrLocal.GetText(), "C:\\Notes\\Data\\names.nsf");
    // In the setting already, before the user has confirmed anything.
    EXPECT_STREQ(s.AddrFile, "C:\\Notes\\Data\\names.nsf");
    EXPECT_TRUE(page->edtLNAddrLocal.IsEnabled());
    EXPECT_FALSE(page->edtLNAddrRemote.IsEnabled());
    EXPECT_TRUE(page->btnLNAddrBrowse.IsEnabled());
}

TEST_F(PageTest, WithoutARegisteredDataFolderTheLocalBoxStaysEmpty) {
    RegistryValue dataDir(HKEY_CURRENT_USER, wizardtest::InstallerKey(), "DATADIR", std::nullopt);
    auto page = Make<TfmLNAddrOption>();
    page->UpdatePage(false);
    EXPECT_EQ(page->edtLNAddrLocal.GetText(), "");
    EXPECT_STREQ(s.AddrFile, "");
    Click(page->btnLNAddrBrowse);
    ASSERT_EQ(modal.fileDialogs.size(), 1u);
    EXPECT_EQ(modal.fileDialogs[0].request.startName, "");
}

TEST_F(PageTest, ContactsOnAServerShowTheRemoteChoice) {
    s.AddrLocal = false;
    SET_SETTING_TEXT(s.AddrFile, "PRIMAR1/PELLORA!!names.nsf");
    auto page = Make<TfmLNAddrOption>();
    page->UpdatePage(false);
    EXPECT_TRUE(page->rbtnAddrRemote.IsChecked());
    EXPECT_FALSE(page->rbtnAddrLocal.IsChecked());
    EXPECT_EQ(page->edtLNAddrRemote.GetText(), "PRIMAR1/PELLORA!!names.nsf");
    EXPECT_EQ(page->edtLNAddrLocal.GetText(), "");
    EXPECT_FALSE(page->edtLNAddrLocal.IsEnabled());
    EXPECT_FALSE(page->btnLNAddrBrowse.IsEnabled());
}

// The background a control is painted with, as its parent answers the colour request.
std::pair<COLORREF, HBRUSH> Background(CxControl& ctl) {
    HDC hdc = CreateCompatibleDC(nullptr);
    UINT uMsg = ctl.IsEnabled() ? WM_CTLCOLOREDIT : WM_CTLCOLORSTATIC;
    auto hBrush = reinterpret_cast<HBRUSH>(SendMessageA(GetParent(ctl.Handle()), uMsg,
                                                        reinterpret_cast<WPARAM>(hdc),
                                                        reinterpret_cast<LPARAM>(ctl.Handle())));
    COLORREF cr = GetBkColor(hdc);
    DeleteDC(hdc);
    return {cr, hBrush};
}

TEST_F(PageTest, TheLocalRemoteRuleGreysTheOtherBoxSilver) {
    auto page = Make<TfmLNNoteOption>();
    page->UpdatePage(false);
    Click(page->rbtnNoteRemote);
    EXPECT_TRUE(page->rbtnNoteRemote.IsChecked());
    EXPECT_FALSE(page->rbtnNoteLocal.IsChecked());
    EXPECT_FALSE(page->edtLNNoteLocal.IsEnabled());
    EXPECT_FALSE(page->btnLNNoteBrowse.IsEnabled());
    EXPECT_EQ(Background(page->edtLNNoteLocal).first, RGB(192, 192, 192));
    EXPECT_EQ(Background(page->edtLNNoteLocal).second, look::SilverBrush());
    EXPECT_EQ(Background(page->edtLNNoteRemote).first, GetSysColor(COLOR_WINDOW));

    page->edtLNNoteRemote.SetText("typed");
    Click(page->rbtnNoteLocal);
    EXPECT_TRUE(page->edtLNNoteLocal.IsEnabled());
    EXPECT_TRUE(page->btnLNNoteBrowse.IsEnabled());
    EXPECT_EQ(Background(page->edtLNNoteRemote).first, RGB(192, 192, 192));
    EXPECT_EQ(Background(page->edtLNNoteLocal).first, GetSysColor(COLOR_WINDOW));
    // Switching copies no text.
    EXPECT_EQ(page->edtLNNoteLocal.GetText(), "");
    EXPECT_EQ(page->edtLNNoteRemote.GetText(), "typed");
}

TEST_F(PageTest, AnEmptyNameIsRefusedWithTheMessageAndTheFocusInTheBox) {
    frame.Show(true);
    struct Row {
        const char* szName;
        std::function<CxEdit*(TfmWizardPage&)> prepare; // returns the box left empty
        const char* szMessage;
    };
    const Row rows[] = {
        {"contacts remote",
         [](TfmWizardPage& p) {
             auto& a = static_cast<TfmLNAddrOption&>(p);
             a.edtLNAddrLocal.SetText("C:\\kept.nsf");
             Click(a.rbtnAddrRemote);
             return &a.edtLNAddrRemote;
         },
         "Invalid Contacts database name."},
        {"contacts local",
         [](TfmWizardPage& p) {
             auto& a = static_cast<TfmLNAddrOption&>(p);
             a.edtLNAddrLocal.SetText("");
             return &a.edtLNAddrLocal;
         },
         "Invalid Contacts database name."},
        {"notebook local",
         [](TfmWizardPage& p) { return &static_cast<TfmLNNoteOption&>(p).edtLNNoteLocal; },
         "Invalid Notebook database name."},
        {"calendar", [](TfmWizardPage& p) { return &static_cast<TfmLNDateOption&>(p).edtDateName; },
         "Invalid Lotus Notes mailbox database name."},
        {"tasks", [](TfmWizardPage& p) { return &static_cast<TfmLNTaskOption&>(p).edtTaskName; },
         "Invalid Lotus Notes mailbox database name."},
    };
    std::unique_ptr<TfmWizardPage> pages[] = {Make<TfmLNAddrOption>(), Make<TfmLNAddrOption>(),
                                              Make<TfmLNNoteOption>(), Make<TfmLNDateOption>(),
                                              Make<TfmLNTaskOption>()};
    for (size_t i = 0; i < std::size(rows); ++i) {
        SCOPED_TRACE(rows[i].szName);
        wizardtest::DefaultSettings();
        SET_SETTING_TEXT(s.AddrFile, "C:\\before.nsf");
        const AppSettings before = s;
        modal.boxes.clear();
        pages[i]->UpdatePage(false);
        CxEdit* pEmpty = rows[i].prepare(*pages[i]);
        SetFocus(frame.Handle());
        EXPECT_FALSE(pages[i]->UpdatePage(true));
        ASSERT_EQ(modal.boxes.size(), 1u);
        EXPECT_EQ(modal.boxes[0].text, rows[i].szMessage);
        EXPECT_EQ(modal.boxes[0].caption, "Error");
        EXPECT_EQ(modal.boxes[0].uType & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR));
        EXPECT_EQ(modal.boxes[0].uType & MB_TYPEMASK, static_cast<UINT>(MB_OK));
        EXPECT_EQ(modal.boxes[0].hOwner, frame.Handle());
        EXPECT_EQ(GetFocus(), pEmpty->Handle());
        EXPECT_EQ(memcmp(&before, &s, sizeof s), 0) << "nothing is stored";
    }
}

TEST_F(PageTest, LeavingStoresTheChosenBoxCutTo255) {
    auto page = Make<TfmLNAddrOption>();
    page->UpdatePage(false);
    Click(page->rbtnAddrRemote);
    const std::string longName(300, 'x');
    page->edtLNAddrRemote.SetText(longName.c_str());
    EXPECT_TRUE(page->UpdatePage(true));
    EXPECT_FALSE(s.AddrLocal);
    EXPECT_EQ(std::string(s.AddrFile), longName.substr(0, 255));

    Click(page->rbtnAddrLocal);
    page->edtLNAddrLocal.SetText("D:\\mine.nsf");
    EXPECT_TRUE(page->UpdatePage(true));
    EXPECT_TRUE(s.AddrLocal);
    EXPECT_STREQ(s.AddrFile, "D:\\mine.nsf");
}

TEST_F(PageTest, ANotebookDefaultOnlyWhenTheFileExists) {
    testutil::TempDir dir;
    RegistryValue dataDir(HKEY_CURRENT_USER, wizardtest::InstallerKey(), "DATADIR", dir.Folder());
    auto page = Make<TfmLNNoteOption>();
    page->UpdatePage(false);
    EXPECT_EQ(page->edtLNNoteLocal.GetText(), "");
    EXPECT_STREQ(s.NoteFile, "");
    testutil::WriteText(dir.Path("notebook.nsf"), "x");
    page->UpdatePage(false);
    EXPECT_EQ(page->edtLNNoteLocal.GetText(), dir.Path("notebook.nsf"));
    EXPECT_EQ(std::string(s.NoteFile), dir.Path("notebook.nsf"));
}

TEST_F(PageTest, BrowseStartsFromTheBoxAndTakesOnlyAConfirmedPath) {
    RegistryValue dataDir(HKEY_CURRENT_USER, wizardtest::InstallerKey(), "DATADIR", kDataDir);
    auto page = Make<TfmLNAddrOption>();
    page->UpdatePage(false);
    page->edtLNAddrLocal.SetText("");
    modal.fileAnswers = {std::nullopt, std::string("E:\\picked.nsf")};
    Click(page->btnLNAddrBrowse);
    EXPECT_EQ(page->edtLNAddrLocal.GetText(), "");
    Click(page->btnLNAddrBrowse);
    EXPECT_EQ(page->edtLNAddrLocal.GetText(), "E:\\picked.nsf");
    Click(page->btnLNAddrBrowse);
    ASSERT_EQ(modal.fileDialogs.size(), 3u);
    // An empty box starts from the default; a filled one from its text.
    EXPECT_EQ(modal.fileDialogs[0].request.startName, "C:\\Notes\\Data\\names.nsf");
    EXPECT_EQ(modal.fileDialogs[2].request.startName, "E:\\picked.nsf");
    EXPECT_EQ(modal.fileDialogs[0].hOwner, frame.Handle());
    using Filters = std::vector<std::pair<std::string, std::string>>;
    EXPECT_EQ(modal.fileDialogs[0].request.filters,
              (Filters{{"Lotus Notes Contacts Database file (names.nsf)", "*.nsf"}}));
    EXPECT_EQ(modal.fileDialogs[0].request.nMaxChars, 259u);

    auto note = Make<TfmLNNoteOption>();
    note->UpdatePage(false);
    Click(note->btnLNNoteBrowse);
    EXPECT_EQ(modal.fileDialogs.back().request.filters,
              (Filters{{"Lotus Notes Notebook Database file (notebook.nsf)", "*.nsf"}}));
}

TEST_F(PageTest, CalendarAndTasksShareTheMailDatabase) {
    auto date = Make<TfmLNDateOption>();
    auto task = Make<TfmLNTaskOption>();
    date->UpdatePage(false);
    date->edtDateName.SetText("PRIMARY1/COMPANY1!!mail/me.nsf");
    EXPECT_TRUE(date->UpdatePage(true));
    task->UpdatePage(false);
    EXPECT_EQ(task->edtTaskName.GetText(), "PRIMARY1/COMPANY1!!mail/me.nsf");
    task->edtTaskName.SetText("other!!mail/you.nsf");
    EXPECT_TRUE(task->UpdatePage(true));
    date->UpdatePage(false);
    EXPECT_EQ(date->edtDateName.GetText(), "other!!mail/you.nsf");
    EXPECT_TRUE(modal.boxes.empty());
}

TEST_F(PageTest, PagesReadAsWritten) {
    auto addr = Make<TfmLNAddrOption>();
    auto note = Make<TfmLNNoteOption>();
    auto date = Make<TfmLNDateOption>();
    auto task = Make<TfmLNTaskOption>();
    auto access = Make<TfmLNRemoteAccess>();
    const char* szFormat = "( Generally, the format is in \"[Server Name]!![Mail Database "
                           "Name]\" format. For example: PRIMAR1/PELLORA!!mail/test.nsf )";
    const std::pair<CxControl*, const char*> texts[] = {
        {&addr->Label1, "Please specify the Lotus Notes Contacts database information as below. "
                        "By default, Lotus Notes uses a local \"name.nsf\" database"},
        {&addr->Label2, "as your personal address book (PAB)."},
        {&addr->Label5, "( More Details ... )"},
        {&addr->rbtnAddrLocal, "Local Contacts Database (e.g. name.nsf)"},
        {&addr->rbtnAddrRemote, "Remote Contacts Database (If you are not sure about this, "
                                "please check with your Domino Admin)"},
        {&addr->btnLNAddrBrowse, "..."},
        {&addr->Label3, szFormat},
        {&note->Label1, "Please specify the Lotus Notes Notebook database information as below. "
                        "For example, Lotus Notes uses a local \"notebook1.nsf\" database"},
        {&note->Label2, "as your default Notebook database file name."},
        {&note->rbtnNoteLocal, "Local Notebook Database (e.g. notebook.nsf)"},
        {&note->rbtnNoteRemote, "Remote Notebook Database (If you are not sure about this, "
                                "please check with your Domino Admin)"},
        {&note->Label3, szFormat},
        {&date->Label1, "Please specify the Lotus Notes Calendar database information below. "
                        "Generally, Lotus Notes Calendar database is just the"},
        {&task->Label1, "Please specify the Lotus Notes Task database information below. "
                        "Generally, Lotus Notes Task database is just the"},
        {&date->Label2, "user's mailbox on the remote Domino server. The text format of the "
                        "database name is \"[Server Name]!![Database Name]\". "},
        {&task->Label3, "For example, Primary1/Company1!!mail/myname.nsf."},
        {&task->Label4, "If you are not sure about the exact name of your mailbox database, "
                        "please check with the Domino administrator in your company."},
        {&access->Label1, "Please specify the database access user / password information."},
        {&access->Label2, "If you need a password to access the remote Domino server, please "
                          "specify the password. If you need to switch to new Domino user."},
        {&access->Label3, "Please choose the appropriate user ID file to access the  server."},
        {&access->cbLNPassword, "Password Required:"},
        {&access->cbLNSavePassword, "Save the Password"},
        {&access->Label8, "User ID File:"},
    };
    for (const auto& t : texts)
        EXPECT_EQ(t.first->GetText(), t.second);
}

TEST_F(PageTest, MoreDetailsLinksOpenTheHelpPages) {
    auto addr = Make<TfmLNAddrOption>();
    auto note = Make<TfmLNNoteOption>();
    auto date = Make<TfmLNDateOption>();
    auto task = Make<TfmLNTaskOption>();
    auto access = Make<TfmLNRemoteAccess>();
    for (CxLinkLabel* l :
         {&addr->Label5, &note->Label5, &date->Label5, &task->Label5, &access->Label5})
        l->Click();
    const std::string site = kHelpSite;
    EXPECT_EQ(g_opened, (std::vector<std::string>{
                            site + "lotus-notes-options.htm", site + "lotus-notes-database.htm",
                            site + "lotus-notes-database.htm", site + "lotus-notes-database.htm",
                            site + "lotus-notes-option.htm#user_id"}));
}

// ---- Access page

TEST_F(PageTest, AccessFillsTheDefaultIdFileFromTheRegistry) {
    auto page = Make<TfmLNRemoteAccess>();
    {
        RegistryValue path(HKEY_LOCAL_MACHINE, wizardtest::NotesKey(), "Path", "C:\\Notes\\");
        page->UpdatePage(false);
        EXPECT_EQ(page->edtIDFile.GetText(), "C:\\Notes\\Data\\user.id");
        EXPECT_STREQ(s.IDFile, "C:\\Notes\\Data\\user.id");
        // A stored file is kept.
        SET_SETTING_TEXT(s.IDFile, "D:\\me.id");
        page->UpdatePage(false);
        EXPECT_EQ(page->edtIDFile.GetText(), "D:\\me.id");
    }
    RegistryValue path(HKEY_LOCAL_MACHINE, wizardtest::NotesKey(), "Path", std::nullopt);
    s.IDFile[0] = '\0';
    page->UpdatePage(false);
    EXPECT_EQ(page->edtIDFile.GetText(), "");
}

TEST_F(PageTest, PasswordRequiredSwitchesThePasswordControls) {
    auto page = Make<TfmLNRemoteAccess>();
    s.HasPassword = false;
    s.SavePassword = true;
    SET_SETTING_TEXT(s.Password, "pw");
    page->UpdatePage(false);
    EXPECT_FALSE(page->cbLNPassword.IsChecked());
    EXPECT_TRUE(page->cbLNSavePassword.IsChecked());
    EXPECT_EQ(page->edtLNPassword.GetText(), "pw");
    // Setting the ticks leaves the controls enabled, as on the first visit.
    EXPECT_TRUE(page->edtLNPassword.IsEnabled());
    EXPECT_TRUE(page->cbLNSavePassword.IsEnabled());
    Click(page->cbLNPassword);
    EXPECT_TRUE(page->edtLNPassword.IsEnabled());
    Click(page->cbLNPassword);
    EXPECT_FALSE(page->edtLNPassword.IsEnabled());
    EXPECT_FALSE(page->cbLNSavePassword.IsEnabled());
    // The password box shows stars.
    EXPECT_EQ(SendMessageA(page->edtLNPassword.Handle(), EM_GETPASSWORDCHAR, 0, 0), '*');
}

TEST_F(PageTest, LeavingAccessStoresThePageAndLoads) {
    auto page = Make<TfmLNRemoteAccess>();
    page->UpdatePage(false);
    page->edtIDFile.SetText("");
    Click(page->cbLNPassword);
    page->cbLNSavePassword.SetCheck(true);
    // The box takes 63 characters.
    page->edtLNPassword.SetText(std::string(70, 'p').c_str());
    bool bWaitShown = false;
    host.onLoad = [&] {
        WaitWindowState state;
        bWaitShown = GetWaitWindowState(&state);
        return true;
    };
    EXPECT_TRUE(page->UpdatePage(true));
    EXPECT_EQ(host.nLoads, 1);
    EXPECT_TRUE(bWaitShown);
    EXPECT_EQ(host.hints,
              std::vector<std::string>{"Loading Lotus Notes information, please wait ..."});
    EXPECT_STREQ(s.IDFile, "");
    EXPECT_TRUE(s.HasPassword);
    EXPECT_TRUE(s.SavePassword);
    EXPECT_EQ(std::string(s.Password), std::string(63, 'p'));
    EXPECT_TRUE(modal.boxes.empty());

    page->edtLNPassword.SetText("");
    EXPECT_TRUE(page->UpdatePage(true));
    EXPECT_STREQ(s.Password, "");
}

TEST_F(PageTest, AFailedLoadSaysWhyOnItsOwnLine) {
    auto page = Make<TfmLNRemoteAccess>();
    page->UpdatePage(false);
    const std::string main = "Can not retrieve your Lotus Notes information. Please make sure "
                             "that you entered the correct Lotus Notes access information.";
    host.onLoad = [] { return false; };
    host.loadError = "Wrong password.";
    EXPECT_FALSE(page->UpdatePage(true));
    host.loadError.clear();
    EXPECT_FALSE(page->UpdatePage(true));
    ASSERT_EQ(modal.boxes.size(), 2u);
    EXPECT_EQ(modal.boxes[0].text, main + "\r\n\r\nWrong password.");
    EXPECT_EQ(modal.boxes[1].text, main);
    EXPECT_EQ(modal.boxes[0].caption, "Error");
    EXPECT_EQ(modal.boxes[0].uType & MB_ICONMASK, static_cast<UINT>(MB_ICONINFORMATION));
    EXPECT_EQ(modal.boxes[0].hOwner, frame.Handle());
}

TEST_F(PageTest, AnExceptionInTheLoadShowsTheExceptionDialogAndRefusesTheMove) {
    SetExceptionDialog(ShowDumpDialog);
    auto page = Make<TfmLNRemoteAccess>();
    page->UpdatePage(false);
    host.onLoad = []() -> bool { throw std::runtime_error("out of records"); };
    HWND hOwner = nullptr;
    int nWaitThreadsAtDialog = -1;
    modal.onModal = [&](CxModalWindow& w) {
        hOwner = GetWindow(w.Handle(), GW_OWNER);
        nWaitThreadsAtDialog = WaitThreadsRunning();
    };
    EXPECT_FALSE(page->UpdatePage(true));
    SetExceptionDialog(nullptr);
    // No message box of its own: the exception dialog, owned by the main window, once the wait
    // window has gone.
    EXPECT_TRUE(modal.boxes.empty());
    EXPECT_EQ(modal.modalCaptions, std::vector<std::string>{"Handle Mirrowick Exception"});
    EXPECT_EQ(hOwner, frame.Handle());
    EXPECT_EQ(nWaitThreadsAtDialog, 0);
    // The wait window has been asked to go.
    for (int i = 0; i < 100 && WaitThreadsRunning() > 0; ++i)
        Sleep(20);
    EXPECT_EQ(WaitThreadsRunning(), 0);
}

TEST_F(PageTest, IdFileBrowseOffersIdAndAllFiles) {
    RegistryValue path(HKEY_LOCAL_MACHINE, wizardtest::NotesKey(), "Path", "C:\\Notes\\");
    auto page = Make<TfmLNRemoteAccess>();
    page->edtIDFile.SetText("");
    modal.fileAnswers = {std::string("F:\\id\\other.id")};
    Click(page->btnIDFileBrowse);
    ASSERT_EQ(modal.fileDialogs.size(), 1u);
    EXPECT_EQ(modal.fileDialogs[0].request.startName, "C:\\Notes\\Data\\user.id");
    using Filters = std::vector<std::pair<std::string, std::string>>;
    EXPECT_EQ(modal.fileDialogs[0].request.filters,
              (Filters{{"Lotus Notes user ID file (user.id)", "*.id"}, {"All Files(*.*)", "*.*"}}));
    EXPECT_EQ(page->edtIDFile.GetText(), "F:\\id\\other.id");
}

} // namespace
