#include "ui/CMailPageDlg2.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QVBoxLayout>
#include <algorithm>

#include "config/ModuleConfig.h"
#include "platform/TextTable.h"
#include "ui/CTriggerConfigDlg.h"
#include "ui/CXListCtrl.h"
#include "ui/ConfiguratorContext.h"
#include "ui/FieldHelpers.h"
#include "ui/MailWidgets.h"

namespace qx {

CMailPageDlg2::CMailPageDlg2(ConfiguratorContext& context, QWidget* parent)
    : QWidget(parent), context_(context) {
  setObjectName(QStringLiteral("mailTriggerPage"));
  auto* group = new QGroupBox(tr("Trigger Configuration"), this);
  list_ = new CXListCtrl(group);
  list_->setObjectName(QStringLiteral("triggerList"));
  list_->setAccessibleName(tr("Trigger Configuration"));
  SetUpMailList(list_);
  const CTextTable& texts = context_.texts;
  list_->InsertColumn(0, MailWord(texts, "TAB_DE_Item", "Item"), Qt::AlignCenter, 40);
  list_->InsertColumn(1, MailWord(texts, "TAB_MailP2_Trig_Name", "Trigger Name"), Qt::AlignCenter, 150);
  list_->InsertColumn(2, MailWord(texts, "TAB_MailP2_Trig_Mode", "Trigger Mode"), Qt::AlignCenter, 150);
  list_->InsertColumn(3, MailWord(texts, "TAB_MailP2_Attached", "Attached"), Qt::AlignCenter, 100);
  list_->installEventFilter(this);
  auto* box = new QVBoxLayout(group);
  box->addWidget(list_);
  auto* page = new QVBoxLayout(this);
  page->addWidget(group);

  connect(list_, &CXListCtrl::doubleClickedAt, this, [this](int row, int column) {
    if (row >= 0 && column >= 0) EditTrigger(row);
  });
  connect(list_, &CXListCtrl::keyPressed, this, [this](int key) {
    if (key == Qt::Key_Delete) DeleteSelectedTrigger();
  });
  LoadFromRecord();
}

void CMailPageDlg2::LoadFromRecord() {
  static constexpr struct {
    const char* key;
    const char* english;
  } kModes[] = {{"TAB_MailP3_TrigMode1", "Device Register Trigger"},
                {"TAB_MailP3_TrigMode2", "CPU ( STOP <=> RUN )"},
                {"TAB_MailP3_TrigMode3", "Periodic Timer"}};
  const CTextTable& texts = context_.texts;
  const ModuleConfig& record = context_.record;
  const int current = list_->currentRow();
  list_->setUpdatesEnabled(false);
  list_->DeleteAllItems();
  for (int t = 0; t < layout::kTriggers; ++t) {
    list_->InsertItem(t, QString::number(t + 1), Qt::black, MailRowBackground(t));
    const auto trigger = record.Trigger(t + 1);
    const int mode = trigger.TriggerMode();
    if (mode == 0) continue;  // not configured
    list_->SetItemText(t, 1, FromRecordText(trigger.TriggerName()));
    // A mode code without a name (from an uploaded image) shows an empty cell.
    if (mode >= 1 && mode <= 3)
      list_->SetItemText(t, 2, MailWord(texts, kModes[mode - 1].key, kModes[mode - 1].english));
    const bool plc = trigger.TriggerFlags() & TriggerView<const uint8_t>::kFlagPlcDevice;
    list_->SetItemText(t, 3,
                       plc ? MailWord(texts, "TAB_MailP3_Attachment2", "PLC Device")
                           : MailWord(texts, "TAB_MailP3_Attachment1", "None"));
  }
  // The row the user was on stays current, so that the keyboard keeps its place.
  if (current >= 0) list_->setCurrentCell(current, 0);
  list_->setUpdatesEnabled(true);
}

bool CMailPageDlg2::ValidateAndStore() {
  return true;
}

void CMailPageDlg2::EditTrigger(int index) {
  if (index < 0 || index >= layout::kTriggers) return;
  CTriggerConfigDlg dialog(context_, this);
  dialog.SetTriggerIndex(index);
  if (dialog.exec() == QDialog::Accepted) LoadFromRecord();
}

void CMailPageDlg2::DeleteSelectedTrigger() {
  const QModelIndexList rows = list_->selectionModel()->selectedRows();
  if (rows.isEmpty()) return;
  int first = rows.front().row();
  for (const QModelIndex& row : rows) first = std::min(first, row.row());
  context_.record.ResetTrigger(first + 1);
  LoadFromRecord();
}

// Enter on a row opens its trigger, as a double click does, instead of
// pressing the window's OK.
bool CMailPageDlg2::eventFilter(QObject* watched, QEvent* event) {
  if (watched == list_ && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      if (list_->currentRow() >= 0) EditTrigger(list_->currentRow());
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace qx
