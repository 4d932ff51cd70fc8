#include "ui/CItemEditDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "config/ModuleConfig.h"
#include "platform/TextTable.h"
#include "platform/UiServices.h"
#include "ui/CIpAddressCtrl.h"
#include "ui/CMaskEdit.h"
#include "ui/ConfiguratorContext.h"
#include "ui/DialogUnits.h"
#include "ui/FieldHelpers.h"

namespace qx {
namespace {

// Character limits of the digit fields.
constexpr std::size_t kSlaveDigits = 3;
constexpr std::size_t kMillisecondDigits = 5;
constexpr std::size_t kOffsetDigits = 5;
constexpr std::size_t kQuantityDigits = 5;
constexpr std::size_t kBitDigits = 2;

QLineEdit* DigitEdit(QWidget* parent, const char* name, std::size_t digits, int widthUnits) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(QLatin1String(name));
  LimitEdit(edit, digits, true);
  edit->setFixedWidth(DluX(parent, widthUnits));
  return edit;
}

QComboBox* List(QWidget* parent, const char* name) {
  auto* list = new QComboBox(parent);
  list->setObjectName(QLatin1String(name));
  return list;
}

// The label beside a control names it: its buddy for the keyboard, its text
// for a screen reader.
QLabel* Label(QWidget* parent, const QString& text, QWidget* control, const char* name = nullptr) {
  auto* label = new QLabel(text, parent);
  if (name) label->setObjectName(QLatin1String(name));
  label->setBuddy(control);
  control->setAccessibleName(text);
  return label;
}

void Rename(QLabel* label, const QString& text) {
  label->setText(text);
  if (QWidget* control = label->buddy()) control->setAccessibleName(text);
}

int Clamp(int selection, int count) {
  return selection >= 0 && selection < count ? selection : -1;
}

}  // namespace

CItemEditDlg::CItemEditDlg(ConfiguratorContext& context, int itemIndex, const AreaBases& bases, QWidget* parent)
    : QDialog(parent), context_(context), itemIndex_(itemIndex), bases_(bases) {
  setObjectName(QStringLiteral("itemEditDialog"));
  setWindowTitle(tr("Item Edit"));
  setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
  const SessionFields& s = context_.session;
  limits_ = LoadItemLimits(
      {context_.projectBasePath, context_.moduleDirectory, s.Rack, s.Slot, context_.readLenMax, context_.writeLenMax});
  BuildControls();
  std::optional<ItemFields> loaded = LoadItemFields(table_, context_.record, itemIndex_ + 1, limits_, bases_,
                                                    context_.texts.UiWord("TAB_DE_Local_Addr"));
  loaded_ = loaded.has_value();
  if (loaded_) fields_ = std::move(*loaded);
  ok_->setEnabled(loaded_);
  ShowFields();
}

