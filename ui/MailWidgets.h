// Pieces the e-mail pages and dialogs share: a label tied to its field (so
// that a screen reader names the field after its label and the label's
// mnemonic reaches it), the report-list look of their three lists, and the
// UIStr lookups with their English replacements.
#pragma once

#include <QColor>
#include <QString>

class QLabel;
class QWidget;

namespace qx {

class CTextTable;
class CXListCtrl;

// Row backgrounds of the mail lists: even rows light blue, odd rows white.
inline QColor MailRowBackground(int row) {
  return row % 2 == 0 ? QColor(222, 238, 254) : QColor(Qt::white);
}

// A label for field: the label's buddy is the field and the field's
// accessible name is the label's text without its mnemonic marker.
QLabel* FieldLabel(const QString& text, QWidget* field, QWidget* parent);

// Grid lines, whole rows selected one at a time, a header that neither
// sorts nor resizes, the last column taking the rest of the width, Tab
// leaving the list, no editing unless a cell asks for it.
void SetUpMailList(CXListCtrl* list);

// The UIStr word of key, or english when the table gives an empty text.
QString MailWord(const CTextTable& texts, const char* key, const char* english);

}  // namespace qx
