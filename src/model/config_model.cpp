#include "model/config_model.h"

namespace zkt {

namespace {

ConfigModel withDeviceStateOf(ConfigModel configuration, const ConfigModel& device) {
    configuration.hardwareType = device.hardwareType;
    configuration.firmwareVersion = device.firmwareVersion;
    return configuration;
}

} // namespace

ConfigModel::ConfigModel() {
    channelTranspose.fill(defaultTranspose);
    channelVelocity.fill(defaultVelocity);
}

bool sameConfiguration(const ConfigModel& a, const ConfigModel& b) {
    return withDeviceStateOf(a, b) == b;
}

void takeConfiguration(ConfigModel& target, const ConfigModel& source) {
    target = withDeviceStateOf(source, target);
}

} // namespace zkt
