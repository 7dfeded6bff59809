#include "i18n/list_text.h"

#include "i18n/format_text.h"
#include "i18n/tr.h"

namespace zkt {

std::string listText(const std::vector<std::string>& items, ListJoin join) {
    if (items.empty())
        return {};
    std::string head = items.front();
    for (std::size_t i = 1; i + 1 < items.size(); ++i)
        // TRANSLATORS: joins all but the last two of a list ("A, B and C").
        head = formatText(tr("%1, %2"), head, items[i]);
    if (items.size() == 1)
        return head;
    // TRANSLATORS: the last two of a list of places, manuals or messages.
    return formatText(join == ListJoin::all ? tr("%1 and %2") : tr("%1 or %2"), head, items.back());
}

} // namespace zkt
