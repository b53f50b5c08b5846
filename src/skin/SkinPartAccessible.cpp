#include "SkinPartAccessible.h"

#include <QPointer>
#include <QWidget>

namespace kelvara {
namespace {

class PartAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    PartAccessible(QWidget* owner, int index)
        : m_owner(owner)
        , m_index(index)
    {
    }
    PartsOwnerAccessible* Owner() const
    {
        return m_owner
            ? dynamic_cast<PartsOwnerAccessible*>(QAccessible::queryAccessibleInterface(m_owner.data()))
            : nullptr;
    }
    bool isValid() const override { return Owner() && m_index < Owner()->PartCount(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return m_owner ? m_owner->window()->windowHandle() : nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override { return Owner(); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Name && isValid() ? Owner()->PartName(m_index) : QString();
    }
    void setText(QAccessible::Text, const QString&) override { }
    QRect rect() const override { return isValid() ? Owner()->PartRect(m_index) : QRect(); }
    QAccessible::Role role() const override
    {
        return isValid() ? Owner()->PartRole(m_index) : QAccessible::NoRole;
    }
    QAccessible::State state() const override
    {
        QAccessible::State s;
        if (!isValid()) {
            s.invalid = true;
            return s;
        }
        s.selectable = true;
        s.selected = Owner()->PartSelected(m_index);
        s.invisible = !m_owner->isVisible();
        s.disabled = !m_owner->isEnabled();
        Owner()->AdjustPartState(m_index, s);
        return s;
    }
    void* interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this)
                                                    : nullptr;
    }
    QStringList actionNames() const override { return { pressAction() }; }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }
    void doAction(const QString& name) override
    {
        if (name == pressAction() && isValid() && m_owner->isEnabled())
            Owner()->PressPart(m_index);
    }

private:
    QPointer<QWidget> m_owner;
    int m_index;
};

} // namespace

PartsOwnerAccessible::PartsOwnerAccessible(QWidget* widget, QAccessible::Role role)
    : QAccessibleWidget(widget, role)
{
}

PartsOwnerAccessible::~PartsOwnerAccessible()
{
    for (const QAccessible::Id id : m_parts)
        QAccessible::deleteAccessibleInterface(id);
}

QAccessibleInterface* PartsOwnerAccessible::child(int index) const
{
    if (index < 0 || index >= PartCount())
        return nullptr;
    while (static_cast<int>(m_parts.size()) <= index)
        m_parts.push_back(QAccessible::registerAccessibleInterface(
            new PartAccessible(widget(), static_cast<int>(m_parts.size()))));
    return QAccessible::accessibleInterface(m_parts[static_cast<std::size_t>(index)]);
}

int PartsOwnerAccessible::indexOfChild(const QAccessibleInterface* child) const
{
    for (int i = 0; i < static_cast<int>(m_parts.size()); ++i)
        if (QAccessible::accessibleInterface(m_parts[static_cast<std::size_t>(i)]) == child)
            return i < PartCount() ? i : -1;
    return -1;
}

QAccessibleInterface* PartsOwnerAccessible::childAt(int x, int y) const
{
    for (int i = 0; i < PartCount(); ++i)
        if (PartRect(i).contains(x, y))
            return child(i);
    return nullptr;
}

} // namespace kelvara
