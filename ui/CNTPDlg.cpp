#include "ui/CNTPDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "config/ModuleConfig.h"
#include "platform/TextTable.h"
#include "platform/UiServices.h"
#include "ui/AccessibleLabels.h"
#include "ui/CIpAddressCtrl.h"
#include "ui/ConfiguratorContext.h"
#include "ui/DialogUnits.h"
#include "ui/FieldHelpers.h"
#include "ui/NtpTimeZones.h"

namespace qx {
namespace {

constexpr int kUpdateCycleDigits = 4;

QComboBox* NumberList(QWidget* parent, const char* name, int first, int last) {
  auto* list = new QComboBox(parent);
  list->setObjectName(QLatin1String(name));
  for (int n = first; n <= last; ++n) list->addItem(QString::number(n));
  return list;
}

// A "month / day ( Month / Day )" row of the daylight-saving rule.
void AddDateRow(QGridLayout* grid, int row, const QString& label, QComboBox* month, QComboBox* day,
                const QString& hint) {
  auto* parent = grid->parentWidget();
  grid->addWidget(TieLabel(new QLabel(label, parent), month), row, 0);
  // The label names the pair; each list says which half it is.
  NameControl(month, CNTPDlg::tr("%1, month").arg(label));
  NameControl(day, CNTPDlg::tr("%1, day").arg(label));
  grid->addWidget(month, row, 1);
  grid->addWidget(new QLabel(QStringLiteral("/"), parent), row, 2, Qt::AlignCenter);
  grid->addWidget(day, row, 3);
  grid->addWidget(new QLabel(hint, parent), row, 4);
}

}  // namespace

CNTPDlg::CNTPDlg(ConfiguratorContext& context, QWidget* parent) : QWidget(parent), context_(context) {
  setObjectName(QStringLiteral("ntpPage"));
  BuildControls();
  LoadFromRecord();
  ApplyClientEnableRule();
}

void CNTPDlg::BuildControls() {
  // Client group.
  auto* client = new QGroupBox(tr("NTP Client Setup"), this);
  clientEnable_ = new QCheckBox(tr("NTP Client Service Enable"), client);
  clientEnable_->setObjectName(QStringLiteral("clientEnableCheckBox"));
  serverIp_ = new CIpAddressCtrl(client);
  serverIp_->setObjectName(QStringLiteral("serverIpAddress"));
  serverIp_->setFixedWidth(DluX(this, 100));
  updateCycle_ = new QLineEdit(client);
  updateCycle_->setObjectName(QStringLiteral("updateCycleEdit"));
  updateCycle_->setAlignment(Qt::AlignCenter);
  // Typing stops at four digits; a longer value from the record is shown
  // cut to four, like every limited edit.
  LimitEdit(updateCycle_, kUpdateCycleDigits, true);
  updateCycle_->setFixedWidth(DluX(this, 40));
  auto* clientGrid = new QGridLayout(client);
  clientGrid->addWidget(clientEnable_, 0, 0, 1, 2);
  clientGrid->addWidget(TieLabel(new QLabel(tr("NTP Server"), client), serverIp_), 1, 0);
  clientGrid->addWidget(serverIp_, 1, 1, Qt::AlignLeft);
  clientGrid->addWidget(TieLabel(new QLabel(tr("Update Cycle ( min. )"), client), updateCycle_), 2, 0);
  clientGrid->addWidget(updateCycle_, 2, 1, Qt::AlignLeft);
  clientGrid->setColumnStretch(1, 1);

  // Server service group.
  auto* server = new QGroupBox(tr("NTP Server Service"), this);
  serverEnable_ = new QCheckBox(tr("NTP Server Service Enable"), server);
  serverEnable_->setObjectName(QStringLiteral("serverServiceCheckBox"));
  auto* serverBox = new QVBoxLayout(server);
  serverBox->addWidget(serverEnable_);
  serverBox->addStretch(1);

  // Time group.
  auto* setup = new QGroupBox(tr("NTP Setup"), this);
  timeZone_ = new QComboBox(setup);
  timeZone_->setObjectName(QStringLiteral("timeZoneComboBox"));
  timeZone_->setMaxVisibleItems(20);
  for (int i = 0; i < kTimeZoneCount; ++i) timeZone_->addItem(tr(TimeZoneText(i)));
  timeZone_->setMinimumContentsLength(40);
  timeZone_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  daylightSaving_ = new QCheckBox(tr("Daylight Saving Time"), setup);
  daylightSaving_->setObjectName(QStringLiteral("daylightSavingCheckBox"));
  startMonth_ = NumberList(setup, "startMonthComboBox", 1, 12);
  startDay_ = new QComboBox(setup);
  startDay_->setObjectName(QStringLiteral("startDayComboBox"));
  endMonth_ = NumberList(setup, "endMonthComboBox", 1, 12);
  endDay_ = new QComboBox(setup);
  endDay_->setObjectName(QStringLiteral("endDayComboBox"));
  hour_ = NumberList(setup, "hourComboBox", 0, 23);
  for (QComboBox* list : {startMonth_, startDay_, endMonth_, endDay_, hour_})
    list->setMinimumWidth(DluX(this, 30));

  auto* setupGrid = new QGridLayout(setup);
  auto* zoneRow = new QHBoxLayout;
  zoneRow->addWidget(TieLabel(new QLabel(tr("Time Zone"), setup), timeZone_));
  zoneRow->addWidget(timeZone_, 1);
  setupGrid->addLayout(zoneRow, 0, 0, 1, 6);
  setupGrid->addWidget(daylightSaving_, 1, 0, 1, 6);
  AddDateRow(setupGrid, 2, tr("Start Date"), startMonth_, startDay_, tr("( Month / Day )"));
  AddDateRow(setupGrid, 3, tr("End Date"), endMonth_, endDay_, tr("( Month / Day )"));
  setupGrid->addWidget(TieLabel(new QLabel(tr("Time"), setup), hour_), 4, 0);
  setupGrid->addWidget(hour_, 4, 1);
  setupGrid->addWidget(new QLabel(tr("( O'Clock )"), setup), 4, 2, 1, 3);
  setupGrid->setColumnStretch(5, 1);
  setupGrid->setColumnMinimumWidth(0, DluX(this, 50));

  auto* top = new QHBoxLayout;
  top->addWidget(client, 3);
  top->addWidget(server, 2);
  auto* page = new QVBoxLayout(this);
  page->addLayout(top);
  page->addWidget(setup);
  page->addStretch(1);

  // toggled, not clicked: the rules follow every change of the check state,
  // the keyboard's and a screen reader's toggle action included.
  connect(clientEnable_, &QCheckBox::toggled, this, &CNTPDlg::ApplyClientEnableRule);
  connect(daylightSaving_, &QCheckBox::toggled, this, &CNTPDlg::ApplyDaylightSavingRule);
  connect(startMonth_, &QComboBox::currentIndexChanged, this, [this] { RefillDays(startMonth_, startDay_); });
  connect(endMonth_, &QComboBox::currentIndexChanged, this, [this] { RefillDays(endMonth_, endDay_); });
}

int CNTPDlg::TimeZoneOffset(int index) {
  return qx::TimeZoneOffset(index);
}

void CNTPDlg::SelectIndex(QComboBox* list, int index) {
  // An index the list does not have leaves it without a selection.
  list->setCurrentIndex(index >= 0 && index < list->count() ? index : -1);
}

void CNTPDlg::ApplyClientEnableRule() {
  bool on = clientEnable_->isChecked();
  serverIp_->setEnabled(on);
  updateCycle_->setEnabled(on);
}

void CNTPDlg::ApplyDaylightSavingRule() {
  bool on = daylightSaving_->isChecked();
  for (QComboBox* list : {startMonth_, startDay_, endMonth_, endDay_, hour_}) list->setEnabled(on);
}

void CNTPDlg::RefillDays(QComboBox* monthList, QComboBox* dayList) {
  dayList->clear();
  for (int day = 1; day <= 29; ++day) dayList->addItem(QString::number(day));
  switch (monthList->currentIndex()) {
    case 0:
    case 2:
    case 4:
    case 6:
    case 7:
    case 9:
    case 11:
      dayList->addItem(QStringLiteral("30"));
      dayList->addItem(QStringLiteral("31"));
      break;
    case 3:
    case 5:
    case 8:
    case 10:
      dayList->addItem(QStringLiteral("30"));
      break;
    default:  // February, or no month selected
      break;
  }
  dayList->setCurrentIndex(0);
}

void CNTPDlg::LoadFromRecord() {
  const ModuleConfig& record = context_.record;
  clientEnable_->setChecked(record.NtpClientEnable() != 0);
  ApplyClientEnableRule();
  serverIp_->SetAddress(record.NtpServerIp());
  daylightSaving_->setChecked(record.DstEnable() != 0);
  ApplyDaylightSavingRule();
  const struct {
    QComboBox* month;
    QComboBox* day;
    uint16_t date;
  } dates[] = {{startMonth_, startDay_, record.DstStart()}, {endMonth_, endDay_, record.DstEnd()}};
  for (const auto& d : dates) {
    QSignalBlocker block(d.month);
    SelectIndex(d.month, d.date >> 8);
    RefillDays(d.month, d.day);
    SelectIndex(d.day, d.date & 0xFF);
  }
  SelectIndex(hour_, record.DstHour());
  serverEnable_->setChecked(record.NtpServerEnable() != 0);
  SelectIndex(timeZone_, record.TimeZoneIndex());
  updateCycle_->setText(QString::number(record.NtpUpdateCycle()));
}

int CNTPDlg::PackDate(const QComboBox* month, const QComboBox* day) {
  // A list without a selection counts as index -1, as the list reports it.
  return month->currentIndex() * 256 + day->currentIndex();
}

bool CNTPDlg::ValidateAndStore() {
  ModuleConfig& record = context_.record;
  record.SetNtpClientEnable(clientEnable_->isChecked() ? 1 : 0);
  record.SetNtpServerIp(serverIp_->GetAddress());
  int cycle = LeadingDecimal(updateCycle_->text());
  if (cycle < kMinUpdateCycle || cycle > kMaxUpdateCycle) {
    context_.ui.ShowMessage(context_.texts.Message("Msg3"), MessageButtons::kOk);
    RejectField(updateCycle_);
    return false;
  }
  record.SetNtpUpdateCycle(static_cast<uint16_t>(cycle));
  record.SetDstEnable(daylightSaving_->isChecked() ? 1 : 0);
  record.SetDstStart(static_cast<uint16_t>(PackDate(startMonth_, startDay_)));
  record.SetDstEnd(static_cast<uint16_t>(PackDate(endMonth_, endDay_)));
  record.SetDstHour(static_cast<uint16_t>(hour_->currentIndex()));
  record.SetNtpServerEnable(serverEnable_->isChecked() ? 1 : 0);
  int zone = timeZone_->currentIndex();
  record.SetTimeZoneIndex(static_cast<uint16_t>(zone));
  record.SetTimeZoneSeconds(TimeZoneOffset(zone));
  return true;
}

}  // namespace qx
