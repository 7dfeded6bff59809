// The plural forms of catalogues' headers, as gettext evaluates them.
#include "i18n/plural_rule.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zkt {
namespace {

TEST(PluralRule, PicksTheFormsOfEveryCommonRule) {
    struct Case {
        const char* header;
        std::vector<std::size_t> formsOf0To5And11And22;
    };
    const Case cases[] = {
        {"nplurals=2; plural=(n != 1);", {1, 0, 1, 1, 1, 1, 1, 1}},
        {"nplurals=2; plural=(n > 1);", {0, 0, 1, 1, 1, 1, 1, 1}},
        {"nplurals=1; plural=0;", {0, 0, 0, 0, 0, 0, 0, 0}},
        // Polish: one, a few (2-4 but not 12-14), many.
        {"nplurals=3; plural=(n==1 ? 0 : n%10>=2 && n%10<=4 && (n%100<10 || n%100>=20) ? 1 : 2);",
         {2, 0, 1, 1, 1, 2, 2, 1}},
        // Slovenian: the forms by n%100, with !.
        {"nplurals=4; plural=(n%100==1 ? 0 : n%100==2 ? 1 : n%100==3 || n%100==4 ? 2 : 3);",
         {3, 0, 1, 2, 2, 3, 3, 3}},
        {"Plural-Forms: nplurals=2; plural=!(n == 1);", {1, 0, 1, 1, 1, 1, 1, 1}},
    };
    for (const Case& c : cases) {
        const std::optional<PluralRule> rule = PluralRule::parse(c.header);
        ASSERT_TRUE(rule.has_value()) << c.header;
        std::vector<std::size_t> forms;
        for (const unsigned long n : {0ul, 1ul, 2ul, 3ul, 4ul, 5ul, 11ul, 22ul})
            forms.push_back(rule->formOf(n));
        EXPECT_EQ(forms, c.formsOf0To5And11And22) << c.header;
    }
    EXPECT_EQ(PluralRule().formOf(1), 0u);
    EXPECT_EQ(PluralRule().formOf(7), 1u);
}

TEST(PluralRule, RefusesWhatDoesNotReadAndNeverPicksAMissingForm) {
    for (const char* header :
         {"", "nplurals=2;", "nplurals=x; plural=n;", "nplurals=0; plural=0;", "nplurals=2; plural=(n != 1;",
          "nplurals=2; plural=n ? 1;", "nplurals=2; plural=m;", "nplurals=2; plural=n %% 2;",
          "nplurals=2; plural=1 2;"})
        EXPECT_FALSE(PluralRule::parse(header).has_value()) << header;
    // Deeper than any language's rule: refused, not a crash.
    EXPECT_FALSE(
        PluralRule::parse("nplurals=2; plural=" + std::string(500, '(') + "n" + std::string(500, ')') + ";")
            .has_value());
    const std::optional<PluralRule> tooFew = PluralRule::parse("nplurals=2; plural=n;");
    ASSERT_TRUE(tooFew.has_value());
    EXPECT_EQ(tooFew->formOf(9), 1u);
    EXPECT_EQ(PluralRule::parse("nplurals=2; plural=n % 0;")->formOf(5), 0u);
}

} // namespace
} // namespace zkt
