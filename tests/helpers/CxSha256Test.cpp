#include "helpers/CxSha256.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Hex(const uint8_t digest[32]) {
    static const char kHex[] = "0123456789abcdef";
    std::string out;
    for (int i = 0; i < 32; ++i) {
        out.push_back(kHex[digest[i] >> 4]);
        out.push_back(kHex[digest[i] & 15]);
    }
    return out;
}

TEST(Sha256, StandardVectors) {
    struct Case {
        std::string input;
        const char* digest;
    } cases[] = {
        {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
        {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
        // 56 bytes: the length no longer fits the first block.
        {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
         "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
        {"abcdefghbcdefghicdefghijdefghijkefghijklfghijklmghijklmnhijklmnoijklmnopjklmnopqklmnopqrl"
         "mnopqrsmnopqrstnopqrstu",
         "cf5b16a778af8380036ce59e7b0492370b249b11e8f07a51afac45037afee9d1"},
        {std::string(1000000, 'a'),
         "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CxSha256::HexDigest(c.input.data(), c.input.size()), c.digest)
            << c.input.substr(0, 20);
}

TEST(Sha256, PiecesGiveTheDigestOfTheWhole) {
    std::string text;
    for (int i = 0; i < 300; ++i)
        text.push_back((char)(i * 7 + 3));
    std::string whole = CxSha256::HexDigest(text.data(), text.size());
    for (size_t piece : {1u, 3u, 55u, 63u, 64u, 65u, 127u}) {
        CxSha256 sha;
        for (size_t pos = 0; pos < text.size(); pos += piece)
            sha.Update(text.data() + pos, std::min(piece, text.size() - pos));
        uint8_t digest[32];
        sha.Final(digest);
        EXPECT_EQ(Hex(digest), whole) << piece;
    }
}

} // namespace
