// Controls whose parts are not widgets of their own (the tabs of a strip, the
// items of a list) show each part to screen readers as a child.
#pragma once

#include <QAccessibleWidget>
#include <vector>

namespace kelvara {

class PartsOwnerAccessible : public QAccessibleWidget {
public:
    PartsOwnerAccessible(QWidget* widget, QAccessible::Role role);
    ~PartsOwnerAccessible() override;

    virtual int PartCount() const = 0;
    virtual QAccessible::Role PartRole(int index) const = 0;
    virtual QString PartName(int index) const = 0;
    // In screen coordinates.
    virtual QRect PartRect(int index) const = 0;
    virtual bool PartSelected(int index) const = 0;
    virtual void PressPart(int index) = 0;
    // A part that is not a selectable item (a button among tabs) or is out
    // of view says so here; the base marks parts selectable and shown.
    virtual void AdjustPartState(int, QAccessible::State&) const { }

    int childCount() const override { return PartCount(); }
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;

private:
    // Parts are made when first asked for, since lists grow after set-up.
    mutable std::vector<QAccessible::Id> m_parts;
};

} // namespace kelvara
