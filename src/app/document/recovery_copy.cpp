#include "app/document/recovery_copy.h"

#include "model/atomic_file.h"
#include "model/config_file.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

namespace zkt {

namespace {

const QString documentPathKey = QStringLiteral("documentPath");
const QString documentNameKey = QStringLiteral("documentName");
const QString keptAtKey = QStringLiteral("keptAt");
const QString configurationKey = QStringLiteral("configuration");

} // namespace

RecoveryCopy::RecoveryCopy(QString folder) : m_folder(std::move(folder)) {}

QString RecoveryCopy::path() const {
    return m_folder + QStringLiteral("/unsaved-changes.json");
}

void RecoveryCopy::keep(const ConfigModel& model, const QString& documentPath,
                        const QString& documentName) const {
    if (m_folder.isEmpty())
        return;
    const QJsonObject copy{
        {documentPathKey, documentPath},
        {documentNameKey, documentName},
        {keptAtKey, QDateTime::currentDateTimeUtc().toString(Qt::ISODate)},
        {configurationKey, QString::fromStdString(configurationText(model))},
    };
    QDir().mkpath(m_folder);
    writeFileAtomically(path().toStdString(), QJsonDocument(copy).toJson().toStdString());
}

std::optional<UnsavedChanges> RecoveryCopy::find() const {
    if (m_folder.isEmpty())
        return std::nullopt;
    QFile file(path());
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QJsonObject copy = QJsonDocument::fromJson(file.readAll()).object();
    if (!copy.value(configurationKey).isString())
        return std::nullopt;
    return UnsavedChanges{copy.value(documentPathKey).toString(), copy.value(documentNameKey).toString(),
                          QDateTime::fromString(copy.value(keptAtKey).toString(), Qt::ISODate).toLocalTime(),
                          copy.value(configurationKey).toString().toStdString()};
}

void RecoveryCopy::remove() const {
    if (!m_folder.isEmpty())
        QFile::remove(path());
}

} // namespace zkt
