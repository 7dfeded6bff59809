#include "check/check_texts.h"

#include "link/channel_message_words.h"
#include "model/console_names.h"
#include "model/hex_text.h"
#include "model/list_fill.h"
#include "model/piston_description.h"
#include "model/vocabulary.h"

#include <array>
#include <cstdio>

namespace zkt::checktext {

namespace {

constexpr int noteOfLowestKeyName = 36; // C1, where the keyboard's names start

std::string joined(const std::vector<std::string>& parts, const std::string& last) {
    std::string text;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i > 0)
            text += i + 1 == parts.size() ? last : ", ";
        text += parts[i];
    }
    return text;
}

std::string plural(int count, const std::string& one, const std::string& many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

} // namespace

std::string keyName(int key) {
    return "key " + std::to_string(key) + " (" + noteName(noteOfLowestKeyName + key - 1) + ")";
}

std::string noteOnChannel(int note, int channel) {
    return "note " + std::to_string(note) + onMidiChannel(channel);
}

std::string sourceName(const ConsoleNames& names, const ConsoleSource& source) {
    const std::string manual = manualWithName(names, source.manual);
    switch (source.kind) {
    case ConsoleSource::Kind::key:
        return manual + ", " + keyName(source.number);
    case ConsoleSource::Kind::piston:
        return manual + ", " + pistonWithLabel(names, pistonIndexOf(source.manual - 1, source.number - 1));
    case ConsoleSource::Kind::shoe:
        return manual + ", " + vocabulary().analogInputNames.at(static_cast<std::size_t>(source.number));
    }
    return manual;
}

std::string sourceNames(const ConsoleNames& names, const std::vector<ConsoleSource>& sources) {
    std::vector<std::string> parts;
    for (const ConsoleSource& source : sources)
        parts.push_back(sourceName(names, source));
    return joined(parts, " or ");
}

std::string shoeDrives(const PlannedShoe& shoe) {
    std::vector<std::string> parts;
    for (const ChannelMessage& drive : shoe.drives)
        parts.push_back(channelMessageShape(drive));
    return joined(parts, " and ");
}

std::string pistonSetTo(const ConfigModel& model, const ConsoleSource& piston) {
    return pistonFunctionWithDetail(
        model.pistons[static_cast<std::size_t>(pistonIndexOf(piston.manual - 1, piston.number - 1))]);
}

std::string messageWords(std::span<const std::uint8_t> message) {
    if (const auto channelMessage = channelMessageOf(message))
        return channelMessageWords(*channelMessage);
    if (message.empty())
        return "a message without bytes";
    std::string hex = bytesToHex(message.first(std::min<std::size_t>(message.size(), 16)));
    hex.pop_back();
    return "a message of " + plural(static_cast<int>(message.size()), "byte", "bytes") + " (" + hex +
           (message.size() > 16 ? " ...)" : ")");
}

std::string pressWords(const std::vector<ChannelMessage>& press) {
    std::vector<std::string> parts;
    for (const ChannelMessage& message : press)
        parts.push_back(channelMessageWords(message));
    return joined(parts, " and ");
}

std::string channelOnManuals(const ConsoleNames& names, int channel, const std::vector<int>& manuals) {
    std::vector<std::string> parts;
    for (const int manual : manuals)
        parts.push_back(manualWithName(names, manual));
    return "MIDI Channel " + std::to_string(channel) + " is enabled on " + joined(parts, " and ") +
           ": a note on it counts for a key of each.";
}

std::string pistonsSendTheSame(const ConsoleNames& names, const std::vector<ConsoleSource>& pistons,
                               const std::string& message) {
    std::vector<std::string> parts;
    for (const ConsoleSource& piston : pistons)
        parts.push_back(sourceName(names, piston));
    return joined(parts, " and ") + " send the same (" + message + "): a press counts for each.";
}

std::string pistonSendsAKeysNote(const ConsoleNames& names, const ConsoleSource& piston,
                                 const std::vector<ConsoleSource>& keys, int note, int channel) {
    std::vector<std::string> parts;
    for (const ConsoleSource& key : keys)
        parts.push_back(sourceName(names, key));
    return sourceName(names, piston) + " sends " + noteOnChannel(note, channel) + ", which " +
           joined(parts, " and ") + " sends too: the note counts for both.";
}

std::string shoesSendTheSame(const ConsoleNames& names, const std::vector<ConsoleSource>& shoes,
                             const std::string& message) {
    std::vector<std::string> parts;
    for (const ConsoleSource& shoe : shoes)
        parts.push_back(sourceName(names, shoe));
    return joined(parts, " and ") + " send " + message + ": a movement counts for each.";
}

std::string pressPistonPrompt(const ConsoleNames& names, const ConsoleSource& piston) {
    const std::string& label =
        names.pistonLabels.at(static_cast<std::size_t>(pistonIndexOf(piston.manual - 1, piston.number - 1)));
    const std::string prompt =
        "Press piston " + std::to_string(piston.number) + " of manual " + std::to_string(piston.manual);
    return label.empty() ? prompt : prompt + " (" + oneLine(label) + ")";
}

