#include "ui/NtpTimeZones.h"

#include <QtGlobal>
#include <cstring>

namespace qx {
namespace {

// Marked for translation in the page's context; the page shows tr() of them.
const char* const kTimeZones[kTimeZoneCount] = {
    QT_TRANSLATE_NOOP("qx::CNTPDlg", "(GMT-12:00) Eniwetok, Kwajalein"),
    QT_TRANSLATE_NOOP("qx::CNTPDlg", "(GMT-11:00) Midway Island, Samoa"),
    QT_TRANSLATE_NOOP("qx::CNTPDlg", "(GMT-10:00) Hawaii"),
    QT_TRANSLATE_NOOP("qx::CNTPDlg", "(GMT-09:00) Alaska"),
    QT_TRANSLATE_NOOP("qx::CNTPDlg", "(GMT-08:00) Pacific Time (US & Canada); Tijuana"),
    QT_TRANSLATE_NOOP("qx::CNTPDlg", "(GMT-07:00) Arizona"),
    QT_TRANSLATE_NOOP("qx::CNTPDlg", "(GMT-07:00) Mountain Time (US & Canada)"),
    QT_TRANSLATE_NOOP("qx::CNTPDlg", "(GMT-06:00) Central America"),
    QT_TRANSLATE_NOOP("qx::CNTPDlg", "(GMT-06:00) Central Time (US & Canada)"),
    QT_TRANSLATE_NOOP("qx::CNTPDlg", "(GMT-06:00) Mexico City"),
    QT_TRANSLATE_NOOP("qx::CNTPDlg", "(GMT-06:00) Saskatchewan"),
    QT_TRANSLATE_NOOP("qx::CNTPDlg", "(GMT-05:00) Bogota, Lima, Quito"),
    QT_TRANSLATE_NOOP("qx::CNTPDlg", "(GMT-05:00) Eastern Time (US & Canada)"),
    QT_TRANSLATE_NOOP("qx::CNTPDlg", "(GMT-05:00) Indiana (East)"),
    QT_TRANSLATE_NOOP("qx::CNTPDlg", "(GMT-04:00) Atlantic Time (Canada)"),
    QT_TRANSLATE_NOOP("qx::CNTPDlg", "(GMT-04:00) Caracas, La Paz"),
    QT_TRANSLATE_NOOP("qx::CNTPDlg", "(GMT-04:00) Santiago"),
    QT_TRANSLATE_NOOP("qx::CNTPDlg", "(GMT-03:30) Newfoundland"),
    QT_TRANSLATE_NOOP("qx::CNTPDlg", "(GMT-03:00) Brasilia"),
    QT_TRANSLATE_NOOP("qx::CNTPDlg", "(GMT-03:00) Buenos Aires, Georgetown"),
    QT_TRANSLATE_NOOP("qx::CNTPDlg", "(GMT-03:00) Greenland"),
    QT_TRANSLATE_NOOP("qx::CNTPDlg", "(GMT-02:00) Mid-Atlantic"),
    QT_TRANSLATE_NOOP("qx::CNTPDlg", "(GMT-01:00) Azores"),
    QT_TRANSLATE_NOOP("qx::CNTPDlg", "(GMT-01:00) Cape Verde Is."),
    QT_TRANSLATE_NOOP("qx::CNTPDlg", "(GMT) Casablanca, Monrovia"),
    QT_TRANSLATE_NOOP("qx::CNTPDlg", "(GMT) Greenwich Mean Time: Dublin, Edinburgh, Lisbon, London"),
    QT_TRANSLATE_NOOP("qx::CNTPDlg", "(GMT+01:00) Amsterdam, Berlin, Bern, Rome, Stockholm, Vienna"),
    QT_TRANSLATE_NOOP("qx::CNTPDlg", "(GMT+01:00) Belgrade, Bratislava, Budapest, Ljubljana, Prague"),
    QT_TRANSLATE_NOOP("qx::CNTPDlg", "(GMT+01:00) Brussels, Copenhagen, Madrid, Paris"),
    QT_TRANSLATE_NOOP("qx::CNTPDlg", "(GMT+01:00) Sarajevo, Skopje, Sofija, Vilnius, Warsaw, Zagreb"),
    QT_TRANSLATE_NOOP("qx::CNTPDlg", "(GMT+01:00) West Central Africa"),
    QT_TRANSLATE_NOOP("qx::CNTPDlg", "(GMT+02:00) Athens, Istanbul, Minsk"),
    QT_TRANSLATE_NOOP("qx::CNTPDlg", "(GMT+02:00) Bucharest"),
    QT_TRANSLATE_NOOP("qx::CNTPDlg", "(GMT+02:00) Cairo"),
    QT_TRANSLATE_NOOP("qx::CNTPDlg", "(GMT+02:00) Harare, Pretoria"),
    QT_TRANSLATE_NOOP("qx::CNTPDlg", "(GMT+02:00) Helsinki, Riga, Tallinn"),
    QT_TRANSLATE_NOOP("qx::CNTPDlg", "(GMT+02:00) Jerusalem"),
    QT_TRANSLATE_NOOP("qx::CNTPDlg", "(GMT+03:00) Baghdad"),
    QT_TRANSLATE_NOOP("qx::CNTPDlg", "(GMT+03:00) Kuwait, Riyadh"),
    QT_TRANSLATE_NOOP("qx::CNTPDlg", "(GMT+03:00) Moscow, St. Petersburg, Volgograd"),
    QT_TRANSLATE_NOOP("qx::CNTPDlg", "(GMT+03:00) Nairobi"),
    QT_TRANSLATE_NOOP("qx::CNTPDlg", "(GMT+03:30) Tehran"),
    QT_TRANSLATE_NOOP("qx::CNTPDlg", "(GMT+04:00) Abu Dhabi, Muscat"),
    QT_TRANSLATE_NOOP("qx::CNTPDlg", "(GMT+04:00) Baku, Tbilisi, Yerevan"),
    QT_TRANSLATE_NOOP("qx::CNTPDlg", "(GMT+04:30) Kabul"),
    QT_TRANSLATE_NOOP("qx::CNTPDlg", "(GMT+05:00) Ekaterinburg"),
    QT_TRANSLATE_NOOP("qx::CNTPDlg", "(GMT+05:00) Islamabad, Karachi, Tashkent"),
    QT_TRANSLATE_NOOP("qx::CNTPDlg", "(GMT+05:30) Calcutta, Chennai, Mumbai, New Delhi"),
    QT_TRANSLATE_NOOP("qx::CNTPDlg", "(GMT+05:45) Kathmandu"),
    QT_TRANSLATE_NOOP("qx::CNTPDlg", "(GMT+06:00) Almaty, Novosibirsk"),
    QT_TRANSLATE_NOOP("qx::CNTPDlg", "(GMT+06:00) Astana, Dhaka"),
    QT_TRANSLATE_NOOP("qx::CNTPDlg", "(GMT+06:00) Sri Jayawardenepura"),
    QT_TRANSLATE_NOOP("qx::CNTPDlg", "(GMT+06:30) Rangoon"),
    QT_TRANSLATE_NOOP("qx::CNTPDlg", "(GMT+07:00) Bangkok, Hanoi, Jakarta"),
    QT_TRANSLATE_NOOP("qx::CNTPDlg", "(GMT+07:00) Krasnoyarsk"),
    QT_TRANSLATE_NOOP("qx::CNTPDlg", "(GMT+08:00) Beijing, Chongqing, Hong Kong, Urumqi"),
    QT_TRANSLATE_NOOP("qx::CNTPDlg", "(GMT+08:00) Irkutsk, Ulaan Bataar"),
    QT_TRANSLATE_NOOP("qx::CNTPDlg", "(GMT+08:00) Kuala Lumpur, Singapore"),
    QT_TRANSLATE_NOOP("qx::CNTPDlg", "(GMT+08:00) Perth"),
    QT_TRANSLATE_NOOP("qx::CNTPDlg", "(GMT+08:00) Taipei"),
    QT_TRANSLATE_NOOP("qx::CNTPDlg", "(GMT+09:00) Osaka, Sapporo, Tokyo"),
    QT_TRANSLATE_NOOP("qx::CNTPDlg", "(GMT+09:00) Seoul"),
    QT_TRANSLATE_NOOP("qx::CNTPDlg", "(GMT+09:00) Yakutsk"),
    QT_TRANSLATE_NOOP("qx::CNTPDlg", "(GMT+09:30) Adelaide"),
    QT_TRANSLATE_NOOP("qx::CNTPDlg", "(GMT+09:30) Darwin"),
    QT_TRANSLATE_NOOP("qx::CNTPDlg", "(GMT+10:00) Brisbane"),
    QT_TRANSLATE_NOOP("qx::CNTPDlg", "(GMT+10:00) Canberra, Melbourne, Sydney"),
    QT_TRANSLATE_NOOP("qx::CNTPDlg", "(GMT+10:00) Guam, Port Moresby"),
    QT_TRANSLATE_NOOP("qx::CNTPDlg", "(GMT+10:00) Hobart"),
    QT_TRANSLATE_NOOP("qx::CNTPDlg", "(GMT+10:00) Vladivostok"),
    QT_TRANSLATE_NOOP("qx::CNTPDlg", "(GMT+11:00) Magadan, Solomon Is., New Caledonia"),
    QT_TRANSLATE_NOOP("qx::CNTPDlg", "(GMT+12:00) Auckland, Wellington"),
    QT_TRANSLATE_NOOP("qx::CNTPDlg", "(GMT+12:00) Fiji, Kamchatka, Marshall Is."),
    QT_TRANSLATE_NOOP("qx::CNTPDlg", "(GMT+13:00) Nuku'alofa"),
};

int Digits2(const char* p) {
  if (p[0] < '0' || p[0] > '9' || p[1] < '0' || p[1] > '9') return -1;
  return (p[0] - '0') * 10 + (p[1] - '0');
}

}  // namespace

const char* TimeZoneText(int index) {
  return index >= 0 && index < kTimeZoneCount ? kTimeZones[index] : nullptr;
}

int TimeZoneOffset(int index) {
  const char* text = TimeZoneText(index);
  if (!text) return -1;
  // "(GMT)" or "(GMT+hh:mm)" / "(GMT-hh:mm)".
  if (std::strncmp(text, "(GMT)", 5) == 0) return 0;
  if (std::strncmp(text, "(GMT", 4) != 0 || std::strlen(text) < 11) return -1;
  int sign = text[4] == '-' ? -1 : 1;
  int hours = Digits2(text + 5);
  int minutes = Digits2(text + 8);
  if (hours < 0 || minutes < 0 || text[7] != ':') return -1;
  return sign * (hours * 3600 + minutes * 60);
}

}  // namespace qx
