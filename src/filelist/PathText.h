// File names as text that keeps their bytes. Linux names are bytes; Qt
// decodes them as UTF-8 and turns every byte that is not UTF-8 into U+FFFD,
// so a QString from QFile::decodeName cannot give the file's name back.
// PathFromBytes keeps such a byte as a lone surrogate (U+DC80..U+DCFF, the
// way other languages escape undecodable names), which PathBytes turns back
// into the byte. Names that are UTF-8 are ordinary QStrings either way.
#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace kelvara {

// The name as text; each byte that is not part of a UTF-8 character becomes
// the lone surrogate U+DC00 + byte.
QString PathFromBytes(std::string_view bytes);

// The bytes PathFromBytes was given; other text as UTF-8.
std::string PathBytes(const QString& path);

// The name as a person reads it: a byte that is not UTF-8 shows as U+FFFD.
QString PathForDisplay(const QString& path);

} // namespace kelvara
