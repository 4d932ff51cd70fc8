// AccessibleLabels: ties a label to the control it names, so that a screen
// reader announces the control by that text, not by the title of the group
// box around it, and a mnemonic in the label moves the focus to the control.
// A control made of parts (the IPv4 address control's four fields, an
// editable list's edit) gives the name to each part that takes the focus.
#pragma once

#include <QLabel>
#include <QString>
#include <QWidget>

namespace qx {

// The text as read out: mnemonic markers removed ("&&" stays one '&').
inline QString PlainLabelText(const QString& text) {
  QString plain;
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text[i] == u'&' && i + 1 < text.size()) ++i;  // "&x" reads "x", "&&" reads "&"
    plain += text[i];
  }
  return plain.trimmed();
}

// For a control without a label of its own (a row of a table whose heading
// says what it is): the name a screen reader says, e.g. "Community 1".
inline void NameControl(QWidget* control, const QString& name) {
  const QString plain = PlainLabelText(name);
  control->setAccessibleName(plain);
  for (QWidget* part : control->findChildren<QWidget*>()) {
    if (part->focusPolicy() != Qt::NoFocus) part->setAccessibleName(plain);
  }
}

// The label becomes the control's buddy and gives it its name. Returns the label.
inline QLabel* TieLabel(QLabel* label, QWidget* control) {
  label->setBuddy(control);
  NameControl(control, label->text());
  return label;
}

}  // namespace qx
