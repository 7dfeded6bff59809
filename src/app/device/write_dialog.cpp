#include "app/device/write_dialog.h"

#include "link/write_dialog_texts.h"
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
    const WriteDialogTexts texts = writeDialogTexts();
    const auto shown = [](const std::string& text) { return QString::fromStdString(text); };
    setWindowTitle(shown(texts.title));

    m_plan = new QPlainTextEdit(this);
    m_plan->setObjectName(QStringLiteral("txtPlan"));
    m_plan->setReadOnly(true);
    m_plan->setMinimumSize(560, 220);
    m_backup = new QCheckBox(shown(texts.backup), this);
    m_backup->setObjectName(QStringLiteral("chkBackup"));
    m_everyManual = new QCheckBox(shown(texts.everyManual), this);
    m_everyManual->setObjectName(QStringLiteral("chkEveryManual"));
    m_verify = new QCheckBox(shown(texts.verify), this);
    m_verify->setObjectName(QStringLiteral("chkVerify"));
    m_verifyAll = new QCheckBox(shown(texts.verifyAll), this);
    m_verifyAll->setObjectName(QStringLiteral("chkVerifyAll"));
    // Reading back every manual only means something when manuals are read back at all.
    connect(m_verify, &QCheckBox::toggled, m_verifyAll, &QWidget::setEnabled);

    auto* buttons = new QDialogButtonBox(this);
    m_write = buttons->addButton(shown(texts.write), QDialogButtonBox::AcceptRole);
    m_write->setObjectName(QStringLiteral("cmdWrite"));
    m_write->setDefault(true);
    m_cancel = buttons->addButton(shown(texts.cancel), QDialogButtonBox::RejectRole);
    m_cancel->setObjectName(QStringLiteral("cmdCancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(shown(texts.planHeading), this));
    layout->addWidget(m_plan);
    layout->addWidget(m_backup);
    layout->addWidget(m_everyManual);
    layout->addWidget(m_verify);
    layout->addWidget(m_verifyAll);
    layout->addWidget(buttons);
}

void WriteDialog::showLines(const std::vector<std::string>& lines) {
    QStringList text;
    for (const std::string& line : lines)
        text << QString::fromStdString(line);
    m_plan->setPlainText(text.join(QLatin1Char('\n')));
}

void WriteDialog::tell(const std::vector<std::string>& lines) {
    showLines(lines);
    setOptionsShown(false);
    adjustSize();
    if (parentWidget() != nullptr)
        centreOver(*this, *parentWidget());
    exec();
    setOptionsShown(true);
}

void WriteDialog::setOptionsShown(bool shown) {
    for (QWidget* option :
         std::initializer_list<QWidget*>{m_backup, m_everyManual, m_verify, m_verifyAll, m_write})
        option->setVisible(shown);
    const WriteDialogTexts texts = writeDialogTexts();
    m_cancel->setText(QString::fromStdString(shown ? texts.cancel : texts.close));
}

std::optional<WriteOptions> WriteDialog::ask(const WriteOptions& current,
                                             const std::vector<std::string>& planLines, bool nothingChanges) {
    std::vector<std::string> lines = planLines;
    if (lines.empty())
        lines.push_back(writeDialogTexts().notReadFirst);
    if (nothingChanges)
        lines.push_back(nothingToWriteText());
    showLines(lines);
    // Writing what the chain already holds only makes sense when asked for every manual.
    const auto allowWrite = [this, nothingChanges] {
        m_write->setEnabled(!nothingChanges || m_everyManual->isChecked());
    };
    const QMetaObject::Connection everyManualTicked =
        connect(m_everyManual, &QCheckBox::toggled, this, allowWrite);
    m_backup->setChecked(current.backup);
    m_everyManual->setChecked(!current.onlyChanged);
    m_verify->setChecked(current.verify);
    m_verifyAll->setChecked(current.verifyAll);
    m_verifyAll->setEnabled(current.verify);
    allowWrite();
    adjustSize();
    if (parentWidget() != nullptr)
        centreOver(*this, *parentWidget());
    const int answer = exec();
    disconnect(everyManualTicked);
    m_write->setEnabled(true);
    if (answer != QDialog::Accepted)
        return std::nullopt;
    WriteOptions chosen = current;
    chosen.backup = m_backup->isChecked();
    chosen.onlyChanged = !m_everyManual->isChecked();
    chosen.verify = m_verify->isChecked();
    chosen.verifyAll = m_verifyAll->isChecked();
    return chosen;
}

} // namespace zkt
