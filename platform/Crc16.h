// CRC-16/MODBUS: reflected polynomial 0xA001, initial value 0xFFFF, no final
// XOR (check value of "123456789": 0x4B37). The communication library's
// GetCRC16 and the parameter file's value checksums use it.
#pragma once

#include <cstddef>
#include <cstdint>

namespace qx {

uint16_t Crc16Modbus(const uint8_t* data, std::size_t length);

}  // namespace qx
