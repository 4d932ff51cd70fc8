// CNTPDlg: the NTP page of the configurator window. It edits the NTP client
// (server address, update cycle), the module's own NTP server service, the
// time zone and a daylight-saving rule (start and end date, switch hour),
// all held in the record's NTP block, which it writes only when validated.
#pragma once

#include <QWidget>

#include "ui/ConfigPage.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace qx {

class CIpAddressCtrl;
struct ConfiguratorContext;

class CNTPDlg : public QWidget, public ConfigPage {
  Q_OBJECT
 public:
  static constexpr int kMinUpdateCycle = 1;
  static constexpr int kMaxUpdateCycle = 1440;  // minutes

  // REQUIRES: context outlives the page. Loads the page from the record.
  explicit CNTPDlg(ConfiguratorContext& context, QWidget* parent = nullptr);

  void LoadFromRecord() override;
  // Rejects an update cycle outside 1..1440 ("Msg3"), even while the client
  // is disabled; the client enable and server address are stored before the
  // check, everything else after it.
  bool ValidateAndStore() override;

  static int TimeZoneOffset(int index);

 private:
  void BuildControls();
  void ApplyClientEnableRule();
  void ApplyDaylightSavingRule();
  // Empties the day list and fills it for the month selected in monthList
  // (29, 30 or 31 days), then selects day 1.
  void RefillDays(QComboBox* monthList, QComboBox* dayList);
  static void SelectIndex(QComboBox* list, int index);
  static int PackDate(const QComboBox* month, const QComboBox* day);

  ConfiguratorContext& context_;
  QCheckBox* clientEnable_ = nullptr;
  CIpAddressCtrl* serverIp_ = nullptr;
  QLineEdit* updateCycle_ = nullptr;
  QCheckBox* serverEnable_ = nullptr;
  QComboBox* timeZone_ = nullptr;
  QCheckBox* daylightSaving_ = nullptr;
  QComboBox* startMonth_ = nullptr;
  QComboBox* startDay_ = nullptr;
  QComboBox* endMonth_ = nullptr;
  QComboBox* endDay_ = nullptr;
  QComboBox* hour_ = nullptr;
};

}  // namespace qx
