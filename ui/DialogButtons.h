// DialogButtons: the keyboard and spacing rules of the push buttons of every
// dialog and page of the window layer, as in the dialogs of the platform the
// window imitates:
// - Enter (Return or keypad Enter) on a focused push button presses that
//   button. Enter in any other control (an edit, a list, a check box)
//   presses the dialog's one default button, OK.
// - Neighbouring buttons of a row or a column keep the normal gap of 4
//   dialog units; they never touch.
// Buttons made with DialogButton and a default set with MakeDefaultButton
// follow both rules; a page's own buttons do too, as they live in the
// configurator window, a dialog.
#pragma once

#include <QBoxLayout>
#include <QLatin1String>
#include <QPushButton>
#include <QString>
#include <QWidget>

#include "ui/DialogUnits.h"

namespace qx {

// A push button that Enter presses while it has the focus: it is then the
// dialog's default, and the dialog's own default is restored when the focus
// moves on.
inline QPushButton* DialogButton(const QString& text, const char* objectName, QWidget* parent) {
  auto* button = new QPushButton(text, parent);
  button->setObjectName(QLatin1String(objectName));
  button->setAutoDefault(true);
  return button;
}

// The button Enter presses from the dialog's other controls.
inline void MakeDefaultButton(QPushButton* button) {
  button->setAutoDefault(true);
  button->setDefault(true);
}

// The gap between neighbouring buttons of a row (or, for a vertical layout,
// a column): 4 dialog units.
inline void SpaceButtons(QBoxLayout* layout, const QWidget* dialog) {
  const bool row = layout->direction() == QBoxLayout::LeftToRight || layout->direction() == QBoxLayout::RightToLeft;
  layout->setSpacing(row ? DluX(dialog, 4) : DluY(dialog, 4));
}

}  // namespace qx
