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
  projectBasePath_ = std::string(basePath);
  session_.Interactive = true;
  if (!AcceptedPosition(position, session_)) {
    Ui().ShowMessage(kRackSlotError, MessageButtons::kOk);
    return false;
  }

  const std::string dataDirectory = DataDirectory();
  moduleDirectory_ = dataDirectory + "Module/";
  SelectLanguage(language, dataDirectory + moduleName_ + "/");
  EnsureTextTable();
  Ui().SetTranslation(resourceSource_);

  ProjectContext project = Project();
  if (!LoadTargetSettings(project, projectBasePath_)) {
    Ui().ShowMessage(texts_.Message("Msg2"), MessageButtons::kOk);
    return false;
  }
  if (!PrepareParameterFile(project)) {
    Ui().ShowMessage(texts_.Message("Msg1"), MessageButtons::kOk);
    return false;
  }
  return ReadParameters(record_, parameterFile_, session_.Rack, session_.Slot, "") != 0;
}

bool CModuleConfigApp::PrepareParameterFile(ProjectContext& project) {
  const int rack = session_.Rack;
  const int slot = session_.Slot;
  parameterFileSaved_ = true;
  if (ParameterFileExists(project)) {
    parameterFile_.SetPathName(parameterFilePath_.c_str());
    parameterFileSaved_ = ReconcileParameterFile(project);
    if (!StoredSynchIdText(project, rack, slot).empty()) return true;
  } else {
    if (!CreateParameterFile(parameterFilePath_)) return false;
    parameterFile_.SetPathName(parameterFilePath_.c_str());
  }
  if (!CreateModuleSection(project, rack, slot, ProjectSynchId(project, rack, slot), session_.FirmwareVersion)) {
    parameterFileSaved_ = false;
  }
  return true;
}

void CModuleConfigApp::SelectLanguage(uint32_t language, const std::string& languageFolder) {
  const char* suffix = nullptr;
  if (language == kLanguageTraditionalChinese) suffix = "_CHT";
  if (language == kLanguageSimplifiedChinese) suffix = "_CHS";
  if (suffix == nullptr) {
    resourceSource_.clear();
    textTableFile_.SetPathName((languageFolder + moduleName_ + "UI.ini").c_str());
    return;
  }
  // A missing translation changes nothing: texts stay as they were.
  const std::string translation = languageFolder + moduleName_ + suffix + ".qm";
  if (!PathExists(translation)) return;
  languageResources_ = translation;
  resourceSource_ = translation;
  textTableFile_.SetPathName((languageFolder + moduleName_ + "UI" + suffix + ".ini").c_str());
}

void CModuleConfigApp::EnsureTextTable() {
  if (textTableFile_.IsBound()) return;
  const std::string table = DataDirectory() + moduleName_ + "/" + moduleName_ + "UI.ini";
  textTableFile_.SetPathName(table.c_str());
}

void CModuleConfigApp::OpenConfiguratorWindow() {
  if (opener_ != nullptr && opener_->Open(*this)) return;
  const std::string section = SlotSectionName(session_.Rack, session_.Slot);
  if (parameterFileSaved_) {
    std::fprintf(stderr, "%s: no configurator window can be opened here; %s of %s is ready in %s\n",
                 moduleName_.c_str(), section.c_str(), projectBasePath_.c_str(), parameterFilePath_.c_str());
  } else {
    std::fprintf(stderr,
                 "%s: no configurator window can be opened here; %s of %s could not be written to %s: %s\n",
                 moduleName_.c_str(), section.c_str(), projectBasePath_.c_str(), parameterFilePath_.c_str(),
                 UnwritableReason(parameterFilePath_).c_str());
  }
  std::fflush(stderr);
}

bool CModuleConfigApp::UploadEntry(std::string_view basePath, std::string_view position, int port) {
  EnsureTextTable();
  ProjectContext project = Project();
  TransferEntryContext entry{project, commLink_, Ui(), texts_};
  return qx::UploadEntry(entry, std::string(basePath), position, port);
}

bool CModuleConfigApp::DownloadEntry(std::string_view basePath, std::string_view position, int port) {
  EnsureTextTable();
  ProjectContext project = Project();
  TransferEntryContext entry{project, commLink_, Ui(), texts_};
  return qx::DownloadEntry(entry, std::string(basePath), position, port);
}

void CModuleConfigApp::SetDataExchangeLenMax(int readMax, int writeMax) {
  ClearDataExchangeLenMax();
  readLenMax_ = readMax;
  writeLenMax_ = writeMax;
}

void CModuleConfigApp::ClearDataExchangeLenMax() {
  readLenMax_.reset();
  writeLenMax_.reset();
}

ConfiguratorContext CModuleConfigApp::WindowContext() {
  return ConfiguratorContext{record_,          session_,    parameterFile_,  texts_,
                             commLink_,        Ui(),        resourceSource_, projectBasePath_,
                             moduleDirectory_, readLenMax_, writeLenMax_,    nullptr};
}

ProjectContext CModuleConfigApp::Project() {
  return ProjectContext{projectFile_, parameterFile_,   record_,
                        session_,     projectFilePath_, parameterFilePath_};
}

}  // namespace qx
