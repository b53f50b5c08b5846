#include "PathText.h"

namespace kelvara {

namespace {

constexpr char16_t kFirstEscape = 0xDC80;
constexpr char16_t kLastEscape = 0xDCFF;

bool IsContinuation(unsigned char byte)
{
    return (byte & 0xC0) == 0x80;
}

// The length of the UTF-8 character at the start of `bytes`, 0 when it is
// not one: a bad lead byte, a short or overlong sequence, a surrogate or a
// code point past U+10FFFF.
std::size_t CharacterLength(std::string_view bytes)
{
    const auto at = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    const unsigned char lead = at(0);
    if (lead < 0x80)
        return 1;
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (bytes.size() < length || at(1) < low || at(1) > high)
        return 0;
    for (std::size_t i = 2; i < length; ++i) {
        if (!IsContinuation(at(i)))
            return 0;
    }
    return length;
}

} // namespace

QString PathFromBytes(std::string_view bytes)
{
    QString text;
    text.reserve(qsizetype(bytes.size()));
    std::size_t runStart = 0;
    std::size_t i = 0;
    const auto flushRun
        = [&] { text += QString::fromUtf8(bytes.data() + runStart, qsizetype(i - runStart)); };
    while (i < bytes.size()) {
        const std::size_t length = CharacterLength(bytes.substr(i));
        if (length > 0) {
            i += length;
            continue;
        }
        flushRun();
        text += QChar(char16_t(0xDC00 + static_cast<unsigned char>(bytes[i])));
        runStart = ++i;
    }
    flushRun();
    return text;
}

std::string PathBytes(const QString& path)
{
    std::string bytes;
    bytes.reserve(std::size_t(path.size()));
    qsizetype runStart = 0;
    qsizetype i = 0;
    const auto flushRun
        = [&] { bytes += QStringView(path).sliced(runStart, i - runStart).toUtf8().toStdString(); };
    while (i < path.size()) {
        const char16_t unit = path[i].unicode();
        if (QChar::isHighSurrogate(unit) && i + 1 < path.size() && path[i + 1].isLowSurrogate()) {
            i += 2;
            continue;
        }
        if (unit < kFirstEscape || unit > kLastEscape) {
            ++i;
            continue;
        }
        flushRun();
        bytes += static_cast<char>(unit - 0xDC00);
        runStart = ++i;
    }
    flushRun();
    return bytes;
}

QString PathForDisplay(const QString& path)
{
    return QString::fromStdString(PathBytes(path));
}

} // namespace kelvara
