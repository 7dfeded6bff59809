#pragma once
// Where a manual's name or a piston's label is typed: the editors and the piston overview take
// the same text, at most longestConsoleName characters however it was typed or pasted.

#include <QString>
#include <string>

class QLineEdit;
class QWidget;

namespace zkt {

QLineEdit* newConsoleNameInput(QWidget& parent, const QString& objectName, const QString& accessibleName);

} // namespace zkt
