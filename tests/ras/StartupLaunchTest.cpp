#include "ras/StartupLaunch.h"
#include "settings/MemorySettingsBackend.h"
#include "settings/SettingsStore.h"
#include "tests/support/FakeDialUpSource.h"
#include "tests/support/FakeShell.h"

#include <gtest/gtest.h>

namespace {

QString s(const char* text)
{
    return QString::fromUtf8(text);
}

struct Start
{
    MemorySettingsBackend backend;
    SettingsStore store{backend};
    FakeDialUpSource dialUp;
    FakeShell shell;

    void set(const char* section, const char* value, const QString& text)
    {
        store.writeText(s(section), s(value), text);
    }
    QStringList opened() const
    {
        QStringList files;
        for (const FakeShell::Call& call : shell.opened)
            files.append(call.program + (call.mode == Shell::ShowMode::Normal ? s(" normal") : s(" minimised")));
        return files;
    }
};

TEST(StartupLaunch, DialsTheProviderThenOpensThePrograms)
{
    Start st;
    st.set("connessione", "provider", s("Casa"));
    st.set("esegui", "browser", s("/usr/bin/firefox"));
    st.set("esegui", "mail", s("/usr/bin/thunderbird"));
    st.set("esegui", "altro", s("/home/u/note.txt"));
    StartupLaunch::run(s("ON"), st.store, st.dialUp, st.shell);
    EXPECT_EQ(st.dialUp.dialled, QStringList{s("Casa")});
    EXPECT_EQ(st.opened(), (QStringList{s("/usr/bin/firefox normal"), s("/usr/bin/thunderbird minimised"),
                                        s("/home/u/note.txt minimised")}));
    EXPECT_TRUE(st.shell.ran.isEmpty());
}

TEST(StartupLaunch, NoDialUnlessAutomaticDialIsOn)
{
    for (const char* setting : {"OFF", "on", "", "True"}) {
        Start st;
        st.set("connessione", "provider", s("Casa"));
        StartupLaunch::run(s(setting), st.store, st.dialUp, st.shell);
        EXPECT_TRUE(st.dialUp.dialled.isEmpty()) << setting;
    }
}

TEST(StartupLaunch, AnUnsetProviderIsDialledByItsName)
{
    Start st;
    StartupLaunch::run(s("ON"), st.store, st.dialUp, st.shell);
    EXPECT_EQ(st.dialUp.dialled, QStringList{s("NESSUNO")});
    EXPECT_TRUE(st.shell.opened.isEmpty()) << "no program is set";
}

TEST(StartupLaunch, SkipsUnsetProgramsAndIgnoresFailures)
{
    Start st;
    st.shell.result = Shell::NotFound;
    st.set("esegui", "browser", s("NESSUNO"));
    st.set("esegui", "mail", s("/missing/mail"));
    st.set("esegui", "altro", s(""));
    StartupLaunch::run(s("OFF"), st.store, st.dialUp, st.shell);
    EXPECT_EQ(st.opened(), QStringList{s("/missing/mail minimised")});
}

TEST(StartupLaunch, LongPathsAndNamesAreHandedOverWhole)
{
    Start st;
    const QString longPath = s("/home/utente/") + QString(120, QLatin1Char('p')) + s("/browser con spazi");
    const QString longEntry = QString(100, QLatin1Char('e'));
    st.set("esegui", "browser", longPath);
    st.set("connessione", "provider", longEntry);
    StartupLaunch::run(s("ON"), st.store, st.dialUp, st.shell);
    ASSERT_EQ(st.shell.opened.size(), 1);
    EXPECT_EQ(st.shell.opened.at(0).program, longPath);
    EXPECT_EQ(st.dialUp.dialled, QStringList{longEntry});
}

} // namespace
