// An edit field that refuses a set of characters: a refused character
// typed is dropped with the warning beep (the exclamation sound); pasted
// text loses every refused character without a sound.
#pragma once

#include "ui/CEdit.h"

class CAlphanumericEdit : public CEdit {
 public:
  void SetRefusedCharacters(const CString& characters) { m_refused = characters; }
  const CString& GetRefusedCharacters() const { return m_refused; }

 protected:
  void OnChar(UINT ch, UINT repeat, UINT flags) override;
  void OnPaste() override;

 private:
  CString m_refused;
};
