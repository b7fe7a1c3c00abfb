// The module's entry functions for the product's other modules: each opens
// the dialog of one command (in brackets) for the surface it names, inside
// a trace scope and with the current document locked. A surface name
// becomes the preselected surface name, which the commands typed later hand
// on as well; a null name stores an empty one. The functions report
// nothing themselves: every message comes from the dialogs.
//
// Exported under their C++ names (g++ mangling), e.g.
// _ZN18CVantorUIInterface15CallShowSurfaceEPKw for CallShowSurface.
#pragma once

#define UIVANTOR2_EXPORT __attribute__((visibility("default")))

class UIVANTOR2_EXPORT CVantorUIInterface {
 public:
  static void CallSurfaceManager();                           // SURFMAN
  static void CallLoadPoints(const wchar_t* surface);         // POINTS
  static void CallBreakLine(const wchar_t* surface);          // BREAKLINE
  static void CallTurnTriangles(const wchar_t* surface);      // swap
  static void CallConversion();                               // CONVERT
  static void CallShowSurface(const wchar_t* surface);        // SHOW
  static void CallDrawContourLines(const wchar_t* surface);   // SLOJNICE
  static void CallContourLineLabels(const wchar_t* surface);  // slojniceoznake
  static void CallSurfaceProjection(const wchar_t* surface);  // PROJECTION
};
