#include "check/check_texts.h"

#include "i18n/format_text.h"
#include "i18n/list_text.h"
#include "i18n/long_date.h"
#include "i18n/tr.h"
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

} // namespace

std::string keyName(int key) {
    // TRANSLATORS: %1 is the key's number on the keyboard, %2 its note's name ("C#2").
    return formatText(tr("key %1 (%2)"), key, noteName(noteOfLowestKeyName + key - 1));
}

std::string noteOnChannel(int note, int channel) {
    return formatText(tr("note %1 on MIDI Channel %2"), note, channel);
}

std::string sourceName(const ConsoleNames& names, const ConsoleSource& source) {
    const std::string manual = manualWithName(names, source.manual);
    switch (source.kind) {
    case ConsoleSource::Kind::key:
        return formatText(tr("%1, %2"), manual, keyName(source.number));
    case ConsoleSource::Kind::piston:
        return formatText(tr("%1, %2"), manual,
                          pistonWithLabel(names, pistonIndexOf(source.manual - 1, source.number - 1)));
    case ConsoleSource::Kind::shoe:
        return formatText(tr("%1, %2"), manual,
                          vocabulary().analogInputNames.at(static_cast<std::size_t>(source.number)));
    }
    return manual;
}

std::string sourceNames(const ConsoleNames& names, const std::vector<ConsoleSource>& sources) {
    std::vector<std::string> parts;
    for (const ConsoleSource& source : sources)
        parts.push_back(sourceName(names, source));
    return listText(parts, ListJoin::either);
}

std::string shoeDrives(const PlannedShoe& shoe) {
    std::vector<std::string> parts;
    for (const ChannelMessage& drive : shoe.drives)
        parts.push_back(channelMessageShape(drive));
    return listText(parts, ListJoin::all);
}

std::string pistonSetTo(const ConfigModel& model, const ConsoleSource& piston) {
    return pistonFunctionWithDetail(
        model.pistons[static_cast<std::size_t>(pistonIndexOf(piston.manual - 1, piston.number - 1))]);
}

std::string messageWords(std::span<const std::uint8_t> message) {
    if (const auto channelMessage = channelMessageOf(message))
        return channelMessageWords(*channelMessage);
    if (message.empty())
        return tr("a message without bytes");
    std::string hex = bytesToHex(message.first(std::min<std::size_t>(message.size(), 16)));
    hex.pop_back();
    if (message.size() > 16)
        hex += " ...";
    // TRANSLATORS: %1 is how many bytes, %2 the first of them in hexadecimal ("F0 00 21").
    return formatText(trn("a message of %1 byte (%2)", "a message of %1 bytes (%2)", message.size()),
                      message.size(), hex);
}

std::string pressWords(const std::vector<ChannelMessage>& press) {
    std::vector<std::string> parts;
    for (const ChannelMessage& message : press)
        parts.push_back(channelMessageWords(message));
    return listText(parts, ListJoin::all);
}

std::string channelOnManuals(const ConsoleNames& names, int channel, const std::vector<int>& manuals) {
    std::vector<std::string> parts;
    for (const int manual : manuals)
        parts.push_back(manualWithName(names, manual));
    // TRANSLATORS: %2 is a list of manuals ("Manual 1 and Manual 2").
    return formatText(tr("MIDI Channel %1 is enabled on %2: a note on it counts for a key of each."), channel,
                      listText(parts, ListJoin::all));
}

std::string pistonsSendTheSame(const ConsoleNames& names, const std::vector<ConsoleSource>& pistons,
                               const std::string& message) {
    std::vector<std::string> parts;
    for (const ConsoleSource& piston : pistons)
        parts.push_back(sourceName(names, piston));
    // TRANSLATORS: %1 is a list of pistons, %2 what they send.
    return formatText(tr("%1 send the same (%2): a press counts for each."), listText(parts, ListJoin::all),
                      message);
}

