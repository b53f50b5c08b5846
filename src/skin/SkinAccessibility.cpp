#include "SkinAccessibility.h"

#include "CBanner.h"
#include "CFadeInPicture.h"
#include "CImageTab.h"
#include "CLinkLabel.h"
#include "CPictureText.h"
#include "CRangeSlider.h"
#include "CSkinButton.h"
#include "CSkinComboBox.h"
#include "CSkinGroupBox.h"
#include "CSkinIconStatic.h"
#include "CSkinLabel.h"
#include "CSkinListScrollBar.h"
#include "CSkinTextField.h"
#include "DisabledReason.h"
#include "SkinPartAccessible.h"
#include "SkinTextFieldAccessible.h"

#include <QAccessibleWidget>

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
    // A press the button refuses says why, as a click on it does.
    void doAction(const QString& name) override
    {
        if (name != pressAction())
            return;
        if (Button()->isEnabled())
            Button()->click();
        else
            ShowDisabledReason(Button());
    }
};

// The tabs are page tabs named by their captions; when the strip scrolls,
// its two arrows follow them as buttons.
class TabStripAccessible : public PartsOwnerAccessible {
public:
    explicit TabStripAccessible(CImageTab* strip)
        : PartsOwnerAccessible(strip, QAccessible::PageTabList)
    {
    }
    CImageTab* Strip() const { return static_cast<CImageTab*>(widget()); }
    int PartCount() const override { return Strip()->Count() + (Strip()->ShowsScrollArrows() ? 2 : 0); }
    QAccessible::Role PartRole(int index) const override
    {
        return ArrowOf(index) == Arrow::None ? QAccessible::PageTab : QAccessible::Button;
    }
    QString PartName(int index) const override
    {
        switch (ArrowOf(index)) {
        case Arrow::Left:
            return QStringLiteral("Scroll tabs left");
        case Arrow::Right:
            return QStringLiteral("Scroll tabs right");
        case Arrow::None:
            break;
        }
        const QStringList names = Strip()->property(kTabNamesProperty).toStringList();
        return index < names.size() ? names[index] : QString();
    }
    // A tab scrolled out of view tells where it lies, as it is marked offscreen.
    QRect PartRect(int index) const override
    {
        const Arrow arrow = ArrowOf(index);
        QRect local = arrow == Arrow::None ? Strip()->TabRect(index) : Strip()->ArrowRect(arrow);
        if (arrow == Arrow::None && local.isEmpty())
            local = Strip()->TabPlace(index);
        return { Strip()->mapToGlobal(local.topLeft()), local.size() };
    }
    bool PartSelected(int index) const override { return Strip()->GetCurSel() == index; }
    // The same as a press of the mouse on the tab or the arrow.
    void PressPart(int index) override
    {
        const Arrow arrow = ArrowOf(index);
        if (arrow == Arrow::None)
            Strip()->ChooseTab(index);
        else
            Strip()->ScrollTabs(arrow == Arrow::Left ? -1 : 1);
    }
    void AdjustPartState(int index, QAccessible::State& state) const override
    {
        const Arrow arrow = ArrowOf(index);
        if (arrow != Arrow::None) {
            state.selectable = false;
            state.disabled = state.disabled || !Strip()->CanScroll(arrow);
        } else if (Strip()->TabRect(index).isEmpty()) {
            state.offscreen = true;
        }
    }
    QStringList actionNames() const override { return {}; }

private:
    using Arrow = TabStripLayout::Arrow;
    Arrow ArrowOf(int index) const
    {
        if (index < Strip()->Count())
            return Arrow::None;
        return index == Strip()->Count() ? Arrow::Left : Arrow::Right;
    }
};

// A list named for its label, whose value is the selected item and whose
// items are its children; pressing an item selects it as the user would.
class ComboAccessible : public PartsOwnerAccessible {
public:
    explicit ComboAccessible(CSkinComboBox* combo)
        : PartsOwnerAccessible(combo, QAccessible::ComboBox)
    {
    }
    CSkinComboBox* Combo() const { return static_cast<CSkinComboBox*>(widget()); }
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return Combo()->currentText();
        if (t == QAccessible::Name)
            return OwnOrFallbackName(Combo(), Combo()->currentText());
        return QAccessibleWidget::text(t);
    }
    int PartCount() const override { return Combo()->count(); }
    QAccessible::Role PartRole(int) const override { return QAccessible::ListItem; }
    QString PartName(int index) const override { return Combo()->itemText(index); }
    QRect PartRect(int index) const override
    {
        const QRect face = Combo()->rect();
        return { Combo()->mapToGlobal(QPoint(0, face.height() * (index + 1))), face.size() };
    }
    bool PartSelected(int index) const override { return Combo()->currentIndex() == index; }
    void PressPart(int index) override { Combo()->SelectByUser(index); }
    QStringList actionNames() const override { return {}; }
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
    CLinkLabel* Link() const { return static_cast<CLinkLabel*>(widget()); }
    // The address, for readers that show a link's target as its value.
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value || t == QAccessible::Description)
            return Link()->URL();
        return NamedWidgetAccessible::text(t);
    }
    QStringList actionNames() const override { return { pressAction() }; }
    void doAction(const QString& name) override
    {
        if (name == pressAction())
            Link()->OpenLink();
    }
};

