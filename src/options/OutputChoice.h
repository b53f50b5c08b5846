// The dialog's choice of output kind: the active category and the kind chosen
// in each category (-1 where a category switch left none).
#pragma once

#include "options/OutputKind.h"

namespace kelvara {

class OutputChoice {
public:
    OutputKind Current() const { return { m_category, Kind(m_category) }; }
    OutputCategory Category() const { return m_category; }
    int Kind(OutputCategory category) const;

    // A category from the menu: its first kind; the other two lose theirs.
    void SelectCategory(OutputCategory category);
    // A tab of the active category's strip.
    void SetCurrentKind(int kind);
    // The snapshot button: PC video "Image"; the other categories keep theirs.
    void SelectSnapshot();
    // The start state: PC video "AVI".
    void Reset() { SelectCategory(OutputCategory::PcVideo); }

private:
    int& KindRef(OutputCategory category);

    OutputCategory m_category = OutputCategory::PcVideo;
    int m_pcKind = 0;
    int m_mobileKind = -1;
    int m_audioKind = -1;
};

} // namespace kelvara
