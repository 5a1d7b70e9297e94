// The help file is built and holds its pages. The file's directory is read here with a small
// reader of the compiled-help container: its listing chunks name every file it holds.
#include "TestUtil.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

namespace {

uint32_t Le32(const testutil::Bytes& b, size_t at) {
    return at + 4 <= b.size() ? (uint32_t)b[at] | (uint32_t)b[at + 1] << 8 |
                                    (uint32_t)b[at + 2] << 16 | (uint32_t)b[at + 3] << 24
                              : 0;
}

// A variable-length number: seven bits a byte, most significant first, high bit set on all but
// the last byte.
bool EncInt(const testutil::Bytes& b, size_t& at, size_t end, uint64_t& value) {
    value = 0;
    for (int i = 0; i < 10 && at < end; ++i) {
        unsigned char c = b[at++];
        value = value << 7 | (c & 0x7F);
        if ((c & 0x80) == 0)
            return true;
    }
    return false;
}

std::set<std::string> ListFiles(const testutil::Bytes& b) {
    std::set<std::string> names;
    if (b.size() < 0x58 || memcmp(b.data(), "ITSF", 4) != 0)
        return names;
    size_t dir = (size_t)Le32(b, 0x48);
    if (dir + 0x54 > b.size() || memcmp(&b[dir], "ITSP", 4) != 0)
        return names;
    uint32_t chunkSize = Le32(b, dir + 0x10);
    uint32_t chunks = Le32(b, dir + 0x2C);
    size_t first = dir + Le32(b, dir + 0x08);
    for (uint32_t c = 0; c < chunks && chunkSize >= 0x20; ++c) {
        size_t chunk = first + (size_t)c * chunkSize;
        if (chunk + chunkSize > b.size() || memcmp(&b[chunk], "PMGL", 4) != 0)
            continue;
        size_t end = chunk + chunkSize - Le32(b, chunk + 4);
        size_t at = chunk + 0x14;
        while (at < end) {
            uint64_t len, section, offset, length;
            if (!EncInt(b, at, end, len) || at + len > end)
                break;
            std::string name(b.begin() + (long)at, b.begin() + (long)(at + len));
            at += len;
            if (!EncInt(b, at, end, section) || !EncInt(b, at, end, offset) ||
                !EncInt(b, at, end, length))
                break;
            names.insert(name);
        }
    }
    return names;
}

TEST(HelpFile, HoldsAPagePerStepAndTopic) {
    testutil::Bytes chm = testutil::ReadBytes(MW_CHM_PATH);
    ASSERT_GT(chm.size(), 1000u) << MW_CHM_PATH;
    std::set<std::string> files = ListFiles(chm);
    for (const char* page :
         {"/index.htm", "/step-source.htm", "/step-database.htm", "/step-access.htm",
          "/step-review.htm", "/step-clean.htm", "/criteria.htm", "/files.htm", "/helpers.htm",
          "/debug-log.htm", "/loading-failed.htm", "/help.css"})
        EXPECT_EQ(files.count(page), 1u) << page;
    // The contents and the index are compiled in as well.
    bool bToc = false;
    for (const std::string& name : files)
        bToc = bToc || name.find(".hhc") != std::string::npos;
    EXPECT_TRUE(bToc);
}

} // namespace
