#include "wizard/Apputil.h"

#include "common/misc/Base64.h"
#include "common/misc/CxIniUtil.h"

#include "TestUtil.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

class SettingsFile : public ::testing::Test {
protected:
    testutil::TempDir dir;
    std::string path = dir.Path("pellora.ini");
    CxIniUtil ini{dir.Folder().c_str(), "pellora.ini"};
    AppSettings s{};

    void Write(const std::string& body) { testutil::WriteText(path, "[Mirrowick]\r\n" + body); }
    std::vector<std::string> KeysInFile() {
        std::istringstream in(testutil::ReadText(path));
        std::vector<std::string> keys;
        std::string line;
        while (std::getline(in, line)) {
            size_t eq = line.find('=');
            if (eq != std::string::npos)
                keys.push_back(line.substr(0, eq));
        }
        return keys;
    }
    std::string Value(const char* key) {
        char sz[512];
        ini.IniReadText("Mirrowick", key, sz, sizeof sz, "<missing>");
        return sz;
    }
};

TEST_F(SettingsFile, DefaultsWithoutAFile) {
    memset(&s, 0x5A, sizeof s);
    LoadSettings(ini, s);
    EXPECT_EQ(s.AppFlag, 1);
    EXPECT_EQ(s.LogLevel, 3);
    EXPECT_FALSE(s.EnableDebug);
    EXPECT_FALSE(s.CaseSensitive);
    EXPECT_TRUE(s.AddrLocal);
    EXPECT_TRUE(s.NoteLocal);
    EXPECT_STREQ(s.AddrFile, "");
    EXPECT_STREQ(s.Password, "");
    // Contacts match on display, first, middle and last name and the e-mail fields.
    EXPECT_TRUE(s.AddrDisplayName && s.AddrFirstName && s.AddrMiddleName && s.AddrLastName &&
                s.AddrEmail);
    EXPECT_FALSE(s.AddrCompanyName || s.AddrDepartment || s.AddrTitle || s.AddrPhone ||
                 s.AddrAddress || s.AddrIM || s.AddrWebSite || s.AddrNote);
    EXPECT_TRUE(s.DateSubject && s.DateStartTime && s.DateEndTime && s.DateAllDayEvent);
    EXPECT_FALSE(s.DateLocation || s.DateRecur || s.DateNote);
    EXPECT_TRUE(s.TaskSubject && s.TaskImportance && s.TaskDueDate);
    EXPECT_FALSE(s.TaskNote);
    EXPECT_TRUE(s.NoteSubject && s.NoteNotes);
}

TEST_F(SettingsFile, FreshFileGetsAll42KeysInOrder) {
    LoadSettings(ini, s);
    SaveSettings(ini, s);
    const std::vector<std::string> expected = {
        "AppFlag",        "CaseSensitive",   "AddrLocal",    "NoteLocal",       "AddrDisplayName",
        "AddrFirstName",  "AddrMiddleName",  "AddrLastName", "AddrCompanyName", "AddrDepartment",
        "AddrTitle",      "AddrEmail",       "AddrPhone",    "AddrAddress",     "AddrIM",
        "AddrWebSite",    "AddrNote",        "DateSubject",  "DateLocation",    "DateStartTime",
        "DateEndTime",    "DateAllDayEvent", "DateRecur",    "DateNote",        "TaskSubject",
        "TaskImportance", "TaskDueDate",     "TaskNote",     "NoteSubject",     "NoteNotes",
        "EnableDebug",    "LogLevel",        "NotesPath",    "ServerName",      "UserName",
        "AddrFile",       "NoteFile",        "MailDBName",   "IDFile",          "HasPassword",
        "SavePassword",   "Password"};
    EXPECT_EQ(KeysInFile(), expected);
    EXPECT_EQ(kSettingsKeyCount, 42);
    for (int i = 0; i < kSettingsKeyCount; ++i)
        EXPECT_EQ(SettingsKeyName(i), expected[(size_t)i]);
    EXPECT_EQ(testutil::ReadText(path).rfind("[Mirrowick]", 0), 0u);
    EXPECT_EQ(Value("AppFlag"), "1");
    EXPECT_EQ(Value("LogLevel"), "3");
    EXPECT_EQ(Value("AddrLocal"), "1");
    EXPECT_EQ(Value("Password"), "");
}

TEST_F(SettingsFile, NumbersAsTheFileHoldsThem) {
    struct Case {
        const char* body;
        int appFlag;
        bool caseSensitive;
        int logLevel;
    } cases[] = {
        {"AppFlag=\r\n", 1, false, 3},
        {"AppFlag=abc\r\n", 0, false, 3},
        {"AppFlag=4\r\nCaseSensitive=2\r\nLogLevel=9\r\n", 4, true, 9},
        {"AppFlag=-3\r\nCaseSensitive=0\r\nLogLevel=\r\n", -3, false, 3},
    };
    for (const Case& c : cases) {
        Write(c.body);
        LoadSettings(ini, s);
        EXPECT_EQ(s.AppFlag, c.appFlag) << c.body;
        EXPECT_EQ(s.CaseSensitive, c.caseSensitive) << c.body;
        EXPECT_EQ(s.LogLevel, c.logLevel) << c.body;
    }
}

