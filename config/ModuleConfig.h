// ModuleConfig: the module's whole configuration, held as its own register
// image of 10180 bytes (5090 registers), byte for byte as the module stores
// it. Transfers copy blocks of it unchanged; every other reader and writer
// goes through the typed accessors below, which convert at the point of use
// (RegisterCodec.h). No host-order copy of any field exists.
//
// Numbering: things the system numbers are addressed by that number, from 1:
// Item(1..64), Recipient address 1..8, Trigger(1..8), SNMP rows 1..4,
// attachments 1..2, reserved words 1..n. Out-of-range numbers are a caller
// bug (assert); nothing outside the image is ever touched.
#pragma once

#include <array>
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>

#include "config/RegisterCodec.h"

namespace qx {

// ---- Layout ---------------------------------------------------------------
namespace layout {

constexpr std::size_t kImageSize = 10180;

constexpr std::size_t kHeaderOffset = 0x0000;
constexpr std::size_t kHeaderSize = 2 + 2 + 2 + 122;  // reserved, condition, count, reserved
constexpr std::size_t kItemsOffset = kHeaderOffset + kHeaderSize;
constexpr std::size_t kItemSize = 32 + 32 + 32 + 32;  // fields, read block, write block, reserved
constexpr int kMaxItems = 64;
constexpr std::size_t kNtpOffset = kItemsOffset + kMaxItems * kItemSize;
constexpr std::size_t kNtpSize = 32;
constexpr std::size_t kSnmpOffset = kNtpOffset + kNtpSize;
constexpr std::size_t kSnmpSize = 2 + 2 + 4 * 2 + 20 + 4 * 64;
constexpr std::size_t kMailOffset = kSnmpOffset + kSnmpSize;
constexpr std::size_t kRecipientSize = 64;
constexpr int kRecipients = 8;
constexpr std::size_t kTriggerSize = 8 + 4 + 2 + 2 + 16 + 64 + 3 * 2 * 2;
constexpr int kTriggers = 8;
constexpr std::size_t kMailServerSize = 4 + 2 + 1 + 1 + 1 + 1 + 2 + 8 + 64 + 32 + 32 + 16;
constexpr std::size_t kRecipientsOffset = kMailOffset + kMailServerSize;
constexpr std::size_t kTriggersOffset = kRecipientsOffset + kRecipients * kRecipientSize;
constexpr std::size_t kMailSize = kMailServerSize + kRecipients * kRecipientSize + kTriggers * kTriggerSize;

constexpr std::size_t kTransferBlockSize = 32;
constexpr std::size_t kCommunitySize = 64;
constexpr int kSnmpRows = 4;
constexpr int kAttachments = 2;

// Module addresses of the register blocks.
constexpr uint32_t kHeaderAddress = 0x10001000;
constexpr uint32_t kItemsAddress = 0x10001040;  // + 64 registers per item
constexpr uint32_t kNtpAddress = 0x10000000;
constexpr uint32_t kSnmpAddress = 0x10000100;
constexpr uint32_t kMailAddress = 0x10004000;

static_assert(kHeaderSize == 0x80);
static_assert(kItemsOffset == 0x0080);
static_assert(kItemSize == 128);
static_assert(kNtpOffset == 0x2080);
static_assert(kSnmpOffset == 0x20A0 && kSnmpSize == 288);
static_assert(kMailOffset == 0x21C0 && kMailSize == 1540);
static_assert(kRecipientsOffset == 0x2264);
static_assert(kTriggersOffset == 0x2464 && kTriggerSize == 108);
static_assert(kMailOffset + kMailSize == 0x27C4);
static_assert(kImageSize == kMailOffset + kMailSize);

}  // namespace layout

// ---- Field views ------------------------------------------------------------
// A view addresses one record inside the image. View<uint8_t> reads and
// writes; View<const uint8_t> only reads. Views do not own the image and are
// valid while the ModuleConfig lives.

namespace detail {

template <typename B>
class ViewBase {
 public:
  static constexpr bool kMutable = !std::is_const_v<B>;
  explicit ViewBase(B* p) : p_(p) {}
  B* data() const { return p_; }

