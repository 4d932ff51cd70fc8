// CRC-16/MODBUS against published vectors: the catalogue check value and
// request frames whose checksums are printed in Modbus serial-line examples.
#include <gtest/gtest.h>

#include <cstdint>
#include <string_view>
#include <vector>

#include "comm/Crc16.h"

namespace qx {
namespace {

struct CrcCase {
  const char* name;
  std::vector<uint8_t> bytes;
  uint16_t crc;
};

TEST(Crc16ModbusTest, PublishedVectors) {
  const std::string_view check = "123456789";
  const CrcCase cases[] = {
      {"catalogue check value", {check.begin(), check.end()}, 0x4B37},
      {"empty input keeps the initial value", {}, 0xFFFF},
      {"serial-line spec example 02 07", {0x02, 0x07}, 0x1241},
      {"read 10 holding registers of unit 1", {0x01, 0x03, 0x00, 0x00, 0x00, 0x0A}, 0xCDC5},
      {"read 3 holding registers of unit 17", {0x11, 0x03, 0x00, 0x6B, 0x00, 0x03}, 0x8776},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Crc16Modbus(c.bytes.data(), c.bytes.size()), c.crc) << c.name;
  }
}

TEST(Crc16ModbusTest, AppendingTheCrcLowByteFirstGivesZero) {
  // The residue property a receiver relies on to check a frame in one pass.
  std::vector<uint8_t> frame = {0x11, 0x03, 0x00, 0x6B, 0x00, 0x03};
  const uint16_t crc = Crc16Modbus(frame.data(), frame.size());
  frame.push_back(static_cast<uint8_t>(crc));
  frame.push_back(static_cast<uint8_t>(crc >> 8));
  EXPECT_EQ(Crc16Modbus(frame.data(), frame.size()), 0);
}

}  // namespace
}  // namespace qx
