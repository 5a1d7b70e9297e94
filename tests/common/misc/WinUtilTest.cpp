#include "common/misc/WinUtil.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Sets a registry text value for one test and puts the key back as it was afterwards.
class RegistryValue {
public:
    RegistryValue(HKEY root, const char* key, const char* name, const char* value)
        : m_root(root), m_key(key) {
        HKEY probe;
        m_bExisted = RegOpenKeyExA(root, key, 0, KEY_READ, &probe) == ERROR_SUCCESS;
        if (m_bExisted)
            RegCloseKey(probe);
        HKEY h;
        EXPECT_EQ(RegCreateKeyExA(root, key, 0, nullptr, 0, KEY_WRITE, nullptr, &h, nullptr),
                  ERROR_SUCCESS);
        RegSetValueExA(h, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                       (DWORD)strlen(value) + 1);
        RegCloseKey(h);
    }
    ~RegistryValue() {
        if (!m_bExisted)
            RegDeleteKeyA(m_root, m_key.c_str());
    }

private:
    HKEY m_root;
    std::string m_key;
    bool m_bExisted = false;
};

const char kNotesKey[] = "SOFTWARE\\Lotus\\Notes";
const char kInstallerKey[] = "SOFTWARE\\Lotus\\Notes\\Installer";

TEST(WinUtil, ProgramFolderEndsInBackslash) {
    char szBuf[MAX_PATH] = "";
    EXPECT_EQ(GetProgramFolder(nullptr, szBuf), 1);
    std::string folder = szBuf;
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), '\\');
    EXPECT_EQ(folder[1], ':');
    char szModule[MAX_PATH];
    GetModuleFileNameA(nullptr, szModule, MAX_PATH);
    EXPECT_EQ(std::string(szModule).rfind(folder, 0), 0u);
    EXPECT_EQ(GetProgramFolder(nullptr, nullptr), 0);
}

TEST(WinUtil, NotesPathAsStored) {
    char szBuf[MAX_PATH] = "junk";
    {
        RegistryValue v(HKEY_LOCAL_MACHINE, kNotesKey, "Path", "C:\\Notes\\");
        EXPECT_EQ(ReadNotesPath(szBuf, sizeof szBuf), 1);
        EXPECT_STREQ(szBuf, "C:\\Notes\\");
    }
    {
        RegistryValue v(HKEY_LOCAL_MACHINE, kNotesKey, "Path", "C:\\Notes");
        EXPECT_EQ(ReadNotesPath(szBuf, sizeof szBuf), 1);
        EXPECT_STREQ(szBuf, "C:\\Notes");
        // A value that does not fit is not taken.
        char szSmall[5];
        EXPECT_EQ(ReadNotesPath(szSmall, sizeof szSmall), 0);
        EXPECT_STREQ(szSmall, "");
    }
    EXPECT_EQ(ReadNotesPath(szBuf, sizeof szBuf), 0);
    EXPECT_STREQ(szBuf, "");
    EXPECT_EQ(ReadNotesPath(nullptr, 10), 0);
}

TEST(WinUtil, NotesDataDirGetsItsBackslash) {
    struct Case {
        const char* stored;
        int result;
        const char* read;
    } cases[] = {
        {"C:\\Notes\\Data", 1, "C:\\Notes\\Data\\"},
        {"C:\\Notes\\Data\\", 1, "C:\\Notes\\Data\\"},
        {"", 0, ""},
    };
    for (const Case& c : cases) {
        RegistryValue v(HKEY_CURRENT_USER, kInstallerKey, "DATADIR", c.stored);
        char szBuf[MAX_PATH] = "junk";
        EXPECT_EQ(ReadNotesDataDir(szBuf, sizeof szBuf), c.result) << c.stored;
        EXPECT_STREQ(szBuf, c.read);
    }
    char szBuf[MAX_PATH] = "junk";
    EXPECT_EQ(ReadNotesDataDir(szBuf, sizeof szBuf), 0);
    EXPECT_STREQ(szBuf, "");
}

TEST(WinUtil, NotesDataDirNeverOverflows) {
    // "C:\D" needs 4 characters, the added backslash and the terminator: 6 bytes.
    RegistryValue v(HKEY_CURRENT_USER, kInstallerKey, "DATADIR", "C:\\D");
    char szBuf[8];
    memset(szBuf, '#', sizeof szBuf);
    EXPECT_EQ(ReadNotesDataDir(szBuf, 6), 1);
    EXPECT_STREQ(szBuf, "C:\\D\\");
    EXPECT_EQ(szBuf[6], '#');
    memset(szBuf, '#', sizeof szBuf);
    EXPECT_EQ(ReadNotesDataDir(szBuf, 5), 0);
    EXPECT_STREQ(szBuf, "");
    EXPECT_EQ(szBuf[5], '#');
}

std::vector<std::string> g_opened;

TEST(WinUtil, OpenWithShellHandsOverOnlyRealTargets) {
    g_opened.clear();
    SetShellOpenHook([](const char* target) { g_opened.push_back(target); });
    EXPECT_EQ(OpenWithShell(nullptr), 0);
    EXPECT_EQ(OpenWithShell(""), 0);
    EXPECT_EQ(OpenWithShell("C:\\Program Files\\Mirrowick\\Mirrowick.chm"), 1);
    SetShellOpenHook(nullptr);
    ASSERT_EQ(g_opened.size(), 1u);
    EXPECT_EQ(g_opened[0], "C:\\Program Files\\Mirrowick\\Mirrowick.chm");
}

} // namespace
