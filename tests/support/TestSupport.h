#pragma once
// Helpers every test program shares: a folder of the test's own under its
// prefix, and the text of the error a call raises.
#include <filesystem>
#include <string>

#include "platform/core/Exceptions.h"

// Sets a prefix of the test's own. Under ctest the prefix of the program gets a
// short-named sub-folder per test case (each case runs as a process of its own, possibly
// side by side with the others); run by hand, a folder in the temp directory.
void UseTestPrefix(const char* ProgramPath);

// <prefix>/Name, created, and emptied the first time this program asks for it.
std::filesystem::path TestDir(const char* Name);

// The bytes of a file ("" when it cannot be read), and a file made of Bytes.
std::string ReadBytes(const std::filesystem::path& Path);
void WriteBytes(const std::filesystem::path& Path, const std::string& Bytes);

// "EClassName: message" of the exception F raises, "no error" when none.
template <typename F>
AnsiString ErrorOf(F f)
{
    try {
        f();
    } catch (const Exception& e) {
        return AnsiString(e.ClassName()) + ": " + e.Message();
    }
    return "no error";
}
