#pragma once
// What a write the user asks for begins with, for the window and the page alike.

#include "link/safe_write.h"
#include "model/config_model.h"

#include <string>
#include <vector>

namespace zkt {

struct WriteStart {
    enum class First {
        refuse,   // a configuration without manuals has nothing to write
        ask,      // nothing is read first (no backup, every manual): the write dialog before anything
        readFirst // the chain is read first, and the dialog then shows what the write will change
    };
    First first = First::readFirst;
    std::vector<std::string> refusal; // why, for refuse
};

WriteStart writeStart(const ConfigModel& model, const WriteOptions& options);

} // namespace zkt
