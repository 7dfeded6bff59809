#include "settings/profile_file.h"

#include <SimpleIni.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace zkt {

namespace {

using Ini = CSimpleIniA; // compares section and key names without regard to case

enum class FileState { loaded, missing, unreadable };

void configure(Ini& ini) {
    ini.SetUnicode(false);
    ini.SetMultiKey(false);
    ini.SetMultiLine(false);
    ini.SetSpaces(false);
}

FileState load(const std::string& path, Ini& ini) {
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (status.type() == std::filesystem::file_type::not_found) {
        return FileState::missing;
    }
    if (error || status.type() != std::filesystem::file_type::regular) {
        return FileState::unreadable;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return FileState::unreadable;
    }
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad()) {
        return FileState::unreadable;
    }
    return ini.LoadData(text) < 0 ? FileState::unreadable : FileState::loaded;
}

// A crash or a full disk while writing must never leave a half settings file behind.
bool replaceFile(const std::string& path, const std::string& contents) {
    std::filesystem::path temporary(path);
    temporary += ".tmp";
    std::error_code error;
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(contents.data(), static_cast<std::streamsize>(contents.size()));
        out.close();
        if (!out) {
            std::filesystem::remove(temporary, error);
            return false;
        }
    }
    std::filesystem::rename(temporary, path, error);
    if (error) {
        std::filesystem::remove(temporary, error);
        return false;
    }
    return true;
}

std::string nameList(Ini::TNamesDepend names) {
    names.sort(Ini::Entry::LoadOrder());
    std::string list;
    for (const auto& name : names) {
        list += name.pItem;
        list += '\0';
    }
    return list;
}

std::string fitBuffer(std::string text, std::size_t bufferSize, bool isNameList) {
    if (bufferSize == 0) {
        return {};
    }
    if (text.size() > bufferSize - 1) {
        const std::size_t kept = isNameList ? (bufferSize >= 2 ? bufferSize - 2 : 0) : bufferSize - 1;
        text.resize(kept);
    }
    return text;
}

bool hasLineBreakOrZero(std::string_view text) {
    return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

// Anything else would come back as a different name, or as no name at all, on the next load.
bool isWritableSection(std::string_view section) {
    return !section.empty() && !hasLineBreakOrZero(section) && section.find(']') == std::string_view::npos;
}

bool isWritableKey(std::string_view key) {
    return !key.empty() && !hasLineBreakOrZero(key) && key.find('=') == std::string_view::npos &&
           key.front() != '[' && key.front() != ';' && key.front() != '#';
}

} // namespace

std::string readProfileString(const std::string& path, std::optional<std::string_view> section,
                              std::optional<std::string_view> key, std::string_view defaultText,
                              std::size_t bufferSize) {
    Ini ini;
    configure(ini);
    const bool loaded = load(path, ini) == FileState::loaded;

    if (!section) {
        Ini::TNamesDepend sections;
        if (loaded) {
            ini.GetAllSections(sections);
        }
        return fitBuffer(nameList(sections), bufferSize, true);
    }
    const std::string sectionName(*section);
    if (!key) {
        Ini::TNamesDepend keys;
        if (loaded) {
            ini.GetAllKeys(sectionName.c_str(), keys);
        }
        return fitBuffer(nameList(keys), bufferSize, true);
    }
    const std::string keyName(*key);
    const char* value = loaded ? ini.GetValue(sectionName.c_str(), keyName.c_str(), nullptr) : nullptr;
    return fitBuffer(value ? std::string(value) : std::string(defaultText), bufferSize, false);
}

bool writeProfileString(const std::string& path, std::string_view section,
                        std::optional<std::string_view> key, std::optional<std::string_view> text) {
    if (!isWritableSection(section) || (key && !isWritableKey(*key)) || (text && hasLineBreakOrZero(*text))) {
        return false;
    }
    Ini ini;
    configure(ini);
    if (load(path, ini) == FileState::unreadable) {
        return false;
    }
    const std::string sectionName(section);
    if (!key) {
        if (!ini.Delete(sectionName.c_str(), nullptr)) {
            return true; // nothing to remove, nothing to rewrite
        }
    } else if (!text) {
        if (!ini.Delete(sectionName.c_str(), std::string(*key).c_str())) {
            return true;
        }
    } else if (ini.SetValue(sectionName.c_str(), std::string(*key).c_str(), std::string(*text).c_str()) < 0) {
        return false;
    }
    std::string contents;
    if (ini.Save(contents) < 0) {
        return false;
    }
    return replaceFile(path, contents);
}

} // namespace zkt
