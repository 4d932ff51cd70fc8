// CModuleConfigApp: the plug-in's one application object. It owns all state
// kept between the host's calls (the record, the three profile files, the
// communication library object, the paths, the session fields and the
// host's data-exchange limits) and runs the show-dialog flow and the
// exported transfers on it. The library holds one instance for its whole
// life (app/exports/Exports.cpp); tests make their own.
//
// Plain C++: the window toolkit is reached only through the
// ConfiguratorWindowOpener and UiServices given to it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "comm/XferKit.h"
#include "config/HostProject.h"
#include "config/ModuleConfig.h"
#include "platform/ProfileFile.h"
#include "platform/TextTable.h"
#include "platform/UiServices.h"
#include "ui/ConfiguratorContext.h"

namespace qx {

class ConfiguratorWindowOpener;

inline constexpr uint32_t kLanguageTraditionalChinese = 0x0404;
inline constexpr uint32_t kLanguageSimplifiedChinese = 0x0804;
inline constexpr char kRackSlotError[] = "Rack & Slot number error";

class CModuleConfigApp {
 public:
  // Record all zero, limits absent, nothing bound; InitInstance does the rest.
  CModuleConfigApp();
  ~CModuleConfigApp();
  CModuleConfigApp(const CModuleConfigApp&) = delete;
  CModuleConfigApp& operator=(const CModuleConfigApp&) = delete;

  // Session fields to their initial values, record to its defaults. True.
  bool InitInstance();

  // ---- The exported calls --------------------------------------------------
  // Prepares the session for the module at position (PrepareDialogSession)
  // and opens the configurator window on it. The window layer alone decides
  // whether a window can be shown (a host with a QApplication of its own
  // gets one without DISPLAY). Without a window opener, or when it shows no
  // window, one line on standard error says so, and whether the module's
  // section is ready in the parameter file or could not be written (and why).
  void ShowDialog(std::string_view basePath, std::string_view position, int32_t ignored, uint32_t language,
                  uint32_t firmware);
  // app/TransferEntry.h on this object's state.
  bool UploadEntry(std::string_view basePath, std::string_view position, int port);
  bool DownloadEntry(std::string_view basePath, std::string_view position, int port);
  // Discards the limits set before, then keeps both.
  void SetDataExchangeLenMax(int readMax, int writeMax);
  void ClearDataExchangeLenMax();

  // The show-dialog flow up to the window: position, language, target
  // settings, parameter file, and the module's section loaded into the
  // record. True when the window is to open; false after the flow reported
  // why not ("Rack & Slot number error", "Msg2", "Msg1").
  bool PrepareDialogSession(std::string_view basePath, std::string_view position, uint32_t language,
                            uint32_t firmware);

  // ---- Hooks for the window layer (not owned; null returns to the default) --
  void SetWindowOpener(ConfiguratorWindowOpener* opener) { opener_ = opener; }
  // Message boxes and file choosers: the given services, or HeadlessUi.
  void SetUiServices(UiServices* ui) { ui_ = ui; }
  UiServices& Ui() { return ui_ != nullptr ? *ui_ : headlessUi_; }

  // What the configurator window works on.
  ConfiguratorContext WindowContext();

  // ---- State ---------------------------------------------------------------
  const std::optional<int>& ReadLenMax() const { return readLenMax_; }
  const std::optional<int>& WriteLenMax() const { return writeLenMax_; }
  CXferKit& CommLink() { return commLink_; }
  // The translation of the chosen language (the language folder's
  // "KM31QX-2C_CHT.qm" or "_CHS.qm"), which the window layer installs; empty
  // for the built-in English texts.
  const std::string& TranslationPath() const { return resourceSource_; }
  // The translation file loaded last, kept once loaded.
  const std::string& LanguageResources() const { return languageResources_; }
  CProfileFile& ProjectFile() { return projectFile_; }
  CProfileFile& TextTableFile() { return textTableFile_; }
  CProfileFile& ParameterFile() { return parameterFile_; }
  const CTextTable& Texts() const { return texts_; }
  const std::string& ModuleName() const { return moduleName_; }
  const std::string& ProjectBasePath() const { return projectBasePath_; }
  const std::string& ModuleDirectory() const { return moduleDirectory_; }
  const std::string& ProjectFilePath() const { return projectFilePath_; }
  const std::string& ParameterFilePath() const { return parameterFilePath_; }
  ModuleConfig& Record() { return record_; }
  SessionFields& Session() { return session_; }

 private:
  ProjectContext Project();
  // Binds the text table (and chooses the translation) of the language.
  void SelectLanguage(uint32_t language, const std::string& languageFolder);
  // Without any table bound yet, the English one, so that messages have a text.
  void EnsureTextTable();
  // False when a change to the parameter file could not be saved.
  bool PrepareParameterFile(ProjectContext& project);
  void OpenConfiguratorWindow();

  std::optional<int> readLenMax_;
  std::optional<int> writeLenMax_;
  CXferKit commLink_;
  // The own resources are the built-in English texts: an empty resource source.
  std::string languageResources_;
  std::string resourceSource_;
  CProfileFile projectFile_;
  CProfileFile textTableFile_;
  CProfileFile parameterFile_;
  std::string moduleName_ = "KM31QX-2C";
  std::string projectBasePath_;
  std::string moduleDirectory_;
  std::string projectFilePath_;
  std::string parameterFilePath_;
  ModuleConfig record_;
  SessionFields session_;
  bool parameterFileSaved_ = false;  // the last show call's file steps were all saved

  CTextTable texts_{textTableFile_};
  HeadlessUi headlessUi_;
  UiServices* ui_ = nullptr;
  ConfiguratorWindowOpener* opener_ = nullptr;
};

}  // namespace qx
