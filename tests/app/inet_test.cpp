// The IPv4 text conversion gives the classic inet_addr's results, which the
// C library's own inet_addr confirms case by case.
#include "platform/Inet.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>

namespace qx {
namespace {

struct InetCase {
  const char* text;
  uint32_t hostOrder;
};

constexpr InetCase kCases[] = {
    {"192.168.1.5", 0xC0A80105},
    {"127.0.0.1", 0x7F000001},
    {"10.1", 0x0A000001},    // the last part fills three bytes
    {"10.1.2", 0x0A010002},  // ... or two
    {"1.16777215", 0x01FFFFFF},
    {"3232235777", 0xC0A80101},  // one part: the whole address
    {"4294967295", 0xFFFFFFFF},
    {"0x7f.1", 0x7F000001},         // hexadecimal part
    {"0xC0.0250.1.5", 0xC0A80105},  // octal part 0250 = 168
    {"010.0.0.1", 0x08000001},
    {"1.2.3.4 trailing words", 0x01020304},  // white space ends the address
    {"1.2.3.4\t", 0x01020304},
    {"255.255.255.255", kInetNone},  // same value as the failure
    {"", kInetNone},
    {" 1.2.3.4", kInetNone},
    {"1.2.3.256", kInetNone},
    {"256.1.1.1", kInetNone},
    {"1.2.65536", kInetNone},
    {"1.16777216", kInetNone},
    {"4294967296", kInetNone},
    {"99999999999999999999999", kInetNone},
    {"1.2.3.4.5", kInetNone},
    {"1..2", kInetNone},
    {"1.2.", kInetNone},
    {"1.2.3.4x", kInetNone},
    {"08.1.1.1", kInetNone},
    {"0x", kInetNone},
    {"0xg", kInetNone},
    {"-1", kInetNone},
    {"a.b.c.d", kInetNone},
};

TEST(InetAddr, ReadsAddressesAsTheClassicFunction) {
  for (const InetCase& c : kCases) {
    EXPECT_EQ(InetAddrHostOrder(c.text), c.hostOrder) << '"' << c.text << '"';
    EXPECT_EQ(InetAddr(c.text), ::inet_addr(c.text)) << '"' << c.text << '"';
  }
}

TEST(InetAddr, ByteOrderHelpersMatchTheSocketLibrary) {
  EXPECT_EQ(NetToHost32(InetAddr("192.168.1.5")), 0xC0A80105u);
  EXPECT_EQ(HostToNet32(0xC0A80105u), htonl(0xC0A80105u));
  EXPECT_EQ(HostToNet16(502), htons(502));
  EXPECT_EQ(NetToHost16(htons(502)), 502);
}

}  // namespace
}  // namespace qx
