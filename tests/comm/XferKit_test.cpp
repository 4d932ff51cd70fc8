// CXferKit against a hostile communication manager on loopback: a small
// server in the test answers the first request with scripted bytes.
#include "comm/XferKit.h"

#include <gtest/gtest.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "comm/SocketIo.h"

namespace qx {
namespace {

using Bytes = std::vector<uint8_t>;
using Clock = std::chrono::steady_clock;
constexpr int kTimeoutMs = 400;  // wide enough for a loaded machine

struct Step {
  enum { kSend, kTrickle, kPause, kClose } what;
  Bytes bytes;
  int ms = 0;
};

Bytes Reply(std::size_t frameBytes, uint16_t status = 0x0100) {
  Bytes frame(frameBytes);
  for (std::size_t i = 0; i < frameBytes; ++i) frame[i] = static_cast<uint8_t>(i + 1);
  return envelope::EncodeReply(status, frame);
}

Bytes Header(uint32_t magic, uint16_t kind, uint16_t length) {
  return {uint8_t(magic >> 24), uint8_t(magic >> 16), uint8_t(magic >> 8), uint8_t(magic), 0,
          uint8_t(kind),        uint8_t(length >> 8), uint8_t(length)};
}

// Accepts one connection, reads one request envelope, plays the script,
// then waits (bounded) for the client to hang up.
class FakeManager {
 public:
  explicit FakeManager(std::vector<Step> script) : listen_(net::ListenLoopback(0, &port_)) {
    thread_ = std::thread([this, script = std::move(script)] { Serve(script); });
  }
  ~FakeManager() {
    thread_.join();
    close(listen_);
  }
  int port() const { return port_; }

 private:
  void Serve(const std::vector<Step>& script) {
    const auto deadline = Clock::now() + std::chrono::seconds(5);
    if (net::WaitFor(listen_, POLLIN, deadline) != net::Wait::kReady) return;
    const int fd = accept(listen_, nullptr, nullptr);
    net::SetNoDelay(fd);
    Bytes in;
    uint8_t b[2048];
    while (envelope::ScanEnvelope(in, envelope::kKindRequest).state == envelope::Scan::kNeedMore &&
           net::WaitFor(fd, POLLIN, deadline) == net::Wait::kReady) {
      const ssize_t n = recv(fd, b, sizeof b, 0);
      if (n <= 0) break;
      in.insert(in.end(), b, b + n);
    }
    for (const Step& s : script) {
      if (s.what == Step::kClose) return (void)close(fd);
      if (s.what == Step::kPause) std::this_thread::sleep_for(std::chrono::milliseconds(s.ms));
      if (s.what == Step::kSend) send(fd, s.bytes.data(), s.bytes.size(), MSG_NOSIGNAL);
      for (std::size_t i = 0; s.what == Step::kTrickle && i < s.bytes.size(); ++i) {
        send(fd, &s.bytes[i], 1, MSG_NOSIGNAL);
        std::this_thread::sleep_for(std::chrono::milliseconds(s.ms));
      }
    }
    while (net::WaitFor(fd, POLLIN, deadline) == net::Wait::kReady && recv(fd, b, sizeof b, 0) > 0) {
    }
    close(fd);
  }

