#include "comm/Transfer.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <string>

#include "comm/Frames.h"
#include "comm/RegisterMap.h"

namespace qx {
namespace {

constexpr int kModbusMode = 2;
constexpr int kSocketType = 1;
constexpr int kLoopbackIp = 0x7F000001;
constexpr std::size_t kItemBufferSize = 9216;  // working storage of the items block
constexpr std::size_t kItemCountOffset = 0x0004;
static_assert(kItemsBlock.Bytes() <= kItemBufferSize);
static_assert(kMailBlock.Bytes() == 1540);

// Send and receive buffers of one request, both cleared before it.
struct FrameBuffers {
  std::array<uint8_t, frames::kBufferSize> send{};
  std::array<uint8_t, frames::kBufferSize> receive{};
};

// The progress window of one transfer, shown only in the window session.
// Destroying it closes the window, on success and on every failure return.
class TransferProgress {
 public:
  TransferProgress(const TransferContext& ctx, const char* firstStage) : texts_(ctx.texts) {
    if (ctx.session.Interactive && ctx.progress != nullptr) window_ = ctx.progress->Make();
    if (!window_) return;
    window_->Create(Text("Msg11"), false);
    window_->GoModal("Progress", false);
    window_->SetRange(0, 4, 1);
    Stage(firstStage);
  }
  void Stage(const char* key) {
    if (!window_) return;
    // The status text is used as a format without arguments.
    window_->SetStatus(texts_ != nullptr ? texts_->FormatMessage(key, {}) : std::string());
    window_->StepIt();
  }
  void Finish() {
    if (window_) window_->SetPos(4);
  }

 private:
  std::string Text(const char* key) const { return texts_ != nullptr ? texts_->Message(key) : std::string(); }

