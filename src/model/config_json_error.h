#pragma once
// Rejected JSON: the message says where (manual, piston or channel, field) and why.

#include <stdexcept>

namespace zkt {

class ConfigJsonError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace zkt
