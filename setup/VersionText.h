// The version label's text from the bytes of a version resource.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// Reads the file version from the first 56 bytes (fixed header of 40 bytes, then the fixed file
// information up to the file version): "major.minor.release [Build: build]", or
// "major.minor [Build: build]" when release is 0. Empty for an empty or too short resource.
std::wstring VersionTextFromBytes(const std::uint8_t* data, std::size_t size);
