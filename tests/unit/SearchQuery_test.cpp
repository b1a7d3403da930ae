// The title search's query, address and hosts, and the connection decision before the internet is used.
#include "imdb/SearchQuery.h"

#include <gtest/gtest.h>

#include "imdb/Hosts.h"
#include "tests/unit/ShellFakes.h"

namespace cl {
namespace {

TEST(BuildSearchQuery, JoinsTheWordsAndDropsATrailingMark) {
    struct Case {
        const char* name;
        const char* query;
    };
    const Case cases[] = {
        {"Heat", "Heat"},
        {"Lord of the Rings, The", "Lord%20of%20the%20Rings%20The"},
        {"Mr. & Mrs. Smith", "Mr%20%20Mrs%20Smith"},  // "&" alone becomes an empty word
        {"Spider-Man 2", "Spider-Man%202"},           // only the last character of a word
        {"U.S.A.", "U.S.A"},
        {"Lock, Stock and Two Smoking Barrels", "Lock%20Stock%20and%20Two%20Smoking%20Barrels"},
        {"Alien  3", "Alien%20%203"},  // two blanks give an empty word
        {"Alien ", "Alien%20"},
        {" Alien", "%20Alien"},
        {"--", "-"},
        {"What's Up, Doc?", "What's%20Up%20Doc?"},  // nothing else is escaped
        {"", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(BuildSearchQuery(c.name), c.query) << c.name;
}

TEST(BuildSearchQuery, KeepsFortyWordsAndAtMost249Characters) {
    std::string many;
    for (int i = 0; i < 45; ++i) many += (i ? " " : "") + std::string(1, static_cast<char>('a' + i % 26));
    std::string query = BuildSearchQuery(many);
    EXPECT_EQ(query.size(), 40 + 39 * 3u) << "forty one-letter words and their separators";
    EXPECT_EQ(query.substr(query.size() - 4), "%20n");

    EXPECT_EQ(BuildSearchQuery(std::string(300, 'x')), std::string(249, 'x'));
    // A word cut at 249 characters loses its mark only when the mark is still its last character.
    EXPECT_EQ(BuildSearchQuery(std::string(248, 'x') + "."), std::string(248, 'x'));

    // The query never ends inside a separator.
    std::string edge = std::string(247, 'y') + " z";
    EXPECT_EQ(BuildSearchQuery(edge), std::string(247, 'y'));
    std::string room = std::string(245, 'y') + " zz";
    EXPECT_EQ(BuildSearchQuery(room), std::string(245, 'y') + "%20z");
}

TEST(TitleSearchAddress, PutsThePathAndQueryBehindTheHost) {
    EXPECT_EQ(TitleSearchAddress("http://127.0.0.1:8080", "Matrix, The"),
              "http://127.0.0.1:8080/M/Tsearch?Matrix%20The");
}

TEST(DatabaseHosts, EnvironmentOverTheIniSectionOverTheDefaults) {
    DatabaseHosts hosts = DefaultHosts();
    ApplyHostsSection(
        "Site=http://skin.name\r[hosts]\r\n site = http://127.0.0.1:8080/ \n;Image=http://x\rPoster=\r\n"
        "Image=http://img.test\r[Other]\nTitleSearch=http://other",
        hosts);
    EXPECT_EQ(hosts, (DatabaseHosts{"https://www.imdb.com", "http://127.0.0.1:8080", "http://img.test",
                                    std::string(kDefaultPosterHost)}));
    ApplyHostVariables(hosts, [](const char* name) -> const char* {
        return std::string_view(name) == kImageHostVariable  ? "http://localhost:9000//"
               : std::string_view(name) == kSiteHostVariable ? ""
                                                             : nullptr;
    });
    EXPECT_EQ(hosts.image, "http://localhost:9000");
    EXPECT_EQ(hosts.site, "http://127.0.0.1:8080");
    EXPECT_EQ(HostName("http://localhost:8080"), "localhost:8080");
}

TEST(EnsureInternetConnection, AsksOnlyOfflineAndConnectsOnYes) {
    using test::Box;
    const Box connect{"Connect to the Internet?", "CineLedger", MessageIcon::Question};
    const Box must{"You Must Be Connected To The Internet To Access the IMDb; Connect?", "CineLedger",
                   MessageIcon::Exclamation};
    const Box failed{"Unable to Connect.", "CineLedger", MessageIcon::Stop};
    const struct {
        bool connected, yes, connectWorks;
        const ConnectQuestion& question;
        bool goesOn;
        int beeps;
        std::vector<Box> questions, messages;
    } cases[] = {
        {true, false, false, kConnectQuestion, true, 0, {}, {}},
        {false, false, true, kConnectQuestion, false, 1, {connect}, {}},
        {false, false, true, kConnectOrGoOnQuestion, true, 1, {connect}, {}},
        {false, true, true, kMustConnectQuestion, true, 0, {must}, {}},
        {false, true, false, kConnectOrGoOnQuestion, false, 1, {connect}, {failed}},
    };
    for (const auto& c : cases) {
        test::FakeDesktop desktop;
        desktop.connected = c.connected;
        desktop.connectWorks = c.connectWorks;
        test::RecordingPrompts prompts;
        prompts.answers = {c.yes};
        EXPECT_EQ(EnsureInternetConnection(desktop, prompts, c.question), c.goesOn);
        EXPECT_EQ(desktop.beeps, c.beeps);
        EXPECT_EQ(desktop.connectAttempts, c.connected || !c.yes ? 0 : 1);
        EXPECT_EQ(prompts.questions, c.questions);
        EXPECT_EQ(prompts.messages, c.messages);
    }
}

}  // namespace
}  // namespace cl
