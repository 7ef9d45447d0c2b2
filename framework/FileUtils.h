// Folder helpers over the platform's file system.
#pragma once
#include <string>

bool DirectoryExists(const std::wstring& path);
// Creates path with every missing parent. Returns whether the folder exists afterwards; an empty
// path raises "Unable to create directory".
bool ForceDirectories(const std::wstring& path);
