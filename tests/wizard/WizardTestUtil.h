// What the window tests of the wizard share: a hidden frame to put a page into, a host that
// records what pages ask of the main window, registry values set for one test, settings reset
// to their defaults, and the file of the working folder put back afterwards.
#pragma once

#include "wizard/AppSettings.h"
#include "wizard/Apputil.h"
#include "wizard/WizardPage.h"

#include "common/misc/CxIniUtil.h"
#include "ui/CxControls.h"
#include "ui/CxWindow.h"

#include "TestUtil.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace wizardtest {

// A hidden top-level window with the client size of the main window's page panel.
class TestFrame : public CxWindow {
public:
    bool Create() {
        RECT rc = {0, 0, 794, 397};
        AdjustWindowRectEx(&rc, WS_OVERLAPPED | WS_CAPTION, FALSE, 0);
        return CreateWindowOf(RegisterClass("MwTestFrame"), WS_EX_CONTROLPARENT, "Test frame",
                              WS_OVERLAPPED | WS_CAPTION, 0, 0, rc.right - rc.left,
                              rc.bottom - rc.top, nullptr);
    }
};

class FakeHost : public IWizardHost {
public:
    std::vector<int> steps;
    std::vector<std::string> hints;
    int nLoads = 0;
    std::function<bool()> onLoad = [] { return true; };
    std::string loadError;
    HWND hMain = nullptr;

    void ShowStep(int n) override { steps.push_back(n); }
    void SetStepHint(const char* szText) override { hints.push_back(szText); }
    bool LoadNotesData() override {
        ++nLoads;
        return onLoad();
    }
    std::string LastLoadError() const override { return loadError; }
    HWND MainWindow() const override { return hMain; }
};

// Sets (or, with no value, removes) a registry value for one test and puts back what was
// there before: the old value, or no value, and no key that the test made.
class RegistryValue {
public:
    RegistryValue(HKEY hRoot, const char* szKey, const char* szName,
                  std::optional<std::string> value)
        : m_hRoot(hRoot), m_key(szKey), m_name(szName) {
        // The outermost key of the path that does not exist yet goes again at the end.
        std::string path;
        for (size_t pos = 0; pos != std::string::npos;) {
            size_t next = m_key.find('\\', pos);
            path = m_key.substr(0, next);
            HKEY h;
            if (RegOpenKeyExA(hRoot, path.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS) {
                m_made = path;
                break;
            }
            RegCloseKey(h);
            pos = next == std::string::npos ? next : next + 1;
        }
        HKEY h;
        if (m_made.empty() && RegOpenKeyExA(hRoot, szKey, 0, KEY_READ, &h) == ERROR_SUCCESS) {
            char sz[1024];
            DWORD cb = sizeof sz, type = 0;
            if (RegQueryValueExA(h, szName, nullptr, &type, reinterpret_cast<BYTE*>(sz), &cb) ==
                ERROR_SUCCESS)
                m_old = std::string(sz, strnlen(sz, cb));
            RegCloseKey(h);
        }
        Set(value);
    }
    ~RegistryValue() {
        if (!m_made.empty())
            RegDeleteTreeA(m_hRoot, m_made.c_str());
        else
            Set(m_old);
    }
    RegistryValue(const RegistryValue&) = delete;
    RegistryValue& operator=(const RegistryValue&) = delete;

private:
    void Set(const std::optional<std::string>& value) {
        HKEY h;
        if (RegCreateKeyExA(m_hRoot, m_key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &h,
                            nullptr) != ERROR_SUCCESS)
            return;
        if (value)
            RegSetValueExA(h, m_name.c_str(), 0, REG_SZ,
                           reinterpret_cast<const BYTE*>(value->c_str()),
                           static_cast<DWORD>(value->size() + 1));
        else
            RegDeleteValueA(h, m_name.c_str());
        RegCloseKey(h);
    }
    HKEY m_hRoot;
    std::string m_key, m_name, m_made;
    std::optional<std::string> m_old;
};

inline const char* NotesKey() {
    return "SOFTWARE\\Lotus\\Notes";
}
inline const char* InstallerKey() {
    return "SOFTWARE\\Lotus\\Notes\\Installer";
}

// Every setting at its default, as with no settings file.
inline void DefaultSettings() {
    testutil::TempDir dir;
    CxIniUtil ini(dir.Folder().c_str(), "pellora.ini");
    LoadSettings(ini, Settings());
}

// The working folder's settings file as the test wants it; put back afterwards.
class WorkFolderSettings {
public:
    explicit WorkFolderSettings(const std::string& body) {
        char sz[260];
        EXPECT_TRUE(GetWorkFolder(sz, sizeof sz));
        m_folder = sz;
        m_path = m_folder + "pellora.ini";
        m_bExisted = GetFileAttributesA(m_path.c_str()) != INVALID_FILE_ATTRIBUTES;
        if (m_bExisted)
            m_old = testutil::ReadText(m_path);
        if (body.empty())
            DeleteFileA(m_path.c_str());
        else
            testutil::WriteText(m_path, "[Mirrowick]\r\n" + body);
    }
    ~WorkFolderSettings() {
        if (m_bExisted)
            testutil::WriteText(m_path, m_old);
        else
            DeleteFileA(m_path.c_str());
    }
    const std::string& Folder() const { return m_folder; }
    const std::string& Path() const { return m_path; }
    std::string Value(const char* szKey) const {
        char sz[512];
        GetPrivateProfileStringA("Mirrowick", szKey, "<missing>", sz, sizeof sz, m_path.c_str());
        return sz;
    }

private:
    std::string m_folder, m_path, m_old;
    bool m_bExisted = false;
};

// Clicks a control as a user would (nothing happens when it is disabled).
inline void Click(CxButton& button) {
    ASSERT_TRUE(button.IsEnabled()) << button.GetText();
    button.Click();
}

} // namespace wizardtest
