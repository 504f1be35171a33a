#pragma once
// The table of every picture file the program loads from its bitmap folder: the file
// name, what the picture shows and its size. The names follow the program's naming
// rules (families of words times variants); the table is built from those rules.
#include <cstdint>
#include <string>
#include <vector>

namespace PanelArt {

enum class ArtKind {
    KeyGlyph,        // a panel key; its top-left pixel is the see-through colour
    PowerGlyph,      // the power key; see-through where the panel face colour shows
    SoftKeyLabel,    // soft-key label on the display: caption in a frame
    SoftKeyChosen,   // soft-key label of the current choice: caption on a filled key
    FieldValue,      // a setting's value in a page field, left aligned
    UnitCell,        // a unit in a value cell, centred
    ValueUnit,       // the unit beside a measured value
    ParameterName,   // a parameter or monitor name on a display page
    PanelLogo,       // the maker's logo on the panel
    AboutBanner,     // the logo band across the top of the About box
    ProductPicture,  // the bench meter itself
    Terminal,        // a measurement terminal socket
    WarningSign,
    UsbSign,
    RemoteSign,      // "under computer control"
    PowerCaption,    // the caption printed beside the power key
};

// How a key glyph's see-through colour is found.
enum class SeeThrough {
    None,          // a picture: every pixel shows
    TopLeftPixel,  // the key takes the colour of pixel (0, 0)
    ButtonFace,    // the key is see-through where the panel face colour is
};

struct PanelArtEntry {
    std::string Name;     // file name, appended directly to the bitmap folder
    ArtKind Kind;
    std::string Caption;  // UTF-8; "\n" breaks lines
    std::uint32_t Paper;  // background (for keys: the corners, i.e. the see-through colour)
    std::uint32_t Ink;    // caption and symbols
    std::uint32_t Face;   // key face or label frame; unused by plain pictures
    int Width;
    int Height;
    SeeThrough Transparency;
    std::string Family;   // which naming rule made the name (for the contact sheet)
};

// Every file, fixed pictures first in the order the panel loads them.
const std::vector<PanelArtEntry>& PanelArtTable();

// The entry of a file name (exact case), or nullptr.
const PanelArtEntry* FindPanelArt(const std::string& name);

}  // namespace PanelArt
