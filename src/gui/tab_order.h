#pragma once
// The designed tab order of a dialog, given as one list of its controls.
#include <QWidget>
#include <initializer_list>

namespace veltrun::gui {

inline void SetTabOrder(std::initializer_list<QWidget*> controls) {
    QWidget* previous = nullptr;
    for (QWidget* control : controls) {
        if (previous) QWidget::setTabOrder(previous, control);
        previous = control;
    }
}

}  // namespace veltrun::gui
