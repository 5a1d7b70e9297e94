#include "StepController.h"

#include "../common/misc/CxAssert.h"

CxStepController::CxStepController(IWizardView& view, const int32_t& nAppFlag)
    : m_view(view), m_nAppFlag(nAppFlag) {}

void CxStepController::SetPage(int nPage, IWizardPage* pPage) {
    CX_ASSERT(nPage >= 0 && nPage < kPageCount);
    if (nPage >= 0 && nPage < kPageCount)
        m_apPages[nPage] = pPage;
}

int CxStepController::DatabasePage(int32_t nAppFlag) {
    switch (nAppFlag) {
    case 2:
        return kPageDate;
    case 4:
        return kPageTask;
    case 8:
        return kPageNote;
    default:
        return kPageAddr;
    }
}

int CxStepController::StepPage(int nStep, int32_t nAppFlag) {
    switch (nStep) {
    case 0:
        return kPageSource;
    case 1:
        return DatabasePage(nAppFlag);
    case 2:
        return kPageAccess;
    case 3:
        return kPageData;
    default:
        return kPageClean;
    }
}

const char* CxStepController::StepHint(int nStep, int32_t nAppFlag) {
    switch (nStep) {
    case 0:
        return "Please select the Lotus Notes application which you need to check duplicates.";
    case 1:
        switch (DatabasePage(nAppFlag)) {
        case kPageDate:
            return "Please specify detail information about the Calendar (Mail) database.";
        case kPageTask:
            return "Please specify detail information about the Task (Mail) database.";
        case kPageNote:
            return "Please specify detail information about the Notebook database.";
        default:
            return "Please specify detail information about the Contacts database.";
        }
    case 2:
        return "Please specify the user and password options.";
    case 3:
        return "Please select the duplicate items that you want to delete.";
    default:
        return "Deleting duplicate items now.";
    }
}

bool CxStepController::Hook(int nPage, bool bLeave) {
    IWizardPage* pPage = m_apPages[nPage];
    CX_ASSERT(pPage != nullptr);
    return pPage == nullptr || pPage->UpdatePage(bLeave);
}

void CxStepController::ShowStep(int n) {
    if (n < 0)
        n = 0;
    if (n > kLastStep)
        n = kLastStep;
    const bool bForward = m_nCurrentStep < n;
    switch (n) {
    case 0:
        Hook(kPageSource, false);
        break;
    case 1:
        if (bForward) {
            if (!Hook(kPageSource, true))
                return;
            Hook(DatabasePage(m_nAppFlag), false);
        }
        break;
    case 2:
        if (bForward) {
            if (!Hook(DatabasePage(m_nAppFlag), true))
                return;
            Hook(kPageAccess, false);
        }
        break;
    case 3:
        if (bForward) {
            if (!Hook(kPageAccess, true))
                return;
            Hook(kPageData, false);
        }
        break;
    default:
        // Step 4 is reached from step 3 only.
        if (!Hook(kPageData, true))
            return;
        Hook(kPageClean, false);
        break;
    }
    m_nCurrentStep = n;
    UpdateStepControls();
}

void CxStepController::UpdateStepControls() {
    const int n = m_nCurrentStep;
    m_view.SetPrevEnabled(n > 0 && n < kLastStep);
    m_view.SetNextEnabled(n < kLastStep);
    m_view.SetCancelCaption(n == kLastStep ? "&Finish" : "&Cancel");
    // Hide what goes first, then show the current page, so exactly one page is visible.
    const int nShown = StepPage(n, m_nAppFlag);
    for (int nPage = 0; nPage < kPageCount; ++nPage)
        if (nPage != nShown)
            m_view.SetPageVisible(nPage, false);
    m_view.SetPageVisible(nShown, true);
    m_view.SetStepText(StepHint(n, m_nAppFlag));
}

void CxStepController::SetStepHint(const char* szText) {
    m_view.SetStepText(szText != nullptr ? szText : "");
}
