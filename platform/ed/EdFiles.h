// File search for modules: uv::FileFinder from the current drawing's folder.
#pragma once

#include <cstddef>

// RTNORM with the full path in result; RTERROR when the file is not found
// or its path does not fit the buffer.
int acedFindFile(const wchar_t* fileName, wchar_t* result, size_t bufferSize = 260);
