#include "app/char_class.h"

#include <windows.h>

#include "support/text.h"

namespace corvane {

// GetStringTypeW's classes map as follows:
//   CT_CTYPE1 without C1_DEFINED (unassigned) or with C1_CNTRL (control)  -> Unprintable
//   CT_CTYPE1 C1_SPACE, except the space U+0020 itself (line and paragraph separators,
//     no-break and other wide spaces)                                      -> Unprintable
//   CT_CTYPE3 C3_NONSPACING without C3_ALPHA (nonspacing and enclosing
//     marks; precomposed letters such as U+00E9 carry C3_NONSPACING too,
//     but also C3_ALPHA)                                                   -> Combining
//   anything else                                                          -> Printable
// Characters beyond U+FFFF are classified by their surrogate pair.
CharClass classify_char(char32_t c) {
  wchar_t units[2];
  const int count = encode_utf16(c, units);
  WORD type1[2] = {}, type3[2] = {};
  if (!GetStringTypeW(CT_CTYPE1, units, count, type1) || !GetStringTypeW(CT_CTYPE3, units, count, type3)) {
    return CharClass::Unprintable;
  }
  if (!(type1[0] & C1_DEFINED) || (type1[0] & C1_CNTRL)) return CharClass::Unprintable;
  if ((type1[0] & C1_SPACE) && c != U' ') return CharClass::Unprintable;
  if ((type3[0] & C3_NONSPACING) && !(type3[0] & C3_ALPHA)) return CharClass::Combining;
  return CharClass::Printable;
}

}  // namespace corvane
