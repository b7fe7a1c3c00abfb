#include "AcDbAttributeDefinition.h"

#include <cwchar>
#include <cwctype>

#include "resbuf.h"

UV_DEFINE_RX_MEMBERS(AcDbAttributeDefinition, AcDbText, L"ATTDEF")

bool uv::isValidAttributeTag(const ACHAR* tag) {
  if (!tag || !*tag) return false;
  for (const ACHAR* p = tag; *p; ++p)
    if (std::iswspace(wint_t(*p))) return false;
  return true;
}

AcDbAttributeDefinition::AcDbAttributeDefinition(const AcGePoint3d& position, const ACHAR* text, const ACHAR* tag,
                                                 const ACHAR* prompt, AcDbObjectId style)
    : AcDbText(position, text, style), m_tag(tag ? tag : L""), m_prompt(prompt ? prompt : L"") {}

ACHAR* AcDbAttributeDefinition::tag() const { return uv::newResString(m_tag.c_str()); }
ACHAR* AcDbAttributeDefinition::prompt() const { return uv::newResString(m_prompt.c_str()); }

Acad::ErrorStatus AcDbAttributeDefinition::setTag(const ACHAR* tag) {
  return setChecked(m_tag, tag, uv::isValidAttributeTag(tag));
}

Acad::ErrorStatus AcDbAttributeDefinition::setPrompt(const ACHAR* prompt) { return setWritable(m_prompt, prompt ? prompt : L""); }

Acad::ErrorStatus AcDbAttributeDefinition::setInvisible(bool v) { return setWritable(m_invisible, v); }
Acad::ErrorStatus AcDbAttributeDefinition::setConstant(bool v) { return setWritable(m_constant, v); }
Acad::ErrorStatus AcDbAttributeDefinition::setVerifiable(bool v) { return setWritable(m_verifiable, v); }
Acad::ErrorStatus AcDbAttributeDefinition::setPreset(bool v) { return setWritable(m_preset, v); }