  const CTextTable* texts_;
  std::unique_ptr<ProgressWindow> window_;
};

// Items a download sends: the count as the header has it, but never more
// than the table holds. A record claiming 65 or more items is taken as a
// full table rather than refused, so the rest of the image still moves and
// nothing outside the table is read.
int TransferredItems(const uint8_t* header) {
  return std::min<int>(DecodeU16(header + kItemCountOffset), layout::kMaxItems);
}

// Bytes of the items block an upload reads for the count the module's
// header gives: 128 per item when that is above 0 and below the 9216-byte
// working buffer, else none (a count of 0, or of 72 and more, leaves the
// record's table as it was). Counts of 65 to 71 pass that bound but name
// more items than the table holds: the whole table (64 items) is read, and
// nothing past it.
int UploadedItemBytes(const uint8_t* header) {
  const int bytes = DecodeU16(header + kItemCountOffset) * static_cast<int>(layout::kItemSize);
  if (bytes <= 0 || bytes >= static_cast<int>(kItemBufferSize)) return 0;
  return std::min(bytes, static_cast<int>(kItemsBlock.Bytes()));
}

// One single-frame read straight into the record, on success only.
bool ReadSingle(TransferContext& ctx, int connection, const frames::FrameTarget& target,
                const RegisterBlock& block, bool repeat) {
  FrameBuffers b;
  const std::size_t length =
      frames::BuildReadRequest(b.send.data(), target, block.address, static_cast<int>(block.registers));
  if (!ExchangeFrame(ctx, connection, b.send.data(), static_cast<int>(length), repeat, b.receive.data(),
                     ctx.status)) {
    return false;
  }
  std::memcpy(ctx.record.Bytes() + block.offset, b.receive.data() + frames::kReplyDataOffset, block.Bytes());
  return true;
}

bool WriteSingle(TransferContext& ctx, int connection, const frames::FrameTarget& target,
                 const RegisterBlock& block, const uint8_t* data, bool repeat) {
  FrameBuffers b;
  const std::size_t length =
      frames::BuildWriteRequest(b.send.data(), target, block.address, data, static_cast<int>(block.Bytes()));
  return ExchangeFrame(ctx, connection, b.send.data(), static_cast<int>(length), repeat, b.receive.data(),
                       ctx.status);
}

// Puts the failed block in front of the exchange's reason and gives code.
int BlockFailed(TransferContext& ctx, const char* block, int code) {
  ctx.failure = std::string(block) + ": " + ctx.failure;
  return code;
}

void PumpOneMessage(TransferContext& ctx) {
  if (ctx.ui != nullptr) ctx.ui->PumpOneMessage();
}

}  // namespace

int OpenTransferConnection(CXferKit& link, int port) {
  link.SetModbusMode(kModbusMode);
  const int n = link.GetSocketConnNum();
  if (n == -1) return -1;
  link.OpenSocket(n, kSocketType, kLoopbackIp, port, 0);
  return n;
}

void CloseTransferConnection(CXferKit& link, int connection) {
  link.CloseSocket(connection);
}

bool ExchangeFrame(TransferContext& ctx, int connection, const uint8_t* request, int length, bool repeat,
                   uint8_t* reply, int& status) {
  if (length < static_cast<int>(frames::kRequestHeaderSize) ||
      length > static_cast<int>(frames::kBufferSize)) {
    ctx.failure = "request of " + std::to_string(length) + " bytes not sent";
    return false;  // not a request frame: nothing is sent
  }
  std::memset(reply, 0, frames::kBufferSize);
  ctx.link.SendCommMan(connection, ctx.session.DriverId, static_cast<int>(ctx.session.TargetIp),
                       ctx.session.TargetPort, request, length);
  const int calls = repeat ? std::max(1, ctx.session.ReceiveAttempts) : 1;
  int received = 0;
  for (int i = 0; i < calls; ++i) {
    received = ctx.link.RecvCommMan(connection, &status, reply);
    if (received > 0) break;
  }
  const frames::ReplyFault fault = frames::CheckReply(request, received, status, reply);
  if (fault == frames::ReplyFault::kAccepted) return true;
  ctx.failure = frames::DescribeReplyFault(fault, request, received, status, reply);
  if (fault == frames::ReplyFault::kNoReply) {
    ctx.failure += " (" + std::to_string(calls) + " x " + std::to_string(ctx.link.TimeoutMs()) + " ms)";
  }
  return false;
}

bool ReadRegisterBlock(TransferContext& ctx, int connection, int station, int rack, int slotNumber,
                       uint32_t address, int byteCount, uint8_t* destination) {
  if (byteCount <= 0 || byteCount % 2 != 0) return false;
  const frames::FrameTarget target{station, rack, slotNumber};
  for (int done = 0; done < byteCount;) {
    PumpOneMessage(ctx);
    const int chunk = std::min(byteCount - done, frames::kMaxChunkBytes);
    FrameBuffers b;
    const std::size_t length = frames::BuildReadRequest(b.send.data(), target, address, chunk / 2);
    if (!ExchangeFrame(ctx, connection, b.send.data(), static_cast<int>(length), true, b.receive.data(),
                       ctx.status)) {
      return false;
    }
    std::memcpy(destination + done, b.receive.data() + frames::kReplyDataOffset,
                static_cast<std::size_t>(chunk));
    done += chunk;
    address += static_cast<uint32_t>(chunk / 2);
  }
  return true;
}

bool WriteRegisterBlock(TransferContext& ctx, int connection, int station, int rack, int slotNumber,
                        uint32_t address, int byteCount, const uint8_t* source) {
  if (byteCount <= 0 || byteCount % 2 != 0) return false;
  const frames::FrameTarget target{station, rack, slotNumber};
  for (int done = 0; done < byteCount;) {
    PumpOneMessage(ctx);
    const int chunk = std::min(byteCount - done, frames::kMaxChunkBytes);
    FrameBuffers b;
    const std::size_t length =
        frames::BuildWriteRequest(b.send.data(), target, address, source + done, chunk);
    if (!ExchangeFrame(ctx, connection, b.send.data(), static_cast<int>(length), true, b.receive.data(),
                       ctx.status)) {
      return false;
    }
    done += chunk;
    address += static_cast<uint32_t>(chunk / 2);
  }
  return true;
}

std::string FailureTrace(const char* operation, int station, int rack, int slotNumber,
                         const std::string& failure) {
  return std::string(operation) + " SLOT" + std::to_string(rack) + std::to_string(slotNumber - 1) + " (station " +
         std::to_string(station) + ", rack " + std::to_string(rack) + ", slot number " + std::to_string(slotNumber) +
         "): " + failure;
}

int UploadModule(TransferContext& ctx, int connection, int station, int rack, int slotNumber) {
  TransferProgress progress(ctx, "Msg17");
  const frames::FrameTarget target{station, rack, slotNumber};
  ModuleConfig& record = ctx.record;

  // The header is the module's, its item count included, whatever the count.
  ctx.failure.clear();
  if (!ReadSingle(ctx, connection, target, kHeaderBlock, true)) return BlockFailed(ctx, "block 1 (header)", -1);
  // Only the items in use are read and copied; the record's items after
  // them keep what they held (they are not in use, so nothing reads them as
  // items).
  if (const int bytes = UploadedItemBytes(record.Bytes()); bytes > 0) {
    std::array<uint8_t, kItemBufferSize> buffer{};
    if (!ReadRegisterBlock(ctx, connection, station, rack, slotNumber, kItemsBlock.address, bytes,
                           buffer.data())) {
      return BlockFailed(ctx, "block 2 (items)", -3);
    }
    std::memcpy(record.Bytes() + kItemsBlock.offset, buffer.data(), static_cast<std::size_t>(bytes));
  }

  progress.Stage("Msg18");
  if (!ReadSingle(ctx, connection, target, kNtpBlock, false)) return BlockFailed(ctx, "block 3 (NTP)", -2);
  progress.Stage("Msg19");
  if (!ReadSingle(ctx, connection, target, kSnmpBlock, false)) return BlockFailed(ctx, "block 4 (SNMP)", -3);
  progress.Stage("Msg20");
  std::array<uint8_t, kMailBlock.Bytes()> mail{};
  if (!ReadRegisterBlock(ctx, connection, station, rack, slotNumber, kMailBlock.address,
                         static_cast<int>(mail.size()), mail.data())) {
    return BlockFailed(ctx, "block 5 (mail)", -3);
  }
  std::memcpy(record.Bytes() + kMailBlock.offset, mail.data(), mail.size());
  progress.Finish();
  return 1;
}

int DownloadModule(TransferContext& ctx, int connection, int station, int rack, int slotNumber) {
  TransferProgress progress(ctx, "Msg21");
  const frames::FrameTarget target{station, rack, slotNumber};
  const ModuleConfig& record = ctx.record;

  // The header goes out with the count of items actually sent, so the
  // module's header and table agree even for a record claiming 65 or more.
  std::array<uint8_t, kHeaderBlock.Bytes()> header{};
  std::memcpy(header.data(), record.Bytes() + kHeaderBlock.offset, header.size());
  const int items = TransferredItems(header.data());
  EncodeU16(header.data() + kItemCountOffset, static_cast<uint16_t>(items));
  ctx.failure.clear();
  if (!WriteSingle(ctx, connection, target, kHeaderBlock, header.data(), true)) {
    return BlockFailed(ctx, "block 1 (header)", -1);
  }

  if (items > 0) {
    std::array<uint8_t, kItemBufferSize> buffer{};
    const int bytes = items * static_cast<int>(layout::kItemSize);
    std::memcpy(buffer.data(), record.Bytes() + kItemsBlock.offset, static_cast<std::size_t>(bytes));
    if (!WriteRegisterBlock(ctx, connection, station, rack, slotNumber, kItemsBlock.address, bytes,
                            buffer.data())) {
      return BlockFailed(ctx, "block 2 (items)", -3);
    }
  }

  progress.Stage("Msg22");
  if (!WriteSingle(ctx, connection, target, kNtpBlock, record.Bytes() + kNtpBlock.offset, false)) {
    return BlockFailed(ctx, "block 3 (NTP)", -2);
  }
  progress.Stage("Msg23");
  if (!WriteSingle(ctx, connection, target, kSnmpBlock, record.Bytes() + kSnmpBlock.offset, false)) {
    return BlockFailed(ctx, "block 4 (SNMP)", -3);
  }
  progress.Stage("Msg24");
  std::array<uint8_t, kMailBlock.Bytes()> mail{};
  std::memcpy(mail.data(), record.Bytes() + kMailBlock.offset, mail.size());
  if (!WriteRegisterBlock(ctx, connection, station, rack, slotNumber, kMailBlock.address,
                          static_cast<int>(mail.size()), mail.data())) {
    return BlockFailed(ctx, "block 5 (mail)", -3);
  }
  progress.Finish();
  return 1;
}

}  // namespace qx
