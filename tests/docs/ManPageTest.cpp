#include <gtest/gtest.h>

#include <stdexcept>

#include "Command.h"
#include "ManPage.h"

using ovantis::docs::Command;
using ovantis::docs::ManPage;

TEST(ManPage, TextNeverReadsAsARequestOrAnEscape) {
    const struct {
        const char* text;
        const char* roff;
    } cases[] = {
        {".seed", "\\&.seed"},
        {"'now'", "\\&\\(aqnow\\(aq"},
        {"a-f\\0", "a\\-f\\e0"},
        {"\"^`~", "\\(dq\\(ha\\(ga\\(ti"},
    };
    for (const auto& [text, roff] : cases) {
        EXPECT_EQ(ManPage::escape(text), roff) << text;
    }
}

TEST(ManPage, HelpTextGivesNamesValuesAndTheClosingParagraph) {
    const Command command = Command::fromHelp(
        "Usage: tool [--lang X]\nDoes things.\n\nOptions:\n  -h, --help     show help\n"
        "  --lang zh|en   the language\n\nOther options pass through.\n");
    EXPECT_EQ(command.name, "tool");
    EXPECT_EQ(command.summary(), "does things");
    ASSERT_EQ(command.options.size(), 2u);
    EXPECT_EQ(command.options[0], (Command::Option{{"-h", "--help"}, "", "show help"}));
    EXPECT_EQ(command.options[1], (Command::Option{{"--lang"}, "zh|en", "the language"}));
    EXPECT_EQ(command.footer, "Other options pass through.\n");
}

// A reworded help must stop the build, not leave a section out.
TEST(ManPage, AMissingParagraphOrPartIsAnError) {
    Command command;
    command.footer = "Sources: the system's.\n\nExit status: 0 done.\n";
    EXPECT_EQ(ManPage::render("@PARAGRAPH Exit status@\n", command, "1"), "0 done.\n");
    EXPECT_THROW(ManPage::render("@PARAGRAPH Files@\n", command, "1"), std::runtime_error);
    EXPECT_THROW(ManPage::render("@SOURCES@\n", command, "1"), std::runtime_error);
}

TEST(ManPage, TemplateCommentsAreLeftOut) {
    EXPECT_EQ(ManPage::render(".\\\" a note\n.TH T 1 x \"t @VERSION@\"\n", Command{}, "1.2"),
              ".TH T 1 x \"t 1.2\"\n");
}
