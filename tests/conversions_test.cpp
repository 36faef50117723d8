#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <limits>

#include "text/conversions.h"

// The conversions fuzz target compares every input with strtol and strtof
// and every float's text with snprintf's "%g"; these are the landmarks.
TEST(StringToInt, TakesTheLeadingIntegerLikeStreamExtraction) {
    struct Case { const char* text; std::int32_t want; };
    const Case cases[] = {
        {"\t\r\n 42", 42}, {"-7", -7}, {"+7", 7}, {"16.5", 16}, {"16abc", 16}, {"", 0}, {"- 5", 0},
        {"0x10", 0}, {"2147483648", std::numeric_limits<std::int32_t>::max()},
        {"-99999999999999999999", std::numeric_limits<std::int32_t>::min()},
    };
    for (const Case& c : cases) EXPECT_EQ(StringToInt(c.text), c.want) << '"' << c.text << '"';
}

TEST(StringToFloat, TakesTheLongestNumericPrefix) {
    struct Case { const char* text; float want; };
    const Case cases[] = {
        {"1.5abc", 1.5f}, {"  -2", -2.0f}, {".5", 0.5f}, {"5.", 5.0f}, {"-1.5735626e-005", -1.5735626e-5f},
        {"1E+2x", 100.0f}, {"2.5e-", 2.5f}, {".", 0.0f}, {"inf", 0.0f}, {"nan", 0.0f}, {"0x1p3", 0.0f},
        {"1024 512", 1024.0f}, {"-1e50", -std::numeric_limits<float>::max()},
    };
    for (const Case& c : cases) EXPECT_EQ(StringToFloat(c.text), c.want) << '"' << c.text << '"';
    EXPECT_EQ(StringToFloat("1e-60"), 0.0f);
    EXPECT_TRUE(std::signbit(StringToFloat("-0")));
}

TEST(FloatToString, WritesPrintfGeneralWithSixDigits) {
    struct Case { float value; const char* want; };
    const Case cases[] = {
        {256.0f, "256"}, {0.1f, "0.1"}, {1234567.0f, "1.23457e+06"}, {0.00001f, "1e-05"},
        {100000.0f, "100000"}, {123456.7f, "123457"}, {-0.0f, "-0"}, {0.0001f, "0.0001"},
    };
    for (const Case& c : cases) EXPECT_EQ(FloatToString(c.value), c.want);
}

namespace {

// A locale with a decimal comma, generated into the build tree when the
// system has none.
bool UseGermanLocale() {
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr) return true;
#ifdef _WIN32
    // The Windows C runtime knows the locale by its Windows name.
    return std::setlocale(LC_ALL, "German_Germany.1252") != nullptr;
#else
    const std::string dir = std::string(ARBREL_BIN_DIR) + "/../test-locales";
    const std::string command = "mkdir -p '" + dir + "' && localedef -i de_DE -f UTF-8 '" + dir +
                                "/de_DE.UTF-8' >/dev/null 2>&1";
    if (std::system(command.c_str()) == 0) setenv("LOCPATH", dir.c_str(), 1);
    return std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
#endif
}

}  // namespace

TEST(Conversions, IgnoreTheProcessLocale) {
    // A locale with a decimal comma must not leak into files, the output map
    // or the numbers read from them, in range or out of it.
    struct Restore {
        std::string saved;
        ~Restore() { std::setlocale(LC_ALL, saved.c_str()); }
    } restore{std::setlocale(LC_ALL, nullptr) ? std::setlocale(LC_ALL, nullptr) : "C"};
    ASSERT_TRUE(UseGermanLocale()) << "no de_DE locale, and localedef cannot make one";
    // Proves the cases below run with a decimal comma, not in "C".
    ASSERT_STREQ(std::localeconv()->decimal_point, ",");
    EXPECT_EQ(FloatToString(0.5f), "0.5");
    EXPECT_EQ(StringToFloat("0.5"), 0.5f);
    EXPECT_EQ(StringToFloat("1.5e40"), std::numeric_limits<float>::max());
    EXPECT_EQ(StringToFloat("-1.5e40"), -std::numeric_limits<float>::max());
    EXPECT_EQ(StringToFloat("2.5e-50"), 0.0f);
    EXPECT_EQ(StringToFloat("0.00000000000000000000000000000000000000000000000001"), 0.0f);
    EXPECT_EQ(StringToFloat("1.5e-40"), 1.5e-40f);  // the nearest subnormal
    EXPECT_EQ(StringToFloat("1e999999999999"), std::numeric_limits<float>::max());
    EXPECT_EQ(StringToFloat(std::string(60, '2') + "E+"), std::numeric_limits<float>::max());
}
