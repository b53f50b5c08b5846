#include "PpmReader.h"

#include <cctype>

namespace kelvara::tarvo {

namespace {

constexpr int kLargestSide = 65535;

class HeaderCursor {
public:
    explicit HeaderCursor(std::string_view data)
        : m_data(data)
    {
    }

    std::optional<int> NextNumber()
    {
        SkipBlanksAndComments();
        long value = 0;
        std::size_t digits = 0;
        while (m_position < m_data.size() && std::isdigit(static_cast<unsigned char>(m_data[m_position]))) {
            value = value * 10 + (m_data[m_position++] - '0');
            if (value > kLargestSide)
                return std::nullopt;
            ++digits;
        }
        if (digits == 0)
            return std::nullopt;
        return static_cast<int>(value);
    }

    // Exactly one blank separates the header from the pixels.
    std::optional<std::size_t> PixelStart() const
    {
        if (m_position >= m_data.size() || !std::isspace(static_cast<unsigned char>(m_data[m_position])))
            return std::nullopt;
        return m_position + 1;
    }

private:
    void SkipBlanksAndComments()
    {
        while (m_position < m_data.size()) {
            const char c = m_data[m_position];
            if (c == '#') {
                while (m_position < m_data.size() && m_data[m_position] != '\n')
                    ++m_position;
            } else if (std::isspace(static_cast<unsigned char>(c))) {
                ++m_position;
            } else {
                break;
            }
        }
    }

    std::string_view m_data;
    std::size_t m_position = 2; // after "P6"
};

} // namespace

std::optional<RgbImage> ReadPpm(std::string_view data)
{
    if (!data.starts_with("P6"))
        return std::nullopt;
    HeaderCursor cursor(data);
    const std::optional<int> width = cursor.NextNumber();
    const std::optional<int> height = cursor.NextNumber();
    const std::optional<int> maximum = cursor.NextNumber();
    const std::optional<std::size_t> start = cursor.PixelStart();
    if (!width || !height || !maximum || !start || *width == 0 || *height == 0 || *maximum != 255)
        return std::nullopt;
    const std::size_t size = static_cast<std::size_t>(*width) * *height * 3;
    if (data.size() - *start < size)
        return std::nullopt;
    RgbImage image;
    image.width = *width;
    image.height = *height;
    const auto* first = reinterpret_cast<const std::uint8_t*>(data.data() + *start);
    image.pixels.assign(first, first + size);
    return image;
}

} // namespace kelvara::tarvo
