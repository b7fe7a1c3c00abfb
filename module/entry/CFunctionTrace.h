// A scope object that writes one record to the product's log when a traced
// function is entered and one when it is left, also when an exception
// leaves it. Whether anything is written, and to which file, is the logging
// library's (CLogEngine); both are asked afresh for every record.
//
// A record is one line:
//
//   [14:03:27] VantorUIInterface               (00021): [CVantorUIInterface::CallShowSurface], Entering function , CVantorUIInterface::CallShowSurface
//
// that is, the prefix formatted "[%s] %-32s(%5.5i): [%-16s], " from the
// local time of day (hh:mm:ss, each field -1 when the time is unknown), the
// source file's base name (after its last backslash), the line and the
// function name; then "Entering function " or "Exiting function ", ", " and
// the function name. The prefix is formatted into a buffer of 999
// characters: a longer prefix (a very long file or function name) is cut
// after its 998th character, and the message and function name still follow
// whole, so the record always says what happened and to whom.
//
// Records of a level above 3 are not written. The first record written in
// the process decides where all of them go: the log file, opened for
// appending, or standard output when that file cannot be opened. The choice
// stands until CloseLog(), which the module calls when it is unloaded.
#pragma once

#include <string>

class CFunctionTrace {
 public:
  CFunctionTrace(const char* sourceFile, int line, const char* functionName, int level);
  ~CFunctionTrace();
  CFunctionTrace(const CFunctionTrace&) = delete;
  CFunctionTrace& operator=(const CFunctionTrace&) = delete;

  // Closes the log file and forgets the choice of output; the next record
  // chooses again.
  static void CloseLog();

  // The record line (without its end of line) for this scope at a time of
  // day; hours < 0 stands for an unknown time.
  std::string FormatRecord(const char* message, int hours, int minutes, int seconds) const;

 private:
  void Write(const char* message) const;

  std::string m_sourceFile;
  int m_line;
  std::string m_functionName;
  int m_level;
};
