#pragma once
// Files written whole or not at all: the bytes go to a temporary file beside the target,
// reach the disk, and only then take the target's place in one rename, so that a failure
// or a crash at any moment leaves either the old file or the whole new one.
#include <cstdio>

#include "platform/core/Types.h"

// The temporary file a save of Path writes ("<Path>.saving").
AnsiString SavingPath(const AnsiString& Path);
// Opens SavingPath(Path) for writing, with a large buffer; nullptr when it cannot, or
// when Path exists and may not be written.
std::FILE* OpenSaving(const AnsiString& Path);
// Finishes a save begun with OpenSaving: flushes, syncs the data to the disk, closes,
// renames onto Path and syncs the folder. On any failure, an earlier write error of File
// included, the temporary file is removed, Path stays as it was and false is returned.
// File is closed in every case.
bool CommitSaving(std::FILE* File, const AnsiString& Path);
// Gives a save up: closes File and removes the temporary file.
void AbandonSaving(std::FILE* File, const AnsiString& Path);
