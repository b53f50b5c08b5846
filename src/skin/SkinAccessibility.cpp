#include "SkinAccessibility.h"

#include "CImageTab.h"
#include "CLinkLabel.h"
#include "CSkinButton.h"
#include "CSkinGroupBox.h"
#include "CSkinLabel.h"
#include "SkinTextFieldAccessible.h"

#include <QAccessibleWidget>
#include <vector>

namespace kelvara {
namespace {

QString OwnOrFallbackName(const QWidget* widget, const QString& fallback)
{
    return widget->accessibleName().isEmpty() ? fallback : widget->accessibleName();
}

class SkinButtonAccessible : public QAccessibleWidget {
public:
    explicit SkinButtonAccessible(CSkinButton* button)
        : QAccessibleWidget(button, QAccessible::Button)
    {
    }
    CSkinButton* Button() const { return static_cast<CSkinButton*>(widget()); }
    QAccessible::Role role() const override
    {
        return Button()->IsCheckMode() ? QAccessible::CheckBox : QAccessible::Button;
    }
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return OwnOrFallbackName(Button(), Button()->text());
        return QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        if (Button()->IsCheckMode()) {
            s.checkable = true;
            s.checked = Button()->GetCheck();
        }
        return s;
    }
    QStringList actionNames() const override { return { pressAction() }; }
    void doAction(const QString& name) override
    {
        if (name == pressAction() && Button()->isEnabled())
            Button()->click();
    }
};

class TabStripAccessible;

// One tab of a strip: not a widget of its own, so it answers for its part of
// the strip.
class TabAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    TabAccessible(CImageTab* strip, int index)
        : m_strip(strip)
        , m_index(index)
    {
    }
    bool isValid() const override { return !m_strip.isNull(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return m_strip ? m_strip->window()->windowHandle() : nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(m_strip); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text t) const override
    {
        const QStringList names = m_strip->property(kTabNamesProperty).toStringList();
        return t == QAccessible::Name && m_index < names.size() ? names[m_index] : QString();
    }
    void setText(QAccessible::Text, const QString&) override { }
    QRect rect() const override
    {
        const int tabWidth = m_strip->width() / std::max(1, m_strip->Count());
        return QRect(m_strip->mapToGlobal(QPoint(m_index * tabWidth, 0)), QSize(tabWidth, m_strip->height()));
    }
    QAccessible::Role role() const override { return QAccessible::PageTab; }
    QAccessible::State state() const override
    {
        QAccessible::State s;
        s.selectable = true;
        s.selected = m_strip->GetCurSel() == m_index;
        s.invisible = !m_strip->isVisible();
        s.disabled = !m_strip->isEnabled();
        return s;
    }
    void* interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
    }
    QStringList actionNames() const override { return { pressAction() }; }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }
    // The same as a press of the mouse on the tab.
    void doAction(const QString& name) override
    {
        if (name != pressAction() || !m_strip || m_strip->GetCurSel() == m_index)
            return;
        m_strip->Select(m_index);
        emit m_strip->imageTabClick(m_strip);
    }

private:
    QPointer<CImageTab> m_strip;
    int m_index;
};

class TabStripAccessible : public QAccessibleWidget {
public:
    explicit TabStripAccessible(CImageTab* strip)
        : QAccessibleWidget(strip, QAccessible::PageTabList)
    {
        for (int i = 0; i < strip->Count(); ++i) {
            auto* tab = new TabAccessible(strip, i);
            m_tabs.push_back(QAccessible::registerAccessibleInterface(tab));
        }
    }
    ~TabStripAccessible() override
    {
        for (const QAccessible::Id id : m_tabs)
            QAccessible::deleteAccessibleInterface(id);
    }
    int childCount() const override { return static_cast<int>(m_tabs.size()); }
    QAccessibleInterface* child(int index) const override
    {
        if (index < 0 || index >= childCount())
            return nullptr;
        return QAccessible::accessibleInterface(m_tabs[static_cast<std::size_t>(index)]);
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        for (int i = 0; i < childCount(); ++i)
            if (this->child(i) == child)
                return i;
        return -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override
    {
        for (int i = 0; i < childCount(); ++i)
            if (child(i)->rect().contains(x, y))
                return child(i);
        return nullptr;
    }
    QStringList actionNames() const override { return {}; }

private:
    std::vector<QAccessible::Id> m_tabs;
};

class NamedWidgetAccessible : public QAccessibleWidget {
public:
    NamedWidgetAccessible(QWidget* widget, QAccessible::Role role, QString (*name)(const QWidget*))
        : QAccessibleWidget(widget, role)
        , m_name(name)
    {
    }
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return OwnOrFallbackName(widget(), m_name(widget()));
        return QAccessibleWidget::text(t);
    }

private:
    QString (*m_name)(const QWidget*);
};

class LinkAccessible : public NamedWidgetAccessible {
public:
    explicit LinkAccessible(CLinkLabel* link)
        : NamedWidgetAccessible(link, QAccessible::Link,
              [](const QWidget* w) { return static_cast<const CLinkLabel*>(w)->Text(); })
    {
    }
    QStringList actionNames() const override { return { pressAction() }; }
    void doAction(const QString& name) override
    {
        if (name == pressAction())
            static_cast<CLinkLabel*>(widget())->OpenLink();
    }
};

QString NoName(const QWidget*) { return {}; }

QAccessibleInterface* SkinFactory(const QString& className, QObject* object)
{
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget)
        return nullptr;
    if (className == QLatin1String("CImageTab"))
        return new TabStripAccessible(static_cast<CImageTab*>(widget));
    if (className == QLatin1String("CSkinButton"))
        return new SkinButtonAccessible(static_cast<CSkinButton*>(widget));
    if (className == QLatin1String("CSkinTextField"))
        return NewTextFieldAccessible(widget);
    if (className == QLatin1String("CSkinLabel"))
        return new NamedWidgetAccessible(widget, QAccessible::StaticText,
            [](const QWidget* w) { return static_cast<const CSkinLabel*>(w)->Text(); });
    if (className == QLatin1String("CSkinGroupBox"))
        return new NamedWidgetAccessible(widget, QAccessible::Grouping,
            [](const QWidget* w) { return static_cast<const CSkinGroupBox*>(w)->Caption(); });
    if (className == QLatin1String("kelvara::CLinkLabel"))
        return new LinkAccessible(static_cast<CLinkLabel*>(widget));
    if (className == QLatin1String("CFadeInPicture"))
        return new NamedWidgetAccessible(widget, QAccessible::Graphic, NoName);
    if (className == QLatin1String("kelvara::CBanner"))
        return new NamedWidgetAccessible(widget, QAccessible::Animation, NoName);
    return nullptr;
}

} // namespace

void InstallSkinAccessibility()
{
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    QAccessible::installFactory(SkinFactory);
}

} // namespace kelvara