TEST_F(SettingsFile, TextsAreCutToTheirFields) {
    std::string longPath(300, 'p');
    Write("AddrFile=" + longPath + "\r\nServerName=" + longPath + "\r\n");
    LoadSettings(ini, s);
    EXPECT_EQ(std::string(s.AddrFile), longPath.substr(0, 255));
    EXPECT_EQ(std::string(s.ServerName), longPath.substr(0, 63));
}

TEST_F(SettingsFile, PasswordIsIgnoredUnlessSaved) {
    Write("SavePassword=0\r\nPassword=c2VjcmV0\r\n");
    LoadSettings(ini, s);
    EXPECT_STREQ(s.Password, "");
    SET_SETTING_TEXT(s.Password, "typed");
    SaveSettings(ini, s);
    EXPECT_EQ(Value("Password"), "");

    Write("SavePassword=1\r\nPassword=c2VjcmV0\r\n");
    LoadSettings(ini, s);
    EXPECT_STREQ(s.Password, "secret");
}

TEST_F(SettingsFile, SavedPasswordEncodings) {
    struct Case {
        std::string password;
        size_t encodedLength;
        bool padded;
    } cases[] = {
        {"a", 4, true},
        {"abc", 4, false},
        {std::string(63, 'z'), 84, false},
    };
    for (const Case& c : cases) {
        LoadSettings(ini, s);
        s.SavePassword = true;
        SET_SETTING_TEXT(s.Password, c.password.c_str());
        SaveSettings(ini, s);
        std::string stored = Value("Password");
        EXPECT_EQ(stored.size(), c.encodedLength);
        EXPECT_EQ(stored.size() >= 2 && stored.substr(stored.size() - 2) == "==", c.padded);
        AppSettings back{};
        LoadSettings(ini, back);
        EXPECT_EQ(back.Password, c.password);
    }
    // A shorter password replaces the longer one entirely.
    SET_SETTING_TEXT(s.Password, "ab");
    SaveSettings(ini, s);
    EXPECT_EQ(Value("Password"), "YWI=");
}

TEST_F(SettingsFile, HandEditedPasswordNeverOverflows) {
    std::string tooLong = Base64Encode(std::string(64, 'x').data(), 64);
    std::string huge = Base64Encode(std::string(190, 'y').data(), 190);
    for (const std::string& bad :
         {std::string("not base64!"), std::string("YWJ"), tooLong, huge, std::string(1000, 'Q')}) {
        Write("SavePassword=1\r\nPassword=" + bad + "\r\n");
        memset(&s, 0x5A, sizeof s);
        LoadSettings(ini, s);
        EXPECT_STREQ(s.Password, "") << bad;
        EXPECT_EQ(s.AppFlag, 1);
    }
}

TEST_F(SettingsFile, RoundTripOfEveryKey) {
    LoadSettings(ini, s);
    s.AppFlag = 8;
    s.CaseSensitive = true;
    s.AddrLocal = false;
    s.AddrIM = true;
    s.DateRecur = true;
    s.NoteNotes = false;
    s.EnableDebug = true;
    s.LogLevel = 1;
    s.HasPassword = true;
    s.SavePassword = true;
    SET_SETTING_TEXT(s.NotesPath, "C:\\Notes\\");
    SET_SETTING_TEXT(s.MailDBName, "PRIMAR1/PELLORA!!mail/test.nsf");
    SET_SETTING_TEXT(s.Password, "p\xE4ss");
    SaveSettings(ini, s);
    AppSettings back{};
    LoadSettings(ini, back);
    EXPECT_EQ(memcmp(&back, &s, sizeof s), 0);
}

TEST(WorkFolder, UnderTheCommonApplicationData) {
    char szFolder[MAX_PATH] = "";
    ASSERT_TRUE(GetWorkFolder(szFolder, sizeof szFolder));
    std::string folder = szFolder;
    const std::string tail = "\\pellora\\Mirrowick\\";
    ASSERT_GE(folder.size(), tail.size());
    EXPECT_EQ(folder.substr(folder.size() - tail.size()), tail);
    EXPECT_NE(GetFileAttributesA(szFolder), INVALID_FILE_ATTRIBUTES);
    EXPECT_FALSE(GetWorkFolder(nullptr));
    char szSmall[8];
    EXPECT_FALSE(GetWorkFolder(szSmall, sizeof szSmall));
}

} // namespace
