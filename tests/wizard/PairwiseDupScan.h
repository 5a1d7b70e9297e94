// The straightforward duplicate search that FindDups must agree with: every record that is not
// yet marked opens a group, and every record after it in the store is compared with it. Kept as
// the reference for the tests and the benchmark; it makes n(n-1)/2 comparisons and seeks the
// index linearly twice per group.
#pragma once

#include "common/lotus/LNRecords.h"
#include "common/misc/CxList.h"
#include "wizard/DupMatch.h"

template <typename TRecord>
bool PairwiseFindDups(CommMgr<TRecord>* pIndex, CxList* pList,
                      bool (*pfnIsDup)(const TRecord*, const TRecord*)) {
    if (pIndex == nullptr || pList == nullptr)
        return false;
    pList->Clear();
    for (TRecord* p = WalkFirst(pIndex); p != nullptr; p = WalkNext(pIndex))
        p->Flags &= ~kFlagDuplicate;
    for (TRecord* pFirst = WalkFirst(pIndex); pFirst != nullptr; pFirst = WalkNext(pIndex)) {
        if ((pFirst->Flags & kFlagDuplicate) != 0)
            continue;
        WalkSeek(pIndex, pFirst);
        for (TRecord* q = WalkNext(pIndex); q != nullptr; q = WalkNext(pIndex)) {
            if (pfnIsDup(pFirst, q)) {
                q->Flags |= kFlagDuplicate;
                pList->Append(q);
            }
        }
        WalkSeek(pIndex, pFirst);
    }
    return true;
}
