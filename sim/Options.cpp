#include "sim/Options.h"

#include <cstdlib>

#include "platform/Numbers.h"

namespace qx::sim {
namespace {

constexpr const char* kHelp = R"(usage: qxcommd --plant FILE [options]

Simulates the host's communication manager and the KM31QX-2C modules behind
it on 127.0.0.1, speaking the manager's envelope protocol: read (0x4254) and
write (0x4253) request frames, reply status 0x0100 on success.

options:
  --plant FILE        where modules sit (required); an INI file with one
                      section per station and one key per rack listing slot
                      numbers as the frames carry them (slot index + 1):
                        [STATION1]
                        RACK1=3,8
  --port N            TCP port on 127.0.0.1 (default 8895); 0 picks a free
                      port. The port is printed on standard output as
                      "qxcommd: listening on 127.0.0.1:N".
  --state DIR         keep each module's 10180-byte image in DIR as
                      station<S>_rack<R>_slot<N>.img: loaded at start (a
                      missing file gives the default configuration), saved
                      atomically before each write is acknowledged. Without
                      it the images live in memory only.
  --ready-file PATH   once listening, write the port and a newline to PATH
                      (atomically; removed again on a clean exit), so that
                      scripts wait on the file rather than on time.
  --latency MS        every reply is sent MS ms (0..60000) after its request
                      arrived, as over a slow network; each connection's
                      replies wait on their own, so the others are not held
                      up
  --trace             one line per request, reply and fault on standard error.
  --fault N:KIND      inject a fault into the N-th request received (counted
                      from 1 over all connections); may be repeated. KIND:
                        drop          executed; no reply is sent
                        delay:MS      executed; the reply comes MS ms late
                        status[:CODE] not executed; reply status CODE
                                      (default 0x0101)
                        echo          executed; the reply echoes the other
                                      operation (read <-> write)
                        truncate[:N]  executed; reply frame cut to N bytes
                                      (default 2)
                        malformed     executed; the reply envelope's magic
                                      is wrong
                        close         not executed; the connection is closed
                        dup           executed; the reply is sent twice
                        empty         executed; the reply carries its status
                                      and an empty frame
                        trickle:MS    executed; the reply goes out 4 bytes
                                      at a time, MS ms apart
  --fault-rate P      also inject a random fault (one of the kinds above with
                      its default, delay:100, trickle:10) into each request
                      with probability P (0..1)
  --seed S            seed of the random faults (default 1)
  --help              this text

failure statuses of well-formed envelopes:
  0x0101  no module at the frame's station, rack and slot number
  0x0102  unknown operation
  0x0103  length field disagreeing with the frame (or frame under 15 bytes,
          a read carrying data, write data not 2 x count bytes)
  0x0104  register count 0 or above 490
  0x0105  registers not all inside one block of the register map:
          0x10001000 +64 header, 0x10001040 +4096 items, 0x10000000 +16 NTP,
          0x10000100 +144 SNMP, 0x10004000 +770 mail
  0x0106  the written image could not be saved in the state folder
A malformed request envelope (wrong magic or kind, body under 12 or over
1600 bytes) closes its connection.

SIGINT and SIGTERM stop the daemon cleanly (exit status 0). Exit status 2:
bad options, plant file or state folder; 1: cannot listen.
)";

// Decimal, or hexadecimal with 0x; no sign (every option here is 0 or more).
std::optional<long long> ParseInteger(const std::string& text) {
  return ParseWholeNumber(text);
}

std::optional<double> ParseRate(const std::string& text) {
  char* end = nullptr;
  const double value = std::strtod(text.c_str(), &end);
  if (text.empty() || *end != '\0' || !(value >= 0 && value <= 1)) return std::nullopt;
  return value;
}

}  // namespace

const char* HelpText() {
  return kHelp;
}

std::optional<Options> ParseOptions(const std::vector<std::string>& args, std::string& error) {
  Options o;
  double rate = 0;
  long long seed = 1;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--help" || a == "-h") {
      o.help = true;
      return o;
    }
    if (a == "--trace") {
      o.trace = true;
      continue;
    }
    if (i + 1 >= args.size()) {
      error = a.rfind("--", 0) == 0 ? a + " needs a value" : "unexpected argument " + a;
      return std::nullopt;
    }
    const std::string& v = args[++i];
    if (a == "--plant") {
      o.plant = v;
    } else if (a == "--state") {
      o.state = v;
    } else if (a == "--ready-file") {
      o.readyFile = v;
    } else if (a == "--port") {
      const auto port = ParseInteger(v);
      if (!port || *port < 0 || *port > 65535) {
        error = "--port " + v + ": not a port 0..65535";
        return std::nullopt;
      }
      o.port = static_cast<int>(*port);
    } else if (a == "--latency") {
      const auto ms = ParseInteger(v);
      if (!ms || *ms < 0 || *ms > 60000) {
        error = "--latency " + v + ": expected milliseconds 0..60000";
        return std::nullopt;
      }
      o.latencyMs = static_cast<int>(*ms);
    } else if (a == "--fault") {
      const auto fault = ParseFaultOption(v);
      if (!fault) {
        error = "--fault " + v + ": expected N:KIND[:ARG]";
        return std::nullopt;
      }
      if (!o.faults.Add(fault->first, fault->second)) {
        error = "--fault " + v + ": request " + std::to_string(fault->first) + " already has a fault";
        return std::nullopt;
      }
    } else if (a == "--fault-rate") {
      const auto r = ParseRate(v);
      if (!r) {
        error = "--fault-rate " + v + ": expected a probability 0..1";
        return std::nullopt;
      }
      rate = *r;
    } else if (a == "--seed") {
      const auto s = ParseInteger(v);
      if (!s || *s < 0 || *s > 0xFFFFFFFFLL) {
        error = "--seed " + v + ": expected 0..4294967295";
        return std::nullopt;
      }
      seed = *s;
    } else {
      error = "unknown option " + a;
      return std::nullopt;
    }
  }
  if (o.plant.empty()) {
    error = "--plant FILE is required";
    return std::nullopt;
  }
  o.faults.SetRandom(rate, static_cast<uint32_t>(seed));
  return o;
}

}  // namespace qx::sim
