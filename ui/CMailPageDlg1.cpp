#include "ui/CMailPageDlg1.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "config/Base64.h"
#include "config/ModuleConfig.h"
#include "platform/TextTable.h"
#include "platform/UiServices.h"
#include "ui/CIpAddressCtrl.h"
#include "ui/ConfiguratorContext.h"
#include "ui/DialogUnits.h"
#include "ui/FieldHelpers.h"
#include "ui/MailWidgets.h"

namespace qx {
namespace {

constexpr std::size_t kPortDigits = 5;
constexpr int kAccountNo = 0;
constexpr int kAccountYes = 1;

QLineEdit* Edit(QWidget* parent, const char* name, std::size_t maxBytes, bool digitsOnly = false) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(QLatin1String(name));
  LimitEdit(edit, maxBytes, digitsOnly);
  return edit;
}

}  // namespace

CMailPageDlg1::CMailPageDlg1(ConfiguratorContext& context, QWidget* parent)
    : QWidget(parent), context_(context) {
  setObjectName(QStringLiteral("mailServerPage"));
  BuildControls();
  LoadFromRecord();
}

void CMailPageDlg1::BuildControls() {
  auto* serverGroup = new QGroupBox(tr("Mail Server Configuration"), this);
  server_ = new CIpAddressCtrl(serverGroup);
  server_->setObjectName(QStringLiteral("smtpServerAddress"));
  server_->setFixedWidth(DluX(this, 100));
  port_ = Edit(serverGroup, "portEdit", kPortDigits, true);
  port_->setAlignment(Qt::AlignCenter);
  port_->setFixedWidth(DluX(this, 40));
  defaultPort_ = new QRadioButton(tr("Default ( 25 )"), serverGroup);
  defaultPort_->setObjectName(QStringLiteral("defaultPortRadioButton"));
  // Alone in its group: only a load clears it.
  defaultPort_->setAutoExclusive(false);
  sender_ = Edit(serverGroup, "senderEdit", kMaxSenderBytes);
  subject_ = Edit(serverGroup, "subjectEdit", kMaxSubjectBytes);

  auto* serverLabel = FieldLabel(tr("SMTP Server"), server_, serverGroup);
  for (int i = 0; i < 4; ++i) server_->Field(i)->setAccessibleName(server_->accessibleName());
  auto* grid = new QGridLayout(serverGroup);
  grid->addWidget(serverLabel, 0, 0);
  grid->addWidget(server_, 0, 1, 1, 3, Qt::AlignLeft);
  grid->addWidget(FieldLabel(tr("Port"), port_, serverGroup), 1, 0);
  grid->addWidget(port_, 1, 1);
  grid->addWidget(defaultPort_, 1, 2);
  grid->addWidget(FieldLabel(tr("Local Email Address"), sender_, serverGroup), 2, 0);
  grid->addWidget(sender_, 2, 1, 1, 3);
  grid->addWidget(FieldLabel(tr("SMTP Subject"), subject_, serverGroup), 3, 0);
  grid->addWidget(subject_, 3, 1, 1, 3);
  grid->setColumnStretch(3, 1);
  grid->setColumnMinimumWidth(0, DluX(this, 70));

  auto* accountGroup = new QGroupBox(tr("Account Identification"), this);
  accountNo_ = new QRadioButton(tr("No"), accountGroup);
  accountNo_->setObjectName(QStringLiteral("accountNoRadioButton"));
  accountYes_ = new QRadioButton(tr("Yes"), accountGroup);
  accountYes_->setObjectName(QStringLiteral("accountYesRadioButton"));
  account_ = new QButtonGroup(this);
  account_->addButton(accountNo_, kAccountNo);
  account_->addButton(accountYes_, kAccountYes);
  auto* accountBox = new QVBoxLayout(accountGroup);
  accountBox->addWidget(accountNo_);
  accountBox->addWidget(accountYes_);
  accountBox->addStretch(1);

  auto* infoGroup = new QGroupBox(tr("Account Identification Info."), this);
  userName_ = Edit(infoGroup, "userNameEdit", kMaxCredentialBytes);
  password_ = Edit(infoGroup, "passwordEdit", kMaxCredentialBytes);
  password_->setEchoMode(QLineEdit::Password);
  auto* info = new QGridLayout(infoGroup);
  info->addWidget(FieldLabel(tr("User Name"), userName_, infoGroup), 0, 0);
  info->addWidget(userName_, 0, 1);
  info->addWidget(FieldLabel(tr("Password"), password_, infoGroup), 1, 0);
  info->addWidget(password_, 1, 1);
  info->setColumnStretch(1, 1);
  info->setRowStretch(2, 1);

  auto* bottom = new QHBoxLayout;
  bottom->addWidget(accountGroup, 1);
  bottom->addWidget(infoGroup, 3);
  auto* page = new QVBoxLayout(this);
  page->addWidget(serverGroup);
  page->addLayout(bottom);
  page->addStretch(1);

  connect(defaultPort_, &QRadioButton::clicked, this, &CMailPageDlg1::OnDefaultPortClicked);
  connect(account_, &QButtonGroup::idClicked, this, &CMailPageDlg1::ApplyAccountRule);
}

