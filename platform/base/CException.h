// The dialog framework's exceptions. A handler that lets one of them pass
// does not end its dialog: the framework catches it where it delivered the
// message, shows GetErrorMessage() in a message box and goes on, so the user
// can correct what the handler refused (CWnd::SendMessage).
#pragma once

#include <stdexcept>

#include "CString.h"

class CException {
 public:
  virtual ~CException() = default;
  // The text the framework shows for it.
  virtual CString GetErrorMessage() const = 0;
};

// An argument outside what the callee accepts, such as an array index
// outside the array's bounds.
class CInvalidArgException : public std::invalid_argument, public CException {
 public:
  CInvalidArgException() : std::invalid_argument("invalid argument") {}
  CString GetErrorMessage() const override { return L"Invalid argument."; }
};
