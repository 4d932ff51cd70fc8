// FakeManager: a communication library double that answers every request
// frame itself, from one register image per slot number, and records what
// was asked: the ports opened, the connections closed and each request's
// operation, rack and slot number.
#pragma once

#include <map>
#include <set>
#include <vector>

#include "comm/Frames.h"
#include "comm/RegisterMap.h"
#include "comm/XferKit.h"
#include "config/ModuleConfig.h"

namespace qx::test {

class FakeManager : public CXferKit {
 public:
  struct Request {
    uint16_t operation;
    int rack;
    int slotNumber;
  };
  static constexpr int kConnection = 4;

  std::vector<Request> requests;
  std::vector<int> openedPorts;
  std::vector<int> closed;
  bool noConnectionFree = false;
  std::set<int> failingSlotNumbers;    // their requests get a failure status
  std::map<int, ModuleConfig> images;  // by slot number

  int GetSocketConnNum() override { return noConnectionFree ? -1 : kConnection; }
  int OpenSocket(int, int, int, int port, int) override {
    openedPorts.push_back(port);
    return 0;
  }
  void CloseSocket(int connection) override { closed.push_back(connection); }

  int SendCommMan(int, int, int, int, const unsigned char* frame, int length) override {
    const uint16_t op = static_cast<uint16_t>(frame[1] << 8 | frame[2]);
    const int rack = frame[frames::kRackOffset];
    const int slotNumber = frame[frames::kSlotOffset];
    const uint32_t address =
        static_cast<uint32_t>(frame[9]) << 24 | frame[10] << 16 | frame[11] << 8 | frame[12];
    const uint32_t count = static_cast<uint32_t>(frame[13] << 8 | frame[14]);
    requests.push_back({op, rack, slotNumber});
    reply_.assign(frame, frame + frames::kReplyHeaderSize);
    status_ = failingSlotNumbers.count(slotNumber) != 0 ? 0x101 : 0x100;
    const RegisterBlock* block = FindRegisterBlock(address, count);
    if (block == nullptr) {
      status_ = 0x105;
      return length;
    }
    uint8_t* image = images[slotNumber].Bytes() + block->OffsetOf(address);
    if (op == frames::kOpRead) {
      reply_.insert(reply_.end(), image, image + 2 * count);
    } else if (status_ == 0x100) {
      std::copy(frame + frames::kRequestHeaderSize, frame + frames::kRequestHeaderSize + 2 * count, image);
    }
    return length;
  }

  int RecvCommMan(int, int* status, unsigned char* reply) override {
    std::copy(reply_.begin(), reply_.end(), reply);
    *status = status_;
    return static_cast<int>(reply_.size());
  }

  // The slot numbers of the requests in the order they came, one entry per
  // run of requests to the same slot.
  std::vector<int> SlotOrder() const {
    std::vector<int> order;
    for (const Request& r : requests) {
      if (order.empty() || order.back() != r.slotNumber) order.push_back(r.slotNumber);
    }
    return order;
  }

 private:
  std::vector<uint8_t> reply_;
  int status_ = 0;
};

}  // namespace qx::test
