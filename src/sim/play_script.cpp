#include "sim/play_script.h"

#include "link/channel_message.h"
#include "link/protocol.h"
#include "model/config_model.h"
#include "model/console_names.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <fstream>
#include <optional>
#include <sstream>

namespace zkt {

namespace {

using Kind = ConsoleAction::Kind;

constexpr int playedVelocity = 100;
constexpr int defaultHoldMs = 100;
constexpr int defaultGapMs = 50;
constexpr int defaultSweepMs = 500;
constexpr int longestStepMs = 3'600'000; // an hour: anything longer is a slip of the finger
constexpr int highestValue = 127;

Micros milliseconds(int ms) {
    return Micros{static_cast<Micros::rep>(ms) * 1000};
}

std::vector<std::string> wordsOf(std::string_view line) {
    line = line.substr(0, line.find('#'));
    std::vector<std::string> words;
    std::istringstream in{std::string(line)};
    for (std::string word; in >> word;) {
        std::transform(word.begin(), word.end(), word.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        words.push_back(word);
    }
    return words;
}

// One line's words, taken from the front; every complaint names the file and the line.
class LineReader {
public:
    LineReader(std::vector<std::string> words, std::string where)
        : m_words(std::move(words)), m_where(std::move(where)) {}

    [[noreturn]] void fail(const std::string& reason) const {
        throw PlayScriptError(m_where + ": " + reason);
    }

    bool done() const { return m_next == m_words.size(); }

    std::string word(const std::string& wanted) {
        if (done())
            fail("\"" + m_words.front() + "\" needs " + wanted);
        return m_words[m_next++];
    }

    int number(const std::string& what, int low, int high) { return numberIn(word(what), what, low, high); }

    int numberIn(const std::string& text, const std::string& what, int low, int high) const {
        int value = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
        if (error != std::errc() || end != text.data() + text.size())
            fail("\"" + text + "\" is not a number (" + what + ")");
        if (value < low || value > high)
            fail(what + " " + text + " is not " + std::to_string(low) + " to " + std::to_string(high));
        return value;
    }

    // "K" or "K-L", with first <= last.
    std::pair<int, int> range(const std::string& what, int low, int high) {
        const std::string text = word(what);
        const std::size_t dash = text.find('-');
        if (dash == std::string::npos) {
            const int only = numberIn(text, what, low, high);
            return {only, only};
        }
        const int first = numberIn(text.substr(0, dash), what, low, high);
        const int last = numberIn(text.substr(dash + 1), what, low, high);
        if (last < first)
            fail(what + "s " + text + " run downwards");
        return {first, last};
    }

    void expectEnd() const {
        if (!done())
            fail("\"" + m_words[m_next] + "\" is more than the step takes");
    }

private:
    std::vector<std::string> m_words;
    std::string m_where;
    std::size_t m_next = 1; // past the step's own word
};

struct Target {
    bool isKey = true;
    std::pair<int, int> numbers;
};

Target targetOf(LineReader& reader, bool rangeAllowed) {
    const std::string thing = reader.word("key or piston");
    const bool plural = thing == "keys" || thing == "pistons";
    if (thing != "key" && thing != "piston" && !(plural && rangeAllowed))
        reader.fail("\"" + thing + "\" is not " +
                    (rangeAllowed ? "key, keys, piston or pistons" : "key or piston"));
    const bool isKey = thing.starts_with("key");
    const std::string what = isKey ? "key" : "piston";
    const int highest = isKey ? longestCompass : pistonsPerManual;
    if (plural)
        return {isKey, reader.range(what, 1, highest)};
    const int only = reader.number(what, 1, highest);
    return {isKey, {only, only}};
}

struct TapOptions {
    int velocity = playedVelocity;
    int holdMs = defaultHoldMs;
    int gapMs = defaultGapMs;
};

TapOptions tapOptionsOf(LineReader& reader, bool isKey) {
    TapOptions options;
    while (!reader.done()) {
        const std::string option = reader.word("an option");
        if (option == "velocity" && isKey)
            options.velocity = reader.number("velocity", 1, highestValue);
        else if (option == "hold")
            options.holdMs = reader.number("hold", 0, longestStepMs);
        else if (option == "gap")
            options.gapMs = reader.number("gap", 0, longestStepMs);
        else
            reader.fail("\"" + option + "\" is not " + (isKey ? "velocity, hold or gap" : "hold or gap"));
    }
    return options;
}

Bytes messageBytes(LineReader& reader) {
    Bytes bytes;
    while (!reader.done()) {
        const std::string text = reader.word("hex bytes");
        int value = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
        if (error != std::errc() || end != text.data() + text.size() || text.size() > 2)
            reader.fail("\"" + text + "\" is not a byte in hex");
        bytes.push_back(static_cast<std::uint8_t>(value));
    }
    const bool sysEx =
        bytes.size() >= 2 && bytes.front() == protocol::sysexStart && bytes.back() == protocol::sysexEnd &&
        std::all_of(bytes.begin() + 1, bytes.end() - 1, [](std::uint8_t b) { return b < 0x80; });
    if (!sysEx && !channelMessageOf(bytes))
        reader.fail("the bytes are not one MIDI message (a channel message, or F0 .. F7)");
    return bytes;
}

class ScriptBuilder {
public:
    void add(Kind kind, int manual, int number, int value, int line, Bytes bytes = {}) {
        m_actions.push_back(
            ScheduledAction{m_now, ConsoleAction{kind, manual, number, value, std::move(bytes)}, line});
    }
    void pass(int ms) { m_now += milliseconds(ms); }
    void passMicros(Micros by) { m_now += by; }
    std::vector<ScheduledAction> take() { return std::move(m_actions); }

private:
    Micros m_now{0};
    std::vector<ScheduledAction> m_actions;
};

void parseLine(LineReader& reader, const std::string& step, int line, ScriptBuilder& script) {
    if (step == "wait") {
        script.pass(reader.number("milliseconds", 0, longestStepMs));
        reader.expectEnd();
        return;
    }
    const int manual = reader.number("manual", 1, maxManuals);
    if (step == "press" || step == "release") {
        const bool press = step == "press";
        const Target target = targetOf(reader, false);
        int velocity = playedVelocity;
        if (press && target.isKey && !reader.done()) {
            if (const std::string option = reader.word("velocity"); option != "velocity")
                reader.fail("\"" + option + "\" is not velocity");
            velocity = reader.number("velocity", 1, highestValue);
        }
        reader.expectEnd();
        const Kind kind = target.isKey ? (press ? Kind::pressKey : Kind::releaseKey)
                                       : (press ? Kind::pressPiston : Kind::releasePiston);
        script.add(kind, manual, target.numbers.first, velocity, line);
        return;
    }
    if (step == "tap") {
        const Target target = targetOf(reader, true);
        const TapOptions options = tapOptionsOf(reader, target.isKey);
        for (int n = target.numbers.first; n <= target.numbers.second; ++n) {
            script.add(target.isKey ? Kind::pressKey : Kind::pressPiston, manual, n, options.velocity, line);
            script.pass(options.holdMs);
            script.add(target.isKey ? Kind::releaseKey : Kind::releasePiston, manual, n, options.velocity,
                       line);
            script.pass(options.gapMs);
        }
        return;
    }
    if (step == "sweep") {
        if (const std::string thing = reader.word("input"); thing != "input")
            reader.fail("\"" + thing + "\" is not input");
        const int input = reader.number("input", 1, analogInputCount);
        const int from = reader.number("value", 0, highestValue);
        const int to = reader.number("value", 0, highestValue);
        int overMs = defaultSweepMs;
        if (!reader.done()) {
            if (const std::string option = reader.word("over"); option != "over")
                reader.fail("\"" + option + "\" is not over");
            overMs = reader.number("over", 0, longestStepMs);
        }
        reader.expectEnd();
        const int steps = std::abs(to - from);
        const Micros between = steps == 0 ? Micros{0} : milliseconds(overMs) / steps;
        for (int k = 0; k <= steps; ++k) {
            script.add(Kind::moveShoe, manual, input, from + (to > from ? k : -k), line);
            if (k < steps)
                script.passMicros(between);
        }
        return;
    }
    if (step == "send") {
        script.add(Kind::send, manual, 0, 0, line, messageBytes(reader));
        return;
    }
    reader.fail("\"" + step + "\" is not a step (wait, press, release, tap, sweep or send)");
}

} // namespace

std::vector<ScheduledAction> parsePlayScript(std::string_view text, const std::string& name) {
    ScriptBuilder script;
    std::istringstream in{std::string(text)};
    int line = 0;
    for (std::string content; std::getline(in, content);) {
        ++line;
        std::vector<std::string> words = wordsOf(content);
        if (words.empty())
            continue;
        const std::string step = words.front();
        LineReader reader(std::move(words), name + ", line " + std::to_string(line));
        parseLine(reader, step, line, script);
    }
    return script.take();
}

std::vector<ScheduledAction> readPlayScript(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw PlayScriptError(path + ": cannot be read");
    std::ostringstream text;
    text << in.rdbuf();
    return parsePlayScript(text.str(), path);
}

} // namespace zkt
