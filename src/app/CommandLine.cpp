#include "CommandLine.h"

#include "MyStringUtils.h"
#include "MyUtils.h"

namespace {

bool IsRunSwitch(const std::string& argument) {
    return argument.size() == 4 && (argument[0] == '-' || argument[0] == '/') &&
           SameTextNoCase(argument.substr(1), "RUN");
}

} // namespace

CommandLine CommandLine::Parse(const std::vector<std::string>& arguments,
                               const std::string& defaultSettingsPath) {
    if (!arguments.empty() && FileExists(arguments.front()))
        return {arguments.front(), true};
    bool run = false;
    for (const std::string& argument : arguments)
        run = run || IsRunSwitch(argument);
    return {defaultSettingsPath, run};
}
