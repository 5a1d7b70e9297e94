#include "Lnsource.h"

#include "AppSettings.h"
#include "Dupoption.h"

#include "ui/CxLayout.h"
#include "ui/CxModal.h"

bool TfmLNSource::CreateControls() {
    // The radio buttons and the button sit inside the group box (59, 93).
    const int gx = 59, gy = 93;
    bool bOk = CreateLayout(Handle(),
                            {
                                {&suiGroupBox1, CxKind::Group,
                                 " Choose Applications to Check Duplicates ", gx, gy, 654, 142},
                                {&rbtnAddr, CxKind::RadioFirst, "Contacts", gx + 32, gy + 40},
                                {&rbtnDate, CxKind::Radio, "Calendar", gx + 176, gy + 41},
                                {&rbtnTask, CxKind::Radio, "Tasks", gx + 328, gy + 41},
                                {&rbtnNote, CxKind::Radio, "Notebook", gx + 472, gy + 42},
                                {&btnOption, CxKind::Button, "Customize Duplicate Checking Rules",
                                 gx + 35, gy + 87, 260, 27},
                            });
    btnOption.onClick = [this] { btnOptionClick(); };
    return bOk;
}

bool TfmLNSource::UpdatePage(bool bLeave) {
    AppSettings& s = Settings();
    CxRadioButton* apButtons[] = {&rbtnAddr, &rbtnDate, &rbtnTask, &rbtnNote};
    const int32_t anFlags[] = {kAppAddr, kAppDate, kAppTask, kAppNote};
    if (!bLeave) {
        int nSelected = 0;
        for (int i = 0; i < 4; ++i)
            if (s.AppFlag == anFlags[i])
                nSelected = i;
        for (int i = 0; i < 4; ++i)
            apButtons[i]->SetCheck(i == nSelected);
        return true;
    }
    for (int i = 0; i < 4; ++i) {
        if (apButtons[i]->IsChecked()) {
            s.AppFlag = anFlags[i];
            return true;
        }
    }
    return false;
}

void TfmLNSource::btnOptionClick() {
    // OK has stored the boxes already; the result is not needed here.
    TfmDupOption dlg;
    HWND hOwner = GetAncestor(Handle(), GA_ROOT);
    if (!dlg.Create(hOwner))
        return;
    dlg.UpdateOptions(false);
    ModalUi().RunModal(hOwner, dlg);
}
