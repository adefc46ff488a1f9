// Text rules of paths: joining (separator, quotes, double terminator, refusal) and title case.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "util/bounded_text.h"
#include "util/path_text.h"

struct JoinCase {
    const char* first;
    const char* second;
    bool quote;
    const char* expected;
};

TEST(JoinPath, JoinsWithOneSeparatorAndEndsInTwoZeros)
{
    const JoinCase cases[] = {
        {"C:\\A", "B.EXE", false, "C:\\A\\B.EXE"},
        {"C:\\A\\", "B.EXE", false, "C:\\A\\B.EXE"},
        {"C:\\Program Files\\Zorva\\", "Velmondo", false, "C:\\Program Files\\Zorva\\Velmondo"},
        {"C:\\A", "B", true, "\"C:\\A\\B\""},
        {"C:\\A", "\\B", false, "C:\\A\\\\B"},  // a leading backslash is kept as it is
        {"C:\\A", "", false, "C:\\A\\"},
        {"", "B.EXE", false, "B.EXE"},  // nothing before the buffer is looked at
        {"", "B", true, "\"B\""},
    };
    for (const JoinCase& c : cases) {
        char out[PathBufferSize];
        memset(out, 'x', sizeof out);
        EXPECT_TRUE(JoinPath(out, sizeof out, c.first, c.second, c.quote)) << c.first << " + " << c.second;
        EXPECT_STREQ(c.expected, out) << c.first << " + " << c.second;
        EXPECT_EQ('\0', out[strlen(c.expected) + 1]) << "second terminator after " << c.expected;
    }
}

TEST(JoinPath, RefusesWhatDoesNotFitAndWritesNothingPastTheBuffer)
{
    std::string first(250, 'a');
    std::string second(8, 'b');
    // 250 + separator + 8 + two zeros = 261 bytes: one too many for 260.
    char guarded[PathBufferSize + 8];
    memset(guarded, 'x', sizeof guarded);
    EXPECT_FALSE(JoinPath(guarded, PathBufferSize, first.c_str(), second.c_str(), false));
    EXPECT_STREQ("", guarded);
    for (size_t i = PathBufferSize; i < sizeof guarded; i++)
        EXPECT_EQ('x', guarded[i]);

    // 249 + separator + 8 + two zeros = 260 bytes fit exactly: 258 characters.
    std::string shorter(249, 'a');
    EXPECT_TRUE(JoinPath(guarded, PathBufferSize, shorter.c_str(), second.c_str(), false));
    EXPECT_EQ(258u, strlen(guarded));
    EXPECT_EQ('\0', guarded[259]);
    EXPECT_EQ('x', guarded[260]);
}

TEST(TitleCaseWords, CapitalisesWordsAfterSpacesAndBackslashes)
{
    const struct {
        const char* input;
        const char* expected;
    } cases[] = {
        {"C:\\WINDOWS", "C:\\Windows"},
        {"C:\\WINDOWS\\SYSTEM32", "C:\\Windows\\System32"},
        {"c:\\winnt\\system32", "C:\\Winnt\\System32"},
        {"C:\\Program Files", "C:\\Program Files"},
        {"C:\\PROGRAM FILES\\ZORVA", "C:\\Program Files\\Zorva"},
        {"a  b", "A  b"},    // the character after a separator is never a separator itself
        {"x\\ y", "X\\ y"},
        {"C:\\\xC4RGER\\A\xC9", "C:\\\xC4rger\\A\xC9"},  // bytes from 0x80 up are never changed
        {"C:\\WIN\\", "C:\\Win\\"},
        {"", ""},
    };
    for (const auto& c : cases) {
        char text[64];
        strcpy(text, c.input);
        TitleCaseWords(text);
        EXPECT_STREQ(c.expected, text) << c.input;
    }
}

TEST(BoundedText, RefusesTextThatDoesNotFit)
{
    char target[8];
    EXPECT_TRUE(CopyText(target, sizeof target, "1234567"));
    EXPECT_STREQ("1234567", target);
    EXPECT_FALSE(CopyText(target, sizeof target, "12345678"));
    EXPECT_STREQ("", target);

    EXPECT_TRUE(CopyText(target, sizeof target, "1234"));
    EXPECT_TRUE(AppendText(target, sizeof target, "567"));
    EXPECT_STREQ("1234567", target);
    EXPECT_FALSE(AppendText(target, sizeof target, "8"));
    EXPECT_STREQ("", target);

    EXPECT_TRUE(FormatText(target, sizeof target, "%s%d", "ab", 12345));
    EXPECT_STREQ("ab12345", target);
    EXPECT_FALSE(FormatText(target, sizeof target, "%s%d", "ab", 123456));
    EXPECT_STREQ("", target);
}
