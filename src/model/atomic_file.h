#pragma once
// Replacing a file so that a reader sees either the old contents or the new, never a mix,
// and a failure leaves the old file as it was.

#include <string>
#include <string_view>

namespace zkt {

// Writes contents to a temporary file beside path, flushes it to the disk and renames it
// over path. Keeps the permissions of a file it replaces. A device or named pipe at path is
// written into instead of being replaced. Throws ConfigFileError naming path and the reason;
// the temporary file is then removed.
void writeFileAtomically(const std::string& path, std::string_view contents);

} // namespace zkt
