#include "ui/CDataExchDlg.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <filesystem>
#include <set>
#include <system_error>
#include <utility>

#include "config/ModuleConfig.h"
#include "dataexch/ItemCsv.h"
#include "dataexch/ItemTable.h"
#include "dataexch/RemoteAddress.h"
#include "platform/Inet.h"
#include "platform/TextTable.h"
#include "platform/UiServices.h"
#include "ui/CItemEditDlg.h"
#include "ui/CXListCtrl.h"
#include "ui/ConfiguratorContext.h"
#include "ui/DialogUnits.h"

// The page's images, drawn for this module: icon 230 (read) and 231 (write)
// of the list's image list, and the overlap mark.
#include "res/icons/overlap_warning.xpm"
#include "res/icons/read_arrow.xpm"
#include "res/icons/write_arrow.xpm"

namespace qx {
namespace {

// Both rows of an item share one background; items alternate.
const QColor kEvenItem(0xDE, 0xEE, 0xFE);
const QColor kOddItem(0xFF, 0xFF, 0xFF);

struct ColumnSpec {
  const char* key;  // UIStr key; null for the icon column
  int width;
};
constexpr ColumnSpec kColumnSpecs[CDataExchDlg::kColumns] = {
    {"TAB_DE_Item", 40},       {"TAB_DE_Enable", 70},      {"TAB_DE_Slave_Addr", 100},
    {"TAB_DE_IP_Addr", 100},   {"TAB_DE_Local_Addr", 100}, {nullptr, 25},
    {"TAB_DE_Remote_Addr", 100}, {"TAB_DE_Quantity", 60},  // the last one stretches to the list's end
};

QString Ip(uint32_t ip) {
  return QString::fromStdString(DottedQuad(ip));
}

QString ItemList(const std::vector<int>& items) {
  QStringList numbers;
  for (int k : items) numbers << QString::number(k + 1);
  return numbers.join(QStringLiteral(", "));
}

QPushButton* Button(QWidget* parent, const QString& text, const char* name) {
  auto* button = new QPushButton(text, parent);
  button->setObjectName(QLatin1String(name));
  button->setMinimumWidth(DluX(parent, 50));
  return button;
}

}  // namespace

CDataExchDlg::CDataExchDlg(ConfiguratorContext& context, QWidget* parent) : QWidget(parent), context_(context) {
  setObjectName(QStringLiteral("dataExchangePage"));
  bases_ = LoadAreaBases(context_.projectBasePath, context_.session.Rack, context_.session.Slot);
  BuildControls();
  SetUpColumns();
  LoadFromRecord();
}

void CDataExchDlg::BuildControls() {
  enableCondition_ = new QComboBox(this);
  enableCondition_->setObjectName(QStringLiteral("enableConditionComboBox"));
  enableCondition_->addItems({tr("Program Control"), tr("PLC Run"), tr("Always Enable")});
  auto* conditionLabel = new QLabel(tr("Enable Condition"), this);
  conditionLabel->setBuddy(enableCondition_);
  enableCondition_->setAccessibleName(conditionLabel->text());

  list_ = new CXListCtrl(this);
  list_->setObjectName(QStringLiteral("itemList"));
  list_->setAccessibleName(tr("Data Exchange Items"));
  list_->SetImageList({QIcon(QPixmap(read_arrow_xpm)), QIcon(QPixmap(write_arrow_xpm)),
                       QIcon(QPixmap(overlap_warning_xpm))});
  list_->installEventFilter(this);
  list_->SetToolTipProvider([this](int row, int col) { return ToolTip(row, col); });

  new_ = Button(this, tr("New..."), "newButton");
  copy_ = Button(this, tr("Copy"), "copyButton");
  delete_ = Button(this, tr("Delete"), "deleteButton");
  moveUp_ = Button(this, tr("Move Up"), "moveUpButton");
  moveDown_ = Button(this, tr("Move Down"), "moveDownButton");
  // The table's file exchange is kept off the page; its buttons stay hidden.
  auto* importCsv = Button(this, tr("Import"), "importCsvButton");
  auto* exportCsv = Button(this, tr("Export"), "exportCsvButton");
  importCsv->hide();
  exportCsv->hide();
  for (QPushButton* b : {copy_, delete_, moveUp_, moveDown_}) b->setEnabled(false);

  auto* top = new QHBoxLayout;
  top->addWidget(conditionLabel);
  top->addWidget(enableCondition_);
  top->addStretch(1);
  auto* buttons = new QHBoxLayout;
  for (QPushButton* b : {new_, copy_, delete_, moveUp_, moveDown_, importCsv, exportCsv}) buttons->addWidget(b);
  buttons->addStretch(1);
  auto* page = new QVBoxLayout(this);
  page->addLayout(top);
  page->addWidget(list_, 1);
  page->addLayout(buttons);

  connect(new_, &QPushButton::clicked, this, &CDataExchDlg::OnNewItem);
  connect(copy_, &QPushButton::clicked, this, &CDataExchDlg::OnCopyItem);
  connect(delete_, &QPushButton::clicked, this, &CDataExchDlg::OnDeleteItem);
  connect(moveUp_, &QPushButton::clicked, this, &CDataExchDlg::OnMoveUp);
  connect(moveDown_, &QPushButton::clicked, this, &CDataExchDlg::OnMoveDown);
  connect(importCsv, &QPushButton::clicked, this, &CDataExchDlg::OnImportCsv);
  connect(exportCsv, &QPushButton::clicked, this, &CDataExchDlg::OnExportCsv);
  connect(list_, &CXListCtrl::checkboxClicked, this, &CDataExchDlg::OnEnableClicked);
  connect(list_, &CXListCtrl::doubleClickedAt, this, [this](int row, int) { OnEditItem(row); });
  connect(list_, &CXListCtrl::keyPressed, this, [this](int key) {
    if (key == Qt::Key_Delete && SelectedRowCount() > 0) OnDeleteItem();
  });
  connect(list_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
          &CDataExchDlg::OnSelectionChanged);
}

void CDataExchDlg::SetUpColumns() {
  list_->setShowGrid(true);
  list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  for (int col = 0; col < kColumns; ++col) {
    const ColumnSpec& column = kColumnSpecs[col];
    const QString title = column.key ? QString::fromStdString(context_.texts.UiWord(column.key)) : QString();
    list_->InsertColumn(col, title, Qt::AlignCenter, column.width);
  }
  list_->SetHeaderCheckedState(kEnableCol, CXListCtrl::kUnchecked);
  list_->horizontalHeaderItem(kEnableCol)->setToolTip(tr("All items on or off (Ctrl+Space)"));
  // The quantity column takes the rest of the list's width.
  list_->horizontalHeader()->setStretchLastSection(true);
}

int CDataExchDlg::ItemCount() const {
  return ItemsInUse(context_.record);
}

void CDataExchDlg::LoadFromRecord() {
  const int condition = context_.record.EnableCondition();
  enableCondition_->setCurrentIndex(condition < enableCondition_->count() ? condition : -1);
  RefillList();
  new_->setEnabled(ItemCount() < layout::kMaxItems);
  UpdateButtons();
}

// A condition the list does not hold (from a file or an upload) shows no
// entry and is kept as it is.
bool CDataExchDlg::ValidateAndStore() {
  const int condition = enableCondition_->currentIndex();
  if (condition >= 0) context_.record.SetEnableCondition(static_cast<uint16_t>(condition));
  return true;
}

void CDataExchDlg::RefillList() {
  list_->setUpdatesEnabled(false);
  list_->DeleteAllItems();
  const int count = ItemCount();
  list_->setRowCount(2 * count);
  for (int k = 0; k < count; ++k) FillItemRows(k);
  for (int k = 0; k < count; ++k) MarkOverlaps(k);
  list_->SyncHeaderCheckbox(kEnableCol);
  list_->setUpdatesEnabled(true);
}

void CDataExchDlg::FillItemRows(int k) {
  const ItemView<const uint8_t> item = std::as_const(context_.record).Item(k + 1);
  const QColor& back = k % 2 == 0 ? kEvenItem : kOddItem;
  const struct {
    Direction dir;
    uint32_t base;
    TransferBlockView<const uint8_t> block;
    Image image;
  } blocks[] = {{Direction::kRead, bases_.ReadBaseRegister, item.ReadBlock(), kReadImage},
                {Direction::kWrite, bases_.WriteBaseRegister, item.WriteBlock(), kWriteImage}};
  for (const auto& b : blocks) {
    std::vector<CXListCtrl::CellSpec> cells(kColumns);
    if (b.dir == Direction::kRead) {
      cells[kItemCol].text = QString::number(k + 1);
      cells[kEnableCol].check = item.Enabled() == ItemView<const uint8_t>::kEnabledValue ? CXListCtrl::kChecked
                                                                                         : CXListCtrl::kUnchecked;
      cells[kSlaveCol].text = QString::number(item.SlaveAddress());
      cells[kIpCol].text = Ip(item.IpAddress());
    }
    cells[kLocalCol].text = QStringLiteral("D%1").arg(uint64_t{b.base} + b.block.LocalOffset());
    cells[kIconCol].image = b.image;
    cells[kRemoteCol].text = QString::fromStdString(
        FormatRemoteAddress(item.DeviceType(), b.block.RemoteKind(), b.block.RemoteAddress()).display);
    cells[kQuantityCol].text = QString::number(b.block.Quantity());
    list_->SetRow(b.dir == Direction::kRead ? 2 * k : 2 * k + 1, cells, Qt::black, back);
  }
}

QString CDataExchDlg::WireFormText(int k, Direction dir) const {
  const ItemView<const uint8_t> item = std::as_const(context_.record).Item(k + 1);
  const auto block = dir == Direction::kRead ? item.ReadBlock() : item.WriteBlock();
  const std::optional<WireForm> wire = BlockWireForm(table_, item.DeviceType(), block, dir);
  if (!wire) return tr("This address is in no range of the device type; edit the item to correct it.");
  if (wire->command == 0) return tr("This address cannot be written.");
  const QString address =
      QStringLiteral("%1 (0x%2)").arg(wire->deviceAddress).arg(wire->deviceAddress, 4, 16, QLatin1Char('0'));
  if (wire->modbus) {
    return tr("Modbus function code %1 (0x%2), 0-based address %3")
        .arg(wire->command)
        .arg(wire->command, 2, 16, QLatin1Char('0'))
        .arg(address);
  }
  return tr("CPU request code 0x%1, device address 0x%2")
      .arg(wire->command, 4, 16, QLatin1Char('0'))
      .arg(wire->deviceAddress, 4, 16, QLatin1Char('0'));
}

void CDataExchDlg::MarkOverlaps(int k) {
  if (OverlappingItems(context_.record, k, Direction::kRead).empty() &&
      OverlappingItems(context_.record, k, Direction::kWrite).empty()) {
    return;
  }
  list_->SetItemImage(2 * k, kItemCol, kOverlapImage);
}

QString CDataExchDlg::OverlapText(int k, Direction dir) const {
  const std::vector<int> others = OverlappingItems(context_.record, k, dir);
  if (others.empty()) return {};
  return dir == Direction::kRead ? tr("Its read area overlaps item %1.").arg(ItemList(others))
                                 : tr("Its write area overlaps item %1.").arg(ItemList(others));
}

// The tooltips, made when one is shown.
QString CDataExchDlg::ToolTip(int row, int col) const {
  const int k = row / 2;
  const Direction dir = row % 2 == 0 ? Direction::kRead : Direction::kWrite;
  if (k >= ItemCount()) return {};
  switch (col) {
    case kItemCol: {
      if (dir == Direction::kWrite) return {};
      QStringList notes;
      for (Direction d : {Direction::kRead, Direction::kWrite}) {
        const QString note = OverlapText(k, d);
        if (!note.isEmpty()) notes << note;
      }
      return notes.join(QLatin1Char('\n'));
    }
    case kLocalCol:
      return OverlapText(k, dir);
    case kIconCol:
      return dir == Direction::kRead ? tr("Read: remote device to module") : tr("Write: module to remote device");
    case kRemoteCol:
      return WireFormText(k, dir);
    default:
      return {};
  }
}

void CDataExchDlg::SelectItem(int k) {
  if (k < 0 || 2 * k + 1 >= list_->rowCount()) return;
  QItemSelectionModel* selection = list_->selectionModel();
  const QModelIndex first = list_->model()->index(2 * k, 0);
  const QModelIndex last = list_->model()->index(2 * k + 1, kColumns - 1);
  selection->setCurrentIndex(first, QItemSelectionModel::NoUpdate);
  selection->select(QItemSelection(first, last), QItemSelectionModel::ClearAndSelect);
  list_->scrollToItem(list_->item(2 * k + 1, 0));
  list_->scrollToItem(list_->item(2 * k, 0));
}

int CDataExchDlg::SelectedItem() const {
  const QModelIndexList rows = list_->selectionModel()->selectedRows();
  if (rows.isEmpty()) return -1;
  int first = rows.front().row();
  for (const QModelIndex& index : rows) first = std::min(first, index.row());
  return first / 2;
}

int CDataExchDlg::SelectedRowCount() const {
  return static_cast<int>(list_->selectionModel()->selectedRows().size());
}

// An item is selected by both of its rows: a row the user selects or
// deselects takes its partner along, which is scrolled into view.
void CDataExchDlg::OnSelectionChanged(const QItemSelection& selected, const QItemSelection& deselected) {
  if (!pairing_) {
    pairing_ = true;
    QItemSelectionModel* selection = list_->selectionModel();
    const auto partner = [this](int row) {
      const int other = row % 2 == 0 ? row + 1 : row - 1;
      return QItemSelection(list_->model()->index(other, 0), list_->model()->index(other, kColumns - 1));
    };
    std::set<int> added;
    std::set<int> removed;
    for (const QModelIndex& index : selected.indexes()) added.insert(index.row());
    for (const QModelIndex& index : deselected.indexes()) removed.insert(index.row());
    for (int row : removed) {
      if (!added.contains(row)) selection->select(partner(row), QItemSelectionModel::Deselect);
    }
    for (int row : added) {
      selection->select(partner(row), QItemSelectionModel::Select);
      const int other = row % 2 == 0 ? row + 1 : row - 1;
      if (QTableWidgetItem* cell = list_->item(other, 0)) list_->scrollToItem(cell);
    }
    pairing_ = false;
  }
  UpdateButtons();
}

void CDataExchDlg::UpdateButtons() {
  const int count = ItemCount();
  const bool two = SelectedRowCount() == 2;
  const int k = SelectedItem();
  moveUp_->setEnabled(two && k != 0);
  moveDown_->setEnabled(two && k != count - 1);
  delete_->setEnabled(two);
  copy_->setEnabled(two);
  if (list_->rowCount() >= 2 * layout::kMaxItems - 1) {
    new_->setEnabled(false);
    copy_->setEnabled(false);
  } else {
    new_->setEnabled(true);
  }
  if (count == 0) {
    for (QPushButton* b : {moveUp_, moveDown_, delete_, copy_}) b->setEnabled(false);
  }
}

void CDataExchDlg::OnNewItem() {
  if (!AppendEmptyItem(context_.record)) return;
  RefillList();
  list_->setFocus(Qt::OtherFocusReason);
  SelectItem(ItemCount() - 1);
  UpdateButtons();
}

void CDataExchDlg::OnDeleteItem() {
  const int k = SelectedItem();
  if (!DeleteItem(context_.record, k)) return;
  RefillList();
  list_->setFocus(Qt::OtherFocusReason);
  SelectItem(std::min(k, ItemCount() - 1));
  UpdateButtons();
}

void CDataExchDlg::OnMoveUp() {
  const int k = SelectedItem();
  if (!SwapItems(context_.record, k, k - 1)) return;
  RefillList();
  SelectItem(k - 1);
  UpdateButtons();
}

void CDataExchDlg::OnMoveDown() {
  const int k = SelectedItem();
  if (!SwapItems(context_.record, k, k + 1)) return;
  RefillList();
  SelectItem(k + 1);
  UpdateButtons();
}

void CDataExchDlg::OnCopyItem() {
  const int k = SelectedItem();
  if (!CopyItem(context_.record, k)) return;
  RefillList();
  SelectItem(k);
  UpdateButtons();
}

void CDataExchDlg::OnEditItem(int row) {
  const int k = row >= 0 ? row / 2 : -1;
  if (k >= 0 && k < ItemCount()) {
    CItemEditDlg dialog(context_, k, bases_, this);
    dialog.exec();
  }
  RefillList();
  SelectItem(k);
  UpdateButtons();
}

void CDataExchDlg::OnEnableClicked(int row, int column) {
  if (column != kEnableCol) return;
  if (row < 0) {
    SetAllItemsEnabled(context_.record, list_->GetHeaderCheckedState(kEnableCol) == CXListCtrl::kChecked);
  } else {
    SetItemEnabled(context_.record, row / 2, list_->GetCheckbox(row, kEnableCol) == CXListCtrl::kChecked);
  }
}

// Enter on the list opens the current item, as a double click does, instead
// of pressing the window's default button.
bool CDataExchDlg::eventFilter(QObject* watched, QEvent* event) {
  if (watched == list_ && event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && key->modifiers() == Qt::NoModifier &&
        list_->currentRow() >= 0) {
      OnEditItem(list_->currentRow());
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

void CDataExchDlg::OnExportCsv() {
  const std::optional<std::string> path = context_.ui.ChooseSaveFile("csv File (*.csv)", "csv");
  if (!path) return;
  std::error_code error;
  if (std::filesystem::exists(*path, error) &&
      context_.ui.ShowMessage(context_.texts.Message("Msg8"), MessageButtons::kOkCancel) != MessageAnswer::kOk) {
    return;
  }
  if (!WriteCsvFile(*path, context_.record, context_.session.FirmwareVersion, context_.texts, bases_)) {
    context_.ui.ShowMessage(
        tr("The file could not be written:\n%1").arg(QString::fromStdString(*path)).toStdString(),
        MessageButtons::kOk);
  }
}

void CDataExchDlg::OnImportCsv() {
  const std::optional<std::string> path = context_.ui.ChooseOpenFile("csv File (*.csv)");
  if (!path) return;
  const SessionFields& s = context_.session;
  const ItemLimits limits = LoadItemLimits(
      {context_.projectBasePath, context_.moduleDirectory, s.Rack, s.Slot, context_.readLenMax, context_.writeLenMax});
  const std::optional<CsvRowError> error = ReadCsvFile(*path, table_, limits, bases_, context_.record);
  if (error) {
    context_.ui.ShowMessage(CsvErrorText(*error).toStdString(), MessageButtons::kOk);
    return;
  }
  RefillList();
  UpdateButtons();
}

QString CDataExchDlg::CsvErrorText(const CsvRowError& error) const {
  QString reason;
  switch (error.problem) {
    case CsvProblem::kNotThisModule:
      return tr("The file does not hold a KM31QX-2C data exchange table. Nothing was imported.");
    case CsvProblem::kNoRows:
      return tr("The file holds no data exchange items. Nothing was imported.");
    case CsvProblem::kFieldCount:
      reason = tr("the row does not hold %1 values").arg(kCsvColumns);
      break;
    case CsvProblem::kNotNumber:
      reason = tr("not a number");
      break;
    case CsvProblem::kNotFlag:
      reason = tr("must be 1 or 0");
      break;
    case CsvProblem::kBadIp:
      reason = tr("not an IP address");
      break;
    case CsvProblem::kDeviceType:
      reason = tr("not a device type");
      break;
    case CsvProblem::kLocalAddress:
      reason = tr("not a D register of the module's area");
      break;
    case CsvProblem::kKind:
      reason = tr("no address kind of the device type in brackets");
      break;
    case CsvProblem::kRemoteAddress:
      reason = tr("not an address of that kind");
      break;
    case CsvProblem::kRejected: {
      std::string format = context_.texts.Message(error.message.key);
      reason =
          QString::fromStdString(format.empty() ? error.message.key : SafeFormat(format, error.message.args));
      break;
    }
    case CsvProblem::kNone:
      break;
  }
  const QString where = error.column > 0
                            ? tr("Row %1, column %2 (%3)")
                                  .arg(error.row)
                                  .arg(error.column)
                                  .arg(QString::fromStdString(CsvTitles(context_.texts)[error.column - 1]))
                            : tr("Row %1").arg(error.row);
  return tr("%1: %2\nNothing was imported.").arg(where, reason);
}

}  // namespace qx
