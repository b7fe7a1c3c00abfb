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
  if (!writeOk()) return Acad::eNotOpenForWrite;
  if (!uv::isValidAttributeTag(tag)) return Acad::eInvalidInput;
  m_tag = tag;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbAttributeDefinition::setPrompt(const ACHAR* prompt) {
  if (!writeOk()) return Acad::eNotOpenForWrite;
  m_prompt = prompt ? prompt : L"";
  return Acad::eOk;
}

#define UV_FLAG_SETTER(NAME, MEMBER)                                  \
  Acad::ErrorStatus AcDbAttributeDefinition::NAME(bool v) {           \
    if (!writeOk()) return Acad::eNotOpenForWrite;                    \
    MEMBER = v;                                                       \
    return Acad::eOk;                                                 \
  }
UV_FLAG_SETTER(setInvisible, m_invisible)
UV_FLAG_SETTER(setConstant, m_constant)
UV_FLAG_SETTER(setVerifiable, m_verifiable)
UV_FLAG_SETTER(setPreset, m_preset)
#undef UV_FLAG_SETTER