std::string pistonSendsAKeysNote(const ConsoleNames& names, const ConsoleSource& piston,
                                 const std::vector<ConsoleSource>& keys, int note, int channel) {
    std::vector<std::string> parts;
    for (const ConsoleSource& key : keys)
        parts.push_back(sourceName(names, key));
    // TRANSLATORS: %1 is a piston, %2 a note on a channel, %3 a list of keys.
    return formatText(tr("%1 sends %2, which %3 sends too: the note counts for both."),
                      sourceName(names, piston), noteOnChannel(note, channel),
                      listText(parts, ListJoin::all));
}

std::string shoesSendTheSame(const ConsoleNames& names, const std::vector<ConsoleSource>& shoes,
                             const std::string& message) {
    std::vector<std::string> parts;
    for (const ConsoleSource& shoe : shoes)
        parts.push_back(sourceName(names, shoe));
    // TRANSLATORS: %1 is a list of shoes, %2 what they send.
    return formatText(tr("%1 send %2: a movement counts for each."), listText(parts, ListJoin::all), message);
}

std::string pressPistonPrompt(const ConsoleNames& names, const ConsoleSource& piston) {
    const std::string& label =
        names.pistonLabels.at(static_cast<std::size_t>(pistonIndexOf(piston.manual - 1, piston.number - 1)));
    if (label.empty())
        return formatText(tr("Press piston %1 of manual %2"), piston.number, piston.manual);
    // TRANSLATORS: %3 is the piston's label.
    return formatText(tr("Press piston %1 of manual %2 (%3)"), piston.number, piston.manual, oneLine(label));
}

std::string askingFirst() {
    return tr(
        "The pistons of the organ's own groups come first, one at a time: press each as asked, or press "
        "Enter to pass one over.");
}

std::string playEverything() {
    return tr("Play every key of every manual, press every piston and move every shoe from end to end.");
}

std::string endsAfter(double seconds) {
    if (seconds <= 0)
        return tr("Ctrl-C ends the check.");
    char number[32];
    std::snprintf(number, sizeof number, "%g", seconds);
    return formatText(tr("The check ends after %1 s."), std::string(number));
}

std::string notAsked(int pistons) {
    return formatText(
        trn("%1 piston of the organ's own groups can only be asked for one at a time at a terminal, "
            "without a time limit: here it is not checked.",
            "%1 pistons of the organ's own groups can only be asked for one at a time at a "
            "terminal, without a time limit: here they are not checked.",
            static_cast<unsigned long>(pistons)),
        pistons);
}

std::string checkIntro() {
    return tr(
        "The check listens to the MIDI input and ticks off each key, piston and shoe as it arrives, by what "
        "the configuration says it sends; whatever arrives wrong is listed as a fault. Nothing is sent to "
        "the organ.");
}

std::string noManualsToCheck() {
    return tr("The configuration has no manuals to check: load it from the ZKT or open its file first.");
}

std::string noAmbiguities() {
    return tr("The configuration leaves nothing ambiguous: every message can be told apart.");
}

std::string askingFirstWithSkip() {
    return tr(
        "The pistons of the organ's own groups come first, one at a time: press each as asked, or click "
        "Skip to pass one over, Skip All to pass over the rest.");
}

std::string finishEnds() {
    return tr("Finish ends the check and shows its report.");
}

std::string simulatorPlays() {
    return tr("The MIDI input is the simulator: click a key or a piston here to play it.");
}

std::string cannotListen(const LinkCheckRefusal& refusal, std::string_view whereToChoose) {
    switch (refusal.why) {
    case LinkCheckRefusal::Why::transferRunning:
        return tr("A transfer or the connection test is running. Check the console once it has finished.");
    case LinkCheckRefusal::Why::portsWouldNotOpen:
        return formatText(tr("The MIDI input could not be opened: %1"), refusal.detail);
    case LinkCheckRefusal::Why::noPortsChosen:
        break;
    }
    // TRANSLATORS: %1 is where ports are chosen (the MIDI setup, an option of zktcli).
    return formatText(tr("The MIDI input could not be opened: choose one in %1"), whereToChoose);
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
    return tr("Check the Console");
}

