#include "common/misc/Base64.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

std::string Decode(const char* text, size_t capacity = 64) {
    std::string out(capacity, 'X');
    bool ok = Base64DecodeText(text, &out[0], capacity);
    std::string result = out.c_str();
    EXPECT_EQ(ok, !result.empty() || text[0] == '\0') << text;
    return result;
}

TEST(Base64, EncodesWithPadding) {
    struct Case {
        const char* plain;
        const char* encoded;
    } cases[] = {
        {"", ""},        {"a", "YQ=="},        {"ab", "YWI="},
        {"abc", "YWJj"}, {"abcd", "YWJjZA=="}, {"\xE9t\xE9", "6XTp"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Base64Encode(c.plain, strlen(c.plain)), c.encoded) << c.plain;
        EXPECT_EQ(Decode(c.encoded), c.plain) << c.encoded;
    }
}

TEST(Base64, SixtyThreeCharactersTakeEightyFour) {
    std::string password(63, 'p');
    std::string encoded = Base64Encode(password.data(), password.size());
    EXPECT_EQ(encoded.size(), 84u);
    EXPECT_EQ(Decode(encoded.c_str()), password);
}

TEST(Base64, MalformedTextGivesNothing) {
    for (const char* bad : {"YQ=", "Y", "YQ==YQ==", "Y===", "Y!Jj", "YWJ j", "=YWJ", "AAAA"}) {
        EXPECT_EQ(Decode(bad), "") << bad; // "AAAA" decodes to zero bytes
    }
}

TEST(Base64, TooLongForTheFieldGivesNothing) {
    std::string password(64, 'p');
    std::string encoded = Base64Encode(password.data(), password.size());
    EXPECT_EQ(Decode(encoded.c_str(), 64), "");
    EXPECT_EQ(Decode(encoded.c_str(), 65), password);
}

} // namespace
