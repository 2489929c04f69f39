// The optional skin: a skin library "SkinH_QN.dll" beside the program or in
// the system directory is given the embedded skin block. Without one the
// window keeps the system's look, silently.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace mnemora::app {

inline constexpr char kSkinLibraryName[] = "SkinH_QN.dll";

// The system directory, always ending in a backslash.
std::string SystemDirectoryPath();

// Chooses the skin library: path (spaces trimmed) when that file exists;
// otherwise the program directory's copy, and over it the system
// directory's copy, when they exist. With none found the trimmed path stays.
void ResolveSkinPath(std::string_view path);

// The library ResolveSkinPath chose last.
const std::string& SkinLibraryPath();

// Whether the chosen library exists, loads and exports SkinH_AttachRes; on
// success that function is selected for the next DLL call.
bool SkinLibraryReady();

// Gives the skin byte set, the text (null when empty) and a, b, c to
// SkinH_AttachRes. Returns whether the library reported success (0).
bool AttachSkin(const void* skinByteSet, std::string_view text, int32_t a, int32_t b, int32_t c);

// Forgets the chosen library (at program end).
void FreeSkinPath();

}  // namespace mnemora::app
