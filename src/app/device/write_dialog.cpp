#include "app/device/write_dialog.h"

#include "widgets/dialog_placement.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zkt {

WriteDialog::WriteDialog(QWidget* owner) : QDialog(owner) {
    setObjectName(QStringLiteral("frmWrite"));
    setWindowTitle(QStringLiteral("Write Program Data to ZKT"));

    m_plan = new QPlainTextEdit(this);
    m_plan->setObjectName(QStringLiteral("txtPlan"));
    m_plan->setReadOnly(true);
    m_plan->setMinimumSize(560, 220);
    m_backup = new QCheckBox(QStringLiteral("Keep a &backup of what the ZKT holds before writing"), this);
    m_backup->setObjectName(QStringLiteral("chkBackup"));
    m_everyManual =
        new QCheckBox(QStringLiteral("Write &every manual, also those that have not changed"), this);
    m_everyManual->setObjectName(QStringLiteral("chkEveryManual"));
    m_verify = new QCheckBox(QStringLiteral("&Read the manuals back afterwards and compare them"), this);
    m_verify->setObjectName(QStringLiteral("chkVerify"));
    m_verifyAll = new QCheckBox(QStringLiteral("Read back &all manuals, not only those written"), this);
    m_verifyAll->setObjectName(QStringLiteral("chkVerifyAll"));
    // Reading back every manual only means something when manuals are read back at all.
    connect(m_verify, &QCheckBox::toggled, m_verifyAll, &QWidget::setEnabled);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* write = buttons->addButton(QStringLiteral("&Write"), QDialogButtonBox::AcceptRole);
    write->setObjectName(QStringLiteral("cmdWrite"));
    write->setDefault(true);
    QPushButton* cancel = buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("cmdCancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("What the write will change:"), this));
    layout->addWidget(m_plan);
    layout->addWidget(m_backup);
    layout->addWidget(m_everyManual);
    layout->addWidget(m_verify);
    layout->addWidget(m_verifyAll);
    layout->addWidget(buttons);
}

std::optional<WriteOptions> WriteDialog::ask(const WriteOptions& current,
                                             const std::vector<std::string>& planLines) {
    QStringList lines;
    for (const std::string& line : planLines)
        lines << QString::fromStdString(line);
    if (lines.isEmpty())
        lines << QStringLiteral(
            "The ZKT is not read before this write, so every manual of the configuration "
            "will be written. Tick the backup, or untick \"every manual\", to read it first.");
    m_plan->setPlainText(lines.join(QLatin1Char('\n')));
    m_backup->setChecked(current.backup);
    m_everyManual->setChecked(!current.onlyChanged);
    m_verify->setChecked(current.verify);
    m_verifyAll->setChecked(current.verifyAll);
    m_verifyAll->setEnabled(current.verify);
    adjustSize();
    if (parentWidget() != nullptr)
        centreOver(*this, *parentWidget());
    if (exec() != QDialog::Accepted)
        return std::nullopt;
    WriteOptions chosen = current;
    chosen.backup = m_backup->isChecked();
    chosen.onlyChanged = !m_everyManual->isChecked();
    chosen.verify = m_verify->isChecked();
    chosen.verifyAll = m_verifyAll->isChecked();
    return chosen;
}

} // namespace zkt