std::string askingFirst() {
    return "The pistons of the organ's own groups come first, one at a time: press each as asked, or press "
           "Enter to pass one over.";
}

std::string playEverything() {
    return "Play every key of every manual, press every piston and move every shoe from end to end.";
}

std::string endsAfter(double seconds) {
    if (seconds <= 0)
        return "Ctrl-C ends the check.";
    char text[64];
    std::snprintf(text, sizeof text, "The check ends after %g s.", seconds);
    return text;
}

std::string notAsked(int pistons) {
    return plural(pistons, "piston", "pistons") +
           " of the organ's own groups can only be asked for one at a time at a terminal, without a time "
           "limit: here they are not checked.";
}

std::string checkIntro() {
    return "The check listens to the MIDI input and ticks off each key, piston and shoe as it arrives, by what "
           "the configuration says it sends; whatever arrives wrong is listed as a fault. Nothing is sent to "
           "the organ.";
}

std::string noManualsToCheck() {
    return "The configuration has no manuals to check: load it from the ZKT or open its file first.";
}

std::string noAmbiguities() {
    return "The configuration leaves nothing ambiguous: every message can be told apart.";
}

std::string askingFirstWithSkip() {
    return "The pistons of the organ's own groups come first, one at a time: press each as asked, or click "
           "Skip to pass one over, Skip All to pass over the rest.";
}

std::string finishEnds() {
    return "Finish ends the check and shows its report.";
}

std::string simulatorPlays() {
    return "The MIDI input is the simulator: click a key or a piston here to play it.";
}

std::string cannotListen(const LinkCheckRefusal& refusal, std::string_view whereToChoose) {
    switch (refusal.why) {
    case LinkCheckRefusal::Why::transferRunning:
        return "A transfer or the connection test is running. Check the console once it has finished.";
    case LinkCheckRefusal::Why::portsWouldNotOpen:
        return "The MIDI input could not be opened: " + refusal.detail;
    case LinkCheckRefusal::Why::noPortsChosen:
        break;
    }
    return "The MIDI input could not be opened: choose one in " + std::string(whereToChoose);
}

std::string checkPrompt(const std::string& askedPiston) {
    return askedPiston.empty() ? playEverything() : askedPiston;
}

std::string checkInstructions(bool asking, bool simulator) {
    std::string text = asking ? askingFirstWithSkip() + " " : std::string();
    text += finishEnds();
    return simulator ? text + " " + simulatorPlays() : text;
}

std::string checkTitle() {
    return "Check the Console";
}

std::string checkMenuEntry() {
    return "&Check the Console\u2026";
}

std::string startCaption() {
    return "&Start Check";
}

std::string skipCaption() {
    return "S&kip";
}

std::string skipAllCaption() {
    return "Skip &All";
}

std::string finishCaption() {
    return "&Finish";
}

std::string saveHtmlCaption() {
    return "Save as &HTML\u2026";
}

std::string savePdfCaption() {
    return "Save as P&DF\u2026";
}

std::string saveReportTitle(bool pdf) {
    return pdf ? "Save the Report as PDF" : "Save the Report as HTML";
}

std::string reportFileFilter(bool pdf) {
    return pdf ? "PDF file (*.pdf)" : "HTML page (*.html *.htm)";
}

std::string downloadCaption() {
    return "&Download as HTML";
}

std::string printCaption() {
    return "&Print\u2026";
}

std::string againCaption() {
    return "Check &Again";
}

std::string closeCaption() {
    return "&Close";
}

std::string withoutAccessKey(std::string_view caption) {
    std::string text;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        // "&&" is an ampersand shown.
        if (caption[i] == '&' && i + 1 < caption.size())
            ++i;
        text += caption[i];
    }
    return text;
}

std::string reportFileName(const std::string& configuration) {
    std::string stem = configuration;
    if (stem.size() > 4 && stem.compare(stem.size() - 4, 4, ".zkt") == 0)
        stem.erase(stem.size() - 4);
    return stem.empty() ? "console check.html" : stem + " - console check.html";
}

std::string notSent(const std::string& message) {
    return "not sent by this configuration: " + message;
}

std::string keyNeverPlayed(const ConsoleNames& names, const ConsoleSource& key) {
    return sourceName(names, key) + ": never played";
}

std::string pistonNeverPressed(const ConsoleNames& names, const ConsoleSource& piston,
                               const std::string& setTo) {
    return sourceName(names, piston) + ": never pressed (it sends " + setTo + ")";
}

std::string shoeNeverMoved(const ConsoleNames& names, const ConsoleSource& shoe, const std::string& drives) {
    return sourceName(names, shoe) + " (" + drives + "): never moved";
}

