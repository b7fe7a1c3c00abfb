// System variables the editor answers through acedGetVar and acedSetVar:
//
//   VIEWCTR     3D point  centre of the current view          read only
//   VIEWSIZE    real      height of the view, drawing units     read only
//   SCREENSIZE  2D point  size of the view in pixels            read only
//   CELTYPE     string    current linetype of the working database
//   CLAYER      string    current layer of the working database
//   PICKBOX     integer   half the pick box, in pixels (0..50)
//   ERRNO       integer   why the last input call failed
//   DWGNAME     string    file name of the current drawing     read only
//   DWGPREFIX   string    its folder, with a trailing "/"       read only
//
// Names ignore letter case. Strings returned in a resbuf are malloc'ed.
#pragma once

struct resbuf;

namespace uv {

class SystemVariables {
 public:
  // RTNORM, or RTERROR for an unknown name or no drawing to ask.
  static int get(const wchar_t* name, resbuf* result);
  // RTNORM; RTERROR for an unknown or read-only name, a value of the wrong
  // type, or a layer or linetype the drawing does not have.
  static int set(const wchar_t* name, const resbuf* value);

  static int pickBox();
  static void setErrno(int value);
  static int errnoValue();
};

}  // namespace uv

int acedGetVar(const wchar_t* sym, resbuf* result);
int acedSetVar(const wchar_t* sym, const resbuf* value);
