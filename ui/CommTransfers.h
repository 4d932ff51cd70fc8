// CommTransfers: the configurator window's Upload and Download over the
// communication layer, with the context's link, record, session and texts,
// and the window's progress window.
#pragma once

#include "ui/ConfiguratorContext.h"

namespace qx {

class ProgressFactory;

class CommTransfers : public ModuleTransfers {
 public:
  // REQUIRES: context and progress (may be null) outlive this object.
  CommTransfers(ConfiguratorContext& context, ProgressFactory* progress)
      : context_(context), progress_(progress) {}

  int Open(int port) override;
  void Close(int connection) override;
  int Upload(int connection, int station, int rack, int slotNumber) override;
  int Download(int connection, int station, int rack, int slotNumber) override;

 private:
  ConfiguratorContext& context_;
  ProgressFactory* progress_;
};

}  // namespace qx
