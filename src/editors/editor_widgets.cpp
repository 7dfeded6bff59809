#include "editors/editor_widgets.h"

#include "model/editor_texts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace zkt {

QString indexedName(const char* base, int index) {
    return QStringLiteral("%1_%2").arg(QLatin1String(base)).arg(index);
}

QComboBox* newList(QWidget& parent, const char* base, int index) {
    auto* combo = new QComboBox(&parent);
    combo->setObjectName(indexedName(base, index));
    return combo;
}

QCheckBox* newCheckBox(QWidget& parent, const QString& caption, const char* base, int index) {
    auto* check = new QCheckBox(caption, &parent);
    check->setObjectName(indexedName(base, index));
    return check;
}

QLabel* newBoldLabel(QWidget& parent, const QString& text) {
    auto* label = new QLabel(text, &parent);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

QHBoxLayout* newCaptionedRow(QWidget& parent, const QString& caption, QWidget& input) {
    auto* label = new QLabel(caption, &parent);
    label->setBuddy(&input);
    auto* row = new QHBoxLayout;
    row->addWidget(label);
    row->addWidget(&input, 1);
    return row;
}

SaveCancelButtons addSaveCancelButtons(QDialog& dialog, QBoxLayout& layout) {
    SaveCancelButtons buttons;
    buttons.lblSaveRefused = newBoldLabel(dialog, QString());
    buttons.lblSaveRefused->setObjectName(QStringLiteral("lblSaveRefused"));
    buttons.lblSaveRefused->setWordWrap(true);
    buttons.lblSaveRefused->setStyleSheet(QStringLiteral("QLabel { color: rgb(176, 0, 0); }"));
    buttons.lblSaveRefused->hide();
    layout.addWidget(buttons.lblSaveRefused);

    buttons.cmdOK = new QPushButton(QString::fromStdString(editortext::save()), &dialog);
    buttons.cmdOK->setObjectName(QStringLiteral("cmdOK"));
    buttons.cmdOK->setDefault(true);
    buttons.cmdCancel = new QPushButton(QString::fromStdString(editortext::cancel()), &dialog);
    buttons.cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    QObject::connect(buttons.cmdCancel, &QPushButton::clicked, &dialog, &QDialog::reject);

    auto* row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(buttons.cmdOK);
    row->addWidget(buttons.cmdCancel);
    row->addStretch(1);
    layout.addLayout(row);
    return buttons;
}

} // namespace zkt
