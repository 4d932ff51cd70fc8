// CRC-16/MODBUS against published vectors: the catalogue check value and
// request frames whose checksums are printed in Modbus serial-line examples.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/Crc16.h"

namespace qx {
namespace {

TEST(Crc16ModbusTest, PublishedVectors) {
  const std::pair<std::vector<uint8_t>, uint16_t> cases[] = {
      {{'1', '2', '3', '4', '5', '6', '7', '8', '9'}, 0x4B37},  // catalogue check value
      {{}, 0xFFFF},                                             // the initial value
      {{0x02, 0x07}, 0x1241},                                   // serial-line example
      {{0x01, 0x03, 0x00, 0x00, 0x00, 0x0A}, 0xCDC5},           // read 10 holding registers of unit 1
      {{0x11, 0x03, 0x00, 0x6B, 0x00, 0x03}, 0x8776},           // read 3 holding registers of unit 17
  };
  for (const auto& [frame, crc] : cases)
    EXPECT_EQ(Crc16Modbus(frame.data(), frame.size()), crc) << frame.size();
}

}  // namespace
}  // namespace qx
