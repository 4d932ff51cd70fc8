#include "ui/CConfiguratorDlg.h"

#include <QContextMenuEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>
#include <filesystem>
#include <system_error>

#include "config/ExportFile.h"
#include "config/ModuleConfig.h"
#include "config/ParameterCodec.h"
#include "platform/TextTable.h"
#include "platform/UiServices.h"
#include "ui/CAboutDlg.h"
#include "ui/CConfigTabCtrl.h"
#include "ui/CDataExchDlg.h"
#include "ui/CMailDlg.h"
#include "ui/CNTPDlg.h"
#include "ui/CProgressDlg.h"
#include "ui/CSNMPDlg.h"
#include "ui/CommTransfers.h"
#include "ui/DialogButtons.h"
#include "ui/DialogUnits.h"
#include "ui/PlaceholderPage.h"
#include "ui/SetCommPortEvent.h"
#include "ui/WindowRegistry.h"

namespace qx {
namespace {

constexpr const char* kFileFilter = "KM31QX File (*.qx1)";
constexpr const char* kFileExtension = "qx1";

constexpr TabPageRow kTabs[CConfiguratorDlg::kPageCount] = {
    {"TAB_DataExch", 102},
    {"TAB_NTP", 104},
    {"TAB_SNMP", 105},
    {"TAB_Mail", 106},
};

// Message texts may carry the two characters '\' 'n' for a line break.
std::string WithLineBreaks(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool lineBreak = text[i] == '\\' && i + 1 < text.size() && text[i + 1] == 'n';
    out += lineBreak ? '\n' : text[i];
    i += lineBreak ? 1 : 0;
  }
  return out;
}

}  // namespace

CConfiguratorDlg::CConfiguratorDlg(ConfiguratorContext& context, QWidget* parent)
    : QDialog(parent), context_(context), progress_(std::make_unique<CProgressDlgFactory>(this)) {
  setObjectName(QStringLiteral("configuratorDialog"));
  setWindowTitle(tr("QX Configurator"));
  setWindowFlags((windowFlags() | Qt::WindowSystemMenuHint | Qt::MSWindowsFixedSizeDialogHint) &
                 ~Qt::WindowContextHelpButtonHint);
  setModal(true);
  setSizeGripEnabled(false);
  BuildPages();
  BuildButtons();
  // A fixed-size modal frame: the layout sets the size, the user cannot change it.
  layout()->setSizeConstraint(QLayout::SetFixedSize);
  context_.session.CommManagerPort = kDefaultCommManagerPort;
  WindowRegistry::Register(this);
}

CConfiguratorDlg::~CConfiguratorDlg() {
  WindowRegistry::Unregister(this);
}

void CConfiguratorDlg::BuildPages() {
  tabs_ = new CConfigTabCtrl(this);
  tabs_->setObjectName(QStringLiteral("configTabCtrl"));
  auto* dataExchange = new CDataExchDlg(context_, tabs_);
  auto* ntp = new CNTPDlg(context_, tabs_);
  auto* snmp = new CSNMPDlg(context_, tabs_);
  auto* mail = new CMailDlg(context_, tabs_);
  const std::array<QWidget*, kPageCount> widgets = {dataExchange, ntp, snmp, mail};
  pages_ = {dataExchange, ntp, snmp, mail};
  for (int i = 0; i < kPageCount; ++i) {
    const std::string title = context_.texts.UiWord(kTabs[i].key);
    tabs_->AddPage(QString::fromUtf8(title), widgets[i], kTabs[i].templateId);
  }
  tabs_->CreatePages();
  tabs_->setMinimumSize(DluSize(this, 433, 220).expandedTo(tabs_->minimumSizeHint()));
}

