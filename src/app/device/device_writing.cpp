#include "app/device/device_writing.h"

#include "i18n/tr.h"

#include "app/device/write_dialog.h"
#include "document/write_start.h"

#include <QMessageBox>
#include <QTimer>

namespace zkt {

DeviceWriting::DeviceWriting(OrganSession& organ, const ConfigModel& model, QWidget* owner)
    : m_organ(organ), m_model(model), m_owner(owner), m_dialog(new WriteDialog(owner)) {
    m_organ.onWritePhase([this](SafeWrite::Phase phase) { phaseReached(phase); });
}

void DeviceWriting::start() {
    if (m_organ.writeRunning())
        return;
    if (const auto refusal = m_organ.transferRefusal()) {
        m_dialog->tell({*refusal});
        return;
    }
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
    m_organ.startWrite(options);
}

void DeviceWriting::phaseReached(SafeWrite::Phase phase) {
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
    const WritePlan& plan = m_organ.write().plan();
    const auto chosen =
        m_dialog->ask(m_options, plan.describe(), plan.toWrite.empty() && plan.notInChain.empty());
    if (!chosen) {
        m_organ.cancel();
        return;
    }
    m_options = *chosen;
    m_organ.confirmWrite(*chosen);
}

void DeviceWriting::askAfterFailedRead() {
    const QString text =
        QString::fromStdString(
            zkt::tr("The ZKT could not be read, so no backup of what it holds was taken:\n%1\n\n"
                    "Write without a backup? Every manual of the configuration is then written."))
            .arg(QString::fromStdString(m_organ.write().report().front()));
    const auto answer =
        QMessageBox::question(m_owner, QString::fromStdString(zkt::tr("Write Program Data to ZKT")), text,
                              QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    if (answer == QMessageBox::Yes)
        m_organ.writeWithoutBackup();
    else
        m_organ.cancel();
}

void DeviceWriting::reportOutcome() {
    if (m_organ.write().outcome() != SafeWrite::Outcome::differs)
        return;
    QStringList lines;
    for (const std::string& line : m_organ.write().report())
        lines << QString::fromStdString(line);
    // Not modal: it is shown from inside a tick.
    auto* box =
        new QMessageBox(QMessageBox::Warning, QString::fromStdString(zkt::tr("Write Program Data to ZKT")),
                        QString::fromStdString(zkt::tr("The ZKT does not hold what was written:\n")) +
                            lines.join(QLatin1Char('\n')),
                        QMessageBox::Ok, m_owner);
    box->setObjectName(QStringLiteral("msgVerifyFailed"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    box->show();
}

} // namespace zkt
