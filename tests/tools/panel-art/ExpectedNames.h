#pragma once
// The file names the program builds, composed here from its naming rules on their own,
// so that the generator's table is checked against an independent list.
#include <string>
#include <vector>

// The pictures the main window loads once, in load order (each file once).
std::vector<std::string> ExpectedFixedNames();

// Every name: the fixed pictures and all families.
std::vector<std::string> ExpectedNames();

// The glyph files of the keys whose see-through colour is their top-left pixel.
std::vector<std::string> ExpectedTopLeftPixelKeys();