void CItemEditDlg::BuildControls() {
  itemNumber_ = new QLabel(this);
  itemNumber_->setObjectName(QStringLiteral("itemNumberLabel"));
  enabled_ = new QCheckBox(tr("Enabled"), this);
  enabled_->setObjectName(QStringLiteral("enabledCheckBox"));
  auto* itemTitle = Label(this, tr("Item"), itemNumber_);
  auto* top = new QHBoxLayout;
  top->addWidget(itemTitle);
  top->addWidget(itemNumber_);
  top->addSpacing(DluX(this, 20));
  top->addWidget(enabled_);
  top->addStretch(1);

  auto* device = new QGroupBox(tr("Remote Device"), this);
  slaveAddress_ = DigitEdit(device, "slaveAddressEdit", kSlaveDigits, 40);
  ipAddress_ = new CIpAddressCtrl(device);
  ipAddress_->setObjectName(QStringLiteral("ipAddressCtrl"));
  ipAddress_->setFixedWidth(DluX(this, 100));
  deviceType_ = List(device, "deviceTypeComboBox");
  for (uint16_t t = 0; t < table_.DeviceTypeCount(); ++t) {
    deviceType_->addItem(QString::fromUtf8(std::string(table_.DeviceTypeName(t))));
  }
  supportFc17_ = new QCheckBox(tr("Support Function Code 0x17"), device);
  supportFc17_->setObjectName(QStringLiteral("supportFc17CheckBox"));
  updateCycle_ = DigitEdit(device, "updateCycleEdit", kMillisecondDigits, 40);
  timeout_ = DigitEdit(device, "timeoutEdit", kMillisecondDigits, 40);
  auto* grid = new QGridLayout(device);
  grid->addWidget(Label(device, tr("Slave Address"), slaveAddress_), 0, 0);
  grid->addWidget(slaveAddress_, 0, 1, Qt::AlignLeft);
  grid->addWidget(Label(device, tr("IP Address"), ipAddress_), 0, 2);
  grid->addWidget(ipAddress_, 0, 3, Qt::AlignLeft);
  grid->addWidget(Label(device, tr("Device Type"), deviceType_), 1, 0);
  grid->addWidget(deviceType_, 1, 1);
  grid->addWidget(supportFc17_, 1, 2, 1, 2);
  grid->addWidget(Label(device, tr("Update Cycle (ms)"), updateCycle_), 2, 0);
  grid->addWidget(updateCycle_, 2, 1, Qt::AlignLeft);
  grid->addWidget(Label(device, tr("Timeout (ms)"), timeout_), 2, 2);
  grid->addWidget(timeout_, 2, 3, Qt::AlignLeft);
  grid->setColumnStretch(3, 1);

  auto* blocksRow = new QHBoxLayout;
  blocksRow->addWidget(BuildBlock(Direction::kRead, tr("Read")));
  blocksRow->addWidget(BuildBlock(Direction::kWrite, tr("Write")));

  ok_ = new QPushButton(tr("OK"), this);
  ok_->setObjectName(QStringLiteral("okButton"));
  ok_->setDefault(true);
  auto* cancel = new QPushButton(tr("Cancel"), this);
  cancel->setObjectName(QStringLiteral("cancelButton"));
  for (QPushButton* b : {ok_, cancel}) {
    b->setAutoDefault(true);
    b->setMinimumWidth(DluX(this, 50));
  }
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(ok_);
  buttons->addWidget(cancel);

  auto* page = new QVBoxLayout(this);
  page->addLayout(top);
  page->addWidget(device);
  page->addLayout(blocksRow);
  page->addLayout(buttons);

  // The tab order follows the reading order: the device, then each block.
  QWidget* order[] = {enabled_,
                      slaveAddress_,
                      ipAddress_,
                      deviceType_,
                      supportFc17_,
                      updateCycle_,
                      timeout_,
                      blocks_[0].offset,
                      blocks_[0].kind,
                      blocks_[0].number,
                      blocks_[0].bit,
                      blocks_[0].quantity,
                      blocks_[1].offset,
                      blocks_[1].kind,
                      blocks_[1].number,
                      blocks_[1].bit,
                      blocks_[1].quantity,
                      ok_,
                      cancel};
  for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);

  // Selections made by the program are made under signal blockers.
  connect(deviceType_, &QComboBox::currentIndexChanged, this, &CItemEditDlg::FillKindLists);
  connect(blocks_[0].kind, &QComboBox::currentIndexChanged, this, &CItemEditDlg::OnReadKindChanged);
  connect(blocks_[1].kind, &QComboBox::currentIndexChanged, this, &CItemEditDlg::OnWriteKindChanged);
  connect(ok_, &QPushButton::clicked, this, &CItemEditDlg::OnOK);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

