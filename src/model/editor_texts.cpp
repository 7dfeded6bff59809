#include "model/editor_texts.h"

namespace zkt::editortext {

ChannelRowNames channelRowNames(int midiChannel) {
    const std::string channel = "Channel " + std::to_string(midiChannel);
    return {channel,
            channel + " key offset",
            channel + " velocity on",
            channel + " fixed velocity",
            channel + " analog input",
            channel + " controller type"};
}

std::string withoutMnemonic(std::string_view text) {
    std::string plain;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size())
            ++i;
        plain += text[i];
    }
    return plain;
}

} // namespace zkt::editortext
