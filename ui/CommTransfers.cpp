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
  const int result = UploadModule(transfer, connection, station, rack, slotNumber);
  if (result < 0) context_.ui.LogFailure(FailureTrace("Upload", station, rack, slotNumber, transfer.failure));
  return result;
}

int CommTransfers::Download(int connection, int station, int rack, int slotNumber) {
  TransferContext transfer{context_.link, context_.record, context_.session,
                           &context_.ui,  &context_.texts, progress_};
  const int result = DownloadModule(transfer, connection, station, rack, slotNumber);
  if (result < 0) context_.ui.LogFailure(FailureTrace("Download", station, rack, slotNumber, transfer.failure));
  return result;
}

}  // namespace qx
