#include "app/ModuleConfigApp.h"

#include <cstdio>

#include "app/ConfiguratorWindow.h"
#include "app/TransferEntry.h"
#include "config/ParameterCodec.h"
#include "config/Reconciliation.h"
#include "config/SlotPosition.h"
#include "platform/Paths.h"

namespace qx {
namespace {

constexpr int32_t kOnlyRack = 1;
constexpr int32_t kLastSlot = kSlotsPerRack - 1;

// A position the flow can work on. A text ParseSlotPosition does not accept
// would leave the position of an earlier call in place and open that module,
// and a negative slot (from "1-1") names no slot, so both are refused too.
bool AcceptedPosition(std::string_view position, SessionFields& session) {
  if (!ParseSlotPosition(position, session.Rack, session.Slot)) return false;
  return session.Rack == kOnlyRack && session.Slot >= 0 && session.Slot <= kLastSlot;
}

}  // namespace

CModuleConfigApp::CModuleConfigApp() = default;
CModuleConfigApp::~CModuleConfigApp() = default;

bool CModuleConfigApp::InitInstance() {
  session_ = SessionFields{};
  record_.SetDefaults();
  return true;
}

void CModuleConfigApp::ShowDialog(std::string_view basePath, std::string_view position, int32_t /*ignored*/,
                                  uint32_t language, uint32_t firmware) {
  if (PrepareDialogSession(basePath, position, language, firmware)) OpenConfiguratorWindow();
}

bool CModuleConfigApp::PrepareDialogSession(std::string_view basePath, std::string_view position,
                                            uint32_t language, uint32_t firmware) {
  session_.FirmwareVersion = firmware;
  project_base_path_ = std::string(basePath);
  session_.Interactive = true;
  if (!AcceptedPosition(position, session_)) {
    Ui().ShowMessage(kRackSlotError, MessageButtons::kOk);
    return false;
  }

  const std::string dataDirectory = DataDirectory();
  module_directory_ = dataDirectory + "Module/";
  SelectLanguage(language, dataDirectory + module_name_ + "/");
  EnsureTextTable();
  Ui().SetTranslation(resource_source_);

  ProjectContext project = Project();
  if (!LoadTargetSettings(project, project_base_path_)) {
    Ui().ShowMessage(texts_.Message("Msg2"), MessageButtons::kOk);
    return false;
  }
  if (!PrepareParameterFile(project)) {
    Ui().ShowMessage(texts_.Message("Msg1"), MessageButtons::kOk);
    return false;
  }
  return ReadParameters(record_, parameter_file_, session_.Rack, session_.Slot, "") != 0;
}

bool CModuleConfigApp::PrepareParameterFile(ProjectContext& project) {
  const int rack = session_.Rack;
  const int slot = session_.Slot;
  parameter_file_saved_ = true;
  if (ParameterFileExists(project)) {
    parameter_file_.SetPathName(parameter_file_path_.c_str());
    parameter_file_saved_ = ReconcileParameterFile(project);
    if (!StoredSynchIdText(project, rack, slot).empty()) return true;
  } else {
    if (!CreateParameterFile(parameter_file_path_)) return false;
    parameter_file_.SetPathName(parameter_file_path_.c_str());
  }
  if (!CreateModuleSection(project, rack, slot, ProjectSynchId(project, rack, slot), session_.FirmwareVersion)) {
    parameter_file_saved_ = false;
  }
  return true;
}

void CModuleConfigApp::SelectLanguage(uint32_t language, const std::string& languageFolder) {
  const char* suffix = nullptr;
  if (language == kLanguageTraditionalChinese) suffix = "_CHT";
  if (language == kLanguageSimplifiedChinese) suffix = "_CHS";
  if (suffix == nullptr) {
    resource_source_.clear();
    text_table_file_.SetPathName((languageFolder + module_name_ + "UI.ini").c_str());
    return;
  }
  // A missing translation changes nothing: texts stay as they were.
  const std::string translation = languageFolder + module_name_ + suffix + ".qm";
  if (!PathExists(translation)) return;
  language_resources_ = translation;
  resource_source_ = translation;
  text_table_file_.SetPathName((languageFolder + module_name_ + "UI" + suffix + ".ini").c_str());
}

void CModuleConfigApp::EnsureTextTable() {
  if (text_table_file_.IsBound()) return;
  const std::string table = DataDirectory() + module_name_ + "/" + module_name_ + "UI.ini";
  text_table_file_.SetPathName(table.c_str());
}

void CModuleConfigApp::OpenConfiguratorWindow() {
  if (opener_ != nullptr && opener_->Open(*this)) return;
  const std::string section = SlotSectionName(session_.Rack, session_.Slot);
  if (parameter_file_saved_) {
    std::fprintf(stderr, "%s: no configurator window can be opened here; %s of %s is ready in %s\n",
                 module_name_.c_str(), section.c_str(), project_base_path_.c_str(), parameter_file_path_.c_str());
  } else {
    std::fprintf(stderr, "%s: no configurator window can be opened here; %s of %s could not be written to %s: %s\n",
                 module_name_.c_str(), section.c_str(), project_base_path_.c_str(), parameter_file_path_.c_str(),
                 UnwritableReason(parameter_file_path_).c_str());
  }
  std::fflush(stderr);
}

bool CModuleConfigApp::UploadEntry(std::string_view basePath, std::string_view position, int port) {
  EnsureTextTable();
  ProjectContext project = Project();
  TransferEntryContext entry{project, comm_link_, Ui(), texts_};
  return qx::UploadEntry(entry, std::string(basePath), position, port);
}

bool CModuleConfigApp::DownloadEntry(std::string_view basePath, std::string_view position, int port) {
  EnsureTextTable();
  ProjectContext project = Project();
  TransferEntryContext entry{project, comm_link_, Ui(), texts_};
  return qx::DownloadEntry(entry, std::string(basePath), position, port);
}

void CModuleConfigApp::SetDataExchangeLenMax(int readMax, int writeMax) {
  ClearDataExchangeLenMax();
  read_len_max_ = readMax;
  write_len_max_ = writeMax;
}

void CModuleConfigApp::ClearDataExchangeLenMax() {
  read_len_max_.reset();
  write_len_max_.reset();
}

ConfiguratorContext CModuleConfigApp::WindowContext() {
  return ConfiguratorContext{record_,           session_,      parameter_file_,  texts_,
                             comm_link_,        Ui(),          resource_source_, project_base_path_,
                             module_directory_, read_len_max_, write_len_max_,   nullptr};
}

ProjectContext CModuleConfigApp::Project() {
  return ProjectContext{project_file_, parameter_file_,    record_,
                        session_,      project_file_path_, parameter_file_path_};
}

}  // namespace qx
