#include "document/recovery_copy_file.h"

#include "model/atomic_file.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

namespace zkt {

void RecoveryCopyFile::keep(const ConfigModel& model, std::string_view documentPath,
                            std::string_view documentName, std::chrono::system_clock::time_point now) const {
    if (m_folder.empty())
        return;
    const std::string text = recoveryCopyText(model, documentPath, documentName, now);
    // A folder that cannot be made is reported by the write, naming the file.
    std::error_code ignored;
    std::filesystem::create_directories(m_folder, ignored);
    writeFileAtomically(path(), text);
}

std::optional<RecoveredChanges> RecoveryCopyFile::find() const {
    if (m_folder.empty())
        return std::nullopt;
    std::ifstream file(path(), std::ios::binary);
    if (!file)
        return std::nullopt;
    const std::string text{std::istreambuf_iterator<char>(file), {}};
    return readRecoveryCopy(text);
}

void RecoveryCopyFile::remove() const {
    if (m_folder.empty())
        return;
    std::error_code ignored;
    std::filesystem::remove(path(), ignored);
}

} // namespace zkt
