#pragma once
// Widget making shared by both editors: controls named as the dialogs' designs name them
// (array elements as name_N), and the Save / Cancel row. The lists are filled by drawing the
// editors' forms.

#include <QString>

class QBoxLayout;
class QHBoxLayout;
class QCheckBox;
class QComboBox;
class QDialog;
class QLabel;
class QPushButton;
class QWidget;

namespace zkt {

QString indexedName(const char* base, int index);

QComboBox* newList(QWidget& parent, const char* base, int index);
QCheckBox* newCheckBox(QWidget& parent, const QString& caption, const char* base, int index);
QLabel* newBoldLabel(QWidget& parent, const QString& text);
// A row of a caption (its mnemonic moves to input) and input, which takes the rest of the width.
QHBoxLayout* newCaptionedRow(QWidget& parent, const QString& caption, QWidget& input);

struct SaveCancelButtons {
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;
    QLabel* lblSaveRefused = nullptr; // why "Save" stored nothing; hidden until then
};

// Adds the centred "Save" (default) and "Cancel" buttons to layout, with the hidden line that
// says why a Save was refused above them; "Cancel" rejects dialog.
SaveCancelButtons addSaveCancelButtons(QDialog& dialog, QBoxLayout& layout);

} // namespace zkt
