// A codec list object of the component: a fixed list of names.
#pragma once

#include "videoedit/VideoEditControl.h"

#include <string>
#include <vector>

namespace kelvara {

class NamedCodecList : public CodecList {
public:
    NamedCodecList() = default;
    explicit NamedCodecList(std::vector<std::string> names);

    std::int16_t Count() const override;
    // An empty name for an index outside the list.
    std::string Item(std::int16_t index) const override;

private:
    std::vector<std::string> m_names;
};

} // namespace kelvara
