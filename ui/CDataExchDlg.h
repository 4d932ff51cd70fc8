// CDataExchDlg: the Data Exchange page of the configurator window. It shows
// the module's data-exchange table, two rows per item (the read row and the
// write row), and edits the table straight in the record: New..., Delete
// (also the Delete key), Move Up, Move Down and Copy work on the selected
// item, the enable boxes switch items on and off (the header box all of
// them), a double click (or Enter) opens the Item Edit dialog, and the
// Enable Condition list is stored when the page is validated.
//
// Beyond the list's own columns the page helps the reader: the Remote
// Address cell's tooltip gives the wire form of the address (the Modbus
// function code and 0-based address, or the CPU's request code and device
// address), and an item whose local registers overlap another item's in the
// read or write area carries a warning icon and a tooltip naming the other
// items. Nothing is refused for it.
#pragma once

#include <QWidget>

#include "dataexch/DeviceAddrTable.h"
#include "dataexch/ItemLimits.h"
#include "ui/ConfigPage.h"

class QComboBox;
class QItemSelection;
class QPushButton;

namespace qx {

class CXListCtrl;
struct ConfiguratorContext;
struct CsvRowError;

class CDataExchDlg : public QWidget, public ConfigPage {
  Q_OBJECT
 public:
  // List columns.
  enum Column { kItemCol, kEnableCol, kSlaveCol, kIpCol, kLocalCol, kIconCol, kRemoteCol, kQuantityCol };
  static constexpr int kColumns = 8;
  // Images of the list: the direction arrows and the overlap mark.
  enum Image { kReadImage, kWriteImage, kOverlapImage };

  // REQUIRES: context outlives the page. Reads the base registers from the
  // project's hardware file and loads the page from the record.
  explicit CDataExchDlg(ConfiguratorContext& context, QWidget* parent = nullptr);

  void LoadFromRecord() override;
  // Stores the Enable Condition; never refuses.
  bool ValidateAndStore() override;
  void RefillList();

  void OnNewItem();
  void OnDeleteItem();
  void OnMoveUp();
  void OnMoveDown();
  void OnCopyItem();
  // Opens the Item Edit dialog for the item of row (none for row < 0), then
  // refills the list whatever the result.
  void OnEditItem(int row);
  void OnEnableClicked(int row, int column);
  // The hidden Export and Import buttons' handlers: the table as a
  // comma-separated file (dataexch/ItemCsv.h).
  void OnExportCsv();
  void OnImportCsv();

  const AreaBases& Bases() const { return bases_; }
  CXListCtrl* List() const { return list_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildControls();
  void SetUpColumns();
  void FillItemRows(int k);
  void MarkOverlaps(int k);
  void SelectItem(int k);
  // The item of the first selected row, or -1.
  int SelectedItem() const;
  int SelectedRowCount() const;
  void OnSelectionChanged(const QItemSelection& selected, const QItemSelection& deselected);
  void UpdateButtons();
  QString WireFormText(int k, Direction dir) const;
  QString OverlapText(int k, Direction dir) const;
  QString ToolTip(int row, int col) const;
  QString CsvErrorText(const CsvRowError& error) const;
  int ItemCount() const;

  ConfiguratorContext& context_;
  const CDeviceAddrTable table_;
  AreaBases bases_;
  QComboBox* enableCondition_ = nullptr;
  CXListCtrl* list_ = nullptr;
  QPushButton* new_ = nullptr;
  QPushButton* copy_ = nullptr;
  QPushButton* delete_ = nullptr;
  QPushButton* moveUp_ = nullptr;
  QPushButton* moveDown_ = nullptr;
  bool pairing_ = false;  // while the page adds partner rows to the selection
};

}  // namespace qx
