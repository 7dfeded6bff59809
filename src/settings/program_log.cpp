#include "settings/program_log.h"

#include <fstream>

namespace zkt {

void ProgramLog::writeLog(std::string_view line) const noexcept {
    if (!m_enabled) {
        return;
    }
    try {
        std::ofstream out(m_path, std::ios::binary | std::ios::app);
        out << line << '\n';
    } catch (...) {
        // A full disk or a read-only folder must not take the program down with it.
    }
}

} // namespace zkt
