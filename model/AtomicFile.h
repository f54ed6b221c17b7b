#pragma once

// Saving through a temporary file in the target's folder: the target is replaced by rename
// only after every byte reached the disk, so a failed save never destroys the user's file.

#include <cstddef>
#include <filesystem>
#include <functional>
#include <span>

enum class AtomicWriteResult { Done, CannotOpen, WriteError };

// Writes the chunks, in order, as the new contents of target. A symbolic link is followed
// (link text relative to the link's folder, links to links too) and the file it names is
// written, created when missing; the link stays. CannotOpen: the target is not a regular file,
// may not be written, its links loop, or no temporary file can be made next to it. WriteError:
// a transfer came back short or the file could not be flushed or moved into place. On any
// failure the target keeps its former contents and no temporary file is left behind.
//
// The temporary file is unnamed where the system allows it (nothing is left if the process
// dies) and otherwise gets a random name; no other user can open it before it has the final
// owner and mode. An existing target keeps its permission bits, and its owner and group where
// the saving user may set them; a group that cannot be kept gets no rights on the new file.
AtomicWriteResult WriteFileAtomically(const std::filesystem::path& target,
                                      std::span<const std::span<const std::byte>> chunks);

// Test hook: the writes of WriteFileAtomically may transfer this many more bytes in all before
// they come back short. kNoWriteLimit (the default) switches the limit off.
inline constexpr std::size_t kNoWriteLimit = static_cast<std::size_t>(-1);
void LimitBytesWrittenForTests(std::size_t bytes);

// Test hook: the flush of the temporary file to the disk fails as a full or broken disk would.
void FailFileSyncForTests(bool fail);

// Test hook: use named temporary files even where unnamed ones are possible.
void UseNamedTempFilesForTests(bool named);

// Test hook: called with the temporary file's descriptor when it has just been made
// (Created), when it has its final owner and mode but no byte yet (Prepared), and when every
// byte is on the disk before it takes the target's place (Written). Empty switches it off.
enum class TempFileStage { Created, Prepared, Written };
void ObserveTempFileForTests(std::function<void(TempFileStage, int descriptor)> observer);
