// Fuzz target: arbitrary bytes as the communication manager's reply stream.
// The first byte picks what consumes them: CXferKit::RecvCommMan alone
// (checking it never writes past the 1500-byte buffer), a whole upload, or
// a whole download (the transfers' reply judging). The bytes come through a
// socketpair whose far end is then shut, so nothing ever waits for a time-out.
// Requests and replies alternate, and bytes that arrive before a request
// answer none of it, so for the transfers the rest is cut into pieces (each
// a 2-byte big-endian length and that many bytes), one sent after each
// request.
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "comm/Transfer.h"

namespace {

class FuzzLink : public qx::CXferKit {
 public:
  using CXferKit::AdoptSocket;
  // The manager's end and the pieces still to answer with; none: the
  // manager's end is shut once the last piece went out.
  int manager = -1;
  const uint8_t* next = nullptr;
  const uint8_t* end = nullptr;

  int SendCommMan(int connection, int driverId, int targetIp, int targetPort, const unsigned char* frame,
                  int length) override {
    const int r = CXferKit::SendCommMan(connection, driverId, targetIp, targetPort, frame, length);
    uint8_t sink[2048];
    while (recv(manager, sink, sizeof sink, MSG_DONTWAIT) > 0) {
    }
    if (end - next >= 2) {
      const auto size = std::min<std::size_t>(std::size_t(next[0]) << 8 | next[1], std::size_t(end - next - 2));
      if (size > 0 && write(manager, next + 2, size) < 0) {
        // A full buffer only shortens the reply.
      }
      next += 2 + size;
    }
    if (end - next < 2) shutdown(manager, SHUT_WR);
    return r;
  }
};

constexpr std::size_t kMaxFeed = 64 * 1024;  // below the socketpair's buffer

void Check(bool ok) {
  if (!ok) std::abort();
}

void ReceiveAll(FuzzLink& link, int n) {
  uint8_t reply[qx::CXferKit::kReplyBufferSize + 32];
  for (;;) {
    std::memset(reply, 0xA5, sizeof reply);
    int status = 0;
    const int r = link.RecvCommMan(n, &status, reply);
    Check(r >= -1 && r <= qx::CXferKit::kReplyBufferSize);
    Check(std::all_of(reply + qx::CXferKit::kReplyBufferSize, reply + sizeof reply,
                      [](uint8_t b) { return b == 0xA5; }));
    if (r < 0) return;
  }
}

void Transfer(FuzzLink& link, int n, bool upload) {
  qx::ModuleConfig record;
  record.SetDefaults();
  if (!upload) record.SetItemCount(64);
  qx::SessionFields session;
  session.Interactive = false;
  qx::TransferContext ctx{link, record, session};
  const int r = upload ? qx::UploadModule(ctx, n, 1, 1, 3) : qx::DownloadModule(ctx, n, 1, 1, 3);
  // Any item count the module claims is kept in the header; the sanitizers
  // see that no count makes a transfer read or write past the item table.
  Check(r == 1 || r == -1 || r == -2 || r == -3);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  setenv("QX_RECV_TIMEOUT_MS", "20", 1);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const int mode = data[0] % 3;
  int fds[2];
  if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, fds) != 0) return 0;
  fcntl(fds[1], F_SETFL, O_NONBLOCK);
  const std::size_t feed = std::min(size - 1, kMaxFeed);
  FuzzLink link;
  if (mode == 0) {
    if (feed > 0 && write(fds[1], data + 1, feed) < 0) {
      // A full buffer only shortens the stream.
    }
    shutdown(fds[1], SHUT_WR);
  } else {
    link.manager = fds[1];
    link.next = data + 1;
    link.end = data + 1 + feed;
  }

  const int n = link.GetSocketConnNum();
  if (link.AdoptSocket(n, fds[0])) {
    if (mode == 0)
      ReceiveAll(link, n);
    else
      Transfer(link, n, mode == 1);
  } else {
    close(fds[0]);
  }
  link.CloseSocket(n);
  close(fds[1]);
  return 0;
}
