// The product's logging switch and log file, as the product configuration
// gives them. Both are read from the environment on every call, so a change
// made while the program runs (a job script, a debugger, a test) is seen by
// the very next call; nothing is cached here.
//
//   KVLX_LOGGING   "1", "on", "yes", "true" switch logging on; "0", "off",
//                  "no", "false" or unset/empty switch it off (letter case
//                  does not matter, surrounding blanks are ignored). Any
//                  other value leaves logging off and is reported once on
//                  standard error, naming the variable and the value.
//   KVLX_LOG_FILE  the log file. A relative path is taken from the current
//                  folder and returned as a full path.
//
// Without KVLX_LOG_FILE the log goes to "$XDG_STATE_HOME/kvlx/vantor.log",
// or "$HOME/.local/state/kvlx/vantor.log" when XDG_STATE_HOME is unset or not
// an absolute path (the XDG base-directory rules). The folder of that default
// file is created when the path is asked for, so that a writer can open it;
// a folder named in KVLX_LOG_FILE is never created. With neither
// XDG_STATE_HOME nor HOME the path is empty, which no writer can open.
#pragma once

#include <string>

class CLogEngine {
 public:
  // Non-zero when the product logs.
  static int GetLoggingOnOff();
  // Full path of the log file, narrow (UTF-8 on this system).
  static std::string GetLogFileFullPath();
};
