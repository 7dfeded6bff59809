#include "app/document/recovery_copy.h"

#include <chrono>

namespace zkt {

void RecoveryCopy::keep(const ConfigModel& model, const QString& documentPath,
                        const QString& documentName) const {
    m_file.keep(model, documentPath.toStdString(), documentName.toStdString(),
                std::chrono::system_clock::now());
}

std::optional<UnsavedChanges> RecoveryCopy::find() const {
    const std::optional<RecoveredChanges> changes = m_file.find();
    if (!changes)
        return std::nullopt;
    return UnsavedChanges{
        QString::fromStdString(changes->documentPath), QString::fromStdString(changes->documentName),
        QDateTime::fromString(QString::fromStdString(changes->keptAt), Qt::ISODate).toLocalTime(),
        changes->configurationText};
}

} // namespace zkt
