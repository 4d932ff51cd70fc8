#include "dataexch/DeviceAddrTable.h"

#include <algorithm>

namespace qx {
namespace {

using addr_data::kDeviceTypes;
using addr_data::kKindLists;
using addr_data::kKindNotations;
using addr_data::kRanges;

constexpr bool EveryListedKindHasNotation() {
  for (const KindListEntry& e : kKindLists) {
    bool found = false;
    for (const DeviceTypeInfo& t : kDeviceTypes) {
      for (const KindNotation& n : kKindNotations) {
        found = found || (t.Id == e.DeviceType && n.Family == t.Family && n.Kind == e.Kind);
      }
    }
    if (!found) return false;
  }
  return true;
}

constexpr bool ListsFit() {
  for (const DeviceTypeInfo& t : kDeviceTypes) {
    std::size_t reads = 0;
    std::size_t writes = 0;
    for (const KindListEntry& e : kKindLists) {
      reads += (e.DeviceType == t.Id && e.Read) ? 1 : 0;
      writes += (e.DeviceType == t.Id && e.Write) ? 1 : 0;
    }
    if (reads > CDeviceAddrTable::kMaxKinds || writes > CDeviceAddrTable::kMaxKinds) return false;
  }
  return true;
}

static_assert(kRanges.size() <= CDeviceAddrTable::kMaxRanges);
static_assert(kDeviceTypes.size() <= CDeviceAddrTable::kMaxDeviceTypes);
static_assert(EveryListedKindHasNotation());
static_assert(ListsFit());

}  // namespace

const DeviceTypeInfo* FindDeviceTypeInfo(uint16_t deviceType) {
  for (const DeviceTypeInfo& t : kDeviceTypes) {
    if (t.Id == deviceType) return &t;
  }
  return nullptr;
}

const KindNotation* FindKindNotation(AddrFamily family, uint16_t kind) {
  for (const KindNotation& n : kKindNotations) {
    if (n.Family == family && n.Kind == kind) return &n;
  }
  return nullptr;
}

CDeviceAddrTable::CDeviceAddrTable() {
  ranges_.reserve(kMaxRanges);
  types_.reserve(kMaxDeviceTypes);
  for (const DeviceAddrRange& r : kRanges) AddRange(r);
  for (const DeviceTypeInfo& t : kDeviceTypes) {
    AddDeviceType(t.Id, t.Name);
    for (const KindListEntry& e : kKindLists) {
      if (e.DeviceType != t.Id) continue;
      const KindNotation* n = FindKindNotation(t.Family, e.Kind);
      if (e.Read) AddReadKind(t.Id, e.Kind, n->Code, n->MaxQuantity, n->Name, e.Hint);
      const char* writeHint = e.WriteHint ? e.WriteHint : e.Hint;
      if (e.Write) AddWriteKind(t.Id, e.Kind, n->Code, n->MaxQuantity, n->Name, writeHint);
    }
  }
}

bool CDeviceAddrTable::AddRange(const DeviceAddrRange& range) {
  if (ranges_.size() >= kMaxRanges) return false;
  ranges_.push_back(range);
  return true;
}

bool CDeviceAddrTable::AddDeviceType(uint16_t id, std::string_view name) {
  if (types_.size() >= kMaxDeviceTypes) return false;
  types_.push_back(DeviceType{id, std::string(name), {}, {}});
  return true;
}

bool CDeviceAddrTable::AddReadKind(uint16_t deviceTypeId, uint16_t kindId, Notation notation,
                                   uint16_t maxQuantity, std::string_view name, std::string_view hint) {
  return AddKind(Direction::kRead, deviceTypeId,
                 AddrKind{kindId, notation, maxQuantity, std::string(name), std::string(hint)});
}

bool CDeviceAddrTable::AddWriteKind(uint16_t deviceTypeId, uint16_t kindId, Notation notation,
                                    uint16_t maxQuantity, std::string_view name, std::string_view hint) {
  return AddKind(Direction::kWrite, deviceTypeId,
                 AddrKind{kindId, notation, maxQuantity, std::string(name), std::string(hint)});
}

bool CDeviceAddrTable::AddKind(Direction dir, uint16_t deviceTypeId, AddrKind kind) {
  for (DeviceType& t : types_) {
    std::vector<AddrKind>& list = dir == Direction::kRead ? t.Read : t.Write;
    if (t.Id == deviceTypeId && list.size() < kMaxKinds) {
      list.push_back(std::move(kind));
      return true;
    }
  }
  return false;
}

uint16_t CDeviceAddrTable::DeviceTypeId(uint16_t type) const {
  return type < types_.size() ? types_[type].Id : kNone;
}

std::string_view CDeviceAddrTable::DeviceTypeName(uint16_t type) const {
  return type < types_.size() ? std::string_view(types_[type].Name) : std::string_view{};
}

const std::vector<CDeviceAddrTable::AddrKind>* CDeviceAddrTable::List(Direction dir, uint16_t type) const {
  if (type >= types_.size()) return nullptr;
  return dir == Direction::kRead ? &types_[type].Read : &types_[type].Write;
}

const CDeviceAddrTable::AddrKind* CDeviceAddrTable::KindAt(Direction dir, uint16_t type,
                                                           uint16_t kind) const {
  const std::vector<AddrKind>* list = List(dir, type);
  return list && kind < list->size() ? &(*list)[kind] : nullptr;
}

uint16_t CDeviceAddrTable::KindCount(Direction dir, uint16_t type) const {
  const std::vector<AddrKind>* list = List(dir, type);
  return list ? static_cast<uint16_t>(list->size()) : 0;
}

uint16_t CDeviceAddrTable::KindId(Direction dir, uint16_t type, uint16_t kind) const {
  const AddrKind* k = KindAt(dir, type, kind);
  return k ? k->Id : kNone;
}

std::string_view CDeviceAddrTable::KindName(Direction dir, uint16_t type, uint16_t kind) const {
  const AddrKind* k = KindAt(dir, type, kind);
  return k ? std::string_view(k->Name) : std::string_view{};
}

std::string_view CDeviceAddrTable::KindHint(Direction dir, uint16_t type, uint16_t kind) const {
  const AddrKind* k = KindAt(dir, type, kind);
  return k ? std::string_view(k->Hint) : std::string_view{};
}

uint16_t CDeviceAddrTable::KindMaxQty(Direction dir, uint16_t type, uint16_t kind) const {
  const AddrKind* k = KindAt(dir, type, kind);
  return k ? k->MaxQuantity : 0;
}

uint16_t CDeviceAddrTable::KindIndex(Direction dir, uint16_t type, uint16_t kindId) const {
  const std::vector<AddrKind>* list = List(dir, type);
  if (!list) return kNone;
  for (std::size_t i = 0; i < list->size(); ++i) {
    if ((*list)[i].Id == kindId) return static_cast<uint16_t>(i);
  }
  return kNone;
}

CDeviceAddrTable::RangeMatch CDeviceAddrTable::FindRange(uint16_t deviceTypeId, uint16_t kindId,
                                                         uint32_t address, uint32_t quantity) const {
  for (const DeviceAddrRange& r : ranges_) {
    // 64-bit ends: an added range may reach past 2^32.
    const uint64_t end = uint64_t{r.First} + r.Count;
    if (r.DeviceType != deviceTypeId || r.Kind != kindId || address < r.First || address >= end) continue;
    const uint64_t left = end - address;
    return RangeMatch{&r, r.DeviceAddress + (address - r.First),
                      static_cast<uint32_t>(std::min<uint64_t>(quantity, left))};
  }
  return {};
}

}  // namespace qx
