// The program's name, version and web address as files and banners show
// them.
#pragma once

namespace tovalia {

inline constexpr char kProductName[] = "Tovalia";
inline constexpr char kProductVersion[] = "5.8";
// The maker's web site; pages are addressed by path below it.
inline constexpr char kWebSite[] = "https://tovalia.example.org";

}  // namespace tovalia
