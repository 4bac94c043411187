// A photo written as text: Base64 in lines of 76 characters.
#pragma once

#include <string>
#include <string_view>

namespace tovalia {

// Appends the bytes as Base64 (standard alphabet, no "=" padding: bytes
// past the end count as 0) in lines of 76 characters ending in CR LF, the
// shorter rest last.
void WriteBase64Lines(std::string& out, std::string_view bytes);

}  // namespace tovalia
