// Full-image transfers (64 items, 14 requests) through the simulated
// manager on loopback, next to their floor: 14 plain TCP round trips of the
// same request and reply sizes against a minimal server that only reads and
// answers. The transfer's target is within 1.5x of the floor.
#include <benchmark/benchmark.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <memory>
#include <thread>
#include <utility>
#include <vector>

#include "comm/Frames.h"
#include "comm/Transfer.h"
#include "platform/ByteOrder.h"
#include "platform/SocketIo.h"
#include "sim/Server.h"

namespace {

using Sizes = std::vector<std::pair<int, int>>;  // request and reply bytes on the wire

constexpr int kEnvelopeRequest = 8 + 12, kEnvelopeReply = 8 + 2;
constexpr int kHeader = static_cast<int>(qx::frames::kRequestHeaderSize);
constexpr int kReplyHeader = static_cast<int>(qx::frames::kReplyHeaderSize);

// Data bytes of the 14 requests of a full image: header, 9 item chunks, NTP, SNMP, 2 mail chunks.
std::vector<int> ChunkBytes() {
  std::vector<int> out{128};
  for (int left = 64 * 128; left > 0; left -= 980) out.push_back(std::min(left, 980));
  out.insert(out.end(), {32, 288, 980, 560});
  return out;
}

Sizes WireSizes(bool upload) {
  Sizes out;
  for (int data : ChunkBytes()) {
    if (upload)
      out.emplace_back(kEnvelopeRequest + kHeader, kEnvelopeReply + kReplyHeader + data);
    else
      out.emplace_back(kEnvelopeRequest + kHeader + data, kEnvelopeReply + kReplyHeader);
  }
  return out;
}

bool ReadExactly(int fd, uint8_t* p, std::size_t n) {
  while (n > 0) {
    const ssize_t r = recv(fd, p, n, 0);
    if (r <= 0) return false;
    p += r;
    n -= static_cast<std::size_t>(r);
  }
  return true;
}

using qx::GetBe32;
using qx::PutBe32;

// The floor's server: each message starts with its own length and the
// length of the answer wanted; it reads the message and sends the answer.
class FloorServer {
 public:
  FloorServer() : listen_(qx::net::ListenLoopback(0, &port_)) {
    thread_ = std::thread([this] {
      pollfd p{listen_, POLLIN, 0};
      if (poll(&p, 1, 10000) <= 0) return;
      const int fd = accept(listen_, nullptr, nullptr);
      qx::net::SetNoDelay(fd);
      std::vector<uint8_t> buffer(4096);
      while (ReadExactly(fd, buffer.data(), 8)) {
        const uint32_t in = GetBe32(buffer.data()), out = GetBe32(buffer.data() + 4);
        if (in < 8 || in > buffer.size() || out > buffer.size() ||
            !ReadExactly(fd, buffer.data() + 8, in - 8))
          break;
        if (send(fd, buffer.data(), out, MSG_NOSIGNAL) != static_cast<ssize_t>(out)) break;
      }
      close(fd);
    });
  }
  ~FloorServer() {
    thread_.join();
    close(listen_);
  }
  int port() const { return port_; }

 private:
  int port_ = 0;
  int listen_;
  std::thread thread_;
};

void Floor(benchmark::State& state, bool upload) {
  FloorServer server;
  const int fd = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_port = htons(static_cast<uint16_t>(server.port()));
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) return state.SkipWithError("connect");
  qx::net::SetNoDelay(fd);
  const Sizes sizes = WireSizes(upload);
  std::vector<uint8_t> buffer(4096);
  for (auto _ : state) {
    for (auto [in, out] : sizes) {
      PutBe32(buffer.data(), static_cast<uint32_t>(in));
      PutBe32(buffer.data() + 4, static_cast<uint32_t>(out));
      if (send(fd, buffer.data(), static_cast<std::size_t>(in), MSG_NOSIGNAL) != in ||
          !ReadExactly(fd, buffer.data(), static_cast<std::size_t>(out))) {
        return state.SkipWithError("round trip failed");
      }
    }
  }
  close(fd);
  state.counters["requests"] = static_cast<double>(sizes.size());
}

// The simulated manager with one module holding a full table, on its own thread.
class Simulator {
 public:
  Simulator() : plant_({{1, 1, 3}}) {
    std::string error;
    server_ = std::make_unique<qx::sim::Server>(plant_, qx::sim::FaultPlan{});
    server_->Listen(0, error);
    thread_ = std::thread([this] { server_->Run(); });
  }
  ~Simulator() {
    server_->Stop();
    thread_.join();
  }
  int port() const { return server_->Port(); }

 private:
  qx::sim::Plant plant_;
  std::unique_ptr<qx::sim::Server> server_;
  std::thread thread_;
};

void Transfer(benchmark::State& state, bool upload) {
  Simulator sim;
  qx::CXferKit link;
  qx::ModuleConfig record;
  record.SetDefaults();
  record.SetItemCount(64);
  qx::SessionFields session;
  session.Interactive = false;
  qx::TransferContext ctx{link, record, session};
  const int n = qx::OpenTransferConnection(link, sim.port());
  if (qx::DownloadModule(ctx, n, 1, 1, 3) != 1) return state.SkipWithError("first download failed");
  for (auto _ : state) {
    const int r = upload ? qx::UploadModule(ctx, n, 1, 1, 3) : qx::DownloadModule(ctx, n, 1, 1, 3);
    if (r != 1) return state.SkipWithError("transfer failed");
  }
  qx::CloseTransferConnection(link, n);
  state.counters["requests"] = 14;
}

void BM_UploadThroughSimulator(benchmark::State& s) {
  Transfer(s, true);
}
void BM_UploadFloor(benchmark::State& s) {
  Floor(s, true);
}
void BM_DownloadThroughSimulator(benchmark::State& s) {
  Transfer(s, false);
}
void BM_DownloadFloor(benchmark::State& s) {
  Floor(s, false);
}

BENCHMARK(BM_UploadThroughSimulator)->Unit(benchmark::kMicrosecond)->MinTime(1.0);
BENCHMARK(BM_UploadFloor)->Unit(benchmark::kMicrosecond)->MinTime(1.0);
BENCHMARK(BM_DownloadThroughSimulator)->Unit(benchmark::kMicrosecond)->MinTime(1.0);
BENCHMARK(BM_DownloadFloor)->Unit(benchmark::kMicrosecond)->MinTime(1.0);

}  // namespace

BENCHMARK_MAIN();
