// Turning a payload resource into a file: inflate it in memory, then put the file in place.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "framework/Streams.h"

// Copies the whole resource stream (from its start) into memory, inflates it and saves the result
// as fileName, replacing an existing file completely. The old file is replaced only once the new
// one is completely written: on any failure it is left as it was, and no partial file remains.
// Errors: the decompressor's (EDecompressionError, zlib's text), EFCreateError
// "Cannot create file \"%s\". %s" naming fileName with the system's error text when the file
// cannot be created or put in place, EWriteError "Stream write error" when writing fails.
void ExtractResourceToFile(TStream& resource, const std::wstring& fileName);

// Opens the RCDATA resource resourceName of module (the name's case does not matter) and extracts
// it into fileName. Throws EResNotFound "Resource %s not found" when there is no such resource.
void ExtractPayload(HMODULE module, const std::wstring& resourceName, const std::wstring& fileName);

// Replaces fileName by the bytes that write() puts into the stream it is given. The bytes go into a
// temporary file in the same folder, which is flushed and then moved over fileName in one step;
// when write() throws or any step fails, the temporary file is removed and fileName is untouched.
// The hidden, system and archive attributes of a replaced file are kept. A read-only fileName is
// not replaced ("Cannot create file", access denied), as it could not be overwritten in place.
void ReplaceFileContents(const std::wstring& fileName, const std::function<void(TStream&)>& write);
