// Faults that are not C++ exceptions (an access violation, a stack overflow, an illegal
// instruction, ...) and a call of std::terminate end the program, but never without a word: a
// level-0 line with the fault's code and address goes to the debug log, and the exception
// dialog is shown. Both come from a thread kept waiting for this, since a thread that has
// overflowed its stack has no room left to show a window, and a faulting thread may hold locks.
// The program ends with the fault's code (3 after std::terminate) once the dialog is closed.
#pragma once

#include <windows.h>

#include <cstddef>

// Installs the handlers and starts the reporting thread; call once, early, on the
// user-interface thread. False when the thread could not be started: the system's own
// handling stays then.
bool InstallFaultHandler();

// The log line's message for a fault: code and name, the address (with the offset into the
// program when it lies there) and, for an access violation, what was accessed. Cut at the
// capacity, no allocation; returns the characters stored.
size_t DescribeFault(char* szBuf, size_t nCapacity, const EXCEPTION_RECORD& record);
