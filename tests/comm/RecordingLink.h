// RecordingLink: an in-memory communication manager for the transfer tests.
// It records every call the transfers make, answers requests from its own
// module image (applying writes to it), and misbehaves on the request
// numbers (from 0) the test picks.
#pragma once

#include <cstdio>
#include <cstring>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "comm/Frames.h"
#include "comm/RegisterMap.h"
#include "comm/XferKit.h"
#include "config/ModuleConfig.h"

namespace qx::test {

enum class Misbehave { kNone, kFailStatus, kWrongEcho, kSilent, kBroken, kShortRead };

struct SentRequest {
  int connection, driverId, targetIp, targetPort;
  std::vector<uint8_t> frame;
  int receiveCalls = 0;
  int pumpsBefore = 0;
  uint16_t Op() const { return static_cast<uint16_t>(frame[1] << 8 | frame[2]); }
  uint32_t Address() const {
    return uint32_t{frame[9]} << 24 | uint32_t{frame[10]} << 16 | uint32_t{frame[11]} << 8 | frame[12];
  }
  int Count() const { return frame[13] << 8 | frame[14]; }
};

class RecordingLink : public CXferKit {
 public:
  ModuleConfig module;
  std::vector<SentRequest> sent;
  const int* pumps = nullptr;       // the UI's pump count, noted at each request
  std::map<int, Misbehave> faults;  // by request number
  int answerOnCall = 1;             // the receive call (from 1) that brings the reply
  int freeNumber = 3;
  std::vector<std::string> calls;

  void SetModbusMode(int mode) override { calls.push_back("SetModbusMode(" + std::to_string(mode) + ")"); }
  int GetSocketConnNum() override {
    calls.push_back("GetSocketConnNum");
    return freeNumber;
  }
  int OpenSocket(int n, int type, int ip, int port, int flags) override {
    char text[96];
    std::snprintf(text, sizeof text, "OpenSocket(%d,%d,0x%X,%d,%d)", n, type, ip, port, flags);
    calls.push_back(text);
    return 0;
  }
  void CloseSocket(int n) override { calls.push_back("CloseSocket(" + std::to_string(n) + ")"); }

  int SendCommMan(int connection, int driverId, int ip, int port, const unsigned char* frame,
                  int length) override {
    sent.push_back({connection, driverId, ip, port, std::vector<uint8_t>(frame, frame + length)});
    sent.back().pumpsBefore = pumps != nullptr ? *pumps : 0;
    return length;
  }

  int RecvCommMan(int, int* status, unsigned char* reply) override {
    SentRequest& r = sent.back();
    ++r.receiveCalls;
    const Misbehave m = faults.count(sent.size() - 1) ? faults[sent.size() - 1] : Misbehave::kNone;
    if (m == Misbehave::kBroken) return -1;
    if (m == Misbehave::kSilent || r.receiveCalls < answerOnCall) return 0;
    const int data = Answer(r);
    std::memcpy(reply, r.frame.data(), 9);
    *status = m == Misbehave::kFailStatus ? 0x0101 : 0x0100;
    if (m == Misbehave::kWrongEcho) reply[2] ^= 0x07;
    if (r.Op() == frames::kOpRead) std::memcpy(reply + 9, module.Bytes() + data, 2 * std::size_t(r.Count()));
    const int full = 9 + (r.Op() == frames::kOpRead ? 2 * r.Count() : 0);
    return m == Misbehave::kShortRead ? full - 1 : full;
  }

 private:
  // Applies a write; the image offset of the request's first register.
  int Answer(const SentRequest& r) {
    const RegisterBlock* b = FindRegisterBlock(r.Address(), static_cast<uint32_t>(r.Count()));
    if (b == nullptr) throw std::runtime_error("request outside the register map");
    const std::size_t at = b->OffsetOf(r.Address());
    if (r.Op() == frames::kOpWrite)
      std::memcpy(module.Bytes() + at, r.frame.data() + 15, 2 * std::size_t(r.Count()));
    return static_cast<int>(at);
  }
};

}  // namespace qx::test