 protected:
  uint8_t U8(std::size_t off) const { return p_[off]; }
  uint16_t U16(std::size_t off) const { return DecodeU16(p_ + off); }
  uint32_t U32(std::size_t off) const { return DecodeU32(p_ + off); }
  int32_t S32(std::size_t off) const { return DecodeS32(p_ + off); }
  void PutU8(std::size_t off, uint8_t v) const requires kMutable { p_[off] = v; }
  void PutU16(std::size_t off, uint16_t v) const requires kMutable { EncodeU16(p_ + off, v); }
  void PutU32(std::size_t off, uint32_t v) const requires kMutable { EncodeU32(p_ + off, v); }
  void PutS32(std::size_t off, int32_t v) const requires kMutable { EncodeS32(p_ + off, v); }
  // Text up to the first NUL, at most size bytes.
  std::string Text(std::size_t off, std::size_t size) const {
    const auto* b = reinterpret_cast<const char*>(p_ + off);
    std::size_t n = 0;
    while (n < size && b[n] != '\0') ++n;
    return std::string(b, n);
  }
  // Zeroes the field, then copies at most size bytes of the text.
  void PutText(std::size_t off, std::size_t size, std::string_view text) const requires kMutable {
    for (std::size_t i = 0; i < size; ++i) p_[off + i] = 0;
    for (std::size_t i = 0; i < size && i < text.size(); ++i) p_[off + i] = static_cast<uint8_t>(text[i]);
  }

  B* p_;
};

}  // namespace detail

#define QX_FIELD(Type, Name, Get, Put, Off)                                   \
  Type Name() const { return this->Get(Off); }                               \
  void Set##Name(Type v) const requires detail::ViewBase<B>::kMutable {      \
    this->Put(Off, v);                                                       \
  }
#define QX_U8(Name, Off) QX_FIELD(uint8_t, Name, U8, PutU8, Off)
#define QX_U16(Name, Off) QX_FIELD(uint16_t, Name, U16, PutU16, Off)
#define QX_U32(Name, Off) QX_FIELD(uint32_t, Name, U32, PutU32, Off)
#define QX_S32(Name, Off) QX_FIELD(int32_t, Name, S32, PutS32, Off)
// k<Name>Size is the field's size in bytes (the parameter is not called
// Size, which would turn the constant's name into k<Name><bytes>).
#define QX_TEXT(Name, Off, Bytes)                                             \
  static constexpr std::size_t k##Name##Size = Bytes;                         \
  std::string Name() const { return this->Text(Off, Bytes); }                \
  void Set##Name(std::string_view v) const requires detail::ViewBase<B>::kMutable { \
    this->PutText(Off, Bytes, v);                                            \
  }

// TransferBlock: 32 bytes, what an item reads from or writes to the remote device.
template <typename B>
class TransferBlockView : public detail::ViewBase<B> {
 public:
  using detail::ViewBase<B>::ViewBase;
  QX_U16(LocalOffset, 0)
  QX_U16(Quantity, 2)
  QX_U32(RemoteAddress, 4)
  QX_U16(RemoteKind, 8)
  // Reserved words 1..3 at +10, +12, +14.
  uint16_t ReservedWord(int k) const { assert(k >= 1 && k <= 3); return this->U16(8 + 2 * k); }
  void SetReservedWord(int k, uint16_t v) const requires detail::ViewBase<B>::kMutable {
    assert(k >= 1 && k <= 3);
    this->PutU16(8 + 2 * k, v);
  }
  QX_U16(Command, 16)
  QX_U16(Segment1Length, 18)
  QX_U32(Segment1Address, 20)
  QX_U16(Segment2Reserved, 24)
  QX_U16(Segment2Length, 26)
  QX_U32(Segment2Address, 28)
};

// DataExchangeItem: 128 bytes.
template <typename B>
class ItemView : public detail::ViewBase<B> {
 public:
  using detail::ViewBase<B>::ViewBase;
  static constexpr uint16_t kEnabledValue = 2;
  QX_U16(Enabled, 0)
  QX_U16(SlaveAddress, 2)
  QX_U32(IpAddress, 4)
  QX_U16(UpdateCycle, 8)
  QX_U16(Timeout, 10)
  QX_U16(SupportFc17, 12)
  QX_U16(DeviceType, 14)
  QX_U16(FixedValue, 16)
  // Reserved words 1..7 at +18 .. +30.
  uint16_t ReservedWord(int k) const { assert(k >= 1 && k <= 7); return this->U16(16 + 2 * k); }
  void SetReservedWord(int k, uint16_t v) const requires detail::ViewBase<B>::kMutable {
    assert(k >= 1 && k <= 7);
    this->PutU16(16 + 2 * k, v);
  }
  TransferBlockView<B> ReadBlock() const { return TransferBlockView<B>(this->p_ + 32); }
  TransferBlockView<B> WriteBlock() const { return TransferBlockView<B>(this->p_ + 64); }
};

