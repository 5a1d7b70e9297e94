// Access to one INI file through the Windows private-profile functions: the settings file and
// the helper programs' status and error files.
#pragma once

#include <cstddef>

class CxIniUtil {
public:
    // The path is szFolder followed by szFile, or the program's folder followed by szFile when
    // szFolder is empty.
    CxIniUtil(const char* szFolder, const char* szFile);
    virtual ~CxIniUtil() = default;

    // Replaces the path; an empty or missing path leaves it as it was.
    void IniSetFile(const char* szPath);
    const char* GetFile() const { return m_szPath; }

    // The value into szBuf (at most nCapacity - 1 characters), or the default when the file,
    // section or key is missing. Returns the number of characters stored.
    int IniReadText(const char* szSection, const char* szKey, char* szBuf, size_t nCapacity,
                    const char* szDefault);
    // The decimal number at the start of the value; the default for a missing or empty value.
    int IniReadInt(const char* szSection, const char* szKey, int nDefault);
    bool IniReadBool(const char* szSection, const char* szKey, bool bDefault);

    bool IniWriteText(const char* szSection, const char* szKey, const char* szValue);
    bool IniWriteInt(const char* szSection, const char* szKey, int nValue);
    bool IniWriteBool(const char* szSection, const char* szKey, bool bValue);

private:
    char m_szPath[260];
};

// The decimal number at the start of a text: leading blanks skipped, an optional sign, the
// digits up to the first other character (none gives 0); beyond the range of an int it stops at
// the nearest bound.
int ParseLeadingInt(const char* szText);
