// The NTP page's time-zone list. The record stores the list index; the
// module also gets the zone's offset from UTC, which is read from the
// "(GMT+hh:mm)" prefix of the entry's English text.
#pragma once

namespace qx {

constexpr int kTimeZoneCount = 74;

// The English text of entry index (the translation source), or nullptr
// outside 0..73.
const char* TimeZoneText(int index);

// The offset from UTC in seconds of entry index: +-(hh * 3600 + mm * 60),
// 0 for "(GMT)"; -1 for an index outside 0..73 (no selection included).
int TimeZoneOffset(int index);

}  // namespace qx
