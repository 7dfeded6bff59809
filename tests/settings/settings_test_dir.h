#pragma once
// A fresh, empty folder per test, removed afterwards, so settings tests never share files.

#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace zkt::test {

class SettingsTestDir : public ::testing::Test {
protected:
    std::string file(const std::string& name) const { return m_folder.file(name); }

    static std::string readAll(const std::string& path) { return readWholeFile(path); }
    static void writeAll(const std::string& path, const std::string& text) {
        std::ofstream(path, std::ios::binary) << text;
    }

    const std::filesystem::path& dir() const { return m_folder.path(); }

private:
    TempFolder m_folder;
};

} // namespace zkt::test
