// The contact store: every contact of the contacts database, loaded through
// "Pellora.NotesAddr.exe" and "LNAddr.dat".
#pragma once

#include "CxLNStore.h"

class CxLNAddrUtil : public CxLNStore<LNAddrRecord> {
public:
    CxLNAddrUtil();
    // The contacts database file, parameter 1009; at most 259 characters, a null text changes
    // nothing.
    void SetAddrFile(const char* szText);
    const char* GetAddrFile() const { return m_szAddrFile; }

protected:
    const char* DatabaseParam() const override { return m_szAddrFile; }

private:
    char m_szAddrFile[260];
};
