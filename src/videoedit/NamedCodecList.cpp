#include "NamedCodecList.h"

#include <limits>

namespace kelvara {

NamedCodecList::NamedCodecList(std::vector<std::string> names)
    : m_names(std::move(names))
{
    // The count is a 16-bit property: a list never holds more than it can say.
    if (m_names.size() > static_cast<std::size_t>(std::numeric_limits<std::int16_t>::max()))
        m_names.resize(std::numeric_limits<std::int16_t>::max());
}

std::int16_t NamedCodecList::Count() const
{
    return static_cast<std::int16_t>(m_names.size());
}

std::string NamedCodecList::Item(std::int16_t index) const
{
    if (index < 0 || index >= Count())
        return {};
    return m_names[static_cast<std::size_t>(index)];
}

} // namespace kelvara
