#pragma once

#include <string>
#include <string_view>

namespace dlk {

// Texts live in the program as UTF-8; files and datagrams carry them as
// single-byte code page 1251. Qt's own codecs are not guaranteed to know
// 1251, so the table is ours.

// Every byte decodes; the one unassigned code (0x98) becomes U+FFFD.
std::string Cp1251ToUtf8(std::string_view bytes);

// A character 1251 cannot hold, or a broken UTF-8 sequence, becomes '?'.
std::string Utf8ToCp1251(std::string_view utf8);

// True when 1251 holds every character of the text as it stands, so that
// storing it loses nothing.
bool FitsCp1251(std::string_view utf8);

}  // namespace dlk