std::string checkMenuEntry() {
    return tr("&Check the Console\u2026");
}

std::string startCaption() {
    return tr("&Start Check");
}

std::string skipCaption() {
    return tr("S&kip");
}

std::string skipAllCaption() {
    return tr("Skip &All");
}

std::string finishCaption() {
    return tr("&Finish");
}

std::string saveHtmlCaption() {
    return tr("Save as &HTML\u2026");
}

std::string savePdfCaption() {
    return tr("Save as P&DF\u2026");
}

std::string saveReportTitle(bool pdf) {
    return pdf ? tr("Save the Report as PDF") : tr("Save the Report as HTML");
}

std::string reportFileFilter(bool pdf) {
    return pdf ? tr("PDF file (*.pdf)") : tr("HTML page (*.html *.htm)");
}

std::string downloadCaption() {
    return tr("&Download as HTML");
}

std::string printCaption() {
    return tr("&Print\u2026");
}

std::string againCaption() {
    return tr("Check &Again");
}

std::string closeCaption() {
    return tr("&Close");
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
    return formatText(tr("not sent by this configuration: %1"), message);
}

std::string keyNeverPlayed(const ConsoleNames& names, const ConsoleSource& key) {
    return formatText(tr("%1: never played"), sourceName(names, key));
}

std::string pistonNeverPressed(const ConsoleNames& names, const ConsoleSource& piston,
                               const std::string& setTo) {
    // TRANSLATORS: %2 is what the piston sends.
    return formatText(tr("%1: never pressed (it sends %2)"), sourceName(names, piston), setTo);
}

std::string shoeNeverMoved(const ConsoleNames& names, const ConsoleSource& shoe, const std::string& drives) {
    // TRANSLATORS: %2 is what the shoe drives.
    return formatText(tr("%1 (%2): never moved"), sourceName(names, shoe), drives);
}

std::string shoeRangeShort(const ConsoleNames& names, const ConsoleSource& shoe, const std::string& drives,
                           int lowest, int highest) {
    std::vector<std::string> missed;
    if (lowest > 0)
        missed.push_back("0");
    if (highest < 127)
        missed.push_back("127");
    // TRANSLATORS: %2 is what the shoe drives; %5 the ends it never reached ("0 or 127").
    return formatText(tr("%1 (%2): went only from %3 to %4, never to %5"), sourceName(names, shoe), drives,
                      lowest, highest, listText(missed, ListJoin::either));
}

std::string noteStillSounding(const std::string& where) {
    return formatText(tr("%1: still sounding at the end"), where);
}

std::string noteHeldTooLong(const std::string& where, int seconds) {
    return formatText(tr("%1: held for more than %2 s"), where, seconds);
}

std::string releaseOfSilentNote(const std::string& where) {
    return formatText(tr("%1: a Note On with velocity 0 while the note was not sounding"), where);
}

std::string wrongVelocity(const std::string& where, int velocity, int fixed) {
    return formatText(tr("%1: velocity %2 instead of the fixed %3"), where, velocity, fixed);
}

std::string pistonSentOther(const ConsoleNames& names, const ConsoleSource& piston, const std::string& sent,
                            const std::string& setTo) {
    // TRANSLATORS: %2 is what the piston sent, %3 what it should have sent.
    return formatText(tr("%1: sent %2 instead of %3"), sourceName(names, piston), sent, setTo);
}

std::string pistonOffItsChannel(const ConsoleNames& names, const ConsoleSource& piston,
                                const std::string& sent, int channel) {
    return formatText(tr("%1: sent %2, not on its MIDI Channel %3"), sourceName(names, piston), sent,
                      channel);
}