QWidget* CItemEditDlg::BuildBlock(Direction dir, const QString& title) {
  const bool read = dir == Direction::kRead;
  auto* group = new QGroupBox(title, this);
  group->setObjectName(read ? QStringLiteral("readGroup") : QStringLiteral("writeGroup"));
  BlockWidgets& w = Widgets(dir);
  w.offset = DigitEdit(group, read ? "readLocalOffsetEdit" : "writeLocalOffsetEdit", kOffsetDigits, 40);
  w.kind = List(group, read ? "readKindComboBox" : "writeKindComboBox");
  w.kind->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  w.number = new CMaskEdit(group);
  w.number->setObjectName(read ? QStringLiteral("readNumberEdit") : QStringLiteral("writeNumberEdit"));
  w.number->setFixedWidth(DluX(this, 50));
  w.number->SetUiServices(&context_.ui);
  w.bit = DigitEdit(group, read ? "readBitEdit" : "writeBitEdit", kBitDigits, 20);
  w.quantity = DigitEdit(group, read ? "readQuantityEdit" : "writeQuantityEdit", kQuantityDigits, 40);
  w.addr = new QLabel(group);
  w.addr->setObjectName(read ? QStringLiteral("readAddrLabel") : QStringLiteral("writeAddrLabel"));
  w.localAddress =
      Label(group, QString(), w.offset, read ? "readLocalAddressLabel" : "writeLocalAddressLabel");
  w.remote = Label(group, QString(), w.number, read ? "readRemoteAddressLabel" : "writeRemoteAddressLabel");
  auto* bitLabel = Label(group, QStringLiteral("."), w.bit);
  w.bit->setAccessibleName(tr("Bit"));
  auto* quantityLabel = Label(group, tr("Quantity"), w.quantity);
  for (QWidget* control : {static_cast<QWidget*>(w.offset), static_cast<QWidget*>(w.kind),
                           static_cast<QWidget*>(w.number), static_cast<QWidget*>(w.bit),
                           static_cast<QWidget*>(w.quantity)}) {
    control->setAccessibleDescription(title);
  }

  auto* grid = new QGridLayout(group);
  grid->addWidget(w.localAddress, 0, 0, 1, 4);
  grid->addWidget(w.addr, 1, 0);
  grid->addWidget(new QLabel(QStringLiteral("+"), group), 1, 1);
  grid->addWidget(w.offset, 1, 2, 1, 2, Qt::AlignLeft);
  grid->addWidget(w.remote, 2, 0, 1, 4);
  grid->addWidget(w.kind, 3, 0, 1, 4);
  grid->addWidget(w.number, 4, 0, 1, 2);
  grid->addWidget(bitLabel, 4, 2);
  grid->addWidget(w.bit, 4, 3, Qt::AlignLeft);
  grid->addWidget(quantityLabel, 5, 0, 1, 2);
  grid->addWidget(w.quantity, 5, 2, 1, 2, Qt::AlignLeft);
  grid->setColumnStretch(3, 1);
  return group;
}

QString CItemEditDlg::MessageText(const MessageRef& message) const {
  std::string format = context_.texts.Message(message.key);
  // The label must say something even with a text table that lacks it.
  if (format.empty() && message.key == "Msg14") format = tr("Remote Address %s").toStdString();
  return QString::fromStdString(SafeFormat(format, message.args));
}

void CItemEditDlg::ReadControls() {
  fields_.Enabled = enabled_->isChecked();
  fields_.SlaveAddress = slaveAddress_->text().toStdString();
  fields_.IpAddress = ipAddress_->GetAddress();
  fields_.UpdateCycle = updateCycle_->text().toStdString();
  fields_.Timeout = timeout_->text().toStdString();
  fields_.SupportFc17 = supportFc17_->isChecked();
  fields_.DeviceType = deviceType_->currentIndex();
  for (Direction dir : {Direction::kRead, Direction::kWrite}) {
    BlockWidgets& w = Widgets(dir);
    BlockFields& b = fields_.Block(dir);
    b.LocalOffset = w.offset->text().toStdString();
    b.Quantity = w.quantity->text().toStdString();
    b.Number = w.number->text().toStdString();
    b.Bit = w.bit->text().toStdString();
    b.Kind = w.kind->currentIndex();
  }
}

