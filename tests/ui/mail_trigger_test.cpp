// The Email Trigger sub-page with its Trigger Configuration and Attachment
// dialogs, driven by mouse and keyboard: what each stores in the record, the
// checks with their messages and focused fields, and records that hold
// values no page would write.
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>

#include "tests/ui/UiTestSupport.h"
#include "ui/CAttachmentDlg.h"
#include "ui/CMailPageDlg2.h"
#include "ui/CTriggerConfigDlg.h"

namespace qx::test {
namespace {

using Trigger = TriggerView<uint8_t>;

class TriggerDialogTest : public SessionTest {
 protected:
  // Shows the dialog for trigger index (0-7), as the page does.
  void Open(int index) {
    dialog.SetTriggerIndex(index);
    ShowActive(dialog);
  }
  void PressOk() { Click(Child<QPushButton>(&dialog, "okButton")); }
  CXListCtrl* AttachmentList() { return Child<CXListCtrl>(&dialog, "attachmentList"); }
  QStringList AttachmentRow() {
    QStringList cells;
    for (int c = 1; c < 4; ++c) cells << AttachmentList()->GetItemText(0, c);
    return cells;
  }
  CTriggerConfigDlg dialog{context};
};

TEST_F(TriggerDialogTest, IntervalOutsideOneTo1440IsRefusedAfterTheName) {
  Open(0);
  Type(Child(&dialog, "triggerNameEdit"), "Pump");
  struct Case {
    const char* typed;
    int stored;  // 0: refused
  } cases[] = {{"0", 0}, {"1441", 0}, {"abc", 0}, {"", 0}, {"99999", 0}, {"1440", 1440}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    ui.messages.clear();
    Type(Child(&dialog, "intervalEdit"), c.typed);
    PressOk();
    EXPECT_EQ(record.Trigger(1).TriggerName(), "Pump");
    if (c.stored == 0) {
      EXPECT_EQ(ui.messages, std::vector<std::string>{"Interval 1-1440"});
      EXPECT_TRUE(dialog.isVisible());
      EXPECT_EQ(Child(&dialog, "intervalEdit")->text(), "1");
      EXPECT_EQ(Child(&dialog, "intervalEdit")->selectedText(), "1");
      EXPECT_EQ(QApplication::focusWidget(), Child(&dialog, "intervalEdit"));
      EXPECT_EQ(record.Trigger(1).TriggerMode(), 0);  // nothing after the interval was stored
    } else {
      EXPECT_EQ(record.Trigger(1).Interval(), c.stored);
      EXPECT_EQ(dialog.result(), QDialog::Accepted);
    }
  }
}

TEST_F(TriggerDialogTest, FlagBitsZeroAndThreeFollowTheChoicesBitTwoIsClearedOthersKept) {
  struct Case {
    uint8_t before;
    bool clickUserMessage;
    const char* attachment;
    uint8_t after;
  } cases[] = {
      {0x00, true, "plcDeviceRadioButton", 0x09},
      {0xFF, true, "noneRadioButton", 0xF2},  // user message clicked off
      {0x65, false, "plcDeviceRadioButton", 0x69},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.before);
    CTriggerConfigDlg one(context);
    record.Trigger(5).SetTriggerFlags(c.before);
    one.SetTriggerIndex(4);
    ShowActive(one);
    if (c.clickUserMessage) Click(one.findChild<QCheckBox*>("userMessageCheckBox"));
    Click(one.findChild<QRadioButton*>(c.attachment));
    Click(one.findChild<QPushButton*>("okButton"));
    EXPECT_EQ(record.Trigger(5).TriggerFlags(), c.after);
  }
}

TEST_F(TriggerDialogTest, NoneAfterABlockClearsNumberAndLengthButKeepsTheDevice) {
  const Trigger t = record.Trigger(2);
  t.SetTriggerMode(1);
  t.SetTriggerFlags(Trigger::kFlagPlcDevice);
  t.SetAttachmentDevice(1, 4);
  t.SetAttachmentNumber(1, 100);
  t.SetAttachmentLength(1, 20);
  t.SetAttachmentNumber(2, 7);
  t.SetAttachmentLength(2, 8);
  Open(1);
  EXPECT_TRUE(AttachmentList()->isEnabled());
  EXPECT_EQ(AttachmentRow(), QStringList({"T", "100", "20"}));
  Click(Child<QRadioButton>(&dialog, "noneRadioButton"));
  EXPECT_FALSE(AttachmentList()->isEnabled());
  PressOk();
  EXPECT_EQ(t.AttachmentDevice(1), 4);
  for (int a : {1, 2}) EXPECT_EQ(t.AttachmentNumber(a) + t.AttachmentLength(a), 0) << a;
  EXPECT_EQ(t.TriggerFlags() & Trigger::kFlagPlcDevice, 0);
}

TEST_F(TriggerDialogTest, AttachmentIsStoredWhenConfirmedEvenIfTheTriggerIsCancelled) {
  Open(0);
  Click(Child<QRadioButton>(&dialog, "plcDeviceRadioButton"));
  ClickCell(AttachmentList(), 0, 1);
  // Enter on the row opens the Attachment dialog; length 0 offers device D.
  QStringList offered;
  WhenModal([&](QWidget* modal) {
    auto* combo = Child<QComboBox>(modal, "deviceComboBox");
    offered << combo->currentText();
    QTest::keyClick(combo, Qt::Key_Up);  // D -> SR
    Type(Child(modal, "lengthEdit"), "400");
    QTest::keyClick(Child(modal, "lengthEdit"), Qt::Key_Return);  // Enter in an edit presses OK
  });
  QTest::keyClick(AttachmentList(), Qt::Key_Return);
  EXPECT_EQ(offered, QStringList{"D"});
  EXPECT_TRUE(dialog.isVisible());  // Enter went to the Attachment dialog, not to OK
  EXPECT_EQ(AttachmentRow(), QStringList({"SR", "0", "400"}));
  const Trigger t = record.Trigger(1);
  EXPECT_EQ(std::tuple(t.AttachmentDevice(1), t.AttachmentLength(1)), std::tuple(2, 400));

  // Delete on the selected row empties number and length, keeping SR.
  QTest::keyClick(AttachmentList(), Qt::Key_Delete);
  EXPECT_EQ(std::tuple(t.AttachmentDevice(1), t.AttachmentLength(1)), std::tuple(2, 0));
  EXPECT_EQ(AttachmentRow(), QStringList({"", "", ""}));

  // Escape leaves the dialog; what the attachment dialogs wrote stays.
  WhenModal([](QWidget* modal) { QTest::keyClick(modal, Qt::Key_Escape); });
  ClickCell(AttachmentList(), 0, 2, true);  // a double click opens it too; Escape writes nothing
  QTest::keyClick(&dialog, Qt::Key_Escape);
  EXPECT_EQ(dialog.result(), QDialog::Rejected);
  EXPECT_EQ(t.AttachmentDevice(1), 2);
  EXPECT_EQ(t.TriggerMode(), 0);
}

TEST_F(TriggerDialogTest, OddRecordsLoadWithEmptySelectionsAndAMissingIndexIsTold) {
  const Trigger t = record.Trigger(8);
  t.SetTriggerMode(9);
  t.SetTriggerFlags(Trigger::kFlagPlcDevice);
  t.SetAttachmentDevice(1, 0x1234);
  t.SetAttachmentLength(1, 3);
  t.SetTriggerName(std::string(16, 'n'));
  Open(7);
  EXPECT_EQ(Child(&dialog, "triggerNameEdit")->text(), QString(15, 'n'));  // shown cut to the edit's limit
  for (const char* mode : {"deviceRegisterRadioButton", "cpuRadioButton", "periodicTimerRadioButton"}) {
    EXPECT_FALSE(Child<QRadioButton>(&dialog, mode)->isChecked()) << mode;
  }
  EXPECT_EQ(AttachmentRow(), QStringList({"N/A", "0", "3"}));
  QString shown = "unset";
  WhenModal([&](QWidget* modal) {
    shown = Child<QComboBox>(modal, "deviceComboBox")->currentText();
    Click(Child<QPushButton>(modal, "okButton"));  // no device: no check
  });
  ClickCell(AttachmentList(), 0, 0, true);
  EXPECT_EQ(shown, "");
  EXPECT_EQ(t.AttachmentDevice(1), 0xFFFF);
  PressOk();
  EXPECT_EQ(t.TriggerMode(), 0);  // no mode chosen: not configured
  EXPECT_EQ(t.NameLength(), 15);

  CTriggerConfigDlg unset(context);
  unset.show();
  EXPECT_EQ(ui.messages, std::vector<std::string>{"Trigger sequence error"});
}

class AttachmentDialogTest : public SessionTest {};

TEST_F(AttachmentDialogTest, BlocksBreakingTheirDeviceLimitsAreRefusedWithTheFieldFocused) {
  struct Case {
    int downs;  // from X
    const char* number;
    const char* length;
    const char* message;  // null: accepted
    const char* focused;
  } cases[] = {
      {0, "500", "12", nullptr, nullptr},
      {0, "500", "13", "Past 511", "okButton"},  // the focus stays where it was
      {3, "65535", "1", nullptr, nullptr},
      {3, "65536", "1", "D above 65535", "numberEdit"},
      {4, "2048", "0", "T above 2047", "numberEdit"},
      {5, "2048", "0", "C above 2047", "numberEdit"},
      {2, "0", "401", "Length above 400", "lengthEdit"},
      {2, "1648", "400", nullptr, nullptr},
      {2, "1649", "400", "Past 2047", "okButton"},
      {1, "0", "512", "Length above 511", "lengthEdit"},
      {1, "511", "0", nullptr, nullptr},  // a length of 0 passes every check
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.number) + " " + c.length);
    ui.messages.clear();
    CAttachmentDlg dialog(context);
    dialog.SetLengthText("1");
    ShowActive(dialog);
    auto* combo = dialog.findChild<QComboBox*>("deviceComboBox");
    combo->setFocus();
    QTest::keyClick(combo, Qt::Key_Home);
    for (int i = 0; i < c.downs; ++i) QTest::keyClick(combo, Qt::Key_Down);
    Type(dialog.findChild<QLineEdit*>("numberEdit"), c.number);
    Type(dialog.findChild<QLineEdit*>("lengthEdit"), c.length);
    Click(dialog.findChild<QPushButton*>("okButton"));
    if (!c.message) {
      EXPECT_EQ(dialog.result(), QDialog::Accepted);
      EXPECT_TRUE(ui.messages.empty());
      continue;
    }
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(ui.messages, std::vector<std::string>{c.message});
    EXPECT_EQ(QApplication::focusWidget(), dialog.findChild<QWidget*>(c.focused));
    if (auto* edit = dialog.findChild<QLineEdit*>(c.focused)) {
      EXPECT_EQ(edit->selectedText(), edit->text());
    }
  }
}

