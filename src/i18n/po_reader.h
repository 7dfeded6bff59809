#pragma once
// Reads the text of a .po file into a catalogue: msgctxt, msgid, msgid_plural, msgstr and
// msgstr[n], each a string that may go on over several lines, with C's escapes. Comments are
// skipped; entries marked fuzzy and obsolete ones (#~) are left out, as msgfmt leaves them out.

#include "i18n/catalogue.h"

#include <stdexcept>
#include <string>
#include <string_view>

namespace zkt {

// What is wrong and on which line (counted from 1); what() says both.
class PoError : public std::runtime_error {
public:
    PoError(int line, const std::string& problem);
    int line() const { return m_line; }

private:
    int m_line;
};

Catalogue readPo(std::string_view text);

} // namespace zkt
