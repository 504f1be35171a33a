#pragma once
// Writing the picture set: into a folder, into a prefix's bitmap folder (for the program,
// run.sh and test fixtures), and as one contact sheet for review. Each creates the GUI
// application object it needs when there is none.
#include <string>

namespace PanelArt {

// <prefix>/drive_c/Zorvane/GraphView/, where the program reads "C:\Zorvane\GraphView\".
std::string PanelArtFolder(const std::string& prefix);

// Writes every picture of the table into the folder, creating it; returns the count.
// Throws EFCreateError when a file cannot be written.
int WritePanelArt(const std::string& folder);

// WritePanelArt into PanelArtFolder(prefix).
int InstallPanelArt(const std::string& prefix);

// One PNG with every picture at full size and its file name under it.
void WriteContactSheet(const std::string& pngPath);

}  // namespace PanelArt
