#include "widgets/plain_tool_tip.h"

#include <QTextDocument>

namespace zkt {

QString plainToolTip(const QString& text) {
    // Plain text that looks like plain text stays as it is, for whoever reads it back.
    return Qt::mightBeRichText(text) ? Qt::convertFromPlainText(text, Qt::WhiteSpaceNormal) : text;
}

} // namespace zkt