void CConfiguratorDlg::BuildButtons() {
  auto* upload = DialogButton(tr("Upload"), "uploadButton", this);
  auto* download = DialogButton(tr("Download"), "downloadButton", this);
  auto* importFile = DialogButton(tr("Import File"), "importButton", this);
  auto* exportFile = DialogButton(tr("Export File"), "exportButton", this);
  auto* defaults = DialogButton(tr("Default"), "defaultButton", this);
  auto* help = DialogButton(tr("Help"), "helpButton", this);
  help->hide();  // in the layout, never shown
  auto* ok = DialogButton(tr("OK"), "okButton", this);
  MakeDefaultButton(ok);
  auto* cancel = DialogButton(tr("Cancel"), "cancelButton", this);
  for (QPushButton* b : {upload, download, importFile, exportFile, defaults, help, ok, cancel}) {
    b->setMinimumWidth(DluX(this, 50));
  }

  auto* side = new QVBoxLayout;
  SpaceButtons(side, this);
  side->addWidget(upload);
  side->addWidget(download);
  side->addStretch(1);
  side->addWidget(importFile);
  side->addWidget(exportFile);
  auto* line = new QFrame(this);
  line->setFrameShape(QFrame::HLine);
  line->setFrameShadow(QFrame::Sunken);
  auto* bottom = new QHBoxLayout;
  SpaceButtons(bottom, this);
  bottom->addWidget(defaults);
  bottom->addStretch(1);
  bottom->addWidget(help);
  bottom->addWidget(ok);
  bottom->addWidget(cancel);
  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(DluX(this, 7), DluY(this, 7), DluX(this, 7), DluY(this, 7));
  grid->setHorizontalSpacing(DluX(this, 7));
  grid->setVerticalSpacing(DluY(this, 7));
  grid->addWidget(tabs_, 0, 0);
  grid->addLayout(side, 0, 1);
  grid->addWidget(line, 1, 0, 1, 2);
  grid->addLayout(bottom, 2, 0, 1, 2);
  grid->setRowStretch(0, 1);
  grid->setColumnStretch(0, 1);

  connect(upload, &QPushButton::clicked, this, &CConfiguratorDlg::OnUpload);
  connect(download, &QPushButton::clicked, this, &CConfiguratorDlg::OnDownload);
  connect(importFile, &QPushButton::clicked, this, &CConfiguratorDlg::OnImportFile);
  connect(exportFile, &QPushButton::clicked, this, &CConfiguratorDlg::OnExportFile);
  connect(defaults, &QPushButton::clicked, this, &CConfiguratorDlg::OnDefault);
  connect(ok, &QPushButton::clicked, this, &CConfiguratorDlg::OnOK);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void CConfiguratorDlg::ShowMessage(const std::string& text) {
  context_.ui.ShowMessage(text, MessageButtons::kOk);
}

bool CConfiguratorDlg::StoreAllPages() {
  for (int i = 0; i < kPageCount; ++i) {
    if (!pages_[i]->ValidateAndStore()) {
      tabs_->SetActivePage(i);
      return false;
    }
  }
  return true;
}

bool CConfiguratorDlg::SaveModuleSection() {
  const SessionFields& s = context_.session;
  if (WriteParameters(context_.record, s.FirmwareVersion, context_.parameterFile, s.Rack, s.Slot, "")) {
    return true;
  }
  ShowMessage(tr("The project's parameter file could not be saved:\n%1\n\n"
                 "Your changes are still in this window. Make the file writable and press OK "
                 "again, or keep them with Export File.")
                  .arg(QString::fromStdString(context_.parameterFile.GetPathName()))
                  .toStdString());
  return false;
}

bool CConfiguratorDlg::ValidateAllPages() {
  if (!StoreAllPages()) return false;
  SaveModuleSection();
  return true;
}

void CConfiguratorDlg::RefreshAllPages() {
  for (ConfigPage* page : pages_) page->LoadFromRecord();
}

// The window stays open when the section could not be saved, so that
// closing it does not throw the edits away.
void CConfiguratorDlg::OnOK() {
  if (StoreAllPages() && SaveModuleSection()) accept();
}

void CConfiguratorDlg::OnDefault() {
  context_.record.SetDefaults();
  RefreshAllPages();
}

void CConfiguratorDlg::OnImportFile() {
  std::optional<std::string> path = context_.ui.ChooseOpenFile(kFileFilter);
  if (!path) return;
  int result = ReadParameters(context_.record, context_.parameterFile, 0, 0, *path);
  if (result == -1) ShowMessage(WithLineBreaks(context_.texts.Message("Msg13")));
  if (result == -2) ShowMessage(WithLineBreaks(context_.texts.Message("Msg9")));
  RefreshAllPages();
}

// An export writes what the pages show, so they are stored first (a rejected
// field stops the export on its page). It neither writes the project's
// parameter file nor closes the window: a user who only exports goes on
// editing, and Cancel still leaves the project as it was.
void CConfiguratorDlg::OnExportFile() {
  std::optional<std::string> path = context_.ui.ChooseSaveFile(kFileFilter, kFileExtension);
  if (!path) return;
  if (!StoreAllPages()) return;
  std::error_code error;
  if (std::filesystem::exists(*path, error) &&
      context_.ui.ShowMessage(context_.texts.Message("Msg8"), MessageButtons::kOkCancel, MessageIcon::kQuestion) !=
          MessageAnswer::kOk) {
    return;
  }
  if (!ExportParameterFile(context_.record, context_.session.FirmwareVersion, *path)) {
    ShowMessage(tr("The file could not be written:\n%1").arg(QString::fromStdString(*path)).toStdString());
  }
}

ModuleTransfers& CConfiguratorDlg::Transfers() {
  if (context_.transfers) return *context_.transfers;
  if (!commTransfers_) commTransfers_ = std::make_unique<CommTransfers>(context_, progress_.get());
  return *commTransfers_;
}

void CConfiguratorDlg::OnUpload() {
  const SessionFields& s = context_.session;
  ModuleTransfers& transfers = Transfers();
  int connection = transfers.Open(s.CommManagerPort);
  if (connection != -1) {
    int result = transfers.Upload(connection, s.TargetStation, s.Rack, s.Slot + 1);
    if (result >= 0) {
      ShowMessage(context_.texts.FormatMessage("Msg30", {s.Rack, s.Slot}));
      RefreshAllPages();
    } else {
      ShowMessage(context_.texts.FormatMessage("Msg28", {s.Rack, s.Slot}));
    }
  }
  transfers.Close(connection);
}

void CConfiguratorDlg::OnDownload() {
  if (!ValidateAllPages()) return;
  const SessionFields& s = context_.session;
  ModuleTransfers& transfers = Transfers();
  int connection = transfers.Open(s.CommManagerPort);
  if (connection != -1) {
    int result = transfers.Download(connection, s.TargetStation, s.Rack, s.Slot + 1);
    ShowMessage(context_.texts.FormatMessage(result >= 0 ? "Msg31" : "Msg29", {s.Rack, s.Slot}));
  }
  transfers.Close(connection);
}

void CConfiguratorDlg::OnAbout() {
  CAboutDlg about(this, &context_.ui);
  about.exec();
}

void CConfiguratorDlg::OnSetCommPort(uintptr_t wParam) {
  context_.session.CommManagerPort = static_cast<int32_t>(wParam);
}

void CConfiguratorDlg::customEvent(QEvent* event) {
  if (event->type() == SetCommPortEvent::kType) {
    OnSetCommPort(static_cast<SetCommPortEvent*>(event)->WParam());
    event->accept();
    return;
  }
  QDialog::customEvent(event);
}

// The About box has no button of its own; the window's context menu offers it.
void CConfiguratorDlg::contextMenuEvent(QContextMenuEvent* event) {
  QMenu menu(this);
  menu.addAction(tr("About KM-31QX-C1..."), this, &CConfiguratorDlg::OnAbout);
  menu.exec(event->globalPos());
}

}  // namespace qx
