#include "app/device/device_writing.h"

#include "app/device/write_dialog.h"
#include "document/write_start.h"
#include "model/backup_store.h"
#include "settings/user_folders.h"

#include <QMessageBox>
#include <QTimer>

#include <chrono>

namespace zkt {

DeviceWriting::DeviceWriting(TransferEngine& engine, const ConfigModel& model, TransferObserver& observer,
                             QWidget* owner)
    : m_model(model), m_owner(owner), m_dialog(new WriteDialog(owner)),
      m_write(engine, model, observer, [](const std::vector<Bytes>& images) {
          return saveBackup(backupsFolder(), images, std::chrono::system_clock::now());
      }) {}

void DeviceWriting::start() {
    const SafeWrite::Phase phase = m_write.phase();
    if (phase != SafeWrite::Phase::idle && phase != SafeWrite::Phase::finished)
        return;
    WriteOptions options = m_options;
    const WriteStart begin = writeStart(m_model, options);
    if (begin.first == WriteStart::First::refuse) {
        m_dialog->tell(begin.refusal);
        return;
    }
    if (begin.first == WriteStart::First::ask) {
        // The dialog may switch reading back on.
        const auto chosen = m_dialog->ask(options, {});
        if (!chosen)
            return;
        m_options = options = *chosen;
    }
    options.confirmBeforeWriting = true;
    m_seen = SafeWrite::Phase::idle;
    m_write.start(options);
}

void DeviceWriting::afterTick() {
    m_write.onTick();
    const SafeWrite::Phase phase = m_write.phase();
    if (phase == m_seen)
        return;
    m_seen = phase;
    switch (phase) {
    case SafeWrite::Phase::awaitingConfirmation:
        QTimer::singleShot(0, this, &DeviceWriting::askToConfirm);
        break;
    case SafeWrite::Phase::readFailed:
        QTimer::singleShot(0, this, &DeviceWriting::askAfterFailedRead);
        break;
    case SafeWrite::Phase::finished:
        reportOutcome();
        break;
    default:
        break;
    }
}

void DeviceWriting::askToConfirm() {
    const WritePlan& plan = m_write.plan();
    const auto chosen =
        m_dialog->ask(m_options, plan.describe(), plan.toWrite.empty() && plan.notInChain.empty());
    if (!chosen) {
        m_write.abandon();
        return;
    }
    m_options = *chosen;
    m_write.confirm(*chosen);
}

void DeviceWriting::askAfterFailedRead() {
    const QString text =
        QStringLiteral("The ZKT could not be read, so no backup of what it holds was taken:\n%1\n\n"
                       "Write without a backup? Every manual of the configuration is then written.")
            .arg(QString::fromStdString(m_write.report().front()));
    const auto answer = QMessageBox::question(m_owner, QStringLiteral("Write Program Data to ZKT"), text,
                                              QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    if (answer == QMessageBox::Yes)
        m_write.writeWithoutBackup();
    else
        m_write.abandon();
}

void DeviceWriting::reportOutcome() {
    if (m_write.outcome() != SafeWrite::Outcome::differs)
        return;
    QStringList lines;
    for (const std::string& line : m_write.report())
        lines << QString::fromStdString(line);
    // Not modal: it is shown from inside a tick.
    auto* box = new QMessageBox(QMessageBox::Warning, QStringLiteral("Write Program Data to ZKT"),
                                QStringLiteral("The ZKT does not hold what was written:\n") +
                                    lines.join(QLatin1Char('\n')),
                                QMessageBox::Ok, m_owner);
    box->setObjectName(QStringLiteral("msgVerifyFailed"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    box->show();
}

} // namespace zkt
