#include "config/MailRules.h"

namespace qx {

const char* DeviceName(int code) {
  static constexpr const char* kNames[kAttachmentDeviceCount] = {"X", "Y", "SR", "D", "T", "C"};
  return code >= 0 && code < kAttachmentDeviceCount ? kNames[code] : "N/A";
}

std::optional<AttachmentLimits> AttachmentLimitsOf(int code) {
  switch (code) {
    case 0:  // X
    case 1:  // Y
      return AttachmentLimits{511, 511, 512};
    case 2:  // SR
    case 4:  // T
    case 5:  // C
      return AttachmentLimits{2047, 400, 2048};
    case 3:  // D
      return AttachmentLimits{65535, 400, 65536};
    default:
      return std::nullopt;
  }
}

AttachmentFault CheckAttachment(int code, long long number, long long length) {
  const std::optional<AttachmentLimits> limits = AttachmentLimitsOf(code);
  if (!limits) return AttachmentFault::kNone;
  if (number > limits->highestNumber) return AttachmentFault::kNumberTooHigh;
  if (length > limits->highestLength) return AttachmentFault::kLengthTooHigh;
  if (number + length > limits->lastLimit) return AttachmentFault::kPastRange;
  return AttachmentFault::kNone;
}

}  // namespace qx
