#include "ui/CMailPageDlg3.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QScrollBar>
#include <QVBoxLayout>

#include "config/ModuleConfig.h"
#include "platform/TextTable.h"
#include "platform/UiServices.h"
#include "ui/CXListCtrl.h"
#include "ui/ConfiguratorContext.h"
#include "ui/FieldHelpers.h"
#include "ui/MailWidgets.h"

namespace qx {
namespace {

constexpr int kFirstTriggerColumn = 1;
constexpr int kLabelWidth = 55;
constexpr int kBoxWidth = 60;
constexpr int kAddressWidth = 220;  // room for a usual address without scrolling

}  // namespace

CMailPageDlg3::CMailPageDlg3(ConfiguratorContext& context, QWidget* parent)
    : QWidget(parent), context_(context) {
  setObjectName(QStringLiteral("mailRecipientPage"));
  auto* group = new QGroupBox(tr("Email and Trigger Configuration"), this);
  list_ = new CXListCtrl(group);
  list_->setObjectName(QStringLiteral("recipientMatrix"));
  list_->setAccessibleName(tr("Email and Trigger Configuration"));
  SetUpMailList(list_);
  // A cell at a time: the keyboard moves to a box or an address.
  list_->setSelectionBehavior(QAbstractItemView::SelectItems);
  const CTextTable& texts = context_.texts;
  list_->InsertColumn(0, QString(), Qt::AlignCenter, kLabelWidth);
  const QString trigger = MailWord(texts, "TAB_MailP3_TrigConf", "Trigger");
  for (int t = 0; t < layout::kTriggers; ++t) {
    list_->InsertColumn(kFirstTriggerColumn + t, QStringLiteral("%1 %2").arg(trigger).arg(t + 1),
                        Qt::AlignCenter, kBoxWidth);
  }
  list_->InsertColumn(kAddressColumn, MailWord(texts, "TAB_MailP3_Mail_Addr", "Email Address"), Qt::AlignLeft,
                      kAddressWidth);
  list_->setMinimumWidth(kLabelWidth + layout::kTriggers * kBoxWidth + kAddressWidth +
                         2 * list_->frameWidth() + list_->verticalScrollBar()->sizeHint().width());
  list_->installEventFilter(this);
  auto* box = new QVBoxLayout(group);
  box->addWidget(list_);
  auto* page = new QVBoxLayout(this);
  page->addWidget(group);
  LoadFromRecord();
}

void CMailPageDlg3::LoadFromRecord() {
  const ModuleConfig& record = context_.record;
  const QString email = QString::fromUtf8(context_.texts.UiWord("TAB_Mail", "Email"));
  list_->setUpdatesEnabled(false);
  list_->DeleteAllItems();
  for (int r = 0; r < layout::kRecipients; ++r) {
    list_->InsertItem(r, QStringLiteral("%1 %2").arg(email).arg(r + 1), Qt::black, MailRowBackground(r));
    for (int t = 0; t < layout::kTriggers; ++t) {
      const bool mailed = record.Trigger(t + 1).RecipientMask() >> r & 1;
      list_->SetCheckbox(r, kFirstTriggerColumn + t, mailed ? CXListCtrl::kChecked : CXListCtrl::kUnchecked);
    }
    list_->SetItemText(r, kAddressColumn, FromRecordText(record.RecipientAddress(r + 1)));
    list_->SetEdit(r, kAddressColumn);
  }
  list_->setUpdatesEnabled(true);
}

bool CMailPageDlg3::ValidateAndStore() {
  ModuleConfig& record = context_.record;
  // The item word has no English replacement here: a table without it shows
  // only the number.
  const std::string item = context_.texts.UiWord("TAB_DE_Item", "");
  for (int t = 0; t < layout::kTriggers; ++t) {
    uint8_t mask = 0;
    for (int r = 0; r < layout::kRecipients; ++r) {
      if (list_->GetCheckbox(r, kFirstTriggerColumn + t) == CXListCtrl::kChecked) mask |= 1u << r;
    }
    record.Trigger(t + 1).SetRecipientMask(mask);
    const std::string address = list_->GetItemText(t, kAddressColumn).toStdString();
    const std::string prefix = item + std::to_string(t + 1) + ": ";
    if (!address.empty() && address.find('@') == std::string::npos) {
      context_.ui.ShowMessage(prefix + context_.texts.Message("Msg33"), MessageButtons::kOk);
      return false;
    }
    if (address.size() > kMaxAddressBytes) {
      context_.ui.ShowMessage(
          prefix + context_.texts.FormatMessage("Msg34", {static_cast<long long>(kMaxAddressBytes)}),
          MessageButtons::kOk);
      return false;
    }
    record.SetRecipientAddress(t + 1, address);
  }
  return true;
}

// Space on a box cell ticks or clears it, as a click on the box does.
bool CMailPageDlg3::eventFilter(QObject* watched, QEvent* event) {
  if (watched == list_ && event->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent*>(event)->key() == Qt::Key_Space) {
    const int row = list_->currentRow();
    const int column = list_->currentColumn();
    const int state = list_->GetCheckbox(row, column);
    if (state != CXListCtrl::kNoCheckbox) {
      list_->SetCheckbox(row, column,
                         state == CXListCtrl::kChecked ? CXListCtrl::kUnchecked : CXListCtrl::kChecked);
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace qx
