#include "Lnoptionpage.h"

#include "AppSettings.h"

#include "common/misc/WinUtil.h"
#include "ui/CxLayout.h"
#include "ui/CxLook.h"
#include "ui/CxModal.h"

#include <string>

void OpenHelpPage(const char* szPage) {
    OpenWithShell((std::string(kHelpSite) + szPage).c_str());
}

namespace {
const char kServerFormat[] =
    "( Generally, the format is in \"[Server Name]!![Mail Database Name]\" format. For example: "
    "PRIMAR1/PELLORA!!mail/test.nsf )";
const char kMoreDetails[] = "( More Details ... )";
const int kLeft = 40;
const int kWidth = 714;
} // namespace

// ---- TfmLNFileOption

TfmLNFileOption::TfmLNFileOption(IWizardHost& host, const Texts& texts, const Controls& controls,
                                 bool& bLocal, char (&szFile)[256], DefaultFile pDefault)
    : TfmWizardPage(host), m_texts(texts), m_c(controls), m_bLocal(bLocal), m_szFile(szFile),
      m_pDefault(pDefault) {}

bool TfmLNFileOption::CreateControls() {
    // The texts take the lines they need in the user's font; the rest follows below them.
    const HFONT hFont = look::NormalFont();
    const int y2 = 30 + TextHeight96(hFont, m_texts.szLabel1, kWidth);
    // The link follows the second line of text.
    const int xLink = kLeft + TextWidth96(hFont, m_texts.szLabel2) + 8;
    const int y = y2 + 40;
    // The two choices are one radio group: one Tab stop (the chosen one) with the arrow keys
    // between them, as Windows users know it; Tab then goes on to the boxes, top to bottom.
    bool bOk = CreateLayout(
        Handle(),
        {
            {&m_c.Label1, CxKind::MultiLabel, m_texts.szLabel1, kLeft, 30, kWidth, y2 - 30},
            {&m_c.Label2, CxKind::Label, m_texts.szLabel2, kLeft, y2},
            {&m_c.Label5, CxKind::Link, kMoreDetails, xLink, y2},
            {&m_c.rbtnLocal, CxKind::RadioFirst, m_texts.szLocal, kLeft, y},
            {&m_c.rbtnRemote, CxKind::Radio, m_texts.szRemote, kLeft, y + 74},
            {&m_c.edtLocal, CxKind::Edit, "", kLeft + 20, y + 24, 600, 23},
            {&m_c.btnBrowse, CxKind::Button, "...", kLeft + 626, y + 24, 30, 23},
            {&m_c.edtRemote, CxKind::Edit, "", kLeft + 20, y + 98, 656, 23},
            {&m_c.Label3, CxKind::MultiLabel, kServerFormat, kLeft + 20, y + 128, 656,
             TextHeight96(hFont, kServerFormat, 656)},
        });
    m_c.edtLocal.SetLimit(259);
    m_c.edtRemote.SetLimit(259);
    m_c.Label5.onClick = [this] { OpenHelpPage(m_texts.szHelpPage); };
    m_c.rbtnLocal.onClick = [this] { ChooseLocal(); };
    m_c.rbtnRemote.onClick = [this] { ChooseRemote(); };
    m_c.btnBrowse.onClick = [this] { Browse(); };
    return bOk;
}

void TfmLNFileOption::ChooseLocal() {
    m_c.rbtnLocal.SetCheck(true);
    m_c.rbtnRemote.SetCheck(false);
    m_c.edtLocal.Enable(true);
    m_c.edtRemote.Enable(false);
    m_c.btnBrowse.Enable(true);
}

void TfmLNFileOption::ChooseRemote() {
    m_c.rbtnRemote.SetCheck(true);
    m_c.rbtnLocal.SetCheck(false);
    m_c.edtRemote.Enable(true);
    m_c.edtLocal.Enable(false);
    m_c.btnBrowse.Enable(false);
}

