// The wire to the communication manager: envelope bytes, and CXferKit
// against a hostile manager played by the test over a socket pair.
#include "comm/XferKit.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "platform/SocketIo.h"

namespace qx {
namespace {

using namespace std::chrono_literals;
using Bytes = std::vector<uint8_t>;
constexpr int kTimeoutMs = 400;  // wide enough for a loaded machine

Bytes Reply(std::size_t frameBytes) {
  Bytes frame(frameBytes);
  for (std::size_t i = 0; i < frameBytes; ++i) frame[i] = static_cast<uint8_t>(i + 1);
  return envelope::EncodeReply(0x0100, frame);
}

// An envelope header with magic 0x515843xx.
Bytes Header(uint8_t magicLow, uint8_t kind, uint16_t length) {
  return {0x51, 0x58, 0x43, magicLow, 0, kind, uint8_t(length >> 8), uint8_t(length)};
}

TEST(EnvelopeTest, ReplyBytesAndRequestLimits) {
  EXPECT_EQ(envelope::EncodeReply(0x0100, Bytes{0x01, 0x42, 0x54}),
            (Bytes{0x51, 0x58, 0x43, 0x4D, 0x00, 0x02, 0x00, 0x05, 0x01, 0x00, 0x01, 0x42, 0x54}));
  // A request body holds the 12-byte prefix and at most 1600 bytes, judged
  // from the header alone (replies: see the hostile manager below).
  using envelope::Scan;
  const std::pair<uint16_t, Scan> cases[] = {
      {1600, Scan::kNeedMore}, {1601, Scan::kTooLong}, {12, Scan::kNeedMore}, {11, Scan::kTooShort}};
  for (const auto& [length, state] : cases)
    EXPECT_EQ(envelope::ScanEnvelope(Header(0x4D, 1, length), 1).state, state) << length;
}

struct Link : CXferKit {
  using CXferKit::AdoptSocket;
};

class XferKitTest : public ::testing::Test {
 protected:
  void SetUp() override { setenv("QX_RECV_TIMEOUT_MS", std::to_string(kTimeoutMs).c_str(), 1); }
  void TearDown() override { unsetenv("QX_RECV_TIMEOUT_MS"); }
  // A connection of link whose manager end is `manager`.
  int Connect(Link& link) {
    int fds[2] = {-1, -1};
    EXPECT_EQ(socketpair(AF_UNIX, SOCK_STREAM, 0, fds), 0);
    manager = fds[1];
    const int n = link.GetSocketConnNum();
    return link.AdoptSocket(n, fds[0]) ? n : -1;
  }
  void Feed(const Bytes& b) { EXPECT_EQ(send(manager, b.data(), b.size(), MSG_NOSIGNAL), ssize_t(b.size())); }