  int port_ = 0;
  int listen_;
  std::thread thread_;
};

class XferKitTest : public ::testing::Test {
 protected:
  void SetUp() override { setenv("QX_RECV_TIMEOUT_MS", std::to_string(kTimeoutMs).c_str(), 1); }
  void TearDown() override { unsetenv("QX_RECV_TIMEOUT_MS"); }
  // Connects, sends one read request, and returns the results of `calls` receives.
  std::vector<int> Exchange(CXferKit& link, int port, int calls) {
    const int n = link.GetSocketConnNum();
    EXPECT_EQ(link.OpenSocket(n, 1, 0x7F000001, port, 0), 0);
    const uint8_t frame[15] = {1, 0x42, 0x54};
    EXPECT_EQ(link.SendCommMan(n, 0, 0, 502, frame, 15), 15);
    std::vector<int> results;
    for (int i = 0; i < calls; ++i) results.push_back(link.RecvCommMan(n, &status, reply));
    return results;
  }
  int status = -7;
  uint8_t reply[CXferKit::kReplyBufferSize + 64] = {};
};

TEST_F(XferKitTest, HostileRepliesGiveTheDefinedResults) {
  const Bytes good = Reply(41);
  const Bytes full = Reply(1500);
  Bytes cut = good;
  cut.resize(20);
  Bytes two = Reply(9);
  const Bytes second = Reply(25);
  two.insert(two.end(), second.begin(), second.end());
  struct Case {
    const char* name;
    std::vector<Step> script;
    std::vector<int> results;
  };
  const Case cases[] = {
      {"whole reply", {{Step::kSend, good}}, {41}},
      {"largest frame", {{Step::kSend, full}}, {1500}},
      {"two replies in one write", {{Step::kSend, two}}, {9, 25, 0}},
      {"one byte at a time", {{Step::kTrickle, good, 1}}, {41}},
      {"wrong magic", {{Step::kSend, Header(0x5158434E, 2, 2)}}, {-1, -1}},
      {"wrong kind", {{Step::kSend, Header(0x5158434D, 1, 2)}}, {-1}},
      {"body above the limit", {{Step::kSend, Header(0x5158434D, 2, 1503)}}, {-1}},
      {"body without status", {{Step::kSend, Header(0x5158434D, 2, 1)}}, {-1}},
      {"cut short, then closed", {{Step::kSend, cut}, {Step::kClose}}, {-1, -1}},
      {"closed before answering", {{Step::kClose}}, {-1}},
      {"rest arrives after a time-out",
       {{Step::kSend, cut},
        {Step::kPause, {}, kTimeoutMs * 3 / 2},
        {Step::kSend, Bytes(good.begin() + 20, good.end())}},
       {0, 41}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FakeManager manager(c.script);
    CXferKit link;
    std::fill(std::begin(reply), std::end(reply), 0xEE);
    EXPECT_EQ(Exchange(link, manager.port(), static_cast<int>(c.results.size())), c.results);
    EXPECT_TRUE(std::all_of(reply + CXferKit::kReplyBufferSize, std::end(reply),
                            [](uint8_t b) { return b == 0xEE; }));
    if (c.results[0] > 0) {
      EXPECT_EQ(status, 0x0100);
      EXPECT_EQ(reply[c.results[0] - 1], c.results[0] % 256);
    }
  }
}

TEST_F(XferKitTest, SilentManagerTimesOutWithinTheLimit) {
  FakeManager manager(std::vector<Step>{});
  CXferKit link;
  const auto start = Clock::now();
  EXPECT_EQ(Exchange(link, manager.port(), 1), std::vector<int>{0});
  const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
  EXPECT_GE(elapsed, kTimeoutMs);
  EXPECT_LT(elapsed, kTimeoutMs + 500);
  EXPECT_EQ(status, -7);  // untouched when nothing arrived
}

TEST_F(XferKitTest, ConnectionNumbersAndClosedLinks) {
  CXferKit link;
  for (int n = 0; n < 16; ++n) EXPECT_EQ(link.GetSocketConnNum(), n);
  EXPECT_EQ(link.GetSocketConnNum(), -1);
  link.CloseSocket(5);
  link.CloseSocket(-1);
  EXPECT_EQ(link.GetSocketConnNum(), 5);

  // Nothing listens on a port just released: the open fails, and so do sends and receives.
  int port = 0;
  close(net::ListenLoopback(0, &port));
  EXPECT_EQ(link.OpenSocket(5, 1, 0x7F000001, port, 0), -1);
  const uint8_t frame[15] = {};
  EXPECT_EQ(link.SendCommMan(5, 0, 0, 0, frame, 15), -1);
  EXPECT_EQ(link.RecvCommMan(5, &status, reply), -1);
  EXPECT_EQ(link.RecvCommMan(99, &status, reply), -1);
  EXPECT_EQ(link.SendCommMan(5, 0, 0, 0, frame, 1589), -1);
}

TEST_F(XferKitTest, SendingToAClosedPeerDoesNotRaiseSigpipe) {
  FakeManager manager(std::vector<Step>{{Step::kClose}});
  CXferKit link;
  Exchange(link, manager.port(), 0);
  const uint8_t frame[15] = {};
  int sent = 0;
  for (int i = 0; i < 50 && sent != -1; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    sent = link.SendCommMan(0, 0, 0, 0, frame, 15);
  }
  EXPECT_EQ(sent, -1);  // and the process is still alive
  EXPECT_EQ(link.RecvCommMan(0, &status, reply), -1);
}

TEST(XferKitCrcTest, ModbusCheckValue) {
  CXferKit link;
  unsigned char text[] = "123456789";
  EXPECT_EQ(link.GetCRC16(text, 9), 0x4B37);
  EXPECT_EQ(link.GetCRC16(nullptr, 0), 0xFFFF);
}

}  // namespace
}  // namespace qx
