#include "ui/CAttachmentDlg.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "config/MailRules.h"
#include "platform/TextTable.h"
#include "platform/UiServices.h"
#include "ui/ConfiguratorContext.h"
#include "ui/DialogUnits.h"
#include "ui/FieldHelpers.h"
#include "ui/MailWidgets.h"

namespace qx {
namespace {

constexpr std::size_t kNumberDigits = 5;
constexpr std::size_t kLengthDigits = 4;

}  // namespace

CAttachmentDlg::CAttachmentDlg(ConfiguratorContext& context, QWidget* parent)
    : QDialog(parent), context_(context) {
  setObjectName(QStringLiteral("attachmentDialog"));
  setWindowTitle(tr("Attachment"));
  setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

  auto* group = new QGroupBox(tr("PLC Device"), this);
  device_ = new QComboBox(group);
  device_->setObjectName(QStringLiteral("deviceComboBox"));
  for (int code = 0; code < kAttachmentDeviceCount; ++code) device_->addItem(QLatin1String(DeviceName(code)));
  number_ = new QLineEdit(QStringLiteral("0"), group);
  number_->setObjectName(QStringLiteral("numberEdit"));
  LimitEdit(number_, kNumberDigits, true);
  length_ = new QLineEdit(QStringLiteral("0"), group);
  length_->setObjectName(QStringLiteral("lengthEdit"));
  LimitEdit(length_, kLengthDigits, true);
  device_->setCurrentIndex(-1);

  auto* grid = new QGridLayout(group);
  grid->addWidget(FieldLabel(tr("Device"), device_, group), 0, 0);
  grid->addWidget(device_, 0, 1);
  grid->addWidget(FieldLabel(tr("Number"), number_, group), 1, 0);
  grid->addWidget(number_, 1, 1);
  grid->addWidget(FieldLabel(tr("Length"), length_, group), 2, 0);
  grid->addWidget(length_, 2, 1);
  grid->setColumnMinimumWidth(1, DluX(this, 60));

  auto* ok = new QPushButton(tr("OK"), this);
  ok->setObjectName(QStringLiteral("okButton"));
  ok->setDefault(true);
  auto* cancel = new QPushButton(tr("Cancel"), this);
  cancel->setObjectName(QStringLiteral("cancelButton"));
  auto* buttons = new QVBoxLayout;
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  buttons->addStretch(1);
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(group, 1);
  layout->addLayout(buttons);

  connect(ok, &QPushButton::clicked, this, &CAttachmentDlg::accept);
  connect(cancel, &QPushButton::clicked, this, &CAttachmentDlg::reject);
}

void CAttachmentDlg::SetDeviceIndex(int index) {
  device_->setCurrentIndex(index >= 0 && index < device_->count() ? index : -1);
}

void CAttachmentDlg::SetNumberText(const QString& text) {
  number_->setText(text);
}

void CAttachmentDlg::SetLengthText(const QString& text) {
  length_->setText(text);
}

int CAttachmentDlg::DeviceIndex() const {
  return device_->currentIndex();
}

QString CAttachmentDlg::NumberText() const {
  return number_->text();
}

QString CAttachmentDlg::LengthText() const {
  return length_->text();
}

// A block without data (length "0") is offered as a D block.
void CAttachmentDlg::showEvent(QShowEvent* event) {
  if (!initialised_) {
    initialised_ = true;
    if (length_->text() == QLatin1String("0")) device_->setCurrentIndex(kDeviceD);
  }
  QDialog::showEvent(event);
}

void CAttachmentDlg::accept() {
  const int code = device_->currentIndex();
  const long long number = LeadingDecimal(number_->text());
  const long long length = LeadingDecimal(length_->text());
  const std::optional<AttachmentLimits> limits = AttachmentLimitsOf(code);
  switch (CheckAttachment(code, number, length)) {
    case AttachmentFault::kNone:
      QDialog::accept();
      return;
    case AttachmentFault::kNumberTooHigh:
      context_.ui.ShowMessage(
          context_.texts.FormatMessage("Msg25", {std::string(DeviceName(code)), limits->highestNumber}),
          MessageButtons::kOk);
      RejectField(number_);
      return;
    case AttachmentFault::kLengthTooHigh:
      context_.ui.ShowMessage(context_.texts.FormatMessage("Msg26", {limits->highestLength}),
                              MessageButtons::kOk);
      RejectField(length_);
      return;
    case AttachmentFault::kPastRange:
      context_.ui.ShowMessage(context_.texts.FormatMessage("Msg27", {limits->highestNumber}),
                              MessageButtons::kOk);
      return;
  }
}

}  // namespace qx