bool TfmLNFileOption::UpdatePage(bool bLeave) {
    if (!bLeave) {
        if (m_bLocal) {
            // The default goes into the setting itself, before the user confirms it.
            if (m_szFile[0] == '\0' && m_pDefault != nullptr)
                m_pDefault(m_szFile, sizeof m_szFile);
            ChooseLocal();
            m_c.edtLocal.SetText(m_szFile);
        } else {
            ChooseRemote();
            m_c.edtRemote.SetText(m_szFile);
        }
        return true;
    }
    const bool bLocal = m_c.rbtnLocal.IsChecked();
    CxEdit& edt = bLocal ? m_c.edtLocal : m_c.edtRemote;
    const std::string name = edt.GetText();
    if (name.empty()) {
        ModalUi().ShowMessageBox(GetAncestor(Handle(), GA_ROOT), m_texts.szInvalid, "Error",
                                 MB_OK | MB_ICONERROR);
        edt.Focus();
        return false;
    }
    m_bLocal = bLocal;
    SET_SETTING_TEXT(m_szFile, name.c_str());
    return true;
}

void TfmLNFileOption::Browse() {
    CxOpenFileRequest request;
    request.filters = {{m_texts.szFilter, "*.nsf"}};
    char szStart[260] = "";
    m_c.edtLocal.GetText(szStart, sizeof szStart);
    if (szStart[0] == '\0' && m_pDefault != nullptr)
        m_pDefault(szStart, sizeof szStart);
    request.startName = szStart;
    std::string path;
    if (ModalUi().OpenFileName(GetAncestor(Handle(), GA_ROOT), request, path))
        m_c.edtLocal.SetText(path.c_str());
}

// ---- TfmLNMailOption

TfmLNMailOption::TfmLNMailOption(IWizardHost& host, const char* szLabel1, const Controls& controls)
    : TfmWizardPage(host), m_szLabel1(szLabel1), m_c(controls) {}

bool TfmLNMailOption::CreateControls() {
    const char* szLabel2 = "user's mailbox on the remote Domino server. The text format of the "
                           "database name is \"[Server Name]!![Database Name]\". ";
    const char* szLabel3 = "For example, Primary1/Company1!!mail/myname.nsf.";
    const char* szLabel4 = "If you are not sure about the exact name of your mailbox database, "
                           "please check with the Domino administrator in your company.";
    // The texts take the lines they need in the user's font; the rest follows below them.
    const HFONT hFont = look::NormalFont();
    const int h1 = TextHeight96(hFont, m_szLabel1, kWidth);
    const int h2 = TextHeight96(hFont, szLabel2, kWidth);
    const int y3 = 30 + h1 + 2 + h2 + 2;
    const int y4 = y3 + 34;
    const int h4 = TextHeight96(hFont, szLabel4, kWidth);
    const int xLink = kLeft + TextWidth96(hFont, szLabel3) + 8;
    bool bOk = CreateLayout(
        Handle(), {
                      {&m_c.Label1, CxKind::MultiLabel, m_szLabel1, kLeft, 30, kWidth, h1},
                      {&m_c.Label2, CxKind::MultiLabel, szLabel2, kLeft, 32 + h1, kWidth, h2},
                      {&m_c.Label3, CxKind::Label, szLabel3, kLeft, y3},
                      {&m_c.Label5, CxKind::Link, kMoreDetails, xLink, y3},
                      {&m_c.Label4, CxKind::MultiLabel, szLabel4, kLeft, y4, kWidth, h4},
                      {&m_c.edtName, CxKind::Edit, "", kLeft, y4 + h4 + 20, 656, 23},
                  });
    m_c.edtName.SetLimit(259);
    m_c.Label5.onClick = [] { OpenHelpPage("lotus-notes-database.htm"); };
    return bOk;
}

bool TfmLNMailOption::UpdatePage(bool bLeave) {
    AppSettings& s = Settings();
    if (!bLeave) {
        m_c.edtName.SetText(s.MailDBName);
        return true;
    }
    const std::string name = m_c.edtName.GetText();
    if (name.empty()) {
        ModalUi().ShowMessageBox(GetAncestor(Handle(), GA_ROOT),
                                 "Invalid Lotus Notes mailbox database name.", "Error",
                                 MB_OK | MB_ICONERROR);
        m_c.edtName.Focus();
        return false;
    }
    SET_SETTING_TEXT(s.MailDBName, name.c_str());
    return true;
}
