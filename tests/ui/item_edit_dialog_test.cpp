// The Item Edit dialog typed into as a person does: each rejected value
// gives its message and the focus on its field with the dialog still open,
// the kind lists and labels follow the device type and kind, the masked
// number field takes only what its kind allows, Escape and a focused Cancel
// leave the record alone.
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "tests/ui/DataExchTestSupport.h"
#include "ui/CIpAddressCtrl.h"
#include "ui/CItemEditDlg.h"
#include "ui/CMaskEdit.h"

namespace qx::test {
namespace {

class ItemEditTest : public DataExchTest {
 protected:
  ItemEditTest() { Fill(2); }

  void Open(int index = 1) {
    dialog_ = std::make_unique<CItemEditDlg>(context, index, AreaBases{4096, 4608});
    ShowActive(*dialog_);
  }
  template <typename T = QLineEdit>
  T* Field(const char* name) {
    return dialog_->findChild<T*>(name);
  }
  void Type(const char* name, const char* text) { test::Type(Field(name), text); }
  // Picks a list entry by its text with the keyboard.
  void Choose(const char* name, const char* entry) {
    auto* list = Field<QComboBox>(name);
    list->setFocus();
    const int target = list->findText(entry);
    ASSERT_GE(target, 0) << entry;
    while (list->currentIndex() < target) QTest::keyClick(list, Qt::Key_Down);
    while (list->currentIndex() > target) QTest::keyClick(list, Qt::Key_Up);
  }
  void PressOk() { QTest::mouseClick(Field<QPushButton>("okButton"), Qt::LeftButton); }

