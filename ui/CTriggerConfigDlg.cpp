#include "ui/CTriggerConfigDlg.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <utility>

#include "config/MailRules.h"
#include "config/ModuleConfig.h"
#include "platform/TextTable.h"
#include "platform/UiServices.h"
#include "ui/CAttachmentDlg.h"
#include "ui/CXListCtrl.h"
#include "ui/ConfiguratorContext.h"
#include "ui/DialogUnits.h"
#include "ui/FieldHelpers.h"
#include "ui/MailWidgets.h"

namespace qx {
namespace {

constexpr std::size_t kIntervalChars = 5;
using Trigger = TriggerView<uint8_t>;

QRadioButton* Radio(QWidget* parent, const QString& text, const char* name, QButtonGroup* group, int id) {
  auto* radio = new QRadioButton(text, parent);
  radio->setObjectName(QLatin1String(name));
  group->addButton(radio, id);
  return radio;
}

// Checks button id of group, or none when no button has that id.
void CheckId(QButtonGroup* group, int id) {
  group->setExclusive(false);
  for (QAbstractButton* button : group->buttons()) button->setChecked(group->id(button) == id);
  group->setExclusive(true);
}

}  // namespace

CTriggerConfigDlg::CTriggerConfigDlg(ConfiguratorContext& context, QWidget* parent)
    : QDialog(parent), context_(context) {
  setObjectName(QStringLiteral("triggerConfigDialog"));
  setWindowTitle(tr("Trigger Configuration"));
  setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
  BuildControls();
}

void CTriggerConfigDlg::BuildControls() {
  auto* setting = new QGroupBox(tr("Trigger Setting"), this);
  name_ = new QLineEdit(setting);
  name_->setObjectName(QStringLiteral("triggerNameEdit"));
  LimitEdit(name_, kMaxNameBytes);
  interval_ = new QLineEdit(setting);
  interval_->setObjectName(QStringLiteral("intervalEdit"));
  interval_->setMaxLength(static_cast<int>(kIntervalChars));
  auto* settingGrid = new QGridLayout(setting);
  settingGrid->addWidget(FieldLabel(tr("Trigger Name"), name_, setting), 0, 0);
  settingGrid->addWidget(name_, 0, 1, 1, 2);
  settingGrid->addWidget(FieldLabel(tr("Trigger Interval"), interval_, setting), 1, 0);
  settingGrid->addWidget(interval_, 1, 1);
  settingGrid->addWidget(new QLabel(tr("* 10 min ( 10 - 14400 min )"), setting), 1, 2);
  settingGrid->setColumnStretch(2, 1);

  auto* content = new QGroupBox(tr("Email Content"), this);
  userMessage_ = new QCheckBox(tr("User Message"), content);
  userMessage_->setObjectName(QStringLiteral("userMessageCheckBox"));
  message_ = new QLineEdit(content);
  message_->setObjectName(QStringLiteral("userMessageEdit"));
  message_->setAccessibleName(tr("User Message"));
  LimitEdit(message_, kMaxMessageBytes);
  auto* contentBox = new QHBoxLayout(content);
  contentBox->addWidget(userMessage_);
  contentBox->addWidget(message_, 1);

  auto* modeGroup = new QGroupBox(tr("Trigger Mode"), this);
  mode_ = new QButtonGroup(this);
  auto* modeBox = new QVBoxLayout(modeGroup);
  modeBox->addWidget(Radio(modeGroup, tr("Device Register Trigger"), "deviceRegisterRadioButton", mode_, 0));
  modeBox->addWidget(Radio(modeGroup, tr("CPU ( STOP <=> RUN )"), "cpuRadioButton", mode_, 1));
  modeBox->addWidget(Radio(modeGroup, tr("Periodic Timer"), "periodicTimerRadioButton", mode_, 2));

  auto* attachmentGroup = new QGroupBox(tr("Attachment"), this);
  attachment_ = new QButtonGroup(this);
  auto* none = Radio(attachmentGroup, tr("None"), "noneRadioButton", attachment_, kAttachmentNone);
  auto* plc =
      Radio(attachmentGroup, tr("PLC Device"), "plcDeviceRadioButton", attachment_, kAttachmentPlcDevice);
  attachmentList_ = new CXListCtrl(attachmentGroup);
  attachmentList_->setObjectName(QStringLiteral("attachmentList"));
  attachmentList_->setAccessibleName(tr("Attachment"));
  SetUpMailList(attachmentList_);
  attachmentList_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  attachmentList_->installEventFilter(this);
  auto* attachmentBox = new QGridLayout(attachmentGroup);
  attachmentBox->addWidget(none, 0, 0);
  attachmentBox->addWidget(plc, 1, 0, Qt::AlignTop);
  attachmentBox->addWidget(attachmentList_, 0, 1, 2, 1);
  attachmentBox->setColumnStretch(1, 1);

  auto* ok = new QPushButton(tr("OK"), this);
  ok->setObjectName(QStringLiteral("okButton"));
  ok->setDefault(true);
  auto* cancel = new QPushButton(tr("Cancel"), this);
  cancel->setObjectName(QStringLiteral("cancelButton"));

  auto* left = new QVBoxLayout;
  left->addWidget(setting);
  left->addWidget(content);
  left->addWidget(attachmentGroup);
  auto* right = new QVBoxLayout;
  right->addWidget(modeGroup);
  right->addStretch(1);
  right->addWidget(ok);
  right->addWidget(cancel);
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(left, 1);
  layout->addLayout(right);
  setMinimumWidth(DluX(this, 423));

  // Reading order for the keyboard: the left column (setting, message,
  // attachment), then the right one (mode, OK, Cancel). Tab enters a radio
  // group at its chosen button.
  QWidget* const order[] = {name_, interval_,       userMessage_,     message_,         none,
                            plc,   attachmentList_, mode_->button(0), mode_->button(1), mode_->button(2),
                            ok,    cancel};
  for (std::size_t i = 0; i + 1 < std::size(order); ++i) setTabOrder(order[i], order[i + 1]);

  connect(userMessage_, &QCheckBox::clicked, this, &CTriggerConfigDlg::ApplyUserMessageRule);
  connect(attachment_, &QButtonGroup::idClicked, this, &CTriggerConfigDlg::ApplyAttachmentRule);
  connect(attachmentList_, &CXListCtrl::doubleClickedAt, this, [this](int row, int column) {
    if (row >= 0 && column >= 0) EditAttachment();
  });
  connect(attachmentList_, &CXListCtrl::keyPressed, this, [this](int key) {
    if (key == Qt::Key_Delete && attachmentList_->selectionModel()->isRowSelected(0, QModelIndex())) {
      ClearAttachment();
    }
  });
  connect(ok, &QPushButton::clicked, this, &CTriggerConfigDlg::accept);
  connect(cancel, &QPushButton::clicked, this, &CTriggerConfigDlg::reject);
}

bool CTriggerConfigDlg::HasTrigger() const {
  return trigger_ >= 0 && trigger_ < layout::kTriggers;
}

void CTriggerConfigDlg::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!initialised_) {
    initialised_ = true;
    Initialise();
  }
}

