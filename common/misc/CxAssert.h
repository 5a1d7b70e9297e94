// Soft assertions for internal invariants: a failed condition is written to the debug log at
// level 0 with its source file and line, and the program goes on.
#pragma once

void CxAssertFailed(const char* szExpr, const char* szFile, int nLine);

#ifdef __FILE_NAME__
#define CX_SOURCE_NAME __FILE_NAME__
#else
#define CX_SOURCE_NAME __FILE__
#endif

#define CX_ASSERT(cond)                                                                            \
    do {                                                                                           \
        if (!(cond))                                                                               \
            CxAssertFailed(#cond, CX_SOURCE_NAME, __LINE__);                                       \
    } while (0)
