#include "module/entry/VantorUIInterface.h"

#include "module/entry/CFunctionTrace.h"
#include "module/entry/Commands.h"
#include "module/entry/PreselectedSurface.h"
#include "product/cadwrapper/CKVLCDocLock.h"

namespace {

// The trace records name this source and the line of each function.
constexpr char kSource[] = "VantorUIInterface";
constexpr int kLevel = 3;

// Every entry function: the trace scope first, then the name, then the
// document lock around the command's work. Leaving, by return or by
// exception, releases the lock before the trace writes its exit record.
template <void (*command)()>
void run(int line, const char* function, const wchar_t* surface, bool takesName) {
  CFunctionTrace trace(kSource, line, function, kLevel);
  if (takesName) g_strPreselectedSurface = surface ? surface : L"";
  CKVLCDocLock lock;
  command();
}

}  // namespace

void CVantorUIInterface::CallSurfaceManager() {
  run<uv::module::cmdSurfMan>(__LINE__, "CVantorUIInterface::CallSurfaceManager", nullptr, false);
}

void CVantorUIInterface::CallLoadPoints(const wchar_t* surface) {
  run<uv::module::cmdPoints>(__LINE__, "CVantorUIInterface::CallLoadPoints", surface, true);
}

void CVantorUIInterface::CallBreakLine(const wchar_t* surface) {
  run<uv::module::cmdBreakLine>(__LINE__, "CVantorUIInterface::CallBreakLine", surface, true);
}

void CVantorUIInterface::CallTurnTriangles(const wchar_t* surface) {
  run<uv::module::cmdSwap>(__LINE__, "CVantorUIInterface::CallTurnTriangles", surface, true);
}

void CVantorUIInterface::CallConversion() {
  run<uv::module::cmdConvert>(__LINE__, "CVantorUIInterface::CallConversion", nullptr, false);
}

void CVantorUIInterface::CallShowSurface(const wchar_t* surface) {
  run<uv::module::cmdShow>(__LINE__, "CVantorUIInterface::CallShowSurface", surface, true);
}

void CVantorUIInterface::CallDrawContourLines(const wchar_t* surface) {
  run<uv::module::cmdSlojnice>(__LINE__, "CVantorUIInterface::CallDrawContourLines", surface, true);
}

void CVantorUIInterface::CallContourLineLabels(const wchar_t* surface) {
  run<uv::module::cmdSlojniceOznake>(__LINE__, "CVantorUIInterface::CallContourLineLabels", surface, true);
}

void CVantorUIInterface::CallSurfaceProjection(const wchar_t* surface) {
  run<uv::module::cmdProjection>(__LINE__, "CVantorUIInterface::CallSurfaceProjection", surface, true);
}
