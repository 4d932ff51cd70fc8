// Transfer: the register transfer between the configuration record and one
// module, over a connection to the communication manager. Upload and
// download move the image's five blocks (comm/RegisterMap.h) in a fixed
// order, in request frames of at most 490 registers (comm/Frames.h).
//
// A transfer stops at the first failed exchange and never sends a request
// twice; no message is shown here, the callers report. Everything runs on
// the calling thread: between the chunks of a multi-chunk access one pending
// window message is handled through ctx.ui.
#pragma once

#include <cstdint>
#include <string>

#include "comm/ProgressWindow.h"
#include "comm/XferKit.h"
#include "config/ModuleConfig.h"
#include "platform/TextTable.h"
#include "platform/UiServices.h"

namespace qx {

// What one upload or download works with. All references must outlive it.
struct TransferContext {
  CXferKit& link;
  ModuleConfig& record;
  const SessionFields&
      session;               // TargetStation, DriverId, TargetIp, TargetPort, ReceiveAttempts, Interactive
  UiServices* ui = nullptr;  // PumpOneMessage between chunks; may be null
  const CTextTable* texts = nullptr;    // Msg11, Msg17..Msg24; may be null (then empty texts)
  ProgressFactory* progress = nullptr;  // used only when session.Interactive; may be null
  // The status word of the manager's replies. It is not reset between the
  // requests of one transfer; only the send and receive buffers are.
  int status = 0;
  // Why the last transfer failed, for the failure trace: the block and what
  // was wrong with which exchange ("block 2 (items): read of 0x10001040+490:
  // no reply in time"). Empty while nothing failed.
  std::string failure;
};

// SetModbusMode(2), GetSocketConnNum, OpenSocket(n, 1, 0x7F000001, port, 0)
// whose result is not examined (a failed open shows up as failed receives).
// The connection number, or -1 when none is free (then nothing is opened).
int OpenTransferConnection(CXferKit& link, int port);
// CloseSocket(connection); -1 is harmless.
void CloseTransferConnection(CXferKit& link, int connection);

// Sends request and receives the reply into reply (cleared first):
// ReceiveAttempts receive calls when repeat, else exactly one, stopping at
// the first that returns bytes. True when the reply passes
// frames::JudgeReply. status is the transfer's status word. A length
// outside 15..1500 is refused without sending.
// REQUIRES: request holds length bytes; reply holds frames::kBufferSize bytes.
bool ExchangeFrame(TransferContext& ctx, int connection, const uint8_t* request, int length, bool repeat,
                   uint8_t* reply, int& status);

// Reads or writes byteCount bytes of registers from address on, in chunks of
// at most 490 registers, each exchanged with receive repetition; one
// PumpOneMessage before each chunk. Stops at the first failed chunk. A
// destination receives the bytes of every chunk read before the failure.
// REQUIRES: byteCount even and > 0 (otherwise false, nothing sent).
bool ReadRegisterBlock(TransferContext& ctx, int connection, int station, int rack, int slotNumber,
                       uint32_t address, int byteCount, uint8_t* destination);
bool WriteRegisterBlock(TransferContext& ctx, int connection, int station, int rack, int slotNumber,
                        uint32_t address, int byteCount, const uint8_t* source);

// Reads the module's image into ctx.record. 1 when every block was read
// (ctx.failure emptied first, set on failure);
// -1 block 1 (header) failed; -2 block 3 (NTP) failed; -3 block 2 (items),
// 4 (SNMP) or 5 (mail) failed. The record keeps every block read before the
// failing one; a partly read items or mail block changes nothing.
// The header is copied as the module sends it. For an item count n of 1 to
// 64 only items 1..n are read and copied; the items after them keep their
// previous contents. A count of 0, or of 72 and more, skips the items block
// and leaves the record's table as it was; 65 to 71 read the whole table.
int UploadModule(TransferContext& ctx, int connection, int station, int rack, int slotNumber);
// Writes ctx.record (only read) into the module; the same codes per block.
int DownloadModule(TransferContext& ctx, int connection, int station, int rack, int slotNumber);

// The failure trace's line for a failed transfer: "Upload SLOT12 (station 1,
// rack 1, slot number 3): " followed by failure (TransferContext::failure).
std::string FailureTrace(const char* operation, int station, int rack, int slotNumber, const std::string& failure);

}  // namespace qx
