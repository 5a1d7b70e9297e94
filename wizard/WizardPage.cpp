#include "WizardPage.h"

bool TfmWizardPage::Create(HWND hClient) {
    RECT rc;
    GetClientRect(hClient, &rc);
    if (!CreateWindowOf(ChildClass(), WS_EX_CONTROLPARENT, "", WS_CHILD | WS_CLIPSIBLINGS, 0, 0,
                        rc.right, rc.bottom, hClient))
        return false;
    return CreateControls();
}
