// An attribute definition of a block: the tag, the prompt shown when a
// reference is inserted, and the default text (the text string).
#pragma once

#include "AcDbText.h"

class AcDbAttributeDefinition : public AcDbText {
 public:
  ACRX_DECLARE_MEMBERS(AcDbAttributeDefinition);
  UV_DECLARE_CLONE(AcDbAttributeDefinition);
  AcDbAttributeDefinition() = default;
  AcDbAttributeDefinition(const AcGePoint3d& position, const ACHAR* text, const ACHAR* tag, const ACHAR* prompt,
                          AcDbObjectId style = AcDbObjectId());

  // malloc'ed copies, and the definition's own texts.
  ACHAR* tag() const;
  const ACHAR* tagConst() const { return m_tag.c_str(); }
  // eInvalidInput for an empty tag or one with spaces.
  Acad::ErrorStatus setTag(const ACHAR* tag);
  ACHAR* prompt() const;
  const ACHAR* promptConst() const { return m_prompt.c_str(); }
  Acad::ErrorStatus setPrompt(const ACHAR* prompt);
  bool isInvisible() const { return m_invisible; }
  Acad::ErrorStatus setInvisible(bool v);
  bool isConstant() const { return m_constant; }
  Acad::ErrorStatus setConstant(bool v);
  bool isVerifiable() const { return m_verifiable; }
  Acad::ErrorStatus setVerifiable(bool v);
  bool isPreset() const { return m_preset; }
  Acad::ErrorStatus setPreset(bool v);

 private:
  std::wstring m_tag, m_prompt;
  bool m_invisible = false, m_constant = false, m_verifiable = false, m_preset = false;
};

namespace uv {
// Tags may not be empty nor hold blanks.
bool isValidAttributeTag(const ACHAR* tag);
}
