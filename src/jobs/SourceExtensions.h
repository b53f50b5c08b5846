// The one table of the source files Kelvara takes by their name: the Add
// dialog's filters, the files a dropped folder brings and the MIME types the
// desktop entry offers Kelvara for all come from it. Any file can still be
// added by name ("All Files"); ffmpeg decides whether it reads it.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kelvara {

struct SourceExtension {
    std::string_view extension; // lower case, without the dot
    std::string_view family; // the Add dialog's filter that lists it
    // The types a file manager knows such files by, ";" between them; empty
    // when the name says nothing of the contents (a VCD's ".dat").
    std::string_view mimeTypes;
};

// In the order the Add dialog lists them.
std::span<const SourceExtension> SourceExtensions();

// Every MIME type of the table, once each, in the table's order.
std::vector<std::string> SourceMimeTypes();

} // namespace kelvara
