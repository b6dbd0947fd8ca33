// SPDX-License-Identifier: MIT
// The command line: what each combination asks for, read without a display.
#include "app/CommandLine.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(CommandLine, VerbsAndTheirArguments)
{
    struct Case
    {
        QStringList arguments; // after the program name
        CommandLine::Action action;
        QStringList added; // when, description, message of --add
    };
    const QList<Case> cases {
        {{}, CommandLine::Run, {}},
        {{u"--home"_s, u"/tmp/h"_s}, CommandLine::Run, {}},
        {{u"-platform"_s, u"offscreen"_s}, CommandLine::Run, {}},
        {{u"--help"_s, u"--list"_s}, CommandLine::ShowHelp, {}},
        {{u"--version"_s}, CommandLine::ShowVersion, {}},
        {{u"--add"_s, u"2026-12-24 18:00"_s, u"订餐厅"_s},
         CommandLine::AddReminder,
         {u"2026-12-24 18:00"_s, u"订餐厅"_s, {}}},
        {{u"--home=/tmp/h"_s, u"--add"_s, u"2026-12-24 18:00"_s, u"订餐厅"_s, u"七点"_s},
         CommandLine::AddReminder,
         {u"2026-12-24 18:00"_s, u"订餐厅"_s, u"七点"_s}},
        {{u"--add"_s, u"--"_s, u"2026-12-24 18:00"_s, u"-5 度"_s},
         CommandLine::AddReminder,
         {u"2026-12-24 18:00"_s, u"-5 度"_s, {}}},
        {{u"--list"_s}, CommandLine::ListUpcoming, {}},
        {{u"--quit"_s, u"--home"_s, u"/tmp/h"_s}, CommandLine::QuitRunning, {}},
        // Mistakes
        {{u"--add"_s, u"2026-12-24 18:00"_s}, CommandLine::Mistake, {}},
        {{u"--add"_s, u"a"_s, u"b"_s, u"c"_s, u"d"_s}, CommandLine::Mistake, {}},
        {{u"--list"_s, u"--quit"_s}, CommandLine::Mistake, {}},
        {{u"--list"_s, u"extra"_s}, CommandLine::Mistake, {}},
        {{u"stray"_s}, CommandLine::Mistake, {}},
        {{u"--frobnicate"_s}, CommandLine::Mistake, {}},
    };
    for (const Case &c : cases) {
        const CommandLine line = CommandLine::Parse(QStringList {u"clock"_s} + c.arguments);
        const std::string name = c.arguments.join(u' ').toStdString();
        EXPECT_EQ(line.action(), c.action) << name;
        EXPECT_EQ(line.action() == CommandLine::Mistake, !line.error().isEmpty()) << name;
        if (c.action == CommandLine::AddReminder) {
            EXPECT_EQ((QStringList {line.when(), line.description(), line.message()}), c.added) << name;
        }
    }
}
