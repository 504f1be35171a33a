#pragma once
// The front-panel pictures: how their file names are built, the whole set the program can
// ask for, and loading them from the bitmap folder. A picture that is missing after start-up
// shows empty, so that the key or setter that asked for it still completes.
#include <vector>

#include "platform/core/Types.h"

class TComponent;
class TImage;
class TOwBitmapButton;

// The empty key frame.
inline constexpr const char* kEmptyKey = "ViewParaFrame.bmp";

// Soft-key picture of a choice: "_R" for the choice in force (or the key just pressed),
// "_Y" for every other.
AnsiString ChoicePicture(const AnsiString& Word, bool Current);
// A unit key shown while a value is typed.
AnsiString UnitKeyPicture(const AnsiString& Unit);
// A field's value picture in one of its drawing variants (G selected, B not, BG inactive ...).
AnsiString FieldPicture(const AnsiString& Word, const AnsiString& Variant);

// Choice words of the soft keys, in key order.
extern const char* const kFunctionWords[16];   // function codes 1-16
extern const char* const kMonitorWords[15];    // monitor codes 0-14
extern const char* const kOpenWords[6];        // open limit 0-5

// Every file name the program builds, each once: the fixed panel pictures first.
const std::vector<AnsiString>& PanelPictureNames();

// The first name of PanelPictureNames() that is missing from the bitmap folder, or "".
AnsiString FirstMissingPanelPicture(const AnsiString& BitmapFolder);

// Loads BitmapFolder + Name; a file that cannot be read leaves the control empty.
void LoadPanelPicture(TImage* Image, const AnsiString& Name);
void LoadPanelGlyph(TOwBitmapButton* Key, const AnsiString& Name);

// Tests watch every name the program loads through these, and the image or key it goes to
// (nullptr when there is none).
using TPictureLoadHook = void (*)(const AnsiString& Name, const TComponent* Target);
void SetPictureLoadHook(TPictureLoadHook Hook);
