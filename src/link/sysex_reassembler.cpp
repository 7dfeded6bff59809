#include "link/sysex_reassembler.h"

namespace zkt {

namespace {

bool isRealTime(std::uint8_t byte) {
    return byte >= 0xF8;
}
bool isStatus(std::uint8_t byte) {
    return byte >= 0x80;
}

} // namespace

SysExReassembler::SysExReassembler(std::size_t maxMessageSize) : m_maxMessageSize(maxMessageSize) {}

std::vector<Bytes> SysExReassembler::feed(std::span<const std::uint8_t> bytes) {
    std::vector<Bytes> complete;
    for (const std::uint8_t byte : bytes) {
        // Real-time bytes may legally appear anywhere, even inside a SysEx, without ending it.
        if (isRealTime(byte)) {
            continue;
        }
        if (byte == 0xF0) {
            discardPartial();
            m_partial.assign(1, byte);
            m_inMessage = true;
            continue;
        }
        if (!m_inMessage) {
            continue;
        }
        if (byte == 0xF7) {
            m_partial.push_back(byte);
            if (!m_tooLong && m_partial.size() <= m_maxMessageSize) {
                complete.push_back(std::move(m_partial));
                m_partial.clear();
                m_inMessage = false;
            } else {
                discardPartial();
            }
            continue;
        }
        if (isStatus(byte)) {
            discardPartial();
            continue;
        }
        // Past the limit only the length matters; keeping the bytes would let junk fill memory.
        if (m_partial.size() < m_maxMessageSize) {
            m_partial.push_back(byte);
        } else {
            m_tooLong = true;
        }
    }
    return complete;
}

void SysExReassembler::reset() {
    m_partial.clear();
    m_inMessage = false;
    m_tooLong = false;
}

void SysExReassembler::discardPartial() {
    if (m_inMessage) {
        ++m_discarded;
    }
    reset();
}

} // namespace zkt
