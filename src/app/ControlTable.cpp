#include "app/ControlTable.h"

#include "options/OutputCatalogue.h"
#include "skin/CBanner.h"
#include "skin/CFadeInPicture.h"
#include "skin/CImageTab.h"
#include "skin/CSkinButton.h"
#include "skin/CSkinComboBox.h"
#include "skin/CSkinGroupBox.h"
#include "skin/CSkinLabel.h"
#include "skin/CSkinTextButton.h"
#include "skin/CSkinTextField.h"
#include "skin/SkinAccessibility.h"
#include "skin/SkinResourceIds.h"

namespace kelvara {
namespace {

constexpr QRgb kWhite = qRgb(255, 255, 255);

QWidget* MakeBitmapButton(QWidget* parent, const ControlSpec& entry)
{
    auto* button = new CSkinButton(parent);
    button->SetBitmaps(entry.resource, kWhite, entry.resource + 1, kWhite);
    button->DrawTransparent();
    button->DrawBorder(false);
    return button;
}

QWidget* MakeIconButton(QWidget* parent, const ControlSpec& entry)
{
    auto* button = new CSkinButton(parent);
    button->SetIcon(entry.resource, entry.resource - 1);
    button->DrawTransparent();
    button->DrawBorder(false);
    return button;
}

QWidget* MakeCheckBox(QWidget* parent, const ControlSpec& entry)
{
    auto* box = new CSkinButton(parent);
    box->SetCheckMode(true);
    box->setText(QString::fromLatin1(entry.caption));
    box->SetIcon(skin_id::CheckOnIcon, skin_id::CheckOffIcon);
    box->DrawTransparent();
    box->DrawBorder(false);
    box->SetAlign(1);
    box->SetColour(CSkinButton::TextOut, Qt::black);
    box->SetColour(CSkinButton::TextIn, QColor(20, 20, 20));
    return box;
}

OutputCategory CategoryOfStrip(int id)
{
    if (id == control_id::MobileTabs)
        return OutputCategory::MobileVideo;
    return id == control_id::AudioTabs ? OutputCategory::Audio : OutputCategory::PcVideo;
}

QWidget* MakeImageTab(QWidget* parent, const ControlSpec& entry)
{
    auto* strip = new CImageTab(parent);
    for (int i = 0; i < entry.count; ++i)
        strip->AddImage(i, entry.resource + i);
    strip->Select(0);
    QStringList names;
    for (const std::string_view label : TabLabels(CategoryOfStrip(entry.id)))
        names << QString::fromLatin1(label);
    strip->setProperty(kTabNamesProperty, names);
    return strip;
}

QWidget* MakeControl(QWidget* parent, const ControlSpec& entry)
{
    const QString caption = QString::fromLatin1(entry.caption);
    switch (entry.kind) {
    case ControlKind::BitmapButton:
        return MakeBitmapButton(parent, entry);
    case ControlKind::IconButton:
        return MakeIconButton(parent, entry);
    case ControlKind::CheckBox:
        return MakeCheckBox(parent, entry);
    case ControlKind::ImageTab:
        return MakeImageTab(parent, entry);
    case ControlKind::Combo:
        return new CSkinComboBox(parent);
    case ControlKind::TextField:
        return new CSkinTextField(parent);
    case ControlKind::PathField:
        return new CSkinTextField(parent, TextFieldKind::Path);
    case ControlKind::Label:
        return new CSkinLabel(caption, parent);
    case ControlKind::GroupBox:
        return new CSkinGroupBox(caption, parent);
    case ControlKind::FadePicture:
        return new CFadeInPicture(parent);
    case ControlKind::Banner:
        return new CBanner(parent);
    case ControlKind::TextButton:
        return new CSkinTextButton(QString::fromUtf8(entry.caption.data(), entry.caption.size()), parent);
    case ControlKind::Reserved:
        break;
    }
    return new QWidget(parent);
}

} // namespace

ControlTable::ControlTable(QWidget* parent)
{
    for (const ControlSpec& entry : MainDialogTemplate()) {
        QWidget* widget = MakeControl(parent, entry);
        widget->setGeometry(entry.x, entry.y, entry.width, entry.height);
        widget->setObjectName(QStringLiteral("control%1").arg(entry.id));
        if (!entry.accessibleName.empty())
            widget->setAccessibleName(QString::fromLatin1(entry.accessibleName));
        widget->setVisible(!entry.hiddenAtStart);
        m_widgets.emplace(entry.id, widget);
    }
}

QWidget* ControlTable::At(int id) const
{
    const auto found = m_widgets.find(id);
    return found == m_widgets.end() ? nullptr : found->second;
}

template <typename T> T* ControlTable::As(int id) const
{
    return qobject_cast<T*>(At(id));
}

CSkinButton* ControlTable::Button(int id) const
{
    return As<CSkinButton>(id);
}
CImageTab* ControlTable::Tab(int id) const
{
    return As<CImageTab>(id);
}
CSkinComboBox* ControlTable::Combo(int id) const
{
    return As<CSkinComboBox>(id);
}
CSkinTextField* ControlTable::Field(int id) const
{
    return As<CSkinTextField>(id);
}
CSkinLabel* ControlTable::Label(int id) const
{
    return As<CSkinLabel>(id);
}
CSkinGroupBox* ControlTable::Group(int id) const
{
    return As<CSkinGroupBox>(id);
}
CFadeInPicture* ControlTable::Picture(int id) const
{
    return As<CFadeInPicture>(id);
}
CBanner* ControlTable::Banner(int id) const
{
    return As<CBanner>(id);
}

void ControlTable::Show(std::span<const int> ids, bool show) const
{
    for (const int id : ids)
        if (QWidget* widget = At(id))
            widget->setVisible(show);
}

void ControlTable::Enable(std::span<const int> ids, bool enable) const
{
    for (const int id : ids)
        if (QWidget* widget = At(id))
            widget->setEnabled(enable);
}

void ControlTable::SetTabOrder(std::span<const int> ids) const
{
    QWidget* previous = nullptr;
    for (const int id : ids) {
        QWidget* widget = At(id);
        if (!widget)
            continue;
        if (previous)
            QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
}

void ControlTable::Replace(int id, QWidget* widget)
{
    QWidget* old = At(id);
    if (!old || !widget)
        return;
    widget->setParent(old->parentWidget());
    widget->setGeometry(old->geometry());
    widget->setObjectName(old->objectName());
    widget->setVisible(!old->isHidden());
    widget->stackUnder(old);
    old->deleteLater();
    m_widgets[id] = widget;
}

} // namespace kelvara
