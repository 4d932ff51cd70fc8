// The built-in address catalogue of the remote devices a data-exchange item
// can poll, as data: the device types, how each kind of address is written
// and entered, which kinds each device type offers for reading and writing,
// and the range records that map an entered address to the device's own
// communication address and commands. CDeviceAddrTable, FormatRemoteAddress
// and ParseRemoteAddress are driven by these tables alone, so supporting
// another device family means adding rows here.
#pragma once

#include <array>
#include <cstdint>

namespace qx {

enum class Direction { kRead, kWrite };

// Notation code of a kind as the catalogue stores it.
enum class Notation : uint16_t { kOctal = 0, kDecimal = 1, kHex = 2 };

// Kind ids are numbered per family: MODBUS TCP, CPU Model A and CPU Model B
// share one numbering (0..8), CPU Model C has its own (0..16).
enum class AddrFamily : uint8_t { kModbus, kModelC };

// How an address of a kind is shown and read back.
enum class AddrStyle : uint8_t {
  kHex,      // "%X"
  kDecimal,  // prefix + "%d"
  kOctal,    // prefix + "%o"; entered by the octal digit rule
  kWordBit,  // prefix + "%d.%d" of word and bit; stored as word * 16 + bit
};

// Characters a kind's number field accepts.
enum class CharSet : uint8_t { kHex, kDecimal, kOctal };

struct DeviceTypeInfo {
  uint16_t Id;
  const char* Name;
  AddrFamily Family;
  // Kinds of the family (ids below this) whose names the parser knows.
  uint16_t NamedKinds;
  // Whether a kind name the parser does not know reads as hexadecimal (else 0).
  bool OtherNamesHex;
  // Whether the bit fields are on while no kind decides.
  bool BitFields;
};

struct KindNotation {
  AddrFamily Family;
  uint16_t Kind;
  const char* Name;
  Notation Code;
  uint16_t MaxQuantity;
  const char* Prefix;
  AddrStyle Style;
  uint8_t Positions;  // digits of the number field; 0: no input rule
  CharSet Chars;
  const char* InitialNumber;
};

// One entry of a device type's read list, write list or both; the lists keep
// the order of this table.
struct KindListEntry {
  uint16_t DeviceType;
  uint16_t Kind;
  bool Read;
  bool Write;
  const char* Hint;
  const char* WriteHint;  // null: the same as Hint
};

struct DeviceAddrRange {
  uint16_t DeviceType;
  uint16_t Kind;
  uint32_t First;  // in the stored-address space
  uint32_t Count;
  uint32_t DeviceAddress;  // of the first address
  uint16_t ReadCommand;
  uint16_t WriteCommand;  // 0: the range cannot be written
  uint16_t ReadWriteCommand;
  uint16_t UnitBits;
};

namespace addr_data {

using enum AddrFamily;
using enum AddrStyle;

inline constexpr std::array<DeviceTypeInfo, 4> kDeviceTypes{{
    {0, "MODBUS TCP", kModbus, 5, true, false},
    {1, "CPU Model A", kModbus, 9, false, false},
    {2, "CPU Model B", kModbus, 9, false, false},
    {3, "CPU Model C", kModelC, 17, false, true},
}};

constexpr Notation kO = Notation::kOctal;
constexpr Notation kD = Notation::kDecimal;
constexpr Notation kH = Notation::kHex;
constexpr CharSet kHexChars = CharSet::kHex;
constexpr CharSet kDecChars = CharSet::kDecimal;
constexpr CharSet kOctChars = CharSet::kOctal;

inline constexpr std::array<KindNotation, 26> kKindNotations{{
    {kModbus, 0, "MODBUS Coil Hex", kH, 100, "", kHex, 4, kHexChars, "0"},
    {kModbus, 1, "MODBUS Input Coil Hex", kH, 100, "", kHex, 4, kHexChars, "0"},
    {kModbus, 2, "MODBUS Register Hex", kH, 100, "", kHex, 4, kHexChars, "0"},
    {kModbus, 3, "MODBUS Input Register Hex", kH, 100, "", kHex, 4, kHexChars, "0"},
    {kModbus, 4, "MODBUS 6 Digit", kD, 100, "", kDecimal, 6, kDecChars, "1"},
    {kModbus, 5, "X", kO, 100, "X", kOctal, 3, kOctChars, "0"},
    {kModbus, 6, "Y", kO, 100, "Y", kOctal, 3, kOctChars, "0"},
    {kModbus, 7, "M", kD, 100, "M", kDecimal, 5, kDecChars, "0"},
    {kModbus, 8, "D", kD, 100, "D", kDecimal, 5, kDecChars, "0"},
    {kModelC, 0, "X Coil", kD, 400, "X", kWordBit, 3, kDecChars, "0"},
    {kModelC, 1, "X Register", kD, 400, "X", kDecimal, 3, kDecChars, "0"},
    {kModelC, 2, "Y Coil", kD, 400, "Y", kWordBit, 3, kDecChars, "0"},
    {kModelC, 3, "Y Register", kD, 400, "Y", kDecimal, 3, kDecChars, "0"},
    {kModelC, 4, "M Coil", kD, 400, "M", kDecimal, 4, kDecChars, "0"},
    {kModelC, 5, "SM Coil", kD, 400, "SM", kDecimal, 4, kDecChars, "0"},
    {kModelC, 6, "SR Register", kD, 400, "SR", kDecimal, 4, kDecChars, "0"},
    {kModelC, 7, "D Coil", kD, 400, "D", kWordBit, 5, kDecChars, "0"},
    {kModelC, 8, "D Register", kD, 400, "D", kDecimal, 5, kDecChars, "0"},
    {kModelC, 9, "S Coil", kD, 400, "S", kDecimal, 4, kDecChars, "0"},
    {kModelC, 10, "T Coil", kD, 400, "T", kDecimal, 4, kDecChars, "0"},
    {kModelC, 11, "T Register", kD, 400, "T", kDecimal, 4, kDecChars, "0"},
    {kModelC, 12, "C Coil", kD, 400, "C", kDecimal, 4, kDecChars, "0"},
    {kModelC, 13, "C Register", kD, 400, "C", kDecimal, 4, kDecChars, "0"},
    // Reachable only through stored data: shown, parsed, never offered.
    {kModelC, 14, "HC Coil", kD, 400, "HC", kDecimal, 0, kDecChars, "0"},
    {kModelC, 15, "HC Register", kD, 400, "HC", kDecimal, 0, kDecChars, "0"},
    {kModelC, 16, "E Register", kD, 32, "E", kDecimal, 2, kDecChars, "0"},
}};

inline constexpr std::array<KindListEntry, 28> kKindLists{{
    {0, 0, true, true, "(Hex) 0 ~ FFFF", nullptr},
    {0, 1, true, false, "(Hex) 0 ~ FFFF", nullptr},
    {0, 2, true, true, "(Hex) 0 ~ FFFF", nullptr},
    {0, 3, true, false, "(Hex) 0 ~ FFFF", nullptr},
    {0, 4, true, true, "#000001 ~ #65536, #: <0,1,3,4>", "#000001 ~ #65536, #: <0,4>"},
    {1, 5, true, false, "(Octal) X0 ~ X377", nullptr},
    {1, 6, true, true, "(Octal) Y0 ~ Y377", nullptr},
    {1, 7, true, true, "M0 ~ M4095", nullptr},
    {1, 8, true, true, "D0 ~ D9999", nullptr},
    {2, 5, true, false, "(Octal) X0 ~ X377", nullptr},
    {2, 6, true, true, "(Octal) Y0 ~ Y377", nullptr},
    {2, 7, true, true, "M0 ~ M4095", nullptr},
    {2, 8, true, true, "D0 ~ D11999", nullptr},
    {3, 0, true, false, "X0.0 ~ X511.15", nullptr},
    {3, 1, true, false, "X0 ~ X511", nullptr},
    {3, 2, true, true, "Y0.0 ~ Y511.15", nullptr},
    {3, 3, true, true, "Y0 ~ Y511", nullptr},
    {3, 4, true, true, "M0 ~ M8191", nullptr},
    {3, 5, true, true, "SM0 ~ SM2047", nullptr},
    {3, 6, true, true, "SR0 ~ SR2047", nullptr},
    {3, 7, true, true, "D0.0 ~ D65535.15", nullptr},
    {3, 8, true, true, "D0 ~ D65535", nullptr},
    {3, 9, true, true, "S0 ~ S2047", nullptr},
    {3, 10, true, true, "T0 ~ T2047", nullptr},
    {3, 11, true, true, "T0 ~ T2047", nullptr},
    {3, 12, true, true, "C0 ~ C2047", nullptr},
    {3, 13, true, true, "C0 ~ C2047", nullptr},
    {3, 16, true, true, "E0 ~ E31", nullptr},
}};

inline constexpr std::array<DeviceAddrRange, 38> kRanges{{
    {0, 0, 0, 65536, 0x0, 0x1, 0xF, 0x0, 1},
    {0, 1, 0, 65536, 0x0, 0x2, 0x0, 0x0, 1},
    {0, 2, 0, 65536, 0x0, 0x3, 0x10, 0x17, 16},
    {0, 3, 0, 65536, 0x0, 0x4, 0x0, 0x0, 16},
    {0, 4, 1, 65536, 0x0, 0x1, 0xF, 0x0, 1},
    {0, 4, 100001, 65536, 0x0, 0x2, 0x0, 0x0, 1},
    {0, 4, 400001, 65536, 0x0, 0x3, 0x10, 0x17, 16},
    {0, 4, 300001, 65536, 0x0, 0x4, 0x0, 0x0, 16},
    {1, 5, 0, 256, 0x400, 0x2, 0x0, 0x0, 1},
    {1, 6, 0, 256, 0x500, 0x1, 0xF, 0x0, 1},
    {1, 7, 0, 1536, 0x800, 0x1, 0xF, 0x0, 1},
    {1, 7, 1536, 2560, 0xB000, 0x1, 0xF, 0x0, 1},
    {1, 8, 0, 4096, 0x1000, 0x3, 0x10, 0x0, 16},
    {1, 8, 4096, 5904, 0x9000, 0x3, 0x10, 0x0, 16},
    {2, 5, 0, 256, 0x400, 0x2, 0x0, 0x0, 1},
    {2, 6, 0, 256, 0x500, 0x1, 0xF, 0x0, 1},
    {2, 7, 0, 1536, 0x800, 0x1, 0xF, 0x0, 1},
    {2, 7, 1536, 2560, 0xB000, 0x1, 0xF, 0x0, 1},
    {2, 8, 0, 4096, 0x1000, 0x3, 0x10, 0x0, 16},
    {2, 8, 4096, 7904, 0x9000, 0x3, 0x10, 0x0, 16},
    {3, 0, 0, 8192, 0x6000, 0x4201, 0x4203, 0x420E, 1},
    {3, 1, 0, 512, 0x8000, 0x4202, 0x4204, 0x420D, 16},
    {3, 2, 0, 8192, 0xA000, 0x4201, 0x4203, 0x420E, 1},
    {3, 3, 0, 512, 0xA000, 0x4202, 0x4204, 0x420D, 16},
    {3, 4, 0, 8192, 0x0, 0x4201, 0x4203, 0x420E, 1},
    {3, 5, 0, 2048, 0x4000, 0x4201, 0x4203, 0x420E, 1},
    {3, 6, 0, 2048, 0xC000, 0x4202, 0x4204, 0x420D, 16},
    {3, 7, 0, 1048576, 0x10000000, 0x4201, 0x4203, 0x420E, 1},
    {3, 8, 0, 32768, 0x0, 0x4202, 0x4204, 0x420D, 16},
    {3, 8, 32768, 32768, 0x20008000, 0x4202, 0x4204, 0x420D, 16},
    {3, 9, 0, 2048, 0x5000, 0x4201, 0x4203, 0x420E, 1},
    {3, 10, 0, 2048, 0xE000, 0x4201, 0x4203, 0x420E, 1},
    {3, 11, 0, 2048, 0xE000, 0x4202, 0x4204, 0x420D, 16},
    {3, 12, 0, 2048, 0xF000, 0x4201, 0x4203, 0x420E, 1},
    {3, 13, 0, 2048, 0xF000, 0x4202, 0x4204, 0x420D, 16},
    {3, 14, 0, 64, 0xFC00, 0x4201, 0x4203, 0x420E, 1},
    {3, 15, 0, 64, 0xFC00, 0x4202, 0x4204, 0x420D, 16},
    {3, 16, 0, 32, 0xFE00, 0x4202, 0x4204, 0x420D, 16},
}};

}  // namespace addr_data

// Lookups in the tables above; null when there is no such entry.
const DeviceTypeInfo* FindDeviceTypeInfo(uint16_t deviceType);
const KindNotation* FindKindNotation(AddrFamily family, uint16_t kind);

}  // namespace qx
