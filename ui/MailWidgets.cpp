#include "ui/MailWidgets.h"

#include <QHeaderView>
#include <QLabel>

#include "platform/TextTable.h"
#include "ui/CXListCtrl.h"

namespace qx {

QLabel* FieldLabel(const QString& text, QWidget* field, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setBuddy(field);
  QString name = text;
  name.remove(QLatin1Char('&'));
  field->setAccessibleName(name);
  return label;
}

void SetUpMailList(CXListCtrl* list) {
  list->setShowGrid(true);
  list->setSelectionBehavior(QAbstractItemView::SelectRows);
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  list->horizontalHeader()->setSectionsClickable(false);
  list->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  list->horizontalHeader()->setStretchLastSection(true);
  // Tab leaves the list for the next control; the arrows move in it.
  list->setTabKeyNavigation(false);
  list->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
}

QString MailWord(const CTextTable& texts, const char* key, const char* english) {
  return QString::fromUtf8(texts.UiWord(key, english));
}

}  // namespace qx
