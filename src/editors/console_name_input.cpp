#include "editors/console_name_input.h"

#include "model/console_names.h"

#include <QLineEdit>
#include <QValidator>
#include <algorithm>

namespace zkt {

namespace {

// Counts characters as the model does, in code points: a line edit's own maximum counts UTF-16
// units and would cut a name of 40 characters beyond the Basic Multilingual Plane in half.
class ConsoleNameValidator : public QValidator {
public:
    using QValidator::QValidator;

    State validate(QString& input, int& position) const override {
        qsizetype end = 0;
        for (std::size_t characters = 0; end < input.size() && characters < longestConsoleName;
             ++characters) {
            const bool pair = input.at(end).isHighSurrogate() && end + 1 < input.size() &&
                              input.at(end + 1).isLowSurrogate();
            end += pair ? 2 : 1;
        }
        // Pasted text too long is cut, as a line edit's maximum length would cut it.
        if (end < input.size()) {
            input.truncate(end);
            position = std::min(position, static_cast<int>(end));
        }
        return Acceptable;
    }
};

} // namespace

QLineEdit* newConsoleNameInput(QWidget& parent, const QString& objectName, const QString& accessibleName) {
    auto* input = new QLineEdit(&parent);
    input->setObjectName(objectName);
    input->setAccessibleName(accessibleName);
    input->setValidator(new ConsoleNameValidator(input));
    return input;
}

} // namespace zkt
