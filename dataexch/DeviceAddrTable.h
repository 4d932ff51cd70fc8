// CDeviceAddrTable: the address catalogue an item editor works with: the
// device types, the read and write kind lists of each (their positions are
// the positions of the editor's lists) and the range records that map an
// address to the device's own address and commands.
//
// The constructor registers the built-in catalogue of DeviceAddrData.h; the
// Add operations extend it within the fixed capacities. A position or id that
// names nothing gives 65535 for ids and positions, 0 for counts and maximum
// quantities and an empty text for names and hints.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "dataexch/DeviceAddrData.h"

namespace qx {

class CDeviceAddrTable {
 public:
  static constexpr std::size_t kMaxRanges = 64;
  static constexpr std::size_t kMaxDeviceTypes = 10;
  static constexpr std::size_t kMaxKinds = 20;  // per list
  static constexpr uint16_t kNone = 65535;

  // The range found for an address, the device address of that address and
  // how many of the requested units the range holds from there.
  struct RangeMatch {
    const DeviceAddrRange* Range = nullptr;  // valid while the table lives
    uint32_t DeviceAddress = 0;
    uint32_t Length = 0;
    explicit operator bool() const { return Range != nullptr; }
  };

  CDeviceAddrTable();

  // False when kMaxRanges are registered.
  bool AddRange(const DeviceAddrRange& range);
  // False when kMaxDeviceTypes are registered; the new type has empty lists.
  bool AddDeviceType(uint16_t id, std::string_view name);
  // Appended to the first device type of that id whose list has room; false
  // when there is none.
  bool AddReadKind(uint16_t deviceTypeId, uint16_t kindId, Notation notation, uint16_t maxQuantity,
                   std::string_view name, std::string_view hint);
  bool AddWriteKind(uint16_t deviceTypeId, uint16_t kindId, Notation notation, uint16_t maxQuantity,
                    std::string_view name, std::string_view hint);

  uint16_t DeviceTypeCount() const { return static_cast<uint16_t>(types_.size()); }
  uint16_t DeviceTypeId(uint16_t type) const;
  std::string_view DeviceTypeName(uint16_t type) const;

  // `type` and `kind` are positions in the lists.
  uint16_t ReadKindCount(uint16_t type) const { return KindCount(Direction::kRead, type); }
  uint16_t WriteKindCount(uint16_t type) const { return KindCount(Direction::kWrite, type); }
  uint16_t ReadKindId(uint16_t type, uint16_t kind) const { return KindId(Direction::kRead, type, kind); }
  uint16_t WriteKindId(uint16_t type, uint16_t kind) const { return KindId(Direction::kWrite, type, kind); }
  std::string_view ReadKindName(uint16_t type, uint16_t kind) const {
    return KindName(Direction::kRead, type, kind);
  }
  std::string_view WriteKindName(uint16_t type, uint16_t kind) const {
    return KindName(Direction::kWrite, type, kind);
  }
  std::string_view ReadKindHint(uint16_t type, uint16_t kind) const {
    return KindHint(Direction::kRead, type, kind);
  }
  std::string_view WriteKindHint(uint16_t type, uint16_t kind) const {
    return KindHint(Direction::kWrite, type, kind);
  }
  uint16_t ReadKindMaxQty(uint16_t type, uint16_t kind) const {
    return KindMaxQty(Direction::kRead, type, kind);
  }
  uint16_t WriteKindMaxQty(uint16_t type, uint16_t kind) const {
    return KindMaxQty(Direction::kWrite, type, kind);
  }
  // Position of the first entry with that kind id, or kNone.
  uint16_t ReadKindIndex(uint16_t type, uint16_t kindId) const {
    return KindIndex(Direction::kRead, type, kindId);
  }
  uint16_t WriteKindIndex(uint16_t type, uint16_t kindId) const {
    return KindIndex(Direction::kWrite, type, kindId);
  }

  // The same operations with the list chosen by direction.
  uint16_t KindCount(Direction dir, uint16_t type) const;
  uint16_t KindId(Direction dir, uint16_t type, uint16_t kind) const;
  std::string_view KindName(Direction dir, uint16_t type, uint16_t kind) const;
  std::string_view KindHint(Direction dir, uint16_t type, uint16_t kind) const;
  uint16_t KindMaxQty(Direction dir, uint16_t type, uint16_t kind) const;
  uint16_t KindIndex(Direction dir, uint16_t type, uint16_t kindId) const;

  // The first range, in registration order, of that device type id and kind
  // id whose span holds the address; its length is the smaller of quantity
  // and the addresses left in the range. No match: no range, length 0.
  RangeMatch FindRange(uint16_t deviceTypeId, uint16_t kindId, uint32_t address, uint32_t quantity) const;

 private:
  struct AddrKind {
    uint16_t Id;
    Notation Code;
    uint16_t MaxQuantity;
    std::string Name;
    std::string Hint;
  };
  struct DeviceType {
    uint16_t Id;
    std::string Name;
    std::vector<AddrKind> Read;
    std::vector<AddrKind> Write;
  };

  bool AddKind(Direction dir, uint16_t deviceTypeId, AddrKind kind);
  const AddrKind* KindAt(Direction dir, uint16_t type, uint16_t kind) const;
  const std::vector<AddrKind>* List(Direction dir, uint16_t type) const;

  std::vector<DeviceAddrRange> ranges_;
  std::vector<DeviceType> types_;
};

}  // namespace qx