std::string shoeRangeShort(const ConsoleNames& names, const ConsoleSource& shoe, const std::string& drives,
                           int lowest, int highest) {
    std::vector<std::string> missed;
    if (lowest > 0)
        missed.push_back("0");
    if (highest < 127)
        missed.push_back("127");
    return sourceName(names, shoe) + " (" + drives + "): went only from " + std::to_string(lowest) + " to " +
           std::to_string(highest) + ", never to " + joined(missed, " or ");
}

std::string noteStillSounding(const std::string& where) {
    return where + ": still sounding at the end";
}

std::string noteHeldTooLong(const std::string& where, int seconds) {
    return where + ": held for more than " + std::to_string(seconds) + " s";
}

std::string releaseOfSilentNote(const std::string& where) {
    return where + ": a Note On with velocity 0 while the note was not sounding";
}

std::string wrongVelocity(const std::string& where, int velocity, int fixed) {
    return where + ": velocity " + std::to_string(velocity) + " instead of the fixed " +
           std::to_string(fixed);
}

std::string pistonSentOther(const ConsoleNames& names, const ConsoleSource& piston, const std::string& sent,
                            const std::string& setTo) {
    return sourceName(names, piston) + ": sent " + sent + " instead of " + setTo;
}

std::string pistonOffItsChannel(const ConsoleNames& names, const ConsoleSource& piston,
                                const std::string& sent, int channel) {
    return sourceName(names, piston) + ": sent " + sent + ", not on its MIDI Channel " +
           std::to_string(channel);
}

std::string fault(const CheckFault& fault) {
    return fault.count == 1 ? fault.text : fault.text + " (" + std::to_string(fault.count) + " times)";
}

std::string keysPlayed(int played, int expected, int compass) {
    std::string text = "Keys: " + std::to_string(played) + " of " + std::to_string(expected) + " played";
    if (expected != compass)
        text += " (" + plural(compass - expected, "key", "keys") + " of the " + std::to_string(compass) +
                " would pass note 127 and send nothing)";
    return text;
}

std::string pistonsPressed(int pressed, int followed) {
    return "Pistons: " + std::to_string(pressed) + " of " + std::to_string(followed) + " pressed";
}

std::string pistonsAnswered(int answered, int asked) {
    return "Pistons of the organ's own groups: " + std::to_string(answered) + " of " + std::to_string(asked) +
           " checked one at a time";
}

std::string shoeRange(const ConsoleNames& names, const ConsoleSource& shoe, const std::string& drives,
                      const std::optional<int>& lowest, const std::optional<int>& highest) {
    const std::string where = sourceName(names, shoe) + " (" + drives + "): ";
    if (!lowest || !highest)
        return where + "not moved";
    return where + "from " + std::to_string(*lowest) + " to " + std::to_string(*highest);
}

std::string pistonAnswered(const ConsoleNames& names, const ConsoleSource& piston, const std::string& sent) {
    return sourceName(names, piston) + ": sent " + sent;
}

std::string pistonNotChecked(const ConsoleNames& names, const ConsoleSource& piston,
                             const std::string& setTo) {
    return sourceName(names, piston) + " (" + setTo + "): not checked";
}

std::string verdict(CheckVerdict verdict) {
    switch (verdict) {
    case CheckVerdict::passed:
        return "Every key, piston and shoe the check follows was played, and nothing was wrong.";
    case CheckVerdict::faultsFound:
        return "The console does not do everything the configuration says: see the faults.";
    case CheckVerdict::unfinished:
        return "Nothing came wrong, but the check is not finished: not everything was played.";
    }
    return {};
}

std::string reportTitle() {
    return "Console check";
}

std::string reportConfiguration(const std::string& source) {
    return "Configuration: " + source;
}

std::string reportWhen(int year, int month, int day, int hour, int minute, double seconds) {
    static constexpr std::array<const char*, 12> months = {"January",   "February", "March",    "April",
                                                           "May",       "June",     "July",     "August",
                                                           "September", "October",  "November", "December"};
    char time[8];
    std::snprintf(time, sizeof time, "%02d:%02d", hour % 24, minute % 60);
    const std::string monthName =
        month >= 1 && month <= 12 ? months[static_cast<std::size_t>(month - 1)] : "?";
    const auto wholeSeconds = static_cast<long long>(seconds + 0.5);
    return std::to_string(day) + " " + monthName + " " + std::to_string(year) + ", " + time + ", for " +
           std::to_string(wholeSeconds / 60) + " min " + std::to_string(wholeSeconds % 60) + " s";
}

std::string reportMessages(std::size_t messages) {
    return plural(static_cast<int>(messages), "message", "messages") + " taken from the console";
}

std::string warningsHeading() {
    return "What the configuration leaves ambiguous";
}

std::string faultsHeading(std::size_t faults) {
    return "Faults (" + std::to_string(faults) + ")";
}

std::string noFaults() {
    return "No faults.";
}

std::string otherFaultsHeading() {
    return "Messages without a manual";
}

std::string notCheckedHeading() {
    return "Not checked";
}

std::string answersHeading() {
    return "Pistons checked one at a time";
}

} // namespace zkt::checktext
