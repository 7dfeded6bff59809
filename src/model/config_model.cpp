#include "model/config_model.h"

namespace zkt {

ConfigModel::ConfigModel() {
    channelTranspose.fill(defaultTranspose);
    channelVelocity.fill(defaultVelocity);
}

} // namespace zkt
