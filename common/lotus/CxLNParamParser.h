// The parameter file that tells a helper program what to do: numbered, typed entries (the type
// codes are those of OLE Automation variants), written by the wizard before every helper run and
// read by the helpers.
#pragma once

#include "../misc/CxList.h"

#include <cstdint>
#include <string>

// Type codes of the entries.
enum : int32_t {
    kParamInt = 3,   // 32-bit integer
    kParamReal = 5,  // 8-byte double
    kParamText = 8,  // text, ANSI in the file
    kParamBool = 11, // truth value
};

// Ids of the entries the stores write.
enum : int32_t {
    kParamServerName = 1000,
    kParamUserName = 1001,
    kParamPassword = 1002,
    kParamDataFile = 1003,
    kParamWorkFolder = 1004,
    kParamOperation = 1005,
    kParamErrorFile = 1006,
    kParamStatusFile = 1007,
    kParamDatabase = 1008,
    kParamAddrFile = 1009,
    kParamLogFolder = 1010,
    kParamLogFile = 1011,
    kParamLogLevel = 1012,
    kParamLogEnabled = 1013,
    kParamIDFile = 1014,
};

struct LNParam {
    int32_t nId = 0;
    int32_t nType = 0;
    int32_t nInt = 0;
    double dReal = 0.0;
    std::u16string Text; // at most 1023 units
    uint16_t nBool = 0;  // non-zero is true
};

class CxLNParamParser {
public:
    explicit CxLNParamParser(const char* szPath = nullptr);
    virtual ~CxLNParamParser();
    CxLNParamParser(const CxLNParamParser&) = delete;
    CxLNParamParser& operator=(const CxLNParamParser&) = delete;

    // Adds an entry, or replaces the value of the entry with this id and type. False for a null
    // value and for an id that exists with another type.
    bool AddParam(int32_t nId, int32_t nType, const void* pValue);
    // The first entry with the id, or none.
    const LNParam* FindParam(int32_t nId) const;
    uint32_t Count() const { return m_Entries.Count(); }

    // Writes the file (a given, non-empty path replaces the kept one). False when it cannot be
    // created or a write failed.
    bool SaveToFile(const char* szPath = nullptr);

    // Reads a parameter file, replacing the entries. Every count and length is checked against
    // the bytes really there: a damaged file gives false, no entries, and a message in pError.
    bool LoadFromFile(const char* szPath, std::string* pError = nullptr);

    // A text entry in the ANSI code page; empty when the entry is missing or not a text.
    std::string GetText(int32_t nId) const;

    void Clear();

private:
    char m_szPath[260];
    // The list's cursor moves on every walk, FindParam's too.
    mutable CxList m_Entries;
};
