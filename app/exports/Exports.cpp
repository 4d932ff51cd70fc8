// The library's entry points: the one application object, made when the
// library is loaded, and the five exports that forward to it. Nothing thrown
// inside may cross into the host, so each export catches everything and
// gives its failure value.
#include "app/exports/Exports.h"

#include <cstdio>
#include <exception>

#include "app/ModuleConfigApp.h"
#include "app/exports/WindowGlue.h"

namespace qx {
namespace {

constexpr unsigned char kCompleted = 0;
constexpr unsigned char kFailed = 1;

void ReportInternalError(const char* where) {
  std::fprintf(stderr, "KM31QX-2C: internal error in %s; the call was abandoned\n", where);
  std::fflush(stderr);
}

// Null while the object could not be made; every export then fails quietly.
CModuleConfigApp* MakeApp() noexcept {
  try {
    static CModuleConfigApp app;
    app.InitInstance();
    InstallWindowLayer(app);
    return &app;
  } catch (...) {
    ReportInternalError("start-up");
    return nullptr;
  }
}

CModuleConfigApp* const theApp = MakeApp();

const char* Text(const char* text) {
  return text != nullptr ? text : "";
}

}  // namespace
}  // namespace qx

using qx::theApp;

extern "C" {

QX_EXPORT void QX_STDCALL ShowDialog_31QX(const char* basePath, const char* position, int32_t unused,
                                          uint32_t language, uint32_t firmwareVersion) {
  try {
    if (theApp != nullptr)
      theApp->ShowDialog(qx::Text(basePath), qx::Text(position), unused, language, firmwareVersion);
  } catch (...) {
    qx::ReportInternalError("ShowDialog_31QX");
  }
}

QX_EXPORT unsigned char QX_STDCALL Upload_31QX(const char* basePath, const char* position, int32_t port) {
  try {
    if (theApp == nullptr) return qx::kFailed;
    return theApp->UploadEntry(qx::Text(basePath), qx::Text(position), port) ? qx::kCompleted : qx::kFailed;
  } catch (...) {
    qx::ReportInternalError("Upload_31QX");
    return qx::kFailed;
  }
}

QX_EXPORT unsigned char QX_STDCALL Download_31QX(const char* basePath, const char* position, int32_t port) {
  try {
    if (theApp == nullptr) return qx::kFailed;
    return theApp->DownloadEntry(qx::Text(basePath), qx::Text(position), port) ? qx::kCompleted : qx::kFailed;
  } catch (...) {
    qx::ReportInternalError("Download_31QX");
    return qx::kFailed;
  }
}

QX_EXPORT void QX_STDCALL SetDataExchangeLenMax_31QX(int32_t readMax, int32_t writeMax) {
  try {
    if (theApp != nullptr) theApp->SetDataExchangeLenMax(readMax, writeMax);
  } catch (...) {
    qx::ReportInternalError("SetDataExchangeLenMax_31QX");
  }
}

QX_EXPORT void QX_STDCALL ClearDataExchangeLenMax_31QX(void) {
  try {
    if (theApp != nullptr) theApp->ClearDataExchangeLenMax();
  } catch (...) {
    qx::ReportInternalError("ClearDataExchangeLenMax_31QX");
  }
}

}  // extern "C"