std::string fault(const CheckFault& fault) {
    if (fault.count == 1)
        return fault.text;
    // TRANSLATORS: a fault that came more than once; %1 is the fault, %2 how many times.
    return formatText(trn("%1 (%2 time)", "%1 (%2 times)", static_cast<unsigned long>(fault.count)),
                      fault.text, fault.count);
}

std::string keysPlayed(int played, int expected, int compass) {
    const std::string text = formatText(tr("Keys: %1 of %2 played"), played, expected);
    if (expected == compass)
        return text;
    // TRANSLATORS: %1 is the line "Keys: 50 of 61 played", %2 how many keys send nothing, %3 all the keys.
    return formatText(trn("%1 (%2 key of the %3 would pass note 127 and send nothing)",
                          "%1 (%2 keys of the %3 would pass note 127 and send nothing)",
                          static_cast<unsigned long>(compass - expected)),
                      text, compass - expected, compass);
}

std::string pistonsPressed(int pressed, int followed) {
    return formatText(tr("Pistons: %1 of %2 pressed"), pressed, followed);
}

std::string pistonsAnswered(int answered, int asked) {
    return formatText(tr("Pistons of the organ's own groups: %1 of %2 checked one at a time"), answered,
                      asked);
}

std::string shoeRange(const ConsoleNames& names, const ConsoleSource& shoe, const std::string& drives,
                      const std::optional<int>& lowest, const std::optional<int>& highest) {
    if (!lowest || !highest)
        return formatText(tr("%1 (%2): not moved"), sourceName(names, shoe), drives);
    return formatText(tr("%1 (%2): from %3 to %4"), sourceName(names, shoe), drives, *lowest, *highest);
}

std::string pistonAnswered(const ConsoleNames& names, const ConsoleSource& piston, const std::string& sent) {
    return formatText(tr("%1: sent %2"), sourceName(names, piston), sent);
}

std::string pistonNotChecked(const ConsoleNames& names, const ConsoleSource& piston,
                             const std::string& setTo) {
    return formatText(tr("%1 (%2): not checked"), sourceName(names, piston), setTo);
}

std::string verdict(CheckVerdict verdict) {
    switch (verdict) {
    case CheckVerdict::passed:
        return tr("Every key, piston and shoe the check follows was played, and nothing was wrong.");
    case CheckVerdict::faultsFound:
        return tr("The console does not do everything the configuration says: see the faults.");
    case CheckVerdict::unfinished:
        return tr("Nothing came wrong, but the check is not finished: not everything was played.");
    }
    return {};
}

std::string reportTitle() {
    return tr("Console check");
}

std::string reportConfiguration(const std::string& source) {
    return formatText(tr("Configuration: %1"), source);
}

std::string reportWhen(int year, int month, int day, int hour, int minute, double seconds) {
    char time[8];
    std::snprintf(time, sizeof time, "%02d:%02d", hour % 24, minute % 60);
    const auto wholeSeconds = static_cast<long long>(seconds + 0.5);
    // TRANSLATORS: %1 is the date, %2 the time it began, %3 and %4 how long it ran.
    return formatText(tr("%1, %2, for %3 min %4 s"), longDate(year, month, day), std::string(time),
                      wholeSeconds / 60, wholeSeconds % 60);
}

std::string reportMessages(std::size_t messages) {
    return formatText(
        trn("%1 message taken from the console", "%1 messages taken from the console", messages), messages);
}

std::string warningsHeading() {
    return tr("What the configuration leaves ambiguous");
}

std::string faultsHeading(std::size_t faults) {
    return formatText(tr("Faults (%1)"), faults);
}

std::string noFaults() {
    return tr("No faults.");
}

std::string otherFaultsHeading() {
    return tr("Messages without a manual");
}

std::string notCheckedHeading() {
    return tr("Not checked");
}

std::string answersHeading() {
    return tr("Pistons checked one at a time");
}

} // namespace zkt::checktext
