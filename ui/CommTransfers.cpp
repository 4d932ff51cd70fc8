#include "ui/CommTransfers.h"

#include "comm/Transfer.h"

namespace qx {

int CommTransfers::Open(int port) {
  return OpenTransferConnection(context_.link, port);
}

void CommTransfers::Close(int connection) {
  CloseTransferConnection(context_.link, connection);
}

int CommTransfers::Upload(int connection, int station, int rack, int slotNumber) {
  TransferContext transfer{context_.link, context_.record, context_.session,
                           &context_.ui,  &context_.texts, progress_};
  return UploadModule(transfer, connection, station, rack, slotNumber);
}

int CommTransfers::Download(int connection, int station, int rack, int slotNumber) {
  TransferContext transfer{context_.link, context_.record, context_.session,
                           &context_.ui,  &context_.texts, progress_};
  return DownloadModule(transfer, connection, station, rack, slotNumber);
}

}  // namespace qx