class TriggerPageTest : public ShownPageTest<CMailPageDlg2> {
 protected:
  QStringList Row(int row) {
    QStringList cells;
    for (int c = 0; c < 4; ++c) cells << List()->GetItemText(row, c);
    return cells;
  }
  CXListCtrl* List() { return Find<CXListCtrl>("triggerList"); }
};

TEST_F(TriggerPageTest, ListsTriggersAndOpensOneByDoubleClick) {
  for (int t = 0; t < 8; ++t) EXPECT_EQ(Row(t), QStringList({QString::number(t + 1), "", "", ""}));
  EXPECT_EQ(List()->item(0, 0)->background().color(), QColor(222, 238, 254));
  EXPECT_EQ(List()->item(1, 0)->background().color(), QColor(Qt::white));

  // Trigger 3 as "Periodic Timer" every hour, with a user message.
  WhenModal([](QWidget* modal) {
    Type(Child(modal, "triggerNameEdit"), "Hourly report 1");  // 15: more do not go in
    QTest::keyClicks(Child(modal, "triggerNameEdit"), "23");
    Type(Child(modal, "intervalEdit"), "6");
    Click(Child<QCheckBox>(modal, "userMessageCheckBox"));
    Type(Child(modal, "userMessageEdit"), "Check the boiler");
    Click(Child<QRadioButton>(modal, "periodicTimerRadioButton"));
    Click(Child<QPushButton>(modal, "okButton"));
  });
  ClickCell(List(), 2, 1, true);
  const Trigger t = record.Trigger(3);
  EXPECT_EQ(std::tuple(t.TriggerMode(), t.Interval(), t.NameLength(), t.MessageLength(), t.TriggerFlags()),
            std::tuple(3, 6, 15, 16, Trigger::kFlagUserMessage));
  EXPECT_EQ(t.UserMessage(), "Check the boiler");
  EXPECT_EQ(Row(2), QStringList({"3", "Hourly report 1", "Periodic Timer", "None"}));
}

