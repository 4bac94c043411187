// Text taken from between the tags and quotes of an XML recipe file.
#pragma once

#include <string>

namespace tovalia {

// Decodes, in place and until nothing more changes: the entities &quot;,
// &amp;, &lt;, &gt;, &apos; (in any case) and numbered ones (&#233;,
// &#xD;); and the UTF-8 forms of a few characters that reach CP1252 text
// undecoded: É and é as E and e, ñ as n, the closing quotation mark as an
// apostrophe, the degree and masculine ordinal signs as the degree sign,
// the fraction signs as 1/2, 1/4 and 3/4, and the registered and copyright
// signs as nothing. A character an entity gives is read again, so
// "&amp;quot;" becomes a double quote.
void DecodeXmlText(std::string& text);

}  // namespace tovalia
