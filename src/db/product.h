// The product's name, version and web site, as every part of the program
// writes them.
#pragma once

namespace tovalia {

inline constexpr char kProductName[] = "Tovalia";
inline constexpr char kProductVersion[] = "5.8";
// The maker's web site; pages are addressed by path below it.
inline constexpr char kWebSite[] = "https://tovalia.example.org";

}  // namespace tovalia
