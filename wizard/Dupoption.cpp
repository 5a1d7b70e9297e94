#include "Dupoption.h"

#include "AppSettings.h"

#include "ui/CxLayout.h"
#include "ui/CxLook.h"

namespace {

struct Binding {
    CxCheckBox TfmDupOption::*pBox;
    bool AppSettings::*pSetting;
};

// Every box bound to a setting. The contacts "Date" box has none: it is neither set nor read.
const Binding kBindings[] = {
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

} // namespace

bool TfmDupOption::Create(HWND hOwner) {
    if (!CreateFrame(hOwner, "Set Mirrowick Options", 536, 501))
        return false;
    HWND hWnd = Handle();
    const RECT rcLogo = look::ScaleRect(19, 48, 487, 90);
    bool bOk = pLogo.Create(hWnd, rcLogo.left, rcLogo.top, rcLogo.right - rcLogo.left,
                            rcLogo.bottom - rcLogo.top, look::kWhite, CxPanel::Edge::Raised);
    bOk = bOk &&
          CreateLayout(pLogo.Handle(), {
                                           {&imgLogo, CxKind::Picture, "", 10, 8, 75, 73},
                                           {&lblName, CxKind::Label, "Mirrowick", 100, 30, 300, 30},
                                       });
    lblName.SetFont(look::HeaderFont());
    lblName.SetTextColor(look::kHeaderBlue);

    bOk = bOk && CreateLayout(hWnd, {
                                        {&lblText, CxKind::Label,
                                         "You may customize the duplicate criteria here, "
                                         "Mirrowick will check the data fields below:",
                                         19, 170},
                                        {&pMain, CxKind::Tab, "", 24, 199, 481, 230},
                                    });
    for (const char* szTab : {"Contacts", "Calendar", "Task", "Notebook"})
        pMain.AddTab(szTab);

    // One page per tab; the boxes' positions are inside it.
    for (CxPanel* pPage : {&tAddr, &tDate, &tTask, &tNote})
        bOk = bOk && pMain.CreatePage(*pPage);
    bOk = bOk && CreateLayout(tAddr.Handle(),
                              {
                                  {&cbAddrDisplayName, CxKind::Check, "Display Name", 20, 24},
                                  {&cbAddrEmail, CxKind::Check, "Email", 20, 64},
                                  {&cbAddrPhone, CxKind::Check, "Phone", 20, 104},
                                  {&cbAddrAddr, CxKind::Check, "Address", 20, 144},
                                  {&cbAddrCompany, CxKind::Check, "Company Name", 160, 24},
                                  {&cbAddrTitle, CxKind::Check, "Job Title", 160, 64},
                                  {&cbAddrIM, CxKind::Check, "Instant Messaging", 160, 104},
                                  {&cbAddrWebSite, CxKind::Check, "Web Site", 160, 144},
                                  {&cbAddrDate, CxKind::Check, "Date", 300, 24},
                                  {&cbAddrNote, CxKind::Check, "Notes", 300, 64},
                              });
    bOk = bOk && CreateLayout(tDate.Handle(),
                              {
                                  {&cbDateSubject, CxKind::Check, "Subject", 20, 25},
                                  {&cbDateStartTime, CxKind::Check, "Start Time", 20, 65},
                                  {&cbDateEndTime, CxKind::Check, "End Time", 20, 105},
                                  {&cbDateAllDayEvent, CxKind::Check, "All Day Event", 20, 145},
                                  {&cbDateLocation, CxKind::Check, "Location", 160, 25},
                                  {&cbDateNote, CxKind::Check, "Notes", 160, 65},
                              });
    bOk = bOk &&
          CreateLayout(tTask.Handle(), {
                                           {&cbTaskSubject, CxKind::Check, "Subject", 20, 25},
                                           {&cbTaskImportance, CxKind::Check, "Importance", 20, 65},
                                           {&cbTaskDueDate, CxKind::Check, "Due Date", 20, 105},
                                           {&cbTaskNote, CxKind::Check, "Notes", 20, 145},
                                       });
    bOk =
        bOk && CreateLayout(tNote.Handle(), {
                                                {&cbNoteSubject, CxKind::Check, "Subject", 20, 19},
                                                {&cbNoteNote, CxKind::Check, "Notes", 20, 59},
                                            });
    bOk = bOk && CreateLayout(hWnd, {
                                        {&btnOK, CxKind::DefButton, "&OK", 328, 452, 80, 27},
                                        {&btnCancel, CxKind::Button, "&Cancel", 432, 452, 80, 27},
                                    });
    btnOK.onClick = [this] { btnOKClick(); };
    btnCancel.onClick = [this] { EndModal(IDCANCEL); };
    pMain.onSelChange = [this](int nTab) { pMainChange(nTab); };
    pMain.Select(0);
    return bOk;
}

bool TfmDupOption::UpdateOptions(bool bSave) {
    AppSettings& s = Settings();
    for (const Binding& b : kBindings) {
        CxCheckBox& box = this->*b.pBox;
        if (bSave)
            s.*b.pSetting = box.IsChecked();
        else
            box.SetCheck(s.*b.pSetting);
    }
    return true;
}

void TfmDupOption::btnOKClick() {
    UpdateOptions(true);
    EndModal(IDOK);
}

void TfmDupOption::pMainChange(int nTab) {
    CxPanel* apPages[] = {&tAddr, &tDate, &tTask, &tNote};
    for (int i = 0; i < 4; ++i)
        apPages[i]->Show(i == nTab);
}
