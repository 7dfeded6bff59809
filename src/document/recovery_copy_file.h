#pragma once
// The copy of a modified configuration that outlives a crash, a kill or a power cut: one file in
// the user's data folder, replaced in one step. One program runs per user, so one copy is enough.

#include "document/recovery_copy_text.h"
#include "model/config_model.h"

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace zkt {

class RecoveryCopyFile {
public:
    // An empty folder keeps no copy: tools that run the window for pictures or figures.
    explicit RecoveryCopyFile(std::string folder) : m_folder(std::move(folder)) {}

    std::string path() const { return m_folder + "/unsaved-changes.json"; }

    // Replaces the copy, making the folder where there is none. Throws EncodeOverflow or
    // ConfigFileError (a disk that is full, a folder that cannot be written).
    void keep(const ConfigModel& model, std::string_view documentPath, std::string_view documentName,
              std::chrono::system_clock::time_point now) const;
    // None where there is no copy, or one that cannot be read.
    std::optional<RecoveredChanges> find() const;
    void remove() const;

private:
    std::string m_folder;
};

} // namespace zkt