  int manager = -1, status = -7;
  uint8_t reply[CXferKit::kReplyBufferSize + 64] = {};
};

TEST_F(XferKitTest, HostileRepliesGiveTheDefinedResults) {
  const Bytes good = Reply(41), cut(good.begin(), good.begin() + 20), rest(good.begin() + 20, good.end());
  Bytes two = Reply(9);
  for (uint8_t b : Reply(25)) two.push_back(b);
  // first: sent before the first receive (one byte at a time if trickle); later: before the second.
  // clang-format off
  struct Case { const char* name; Bytes first; std::vector<int> results;
                bool hangUp = false, trickle = false; Bytes later = {}; };
  const Case cases[] = {
      {"whole reply", good, {41}}, {"rest arrives after a time-out", cut, {0, 41}, false, false, rest},
      {"largest frame", Reply(1500), {1500}}, {"one byte at a time", good, {41}, false, true},
      {"two replies in one write", two, {9, 25, 0}}, {"silent", {}, {0}},
      {"wrong magic", Header(0x4E, 2, 2), {-1, -1}}, {"wrong kind", Header(0x4D, 1, 2), {-1}},
      {"body above the limit", Header(0x4D, 2, 1503), {-1}}, {"no status", Header(0x4D, 2, 1), {-1}},
      {"cut short, then closed", cut, {-1, -1}, true}, {"closed before answering", {}, {-1}, true}};
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Link link;
    const int n = Connect(link);
    std::thread trickle([&] {
      for (uint8_t b : c.trickle ? c.first : Bytes{}) {
        Feed({b});
        std::this_thread::sleep_for(2ms);
      }
    });
    if (!c.trickle) Feed(c.first);
    if (c.hangUp) close(manager);
    std::fill(std::begin(reply), std::end(reply), 0xEE);
    status = -7;
    std::vector<int> results;
    for (std::size_t i = 0; i < c.results.size(); ++i) {
      if (i == 1 && !c.later.empty()) Feed(c.later);
      results.push_back(link.RecvCommMan(n, &status, reply));
    }
    trickle.join();
    if (!c.hangUp) close(manager);
    EXPECT_EQ(results, c.results);
    EXPECT_EQ(std::count(reply + CXferKit::kReplyBufferSize, std::end(reply), 0xEE), 64);
    const int last = std::max(0, *std::max_element(c.results.begin(), c.results.end()));
    EXPECT_EQ(status, last > 0 ? 0x0100 : -7);  // untouched when nothing arrived
    EXPECT_TRUE(last == 0 || reply[last - 1] == last % 256);
  }
}

// Requests and replies alternate: what arrived before a request answers none of it, and a reply
// that is a status alone fails at once, on every receive until the next request.
TEST_F(XferKitTest, StaleRepliesAndStatusOnlyRepliesAnswerNoLaterRequest) {
  Link link;
  const int n = Connect(link);
  const uint8_t frame[15] = {0x01, 0x42, 0x54};
  const Bytes late = Reply(30);
  Bytes two = Reply(9);
  for (uint8_t b : Reply(25)) two.push_back(b);
  std::vector<int> results;
  Feed(two);  // a reply and its duplicate: the duplicate stays behind
  results.push_back(link.RecvCommMan(n, &status, reply));
  Feed(Reply(7));                                 // a late reply on the socket
  Feed(Bytes(late.begin(), late.begin() + 12));   // and the start of another
  results.push_back(link.SendCommMan(n, 0, 0, 0, frame, 15));
  Feed(Reply(41));
  results.push_back(link.RecvCommMan(n, &status, reply));
  Feed(envelope::EncodeReply(0x0101, {}));
  for (int i = 0; i < 3; ++i) results.push_back(link.RecvCommMan(n, &status, reply));
  const int statusOnly = status;
  Feed(Reply(5));  // still no answer to the request that got its status
  results.push_back(link.RecvCommMan(n, &status, reply));
  results.push_back(link.SendCommMan(n, 0, 0, 0, frame, 15));
  Feed(Reply(20));
  results.push_back(link.RecvCommMan(n, &status, reply));
  close(manager);
  EXPECT_EQ(results, (std::vector<int>{9, 15, 41, -1, -1, -1, -1, 15, 20}));
  EXPECT_EQ(std::tuple(statusOnly, status, reply[19]), std::tuple(0x0101, 0x0100, 20));
}

TEST_F(XferKitTest, RequestsConnectionsAndDeadLinks) {
  Link link;
  const int n = Connect(link);
  const uint8_t frame[1589] = {0x01, 0x42, 0x54};
  EXPECT_EQ(link.SendCommMan(n, 7, 0x0A000001, 502, frame, 3), 3);
  Bytes wire(64);
  wire.resize(size_t(recv(manager, wire.data(), wire.size(), 0)));
  EXPECT_EQ(wire, (Bytes{0x51, 0x58, 0x43, 0x4D, 0x00, 0x01, 0x00, 0x0F, 0x00, 0x00, 0x00, 0x07,
                         0x0A, 0x00, 0x00, 0x01, 0x00, 0x00, 0x01, 0xF6, 0x01, 0x42, 0x54}));
  EXPECT_EQ(link.SendCommMan(n, 0, 0, 0, frame, 1589), -1);  // above the envelope's limit
  close(manager);  // the manager hangs up: -1, and no SIGPIPE ends the process
  EXPECT_EQ(std::tuple(link.SendCommMan(n, 0, 0, 0, frame, 15), link.RecvCommMan(n, &status, reply)),
            std::tuple(-1, -1));
  for (int k = 1; k < 16; ++k) EXPECT_EQ(link.GetSocketConnNum(), k);
  EXPECT_EQ(link.GetSocketConnNum(), -1);
  link.CloseSocket(5);
  link.CloseSocket(-1);
  EXPECT_EQ(link.GetSocketConnNum(), 5);
  // Nothing listens on a port just released: the open fails, and so do sends and receives.
  int port = 0;
  close(net::ListenLoopback(0, &port));
  EXPECT_EQ(std::tuple(link.OpenSocket(5, 1, 0x7F000001, port, 0), link.SendCommMan(5, 0, 0, 0, frame, 15),
                       link.RecvCommMan(5, &status, reply), link.RecvCommMan(99, &status, reply)),
            std::tuple(-1, -1, -1, -1));
}

}  // namespace
}  // namespace qx
