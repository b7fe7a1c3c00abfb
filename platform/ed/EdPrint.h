// Command-line output: acutPrintf formats with the wide printf rules of the
// host's strings (%s takes a wide string) and writes to the transcript.
#pragma once

int acutPrintf(const wchar_t* format, ...);
