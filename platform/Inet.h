// Inet: the IPv4 text conversion and byte-order helpers the system uses where
// the original relied on the socket library, with the same results:
// InetAddr is the classic inet_addr (one to four parts, each decimal, octal
// with a leading 0 or hexadecimal with 0x; the last part fills the remaining
// bytes; trailing white space ends the text), and its failure value is
// kInetNone (0xFFFFFFFF, which "255.255.255.255" also gives).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace qx {

inline constexpr uint32_t kInetNone = 0xFFFFFFFFu;

// The address a.b.c.d as the value a<<24 | b<<16 | c<<8 | d, or kInetNone
// for a text that is not an address. Stops at the first NUL.
uint32_t InetAddrHostOrder(std::string_view text);

// inet_addr itself: the address in network byte order as it lies in memory
// (the bytes a, b, c, d in that order), or kInetNone.
uint32_t InetAddr(std::string_view text);

// The address a<<24 | b<<16 | c<<8 | d as the text "a.b.c.d" (decimal, no
// leading zeros), as the lists, the CSV files and the tools show it.
std::string DottedQuad(uint32_t hostOrder);

uint32_t HostToNet32(uint32_t value);
uint32_t NetToHost32(uint32_t value);
uint16_t HostToNet16(uint16_t value);
uint16_t NetToHost16(uint16_t value);

}  // namespace qx
