#include "web/page_console_check.h"

#include "check/ambiguities.h"
#include "check/check_looks.h"
#include "check/check_report_html.h"
#include "check/check_texts.h"
#include "model/console_names.h"

#include <stdexcept>

namespace zkt::web {

namespace {

using nlohmann::json;
using Kind = ConsoleSource::Kind;

// Where the page's user chooses the devices, as the connection test names it.
constexpr const char* whereToChoose = "the MIDI setup.";

const char* lookName(KeyLook look) {
    switch (look) {
    case KeyLook::notExpected:
        return "notExpected";
    case KeyLook::played:
        return "played";
    case KeyLook::held:
        return "held";
    case KeyLook::waiting:
        break;
    }
    return "waiting";
}

const char* lookName(PistonLook look) {
    switch (look) {
    case PistonLook::off:
        return "off";
    case PistonLook::ticked:
        return "ticked";
    case PistonLook::skipped:
        return "skipped";
    case PistonLook::lit:
        return "lit";
    case PistonLook::waiting:
        break;
    }
    return "waiting";
}

std::size_t pistonSlot(int manual, int piston) {
    return static_cast<std::size_t>((manual - 1) * pistonsPerManual + piston - 1);
}

ConsoleAction::Kind actionNamed(const std::string& action) {
    if (action == "pressKey")
        return ConsoleAction::Kind::pressKey;
    if (action == "releaseKey")
        return ConsoleAction::Kind::releaseKey;
    if (action == "pressPiston")
        return ConsoleAction::Kind::pressPiston;
    if (action == "releasePiston")
        return ConsoleAction::Kind::releasePiston;
    throw std::invalid_argument("the console has no action \"" + action + "\"");
}

std::string caption(const std::string& words) {
    return checktext::withoutAccessKey(words);
}

} // namespace

PageConsoleCheck::PageConsoleCheck(OrganSession& organ, const WebSession& session, SimulatedChain& simulation,
                                   const Clock& clock)
    : m_organ(organ), m_session(session), m_simulation(simulation), m_clock(clock) {}

PageConsoleCheck::~PageConsoleCheck() {
    stop();
}

bool PageConsoleCheck::start(const ReportMoment& began) {
    if (m_check && !m_check->finished())
        return true;
    stop();
    auto check = std::make_unique<ConsoleCheck>(m_session.model(), m_clock);
    ConsoleListener listener;
    listener.take = [this](std::span<const std::uint8_t> message) {
        m_check->take(message);
        heard();
    };
    listener.tick = [this] {
        m_check->tick();
        heard();
    };
    m_check = std::move(check);
    if (const auto refusal = m_organ.listenToConsole(std::move(listener))) {
        m_check.reset();
        m_refusal = checktext::cannotListen(*refusal, whereToChoose);
        return false;
    }
    m_refusal.clear();
    m_heading = {m_session.document().name(), began};
    m_litUntil.assign(pistonSlot(static_cast<int>(m_check->plan().manuals().size()) + 1, 1), Micros{0});
    if (m_check->plan().askedPistons() > 0)
        m_check->startAsking();
    m_check->takeEvents();
    return true;
}

void PageConsoleCheck::heard() {
    // A piston lights up for a moment at each change, as it does in the window.
    for (const CheckEvent& event : m_check->takeEvents()) {
        if (const auto* piston = std::get_if<PistonChanged>(&event))
            m_litUntil.at(pistonSlot(piston->manual, piston->piston)) = m_clock.now() + pistonFlash;
    }
}

void PageConsoleCheck::skipAsked() {
    if (m_check && !m_check->finished() && m_check->asking()) {
        m_check->skipAsked();
        heard();
    }
}

void PageConsoleCheck::skipAllAsked() {
    if (m_check && !m_check->finished() && m_check->asking()) {
        m_check->stopAsking();
        heard();
    }
}

bool PageConsoleCheck::playable() const {
    return m_check && !m_check->finished() && m_organ.listening() && m_simulation.isInputOpen();
}

void PageConsoleCheck::play(const std::string& action, int manual, int number) {
    const ConsoleAction::Kind kind = actionNamed(action);
    if (!m_check)
        return;
    const ConsolePlan& plan = m_check->plan();
    const bool key = kind == ConsoleAction::Kind::pressKey || kind == ConsoleAction::Kind::releaseKey;
    if (manual < 1 || manual > static_cast<int>(plan.manuals().size()) || number < 1 ||
        number > (key ? plan.manual(manual).compass : pistonsPerManual))
        throw std::invalid_argument("the console has no " + std::string(key ? "key " : "piston ") +
                                    std::to_string(number) + " on manual " + std::to_string(manual));
    // The simulated chain has boards for its own manuals only.
    if (playable() && manual <= m_simulation.mcuCount())
        m_simulation.play({kind, manual, number, ConsoleAction{}.value, {}});
}

json PageConsoleCheck::finish() {
    if (!m_check || m_check->finished())
        return nullptr;
    m_organ.stopListening();
    m_check->finish();
    m_check->takeEvents();
    const CheckReport report = checkReport(*m_check, m_heading);
    return {{"html", checkReportHtml(report)},
            {"fileName", checktext::reportFileName(m_heading.configuration)}};
}

void PageConsoleCheck::stop() {
    m_organ.stopListening();
    m_check.reset();
}

json PageConsoleCheck::manualView(int manual) const {
    const ConsoleNames& names = m_check->plan().model().names;
    const ManualProgress& progress = m_check->progress(manual);
    const Micros now = m_clock.now();
    json keys = json::array();
    for (std::size_t k = 0; k < progress.keys.size(); ++k)
        keys.push_back(
            {{"look", lookName(keyLook(progress.keys[k]))},
             {"name", checktext::sourceName(names, {Kind::key, manual, static_cast<int>(k) + 1})}});
    json pistons = json::array();
    for (int p = 1; p <= pistonsPerManual; ++p) {
        const ConsoleSource source{Kind::piston, manual, p};
        const PistonProgress& piston = progress.pistons.at(static_cast<std::size_t>(p - 1));
        const PistonCheck check = m_check->plan().piston(source).check;
        const std::string setTo = checktext::pistonSetTo(m_check->plan().model(), source);
        pistons.push_back(
            {{"look", lookName(pistonLook(check, piston, now < m_litUntil.at(pistonSlot(manual, p))))},
             {"ticked", pistonTicked(piston)},
             {"asked", m_check->asked() == source},
             {"name", checktext::sourceName(names, source)},
             {"detail",
              check == PistonCheck::notChecked ? checktext::pistonNotChecked(names, source, setTo) : setTo}});
    }
    // The report's checklist ends with one line per shoe, which the page shows above its value.
    const ManualReport report = manualReport(*m_check, manual);
    const std::size_t shoes = progress.shoes.size();
    json shoeViews = json::array();
    for (std::size_t i = 0; i < shoes; ++i) {
        const ShoeProgress& shoe = progress.shoes[i];
        shoeViews.push_back({{"line", report.checklist.at(report.checklist.size() - shoes + i)},
                             {"value", shoe.value ? json(*shoe.value) : json(nullptr)}});
    }
    return {
        {"title", report.title},
        {"keys", std::move(keys)},
        {"pistons", std::move(pistons)},
        {"checklist", std::vector<std::string>(report.checklist.begin(),
                                               report.checklist.end() - static_cast<std::ptrdiff_t>(shoes))},
        {"shoes", std::move(shoeViews)}};
}

json PageConsoleCheck::view() const {
    json view = {{"refusal", m_refusal}, {"playable", playable()}};
    if (!m_check) {
        std::vector<std::string> warnings = checkAmbiguities(ConsolePlan(m_session.model()));
        if (warnings.empty())
            warnings.push_back(checktext::noAmbiguities());
        view.update({{"state", "before"},
                     {"warnings", std::move(warnings)},
                     {"prompt", ""},
                     {"instructions", ""},
                     {"asking", false},
                     {"manuals", json::array()},
                     {"faultsHeading", ""},
                     {"faults", json::array()}});
        return view;
    }
    const std::string asked = m_check->prompt();
    json manuals = json::array();
    for (const ManualPlan& manual : m_check->plan().manuals())
        manuals.push_back(manualView(manual.manual));
    json faults = json::array();
    for (const CheckFault& fault : m_check->faults())
        faults.push_back(checktext::fault(fault));
    view.update({{"state", m_check->finished() ? "finished" : "running"},
                 {"warnings", json::array()},
                 {"prompt", checktext::checkPrompt(asked)},
                 {"instructions", checktext::checkInstructions(!asked.empty(), playable())},
                 {"asking", !asked.empty()},
                 {"manuals", std::move(manuals)},
                 {"faultsHeading", checktext::faultsHeading(m_check->faults().size())},
                 {"faults", std::move(faults)}});
    return view;
}

json PageConsoleCheck::texts() {
    return {{"menu", caption(checktext::checkMenuEntry())},
            {"title", checktext::checkTitle()},
            {"intro", checktext::checkIntro()},
            {"warningsHeading", checktext::warningsHeading()},
            {"busy", checktext::cannotListen({LinkCheckRefusal::Why::transferRunning}, whereToChoose)},
            {"start", caption(checktext::startCaption())},
            {"skip", caption(checktext::skipCaption())},
            {"skipAll", caption(checktext::skipAllCaption())},
            {"finish", caption(checktext::finishCaption())},
            {"download", caption(checktext::downloadCaption())},
            {"print", caption(checktext::printCaption())},
            {"again", caption(checktext::againCaption())},
            {"close", caption(checktext::closeCaption())}};
}

} // namespace zkt::web
