// qxcommd's --latency: every reply is late by the same time, and a reply
// held back on one connection holds up no other connection.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <thread>

#include "comm/Frames.h"
#include "comm/XferKit.h"
#include "sim/Faults.h"
#include "sim/Server.h"

namespace qx::sim {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

TEST(LatencyTest, SlowReplyOnOneConnectionDoesNotHoldUpAnother) {
  Plant plant({{1, 1, 3}});
  FaultPlan faults;
  faults.Add(1, Fault{FaultKind::kDelay, 5000});  // the first request's reply: 5 s late
  Server server(plant, std::move(faults));
  server.SetLatency(milliseconds(50));
  std::string error;
  ASSERT_TRUE(server.Listen(0, error)) << error;
  std::thread thread([&] { server.Run(); });

  CXferKit kit;
  const int slow = kit.GetSocketConnNum();
  const int fast = kit.GetSocketConnNum();
  ASSERT_EQ(kit.OpenSocket(slow, 1, 0x7F000001, server.Port(), 0), 0);
  ASSERT_EQ(kit.OpenSocket(fast, 1, 0x7F000001, server.Port(), 0), 0);
  uint8_t request[frames::kBufferSize] = {};
  const auto length = static_cast<int>(frames::BuildReadRequest(request, {1, 1, 3}, 0x10000000, 16));
  ASSERT_GT(kit.SendCommMan(slow, 0, 0, 502, request, length), 0);
  // The slow connection's request must be the first the server counts.
  for (const auto until = Clock::now() + std::chrono::seconds(10);
       server.RequestsReceived() < 1 && Clock::now() < until;) {
    std::this_thread::yield();
  }
  const auto sent = Clock::now();
  ASSERT_GT(kit.SendCommMan(fast, 0, 0, 502, request, length), 0);
  uint8_t reply[CXferKit::kReplyBufferSize];
  int status = 0;
  const int received = kit.RecvCommMan(fast, &status, reply);
  const auto took = Clock::now() - sent;
  EXPECT_GT(received, 0);
  EXPECT_EQ(status, 0x100);
  EXPECT_GE(took, milliseconds(50));    // the latency applies
  EXPECT_LT(took, milliseconds(2500));  // but not the other connection's delay

  server.Stop();
  thread.join();
}

}  // namespace
}  // namespace qx::sim
