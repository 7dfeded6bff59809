#include "link/chain_count.h"

#include "link/protocol.h"
#include "model/config_model.h"

namespace zkt {

ChainCount chainCountFromTag(std::uint8_t returnedCount) {
    const int boards = static_cast<int>(returnedCount) - protocol::tagStartCount;
    return {boards, boards >= 1 && boards <= maxManuals};
}

} // namespace zkt
