// RegisterMap: the module's five register blocks and where each lies in the
// configuration image. The transfers move the image block by block in this
// order; the simulator accepts an access only inside one of these blocks.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "config/ModuleConfig.h"

namespace qx {

struct RegisterBlock {
  uint32_t address;    // first register
  uint32_t registers;  // 16-bit registers in the block
  std::size_t offset;  // byte offset of the first register in the image

  constexpr std::size_t Bytes() const { return 2 * std::size_t{registers}; }
  // True when [first, first + count) lies inside this block.
  constexpr bool Holds(uint32_t first, uint32_t count) const {
    return first >= address && count <= registers && first - address <= registers - count;
  }
  // REQUIRES: Holds(first, count) for some count.
  constexpr std::size_t OffsetOf(uint32_t first) const { return offset + 2 * std::size_t{first - address}; }
};

constexpr uint32_t kRegistersPerItem = layout::kItemSize / 2;

constexpr RegisterBlock kHeaderBlock{layout::kHeaderAddress, layout::kHeaderSize / 2, layout::kHeaderOffset};
constexpr RegisterBlock kItemsBlock{layout::kItemsAddress, layout::kMaxItems* kRegistersPerItem,
                                    layout::kItemsOffset};
constexpr RegisterBlock kNtpBlock{layout::kNtpAddress, layout::kNtpSize / 2, layout::kNtpOffset};
constexpr RegisterBlock kSnmpBlock{layout::kSnmpAddress, layout::kSnmpSize / 2, layout::kSnmpOffset};
constexpr RegisterBlock kMailBlock{layout::kMailAddress, layout::kMailSize / 2, layout::kMailOffset};

// In transfer order.
constexpr std::array<RegisterBlock, 5> kRegisterMap{kHeaderBlock, kItemsBlock, kNtpBlock, kSnmpBlock,
                                                    kMailBlock};

static_assert(kHeaderBlock.registers == 64 && kItemsBlock.registers == 4096);
static_assert(kNtpBlock.registers == 16 && kSnmpBlock.registers == 144 && kMailBlock.registers == 770);
// Header and items are contiguous in both the register space and the image.
static_assert(kItemsBlock.address == kHeaderBlock.address + kHeaderBlock.registers);
static_assert(kItemsBlock.offset == kHeaderBlock.offset + kHeaderBlock.Bytes());
static_assert(kMailBlock.offset + kMailBlock.Bytes() == layout::kImageSize);

// The block holding every register of [first, first + count), or nullptr.
constexpr const RegisterBlock* FindRegisterBlock(uint32_t first, uint32_t count) {
  for (const RegisterBlock& b : kRegisterMap) {
    if (b.Holds(first, count)) return &b;
  }
  return nullptr;
}

}  // namespace qx
