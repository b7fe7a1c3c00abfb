// Wildcard patterns as CAD matches names:
//   *  any run of characters      ?  any one character
//   #  a digit                    @  a letter
//   .  a character that is neither a letter nor a digit
//   [abc] [a-z] one of these      [~abc] none of these
//   `x the character x itself     ,  separates alternatives
//   ~  at the start of an alternative: anything that does not match the rest
#pragma once

#include <string_view>

namespace uv {

bool matchWildcard(std::wstring_view text, std::wstring_view pattern, bool ignoreCase);

}  // namespace uv
