#include "CompletionMessage.h"

namespace kelvara {

CompletionMessage CompletionMessageOf(int failed, int attempted)
{
    constexpr const char* kCompleted = "All tasks have been completed!";
    if (failed <= 0)
        return { kCompleted, "success", MessageIcon::None };
    return { std::string(kCompleted) + "\n" + std::to_string(failed) + " of " + std::to_string(attempted)
            + " files could not be converted.",
        "Warning", MessageIcon::Warning };
}

} // namespace kelvara
