// The notebook store: every entry of the notebook database, loaded through
// "Pellora.NotesNote.exe" and "LNNote.dat". It logs only its failures.
#pragma once

#include "CxLNStore.h"

class CxLNNoteUtil : public CxLNStore<LNNoteRecord> {
public:
    CxLNNoteUtil();
};
