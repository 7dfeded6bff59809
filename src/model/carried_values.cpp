#include "model/carried_values.h"

#include "i18n/format_text.h"
#include "i18n/tr.h"

#include <algorithm>

namespace zkt {

namespace {

constexpr std::uint8_t noVelocity = 0x00;

} // namespace

PistonFault pistonFault(const pistonInfo& piston) {
    switch (static_cast<FunctionGroup>(piston.functionGroup)) {
    case FunctionGroup::bankSelect:
        if (piston.bankSelMSBFlag || piston.bankSelLSBFlag)
            return PistonFault::none;
        return piston.bankSelProgramFlag ? PistonFault::bankSelectOnlyProgram
                                         : PistonFault::bankSelectSendsNothing;
    case FunctionGroup::plexoFunction:
        return piston.programNumber == piston.functionType ? PistonFault::none
                                                           : PistonFault::plexoNumberIsNotItsType;
    default:
        return PistonFault::none;
    }
}

std::string pistonFaultInWords(PistonFault fault) {
    switch (fault) {
    case PistonFault::none:
        break;
    case PistonFault::bankSelectSendsNothing:
        return "This Bank Select sends nothing: check \"Send Bank Select MSB\", \"Send Bank Select LSB\" or "
               "both. Saved like this, the organ would get an unassigned piston.";
    case PistonFault::bankSelectOnlyProgram:
        return "A Program Change alone is a Program Change piston: check \"Send Bank Select MSB\" or "
               "\"Send Bank Select LSB\" as well, or choose \"Program Change\".";
    case PistonFault::plexoNumberIsNotItsType:
        return "This PLEXO function's number is not the function chosen: choose the function again.";
    }
    return {};
}

std::string pistonFaultWithFields(PistonFault fault, const pistonInfo& piston) {
    switch (fault) {
    case PistonFault::none:
        break;
    case PistonFault::bankSelectSendsNothing:
        return "bankSelMSBFlag, bankSelLSBFlag and bankSelProgramFlag are all false: a Bank Select that "
               "sends nothing would be written as an unassigned piston";
    case PistonFault::bankSelectOnlyProgram:
        return "bankSelMSBFlag and bankSelLSBFlag are false: with bankSelProgramFlag alone, the program "
               "change would be read back as a Program Change piston (functionGroup 7)";
    case PistonFault::plexoNumberIsNotItsType:
        return "programNumber " + std::to_string(piston.programNumber) + " is not the functionType " +
               std::to_string(piston.functionType) +
               ": a PLEXO function is written as one number, which its description gives as programNumber";
    }
    return {};
}

void numberAsTheImageDoes(pistonInfo& piston) {
    if (piston.functionGroup == static_cast<int>(FunctionGroup::plexoFunction))
        piston.programNumber = piston.functionType;
}

bool velocityIsCarried(std::uint8_t velocityByte) {
    return velocityByte != noVelocity;
}

std::string velocityFaultInWords(int channel) {
    return formatText(tr("Channel %1: a fixed velocity of 0 is read back by the organ as 127. Choose 1 to "
                         "127, or velocity sensing."),
                      channel);
}

std::string velocityFaultWithField(std::uint8_t velocityByte) {
    return "channelVelocity " + std::to_string(velocityByte) +
           " (a fixed velocity of 0) would be read back as 127, the MCU's \"no velocity\"";
}

std::vector<std::string> uncarriedValues(const ConfigModel& model) {
    std::vector<std::string> found;
    const int manuals = std::clamp<int>(model.numberOfManuals, 0, maxManuals);
    for (int m = 0; m < manuals; ++m) {
        const std::string manual = "Manual " + std::to_string(m + 1) + ", ";
        for (int c = 1; c <= channelsPerManual; ++c) {
            const std::uint8_t velocity =
                model.channelVelocity[static_cast<std::size_t>(channelSlotOf(m, c))];
            if (!velocityIsCarried(velocity))
                found.push_back(manual + "channel " + std::to_string(c) + ": " +
                                velocityFaultWithField(velocity));
        }
        for (int k = 0; k < pistonsPerManual; ++k) {
            const pistonInfo& piston = model.pistons[static_cast<std::size_t>(pistonIndexOf(m, k))];
            if (const PistonFault fault = pistonFault(piston); fault != PistonFault::none)
                found.push_back(manual + "piston " + std::to_string(k + 1) + ": " +
                                pistonFaultWithFields(fault, piston));
        }
    }
    return found;
}

} // namespace zkt
