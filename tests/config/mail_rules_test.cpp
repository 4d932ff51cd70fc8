// Attachment blocks against the limits of their PLC device.
#include <gtest/gtest.h>

#include "config/MailRules.h"

namespace qx {
namespace {

TEST(MailRules, DeviceNamesFollowTheCodes) {
  const char* names[] = {"X", "Y", "SR", "D", "T", "C"};
  for (int code = 0; code < 6; ++code) EXPECT_STREQ(DeviceName(code), names[code]);
  for (int code : {-1, 6, 0xFFFF}) EXPECT_STREQ(DeviceName(code), "N/A") << code;
}

TEST(MailRules, BlocksAreCheckedInOrderAgainstTheirDevice) {
  using F = AttachmentFault;
  struct Case {
    int code;
    long long number;
    long long length;
    F fault;
  } cases[] = {
      {0, 500, 12, F::kNone},           // X: last element 511
      {0, 500, 13, F::kPastRange},
      {1, 512, 0, F::kNumberTooHigh},   // Y
      {1, 0, 512, F::kLengthTooHigh},
      {1, 0, 511, F::kNone},
      {3, 65535, 1, F::kNone},          // D
      {3, 65536, 0, F::kNumberTooHigh},
      {3, 65535, 2, F::kPastRange},
      {4, 2048, 0, F::kNumberTooHigh},  // T
      {5, 2048, 500, F::kNumberTooHigh},// C: the number is checked first
      {2, 100, 401, F::kLengthTooHigh}, // SR
      {2, 2047, 0, F::kNone},           // a length of 0 passes
      {2, 1648, 400, F::kNone},
      {2, 1649, 400, F::kPastRange},
      {-1, 99999, 9999, F::kNone},      // no device chosen: no check
      {6, 99999, 9999, F::kNone},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CheckAttachment(c.code, c.number, c.length), c.fault)
        << c.code << " " << c.number << " " << c.length;
  }
}

}  // namespace
}  // namespace qx
