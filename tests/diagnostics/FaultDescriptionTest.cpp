// The log line's message for a fault: code, name, address, where in the program, what was
// accessed; and its cut at the buffer's end.
#include "diagnostics/FaultHandler.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

EXCEPTION_RECORD Record(DWORD nCode, ULONG_PTR nAddress, std::initializer_list<ULONG_PTR> info) {
    EXCEPTION_RECORD r{};
    r.ExceptionCode = nCode;
    r.ExceptionAddress = reinterpret_cast<void*>(nAddress);
    for (ULONG_PTR n : info)
        r.ExceptionInformation[r.NumberParameters++] = n;
    return r;
}

std::string Hex16(ULONG_PTR n) {
    char sz[32];
    snprintf(sz, sizeof sz, "0x%016llX", static_cast<unsigned long long>(n));
    return sz;
}

TEST(FaultDescription, NamesCodeAddressPlaceAndAccess) {
    const ULONG_PTR nBase = reinterpret_cast<ULONG_PTR>(GetModuleHandleA(nullptr));
    const ULONG_PTR nOutside = 0x7ff000001000ull;
    const struct {
        EXCEPTION_RECORD record;
        std::string text;
    } cases[] = {
        {Record(EXCEPTION_ACCESS_VIOLATION, nBase + 0x1a2b, {1, 0}),
         "Fault 0xC0000005 (access violation) at " + Hex16(nBase + 0x1a2b) +
             " (diag_tests.exe+0x1A2B), writing 0x0000000000000000"},
        {Record(EXCEPTION_ACCESS_VIOLATION, nOutside, {0, 16}),
         "Fault 0xC0000005 (access violation) at " + Hex16(nOutside) +
             ", reading 0x0000000000000010"},
        {Record(EXCEPTION_ACCESS_VIOLATION, nOutside, {8, nOutside}),
         "Fault 0xC0000005 (access violation) at " + Hex16(nOutside) + ", executing " +
             Hex16(nOutside)},
        {Record(EXCEPTION_STACK_OVERFLOW, nBase + 0x10, {}),
         "Fault 0xC00000FD (stack overflow) at " + Hex16(nBase + 0x10) + " (diag_tests.exe+0x10)"},
        {Record(EXCEPTION_INT_DIVIDE_BY_ZERO, nOutside, {}),
         "Fault 0xC0000094 (integer division by zero) at " + Hex16(nOutside)},
        {Record(0xE0001234, nOutside, {}), "Fault 0xE0001234 (exception) at " + Hex16(nOutside)},
        // An access violation without its two parameters says nothing of the access.
        {Record(EXCEPTION_ACCESS_VIOLATION, nOutside, {}),
         "Fault 0xC0000005 (access violation) at " + Hex16(nOutside)},
    };
    for (const auto& c : cases) {
        char sz[256];
        EXPECT_EQ(DescribeFault(sz, sizeof sz, c.record), c.text.size());
        EXPECT_EQ(std::string(sz), c.text);
    }
}

TEST(FaultDescription, IsCutAtTheBuffersEnd) {
    char sz[16];
    EXPECT_EQ(DescribeFault(sz, sizeof sz, Record(EXCEPTION_STACK_OVERFLOW, 0x1000, {})), 15u);
    EXPECT_STREQ(sz, "Fault 0xC00000F");
    EXPECT_EQ(DescribeFault(nullptr, 0, Record(EXCEPTION_STACK_OVERFLOW, 0x1000, {})), 0u);
}

} // namespace
