// CXferKit: the communication library through which every register access
// reaches the module. It is a TCP client of the communication manager on the
// local machine (qxcommd stands in for it) and wraps each request frame in
// the envelope of comm/Envelope.h.
//
// The operations are virtual: this class is the transfers' seam, so tests
// substitute an in-memory or fault-injecting manager by deriving from it.
//
// Connections are numbered 0..15. A number is in use from GetSocketConnNum
// until CloseSocket; OpenSocket connects it. A send or receive blocks at
// most for the time-out (2000 ms, or QX_RECV_TIMEOUT_MS read at
// construction), a connect at most kConnectTimeoutMs.
// Not thread-safe: one caller thread, as the plug-in runs.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "comm/Envelope.h"

namespace qx {

class CXferKit {
 public:
  static constexpr int kMaxConnections = 16;
  static constexpr int kReplyBufferSize = static_cast<int>(envelope::kMaxReplyFrameSize);
  static constexpr int kDefaultTimeoutMs = 2000;
  // Independent of QX_RECV_TIMEOUT_MS: a short receive time-out set for
  // tests must not make connecting fail.
  static constexpr int kConnectTimeoutMs = 2000;

  CXferKit();
  virtual ~CXferKit();
  CXferKit(const CXferKit&) = delete;
  CXferKit& operator=(const CXferKit&) = delete;

  // Remembered only; nothing is sent.
  virtual void SetModbusMode(int mode);
  // The lowest free connection number, now in use; -1 when all are in use.
  virtual int GetSocketConnNum();
  // Connects the number (from GetSocketConnNum) to ip:port, ip a host-order
  // IPv4 value (0x7F000001 for 127.0.0.1). 0 on success, -1 on failure (a
  // later receive then returns -1). type and flags are accepted and unused.
  virtual int OpenSocket(int connection, int type, int ip, int port, int flags);
  // Disconnects and frees the number; a number not in use is ignored.
  virtual void CloseSocket(int connection);
  // Sends one request envelope; the frame's length on success, -1 when the
  // connection is not open, the frame does not fit, or sending failed (the
  // connection is then closed). Requests and replies alternate: bytes
  // received before the request (a duplicated or late reply) are discarded
  // and the socket drained first, so they are never taken for its answer.
  virtual int SendCommMan(int connection, int driverId, int targetIp, int targetPort,
                          const unsigned char* frame, int length);
  // Waits for one whole reply envelope. > 0: that many frame bytes are in
  // reply and *status is set; 0: nothing whole arrived in time; -1: the
  // connection is closed, broken or sent a malformed envelope, and is now
  // closed, so later calls give -1 too. Never writes more than
  // kReplyBufferSize bytes.
  // A reply envelope with an empty frame (a status alone) is an answer, not
  // silence: it gives -1 with *status set and the connection left open, and
  // so does every later receive at once, until the next SendCommMan.
  //
  // Bytes of an envelope that arrived before the time-out (and any bytes
  // after a delivered envelope) are kept for the next call: the stream stays
  // in step, and a slow reply completes on a repeated receive instead of
  // being misread as the start of the next one.
  // REQUIRES: reply holds kReplyBufferSize bytes (null gives -1).
  virtual int RecvCommMan(int connection, int* status, unsigned char* reply);
  // CRC-16/MODBUS of length bytes (0xFFFF for none).
  virtual unsigned short GetCRC16(unsigned char* data, int length);

  int ModbusMode() const { return modbusMode_; }
  int TimeoutMs() const { return timeoutMs_; }

 protected:
  // Takes over a connected stream socket as the connection's link (the
  // number must be in use; a previous link is closed). For tests and the
  // fuzz driver, which feed replies through a socketpair.
  bool AdoptSocket(int connection, int fd);

 private:
  struct Connection {
    bool inUse = false;
    int fd = -1;
    // Bytes received and not yet delivered: the envelope being received,
    // possibly followed by the start of the next one. Room for two whole
    // envelopes, so one read usually brings a whole reply.
    std::array<uint8_t, 2 * envelope::kMaxReplyEnvelopeSize> pending{};
    std::size_t have = 0;
    bool answeredByStatus = false;  // the last request's reply had no frame
  };

  Connection* Open(int connection);  // the connection when in use and connected
  void Disconnect(Connection& c);
  int Break(Connection& c);  // disconnects, returns -1
  // Before a request: drops the pending bytes and reads the socket empty.
  // False when the manager hung up or the socket failed.
  bool DiscardPending(Connection& c);
  // Hands over the whole envelope of size bytes at the start of pending.
  int Deliver(Connection& c, std::size_t size, int* status, unsigned char* reply);

  std::array<Connection, kMaxConnections> connections_;
  int modbusMode_ = 0;
  int timeoutMs_ = kDefaultTimeoutMs;
};

}  // namespace qx
