// Built into cadhost and the host's test programs (the sanitizer reads this
// from the executable only). fontconfig keeps the font patterns that Qt's
// font database reads for as long as the process lives and never frees
// them, and on an X screen (Xvfb) Qt's session bus connection leaves
// libdbus's message buffer, and Qt's D-Bus layer some of its own strings,
// behind at exit; those are not our leaks.
#if defined(__SANITIZE_ADDRESS__)
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\nleak:libdbus-1.so\nleak:libQt6DBus.so\n"; }
#endif
