#include "Processes.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

namespace kelvara::testing {

namespace {

// The fields of /proc/PID/stat after "pid (comm) ": the command may hold
// blanks and ")".
std::string StatFieldsAfterName(const std::string& pid)
{
    std::ifstream file("/proc/" + pid + "/stat");
    std::string text;
    std::getline(file, text);
    const std::size_t close = text.rfind(')');
    return close == std::string::npos || close + 2 > text.size() ? std::string() : text.substr(close + 2);
}

} // namespace

std::vector<int> ChildrenOf(int parent)
{
    std::vector<int> children;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator("/proc", error)) {
        const std::string name = entry.path().filename().string();
        if (name.find_first_not_of("0123456789") != std::string::npos)
            continue;
        std::istringstream fields(StatFieldsAfterName(name));
        char state = 0;
        int ppid = 0;
        if (fields >> state >> ppid && ppid == parent)
            children.push_back(std::stoi(name));
    }
    return children;
}

std::vector<int> ChildrenOfThisProcess()
{
    return ChildrenOf(::getpid());
}

std::vector<int> DescendantsOf(int root)
{
    std::vector<int> found = ChildrenOf(root);
    for (std::size_t i = 0; i < found.size(); ++i) {
        for (int child : ChildrenOf(found[i]))
            found.push_back(child);
    }
    return found;
}

bool IsRunning(int pid)
{
    const std::string fields = StatFieldsAfterName(std::to_string(pid));
    return !fields.empty() && fields[0] != 'Z';
}

int OpenDescriptorCount()
{
    int count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd"))
        ++count;
    return count;
}

std::vector<int> ProcessesWithEnvironmentEntry(const std::string& entry)
{
    std::vector<int> found;
    std::error_code error;
    for (const auto& process : std::filesystem::directory_iterator("/proc", error)) {
        const std::string name = process.path().filename().string();
        if (name.find_first_not_of("0123456789") != std::string::npos)
            continue;
        std::ifstream file("/proc/" + name + "/environ", std::ios::binary);
        std::string variable;
        while (std::getline(file, variable, '\0')) {
            if (variable == entry) {
                const int pid = std::stoi(name);
                if (pid != ::getpid() && IsRunning(pid))
                    found.push_back(pid);
                break;
            }
        }
    }
    return found;
}

std::string CommandNameOf(int pid)
{
    std::ifstream file("/proc/" + std::to_string(pid) + "/comm");
    std::string name;
    std::getline(file, name);
    return name;
}

} // namespace kelvara::testing
