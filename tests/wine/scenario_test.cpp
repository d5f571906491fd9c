// The scenario reader: escapes, comments and argument checks, in process.
#include <gtest/gtest.h>

#include "scenario.h"

TEST(Scenario, StringsRoundTripThroughTheirEscapes)
{
    const std::string tricky = std::string("a\\b \"q\"\r\n\t# not a comment") + '\x01';
    std::string quoted = QuoteText(tricky);
    EXPECT_EQ(quoted, "\"a\\\\b \\\"q\\\"\\r\\n\\t# not a comment\\x01\"");
    std::vector<ScenarioLine> lines;
    std::string error;
    ASSERT_TRUE(ParseScenario("set 101 " + quoted + "  # trailing comment\r\n", &lines, &error))
        << error;
    ASSERT_EQ(lines.size(), 1u);
    ASSERT_EQ(lines[0].args.size(), 2u);
    EXPECT_EQ(lines[0].args[0].number, 101);
    EXPECT_EQ(lines[0].args[1].text, tricky);
}

TEST(Scenario, ReadsCommandsAndRejectsMalformedLines)
{
    std::vector<ScenarioLine> lines;
    std::string error;
    ASSERT_TRUE(ParseScenario("# intro\n\n  page \"Velorin Installation\" 101\n"
                              "page \"Welcome to Velorin!\"\nanswer 0x6\nexit",
                              &lines, &error)) << error;
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0].lineNo, 3);
    EXPECT_EQ(lines[0].args.size(), 2u);
    EXPECT_EQ(lines[1].args.size(), 1u);  // the id of page is optional
    EXPECT_EQ(lines[2].args[0].number, 6);
    EXPECT_EQ(lines[3].verb, "exit");

    struct Bad {
        const char* text;
        const char* error;
    } bad[] = {
        {"press", "line 1: wrong number of arguments for press"},
        {"\nbox 1", "line 2: wrong number of arguments for box"},
        {"page 101", "line 1: argument 1 of page must be a quoted string"},
        {"text 10x", "line 1: not a number: 10x"},
        {"set 101 \"a\\q\"", "line 1: unknown escape \\q"},
        {"set 101 \"a\"b", "line 1: text after a closing quote"},
        {"click 201", "line 1: unknown command click"},
    };
    for (const Bad& b : bad) {
        EXPECT_FALSE(ParseScenario(b.text, &lines, &error)) << b.text;
        EXPECT_EQ(error, b.error) << b.text;
    }
}
