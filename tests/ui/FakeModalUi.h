// The tests' stand-in for everything modal: it records each message box, open-file dialog and
// modal window, and answers them as the test says. Installed for its lifetime.
#pragma once

#include "ui/CxModal.h"

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class FakeModalUi : public CxModalUi {
public:
    struct Box {
        HWND hOwner;
        std::string text;
        std::string caption;
        UINT uType;
    };
    struct FileDialog {
        HWND hOwner;
        CxOpenFileRequest request;
    };

    std::vector<Box> boxes;
    std::deque<int> boxAnswers; // IDOK when none is left
    std::vector<FileDialog> fileDialogs;
    std::deque<std::optional<std::string>> fileAnswers; // cancel when none is left
    std::vector<std::string> modalCaptions;
    // Drives a modal window while it "runs": set boxes, click its buttons. The result is the
    // window's own if it ended, else IDCANCEL.
    std::function<void(CxModalWindow&)> onModal;
    // Runs while a message box is "on the screen", e.g. to see where the focus is then.
    std::function<void(const Box&)> onBox;

    FakeModalUi() { SetModalUi(this); }
    ~FakeModalUi() override { SetModalUi(nullptr); }

    int ShowMessageBox(HWND hOwner, const char* szText, const char* szCaption,
                       UINT uType) override {
        boxes.push_back({hOwner, szText != nullptr ? szText : "",
                         szCaption != nullptr ? szCaption : "", uType});
        if (onBox)
            onBox(boxes.back());
        if (boxAnswers.empty())
            return IDOK;
        int n = boxAnswers.front();
        boxAnswers.pop_front();
        return n;
    }

    bool OpenFileName(HWND hOwner, const CxOpenFileRequest& request, std::string& path) override {
        fileDialogs.push_back({hOwner, request});
        if (fileAnswers.empty())
            return false;
        std::optional<std::string> answer = fileAnswers.front();
        fileAnswers.pop_front();
        if (!answer)
            return false;
        path = *answer;
        return true;
    }

    int RunModal(HWND hOwner, CxModalWindow& window) override {
        if (!window.IsCreated() && !window.Create(hOwner))
            return IDCANCEL;
        window.ResetModal();
        modalCaptions.push_back(window.Caption());
        if (onModal)
            onModal(window);
        int nResult = window.IsEnded() ? window.Result() : IDCANCEL;
        window.Destroy();
        return nResult;
    }
};
