// The main window: a fixed-size wizard with a header band (logo, product name, step hint), the
// client panel that shows one page at a time, and the button bar. It owns the eight pages and
// the step sequence, the start-up and the shutdown.
#pragma once

#include "StepController.h"
#include "WizardPage.h"

#include "ui/CxControls.h"
#include "ui/CxWindow.h"

#include <memory>
#include <string>

class CxLNAddrUtil;
class CxLNDateUtil;
class CxLNTaskUtil;
class CxLNNoteUtil;

// The stores of the last loading run (none before the first and after the program's end); the
// review and cleaning pages mark and submit through them.
CxLNAddrUtil* LoadedAddrStore();
CxLNDateUtil* LoadedDateStore();
CxLNTaskUtil* LoadedTaskStore();
CxLNNoteUtil* LoadedNoteStore();

extern const char kMainTitle[]; // "Mirrowick - Remove Duplicates in Lotus Notes ..."
extern const char kAppTitle[];  // "Mirrowick"

class TfmMain : public CxWindow, private IWizardView, public IWizardHost {
public:
    TfmMain();
    ~TfmMain() override;

    // Creates the window (start-up runs meanwhile), centred on the screen, shown or hidden.
    bool Create(bool bShow);
    // The program's own window ends the message loop when it goes; a test's does not.
    void SetQuitOnDestroy(bool bQuit) { m_bQuitOnDestroy = bQuit; }

    void ShowStep(int n) override;
    void UpdateStepControls();
    void SetStepHint(const char* szText) override;
    int CurrentStep() const { return m_steps.CurrentStep(); }

    bool LoadNotesData() override;
    std::string LastLoadError() const override { return m_loadError; }
    void FreeNotesData();
    HWND MainWindow() const override { return Handle(); }

    TfmWizardPage* Page(int nPage) const { return m_apPages[nPage].get(); }

    CxPanel pTop, pClient, pBottom;
    CxPicture imgLogo;
    CxLabel Label1, lblStep;
    CxButton btnHelp, btnDebug, btnPrev, btnNext, btnCancel;

protected:
    LRESULT HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) override;
    HWND DefaultButton() const override { return btnNext.Handle(); }

private:
    void SetPrevEnabled(bool bEnabled) override { btnPrev.Enable(bEnabled); }
    void SetNextEnabled(bool bEnabled) override { btnNext.Enable(bEnabled); }
    void SetCancelCaption(const char* szCaption) override { btnCancel.SetText(szCaption); }
    void SetPageVisible(int nPage, bool bVisible) override;
    void SetStepText(const char* szText) override { lblStep.SetText(szText); }

    bool FormCreate();
    void FormDestroy();
    bool CreateControls();
    bool CreatePages();
    void FreePages();

    // The first control of the visible page, else Next, else the close button.
    void FocusFirstControl();

    void btnNextClick();
    void btnPrevClick();
    void btnCancelClick();
    void btnHelpClick();
    void btnDebugClick();

    CxStepController m_steps;
    std::unique_ptr<TfmWizardPage> m_apPages[kPageCount];
    HINSTANCE m_hInstance = nullptr;
    char m_szWorkFolder[260] = "";
    bool m_bHaveWorkFolder = false;
    bool m_bQuitOnDestroy = false;
    std::string m_loadError;
    HWND m_hLastFocus = nullptr;
    bool m_bInShowStep = false;
};