// TriggerRecord: 108 bytes.
template <typename B>
class TriggerView : public detail::ViewBase<B> {
 public:
  using detail::ViewBase<B>::ViewBase;
  static constexpr uint8_t kFlagUserMessage = 0x01;
  static constexpr uint8_t kFlagBit2 = 0x04;
  static constexpr uint8_t kFlagPlcDevice = 0x08;
  QX_U8(NameLength, 0)
  QX_U8(MessageLength, 1)
  QX_U8(TriggerReserved2, 2)
  QX_U8(TriggerFlags, 3)
  QX_U8(RecipientMask, 4)
  QX_U8(TriggerMode, 5)
  QX_U8(TriggerReserved6, 6)
  QX_U8(TriggerReserved7, 7)
  QX_U32(TriggerReserved8, 8)
  QX_U16(Interval, 12)
  QX_U16(TriggerReserved14, 14)
  QX_TEXT(TriggerName, 16, 16)
  QX_TEXT(UserMessage, 32, 64)
  // Attachments 1..2.
  uint16_t AttachmentDevice(int k) const { return this->U16(Att(96, k)); }
  uint16_t AttachmentNumber(int k) const { return this->U16(Att(100, k)); }
  uint16_t AttachmentLength(int k) const { return this->U16(Att(104, k)); }
  void SetAttachmentDevice(int k, uint16_t v) const requires detail::ViewBase<B>::kMutable { this->PutU16(Att(96, k), v); }
  void SetAttachmentNumber(int k, uint16_t v) const requires detail::ViewBase<B>::kMutable { this->PutU16(Att(100, k), v); }
  void SetAttachmentLength(int k, uint16_t v) const requires detail::ViewBase<B>::kMutable { this->PutU16(Att(104, k), v); }

 private:
  static std::size_t Att(std::size_t base, int k) {
    assert(k >= 1 && k <= layout::kAttachments);
    return base + 2 * static_cast<std::size_t>(k - 1);
  }
};

// The whole image with the header, NTP, SNMP and mail server fields.
template <typename B>
class ImageView : public detail::ViewBase<B> {
 public:
  using detail::ViewBase<B>::ViewBase;

  // DataExchangeSection header
  QX_U16(DeHeaderReserved, 0x0000)
  QX_U16(EnableCondition, 0x0002)
  QX_U16(ItemCount, 0x0004)

  // NtpSettings
  QX_U16(NtpClientEnable, 0x2080)
  QX_U16(NtpUpdateCycle, 0x2082)
  QX_U32(NtpServerIp, 0x2084)
  QX_U16(DstEnable, 0x2088)
  QX_U16(DstHour, 0x208A)
  QX_U16(DstStart, 0x208C)
  QX_U16(DstEnd, 0x208E)
  QX_U16(TimeZoneIndex, 0x2090)
  QX_U16(NtpReserved1, 0x2092)
  QX_S32(TimeZoneSeconds, 0x2094)
  QX_U32(NtpReserved2, 0x2098)
  QX_U16(NtpServerEnable, 0x209C)
  QX_U16(NtpReserved3, 0x209E)

  // SnmpSettings
  QX_U16(SnmpControl, 0x20A0)
  QX_U16(SnmpReserved, 0x20A2)
  QX_TEXT(SnmpReservedText, 0x20AC, 20)
  // Rows 1..4.
  uint16_t AccessType(int row) const { return this->U16(Row(0x20A4, 2, row)); }
  void SetAccessType(int row, uint16_t v) const requires detail::ViewBase<B>::kMutable { this->PutU16(Row(0x20A4, 2, row), v); }
  static constexpr std::size_t kCommunitySize = layout::kCommunitySize;
  std::string Community(int row) const { return this->Text(Row(0x20C0, 64, row), 64); }
  void SetCommunity(int row, std::string_view v) const requires detail::ViewBase<B>::kMutable {
    this->PutText(Row(0x20C0, 64, row), 64, v);
  }