TEST_F(TriggerPageTest, DeleteClearsTheSelectedTriggerAtOnce) {
  const Trigger t = record.Trigger(4);
  t.SetTriggerMode(2);
  t.SetTriggerName("Stop");
  t.SetInterval(99);
  t.SetTriggerFlags(Trigger::kFlagPlcDevice);
  record.Trigger(5).SetTriggerMode(7);  // no such mode: shown without its name
  record.Trigger(5).SetTriggerName("Odd");
  page.LoadFromRecord();
  EXPECT_EQ(Row(3), QStringList({"4", "Stop", "CPU ( STOP <=> RUN )", "PLC Device"}));
  EXPECT_EQ(Row(4), QStringList({"5", "Odd", "", "None"}));

  QTest::keyClick(List(), Qt::Key_Delete);  // nothing selected: nothing cleared
  EXPECT_EQ(t.TriggerMode(), 2);
  ClickCell(List(), 3, 2);
  QTest::keyClick(List(), Qt::Key_Delete);
  EXPECT_EQ(Row(3), QStringList({"4", "", "", ""}));
  EXPECT_EQ(t.TriggerMode(), 0);
  EXPECT_EQ(t.Interval(), 10);

  // Enter on the row opens it as an unset trigger; Escape leaves it unset.
  QStringList reopened;
  WhenModal([&](QWidget* modal) {
    reopened << Child(modal, "triggerNameEdit")->text() << Child(modal, "intervalEdit")->text();
    if (Child<QRadioButton>(modal, "deviceRegisterRadioButton")->isChecked()) reopened << "register";
    if (!Child(modal, "userMessageEdit")->isEnabled()) reopened << "no message";
    if (!Child<CXListCtrl>(modal, "attachmentList")->isEnabled()) reopened << "no attachment";
    QTest::keyClick(modal, Qt::Key_Escape);
  });
  QTest::keyClick(List(), Qt::Key_Return);
  EXPECT_EQ(reopened, QStringList({"", "10", "register", "no message", "no attachment"}));
  EXPECT_EQ(t.TriggerMode(), 0);
}

}  // namespace
}  // namespace qx::test
