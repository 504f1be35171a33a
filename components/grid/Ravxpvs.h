#pragma once
// The grid units' binding to the visual-styles library (the platform's TThemeBinding).
// This platform has no such library: the binding reports it as not loaded and every
// user draws in the classic way.
namespace RavXPVS {

// True when the library was loaded (never here).
bool Loaded();
// True when the library is loaded and reports themes active.
bool ThemesActive();

} // namespace RavXPVS
