// What the database pages of step 1 share. The contacts and notebook pages offer a local file
// or a database on a server ("[Server Name]!![Database Name]"); the calendar and task pages name
// the mail database. Each page owns its controls under its own names and hands them here.
#pragma once

#include "WizardPage.h"

#include "common/misc/Product.h"
#include "ui/CxControls.h"

#include <cstddef>

// The help pages of the maker behind the "( More Details ... )" links: under the product page.
constexpr const char* kHelpSite = kProductPage;

// Opens a help page of the maker with the shell.
void OpenHelpPage(const char* szPage);

// A page with a local and a remote choice.
class TfmLNFileOption : public TfmWizardPage {
public:
    struct Texts {
        const char* szLabel1;
        const char* szLabel2;
        const char* szHelpPage;
        const char* szLocal;
        const char* szRemote;
        const char* szInvalid; // the message of an empty name
        const char* szFilter;  // the open-file dialog's filter description
    };
    struct Controls {
        CxLabel& Label1;
        CxLabel& Label2;
        CxLinkLabel& Label5;
        CxRadioButton& rbtnLocal;
        CxEdit& edtLocal;
        CxButton& btnBrowse;
        CxRadioButton& rbtnRemote;
        CxEdit& edtRemote;
        CxLabel& Label3;
    };
    // The default local path; false, buffer unchanged, when there is none.
    using DefaultFile = bool (*)(char* szBuf, size_t nCapacity);

    TfmLNFileOption(IWizardHost& host, const Texts& texts, const Controls& controls, bool& bLocal,
                    char (&szFile)[256], DefaultFile pDefault);

    bool UpdatePage(bool bLeave) override;

    // The local/remote rule.
    void ChooseLocal();
    void ChooseRemote();
    // Picks the local file with the open-file dialog.
    void Browse();

protected:
    bool CreateControls() override;

private:
    Texts m_texts;
    Controls m_c;
    bool& m_bLocal;
    char (&m_szFile)[256];
    DefaultFile m_pDefault;
};

// A page that names the user's mail database.
class TfmLNMailOption : public TfmWizardPage {
public:
    struct Controls {
        CxLabel& Label1;
        CxLabel& Label2;
        CxLabel& Label3;
        CxLinkLabel& Label5;
        CxLabel& Label4;
        CxEdit& edtName;
    };
    TfmLNMailOption(IWizardHost& host, const char* szLabel1, const Controls& controls);

    bool UpdatePage(bool bLeave) override;

protected:
    bool CreateControls() override;

private:
    const char* m_szLabel1;
    Controls m_c;
};