void CTriggerConfigDlg::Initialise() {
  if (!HasTrigger()) {
    context_.ui.ShowMessage(tr("Trigger sequence error").toStdString(), MessageButtons::kOk);
    return;
  }
  const auto trigger = std::as_const(context_.record).Trigger(trigger_ + 1);
  name_->setText(FromRecordText(trigger.TriggerName()));
  interval_->setText(QString::number(trigger.Interval()));
  userMessage_->setChecked(trigger.TriggerFlags() & Trigger::kFlagUserMessage);
  message_->setText(FromRecordText(trigger.UserMessage()));
  ApplyUserMessageRule();
  // A mode the list does not have selects no button.
  CheckId(mode_, trigger.TriggerMode() != 0 ? trigger.TriggerMode() - 1 : 0);
  CheckId(attachment_,
          trigger.TriggerFlags() & Trigger::kFlagPlcDevice ? kAttachmentPlcDevice : kAttachmentNone);
  ApplyAttachmentRule();

  const CTextTable& texts = context_.texts;
  attachmentList_->InsertColumn(0, MailWord(texts, "TAB_DE_Item", "Item"), Qt::AlignCenter, 40);
  attachmentList_->InsertColumn(1, MailWord(texts, "TAB_MailP3_Device", "Device"), Qt::AlignCenter, 70);
  attachmentList_->InsertColumn(2, MailWord(texts, "TAB_MailP3_Number", "Number"), Qt::AlignCenter, 70);
  attachmentList_->InsertColumn(3, MailWord(texts, "TAB_MailP3_Length", "Length"), Qt::AlignCenter, 70);
  // Tall enough for the heading and its one row.
  attachmentList_->setFixedHeight(attachmentList_->horizontalHeader()->sizeHint().height() +
                                  attachmentList_->verticalHeader()->defaultSectionSize() +
                                  2 * attachmentList_->frameWidth() + 2);
  RefillAttachmentList();
}

void CTriggerConfigDlg::ApplyUserMessageRule() {
  message_->setEnabled(userMessage_->isChecked());
}

