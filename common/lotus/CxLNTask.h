// The task store: every task of the mail database, loaded through "Pellora.NotesTask.exe" and
// "LNTask.dat".
#pragma once

#include "CxLNStore.h"

class CxLNTaskUtil : public CxLNStore<LNTaskRecord> {
public:
    CxLNTaskUtil();
};
