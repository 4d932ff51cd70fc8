#include "config/ExportFile.h"

#include <cstdio>

#include "config/ParameterCodec.h"
#include "platform/AtomicFile.h"
#include "platform/IniFile.h"

namespace qx {

std::optional<std::string> ExportFileText(const ModuleConfig& record, uint32_t firmwareVersion) {
  const std::string section = SlotSectionName(0, 0);
  char fw[16];
  std::snprintf(fw, sizeof fw, "%X", static_cast<unsigned>(firmwareVersion));
  IniDocument file;
  bool ok = file.SetValue(section, "MODULE_ID", kModuleIdText);
  ok &= file.SetValue(section, "FWVER", fw);
  for (const auto& [key, value] : ParameterValues(record)) ok &= file.SetValue(section, key, value);
  if (!ok) return std::nullopt;
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
