// SimHarness: a qxcommd server running in-process on its own thread, for
// tests that talk to it through a real CXferKit over loopback.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "sim/Server.h"

namespace qx::test {

inline const std::vector<sim::ModuleAddress> kExamplePlant{{1, 1, 3}, {1, 1, 8}};

class SimHarness {
 public:
  explicit SimHarness(sim::FaultPlan faults = {}, const std::string& stateFolder = "",
                      const std::vector<sim::ModuleAddress>& modules = kExamplePlant,
                      std::chrono::milliseconds latency = {})
      : plant_(modules) {
    std::string error;
    if (!stateFolder.empty()) {
      EXPECT_TRUE(plant_.UseStateFolder(stateFolder, error)) << error;
    }
    server_ = std::make_unique<sim::Server>(plant_, std::move(faults));
    server_->SetLatency(latency);
    EXPECT_TRUE(server_->Listen(0, error)) << error;
    thread_ = std::thread([this] { server_->Run(); });
  }
  ~SimHarness() {
    server_->Stop();
    thread_.join();
  }
  int port() const { return server_->Port(); }
  int requests() const { return server_->RequestsReceived(); }
  sim::Plant& plant() { return plant_; }

 private:
  sim::Plant plant_;
  std::unique_ptr<sim::Server> server_;
  std::thread thread_;
};

}  // namespace qx::test
