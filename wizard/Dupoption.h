// The options dialog: per data type, the fields that must be equal for two records to count as
// duplicates. Created for each opening; OK stores the boxes into the settings, Cancel leaves
// them as they were.
#pragma once

#include "ui/CxControls.h"
#include "ui/CxModal.h"

class TfmDupOption : public CxModalWindow {
public:
    bool Create(HWND hOwner) override;

    // False: every bound box from its setting. True: every bound setting from its box.
    bool UpdateOptions(bool bSave);

    CxPanel pLogo;
    CxPicture imgLogo;
    CxLabel lblName, lblText;
    CxTabControl pMain;
    CxPanel tAddr, tDate, tTask, tNote;
    CxCheckBox cbAddrDisplayName, cbAddrEmail, cbAddrPhone, cbAddrAddr, cbAddrCompany, cbAddrTitle,
        cbAddrIM, cbAddrWebSite, cbAddrDate, cbAddrNote;
    CxCheckBox cbDateSubject, cbDateStartTime, cbDateEndTime, cbDateAllDayEvent, cbDateLocation,
        cbDateNote;
    CxCheckBox cbTaskSubject, cbTaskImportance, cbTaskDueDate, cbTaskNote;
    CxCheckBox cbNoteSubject, cbNoteNote;
    CxButton btnOK, btnCancel;

protected:
    void OnOK() override { btnOKClick(); }
    HWND DefaultButton() const override { return btnOK.Handle(); }

private:
    void btnOKClick();
    void pMainChange(int nTab);
};