void CMailPageDlg1::OnDefaultPortClicked() {
  defaultPort_->setChecked(true);  // a click never clears it
  port_->setText(QString::number(kDefaultPort));
}

void CMailPageDlg1::ApplyAccountRule() {
  const bool enabled = !accountNo_->isChecked();
  userName_->setEnabled(enabled);
  password_->setEnabled(enabled);
}

void CMailPageDlg1::LoadFromRecord() {
  const ModuleConfig& record = context_.record;
  server_->SetAddress(record.SmtpServerIp());
  port_->setText(QString::number(record.SmtpPort()));
  defaultPort_->setChecked(record.SmtpPort() == kDefaultPort);
  sender_->setText(FromRecordText(record.SenderAddress()));
  subject_->setText(FromRecordText(record.Subject()));
  // Another value than 0 or 1 selects neither button.
  account_->setExclusive(false);
  accountNo_->setChecked(record.AuthRequired() == kAccountNo);
  accountYes_->setChecked(record.AuthRequired() == kAccountYes);
  account_->setExclusive(true);
  userName_->setText(FromRecordText(Base64Decode(record.UserNameText())));
  password_->setText(FromRecordText(Base64Decode(record.PasswordText())));
  ApplyAccountRule();
}

bool CMailPageDlg1::ValidateAndStore() {
  ModuleConfig& record = context_.record;
  record.SetSmtpServerIp(server_->GetAddress());
  const int port = LeadingDecimal(port_->text());
  if (port > kMaxPort) {
    context_.ui.ShowMessage(context_.texts.FormatMessage("Msg37", {kMaxPort}), MessageButtons::kOk);
    port_->setText(QString::number(kDefaultPort));
    RejectField(port_);
    return false;
  }
  record.SetSmtpPort(static_cast<uint16_t>(port));
  const std::string sender = Utf8Prefix(sender_->text(), kMaxSenderBytes);
  record.SetSenderAddress(sender);
  record.SetSenderLength(static_cast<uint8_t>(sender.size()));
  const std::string subject = Utf8Prefix(subject_->text(), kMaxSubjectBytes);
  record.SetSubject(subject);
  record.SetSubjectLength(static_cast<uint16_t>(subject.size()));
  // Neither button chosen is stored as 0xFF, the low byte of -1.
  record.SetAuthRequired(static_cast<uint8_t>(account_->checkedId()));
  const std::string user = Base64Encode(Utf8Prefix(userName_->text(), kMaxCredentialBytes));
  record.SetUserNameText(user);
  record.SetUserNameLength(static_cast<uint8_t>(user.size()));
  const std::string password = Base64Encode(Utf8Prefix(password_->text(), kMaxCredentialBytes));
  record.SetPasswordText(password);
  record.SetPasswordLength(static_cast<uint8_t>(password.size()));
  return true;
}

}  // namespace qx
