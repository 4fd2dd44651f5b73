// Validation and reading of a plug-in's application record. The record block
// may be larger than 1200 bytes (never smaller: the catalog allocates at
// least that); every text is measured within the block, so a text without a
// terminating zero never reads past it.
#pragma once

#include "sdk/LumbraPlugin.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace catalog {

// Largest record size a plug-in may ask for; above it the plug-in offers no
// entry.
constexpr std::int32_t kMaxRecordSize = 1024 * 1024;

// Bytes to allocate for a GetInfo size, or nothing when it offers no entry.
std::optional<std::size_t> RecordAllocationSize(std::int32_t reportedSize);

// Length of the text at `offset`, counted up to the first zero byte within
// the block; nothing when the block ends first.
std::optional<std::size_t> TextLength(const unsigned char* block, std::size_t blockSize, std::size_t offset);

// Applies the record rules: clears `listed` when the record fails them and
// returns whether the entry is offered (listed is 1).
bool ValidateRecord(unsigned char* block, std::size_t blockSize);

// A text field of a validated record.
std::string ReadText(const unsigned char* block, std::size_t blockSize, std::size_t offset);

} // namespace catalog
