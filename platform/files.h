// Whole-file reads and whole-file replacement for moritelda's data files.
//
// Every data file of moritelda is read whole and written whole. A write goes
// to a temporary file beside the target, which then replaces the target in one
// step, so that a crash or a power loss in the middle leaves either the old
// file or the new one, never a torn one.
#pragma once

#include <string>

namespace moritelda {

// Reads the whole file into content. False when it cannot be opened.
bool ReadWholeFile(const std::string& path, std::string& content);

// Replaces path with exactly the bytes of content. False when the file could
// not be written (read-only directory, locked file, full disk); the old file,
// if any, is then left as it was.
bool ReplaceWholeFile(const std::string& path, const std::string& content);

}  // namespace moritelda
