// The base of the eight wizard pages. A page is a borderless child window that fills the main
// window's client panel and starts hidden; the main window's step sequence reaches it only
// through UpdatePage. A new page derives from TfmWizardPage, lays out its controls in
// CreateControls and answers UpdatePage; the shell needs no change for it.
#pragma once

#include "StepController.h"

#include "ui/CxWindow.h"

#include <string>

// What a page may ask of the main window.
class IWizardHost {
public:
    virtual ~IWizardHost() = default;
    // Goes to a step (the cleaning page's "Back to First Step" asks for step 0).
    virtual void ShowStep(int n) = 0;
    // Replaces the step hint at once.
    virtual void SetStepHint(const char* szText) = 0;
    // The loading run: frees the data of an earlier run and loads the chosen type afresh.
    virtual bool LoadNotesData() = 0;
    // What the helper program of the last failed load reported, if anything.
    virtual std::string LastLoadError() const = 0;
    // The main window: the owner of what the pages open on the program's behalf.
    virtual HWND MainWindow() const = 0;
};

class TfmWizardPage : public CxWindow, public IWizardPage {
public:
    explicit TfmWizardPage(IWizardHost& host) : m_host(host) {}

    // Creates the page hidden, filling hClient, with its controls.
    bool Create(HWND hClient);

protected:
    // Creates the page's controls; false when any could not be created.
    virtual bool CreateControls() = 0;
    IWizardHost& Host() { return m_host; }

private:
    IWizardHost& m_host;
};
