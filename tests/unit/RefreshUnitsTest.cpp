// SPDX-License-Identifier: GPL-3.0-or-later
#include "refresh/RefreshUnits.h"

#include "TempTree.h"

#include <QProcess>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

// The command of a crontab line as cron hands it to the shell: "\%" is a percent sign, and a
// bare '%' would end the command (the rest becoming its input).
std::string AsCronRunsIt(const std::string& line) {
    std::string command;
    const std::string rest = line.substr(line.find(' ') + 1);
    for (std::size_t i = 0; i < rest.size(); ++i) {
        if (rest[i] == '\\' && i + 1 < rest.size() && rest[i + 1] == '%')
            command += rest[++i];
        else if (rest[i] == '%')
            break;
        else
            command += rest[i];
    }
    return command;
}

TEST(RefreshUnits, TheCrontabLineRunsTheSameCommandsWhateverThePaths) {
    struct Case {
        const char* name;
        std::string folder;
    };
    const Case cases[] = {
        {"plain", "plain"},
        {"blanks", "my links"},
        {"quotes", "it's \"here\""},
        {"percent and dollar", "100% $HOME `x`"},
        {"backslash and semicolon", "a\\b;c&&d"},
        {"Chinese", "收藏夹 (旧)"},
    };
    for (const Case& c : cases) {
        TempTree tree;
        const std::string program = tree.Path(c.folder + "/linkshelf");
        // The program stands in for linkshelf: it notes each run's arguments, one line a run.
        tree.Write(c.folder + "/linkshelf",
                   "#!/bin/sh\nprintf '%s|' \"$@\" >>\"$RUNS\"\necho >>\"$RUNS\"\n");
        chmod(program.c_str(), 0700);
        RefreshPlan plan;
        plan.schedule = RefreshSchedule::Hourly;
        plan.program = program;
        plan.import = RefreshImport{"firefox", "Firefox", tree.Path(c.folder), ""};
        const std::string line = RefreshUnits::CrontabLine(plan);
        EXPECT_TRUE(line.starts_with("@hourly ")) << c.name;

        QProcess shell;
        auto environment = QProcessEnvironment::systemEnvironment();
        environment.insert("RUNS", QString::fromStdString(tree.Path("runs")));
        shell.setProcessEnvironment(environment);
        shell.start("/bin/sh", {"-c", QString::fromStdString(AsCronRunsIt(line))});
        ASSERT_TRUE(shell.waitForFinished()) << c.name;
        EXPECT_EQ(shell.exitCode(), 0) << c.name << ": " << line;
        EXPECT_EQ(tree.Read("runs"), "--import|firefox|" + tree.Path(c.folder) + "|\n-RUN|\n")
            << c.name << ": " << line;
    }
}

TEST(RefreshUnits, TheServiceGetsOnlyWhatTheShippedUnitLacks) {
    const std::string shipped = "/usr/bin/linkshelf";
    const RefreshImport firefox{"firefox", "Firefox", "/home/u/Fav", "/p/places.sqlite"};
    struct Case {
        const char* name;
        std::string program;
        std::optional<RefreshImport> import;
        std::string lines;
    };
    const Case cases[] = {
        {"the shipped program, nothing to import", shipped, std::nullopt, ""},
        {"an import first", shipped, firefox,
         "[Service]\nExecStartPre=\"/usr/bin/linkshelf\" --import \"firefox\" \"/home/u/Fav\"\n"},
        {"another program", "/opt/my 100%/$linkshelf", std::nullopt,
         "[Service]\nExecStart=\nExecStart=\"/opt/my 100%%/$linkshelf\" -RUN\n"},
        {"an import by another program into an odd folder", "/opt/l",
         RefreshImport{"chromium", "Chromium", R"(/home/u/"a\b" $x 5%)", ""},
         "[Service]\nExecStartPre=\"/opt/l\" --import \"chromium\" \"/home/u/\\\"a\\\\b\\\" $$x "
         "5%%\"\nExecStart=\nExecStart=\"/opt/l\" -RUN\n"},
    };
    for (const Case& c : cases) {
        RefreshPlan plan;
        plan.program = c.program;
        plan.import = c.import;
        const std::string dropIn = RefreshUnits::Commands(plan, shipped);
        const std::size_t section = dropIn.find("[Service]");
        EXPECT_EQ(section == std::string::npos ? "" : dropIn.substr(section), c.lines) << c.name;
        EXPECT_EQ(dropIn.empty(), c.lines.empty()) << c.name;
    }
}

TEST(RefreshUnits, ASchedulingDropInIsReadBack) {
    for (const RefreshSchedule schedule : {RefreshSchedule::Daily, RefreshSchedule::Hourly})
        EXPECT_EQ(RefreshUnits::ScheduleIn(RefreshUnits::Schedule(schedule)), schedule);
    EXPECT_EQ(RefreshUnits::ScheduleIn("[Timer]\nOnCalendar=daily\nOnCalendar=Mon 08:00\n"),
              std::nullopt)
        << "a calendar of the user's own";
    EXPECT_EQ(RefreshUnits::ScheduleIn(""), std::nullopt);
}

TEST(RefreshUnits, PathsAUnitFileCannotCarryAreNamed) {
    struct Case {
        const char* name;
        std::string path;
        bool fits;
    };
    const Case cases[] = {
        {"plain", "/home/u/Favorites", true},
        {"blanks, quotes and signs inside", "/home/u/my \"links\" 100% $x", true},
        {"Chinese", "/home/u/收藏夹", true},
        {"a new line", "/home/u/a\nb", false},
        {"a tab", "/home/u/a\tb", false},
        {"not UTF-8", "/home/u/\xff\xfe", false},
        {"a final blank", "/home/u/a ", false},
        {"a final backslash", "/home/u/a\\", false},
        {"relative", "Favorites", false},
    };
    for (const Case& c : cases) {
        RefreshPlan plan;
        plan.program = "/usr/bin/linkshelf";
        plan.watched = {"/home/u", c.path};
        EXPECT_EQ(RefreshUnits::UnfitPath(plan), c.fits ? std::nullopt : std::optional(c.path))
            << c.name;
    }
}

} // namespace
