// The calendar store: every calendar entry of the mail database, loaded through
// "Pellora.NotesDate.exe" and "LNDate.dat".
#pragma once

#include "CxLNStore.h"

class CxLNDateUtil : public CxLNStore<LNDateRecord> {
public:
    CxLNDateUtil();
};
