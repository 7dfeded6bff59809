#pragma once
// Readers that take a path get the fuzzer's bytes through one scratch file per process.

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <string>
#include <unistd.h>

namespace zkt::fuzz {

inline std::string writeScratchFile(const std::uint8_t* data, std::size_t size, const char* extension) {
    const std::string path = "/tmp/zkt-fuzz-" + std::to_string(::getpid()) + extension;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    return path;
}

} // namespace zkt::fuzz
