// The verbs of the job-script language, the kind of action each one makes
// and the arguments it takes. Any other first word is a command name.
//
// An argument pattern is a list of argument kinds:
//   P point x,y[,z]   N number   I integer   S text, quoted or a bare word
//   W bare word       C control: a symbolic name or a number
//   {a|b} one of these bare words (letter case ignored)
// A trailing "*" repeats the last kind any number of times, "?" makes it
// optional. Alternatives are separated by " / "; "..." accepts anything.
// Verbs are written in lower case.
#pragma once

#include <string>
#include <vector>

#include "ScriptAction.h"

namespace uv {

class ScriptVocabulary {
 public:
  struct Verb {
    std::wstring name;
    ActionKind kind;
    std::wstring pattern;
  };

  // The process-wide vocabulary, with the standard verbs. Layers above add
  // theirs (the dialog framework its further dialog verbs) before parsing.
  static ScriptVocabulary& instance();

  // Adds or replaces a verb.
  void add(const std::wstring& verb, ActionKind kind, const std::wstring& pattern = L"...");
  const Verb* find(const std::wstring& verb) const;
  const std::vector<Verb>& verbs() const { return m_verbs; }

  // Throws ScriptError naming the line when the arguments fit no form.
  void check(const ScriptAction& action) const;
  // "select all|last|previous|none, select window|crossing x,y x,y, ..."
  std::wstring usage(const Verb& verb) const;

 private:
  ScriptVocabulary();
  std::vector<Verb> m_verbs;
};

}  // namespace uv
