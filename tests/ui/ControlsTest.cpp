// The control library on real (hidden) windows: the link, the progress bar with its text, the
// check-box list, the tab control, the real modal loop and the exception boundary.
#include "ui/CxControls.h"
#include "ui/CxLayout.h"
#include "ui/CxModal.h"
#include "ui/CxWindow.h"

#include "FakeModalUi.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

const UINT kThrowMessage = WM_APP + 1;

class Frame : public CxWindow {
public:
    bool Create(DWORD dwStyle = WS_OVERLAPPED | WS_CAPTION) {
        return CreateWindowOf(RegisterClass("MwControlsTestFrame"), WS_EX_CONTROLPARENT, "Frame",
                              dwStyle, 0, 0, 400, 300, nullptr);
    }

protected:
    LRESULT HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) override {
        if (uMsg == kThrowMessage)
            throw std::runtime_error("the handler failed");
        return DefaultMessage(uMsg, wParam, lParam);
    }
};

class Controls : public ::testing::Test {
protected:
    Frame frame;
    void SetUp() override { ASSERT_TRUE(frame.Create()); }
};

TEST_F(Controls, ALinkRunsOnAClickEnterOrSpaceOnly) {
    CxLinkLabel link;
    ASSERT_TRUE(
        CreateLayout(frame.Handle(), {{&link, CxKind::Link, "( More Details ... )", 10, 10}}));
    int nClicks = 0;
    link.onClick = [&] { ++nClicks; };
    SendMessageA(link.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    SendMessageA(link.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    EXPECT_EQ(nClicks, 1);
    // Pressed on the link, released away from it: no click.
    SendMessageA(link.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    SendMessageA(link.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(500, 3));
    EXPECT_EQ(nClicks, 1);
    SendMessageA(link.Handle(), WM_KEYDOWN, VK_RETURN, 0);
    SendMessageA(link.Handle(), WM_KEYDOWN, VK_SPACE, 0);
    SendMessageA(link.Handle(), WM_KEYDOWN, 'A', 0);
    EXPECT_EQ(nClicks, 3);
    // It keeps Enter from the default button while it has the focus.
    MSG msg{link.Handle(), WM_KEYDOWN, VK_RETURN, 0, 0, {0, 0}};
    EXPECT_EQ(SendMessageA(link.Handle(), WM_GETDLGCODE, VK_RETURN, reinterpret_cast<LPARAM>(&msg)),
              DLGC_WANTMESSAGE);
    EXPECT_TRUE(GetWindowLongA(link.Handle(), GWL_STYLE) & WS_TABSTOP);
    EXPECT_EQ(reinterpret_cast<HCURSOR>(GetClassLongPtrA(link.Handle(), GCLP_HCURSOR)),
              LoadCursorA(nullptr, MAKEINTRESOURCEA(32649))); // IDC_HAND
    LOGFONTA lf{};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(link.Handle(), WM_GETFONT, 0, 0)), sizeof lf,
               &lf);
    EXPECT_TRUE(lf.lfUnderline);
    link.Enable(false);
    link.Click();
    SendMessageA(link.Handle(), WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ(nClicks, 3);
}

TEST_F(Controls, AClickLabelRunsOnAMouseClickUnderTheHandCursor) {
    CxClickLabel name;
    ASSERT_TRUE(CreateLayout(frame.Handle(), {{&name, CxKind::ClickLabel, "Mirrowick", 10, 10}}));
    int nClicks = 0;
    name.onClick = [&] { ++nClicks; };
    SendMessageA(name.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    SendMessageA(name.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    EXPECT_EQ(nClicks, 1);
    EXPECT_EQ(reinterpret_cast<HCURSOR>(GetClassLongPtrA(name.Handle(), GCLP_HCURSOR)),
              LoadCursorA(nullptr, MAKEINTRESOURCEA(32649))); // IDC_HAND
    EXPECT_FALSE(GetWindowLongA(name.Handle(), GWL_STYLE) & WS_TABSTOP);
    EXPECT_EQ(name.GetText(), "Mirrowick");
    name.Enable(false);
    name.Click();
    EXPECT_EQ(nClicks, 1);
}

TEST_F(Controls, ADropListKeepsItemsWithTheirNumbersAndReportsAPick) {
    CxComboBox list;
    ASSERT_TRUE(CreateLayout(frame.Handle(), {{&list, CxKind::DropList, "", 10, 10, 200, 120}}));
    EXPECT_EQ(GetWindowLongA(list.Handle(), GWL_STYLE) & 3, CBS_DROPDOWNLIST);
    for (const auto& item : {std::make_pair("Critical", 0), {"High", 1}, {"Low", 3}})
        list.AddItem(item.first, item.second);
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list.ItemText(2), "Low");
    EXPECT_EQ(list.ItemData(2), 3);
    EXPECT_EQ(list.Selected(), -1);
    int nChanges = 0;
    list.onChange = [&] { ++nChanges; };
    list.Select(0);
    EXPECT_EQ(nChanges, 0) << "only a user's pick is reported";
    // The down arrow picks the next item, as a user does it.
    SendMessageA(list.Handle(), WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(list.Selected(), 1);
    EXPECT_EQ(nChanges, 1);
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
}

TEST_F(Controls, TheProgressBarShowsItsValueAsText) {
    CxProgressBar bar;
    ASSERT_TRUE(CreateLayout(frame.Handle(), {{&bar, CxKind::Progress, "", 10, 10, 300, 12}}));
    EXPECT_EQ(bar.GetText(), "0%");
    const std::pair<int, const char*> rows[] = {
        {40, "40%"}, {100, "100%"}, {150, "100%"}, {-5, "0%"}};
    for (const auto& r : rows) {
        bar.SetPosition(r.first);
        EXPECT_EQ(bar.GetText(), r.second) << r.first;
    }
    bar.SetPosition(25);
    EXPECT_EQ(bar.Position(), 25);
}

TEST_F(Controls, TheListKeepsRowsDataAndTicks) {
    CxListView list;
    ASSERT_TRUE(CreateLayout(frame.Handle(), {{&list, CxKind::List, "", 10, 10, 360, 200}}));
    list.AddColumn("Subject", 200);
    list.AddColumn("Location", 100);
    int aData[3];
    for (int i = 0; i < 3; ++i) {
        int nRow =
            list.AddRow(("row " + std::to_string(i)).c_str(), reinterpret_cast<LPARAM>(&aData[i]));
        list.SetItemText(nRow, 1, "here");
    }
    ASSERT_EQ(list.RowCount(), 3);
    EXPECT_EQ(list.ItemText(2, 0), "row 2");
    EXPECT_EQ(list.ItemText(1, 1), "here");
    EXPECT_EQ(list.RowData(1), reinterpret_cast<LPARAM>(&aData[1]));
    list.SetChecked(0, true);
    EXPECT_TRUE(list.IsChecked(0));
    EXPECT_FALSE(list.IsChecked(1));
    // The space bar ticks the focused row, as a user does it.
    ListView_SetItemState(list.Handle(), 1, LVIS_FOCUSED | LVIS_SELECTED,
                          LVIS_FOCUSED | LVIS_SELECTED);
    EXPECT_EQ(list.SelectedRow(), 1);
    SendMessageA(list.Handle(), WM_KEYDOWN, VK_SPACE, 0);
    SendMessageA(list.Handle(), WM_KEYUP, VK_SPACE, 0);
    EXPECT_TRUE(list.IsChecked(1));
    list.DeleteAll();
    EXPECT_EQ(list.RowCount(), 0);
}

TEST_F(Controls, TheTabControlReportsItsFrontTab) {
    CxTabControl tabs;
    ASSERT_TRUE(CreateLayout(frame.Handle(), {{&tabs, CxKind::Tab, "", 10, 10, 360, 200}}));
    for (const char* sz : {"Contacts", "Calendar", "Task"})
        tabs.AddTab(sz);
    std::vector<int> seen;
    tabs.onSelChange = [&](int n) { seen.push_back(n); };
    tabs.Select(2);
    tabs.SetTabText(0, "Contacts (2 Dups)");
    EXPECT_EQ(tabs.Count(), 3);
    EXPECT_EQ(tabs.Selected(), 2);
    EXPECT_EQ(tabs.TabText(0), "Contacts (2 Dups)");
    EXPECT_EQ(seen, std::vector<int>{2});
    RECT rc = tabs.PageRect();
    EXPECT_GT(rc.top, 10) << "the page lies under the tabs";
}

// A modal window that ends itself through the real loop with a posted key or command.
class SelfEndingWindow : public CxModalWindow {
public:
    UINT uPost = WM_COMMAND;
    WPARAM wPost = IDOK;
    HWND hOwnerSeen = nullptr;
    bool bOwnerEnabledWhileRunning = true;
    CxButton btnOK;

    bool Create(HWND hOwner) override {
        hOwnerSeen = hOwner;
        if (!CreateFrame(hOwner, "Self ending", 200, 100))
            return false;
        CreateLayout(Handle(), {{&btnOK, CxKind::DefButton, "&OK", 60, 60, 80, 27}});
        PostMessageA(uPost == WM_KEYDOWN ? btnOK.Handle() : Handle(), uPost, wPost, 0);
        return true;
    }

protected:
    void OnOK() override {
        bOwnerEnabledWhileRunning = IsWindowEnabled(hOwnerSeen) != 0;
        EndModal(IDOK);
    }
};

TEST_F(Controls, TheRealModalLoopDisablesTheOwnerAndEndsOnEnterOrEsc) {
    SelfEndingWindow ok;
    EXPECT_EQ(ModalUi().RunModal(frame.Handle(), ok), IDOK);
    EXPECT_FALSE(ok.bOwnerEnabledWhileRunning);
    EXPECT_TRUE(IsWindowEnabled(frame.Handle()));
    EXPECT_FALSE(ok.IsCreated()) << "destroyed when it ends";

    SelfEndingWindow esc;
    esc.uPost = WM_KEYDOWN;
    esc.wPost = VK_ESCAPE;
    EXPECT_EQ(ModalUi().RunModal(frame.Handle(), esc), IDCANCEL);
    EXPECT_TRUE(IsWindowEnabled(frame.Handle()));

    SelfEndingWindow enter;
    enter.uPost = WM_KEYDOWN;
    enter.wPost = VK_RETURN;
    EXPECT_EQ(ModalUi().RunModal(frame.Handle(), enter), IDOK);
}

TEST_F(Controls, AQuitDuringAModalRunEndsItAndReachesTheMainLoop) {
    SelfEndingWindow quit;
    quit.uPost = WM_QUIT;
    quit.wPost = 7;
    EXPECT_EQ(ModalUi().RunModal(frame.Handle(), quit), IDCANCEL);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 7u);
}

TEST_F(Controls, AnExceptionStopsAtTheWindowProcedureAndIsShown) {
    FakeModalUi modal;
    SendMessageA(frame.Handle(), kThrowMessage, 0, 0);
    ASSERT_EQ(modal.boxes.size(), 1u);
    EXPECT_EQ(modal.boxes[0].text, "the handler failed");
    EXPECT_EQ(modal.boxes[0].caption, "Mirrowick");
    EXPECT_EQ(modal.boxes[0].uType & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR));
    EXPECT_TRUE(frame.IsCreated()) << "the window lives on";
}

TEST_F(Controls, TheRealMessageBoxShowsAndAnswers) {
    // Another thread answers the box once it is on the screen.
    HANDLE hThread = CreateThread(
        nullptr, 0,
        [](LPVOID) -> DWORD {
            for (int i = 0; i < 200; ++i) {
                HWND hBox = FindWindowA(nullptr, "Box under test");
                if (hBox != nullptr && IsWindowVisible(hBox)) {
                    PostMessageA(hBox, WM_COMMAND, IDNO, 0);
                    return 0;
                }
                Sleep(50);
            }
            return 1;
        },
        nullptr, 0, nullptr);
    ASSERT_NE(hThread, nullptr);
    EXPECT_EQ(ModalUi().ShowMessageBox(frame.Handle(), "Are you sure?", "Box under test",
                                       MB_YESNO | MB_ICONQUESTION),
              IDNO);
    WaitForSingleObject(hThread, 15000);
    DWORD nExit = 2;
    GetExitCodeThread(hThread, &nExit);
    CloseHandle(hThread);
    EXPECT_EQ(nExit, 0u);
}

TEST_F(Controls, ADisabledButtonIsNotPressed) {
    CxButton button;
    ASSERT_TRUE(CreateLayout(frame.Handle(), {{&button, CxKind::Button, "&Go", 10, 10, 80, 27}}));
    int nClicks = 0;
    button.onClick = [&] { ++nClicks; };
    button.Click();
    button.Enable(false);
    button.Click();
    EXPECT_EQ(nClicks, 1);
}

} // namespace
