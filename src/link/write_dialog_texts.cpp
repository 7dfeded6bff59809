#include "link/write_dialog_texts.h"

#include "i18n/tr.h"
#include "link/write_plan.h"
#include "model/editor_texts.h"

namespace zkt {

WriteDialogTexts writeDialogTexts() {
    return {tr("Write Program Data to ZKT"),
            tr("What the write will change:"),
            tr("Keep a &backup of what the ZKT holds before writing"),
            everyManualCaption(),
            tr("&Read the manuals back afterwards and compare them"),
            tr("Read back &all manuals, not only those written"),
            tr("&Write"),
            editortext::cancel(),
            tr("Close"),
            tr("The ZKT is not read before this write, so every manual of the configuration will be written. "
               "Tick the backup, or untick \"every manual\", to read it first.")};
}

} // namespace zkt