void CItemEditDlg::ShowFields() {
  itemNumber_->setText(QString::fromStdString(fields_.ItemLabel));
  enabled_->setChecked(fields_.Enabled);
  slaveAddress_->setText(QString::fromStdString(fields_.SlaveAddress));
  ipAddress_->SetAddress(fields_.IpAddress);
  updateCycle_->setText(QString::fromStdString(fields_.UpdateCycle));
  timeout_->setText(QString::fromStdString(fields_.Timeout));
  supportFc17_->setChecked(fields_.SupportFc17);
  {
    const QSignalBlocker block(deviceType_);
    deviceType_->setCurrentIndex(Clamp(fields_.DeviceType, deviceType_->count()));
  }
  ShowBlock(Direction::kRead);
  ShowBlock(Direction::kWrite);
}

void CItemEditDlg::ShowBlock(Direction dir) {
  BlockWidgets& w = Widgets(dir);
  const BlockFields& b = fields_.Block(dir);
  {
    const QSignalBlocker block(w.kind);
    w.kind->clear();
    for (const std::string& name : b.KindNames) w.kind->addItem(QString::fromStdString(name));
    w.kind->setCurrentIndex(Clamp(b.Kind, w.kind->count()));
  }
  Rename(w.localAddress, QString::fromStdString(b.LocalAddressLabel));
  w.addr->setText(QString::fromStdString(b.AddrLabel));
  Rename(w.remote, MessageText(b.RemoteLabel));
  w.kind->setAccessibleName(w.remote->text());
  w.offset->setText(QString::fromStdString(b.LocalOffset));
  w.number->SetMask(QString::fromStdString(b.Mask));
  w.number->SetChars(b.Chars);
  w.number->setText(QString::fromStdString(b.Number));
  w.bit->setText(QString::fromStdString(b.Bit));
  w.bit->setEnabled(b.BitEnabled);
  w.quantity->setText(QString::fromStdString(b.Quantity));
}

void CItemEditDlg::FillKindLists() {
  ReadControls();
  qx::FillKindLists(table_, fields_);
  ShowBlock(Direction::kRead);
  ShowBlock(Direction::kWrite);
}

void CItemEditDlg::OnKindChanged(Direction dir) {
  ReadControls();
  qx::OnKindChanged(table_, fields_, dir);
  ShowBlock(dir);
}

void CItemEditDlg::OnReadKindChanged() {
  OnKindChanged(Direction::kRead);
}

void CItemEditDlg::OnWriteKindChanged() {
  OnKindChanged(Direction::kWrite);
}

QLineEdit* CItemEditDlg::FieldOf(ItemField field) const {
  switch (field) {
    case ItemField::kSlaveAddress:
      return slaveAddress_;
    case ItemField::kUpdateCycle:
      return updateCycle_;
    case ItemField::kTimeout:
      return timeout_;
    case ItemField::kReadLocalOffset:
      return blocks_[0].offset;
    case ItemField::kReadQuantity:
      return blocks_[0].quantity;
    case ItemField::kReadNumber:
      return blocks_[0].number;
    case ItemField::kReadBit:
      return blocks_[0].bit;
    case ItemField::kWriteLocalOffset:
      return blocks_[1].offset;
    case ItemField::kWriteQuantity:
      return blocks_[1].quantity;
    case ItemField::kWriteNumber:
      return blocks_[1].number;
    case ItemField::kWriteBit:
      return blocks_[1].bit;
    case ItemField::kNone:
      break;
  }
  return nullptr;
}

void CItemEditDlg::OnOK() {
  if (!loaded_) return;
  ReadControls();
  const ValidationResult result = ValidateItem(table_, fields_, limits_, context_.record, itemIndex_ + 1);
  if (result.ok) {
    accept();
    return;
  }
  // The one correction ValidateItem makes: the area maximum in the offset.
  for (Direction dir : {Direction::kRead, Direction::kWrite}) {
    Widgets(dir).offset->setText(QString::fromStdString(fields_.Block(dir).LocalOffset));
  }
  if (!result.message.key.empty()) {
    context_.ui.ShowMessage(MessageText(result.message).toStdString(), MessageButtons::kOk);
  }
  if (QLineEdit* field = FieldOf(result.focus)) RejectField(field);
}

}  // namespace qx
