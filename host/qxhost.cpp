// qxhost: the host stand-in. It loads the plug-in library with dlopen,
// resolves the five exports by name, and calls them in the order given on
// the command line, all in one process, because the library keeps its
// record and limits between calls as it does inside the real host.
#include <dlfcn.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/exports/Exports.h"
#include "host/WindowPort.h"
#include "platform/Numbers.h"

namespace {

constexpr int kExitOk = 0;
constexpr int kExitCallFailed = 1;
constexpr int kExitUsage = 2;
constexpr int kExitNoLibrary = 3;

constexpr char kUsage[] = R"(usage: qxhost [--lib PATH] CALL [CALL ...]

Loads the KM31QX-2C plug-in (default: libqx31.so next to qxhost, else the
installed plug-in of the tree qxhost is installed in) and makes
the calls in order, in one process, as the hardware-configuration tool does.
BASE is a project path without extension (BASE.ini is the host's project
file); POS a module position: "13" (rack 1, slot index 3), "111", "SLOT13",
or "00" for every module of this type in rack 1. Numbers may be decimal or
hexadecimal with 0x.

calls:
  show BASE POS LANG FW [--port PORT]
                           ShowDialog_31QX(BASE, POS, 0, LANG, FW): opens the
                           configurator window (LANG 0x0404 traditional,
                           0x0804 simplified Chinese, else English); with
                           --port, the host's "set port" message (WM_USER +
                           201) carrying PORT reaches the window once it is
                           open, so that its Upload and Download go through
                           the communication manager on local port PORT
  upload BASE POS PORT     Upload_31QX: modules -> project, through the
                           communication manager on local port PORT
  download BASE POS PORT   Download_31QX: project -> modules
  set-limits R W           SetDataExchangeLenMax_31QX(R, W)
  clear-limits             ClearDataExchangeLenMax_31QX()
  post-port PORT           the "set port" message to the window of every
                           later show call (a show's own --port wins)

Each call's result is printed, and whether the "set port" message was
posted. Without a display the plug-in opens no window, so none is posted.
Exit status: 0 when every call completed, 1 when an upload or download
reported failure, 2 for a bad command line, 3 when the library or one of
its exports could not be loaded.
)";

constexpr char kPortOption[] = "--port";

struct Call {
  std::string name;
  std::vector<std::string> texts;  // BASE, POS
  std::vector<long long> numbers;
  std::optional<long long> port;  // show: its own "set port" message
};

struct Exports {
  ShowDialog31QxFn show = nullptr;
  Transfer31QxFn upload = nullptr;
  Transfer31QxFn download = nullptr;
  SetLenMax31QxFn setLimits = nullptr;
  ClearLenMax31QxFn clearLimits = nullptr;
};

// Argument kinds of each call: 't' text, 'n' 32-bit number.
std::optional<std::string_view> Signature(std::string_view name) {
  if (name == "show") return "ttnn";
  if (name == "upload" || name == "download") return "ttn";
  if (name == "set-limits") return "nn";
  if (name == "clear-limits") return "";
  if (name == "post-port") return "n";
  return std::nullopt;
}

// A whole-token integer that fits 32 bits, signed or unsigned: decimal or
// 0x hexadecimal, as the help says (a leading 0 is no octal mark).
std::optional<long long> ParseNumber(const std::string& text) {
  return qx::ParseWholeSignedNumber(text);
}

int UsageError(const std::string& message) {
  std::fprintf(stderr, "qxhost: %s\n(qxhost --help lists the calls)\n", message.c_str());
  return kExitUsage;
}

#ifndef QX_INSTALLED_PLUGIN
#define QX_INSTALLED_PLUGIN "../lib/km31qx2c/libqx31.so"
#endif

// libqx31.so beside qxhost (the build tree), else the plug-in of the install
// tree qxhost sits in.
std::string DefaultLibrary() {
  std::vector<char> buffer(PATH_MAX + 1);
  const ssize_t n = readlink("/proc/self/exe", buffer.data(), PATH_MAX);
  if (n <= 0) return "./libqx31.so";
  std::string path(buffer.data(), static_cast<size_t>(n));
  const std::string folder = path.substr(0, path.rfind('/') + 1);
  const std::string beside = folder + "libqx31.so";
  if (access(beside.c_str(), F_OK) == 0) return beside;
  return folder + QX_INSTALLED_PLUGIN;
}

template <typename Fn>
bool Resolve(void* library, const char* name, Fn& fn) {
  fn = reinterpret_cast<Fn>(dlsym(library, name));
  if (fn == nullptr) std::fprintf(stderr, "qxhost: the library has no export %s\n", name);
  return fn != nullptr;
}

bool ResolveAll(void* library, Exports& e) {
  bool ok = Resolve(library, "ShowDialog_31QX", e.show);
  ok = Resolve(library, "Upload_31QX", e.upload) && ok;
  ok = Resolve(library, "Download_31QX", e.download) && ok;
  ok = Resolve(library, "SetDataExchangeLenMax_31QX", e.setLimits) && ok;
  ok = Resolve(library, "ClearDataExchangeLenMax_31QX", e.clearLimits) && ok;
  return ok;
}

