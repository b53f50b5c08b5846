// Holds the converter's table of ffmpeg's options against the installed
// ffmpeg: each option its long help names, and the "no" form of each, is
// given alone to ffmpeg, which says whether it misses the value.
#include "FfmpegOptionTable.h"
#include "process/Spawner.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <unistd.h>

using namespace kelvara::tarvo;

namespace {

// The standard output of a shell command line (its standard error is dropped).
std::string OutputOf(const std::string& command)
{
    std::string text;
    std::optional<kelvara::PipeEnds> output = kelvara::CreatePipe();
    if (!output)
        return text;
    kelvara::SpawnRequest request;
    request.program = "sh";
    request.arguments = { "sh", "-c", command };
    request.descriptors = { { 1, output->writeEnd.Get() } };
    kelvara::SpawnResult shell = kelvara::Spawn(request);
    output->writeEnd.Close();
    if (!shell.Started())
        return text;
    char buffer[4096];
    ssize_t count;
    while ((count = ::read(output->readEnd.Get(), buffer, sizeof buffer)) > 0)
        text.append(buffer, static_cast<std::size_t>(count));
    shell.child.Wait();
    return text;
}

std::set<std::string> OptionNamesOfTheHelp()
{
    std::set<std::string> names;
    std::istringstream help(OutputOf("ffmpeg -hide_banner -h long 2>/dev/null"));
    const std::regex option("^-([A-Za-z?][A-Za-z0-9_?]*)");
    for (std::string line; std::getline(help, line);) {
        std::smatch match;
        if (std::regex_search(line, match, option))
            names.insert(match[1]);
    }
    return names;
}

// ffmpeg's own verdict for each name given alone: true when it misses a value.
std::map<std::string, bool> FfmpegWantsAValue(const std::set<std::string>& names)
{
    const std::filesystem::path folder
        = std::filesystem::temp_directory_path() / ("kelvara-options-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "names") << [&] {
        std::string list;
        for (const std::string& name : names)
            list += name + "\n";
        return list;
    }();
    // Run in a folder of its own: "-report" writes a file where it runs.
    const std::string script = "cd '" + folder.string()
        + "' && xargs -P 4 -I{} sh -c 'printf \"%s\\t%s\\n\" \"$1\" "
          "\"$(ffmpeg -hide_banner -nostdin -\"$1\" </dev/null 2>&1 | head -1)\"' _ {} < names";
    std::istringstream answers(OutputOf(script));
    std::map<std::string, bool> verdicts;
    for (std::string line; std::getline(answers, line);) {
        const std::size_t tab = line.find('\t');
        if (tab != std::string::npos)
            verdicts[line.substr(0, tab)] = line.find("Missing argument", tab) != std::string::npos
                || line.find("Unrecognized option", tab) != std::string::npos;
    }
    std::filesystem::remove_all(folder);
    return verdicts;
}

} // namespace

TEST(FfmpegOptionTable, AgreesWithTheInstalledFfmpegOnEveryOptionItNames)
{
    const std::set<std::string> helpNames = OptionNamesOfTheHelp();
    ASSERT_GT(helpNames.size(), 100u) << "ffmpeg -h long named too few options";
    std::set<std::string> names = helpNames;
    for (const std::string& name : helpNames)
        names.insert("no" + name);
    const std::map<std::string, bool> verdicts = FfmpegWantsAValue(names);
    ASSERT_EQ(verdicts.size(), names.size());
    for (const auto& [name, wantsValue] : verdicts)
        EXPECT_EQ(OptionTakesValue(name), wantsValue) << "-" << name;
}

TEST(FfmpegOptionTable, StreamSpecifiersAndCodecOptions)
{
    EXPECT_FALSE(OptionTakesValue("an"));
    EXPECT_FALSE(OptionTakesValue("vn:0"));
    EXPECT_TRUE(OptionTakesValue("b:v"));
    EXPECT_TRUE(OptionTakesValue("preset")); // an encoder's own option
    EXPECT_TRUE(OptionTakesValue("autorotate"));
    EXPECT_FALSE(OptionTakesValue("noautorotate"));
    EXPECT_TRUE(OptionTakesValue("novstats")); // not a boolean ffmpeg negates
}
