#include "model/function_group_rules.h"
#include "model/image_layout.h"
#include "model/program_image.h"
#include "model/vocabulary.h"

namespace zkt {

using namespace imagepos;

namespace {

constexpr int imageFormatForType18 = 19;
constexpr int imageFormatDefault = 18;
constexpr std::uint8_t hardwareTypeWithNewFormat = 18;
constexpr std::uint8_t unusedEntryByte = 0xFF;

// A value about to become a byte, and the model field it came from, so that an overflow
// can say which field of which record is to blame.
struct ByteSource {
    int value;
    const char* field = nullptr; // null for constants, which always fit
    int fieldValue = 0;
};

ByteSource constant(int value) {
    return {value};
}

ByteSource fromChannel(const pistonInfo& p, int kindBits) {
    return {(p.midiChannel - 1) | kindBits, "midiChannel", p.midiChannel};
}

// A byte computed from the group's value, blamed on the field that holds it.
ByteSource fromValue(const pistonInfo& p, int value) {
    if (valueIsProgram(p.functionGroup)) {
        return {value, "programNumber", p.programNumber};
    }
    return {value, "functionType", p.functionType};
}

int couplerCode(int type) {
    const auto& codes =
        vocabulary().functionCodeBytes[static_cast<std::size_t>(FunctionGroup::ahlbornCoupler)];
    if (type < 0 || type >= static_cast<int>(codes.size())) {
        return 0;
    }
    return *codes[static_cast<std::size_t>(type)];
}

struct EntrySources {
    ByteSource first;
    ByteSource second;
};

EntrySources mainEntry(const pistonInfo& p) {
    const int type = p.functionType;
    const int program = p.programNumber;
    switch (static_cast<FunctionGroup>(p.functionGroup)) {
    case FunctionGroup::unassigned:
        break;
    case FunctionGroup::ahlbornCoupler:
        return {fromChannel(p, 0x00), fromValue(p, couplerCode(type))};
    case FunctionGroup::ahlbornTremulant:
        return {fromChannel(p, 0x00), fromValue(p, type + 87)};
    case FunctionGroup::ahlbornCancel:
        return {fromChannel(p, 0x00), fromValue(p, type == 0 ? 160 : type + 89)};
    case FunctionGroup::ahlbornGeneral:
        return {fromChannel(p, 0x00), fromValue(p, type + 129)};
    case FunctionGroup::ahlbornSet:
        return {fromChannel(p, 0x00), constant(94)};
    case FunctionGroup::ahlbornSfz:
        return {fromChannel(p, 0x00), constant(95)};
    case FunctionGroup::programChange:
        return {fromChannel(p, 0x10), fromValue(p, program - 1)};
    case FunctionGroup::plexoFunction:
        return {fromChannel(p, 0x20), fromValue(p, type + 36)};
    case FunctionGroup::bankSelect:
        if (p.bankSelProgramFlag) {
            return {fromChannel(p, 0x10), fromValue(p, program - 1)};
        }
        break;
    case FunctionGroup::hx90Tremulant:
        return {fromChannel(p, 0x80), fromValue(p, program | 0x80)};
    case FunctionGroup::hx90Cancel:
        return {fromChannel(p, 0x80), constant(0x00)};
    case FunctionGroup::noteOnOff:
        return {fromChannel(p, 0x70), fromValue(p, program - 1)};
    case FunctionGroup::allNotesOff:
        return {fromChannel(p, 0x70), constant(p.bankSelProgramFlag ? 0xC0 : 0x80)};
    case FunctionGroup::larkmoorPiston:
        // The channel field carries the NUM value itself here.
        return {{p.midiChannel | 0x90, "midiChannel", p.midiChannel}, fromValue(p, type)};
    }
    return {constant(unusedEntryByte), constant(unusedEntryByte)};
}

std::string groupLabel(int group) {
    const auto& names = vocabulary().functionGroupNames;
    if (group >= 0 && group < static_cast<int>(names.size())) {
        return names[static_cast<std::size_t>(group)];
    }
    return "group " + std::to_string(group);
}

class ManualEncoder {
public:
    ManualEncoder(const ConfigModel& model, int manual, ImageBuffer& image)
        : m_model(model), m_manual(manual), m_m(manual - 1), m_image(image) {}

    void run() {
        setImageByte(m_image, formatByte,
                     m_model.hardwareType == hardwareTypeWithNewFormat ? imageFormatForType18
                                                                       : imageFormatDefault);
        encodeChannels();
        setImageByte(m_image, keyboardConfig, keyboard().keyboardConfig);
        encodeArchive();
        setImageByte(m_image, pistonsMarker, 0x60);
        setImageByte(m_image, pistonsMarker + 1, 0x00);
        setImageByte(m_image, trailingMarker, 0x60);
        setImageByte(m_image, trailingMarker + 1, 0x01);
        for (int k = 0; k < pistonsPerManual; ++k) {
            encodePiston(k);
        }
        setImageByte(m_image, channelEnableLow, m_enableMask[0]);
        setImageByte(m_image, channelEnableHigh, m_enableMask[1]);
    }

private:
    const keyboardInfo& keyboard() const { return m_model.keyboards[static_cast<std::size_t>(m_m)]; }

