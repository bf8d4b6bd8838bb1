#include "app/AppModel.h"

#include <gtest/gtest.h>

namespace vt {
namespace {

TEST(LocaleChoice, TheUsersLocaleStandsInEitherSpelling)
{
    struct Case {
        std::string current;
        std::vector<std::string> supported;
        std::string systemLanguage;
        std::string expected;
    };
    const std::vector<std::string> english = {"en-AU", "en-GB", "en-US", "fr-FR"};
    const Case cases[] = {
        {"en_US", english, "en", "en-US"},  // not the first English one
        {"en-GB", english, "en", "en-GB"},
        {"fr_FR", english, "en", "fr-FR"},
        {"de_DE", english, "fr", "fr-FR"},  // the system's language next
        {"de_DE", english, "de", "en-AU"},  // then the first English one
        {"de_DE", {"ja-JP"}, "de", "ja-JP"},
        {"de_DE", {}, "de", "en_US"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(AppModel::chooseLocale(c.current, c.supported, c.systemLanguage), c.expected) << c.current;
}

}  // namespace
}  // namespace vt
