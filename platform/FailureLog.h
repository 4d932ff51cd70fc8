// FailureLog: the trace of failed transfers that an engineer reads when an
// upload or download fails in the field. The message boxes say that a
// transfer failed; the trace says why (which module, which block, which
// echoed field or status, a time-out or a closed connection).
//
// With a window, lines go to a log file in the user's state folder:
// $XDG_STATE_HOME/km31qx2c/transfers.log, else
// $HOME/.local/state/km31qx2c/transfers.log. Headless, they go to standard
// error (UiServices decides which, see platform/UiServices.h).
#pragma once

#include <string>

namespace qx {

// The log file's path, or "" when neither XDG_STATE_HOME nor HOME is set.
std::string FailureLogPath();

// Appends "<UTC time> <line>\n" to the log file, creating its folder. A log
// that cannot be written is left alone: the trace never fails a transfer.
void AppendFailureLog(const std::string& line);

}  // namespace qx
