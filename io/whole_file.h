#pragma once
// Reading a whole file into memory with one read, as the map reader and the
// configuration loaders do.

#include <cstdint>
#include <memory>
#include <string>

// Reads exactly `size` bytes of `path` into a new buffer. The file is opened
// read-only, so a write-protected file still loads. A size over `limit` is
// refused with "Cannot read 'PATH': " and `tooLarge`. On failure `error`
// holds one message and the buffer is empty.
bool ReadWholeFile(const std::string& path, std::uint64_t size, std::uint64_t limit,
                   const char* tooLarge, std::unique_ptr<char[]>& buffer, std::string& error);
