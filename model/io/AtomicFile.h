#pragma once
// Replacing a file so that it holds either its old or its complete new content, never a
// partly written one.

#include <filesystem>
#include <string_view>

namespace dorvek {

// Writes bytes to a temporary file in the target's folder, flushes it to the disk and renames
// it over path (keeping an existing file's permissions). An existing file that is not
// writable is refused. Any failure raises EInOutError naming the file and the system's
// reason; the temporary file is removed and an existing file stays as it was.
void ReplaceFile(const std::filesystem::path& path, std::string_view bytes);

} // namespace dorvek
