#include "settings/ini_file.h"

#include "settings/profile_file.h"
#include "settings/settings_table.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <exception>
#include <limits>
#include <optional>

namespace zkt {

namespace {

// Buffer sizes of the classic profile calls; the value buffer is why reads stop at longestValue.
constexpr std::size_t valueBufferSize = cInifile::longestValue + 1;
constexpr std::size_t nameListBufferSize = 8192;

std::vector<std::string> splitNameList(std::string_view list, bool keepEmptyNames) {
    std::vector<std::string> names;
    std::size_t start = 0;
    for (auto zero = list.find('\0'); zero != std::string_view::npos; zero = list.find('\0', start)) {
        const auto name = list.substr(start, zero - start);
        if (keepEmptyNames || !name.empty()) {
            names.emplace_back(name);
        }
        start = zero + 1;
    }
    return names;
}

double roundHalfToEven(double number) {
    const double below = std::floor(number);
    const double fraction = number - below;
    if (fraction > 0.5) {
        return below + 1;
    }
    if (fraction < 0.5) {
        return below;
    }
    return std::fmod(below, 2.0) == 0.0 ? below : below + 1;
}

std::optional<std::int32_t> parseRoundedInt32(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return std::nullopt;
    }
    text = text.substr(first, text.find_last_not_of(" \t") - first + 1);
    // from_chars takes no plus sign, but people write one.
    if (text.front() == '+') {
        text.remove_prefix(1);
        if (text.empty() || text.front() == '-' || text.front() == '+') {
            return std::nullopt;
        }
    }
    double number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(number)) {
        return std::nullopt;
    }
    const double rounded = roundHalfToEven(number);
    if (rounded < std::numeric_limits<std::int32_t>::min() ||
        rounded > std::numeric_limits<std::int32_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(rounded);
}

} // namespace

std::string cInifile::Value() const {
    return readProfileString(m_path, m_section, m_key, m_default, valueBufferSize);
}

void cInifile::Value(std::string_view sValue) {
    std::string text(sValue);
    std::erase(text, '\0');
    recordWrite(writeProfileString(m_path, m_section, m_key,
                                   text.empty() ? std::nullopt : std::optional<std::string_view>(text)));
}

void cInifile::DeleteKey() {
    recordWrite(writeProfileString(m_path, m_section, m_key, std::nullopt));
}

void cInifile::DeleteSection() {
    recordWrite(writeProfileString(m_path, m_section, std::nullopt, std::nullopt));
}

std::string cInifile::INISection() const {
    return readProfileString(m_path, m_section, std::nullopt, m_default, nameListBufferSize);
}

std::string cInifile::Sections() const {
    return readProfileString(m_path, std::nullopt, std::nullopt, {}, nameListBufferSize);
}

std::vector<std::string> cInifile::EnumerateCurrentSection() const {
    return splitNameList(INISection(), true);
}

std::vector<std::string> cInifile::EnumerateAllSections() const {
    return splitNameList(Sections(), false);
}

bool cInifile::writeKey(std::string_view key, const std::string& text) {
    m_key = key;
    Value(text);
    return Success();
}

void cInifile::SaveFormPosition(const FormGeometry& frmThis) {
    const std::string savedKey = m_key;
    try {
        if (!frmThis.minimised && writeKey(placementkey::maximised, frmThis.maximised ? "1" : "0") &&
            !frmThis.maximised) {
            // Stops at the first failed write; LastReturnCode then tells the caller.
            writeKey(placementkey::left, std::to_string(frmThis.left)) &&
                writeKey(placementkey::top, std::to_string(frmThis.top)) &&
                writeKey(placementkey::width, std::to_string(frmThis.width)) &&
                writeKey(placementkey::height, std::to_string(frmThis.height));
        }
    } catch (const std::exception&) {
        recordWrite(false);
    }
    m_key = savedKey;
}

void cInifile::LoadFormPosition(FormGeometry& frmThis, long lMinWidth, long lMinHeight) {
    const std::string savedKey = m_key;
    const std::string savedDefault = m_default;
    try {
        // A missing key must not convert, so that the window's current value stays.
        m_default = "FAIL";
        const auto stored = [this](std::string_view key, long current) -> long {
            m_key = key;
            const auto value = parseRoundedInt32(Value());
            return value ? *value : current;
        };
        PlacementRect rect;
        rect.left = stored(placementkey::left, frmThis.left);
        rect.top = stored(placementkey::top, frmThis.top);
        rect.width = std::max(stored(placementkey::width, frmThis.width), lMinWidth);
        rect.height = std::max(stored(placementkey::height, frmThis.height), lMinHeight);
        rect = keepOnScreen(rect, frmThis.screen);
        if (rect.width >= lMinWidth && rect.height >= lMinHeight) {
            frmThis.left = rect.left;
            frmThis.top = rect.top;
            frmThis.width = rect.width;
            frmThis.height = rect.height;
        }
        m_key = placementkey::maximised;
        if (CLngDefault(Value(), 0) != 0) {
            frmThis.maximised = true;
        }
    } catch (const std::exception&) {
        recordWrite(false);
    }
    m_key = savedKey;
    m_default = savedDefault;
}

std::int32_t cInifile::CLngDefault(std::string_view sString, std::int32_t lDefault) {
    return parseRoundedInt32(sString).value_or(lDefault);
}

} // namespace zkt
