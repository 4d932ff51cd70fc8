// The NTP and SNMP pages: what they show of the record and what they store.
#include <QComboBox>
#include <QLineEdit>

#include "tests/ui/UiTestSupport.h"
#include "ui/CIpAddressCtrl.h"
#include "ui/CNTPDlg.h"
#include "ui/CSNMPDlg.h"

namespace qx::test {
namespace {

class NtpPageTest : public SessionTest {
 protected:
  QComboBox* Combo(const char* name) { return page.findChild<QComboBox*>(name); }
  CNTPDlg page{context};
};

TEST(TimeZones, OffsetComesFromTheEntrysGmtPrefix) {
  const int cases[][2] = {{0, -43200}, {17, -12600}, {24, 0},  {48, 20700},
                          {59, 28800}, {73, 46800},  {74, -1}, {-1, -1}};
  for (const auto& c : cases) EXPECT_EQ(CNTPDlg::TimeZoneOffset(c[0]), c[1]) << "index " << c[0];
}

TEST_F(NtpPageTest, DayListFollowsTheMonthAndResetsToDayOne) {
  auto* month = Combo("startMonthComboBox");
  auto* day = Combo("startDayComboBox");
  const int cases[][2] = {{1, 29}, {3, 30}, {11, 31}, {0, 31}};  // month index, days offered
  for (const auto& c : cases) {
    day->setCurrentIndex(day->count() - 1);
    month->setCurrentIndex(c[0]);
    EXPECT_EQ(day->count(), c[1]) << "month " << c[0] + 1;
    EXPECT_EQ(day->currentText(), "1");
  }
}

TEST_F(NtpPageTest, UpdateCycleRangeIsCheckedEvenWhileTheClientIsOff) {
  auto* cycle = page.findChild<QLineEdit*>("updateCycleEdit");
  record.SetNtpClientEnable(0);
  page.LoadFromRecord();
  EXPECT_FALSE(cycle->isEnabled());
  struct Case {
    const char* text;
    bool accepted;
  } cases[] = {{"1440", true}, {"1", true}, {"1441", false}, {"0", false}, {"", false}};
  for (const Case& c : cases) {
    record.SetNtpUpdateCycle(10);
    cycle->setText(c.text);
    EXPECT_EQ(page.ValidateAndStore(), c.accepted) << c.text;
    EXPECT_EQ(record.NtpUpdateCycle(), c.accepted ? QString(c.text).toInt() : 10);
    EXPECT_EQ(cycle->selectedText(), c.accepted ? "" : c.text);  // a rejected value is selected
  }
}

TEST_F(NtpPageTest, LoadsAndStoresDatesAddressAndZone) {
  EXPECT_EQ(Combo("startMonthComboBox")->currentText(), "5");  // default 0x0400
  EXPECT_EQ(Combo("startDayComboBox")->currentText(), "1");
  record.SetDstEnd(0x011C);  // February 29
  page.LoadFromRecord();
  EXPECT_EQ(Combo("endDayComboBox")->currentText(), "29");

  Combo("startMonthComboBox")->setCurrentIndex(9);
  Combo("hourComboBox")->setCurrentIndex(23);
  auto* server = page.findChild<CIpAddressCtrl*>("serverIpAddress");
  server->SetAddress(0xC0A8010A);  // 192.168.1.10
  server->Field(1)->clear();       // a blank field reads as 0
  Combo("timeZoneComboBox")->setCurrentIndex(48);
  ASSERT_TRUE(page.ValidateAndStore());
  EXPECT_EQ(record.DstStart(), 0x0900);
  EXPECT_EQ(record.DstEnd(), 0x011C);
  EXPECT_EQ(record.DstHour(), 23);
  const uint8_t* ip = record.Bytes() + 0x2084;
  EXPECT_EQ(std::vector<int>(ip, ip + 4), (std::vector<int>{1, 10, 192, 0}));
  EXPECT_EQ(record.TimeZoneIndex(), 48);
  EXPECT_EQ(record.TimeZoneSeconds(), 20700);

  record.SetTimeZoneIndex(74);  // no such zone
  page.LoadFromRecord();
  EXPECT_EQ(server->Field(0)->text(), "192");
  EXPECT_EQ(Combo("timeZoneComboBox")->currentIndex(), -1);
  ASSERT_TRUE(page.ValidateAndStore());
  EXPECT_EQ(record.TimeZoneIndex(), 0xFFFF);
  EXPECT_EQ(record.TimeZoneSeconds(), -1);
}

TEST_F(SessionTest, SnmpPageShowsAndStoresCommunities) {
  CSNMPDlg page(context);
  auto* access1 = page.findChild<QComboBox*>("accessComboBox1");
  EXPECT_EQ(QStringList({access1->itemText(0), access1->itemText(1)}), QStringList({"GET", "GET / SET"}));

  std::string full(62, 'c');
  page.findChild<QLineEdit*>("communityEdit1")->setText(QString::fromStdString(full));
  page.findChild<QLineEdit*>("communityEdit3")->clear();
  page.findChild<QComboBox*>("accessComboBox2")->setCurrentIndex(1);
  ASSERT_TRUE(page.ValidateAndStore());
  const uint8_t* community1 = record.Bytes() + 0x20C0;
  EXPECT_EQ(std::string(community1, community1 + 64), full + std::string(2, '\0'));
  EXPECT_EQ(record.Community(3), "");
  EXPECT_EQ(record.AccessType(2), 1);
  EXPECT_EQ(record.AccessType(3), 0);
}

}  // namespace
}  // namespace qx::test
