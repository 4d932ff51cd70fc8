// ConfiguratorContext: what the configurator window works on during one
// show-dialog call. The application object owns everything it refers to; the
// window and its pages only borrow it, so the window layer does not depend on
// the application layer. Free of Qt, so that the plug-in's entry code can
// fill it in.
#pragma once

#include <optional>
#include <string>

namespace qx {

class CProfileFile;
class CTextTable;
class CXferKit;
class ModuleConfig;
class UiServices;
struct SessionFields;

// The module transfers behind the window's Upload and Download buttons. The
// window runs the communication layer's own over the context's link unless
// the context supplies another (tests do).
class ModuleTransfers {
 public:
  virtual ~ModuleTransfers() = default;
  // A connection number, or -1 when none could be had.
  virtual int Open(int port) = 0;
  virtual void Close(int connection) = 0;
  // slotNumber is the zero-based slot index + 1. A negative result is a failure.
  virtual int Upload(int connection, int station, int rack, int slotNumber) = 0;
  virtual int Download(int connection, int station, int rack, int slotNumber) = 0;
};

// REQUIRES: every referenced object outlives the window.
struct ConfiguratorContext {
  ModuleConfig& record;
  SessionFields& session;         // Rack, Slot, TargetStation, CommManagerPort, ...
  CProfileFile& parameterFile;    // bound to the project's parameter file
  const CTextTable& texts;        // UIStr words and MsgStr messages of the language
  CXferKit& link;                 // the communication library object
  UiServices& ui;                 // message boxes, file choosers, the event pump
  std::string translationFile;    // the language's .qm file; empty: built-in English
  std::string projectBasePath;    // without extension; the hardware file is this + ".hw"
  std::string moduleDirectory;    // where the module description file lies
  std::optional<int> readLenMax;  // the host's data-exchange limits, when set
  std::optional<int> writeLenMax;
  ModuleTransfers* transfers = nullptr;  // null: the communication layer's transfers
};

}  // namespace qx
