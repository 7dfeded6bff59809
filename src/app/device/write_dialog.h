#pragma once
// "Write Program Data to ZKT": what the write will change, manual by manual and field by
// field, and how it is done (a backup first, every manual or only those that changed, a
// read-back after), with Write and Cancel.

#include "link/safe_write.h"

#include <QDialog>
#include <optional>
#include <string>
#include <vector>

class QCheckBox;
class QPlainTextEdit;

namespace zkt {

class WriteDialog : public QDialog {
    Q_OBJECT
public:
    explicit WriteDialog(QWidget* owner);

    // Shows the dialog modally; the options to write with, or empty for Cancel. planLines
    // empty: the chain has not been read, so every manual of the configuration is written.
    // nothingChanges: the plan writes no manual, so Write waits for "every manual" to be ticked.
    std::optional<WriteOptions> ask(const WriteOptions& current, const std::vector<std::string>& planLines,
                                    bool nothingChanges = false);
    // The lines, with Close only: there is nothing this write could send.
    void tell(const std::vector<std::string>& lines);

private:
    void showLines(const std::vector<std::string>& lines);
    void setOptionsShown(bool shown);

    QPlainTextEdit* m_plan;
    QPushButton* m_write;
    QPushButton* m_cancel;
    QCheckBox* m_backup;
    QCheckBox* m_everyManual;
    QCheckBox* m_verify;
    QCheckBox* m_verifyAll;
};

} // namespace zkt