// The trim slider: its value is the selected sub-range, its description
// says the same in words, so readers and tests see both ends at once.
class RangeSliderAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit RangeSliderAccessible(CRangeSlider* slider)
        : QAccessibleWidget(slider, QAccessible::Slider)
    {
    }
    CRangeSlider* Slider() const { return static_cast<CRangeSlider*>(widget()); }
    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    QString text(QAccessible::Text t) const override
    {
        const auto number = [](double v) { return QString::number(v, 'g', 12); };
        if (t == QAccessible::Value)
            return number(Slider()->GetLeft()) + QStringLiteral(" to ") + number(Slider()->GetRight());
        if (t == QAccessible::Description)
            return QStringLiteral("start %1, end %2, of %3 to %4")
                .arg(number(Slider()->GetLeft()), number(Slider()->GetRight()), number(Slider()->GetMin()),
                    number(Slider()->GetMax()));
        return QAccessibleWidget::text(t);
    }
    // Readers that know one value get the start; the end is in the texts.
    QVariant currentValue() const override { return Slider()->GetLeft(); }
    void setCurrentValue(const QVariant&) override { }
    QVariant maximumValue() const override { return Slider()->GetMax(); }
    QVariant minimumValue() const override { return Slider()->GetMin(); }
    QVariant minimumStepSize() const override { return 0.0; }
};

QString NoName(const QWidget*)
{
    return {};
}

// The preview's moving picture belongs to the video-editing component,
// which the skin does not include; it is known by its class's name.
constexpr const char* kPreviewPictureClass = "kelvara::PreviewView";

// Widgets that are a plain QWidget to Qt: a window of the program's own
// (the main window) is a frame, the preview's picture an animation.
QAccessibleInterface* PlainWidgetAccessible(QWidget* widget)
{
    if (widget->isWindow())
        return new QAccessibleWidget(widget, QAccessible::Window);
    if (QLatin1String(widget->metaObject()->className()) == QLatin1String(kPreviewPictureClass))
        return new NamedWidgetAccessible(widget, QAccessible::Animation, NoName);
    return nullptr;
}

QAccessibleInterface* SkinFactory(const QString& className, QObject* object)
{
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget)
        return nullptr;
    if (className == QLatin1String("QWidget"))
        return PlainWidgetAccessible(widget);
    if (className == QLatin1String(CImageTab::staticMetaObject.className()))
        return new TabStripAccessible(static_cast<CImageTab*>(widget));
    if (className == QLatin1String(CSkinButton::staticMetaObject.className()))
        return new SkinButtonAccessible(static_cast<CSkinButton*>(widget));
    if (className == QLatin1String(CSkinComboBox::staticMetaObject.className()))
        return new ComboAccessible(static_cast<CSkinComboBox*>(widget));
    if (className == QLatin1String(CSkinTextField::staticMetaObject.className()))
        return NewTextFieldAccessible(widget);
    if (className == QLatin1String(CSkinLabel::staticMetaObject.className()))
        return new NamedWidgetAccessible(widget, QAccessible::StaticText,
            [](const QWidget* w) { return static_cast<const CSkinLabel*>(w)->Text(); });
    if (className == QLatin1String(CSkinGroupBox::staticMetaObject.className()))
        return new NamedWidgetAccessible(widget, QAccessible::Grouping,
            [](const QWidget* w) { return static_cast<const CSkinGroupBox*>(w)->Caption(); });
    if (className == QLatin1String(CPictureText::staticMetaObject.className()))
        return new NamedWidgetAccessible(widget, QAccessible::StaticText,
            [](const QWidget* w) { return static_cast<const CPictureText*>(w)->Text(); });
    if (className == QLatin1String(CSkinIconStatic::staticMetaObject.className()))
        return new NamedWidgetAccessible(widget, QAccessible::Graphic, NoName);
    if (className == QLatin1String(CLinkLabel::staticMetaObject.className()))
        return new LinkAccessible(static_cast<CLinkLabel*>(widget));
    if (className == QLatin1String(CFadeInPicture::staticMetaObject.className()))
        return new NamedWidgetAccessible(widget, QAccessible::Graphic, NoName);
    if (className == QLatin1String(CRangeSlider::staticMetaObject.className()))
        return new RangeSliderAccessible(static_cast<CRangeSlider*>(widget));
    if (className == QLatin1String(CSkinListScrollBar::staticMetaObject.className()))
        return new NamedWidgetAccessible(widget, QAccessible::ScrollBar, NoName);
    if (className == QLatin1String(CBanner::staticMetaObject.className()))
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
