#include "wizard/StepController.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace {

const char* const kPageNames[kPageCount] = {"Source", "Addr",   "Date", "Task",
                                            "Note",   "Access", "Data", "Clean"};

// Records every hook call in one shared journal and answers leave hooks as told.
struct FakePage : IWizardPage {
    int nId = 0;
    std::vector<std::string>* pJournal = nullptr;
    bool bAllowLeave = true;
    // Runs inside the hook, as the source page changes AppFlag when it is left.
    std::function<void(bool)> onHook;
    bool UpdatePage(bool bLeave) override {
        pJournal->push_back(std::string(bLeave ? "leave " : "enter ") + kPageNames[nId]);
        if (onHook)
            onHook(bLeave);
        return bLeave ? bAllowLeave : true;
    }
};

struct FakeView : IWizardView {
    bool bPrev = true, bNext = false;
    std::string cancel = "&Close";
    std::string hint = "Description of this step";
    bool abVisible[kPageCount] = {};
    int nPageCalls = 0;
    void SetPrevEnabled(bool b) override { bPrev = b; }
    void SetNextEnabled(bool b) override { bNext = b; }
    void SetCancelCaption(const char* sz) override { cancel = sz; }
    void SetPageVisible(int nPage, bool b) override {
        abVisible[nPage] = b;
        ++nPageCalls;
    }
    void SetStepText(const char* sz) override { hint = sz; }
    std::vector<int> Visible() const {
        std::vector<int> v;
        for (int i = 0; i < kPageCount; ++i)
            if (abVisible[i])
                v.push_back(i);
        return v;
    }
};

class Steps : public ::testing::Test {
protected:
    int32_t nAppFlag = 1;
    FakeView view;
    std::vector<std::string> journal;
    FakePage pages[kPageCount];
    CxStepController steps{view, nAppFlag};

    void SetUp() override {
        for (int i = 0; i < kPageCount; ++i) {
            pages[i].nId = i;
            pages[i].pJournal = &journal;
            steps.SetPage(i, &pages[i]);
        }
        steps.ShowStep(0);
    }
    // Walks forward to a step from wherever the wizard is.
    void Forward(int nStep) {
        while (steps.CurrentStep() < nStep)
            steps.ShowStep(steps.CurrentStep() + 1);
    }
    std::vector<std::string> Take() { return std::exchange(journal, {}); }
};

TEST_F(Steps, StartUpShowsStepZero) {
    EXPECT_EQ(steps.CurrentStep(), 0);
    EXPECT_EQ(Take(), std::vector<std::string>{"enter Source"});
    EXPECT_FALSE(view.bPrev);
    EXPECT_TRUE(view.bNext);
    EXPECT_EQ(view.cancel, "&Cancel");
    EXPECT_EQ(view.Visible(), std::vector<int>{kPageSource});
    EXPECT_EQ(view.hint,
              "Please select the Lotus Notes application which you need to check duplicates.");
}

TEST_F(Steps, ForwardRunsLeaveThenEnterHooksAndSetsControls) {
    struct Row {
        int nStep;
        std::vector<std::string> hooks;
        int nPage;
        bool bPrev, bNext;
        const char* szCancel;
        const char* szHint;
    };
    const Row rows[] = {
        {1,
         {"leave Source", "enter Addr"},
         kPageAddr,
         true,
         true,
         "&Cancel",
         "Please specify detail information about the Contacts database."},
        {2,
         {"leave Addr", "enter Access"},
         kPageAccess,
         true,
         true,
         "&Cancel",
         "Please specify the user and password options."},
        {3,
         {"leave Access", "enter Data"},
         kPageData,
         true,
         true,
         "&Cancel",
         "Please select the duplicate items that you want to delete."},
        {4,
         {"leave Data", "enter Clean"},
         kPageClean,
         false,
         false,
         "&Finish",
         "Deleting duplicate items now."},
    };
    Take();
    for (const Row& r : rows) {
        steps.ShowStep(steps.CurrentStep() + 1);
        SCOPED_TRACE(r.nStep);
        EXPECT_EQ(steps.CurrentStep(), r.nStep);
        EXPECT_EQ(Take(), r.hooks);
        EXPECT_EQ(view.Visible(), std::vector<int>{r.nPage});
        EXPECT_EQ(view.bPrev, r.bPrev);
        EXPECT_EQ(view.bNext, r.bNext);
        EXPECT_EQ(view.cancel, r.szCancel);
        EXPECT_EQ(view.hint, r.szHint);
    }
}

