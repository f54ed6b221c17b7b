#pragma once

// Saving through a temporary file in the target's folder: the target is replaced by rename
// only after every byte reached the disk, so a failed save never destroys the user's file.

#include <cstddef>
#include <filesystem>
#include <span>

enum class AtomicWriteResult { Done, CannotOpen, WriteError };

// Writes the chunks, in order, as the new contents of target. CannotOpen: target is not a
// regular file, may not be written, or no temporary file can be made next to it. WriteError:
// a transfer came back short or the file could not be flushed or moved into place. On any
// failure the target keeps its former contents and no temporary file is left behind. An
// existing target keeps its permission bits.
AtomicWriteResult WriteFileAtomically(const std::filesystem::path& target,
                                      std::span<const std::span<const std::byte>> chunks);

// Test hook: the writes of WriteFileAtomically may transfer this many more bytes in all before
// they come back short. kNoWriteLimit (the default) switches the limit off.
inline constexpr std::size_t kNoWriteLimit = static_cast<std::size_t>(-1);
void LimitBytesWrittenForTests(std::size_t bytes);
