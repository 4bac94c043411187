// The look every screen shares: colours and type.
#pragma once

#include "platform/canvas.h"

namespace tovalia::theme {

inline constexpr Color kInk = 0x2E2A25;          // body text
inline constexpr Color kMutedInk = 0x6B6258;
inline constexpr Color kPaper = 0xFBF7EE;        // panels and boxes
inline constexpr Color kPanelEdge = 0xCFC3AE;
inline constexpr Color kHeaderTop = 0x55703F;    // the band behind the tabs
inline constexpr Color kHeaderBottom = 0x3F5A2E;
inline constexpr Color kHeaderInk = 0xFFFDF6;
inline constexpr Color kTabIdle = 0x6E8A57;
inline constexpr Color kTabIdleInk = 0xEEF3E6;
inline constexpr Color kAccent = 0xB5532C;       // focus, progress, highlights
inline constexpr Color kButtonTop = 0xFFFFFF;
inline constexpr Color kButtonBottom = 0xE9E2D3;
inline constexpr Color kButtonPressedTop = 0xD9D0BE;
inline constexpr Color kButtonPressedBottom = 0xEEE8DC;
inline constexpr Color kButtonEdge = 0x9C8F79;
inline constexpr Color kSelection = 0xF3D9C4;

inline constexpr int kHeaderHeight = 54;  // title line and tab row

inline Font BodyFont() { return {FontFamily::kSans, 14, false}; }
inline Font ButtonFont() { return {FontFamily::kSans, 13, true}; }
inline Font TabFont() { return {FontFamily::kSans, 14, true}; }
inline Font HeadingFont() { return {FontFamily::kSerif, 24, true}; }

}  // namespace tovalia::theme