    void encodeChannels() {
        for (int i = 0; i < channelsPerManual; ++i) {
            const auto slot = static_cast<std::size_t>(channelSlotOf(m_m, i + 1));
            setImageByte(m_image, transposition + i, m_model.channelTranspose[slot]);
            setImageByte(m_image, velocity + i, m_model.channelVelocity[slot]);

            if ((keyboard().channels >> i) & 1u) {
                auto& maskByte = m_enableMask[static_cast<std::size_t>(i / 8)];
                maskByte = static_cast<std::uint8_t>(maskByte | (1u << (i % 8)));
            }

            const auto& shoe = m_model.shoes[slot];
            int nibble = shoe.channel < 3 ? shoe.channel : 0;
            if (!shoe.volumeControl) {
                nibble += 8;
            }
            if (shoe.expressionOn) {
                nibble += 4;
            }
            const int position = analogNibbles + i / 2;
            const int current = imageByte(m_image, position);
            const int pair = i % 2 == 0 ? nibble + (current & 0xF0) : nibble * 16 + (current & 0x0F);
            setImageByte(m_image, position, static_cast<std::uint8_t>(pair));
        }
    }

    void encodeArchive() {
        const keyboardInfo& kb = keyboard();
        const bool channelInRange = kb.archiveChannel >= 1 && kb.archiveChannel <= channelsPerManual;
        const ByteSource archive{(kb.archiveChannel - 1) * 16 + kb.archiveInput * 4,
                                 channelInRange ? "archiveInput" : "archiveChannel",
                                 channelInRange ? kb.archiveInput : kb.archiveChannel};
        setImageByte(m_image, archiveCrescendo, fit(archive, [] { return std::string("keyboard"); }));
    }

    void encodePiston(int k) {
        const pistonInfo& p = m_model.pistons[static_cast<std::size_t>(pistonIndexOf(m_m, k))];
        const auto record = [&] {
            return "piston " + std::to_string(k + 1) + " (" + groupLabel(p.functionGroup) + ")";
        };
        const auto writeEntry = [&](int firstPosition, const EntrySources& entry) {
            const std::uint8_t first = fit(entry.first, record);
            const std::uint8_t second = fit(entry.second, record);
            setImageByte(m_image, pistonEntry(firstPosition, k), first);
            setImageByte(m_image, pistonEntry(firstPosition, k) + 1, second);
        };

        writeEntry(mainEntries, mainEntry(p));
        if (p.functionGroup != static_cast<int>(FunctionGroup::bankSelect)) {
            return;
        }
        if (p.bankSelMSBFlag) {
            writeEntry(bankMsbEntries,
                       {fromChannel(p, 0x40), {p.bankSelMSB | 0x80, "bankSelMSB", p.bankSelMSB}});
        }
        if (p.bankSelLSBFlag) {
            writeEntry(bankLsbEntries, {fromChannel(p, 0x40), {p.bankSelLSB, "bankSelLSB", p.bankSelLSB}});
        }
    }

    template <typename RecordName> std::uint8_t fit(const ByteSource& source, RecordName recordName) const {
        if (source.value >= 0 && source.value <= 0xFF) {
            return static_cast<std::uint8_t>(source.value);
        }
        throw EncodeOverflow("Manual " + std::to_string(m_manual) + ", " + recordName() + ": " +
                             source.field + " " + std::to_string(source.fieldValue) +
                             " does not fit in a byte");
    }

    const ConfigModel& m_model;
    int m_manual;
    int m_m; // manualIndex
    ImageBuffer& m_image;
    std::array<std::uint8_t, 2> m_enableMask{}; // channels 1..8, 9..16
};

} // namespace

void checkManualNumber(int manual) {
    if (manual < 1 || manual > maxManuals) {
        throw std::out_of_range("manual " + std::to_string(manual) + " is not between 1 and " +
                                std::to_string(maxManuals));
    }
}

ImageBuffer newProgramImage() {
    ImageBuffer image{};
    for (int position = 1; position <= 255; ++position) {
        setImageByte(image, position, 0xFF);
    }
    return image;
}

void encodeProgramImage(const ConfigModel& model, int manual, ImageBuffer& image) {
    checkManualNumber(manual);
    ManualEncoder(model, manual, image).run();
}

ImageBuffer encodedManual(const ConfigModel& model, int manual) {
    ImageBuffer image = newProgramImage();
    encodeProgramImage(model, manual, image);
    return image;
}

ConfigModel throughImages(const ConfigModel& model, int manuals) {
    ConfigModel carried;
    carried.numberOfManuals = static_cast<std::int16_t>(manuals);
    carried.hardwareType = model.hardwareType;
    for (int manual = 1; manual <= manuals; ++manual)
        decodeProgramImage(carried, manual, encodedManual(model, manual));
    return carried;
}

} // namespace zkt
