#include "i18n/language.h"
#include "link/transfer_words.h"

#include <gtest/gtest.h>

#include <string>

namespace zkt {
namespace {

using Step = TransferProgress::Step;

// The text of each step's words, one after another, as a front end would put them.
std::string textOf(const TransferProgress& progress) {
    std::string text;
    for (const ProgressWords& words : wordsOf(progress))
        text += (text.empty() ? "" : " | ") + words.text;
    return text;
}

TEST(TransferWords, EachLanguageKeepsTheNumbersAndNamesInPlace) {
    const TransferProgress requested{.step = Step::manualRequested, .manual = 3};
    const TransferProgress counted{.step = Step::chainCounted, .count = {.boards = 4, .valid = true}};
    const TransferProgress silent{.step = Step::manualSilent, .manual = 2};
    const TransferProgress cancelling{.step = Step::cancelling, .manual = 5};
    const TransferProgress written{.step = Step::finished, .kind = TransferKind::write};
    const struct {
        std::string_view language;
        const TransferProgress& progress;
        std::string_view expected;
    } cases[] = {
        {"en", requested,
         "Requesting ZKT Program Data from Manual #3... | Loading Program Data from ZKT"},
        {"en", counted, "Number of manuals detected = 4"},
        {"en", silent,
         "Manual #2 of your ZKT does not send its program data. Make sure it is turned on and "
         "connected.\r\nRetrying..."},
        {"en", cancelling, "Cancelling: manual 5 is being written to its end first..."},
        {"en", written, "ZKT Configuration data written!"},
        {"de", requested,
         "ZKT-Programmdaten von Manual 3 werden angefordert... | Programmdaten werden vom ZKT geladen"},
        {"de", counted, "Anzahl erkannter Manuale = 4"},
        {"de", silent,
         "Manual 2 Ihres ZKT sendet seine Programmdaten nicht. Stellen Sie sicher, dass es "
         "eingeschaltet und angeschlossen ist.\r\nNeuer Versuch..."},
        {"de", cancelling, "Abbruch: Manual 5 wird zuerst zu Ende geschrieben..."},
        {"nl", requested, "ZKT-programmagegevens van klavier 3 opvragen... | Programmagegevens van de ZKT laden"},
        {"nl", counted, "Aantal gevonden klavieren = 4"},
        {"nl", written, "ZKT-configuratiegegevens geschreven!"},
        {"fr", requested,
         "Demande des données de programme du ZKT au clavier 3... | "
         "Chargement des données de programme depuis le ZKT"},
        {"fr", counted, "Nombre de claviers détectés = 4"},
        {"fr", cancelling, "Annulation\u00a0: le clavier 5 est d'abord écrit jusqu'au bout..."},
        {"fr", written, "Données de configuration du ZKT écrites\u00a0!"},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(setLanguage(c.language));
        EXPECT_EQ(textOf(c.progress), c.expected) << c.language;
    }
    setLanguage(englishLanguage);
}

TEST(TransferWords, AReasonFromElsewhereIsPutInWhole) {
    const TransferFailure failure{.what = TransferFailure::What::cannotEncodeManual,
                                  .detail = "piston 3 has channel 17 (%1 stays)",
                                  .manual = 2};
    ASSERT_TRUE(setLanguage("de"));
    EXPECT_EQ(failureReason(failure),
              "Das Schreiben wurde vor Manual 2 angehalten: piston 3 has channel 17 (%1 stays)");
    setLanguage(englishLanguage);
    EXPECT_EQ(failureReason(failure), "Writing stopped before manual 2: piston 3 has channel 17 (%1 stays)");
}

} // namespace
} // namespace zkt
