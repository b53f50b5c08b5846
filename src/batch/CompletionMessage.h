// The message at the end of a batch that ran to its end.
#pragma once

#include "batch/BatchHost.h"

#include <string>

namespace kelvara {

struct CompletionMessage {
    std::string text;
    std::string title;
    MessageIcon icon = MessageIcon::None;
};

// "All tasks have been completed!" as a success; with failures, a warning
// that also says how many of the converted files failed.
CompletionMessage CompletionMessageOf(int failed, int attempted);

} // namespace kelvara
