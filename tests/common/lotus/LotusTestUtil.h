// Shared pieces of the runner and store tests: a working folder with the probe's instructions,
// and the debug log pointed at a folder of the test's own.
#pragma once

#include "common/misc/CxDebugUtil.h"

#include "TestUtil.h"

#include <windows.h>

#include <sstream>
#include <string>
#include <vector>

namespace lotustest {

// Points the debug log at a temporary folder, enabled at level 3, for the life of the object.
class CapturedLog {
public:
    CapturedLog() {
        CxDebugUtil& log = CxDebugUtil::Instance();
        m_oldFolder = log.GetFolder();
        m_oldLevel = log.GetLevel();
        m_oldEnabled = log.IsEnabled();
        log.SetFolder(m_dir.Folder().c_str());
        log.SetEnabled(true);
        log.SetLevel(3);
    }
    ~CapturedLog() {
        CxDebugUtil& log = CxDebugUtil::Instance();
        log.SetFolder(m_oldFolder.c_str());
        log.SetEnabled(m_oldEnabled);
        log.SetLevel(m_oldLevel);
    }
    // The messages (the text after " - ") in order, each with its tag: "!!!" or "   ".
    std::vector<std::string> Messages() const {
        std::vector<std::string> out;
        std::istringstream in(testutil::ReadText(m_dir.Path("appdebug.log")));
        std::string line;
        while (std::getline(in, line)) {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            size_t tag = line.find("][", line.find("][", line.find("][") + 2) + 2);
            size_t dash = line.find("] - ");
            if (tag == std::string::npos || dash == std::string::npos)
                continue;
            out.push_back(line.substr(tag + 2, 3) + " " + line.substr(dash + 4));
        }
        return out;
    }
    bool Has(const std::string& message) const {
        for (const std::string& m : Messages())
            if (m == message)
                return true;
        return false;
    }

private:
    testutil::TempDir m_dir;
    std::string m_oldFolder;
    int m_oldLevel = 0;
    bool m_oldEnabled = false;
};

// The folder of the running test program, with its backslash.
inline std::string ProgramFolder() {
    char sz[MAX_PATH];
    GetModuleFileNameA(nullptr, sz, MAX_PATH);
    std::string path = sz;
    return path.substr(0, path.rfind('\\') + 1);
}

inline std::string CurrentFolder() {
    char sz[MAX_PATH] = "";
    GetCurrentDirectoryA(MAX_PATH, sz);
    return sz;
}

// Lines of a text file, without their line endings.
inline std::vector<std::string> Lines(const std::string& path) {
    std::vector<std::string> out;
    std::istringstream in(testutil::ReadText(path));
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        out.push_back(line);
    }
    return out;
}

} // namespace lotustest
