// Any parameter file is read without fault; what reads is written and read back to the same
// entries.
#include "FuzzUtil.h"

#include "common/lotus/CxLNParamParser.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string in = fuzzutil::ScratchPath("pin");
    static const std::string out = fuzzutil::ScratchPath("pout");
    fuzzutil::WriteFile(in, data, size);
    CxLNParamParser p;
    std::string error;
    if (!p.LoadFromFile(in.c_str(), &error)) {
        if (p.Count() != 0 || error.empty())
            abort();
        return 0;
    }
    if (!p.SaveToFile(out.c_str()))
        abort();
    CxLNParamParser back;
    if (!back.LoadFromFile(out.c_str(), &error) || back.Count() != p.Count())
        abort();
    return 0;
}
