// Any exchange file is read without fault, and one that reads back exactly is written back to
// the same bytes. Built once per record type (FUZZ_RECORD names it).
#include "FuzzUtil.h"

#include "common/lotus/LNExchange.h"

#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string in = fuzzutil::ScratchPath("in");
    static const std::string out = fuzzutil::ScratchPath("out");
    fuzzutil::WriteFile(in, data, size);

    std::vector<std::unique_ptr<FUZZ_RECORD>> records;
    ExchangeReadResult r = ReadExchangeFile<FUZZ_RECORD>(in.c_str(), records);
    if (r.status != ExchangeReadResult::kOk) {
        if (!records.empty())
            abort(); // a damaged file leaves nothing behind
        return 0;
    }
    if (records.size() != r.nCount)
        abort();
    auto writeAll = [](const std::string& path,
                       const std::vector<std::unique_ptr<FUZZ_RECORD>>& recs) {
        CxFile f;
        if (!f.Open(path.c_str(), "wb"))
            abort();
        f.WriteUInt32((uint32_t)recs.size());
        for (const auto& rec : recs)
            WriteRecordItems(f, rec.get(), LayoutOf<FUZZ_RECORD>());
        f.Close();
        return fuzzutil::ReadFile(path);
    };
    std::vector<uint8_t> written = writeAll(out, records);
    if (r.bExact && (written.size() != size || memcmp(written.data(), data, size) != 0))
        abort();
    // What was written always reads back exactly, and writes again to the same bytes.
    std::vector<std::unique_ptr<FUZZ_RECORD>> again;
    ExchangeReadResult r2 = ReadExchangeFile<FUZZ_RECORD>(out.c_str(), again);
    if (r2.status != ExchangeReadResult::kOk || !r2.bExact || again.size() != records.size())
        abort();
    if (writeAll(out, again) != written)
        abort();
    return 0;
}
