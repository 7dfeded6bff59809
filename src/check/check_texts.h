#pragma once
// Every text the console check shows, in one place, to be translated as one: what a key, piston
// or shoe is called, the warnings before the check, the prompt, the faults, the checklist and the
// report's words. Messages are worded as the MIDI monitor words them (link/channel_message_words.h).

#include "check/check_faults.h"
#include "check/console_plan.h"
#include "link/link_check_run.h"
#include "model/config_model.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zkt::checktext {

// Keys are named by their place on the keyboard, counted from the lowest C and named as the
// note list names note 36: "key 14 (C#2)".
std::string keyName(int key);
// "note 61 on MIDI Channel 2"
std::string noteOnChannel(int note, int channel);
// "Manual 1 (Great), key 14 (C#2)", "Manual 1, piston 8 (General 5)", "Manual 2, Input 1"
std::string sourceName(const ConsoleNames& names, const ConsoleSource& source);
// "Manual 1, key 26 (C#3) or Manual 2, key 14 (C#2)"
std::string sourceNames(const ConsoleNames& names, const std::vector<ConsoleSource>& sources);
// What a shoe drives: "Expression (11) on MIDI Channel 1 and Volume (7) on MIDI Channel 6"
std::string shoeDrives(const PlannedShoe& shoe);
// What a piston is set to send, as its description says it with its detail.
std::string pistonSetTo(const ConfigModel& model, const ConsoleSource& piston);
// Any message as it came: a channel message in the monitor's words, anything else by its bytes.
std::string messageWords(std::span<const std::uint8_t> message);
std::string pressWords(const std::vector<ChannelMessage>& press);

// Before the check: what the configuration makes ambiguous.
std::string channelOnManuals(const ConsoleNames& names, int channel, const std::vector<int>& manuals);
std::string pistonsSendTheSame(const ConsoleNames& names, const std::vector<ConsoleSource>& pistons,
                               const std::string& message);
std::string pistonSendsAKeysNote(const ConsoleNames& names, const ConsoleSource& piston,
                                 const std::vector<ConsoleSource>& keys, int note, int channel);
std::string shoesSendTheSame(const ConsoleNames& names, const std::vector<ConsoleSource>& shoes,
                             const std::string& message);

// "Press piston 8 of manual 1", with the piston's label where it has one.
std::string pressPistonPrompt(const ConsoleNames& names, const ConsoleSource& piston);

// What the player is asked to do.
std::string askingFirst();
std::string playEverything();
std::string endsAfter(double seconds); // 0: "Ctrl-C ends the check."
std::string notAsked(int pistons);

// What the window says around the check: what it does, before it starts; the pistons asked for
// with a Skip button to pass one over; how it ends; that keys and pistons clicked on the screen
// play the simulated chain; and why it could not start.
std::string checkIntro();
std::string noAmbiguities();
std::string noManualsToCheck();
std::string askingFirstWithSkip();
std::string finishEnds();
std::string simulatorPlays();
std::string cannotListen(const LinkCheckRefusal& refusal, std::string_view whereToChoose);
// What the player is asked now: the piston asked for, else to play everything; and the lines
// under it.
std::string checkPrompt(const std::string& askedPiston);
std::string checkInstructions(bool asking, bool simulator);

// The dialog's title, the menu entry that opens it and its buttons' captions. & stands before the
// letter that presses it from the keyboard where a front end has such letters; withoutAccessKey
// takes it out for one that has none.
std::string checkTitle();
std::string checkMenuEntry();
std::string startCaption();
std::string skipCaption();
// The rest of the organ's own pistons are not asked for: they stay "not checked".
std::string skipAllCaption();
std::string finishCaption();
std::string saveHtmlCaption();
std::string savePdfCaption();
// The file dialog's title and its filter of file types, for the report as PDF or as HTML.
std::string saveReportTitle(bool pdf);
std::string reportFileFilter(bool pdf);
std::string downloadCaption();
std::string printCaption();
std::string againCaption();
std::string closeCaption();
std::string withoutAccessKey(std::string_view caption);
// The report's file: "organ - console check.html" for the configuration "organ.zkt".
std::string reportFileName(const std::string& configuration);

// The faults, each beginning with where it is.
std::string notSent(const std::string& message);
std::string keyNeverPlayed(const ConsoleNames& names, const ConsoleSource& key);
std::string pistonNeverPressed(const ConsoleNames& names, const ConsoleSource& piston,
                               const std::string& setTo);
std::string shoeNeverMoved(const ConsoleNames& names, const ConsoleSource& shoe, const std::string& drives);
std::string shoeRangeShort(const ConsoleNames& names, const ConsoleSource& shoe, const std::string& drives,
                           int lowest, int highest);
std::string noteStillSounding(const std::string& where);
std::string noteHeldTooLong(const std::string& where, int seconds);
std::string releaseOfSilentNote(const std::string& where);
std::string wrongVelocity(const std::string& where, int velocity, int fixed);
std::string pistonSentOther(const ConsoleNames& names, const ConsoleSource& piston, const std::string& sent,
                            const std::string& setTo);
std::string pistonOffItsChannel(const ConsoleNames& names, const ConsoleSource& piston,
                                const std::string& sent, int channel);
// A fault that came more than once: " (3 times)".
std::string fault(const CheckFault& fault);

// The checklist, per manual and in the report.
std::string keysPlayed(int played, int expected, int compass);
std::string pistonsPressed(int pressed, int followed);
std::string pistonsAnswered(int answered, int asked);
std::string shoeRange(const ConsoleNames& names, const ConsoleSource& shoe, const std::string& drives,
                      const std::optional<int>& lowest, const std::optional<int>& highest);
std::string pistonAnswered(const ConsoleNames& names, const ConsoleSource& piston, const std::string& sent);
std::string pistonNotChecked(const ConsoleNames& names, const ConsoleSource& piston,
                             const std::string& setTo);
std::string verdict(CheckVerdict verdict);

// The report's headings.
std::string reportTitle();
std::string reportConfiguration(const std::string& source);
std::string reportWhen(int year, int month, int day, int hour, int minute, double seconds);
std::string reportMessages(std::size_t messages);
std::string warningsHeading();
std::string faultsHeading(std::size_t faults);
std::string noFaults();
std::string otherFaultsHeading();
std::string notCheckedHeading();
std::string answersHeading();

} // namespace zkt::checktext
