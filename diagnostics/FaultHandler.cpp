#include "FaultHandler.h"

#include "Dump.h"

#include "common/misc/CxDebugUtil.h"
#include "ui/CxModal.h"

#include <cstdio>
#include <cstring>
#include <exception>

// How it works. A vectored handler sees a fault before anything else: a hardware fault inside
// the program's own code is always a bug that nothing of ours handles (there is no SEH handler
// in it), but the system would swallow some of them (in WM_CREATE, in a timer callback), so it
// is reported at once; a stack overflow is reported wherever it happens. A fault elsewhere (in a
// system library) reaches the unhandled-exception filter if nothing handles it. Both hand the
// fault to the reporting thread and wait there; that thread writes the log line without using
// the heap or the C runtime's streams, shows the exception dialog and ends the process.

namespace {

enum class Kind { Fault, Terminate };

struct Report {
    Kind kind;
    EXCEPTION_RECORD record;
    DWORD nThreadId;
    UINT nExitCode;
    char szWhat[512];
};

// Written by the failing thread before it signals, read by the reporting thread after.
Report g_report;
volatile LONG g_nClaimed = 0;
HANDLE g_hReport = nullptr; // the failing thread -> the reporting thread
HANDLE g_hShown = nullptr;  // the reporting thread -> the failing thread: the log is written
HANDLE g_hReporter = nullptr;
DWORD g_nReporterId = 0;
LPTOP_LEVEL_EXCEPTION_FILTER g_pPreviousFilter = nullptr;

// Where the program's image lies, and its file name, taken at installation.
ULONG_PTR g_nImageBase = 0;
ULONG_PTR g_nImageEnd = 0;
char g_szImageName[64] = "";

// A failing thread waits this long for the log line and the dialog before the process is ended
// without them (the reporting thread may be stuck on a lock the failing thread holds).
const DWORD kShowTimeout = 30000;

void CaptureImage() {
    if (g_nImageBase != 0)
        return;
    auto* pBase = reinterpret_cast<const unsigned char*>(GetModuleHandleA(nullptr));
    auto* pDos = reinterpret_cast<const IMAGE_DOS_HEADER*>(pBase);
    auto* pNt = reinterpret_cast<const IMAGE_NT_HEADERS*>(pBase + pDos->e_lfanew);
    g_nImageBase = reinterpret_cast<ULONG_PTR>(pBase);
    g_nImageEnd = g_nImageBase + pNt->OptionalHeader.SizeOfImage;
    char szPath[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, szPath, sizeof szPath);
    const char* pName = strrchr(szPath, '\\');
    snprintf(g_szImageName, sizeof g_szImageName, "%s", pName != nullptr ? pName + 1 : szPath);
}

bool InProgram(const void* pAddress) {
    auto n = reinterpret_cast<ULONG_PTR>(pAddress);
    return n >= g_nImageBase && n < g_nImageEnd;
}

struct CodeName {
    DWORD nCode;
    const char* szName;
    bool bHardware; // raised by the processor for the instruction that faulted
};
const CodeName kCodes[] = {
    {EXCEPTION_ACCESS_VIOLATION, "access violation", true},
    {EXCEPTION_STACK_OVERFLOW, "stack overflow", true},
    {EXCEPTION_ILLEGAL_INSTRUCTION, "illegal instruction", true},
    {EXCEPTION_PRIV_INSTRUCTION, "privileged instruction", true},
    {EXCEPTION_INT_DIVIDE_BY_ZERO, "integer division by zero", true},
    {EXCEPTION_INT_OVERFLOW, "integer overflow", true},
    {EXCEPTION_ARRAY_BOUNDS_EXCEEDED, "array bounds exceeded", true},
    {EXCEPTION_DATATYPE_MISALIGNMENT, "misaligned data", true},
    {EXCEPTION_IN_PAGE_ERROR, "in-page error", true},
    {EXCEPTION_FLT_DIVIDE_BY_ZERO, "floating-point division by zero", true},
    {EXCEPTION_FLT_INVALID_OPERATION, "invalid floating-point operation", true},
    {EXCEPTION_FLT_OVERFLOW, "floating-point overflow", true},
    {EXCEPTION_FLT_UNDERFLOW, "floating-point underflow", true},
    {EXCEPTION_FLT_STACK_CHECK, "floating-point stack check", true},
    {EXCEPTION_FLT_INEXACT_RESULT, "inexact floating-point result", true},
    {EXCEPTION_FLT_DENORMAL_OPERAND, "denormal floating-point operand", true},
    {EXCEPTION_NONCONTINUABLE_EXCEPTION, "noncontinuable exception", false},
    {EXCEPTION_INVALID_DISPOSITION, "invalid disposition", false},
    {0xC0000374, "heap corruption", false},
};

const CodeName* FindCode(DWORD nCode) {
    for (const CodeName& c : kCodes)
        if (c.nCode == nCode)
            return &c;
    return nullptr;
}

// The C++ runtime raises its own exceptions with these codes; one that reaches the filter was
// thrown and not caught, and the runtime goes on to std::terminate when it is continued.
bool IsCxxException(DWORD nCode) {
    return (nCode & 0x20FFFFFF) == 0x20474343;
}

void WriteLogLine(const char* szMessage, DWORD nThreadId) {
    CxSystemTime now;
    GetLocalTime(reinterpret_cast<SYSTEMTIME*>(&now));
    char szLine[1600];
    size_t nLen = FormatLogLineTo(szLine, sizeof szLine - 2, now, CX_SOURCE_NAME, __LINE__,
                                  nThreadId, 0, szMessage);
    szLine[nLen++] = '\r';
    szLine[nLen++] = '\n';
    const CxDebugUtil& log = CxDebugUtil::Instance();
    char szPath[600];
    snprintf(szPath, sizeof szPath, "%s%s", log.GetFolder(), log.GetFileName());
    HANDLE hFile = CreateFileA(szPath, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                               nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return;
    DWORD nWritten = 0;
    WriteFile(hFile, szLine, static_cast<DWORD>(nLen), &nWritten, nullptr);
    CloseHandle(hFile);
}

DWORD WINAPI ReporterThread(LPVOID) {
    WaitForSingleObject(g_hReport, INFINITE);
    char szMessage[1024];
    if (g_report.kind == Kind::Fault)
        DescribeFault(szMessage, sizeof szMessage, g_report.record);
    else
        snprintf(szMessage, sizeof szMessage, "%s", g_report.szWhat);
    WriteLogLine(szMessage, g_report.nThreadId);
    // Not owned by the main window: its thread may be the one that failed, and it no longer
    // answers.
    TfmDump fmDump(nullptr);
    fmDump.SetFatal(true);
    const bool bCreated = fmDump.Create(nullptr);
    SetEvent(g_hShown);
    if (bCreated)
        ModalUi().RunModal(nullptr, fmDump);
    TerminateProcess(GetCurrentProcess(), g_report.nExitCode);
    return 0;
}

// Hands the failure to the reporting thread and waits for it to end the process.
LONG ReportAndEnd(Kind kind, const EXCEPTION_RECORD* pRecord, const char* szWhat, UINT nExitCode) {
    if (InterlockedCompareExchange(&g_nClaimed, 1, 0) != 0) {
        // A second failure while the first is being reported: the reporting thread's own ends
        // the process at once, any other waits for the report to end it.
        if (GetCurrentThreadId() == g_nReporterId)
            TerminateProcess(GetCurrentProcess(), nExitCode);
        Sleep(INFINITE);
    }
    g_report.kind = kind;
    if (pRecord != nullptr)
        g_report.record = *pRecord;
    g_report.nThreadId = GetCurrentThreadId();
    g_report.nExitCode = nExitCode;
    snprintf(g_report.szWhat, sizeof g_report.szWhat, "%s", szWhat != nullptr ? szWhat : "");
    SetEvent(g_hReport);
    if (WaitForSingleObject(g_hShown, kShowTimeout) != WAIT_OBJECT_0)
        TerminateProcess(GetCurrentProcess(), nExitCode);
    WaitForSingleObject(g_hReporter, INFINITE);
    TerminateProcess(GetCurrentProcess(), nExitCode);
    return EXCEPTION_EXECUTE_HANDLER;
}

LONG CALLBACK FirstChanceHandler(EXCEPTION_POINTERS* pInfo) {
    const EXCEPTION_RECORD* pRecord = pInfo->ExceptionRecord;
    const CodeName* pCode = FindCode(pRecord->ExceptionCode);
    if (pCode == nullptr || !pCode->bHardware)
        return EXCEPTION_CONTINUE_SEARCH;
    if (pRecord->ExceptionCode != EXCEPTION_STACK_OVERFLOW && !InProgram(pRecord->ExceptionAddress))
        return EXCEPTION_CONTINUE_SEARCH;
    return ReportAndEnd(Kind::Fault, pRecord, nullptr, pRecord->ExceptionCode);
}

LONG WINAPI UnhandledFilter(EXCEPTION_POINTERS* pInfo) {
    const EXCEPTION_RECORD* pRecord = pInfo->ExceptionRecord;
    if (IsCxxException(pRecord->ExceptionCode))
        return g_pPreviousFilter != nullptr ? g_pPreviousFilter(pInfo)
                                            : EXCEPTION_CONTINUE_EXECUTION;
    return ReportAndEnd(Kind::Fault, pRecord, nullptr, pRecord->ExceptionCode);
}

void OnTerminate() {
    char szWhat[512] = "The program was ended: std::terminate was called.";
    if (std::exception_ptr pException = std::current_exception()) {
        try {
            std::rethrow_exception(pException);
        } catch (const std::exception& e) {
            snprintf(szWhat, sizeof szWhat, "The program was ended by an uncaught exception: %s",
                     e.what());
        } catch (...) {
            snprintf(szWhat, sizeof szWhat,
                     "The program was ended by an uncaught exception (not an exception object)");
        }
    }
    ReportAndEnd(Kind::Terminate, nullptr, szWhat, 3);
}

} // namespace

size_t DescribeFault(char* szBuf, size_t nCapacity, const EXCEPTION_RECORD& record) {
    if (szBuf == nullptr || nCapacity == 0)
        return 0;
    CaptureImage();
    const CodeName* pCode = FindCode(record.ExceptionCode);
    const void* pAddress = record.ExceptionAddress;
    char szWhere[128] = "";
    if (InProgram(pAddress))
        snprintf(
            szWhere, sizeof szWhere, " (%s+0x%llX)", g_szImageName,
            static_cast<unsigned long long>(reinterpret_cast<ULONG_PTR>(pAddress) - g_nImageBase));
    char szAccess[96] = "";
    if ((record.ExceptionCode == EXCEPTION_ACCESS_VIOLATION ||
         record.ExceptionCode == EXCEPTION_IN_PAGE_ERROR) &&
        record.NumberParameters >= 2) {
        const ULONG_PTR nKind = record.ExceptionInformation[0];
        const char* szKind = nKind == 0 ? "reading" : (nKind == 1 ? "writing" : "executing");
        snprintf(szAccess, sizeof szAccess, ", %s 0x%016llX", szKind,
                 static_cast<unsigned long long>(record.ExceptionInformation[1]));
    }
    int n = snprintf(szBuf, nCapacity, "Fault 0x%08lX (%s) at 0x%016llX%s%s",
                     static_cast<unsigned long>(record.ExceptionCode),
                     pCode != nullptr ? pCode->szName : "exception",
                     static_cast<unsigned long long>(reinterpret_cast<ULONG_PTR>(pAddress)),
                     szWhere, szAccess);
    if (n < 0) {
        szBuf[0] = '\0';
        return 0;
    }
    return static_cast<size_t>(n) < nCapacity ? static_cast<size_t>(n) : nCapacity - 1;
}

bool InstallFaultHandler() {
    if (g_hReporter != nullptr)
        return true;
    CaptureImage();
    g_hReport = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    g_hShown = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    if (g_hReport == nullptr || g_hShown == nullptr) {
        CXLOG(0, "The fault handler's events could not be made: %lu", GetLastError());
        return false;
    }
    g_hReporter = CreateThread(nullptr, 0, ReporterThread, nullptr, 0, &g_nReporterId);
    if (g_hReporter == nullptr) {
        CXLOG(0, "The fault handler's thread could not be started: %lu", GetLastError());
        return false;
    }
    // Windows keeps this much stack for the handlers when this thread overflows its stack
    // (Wine accepts the call and raises the overflow at the same depth all the same).
    ULONG nGuarantee = 32 * 1024;
    SetThreadStackGuarantee(&nGuarantee);
    AddVectoredExceptionHandler(1, FirstChanceHandler);
    g_pPreviousFilter = SetUnhandledExceptionFilter(UnhandledFilter);
    std::set_terminate(OnTerminate);
    return true;
}
