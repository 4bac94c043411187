// Values from a Wine registry file (system.reg): the text export format
// with [key] lines and "name"="value" lines, backslashes doubled.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tovalia {

// The string value `name` of each of the keys (paths below the hive's root,
// "\" between parts, matched ignoring case), in the order of the keys given;
// keys without the value are left out.
std::vector<std::string> ReadRegistryValues(std::string_view registryText,
                                            const std::vector<std::string>& keys,
                                            std::string_view name);

}  // namespace tovalia
