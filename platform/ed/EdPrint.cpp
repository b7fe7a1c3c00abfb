#include "EdPrint.h"

#include <cstdarg>

#include "base/CString.h"
#include "Transcript.h"

int acutPrintf(const wchar_t* format, ...) {
  if (!format) return 0;
  va_list args;
  va_start(args, format);
  std::wstring text = FormatWide(format, args);
  va_end(args);
  uv::Transcript::instance().write(text);
  return int(text.size());
}
