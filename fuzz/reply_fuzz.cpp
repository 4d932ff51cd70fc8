// Fuzz target: arbitrary bytes as the communication manager's reply stream.
// The first byte picks what consumes them: CXferKit::RecvCommMan alone
// (checking it never writes past the 1500-byte buffer), a whole upload, or
// a whole download (the transfers' reply judging). The bytes come through a
// socketpair whose far end is then shut, so nothing ever waits for a time-out.
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
  Check(r == 1 || r == -1 || r == -2 || r == -3);
  Check(record.ItemCount() <= qx::layout::kMaxItems);
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
  if (feed > 0 && write(fds[1], data + 1, feed) < 0) {
    // A full buffer only shortens the stream.
  }
  shutdown(fds[1], SHUT_WR);

  FuzzLink link;
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
