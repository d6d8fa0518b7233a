#include "platform/DialUpSources.h"
#include "platform/PppDialUpSource.h"
#include "platform/ScriptedDialUpSource.h"
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

TEST(DialUpSources, PppdBelowTheConfiguredRoot)
{
    Environment env;
    env.set("BRENVOLO_DIALUP_SCRIPT", "");
    env.set("BRENVOLO_PPP_ROOT", "/tmp/albero");
    FakeShell shell;
    const auto source = DialUpSources::create(shell);
    const auto* ppp = dynamic_cast<PppDialUpSource*>(source.get());
    ASSERT_TRUE(ppp);
    EXPECT_EQ(ppp->root(), QStringLiteral("/tmp/albero"));

    env.set("BRENVOLO_PPP_ROOT", nullptr);
    const auto system = DialUpSources::create(shell);
    EXPECT_EQ(dynamic_cast<PppDialUpSource&>(*system).root(), QStringLiteral("/"));
}

} // namespace