TEST_F(Steps, DataTypeChoosesTheDatabasePageAndHint) {
    struct Row {
        int32_t nFlag;
        int nPage;
        const char* szHint;
    };
    const Row rows[] = {
        {1, kPageAddr, "Please specify detail information about the Contacts database."},
        {2, kPageDate, "Please specify detail information about the Calendar (Mail) database."},
        {4, kPageTask, "Please specify detail information about the Task (Mail) database."},
        {8, kPageNote, "Please specify detail information about the Notebook database."},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.nFlag);
        steps.ShowStep(0);
        nAppFlag = r.nFlag;
        Take();
        steps.ShowStep(1);
        EXPECT_EQ(Take(), (std::vector<std::string>{"leave Source",
                                                    std::string("enter ") + kPageNames[r.nPage]}));
        EXPECT_EQ(view.Visible(), std::vector<int>{r.nPage});
        EXPECT_EQ(view.hint, r.szHint);
        steps.ShowStep(2);
        EXPECT_EQ(Take().front(), std::string("leave ") + kPageNames[r.nPage]);
    }
}

TEST_F(Steps, TheFlagStoredByTheSourcePageDecides) {
    // Contacts first, back to step 0, then the source page stores Notebook as it is left.
    Forward(1);
    steps.ShowStep(0);
    pages[kPageSource].onHook = [&](bool bLeave) {
        if (bLeave)
            nAppFlag = 8;
    };
    Take();
    steps.ShowStep(1);
    EXPECT_EQ(Take(), (std::vector<std::string>{"leave Source", "enter Note"}));
    EXPECT_EQ(view.Visible(), std::vector<int>{kPageNote});
    EXPECT_FALSE(view.abVisible[kPageAddr]);
}

TEST_F(Steps, RefusedLeaveChangesNothing) {
    for (int nFrom = 0; nFrom <= 3; ++nFrom) {
        SCOPED_TRACE(nFrom);
        steps.ShowStep(0);
        Forward(nFrom);
        const int nPage = CxStepController::StepPage(nFrom, nAppFlag);
        pages[nPage].bAllowLeave = false;
        view.hint = "set by the hook";
        const FakeView before = view;
        Take();
        steps.ShowStep(nFrom + 1);
        EXPECT_EQ(Take(), std::vector<std::string>{std::string("leave ") + kPageNames[nPage]});
        EXPECT_EQ(steps.CurrentStep(), nFrom);
        EXPECT_EQ(view.Visible(), before.Visible());
        EXPECT_EQ(view.bPrev, before.bPrev);
        EXPECT_EQ(view.bNext, before.bNext);
        EXPECT_EQ(view.cancel, before.cancel);
        EXPECT_EQ(view.hint, "set by the hook");
        pages[nPage].bAllowLeave = true;
    }
}

TEST_F(Steps, BackRunsNoHookExceptOnStepZero) {
    Forward(3);
    Take();
    steps.ShowStep(2);
    steps.ShowStep(1);
    EXPECT_TRUE(Take().empty());
    EXPECT_EQ(view.Visible(), std::vector<int>{kPageAddr});
    steps.ShowStep(0);
    EXPECT_EQ(Take(), std::vector<std::string>{"enter Source"});
    EXPECT_FALSE(view.bPrev);
}

TEST_F(Steps, ForwardAgainRepeatsTheLoadingHook) {
    Forward(3);
    steps.ShowStep(2);
    Take();
    steps.ShowStep(3);
    EXPECT_EQ(Take(), (std::vector<std::string>{"leave Access", "enter Data"}));
}

TEST_F(Steps, BackToFirstStepFromTheLastStep) {
    Forward(4);
    steps.ShowStep(0);
    EXPECT_EQ(steps.CurrentStep(), 0);
    EXPECT_FALSE(view.bPrev);
    EXPECT_TRUE(view.bNext);
    EXPECT_EQ(view.cancel, "&Cancel");
    Take();
    Forward(3);
    EXPECT_EQ(Take(), (std::vector<std::string>{"leave Source", "enter Addr", "leave Addr",
                                                "enter Access", "leave Access", "enter Data"}));
}

TEST_F(Steps, RequestsOutOfRangeAreCut) {
    Take();
    steps.ShowStep(-3);
    EXPECT_EQ(steps.CurrentStep(), 0);
    EXPECT_EQ(Take(), std::vector<std::string>{"enter Source"});
    Forward(3);
    Take();
    steps.ShowStep(9);
    EXPECT_EQ(steps.CurrentStep(), 4);
    EXPECT_EQ(Take(), (std::vector<std::string>{"leave Data", "enter Clean"}));
}

TEST_F(Steps, UnknownFlagStandsForContacts) {
    nAppFlag = 0;
    Take();
    steps.ShowStep(1);
    EXPECT_EQ(Take(), (std::vector<std::string>{"leave Source", "enter Addr"}));
    EXPECT_EQ(view.hint, "Please specify detail information about the Contacts database.");
}

TEST_F(Steps, SetStepHintReplacesTheHintOnly) {
    Forward(2);
    steps.SetStepHint("Loading Lotus Notes information, please wait ...");
    EXPECT_EQ(view.hint, "Loading Lotus Notes information, please wait ...");
    EXPECT_EQ(steps.CurrentStep(), 2);
}

} // namespace
