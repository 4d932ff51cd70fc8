// CItemEditDlg: the Item Edit dialog, which edits one item of the
// data-exchange table: the remote device (slave address, IP address, device
// type, function code 0x17 support), the update cycle and timeout, and the
// read and write blocks (local offset in the module's area, remote address
// in the device's notation, quantity).
//
// The dialog shows the item editor's fields (dataexch/ItemEditor.h) and
// hands them to ValidateItem on OK, which writes the item into the record
// field by field: a rejected value is told with its message, its field is
// selected and focused, and the dialog stays open with what passed already
// stored. Cancel and Escape close it without a further write.
#pragma once

#include <QDialog>
#include <array>

#include "dataexch/DeviceAddrTable.h"
#include "dataexch/ItemEditor.h"
#include "dataexch/ItemLimits.h"
#include "dataexch/ItemValidation.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace qx {

class CIpAddressCtrl;
class CMaskEdit;
struct ConfiguratorContext;

class CItemEditDlg : public QDialog {
  Q_OBJECT
 public:
  // REQUIRES: context outlives the dialog. itemIndex counts from 0; the
  // limits come from the host's values or the module description and the
  // hardware file of the context's project.
  CItemEditDlg(ConfiguratorContext& context, int itemIndex, const AreaBases& bases, QWidget* parent = nullptr);

  // The handlers, public for the page and for tests.
  void OnOK();
  void FillKindLists();
  void OnReadKindChanged();
  void OnWriteKindChanged();

  const ItemLimits& Limits() const { return limits_; }

 private:
  struct BlockWidgets {
    QLabel* localAddress = nullptr;  // "Local Address (0 ~ max)"
    QLabel* addr = nullptr;          // "D<base>"
    QLineEdit* offset = nullptr;
    QLabel* remote = nullptr;  // "Remote Address <range hint>"
    QComboBox* kind = nullptr;
    CMaskEdit* number = nullptr;
    QLineEdit* bit = nullptr;
    QLineEdit* quantity = nullptr;
  };

  void BuildControls();
  QWidget* BuildBlock(Direction dir, const QString& title);
  void ReadControls();
  void ShowFields();
  void ShowBlock(Direction dir);
  void OnKindChanged(Direction dir);
  QLineEdit* FieldOf(ItemField field) const;
  BlockWidgets& Widgets(Direction dir) { return blocks_[dir == Direction::kRead ? 0 : 1]; }
  QString MessageText(const MessageRef& message) const;

  ConfiguratorContext& context_;
  const CDeviceAddrTable table_;
  const int itemIndex_;
  const AreaBases bases_;
  ItemLimits limits_;
  ItemFields fields_;
  bool loaded_ = false;

  QLabel* itemNumber_ = nullptr;
  QCheckBox* enabled_ = nullptr;
  QLineEdit* slaveAddress_ = nullptr;
  CIpAddressCtrl* ipAddress_ = nullptr;
  QComboBox* deviceType_ = nullptr;
  QCheckBox* supportFc17_ = nullptr;
  QLineEdit* updateCycle_ = nullptr;
  QLineEdit* timeout_ = nullptr;
  std::array<BlockWidgets, 2> blocks_{};
  QPushButton* ok_ = nullptr;
};

}  // namespace qx
