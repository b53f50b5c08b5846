// The output folder a batch writes to, from the text of the output folder
// field.
#pragma once

#include <optional>
#include <string>

namespace kelvara {

// The field holds at most this many bytes of text.
inline constexpr std::size_t kOutputFolderLimit = 1023;

// The typed text without the blanks around it, ending in "/", the folder
// created (one level) when nothing of that name exists; a folder that cannot
// be created is not reported here, its jobs fail to write instead. Nothing
// for an empty text. A relative folder ("out", "~/out") is taken from the
// user's `homeFolder`, once: every converter is handed the same absolute
// folder, whatever folder it runs in.
std::optional<std::string> PrepareOutputFolder(std::string text, const std::string& homeFolder);

} // namespace kelvara