  std::unique_ptr<CItemEditDlg> dialog_;
};

TEST_F(ItemEditTest, LoadsTheItemWithItsLabels) {
  record.Item(2).SetIpAddress(0xC0A8010A);
  Open();
  EXPECT_EQ(Field<QLabel>("itemNumberLabel")->text(), "2");
  EXPECT_EQ(Field<QLabel>("readAddrLabel")->text(), "D4096");
  EXPECT_EQ(Field<QLabel>("writeAddrLabel")->text(), "D4608");
  EXPECT_EQ(Field<QLabel>("readRemoteAddressLabel")->text(), "Remote Address (Hex) 0 ~ FFFF");
  EXPECT_EQ(Field<QComboBox>("readKindComboBox")->currentText(), "MODBUS Register Hex");
  EXPECT_EQ(Field<CMaskEdit>("readNumberEdit")->text(), "2");
  EXPECT_EQ(Field<CIpAddressCtrl>("ipAddressCtrl")->GetAddress(), 0xC0A8010Au);
  EXPECT_FALSE(Field("readBitEdit")->isEnabled());
  // Each control is named by the label beside it, the range label's text (0 ~ 511) included.
  EXPECT_EQ(Field<QComboBox>("deviceTypeComboBox")->accessibleName(), "Device Type");
  EXPECT_EQ(Field("readLocalOffsetEdit")->accessibleName(), "Local Address (0 ~ 511)");
  EXPECT_EQ(Field("writeQuantityEdit")->accessibleName(), "Quantity");
  EXPECT_EQ(Field("writeQuantityEdit")->accessibleDescription(), "Write");
}

TEST_F(ItemEditTest, KindListsLabelsAndMasksFollowTheDeviceTypeAndKind) {
  Open();
  Choose("deviceTypeComboBox", "CPU Model C");
  EXPECT_EQ(Field<QComboBox>("readKindComboBox")->count(), 15);
  EXPECT_EQ(Field<QComboBox>("writeKindComboBox")->count(), 13);
  EXPECT_EQ(Field<QLabel>("readRemoteAddressLabel")->text(), "Remote Address X0.0 ~ X511.15");
  EXPECT_TRUE(Field("readBitEdit")->isEnabled());
  Choose("readKindComboBox", "D Register");
  EXPECT_EQ(Field<QLabel>("readRemoteAddressLabel")->text(), "Remote Address D0 ~ D65535");
  EXPECT_EQ(Field<CMaskEdit>("readNumberEdit")->Mask(), "#####");
  EXPECT_FALSE(Field("readBitEdit")->isEnabled());
  EXPECT_EQ(Field<QLabel>("writeRemoteAddressLabel")->text(), "Remote Address Y0.0 ~ Y511.15");
  Choose("deviceTypeComboBox", "CPU Model A");
  Choose("readKindComboBox", "X");
  EXPECT_EQ(Field<CMaskEdit>("readNumberEdit")->Mask(), "###");
  Type("readNumberEdit", "3789");  // octal: 8 and 9 refused, the mask full at three
  EXPECT_EQ(Field("readNumberEdit")->text(), "37");
  Choose("deviceTypeComboBox", "MODBUS TCP");
  Choose("writeKindComboBox", "MODBUS 6 Digit");
  EXPECT_EQ(Field("writeNumberEdit")->text(), "1");
  EXPECT_EQ(Field<QLabel>("writeRemoteAddressLabel")->text(), "Remote Address #000001 ~ #65536, #: <0,4>");
}

// Which value breaks which rule is the item editor logic's to know; the
// dialog shows the message, stays open and selects the field it names: one
// case for each field a message can name, and the one correction (Msg35).
TEST_F(ItemEditTest, ARejectedValueKeepsTheDialogOpenOnItsField) {
  struct Case {
    const char* message;
    const char* field;  // typed into, then focused with its text selected
    const char* text;
    const char* device = nullptr;  // chosen first, with the kind of the field's block
    const char* kind = nullptr;
  };
  const Case cases[] = {
      {"Slave > 255", "slaveAddressEdit", "256"},
      {"Cycle 1-60000", "updateCycleEdit", "0"},
      {"Timeout 10-60000", "timeoutEdit", "9"},
      {"Sum max 511", "readLocalOffsetEdit", "507"},  // quantity 5
      {"Quantity <= 100", "readQuantityEdit", "101"},
      {"No range", "readNumberEdit", "400", "CPU Model A", "X"},
      {"Bit 0-15", "readBitEdit", "16", "CPU Model C", "D Coil"},
      {"Sum max 511", "writeLocalOffsetEdit", "508"},
      {"Quantity <= 100", "writeQuantityEdit", "101"},
      {"No range", "writeNumberEdit", "400", "CPU Model A", "Y"},
      {"Bit 0-15", "writeBitEdit", "16", "CPU Model C", "D Coil"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.field);
    Fill(2);
    Open();
    if (c.device) {
      Choose("deviceTypeComboBox", c.device);
      Choose(std::string_view(c.field).starts_with("read") ? "readKindComboBox" : "writeKindComboBox",
             c.kind);
    }
    Type(c.field, c.text);
    ui.messages.clear();
    PressOk();
    EXPECT_EQ(ui.messages, std::vector<std::string>{c.message});
    EXPECT_TRUE(dialog_->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), Field(c.field));
    EXPECT_EQ(Field(c.field)->selectedText(), c.text);
  }
  Type("readLocalOffsetEdit", "512");  // past the area with nothing to move: the area's end
  Type("readQuantityEdit", "0");
  PressOk();
  EXPECT_EQ(ui.messages.back(), "Area max 511");
  EXPECT_EQ(QApplication::focusWidget(), Field("readLocalOffsetEdit"));
  EXPECT_EQ(Field("readLocalOffsetEdit")->selectedText(), "511");
}

// The host's limits stand in for the module description's; what passed
// before a rejected value stays stored, also after Cancel.
TEST_F(ItemEditTest, HostLimitsAndFieldByFieldStores) {
  context.readLenMax = 20;
  Open();
  Type("slaveAddressEdit", "77");
  Type("readLocalOffsetEdit", "30");
  Type("readQuantityEdit", "0");
  PressOk();
  EXPECT_EQ(ui.messages, std::vector<std::string>{"Limit 20"});
  QTest::mouseClick(Field<QPushButton>("cancelButton"), Qt::LeftButton);
  EXPECT_EQ(dialog_->result(), QDialog::Rejected);
  EXPECT_EQ(record.Item(2).SlaveAddress(), 77);
  EXPECT_EQ(record.Item(2).ReadBlock().LocalOffset(), 10);
}

TEST_F(ItemEditTest, OkStoresTheWholeItemWithCommandsAndSegments) {
  Open(0);
  QTest::mouseClick(Field<QCheckBox>("enabledCheckBox"), Qt::LeftButton);
  Type("slaveAddressEdit", "255");
  Choose("deviceTypeComboBox", "CPU Model A");
  Choose("readKindComboBox", "D");
  Type("readNumberEdit", "4090");
  Type("readLocalOffsetEdit", "89");
  Type("readQuantityEdit", "10");
  Type("updateCycleEdit", "60000");
  Type("timeoutEdit", "10");
  QTest::keyClick(Field("timeoutEdit"), Qt::Key_Return);
  EXPECT_EQ(dialog_->result(), QDialog::Accepted);
  EXPECT_EQ(ui.messages, std::vector<std::string>{});
  const auto item = record.Item(1);
  const auto read = item.ReadBlock();
  EXPECT_EQ(std::tuple(item.Enabled(), item.SlaveAddress(), item.DeviceType(), item.UpdateCycle(),
                       item.FixedValue()),
            std::tuple(2, 255, 1, 60000, 100));
  // Commands and segments follow from these in the item editor logic.
  EXPECT_EQ(std::tuple(read.RemoteKind(), read.RemoteAddress(), read.Quantity(), read.LocalOffset()),
            std::tuple(8, 4090u, 10, 89));
}

TEST_F(ItemEditTest, EscapeAndAFocusedCancelLeaveTheRecordAlone) {
  const ModuleConfig before = record;
  for (bool escape : {true, false}) {
    Open();
    Type("slaveAddressEdit", "99");
    if (escape) {
      QTest::keyClick(Field("slaveAddressEdit"), Qt::Key_Escape);
    } else {
      auto* cancel = Field<QPushButton>("cancelButton");
      cancel->setFocus();
      QTest::keyClick(cancel, Qt::Key_Return);  // Enter presses the focused button, not OK
    }
    EXPECT_EQ(dialog_->result(), QDialog::Rejected);
    EXPECT_FALSE(dialog_->isVisible());
    EXPECT_TRUE(record == before);
  }
}

// The masked field's Control keys reach the mask rules (tried in the mask
// edit logic's own table) and the system clipboard.
TEST_F(ItemEditTest, MaskedNumberFieldControlKeysUseTheClipboard) {
  Open();
  auto* number = Field<CMaskEdit>("readNumberEdit");  // 4 hexadecimal positions
  struct Case {
    const char* before;
    int selStart, selLength;
    Qt::Key key;  // with Control
    const char* clip;
    const char* after;
    const char* clipAfter;
  } cases[] = {
      {"1234", 1, 2, Qt::Key_X, "kept", "1004", "kept"},
      {"1234", 0, 2, Qt::Key_C, "x", "1234", "12"},
      {"", 0, 0, Qt::Key_V, "1z3g", "1030", "1z3g"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.before);
    QApplication::clipboard()->setText(c.clip);
    number->setText(c.before);
    number->setFocus();
    number->setSelection(c.selStart, c.selLength);
    QTest::keyClick(number, c.key, Qt::ControlModifier);
    EXPECT_EQ(number->text(), c.after);
    EXPECT_EQ(QApplication::clipboard()->text(), c.clipAfter);
  }
}

}  // namespace
}  // namespace qx::test