void CTriggerConfigDlg::ApplyAttachmentRule() {
  attachmentList_->setEnabled(attachment_->checkedId() == kAttachmentPlcDevice);
}

void CTriggerConfigDlg::RefillAttachmentList() {
  const auto trigger = std::as_const(context_.record).Trigger(trigger_ + 1);
  const bool selected = attachmentList_->currentRow() == 0;
  attachmentList_->setUpdatesEnabled(false);
  attachmentList_->DeleteAllItems();
  attachmentList_->InsertItem(0, QStringLiteral("1"), Qt::black, MailRowBackground(0));
  if (trigger.AttachmentLength(1) != 0) {
    attachmentList_->SetItemText(0, 1, QLatin1String(DeviceName(trigger.AttachmentDevice(1))));
    attachmentList_->SetItemText(0, 2, QString::number(trigger.AttachmentNumber(1)));
    attachmentList_->SetItemText(0, 3, QString::number(trigger.AttachmentLength(1)));
  }
  // The row stays selected, so that Delete works after the Attachment dialog.
  if (selected) attachmentList_->setCurrentCell(0, 0);
  attachmentList_->setUpdatesEnabled(true);
}

void CTriggerConfigDlg::EditAttachment() {
  if (!HasTrigger()) return;
  const Trigger trigger = context_.record.Trigger(trigger_ + 1);
  CAttachmentDlg dialog(context_, this);
  dialog.SetDeviceIndex(trigger.AttachmentDevice(1));
  dialog.SetNumberText(QString::number(trigger.AttachmentNumber(1)));
  dialog.SetLengthText(QString::number(trigger.AttachmentLength(1)));
  if (dialog.exec() != QDialog::Accepted) return;
  // No device chosen is stored as 0xFFFF, the 16 bits of -1.
  trigger.SetAttachmentDevice(1, static_cast<uint16_t>(dialog.DeviceIndex()));
  trigger.SetAttachmentNumber(1, static_cast<uint16_t>(LeadingDecimal(dialog.NumberText())));
  trigger.SetAttachmentLength(1, static_cast<uint16_t>(LeadingDecimal(dialog.LengthText())));
  RefillAttachmentList();
}

void CTriggerConfigDlg::ClearAttachment() {
  if (!HasTrigger()) return;
  const Trigger trigger = context_.record.Trigger(trigger_ + 1);
  trigger.SetAttachmentNumber(1, 0);
  trigger.SetAttachmentLength(1, 0);
  RefillAttachmentList();
}

// Enter on the attachment row opens the Attachment dialog, as a double click
// does, instead of pressing OK.
bool CTriggerConfigDlg::eventFilter(QObject* watched, QEvent* event) {
  if (watched == attachmentList_ && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      EditAttachment();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void CTriggerConfigDlg::accept() {
  if (!HasTrigger()) return;
  const Trigger trigger = context_.record.Trigger(trigger_ + 1);
  const std::string name = Utf8Prefix(name_->text(), kMaxNameBytes);
  trigger.SetTriggerName(name);
  trigger.SetNameLength(static_cast<uint8_t>(name.size()));
  const int interval = LeadingDecimal(interval_->text());
  if (interval < kMinInterval || interval > kMaxInterval) {
    context_.ui.ShowMessage(context_.texts.Message("Msg32"), MessageButtons::kOk);
    interval_->setText(QStringLiteral("1"));
    RejectField(interval_);
    return;
  }
  trigger.SetInterval(static_cast<uint16_t>(interval));
  uint8_t flags = trigger.TriggerFlags();
  flags = userMessage_->isChecked() ? flags | Trigger::kFlagUserMessage : flags & ~Trigger::kFlagUserMessage;
  const std::string message = Utf8Prefix(message_->text(), kMaxMessageBytes);
  trigger.SetUserMessage(message);
  trigger.SetMessageLength(static_cast<uint8_t>(message.size()));
  // No mode button chosen stores 0: the trigger is then not configured.
  trigger.SetTriggerMode(static_cast<uint8_t>(mode_->checkedId() + 1));
  flags &= ~Trigger::kFlagBit2;
  if (attachment_->checkedId() == kAttachmentPlcDevice) {
    flags |= Trigger::kFlagPlcDevice;
  } else {
    flags &= ~Trigger::kFlagPlcDevice;
    for (int a = 1; a <= layout::kAttachments; ++a) {
      trigger.SetAttachmentNumber(a, 0);
      trigger.SetAttachmentLength(a, 0);
    }
  }
  trigger.SetTriggerFlags(flags);
  QDialog::accept();
}

}  // namespace qx