int32_t I32(long long v) {
  return static_cast<int32_t>(v);
}
uint32_t U32(long long v) {
  return static_cast<uint32_t>(v);
}

// The port of the "set port" message a show call delivers, if any: its
// own, else the last post-port.
std::optional<long long> HostPort(const Call& show, const std::optional<long long>& posted) {
  return show.port ? show.port : posted;
}

void Show(const Exports& e, const Call& c, const std::optional<long long>& port) {
  std::printf("ShowDialog_31QX(\"%s\", \"%s\", 0, 0x%04X, 0x%X)\n", c.texts[0].c_str(), c.texts[1].c_str(),
              U32(c.numbers[0]), U32(c.numbers[1]));
  std::fflush(stdout);
  if (port) qxhost::BeginSetPortDelivery(U32(*port));
  e.show(c.texts[0].c_str(), c.texts[1].c_str(), 0, U32(c.numbers[0]), U32(c.numbers[1]));
  const bool posted = port && qxhost::EndSetPortDelivery();
  std::printf("ShowDialog_31QX returned\n");
  if (port && !posted) {
    std::printf("set port %u not posted: %s\n", U32(*port),
                qxhost::CanDeliverSetPort() ? "no configurator window was open"
                                            : "this qxhost was built without the window layer");
  }
}

// Runs one call; false when it reported failure. post-port keeps its port
// in hostPort for the later show calls.
bool Run(const Exports& e, const Call& c, std::optional<long long>& hostPort) {
  if (c.name == "show") {
    Show(e, c, HostPort(c, hostPort));
    return true;
  }
  if (c.name == "upload" || c.name == "download") {
    const bool up = c.name == "upload";
    const char* name = up ? "Upload_31QX" : "Download_31QX";
    std::printf("%s(\"%s\", \"%s\", %d)\n", name, c.texts[0].c_str(), c.texts[1].c_str(), I32(c.numbers[0]));
    std::fflush(stdout);
    const unsigned char r =
        (up ? e.upload : e.download)(c.texts[0].c_str(), c.texts[1].c_str(), I32(c.numbers[0]));
    std::printf("%s returned %u (%s)\n", name, r, r == 0 ? "completed" : "failed");
    return r == 0;
  }
  if (c.name == "set-limits") {
    e.setLimits(I32(c.numbers[0]), I32(c.numbers[1]));
    std::printf("SetDataExchangeLenMax_31QX(%d, %d) returned\n", I32(c.numbers[0]), I32(c.numbers[1]));
    return true;
  }
  if (c.name == "clear-limits") {
    e.clearLimits();
    std::printf("ClearDataExchangeLenMax_31QX() returned\n");
    return true;
  }
  hostPort = c.numbers[0];
  std::printf("post-port %u: posted to the window of each later show call\n", U32(c.numbers[0]));
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  std::string library = DefaultLibrary();
  std::vector<Call> calls;
  for (size_t i = 0; i < args.size();) {
    const std::string& word = args[i++];
    if (word == "--help" || word == "-h") {
      std::fputs(kUsage, stdout);
      return kExitOk;
    }
    if (word == "--lib") {
      if (i >= args.size()) return UsageError("--lib needs a PATH");
      library = args[i++];
      continue;
    }
    const std::optional<std::string_view> signature = Signature(word);
    if (!signature) return UsageError("unknown call '" + word + "'");
    Call call{word, {}, {}};
    for (char kind : *signature) {
      if (i >= args.size())
        return UsageError("'" + word + "' needs " + std::to_string(signature->size()) + " arguments");
      const std::string& value = args[i++];
      if (kind == 't') {
        call.texts.push_back(value);
        continue;
      }
      const std::optional<long long> number = ParseNumber(value);
      if (!number) return UsageError("'" + word + "': '" + value + "' is not a 32-bit number");
      call.numbers.push_back(*number);
    }
    if (word == "show" && i < args.size() && args[i] == kPortOption) {
      if (++i >= args.size()) return UsageError("'show --port' needs a PORT");
      call.port = ParseNumber(args[i]);
      if (!call.port) return UsageError("'show --port': '" + args[i] + "' is not a 32-bit number");
      ++i;
    }
    calls.push_back(std::move(call));
  }
  if (calls.empty()) return UsageError("no call given");

  void* handle = dlopen(library.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) {
    std::fprintf(stderr, "qxhost: cannot load %s: %s\n", library.c_str(), dlerror());
    return kExitNoLibrary;
  }
  Exports exports;
  if (!ResolveAll(handle, exports)) return kExitNoLibrary;

  int status = kExitOk;
  std::optional<long long> hostPort;
  for (const Call& call : calls) {
    if (!Run(exports, call, hostPort)) status = kExitCallFailed;
    std::fflush(stdout);
  }
  dlclose(handle);
  return status;
}
