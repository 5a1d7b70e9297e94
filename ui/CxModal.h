// Everything modal that the program opens goes through one interface: message boxes, the
// open-file dialog and modal windows of ours (options dialog, detail viewers, exception
// dialog). The program uses the real dialogs; a test installs its own implementation that
// reads the texts and gives the answers.
#pragma once

#include "CxWindow.h"

#include <string>
#include <utility>
#include <vector>

// A window of ours that runs modally: a fixed-size dialog frame, centred on the screen, with
// OK (Enter) and Cancel (Esc, the title bar's close button) ending it.
class CxModalWindow : public CxWindow {
public:
    // Creates the window hidden with its controls; true when it exists afterwards.
    virtual bool Create(HWND hOwner) = 0;
    // The window's caption, as a message box's is read.
    std::string Caption() const;

    void EndModal(int nResult);
    bool IsEnded() const { return m_bEnded; }
    int Result() const { return m_nResult; }
    // Makes the window ready for another run.
    void ResetModal();

protected:
    // Creates the frame: client area w x h (96-dpi pixels), centred on the screen.
    bool CreateFrame(HWND hOwner, const char* szCaption, int w, int h);
    LRESULT HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) override;
    // Enter and Esc; the defaults end the run with IDOK and IDCANCEL.
    virtual void OnOK() { EndModal(IDOK); }
    virtual void OnCancel() { EndModal(IDCANCEL); }

private:
    bool m_bEnded = false;
    int m_nResult = IDCANCEL;
};

struct CxOpenFileRequest {
    // Pairs of description and pattern, the first one selected.
    std::vector<std::pair<std::string, std::string>> filters;
    std::string startName;
    // The longest name the caller takes.
    size_t nMaxChars = 259;
};

class CxModalUi {
public:
    virtual ~CxModalUi() = default;
    // A message box (MB_* flags); returns the button pressed (IDOK, IDYES, ...). Not named
    // MessageBox: <windows.h> makes that name MessageBoxA.
    virtual int ShowMessageBox(HWND hOwner, const char* szText, const char* szCaption,
                               UINT uType) = 0;
    // The open-file dialog; true and the chosen path when the user confirmed.
    virtual bool OpenFileName(HWND hOwner, const CxOpenFileRequest& request, std::string& path) = 0;
    // Runs a modal window until it ends and destroys it; returns its result (IDOK, IDCANCEL).
    // The window is created first if the caller has not done so.
    virtual int RunModal(HWND hOwner, CxModalWindow& window) = 0;
};

// The interface in use: the real dialogs unless a test has installed its own.
CxModalUi& ModalUi();
// Installs an implementation (none: the real dialogs again).
void SetModalUi(CxModalUi* pUi);
