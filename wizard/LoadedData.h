// The data of one loading run as the duplicate search, the review page and the cleaning page
// see it: per kind (contacts, calendar, tasks, notebook, in that order) the loaded store's record
// index and the duplicate list. The loading run fills the slots; a null slot means that the
// store, or the list, does not exist.
#pragma once

#include "../common/lotus/LNRecords.h"
#include "../common/misc/CxList.h"

struct LoadedData {
    CommAddrMgr* pAddrIndex = nullptr;
    CommDateMgr* pDateIndex = nullptr;
    CommTaskMgr* pTaskIndex = nullptr;
    CommNoteMgr* pNoteIndex = nullptr;
    // Duplicate lists: 0 contacts, 1 calendar, 2 tasks, 3 notebook. They refer to records of
    // the stores and own nothing.
    CxList* pDupList[4] = {nullptr, nullptr, nullptr, nullptr};
};

// The program's one set of slots.
LoadedData& Loaded();

// The slot number (0 to 3) of a kind given as its bit value (1, 2, 4, 8); -1 for any other.
inline int KindSlot(int nKind) {
    switch (nKind) {
    case 1:
        return 0;
    case 2:
        return 1;
    case 4:
        return 2;
    case 8:
        return 3;
    default:
        return -1;
    }
}
