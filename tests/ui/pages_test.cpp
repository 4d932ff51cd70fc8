// The NTP and SNMP pages: what they show of the record and what they store.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

#include "tests/ui/UiTestSupport.h"
#include "ui/CIpAddressCtrl.h"
#include "ui/CNTPDlg.h"
#include "ui/CSNMPDlg.h"

namespace qx::test {
namespace {

QStringList Items(const QComboBox* list) {
  QStringList items;
  for (int i = 0; i < list->count(); ++i) items << list->itemText(i);
  return items;
}

class NtpPageTest : public SessionTest {
 protected:
  template <typename T>
  T* Find(const char* name) {
    return page.findChild<T*>(name);
  }
  CNTPDlg page{context};
};

TEST(TimeZones, OffsetComesFromTheEntrysGmtPrefix) {
  const int cases[][2] = {{0, -43200}, {17, -12600}, {24, 0},  {48, 20700},
                          {59, 28800}, {73, 46800},  {74, -1}, {-1, -1}};
  for (const auto& c : cases) EXPECT_EQ(CNTPDlg::TimeZoneOffset(c[0]), c[1]) << "index " << c[0];
}

TEST_F(NtpPageTest, DayListFollowsTheMonthAndResetsToDayOne) {
  auto* month = Find<QComboBox>("startMonthComboBox");
  auto* day = Find<QComboBox>("startDayComboBox");
  const int cases[][2] = {{1, 29}, {3, 30}, {11, 31}, {0, 31}};  // month index, days offered
  for (const auto& c : cases) {
    day->setCurrentIndex(day->count() - 1);
    month->setCurrentIndex(c[0]);
    EXPECT_EQ(day->count(), c[1]) << "month " << c[0] + 1;
    EXPECT_EQ(day->currentText(), "1");
  }
}

TEST_F(NtpPageTest, LoadsAndStoresTheDaylightSavingDates) {
  EXPECT_EQ(Find<QComboBox>("startMonthComboBox")->currentText(), "5");  // default 0x0400
  EXPECT_EQ(Find<QComboBox>("startDayComboBox")->currentText(), "1");
  record.SetDstEnd(0x011C);  // February 29
  page.LoadFromRecord();
  EXPECT_EQ(Find<QComboBox>("endDayComboBox")->currentText(), "29");

  Find<QComboBox>("startMonthComboBox")->setCurrentIndex(9);
  Find<QComboBox>("hourComboBox")->setCurrentIndex(23);
  ASSERT_TRUE(page.ValidateAndStore());
  EXPECT_EQ(record.DstStart(), 0x0900);
  EXPECT_EQ(record.DstEnd(), 0x011C);
  EXPECT_EQ(record.DstHour(), 23);
}

TEST_F(NtpPageTest, UpdateCycleRangeIsCheckedEvenWhileTheClientIsOff) {
  auto* cycle = Find<QLineEdit>("updateCycleEdit");
  record.SetNtpClientEnable(0);
  page.LoadFromRecord();
  EXPECT_FALSE(cycle->isEnabled());
  EXPECT_FALSE(Find<CIpAddressCtrl>("serverIpAddress")->isEnabled());
  struct Case {
    const char* text;
    bool accepted;
  } cases[] = {{"1440", true}, {"1", true}, {"1441", false}, {"0", false}, {"", false}};
  for (const Case& c : cases) {
    ui.messages.clear();
    record.SetNtpUpdateCycle(10);
    cycle->setText(c.text);
    EXPECT_EQ(page.ValidateAndStore(), c.accepted) << c.text;
    EXPECT_EQ(ui.messages.size(), c.accepted ? 0u : 1u);
    EXPECT_EQ(record.NtpUpdateCycle(), c.accepted ? QString(c.text).toInt() : 10);
    if (!c.accepted) {
      EXPECT_EQ(cycle->selectedText(), c.text);
    }
  }
}

TEST_F(NtpPageTest, StoresAddressZoneAndDerivedOffset) {
  Find<CIpAddressCtrl>("serverIpAddress")->SetAddress(0xC0A8010A);  // 192.168.1.10
  Find<QComboBox>("timeZoneComboBox")->setCurrentIndex(48);
  ASSERT_TRUE(page.ValidateAndStore());
  const uint8_t* ip = record.Bytes() + 0x2084;
  EXPECT_EQ(std::vector<int>(ip, ip + 4), (std::vector<int>{1, 10, 192, 168}));
  EXPECT_EQ(record.TimeZoneIndex(), 48);
  EXPECT_EQ(record.TimeZoneSeconds(), 20700);

  record.SetTimeZoneIndex(74);
  page.LoadFromRecord();
  EXPECT_EQ(Find<QComboBox>("timeZoneComboBox")->currentIndex(), -1);
  ASSERT_TRUE(page.ValidateAndStore());
  EXPECT_EQ(record.TimeZoneIndex(), 0xFFFF);
  EXPECT_EQ(record.TimeZoneSeconds(), -1);
}

TEST_F(SessionTest, SnmpPageShowsAndStoresCommunities) {
  CSNMPDlg page(context);
  auto* edit3 = page.findChild<QLineEdit*>("communityEdit3");
  EXPECT_EQ(edit3->text(), "granite");
  EXPECT_EQ(Items(page.findChild<QComboBox*>("accessComboBox1")), QStringList({"GET", "GET / SET"}));

  std::string full(62, 'c');
  page.findChild<QLineEdit*>("communityEdit1")->setText(QString::fromStdString(full));
  edit3->clear();
  page.findChild<QComboBox*>("accessComboBox2")->setCurrentIndex(1);
  ASSERT_TRUE(page.ValidateAndStore());
  const uint8_t* community1 = record.Bytes() + 0x20C0;
  EXPECT_EQ(std::string(community1, community1 + 64), full + std::string(2, '\0'));
  EXPECT_EQ(record.Community(3), "");
  EXPECT_EQ(record.AccessType(2), 1);
  EXPECT_EQ(record.AccessType(3), 0);

  record.SetCommunity(4, std::string(64, 'x'));  // a full field, no NUL
  page.LoadFromRecord();
  EXPECT_EQ(page.findChild<QLineEdit*>("communityEdit4")->text(), QString(64, 'x'));
}

}  // namespace
}  // namespace qx::test
