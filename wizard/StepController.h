// The wizard's step sequence without any window: which page stands at each of the five steps,
// which page hooks run on a move, whether a move is refused, and what the buttons and the hint
// read. It talks to the pages only through UpdatePage and to the window only through the view.
#pragma once

#include <cstdint>

// The eight pages, in the order they are created.
enum WizardPageId : int {
    kPageSource, // step 0
    kPageAddr,   // step 1 for contacts
    kPageDate,   // step 1 for calendar
    kPageTask,   // step 1 for tasks
    kPageNote,   // step 1 for notebook
    kPageAccess, // step 2
    kPageData,   // step 3
    kPageClean,  // step 4
    kPageCount
};

const int kLastStep = 4;

class IWizardPage {
public:
    virtual ~IWizardPage() = default;
    // Entering (false): fill the page from the settings; the result is ignored. Leaving
    // forward (true): validate and store, or do the page's work; false refuses the move, and
    // the page has told the user why.
    virtual bool UpdatePage(bool bLeave) = 0;
};

// What the controller changes on the window.
class IWizardView {
public:
    virtual ~IWizardView() = default;
    virtual void SetPrevEnabled(bool bEnabled) = 0;
    virtual void SetNextEnabled(bool bEnabled) = 0;
    virtual void SetCancelCaption(const char* szCaption) = 0;
    virtual void SetPageVisible(int nPage, bool bVisible) = 0;
    virtual void SetStepText(const char* szText) = 0;
};

class CxStepController {
public:
    // nAppFlag is the settings' AppFlag, read on every move (the source page changes it).
    CxStepController(IWizardView& view, const int32_t& nAppFlag);

    void SetPage(int nPage, IWizardPage* pPage);

    // Goes to step n (cut to 0 to 4) when the hooks of the move agree.
    void ShowStep(int n);
    // Brings buttons, visible page and hint into line with the current step.
    void UpdateStepControls();
    // Replaces the hint at once.
    void SetStepHint(const char* szText);

    int CurrentStep() const { return m_nCurrentStep; }

    // The database page that stands at step 1 for a data type; contacts for any value other
    // than 2, 4 and 8, as the source page reads such a value.
    static int DatabasePage(int32_t nAppFlag);
    // The page of a step.
    static int StepPage(int nStep, int32_t nAppFlag);
    // The hint of a step.
    static const char* StepHint(int nStep, int32_t nAppFlag);

private:
    bool Hook(int nPage, bool bLeave);

    IWizardView& m_view;
    const int32_t& m_nAppFlag;
    IWizardPage* m_apPages[kPageCount] = {};
    int m_nCurrentStep = 0;
};
