#pragma once
// The settings file entry by entry: set Path, Section and Key (and Default for reads), then read
// or assign Value. Every call opens and closes the file, so nothing stays open. The program's own
// keys go through SettingsFile (settings_file.h), which knows their types and defaults.

#include "settings/form_geometry.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zkt {

class cInifile {
public:
    // The longest value a read gives back whole.
    static constexpr std::size_t longestValue = 254;

    // Non-zero when the last write or delete succeeded; 0 at creation and after any failure.
    std::int32_t LastReturnCode() const { return m_lastReturnCode; }
    bool Success() const { return m_lastReturnCode != 0; }

    void Default(std::string value) { m_default = std::move(value); }
    const std::string& Default() const { return m_default; }
    void Path(std::string value) { m_path = std::move(value); }
    const std::string& Path() const { return m_path; }
    void Key(std::string value) { m_key = std::move(value); }
    const std::string& Key() const { return m_key; }
    void Section(std::string value) { m_section = std::move(value); }
    const std::string& Section() const { return m_section; }

    // Key's value in Section, or Default when missing; at most longestValue characters. Leaves
    // LastReturnCode alone.
    std::string Value() const;
    // Zero characters are dropped first; an empty text removes the key. Fails (LastReturnCode 0)
    // without touching the file when Section or Key is empty, so a forgotten Key never wipes a
    // whole section.
    void Value(std::string_view sValue);
    void DeleteKey();
    void DeleteSection();

    // Key names of Section, then section names of the file, each name followed by a zero character.
    std::string INISection() const;
    std::string Sections() const;
    // The same lists split into names, in file order. The current section keeps every name; the
    // list of sections leaves out empty names.
    std::vector<std::string> EnumerateCurrentSection() const;
    std::vector<std::string> EnumerateAllSections() const;

    // Stores the placement in Section under the placement keys (settings_table.h): whether it is
    // maximised and, unless it is, its position and size; a minimised window stores nothing. Key is
    // left as it was.
    void SaveFormPosition(const FormGeometry& frmThis);
    // Applies the stored placement, kept on the screen and no smaller than the minimum, and the
    // stored maximised state. Key and Default are left as they were.
    void LoadFormPosition(FormGeometry& frmThis, long lMinWidth, long lMinHeight);

    // Decimal text rounded to the nearest integer (halves to the even one); lDefault when the text
    // is empty, not a number or outside 32 bits.
    static std::int32_t CLngDefault(std::string_view sString, std::int32_t lDefault);

private:
    void recordWrite(bool succeeded) { m_lastReturnCode = succeeded ? 1 : 0; }
    bool writeKey(std::string_view key, const std::string& text);

    std::string m_path;
    std::string m_key;
    std::string m_section;
    std::string m_default;
    std::int32_t m_lastReturnCode = 0;
};

} // namespace zkt
