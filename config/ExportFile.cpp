#include "config/ExportFile.h"

#include "config/ParameterCodec.h"
#include "platform/AtomicFile.h"
#include "platform/IniFile.h"

namespace qx {

std::optional<std::string> ExportFileText(const ModuleConfig& record, uint32_t firmwareVersion) {
  IniDocument file;
  if (!PutParameterSection(file, SlotSectionName(0, 0), record, firmwareVersion)) return std::nullopt;
  return file.Serialize();
}

bool ExportParameterFile(const ModuleConfig& record, uint32_t firmwareVersion, const std::string& path,
                         std::string* error) {
  const std::optional<std::string> text = ExportFileText(record, firmwareVersion);
  if (!text) {
    if (error != nullptr) *error = "a value cannot be written as one line";
    return false;
  }
  return WriteFileAtomically(path, *text, error);
}

}  // namespace qx
