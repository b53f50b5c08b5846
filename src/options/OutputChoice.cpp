#include "options/OutputChoice.h"

namespace kelvara {

int OutputChoice::Kind(OutputCategory category) const
{
    switch (category) {
    case OutputCategory::PcVideo:
        return m_pcKind;
    case OutputCategory::MobileVideo:
        return m_mobileKind;
    case OutputCategory::Audio:
        return m_audioKind;
    }
    return -1;
}

int& OutputChoice::KindRef(OutputCategory category)
{
    switch (category) {
    case OutputCategory::MobileVideo:
        return m_mobileKind;
    case OutputCategory::Audio:
        return m_audioKind;
    case OutputCategory::PcVideo:
        break;
    }
    return m_pcKind;
}

void OutputChoice::SelectCategory(OutputCategory category)
{
    m_category = category;
    m_pcKind = m_mobileKind = m_audioKind = -1;
    KindRef(category) = 0;
}

void OutputChoice::SetCurrentKind(int kind)
{
    KindRef(m_category) = kind;
}

void OutputChoice::SelectSnapshot()
{
    m_category = OutputCategory::PcVideo;
    m_pcKind = static_cast<int>(PcKind::Image);
}

} // namespace kelvara