  // MailSettings, server part
  QX_U32(SmtpServerIp, 0x21C0)
  QX_U16(SmtpPort, 0x21C4)
  QX_U8(PasswordLength, 0x21C6)
  QX_U8(UserNameLength, 0x21C7)
  QX_U8(AuthRequired, 0x21C8)
  QX_U8(SenderLength, 0x21C9)
  QX_U16(SubjectLength, 0x21CA)
  // Reserved bytes 1..8.
  uint8_t MailReserved(int k) const { return this->U8(Row(0x21CC, 1, k, 8)); }
  void SetMailReserved(int k, uint8_t v) const requires detail::ViewBase<B>::kMutable { this->PutU8(Row(0x21CC, 1, k, 8), v); }
  QX_TEXT(SenderAddress, 0x21D4, 64)
  QX_TEXT(UserNameText, 0x2214, 32)
  QX_TEXT(PasswordText, 0x2234, 32)
  QX_TEXT(Subject, 0x2254, 16)
  // Recipient addresses 1..8.
  static constexpr std::size_t kRecipientAddressSize = layout::kRecipientSize;
  std::string RecipientAddress(int r) const {
    return this->Text(Row(layout::kRecipientsOffset, 64, r, layout::kRecipients), 64);
  }
  void SetRecipientAddress(int r, std::string_view v) const requires detail::ViewBase<B>::kMutable {
    this->PutText(Row(layout::kRecipientsOffset, 64, r, layout::kRecipients), 64, v);
  }

 protected:
  static std::size_t Row(std::size_t base, std::size_t width, int n, int count = layout::kSnmpRows) {
    assert(n >= 1 && n <= count);
    (void)count;
    return base + width * static_cast<std::size_t>(n - 1);
  }
};

#undef QX_FIELD
#undef QX_U8
#undef QX_U16
#undef QX_U32
#undef QX_S32
#undef QX_TEXT

// ---- The record -----------------------------------------------------------
namespace detail {
// Constructed before the view that points into it.
struct ImageStorage {
  std::array<uint8_t, layout::kImageSize> bytes_{};
};
}  // namespace detail

class ModuleConfig : private detail::ImageStorage, public ImageView<uint8_t> {
 public:
  static constexpr std::size_t kSize = layout::kImageSize;

  // Every byte zero, as the record is first built; call SetDefaults() for
  // the default configuration.
  ModuleConfig() : ImageView<uint8_t>(bytes_.data()) {}
  ModuleConfig(const ModuleConfig& other) : detail::ImageStorage(other), ImageView<uint8_t>(bytes_.data()) {}
  ModuleConfig& operator=(const ModuleConfig& other) {
    bytes_ = other.bytes_;
    return *this;
  }
  bool operator==(const ModuleConfig& other) const { return bytes_ == other.bytes_; }

  uint8_t* Bytes() { return bytes_.data(); }
  const uint8_t* Bytes() const { return bytes_.data(); }
  std::span<uint8_t> Block(std::size_t offset, std::size_t size) {
    assert(offset + size <= kSize);
    return {bytes_.data() + offset, size};
  }
  std::span<const uint8_t> Block(std::size_t offset, std::size_t size) const {
    assert(offset + size <= kSize);
    return {bytes_.data() + offset, size};
  }

  // Items 1..64.
  ItemView<uint8_t> Item(int i) { return ItemView<uint8_t>(bytes_.data() + ItemOffset(i)); }
  ItemView<const uint8_t> Item(int i) const { return ItemView<const uint8_t>(bytes_.data() + ItemOffset(i)); }
  // Triggers 1..8.
  TriggerView<uint8_t> Trigger(int t) { return TriggerView<uint8_t>(bytes_.data() + TriggerOffset(t)); }
  TriggerView<const uint8_t> Trigger(int t) const {
    return TriggerView<const uint8_t>(bytes_.data() + TriggerOffset(t));
  }

  static std::size_t ItemOffset(int i) {
    assert(i >= 1 && i <= layout::kMaxItems);
    return layout::kItemsOffset + layout::kItemSize * static_cast<std::size_t>(i - 1);
  }
  static std::size_t TriggerOffset(int t) {
    assert(t >= 1 && t <= layout::kTriggers);
    return layout::kTriggersOffset + layout::kTriggerSize * static_cast<std::size_t>(t - 1);
  }

  // The whole image to its default state; session fields are not part of it.
  void SetDefaults();
  // Item i (1..64) to the empty item state: all zero but UpdateCycle and Timeout 10.
  void ResetItem(int i);
  // Trigger t (1..8) to its empty state: all zero, TriggerFlags included, Interval 10.
  void ResetTrigger(int t);
};

// Host values of the current call, kept beside the image and never transferred.
struct SessionFields {
  int32_t TargetStation = 0;
  int32_t Rack = 0;
  int32_t Slot = 0;
  uint32_t FirmwareVersion = 0;
  int32_t DriverId = 0;
  int32_t CommManagerPort = -1;
  uint32_t TargetIp = 0;  // host byte order
  int32_t TargetPort = 502;
  int32_t ReceiveAttempts = 5;
  bool Interactive = true;
};

}  // namespace qx
