#include "EncoderStandIn.h"

#include <algorithm>

namespace kelvara::test {

std::vector<std::string> EncoderStandInArguments(const std::vector<std::string>& encoderCommand)
{
    std::vector<std::string> inputs;
    std::vector<std::string> outputs;
    std::string start;
    for (std::size_t i = 1; i < encoderCommand.size(); ++i) {
        const std::string& argument = encoderCommand[i];
        const bool hasValue = i + 1 < encoderCommand.size();
        if (argument == "-ss" && hasValue) {
            start = encoderCommand[++i];
        } else if (argument == "-i" && hasValue) {
            inputs.insert(inputs.end(), { "-i", encoderCommand[++i] });
        } else if (argument == "-s" && hasValue) {
            std::string size = encoderCommand[++i];
            std::replace(size.begin(), size.end(), '*', 'x');
            outputs.insert(outputs.end(), { "-s", size });
        } else if (argument == "-ab" && hasValue) {
            outputs.insert(outputs.end(), { "-b:a", encoderCommand[++i] + "k" });
        } else {
            outputs.push_back(argument);
        }
    }
    std::vector<std::string> arguments { "ffmpeg", "-nostdin", "-v", "error", "-y" };
    if (!start.empty())
        arguments.insert(arguments.end(), { "-ss", start });
    arguments.insert(arguments.end(), inputs.begin(), inputs.end());
    arguments.insert(arguments.end(), outputs.begin(), outputs.end());
    return arguments;
}

} // namespace kelvara::test
