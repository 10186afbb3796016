// Command parameters and launch planning. The input is the file, the
// parameters and the directory of a command, separated by NUL bytes.
// Arguments that were split out and quoted again split into the same
// arguments.

#include "fuzzsupport.h"
#include "platform/launcher.h"
#include "platform/linux/commandline.h"
#include "platform/linux/launchplan.h"

using namespace tarvo;
using namespace tarvo::platform;

namespace {

// Every argument in single quotes, a quote in it as '\''.
std::string Quoted(const std::vector<std::string>& arguments)
{
    std::string text;
    for (const auto& argument : arguments) {
        text += " '";
        for (char c : argument)
            text += c == '\'' ? std::string("'\\''") : std::string(1, c);
        text += "'";
    }
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const auto fields = fuzz::Fields(fuzz::AsText(data, size), 3);
    const std::string& file = fields[0];
    const std::string& parameters = fields[1];
    const std::string& directory = fields[2];
    try {
        const auto arguments = SplitArguments(parameters);
        fuzz::Require(SplitArguments(Quoted(arguments)) == arguments, "quoted arguments split differently");
    } catch (const ELaunchError&) {
    }
    try {
        const TLaunchPlan plan = PlanLaunch(file, parameters, directory);
        fuzz::Require(!plan.Program.empty() && !plan.Arguments.empty(), "a plan without a program");
    } catch (const ELaunchError&) {
    }
    return 0;
}
