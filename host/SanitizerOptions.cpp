// Built into cadhost and the host's test programs (the sanitizer reads this
// from the executable only). fontconfig keeps the font patterns that Qt's
// font database reads for as long as the process lives and never frees
// them, and on an X screen (Xvfb) Qt's session bus connection leaves
// libdbus's message buffer, and Qt's D-Bus layer some of its own strings,
// behind at exit; those are not our leaks.
//
// The desktop program's own tests also pass over Qt's core library: now and
// then (once in several whole runs, 152 bytes) it leaves an allocation of its
// own behind at exit while the threads of a test's file dialog and processes
// wind down. Only those tests: cadhost and the other programs still report
// every leak that passes through Qt's core.
#if defined(__SANITIZE_ADDRESS__)
extern "C" const char* __lsan_default_suppressions() {
#if defined(UV_LSAN_PASS_QT_CORE)
  return "leak:libfontconfig.so\nleak:libdbus-1.so\nleak:libQt6DBus.so\nleak:libQt6Core.so\n";
#else
  return "leak:libfontconfig.so\nleak:libdbus-1.so\nleak:libQt6DBus.so\n";
#endif
}
#endif
