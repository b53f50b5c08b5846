// The main dialog's controls, built from the dialog template and found by id.
#pragma once

#include "app/DialogTemplate.h"

#include <QWidget>
#include <span>
#include <unordered_map>

namespace kelvara {
class CFadeInPicture;
class CImageTab;
class CSkinButton;
class CSkinComboBox;
class CSkinGroupBox;
class CSkinLabel;
class CSkinTextField;

class CBanner;

class ControlTable {
public:
    // Makes every control of the template as a child of `parent`.
    explicit ControlTable(QWidget* parent);

    // The control with this id; nullptr for an id the template lacks.
    QWidget* At(int id) const;
    CSkinButton* Button(int id) const;
    CImageTab* Tab(int id) const;
    CSkinComboBox* Combo(int id) const;
    CSkinTextField* Field(int id) const;
    CSkinLabel* Label(int id) const;
    CSkinGroupBox* Group(int id) const;
    CFadeInPicture* Picture(int id) const;
    CBanner* Banner(int id) const;

    void Show(std::span<const int> ids, bool show) const;
    void Enable(std::span<const int> ids, bool enable) const;
    // Tab moves through the controls in the order of `ids`; ids the
    // template lacks are passed over.
    void SetTabOrder(std::span<const int> ids) const;
    // Puts `widget` in the place (and the id) of a reserved control.
    void Replace(int id, QWidget* widget);

private:
    template <typename T> T* As(int id) const;

    std::unordered_map<int, QWidget*> m_widgets;
};

} // namespace kelvara
