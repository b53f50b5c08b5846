#include "EpsWriter.h"

#include "PackBits.h"

#include <algorithm>
#include <string>
#include <utility>

namespace kelvara::tarvo {

namespace {

constexpr std::size_t kAscii85LineLength = 76;

class LineBreaker {
public:
    LineBreaker(Bytes& out, std::size_t lineLength)
        : m_out(out)
        , m_lineLength(lineLength)
    {
    }

    void put(char c)
    {
        if (m_column == m_lineLength) {
            m_out.push_back('\n');
            m_column = 0;
        }
        if (m_column == 0 && c == '%') { // ASCII85 skips white space
            m_out.push_back(' ');
            ++m_column;
        }
        m_out.push_back(static_cast<std::uint8_t>(c));
        ++m_column;
    }

private:
    Bytes& m_out;
    std::size_t m_lineLength;
    std::size_t m_column = 0;
};

// {W} and {H} stand for the picture's width and height in pixels, which
// are also its size in points: one pixel per point.
constexpr std::string_view kImageProgram = R"(%!PS-Adobe-3.0 EPSF-3.0
%%Creator: tarvoconverter
%%BoundingBox: 0 0 {W} {H}
%%LanguageLevel: 2
%%Pages: 1
%%EndComments
%%Page: 1 1
gsave
{W} {H} scale
/DeviceRGB setcolorspace
<< /ImageType 1 /Width {W} /Height {H} /BitsPerComponent 8
   /Decode [0 1 0 1 0 1] /ImageMatrix [{W} 0 0 -{H} 0 {H}]
   /DataSource currentfile /ASCII85Decode filter /RunLengthDecode filter
>> image
)";

std::string ImageProgram(const RgbImage& image)
{
    std::string program(kImageProgram);
    const std::pair<std::string_view, std::string> sizes[]
        = { { "{W}", std::to_string(image.width) }, { "{H}", std::to_string(image.height) } };
    for (const auto& [placeholder, value] : sizes) {
        for (std::size_t at; (at = program.find(placeholder)) != std::string::npos;)
            program.replace(at, placeholder.size(), value);
    }
    return program;
}

constexpr std::string_view kTrailer = "\ngrestore\nshowpage\n%%Trailer\n%%EOF\n";

} // namespace

void AppendAscii85(Bytes& out, const Bytes& data, std::size_t lineLength)
{
    LineBreaker lines(out, lineLength);
    for (std::size_t i = 0; i < data.size(); i += 4) {
        const std::size_t count = std::min<std::size_t>(4, data.size() - i);
        std::uint32_t group = 0;
        for (std::size_t k = 0; k < 4; ++k)
            group = (group << 8) | (k < count ? data[i + k] : 0);
        if (group == 0 && count == 4) {
            lines.put('z');
            continue;
        }
        char digits[5];
        for (int k = 4; k >= 0; --k) {
            digits[k] = static_cast<char>('!' + group % 85);
            group /= 85;
        }
        for (std::size_t k = 0; k < count + 1; ++k)
            lines.put(digits[k]);
    }
    lines.put('~');
    lines.put('>');
}

std::optional<Bytes> EncodeEps(const RgbImage& image)
{
    Bytes packed;
    packed.reserve(image.pixels.size() + image.pixels.size() / 128 + 2);
    AppendPackBits(packed, image.pixels.data(), image.pixels.size());
    packed.push_back(kRunLengthEndOfData);

    Bytes out;
    AppendText(out, ImageProgram(image));
    AppendAscii85(out, packed, kAscii85LineLength);
    AppendText(out, kTrailer);
    return out;
}

} // namespace kelvara::tarvo
