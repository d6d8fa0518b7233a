#include "platform/DialUpSources.h"
#include "platform/CombinedDialUpSource.h"
#include "platform/NetworkManagerDialUpSource.h"
#include "platform/PppDialUpSource.h"
#include "platform/ScriptedDialUpSource.h"
#include "tests/support/FakeDialUpSource.h"
#include "tests/support/FakeShell.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

// Sets environment variables for one test and puts the old values back.
class Environment
{
public:
    ~Environment()
    {
        for (const auto& [name, value] : m_saved) {
            if (value.isNull())
                qunsetenv(name);
            else
                qputenv(name, value);
        }
    }
    void set(const char* name, const char* value)
    {
        m_saved.emplace_back(name, qgetenv(name));
        if (value)
            qputenv(name, value);
        else
            qunsetenv(name);
    }

private:
    std::vector<std::pair<const char*, QByteArray>> m_saved;
};

TEST(DialUpSources, AScriptFileWins)
{
    Environment env;
    env.set("BRENVOLO_DIALUP_SCRIPT", "/tmp/prova.txt");
    env.set("BRENVOLO_PPP_ROOT", "/tmp/albero");
    FakeShell shell;
    const auto source = DialUpSources::create(shell);
    const auto* scripted = dynamic_cast<ScriptedDialUpSource*>(source.get());
    ASSERT_TRUE(scripted);
    EXPECT_EQ(scripted->file(), QStringLiteral("/tmp/prova.txt"));
}

TEST(DialUpSources, NetworkManagerAndPppdBelowTheConfiguredRoot)
{
    Environment env;
    env.set("BRENVOLO_DIALUP_SCRIPT", "");
    env.set("BRENVOLO_PPP_ROOT", "/tmp/albero");
    env.set("DBUS_SYSTEM_BUS_ADDRESS", "unix:path=/nonexistent/bus");
    FakeShell shell;
    const auto source = DialUpSources::create(shell);
    const auto& both = dynamic_cast<CombinedDialUpSource&>(*source);
    EXPECT_TRUE(dynamic_cast<NetworkManagerDialUpSource*>(&both.first()));
    EXPECT_EQ(dynamic_cast<PppDialUpSource&>(both.second()).root(), QStringLiteral("/tmp/albero"));

    env.set("BRENVOLO_PPP_ROOT", nullptr);
    const auto system = DialUpSources::create(shell);
    EXPECT_EQ(dynamic_cast<PppDialUpSource&>(dynamic_cast<CombinedDialUpSource&>(*system).second()).root(),
              QStringLiteral("/"));
}

// Either source may fail alone; each entry is dialled by the source that lists it.
TEST(CombinedDialUpSource, JoinsTwoSources)
{
    auto* desktop = new FakeDialUpSource;
    auto* ppp = new FakeDialUpSource;
    CombinedDialUpSource both{std::unique_ptr<DialUpSource>(desktop), std::unique_ptr<DialUpSource>(ppp)};
    desktop->entries = {{QStringLiteral("Casa"), QStringLiteral("*99#")}};
    ppp->entries = {{QStringLiteral("ufficio"), QStringLiteral("0612345")}};
    desktop->oneConnection(QStringLiteral("Casa"), DialUpSource::Connected);
    ppp->oneConnection(QStringLiteral("ufficio"), DialUpSource::ConnectDevice);
    EXPECT_EQ(both.phoneBook()->size(), 2);
    ASSERT_EQ(both.connections()->size(), 2);
    EXPECT_EQ(both.connections()->at(0).entry, QStringLiteral("Casa"));
    both.dial(QStringLiteral("Casa"));
    both.dial(QStringLiteral("ufficio"));
    EXPECT_EQ(desktop->dialled, QStringList{QStringLiteral("Casa")});
    EXPECT_EQ(ppp->dialled, QStringList{QStringLiteral("ufficio")});

    desktop->enumerationFails = desktop->phoneBookFails = true;
    EXPECT_EQ(both.connections()->size(), 1);
    EXPECT_EQ(both.phoneBook()->size(), 1);
    ppp->enumerationFails = ppp->phoneBookFails = true;
    EXPECT_FALSE(both.connections());
    EXPECT_FALSE(both.phoneBook());
}

} // namespace
