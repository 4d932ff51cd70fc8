// Rules of the mail triggers that do not depend on a window: the names of the
// PLC device codes an attachment block may take, each device's limits, and
// the check of a block against them. The Attachment dialog shows the
// messages; the rules live here, free of the window.
#pragma once

#include <optional>
#include <string>

namespace qx {

// Device codes of AttachmentDevice, also the Attachment dialog's list indexes.
constexpr int kAttachmentDeviceCount = 6;

// "X", "Y", "SR", "D", "T", "C" for codes 0-5; "N/A" for any other code.
const char* DeviceName(int code);

struct AttachmentLimits {
  int highestNumber;  // the last device number
  int highestLength;  // the longest block
  int lastLimit;      // number + length at most (highestNumber + 1)
};

// The limits of a device code; nothing for a code outside 0-5, which is not
// checked at all.
std::optional<AttachmentLimits> AttachmentLimitsOf(int code);

// The first limit a block breaks, in the order the dialog checks them.
enum class AttachmentFault {
  kNone,
  kNumberTooHigh,  // number above the highest number
  kLengthTooHigh,  // length above the highest length
  kPastRange,      // number + length past the last device
};

// A length of 0 passes every check.
AttachmentFault CheckAttachment(int code, long long number, long long length);

}  // namespace qx
