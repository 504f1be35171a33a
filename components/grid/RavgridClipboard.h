#pragma once
// Clipboard bookkeeping of the string grid.

enum TClipOperation { coCut, coCopy };
