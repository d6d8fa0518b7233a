#include "app/TSingleInstanceGuard.h"
#include "tests/support/FakeInstanceLock.h"
#include "tests/support/FakePrompter.h"

#include <gtest/gtest.h>

namespace {

TEST(TSingleInstanceGuard, ClampsMaxInstance)
{
    FakeInstanceLock lock;
    FakePrompter prompter;
    TSingleInstanceGuard guard(lock, prompter, QStringLiteral("brenvolo"));
    const std::pair<int, int> cases[] = {{-5, 1}, {0, 1}, {1, 1}, {7, 7}, {65520, 65520}, {65521, 65520}};
    for (const auto& [set, stored] : cases) {
        guard.setMaxInstance(set);
        EXPECT_EQ(guard.MaxInstance(), stored) << set;
    }
    guard.setMaxInstance(3);
    EXPECT_TRUE(guard.check());
    EXPECT_EQ(lock.lastName, QStringLiteral("Drenquil.CloneControl.brenvolo"));
    EXPECT_EQ(lock.lastSlots, 3);
}

TEST(TSingleInstanceGuard, OnlyOneGuardInAProgram)
{
    FakeInstanceLock lock;
    FakePrompter prompter;
    TSingleInstanceGuard first(lock, prompter, QStringLiteral("brenvolo"));
    try {
        TSingleInstanceGuard second(lock, prompter, QStringLiteral("brenvolo"));
        FAIL() << "a second guard was created";
    } catch (const ECloneControlError& error) {
        EXPECT_STREQ(error.what(), "Programma gi\xc3\xa0 in esecuzione");
    }
}

TEST(TSingleInstanceGuard, RefusedInstancePerformsActionThenTermination)
{
    FakeInstanceLock lock;
    lock.busy = true;
    FakePrompter prompter;
    {
        TSingleInstanceGuard guard(lock, prompter, QStringLiteral("brenvolo"));
        guard.setAction(TSingleInstanceGuard::Action::Message);
        guard.setTerminationStyle(TSingleInstanceGuard::TerminationStyle::UserEvent);
        bool terminated = false;
        guard.OnTerminate = [&] { terminated = true; };
        prompter.expect(QStringLiteral("Solo 1 instanza(e) permessa(e)"));
        EXPECT_FALSE(guard.check());
        EXPECT_TRUE(guard.refused());
        EXPECT_TRUE(terminated);
        EXPECT_EQ(prompter.texts(), QStringList{QStringLiteral("Solo 1 instanza(e) permessa(e)")});
    }
    {
        TSingleInstanceGuard guard(lock, prompter, QStringLiteral("brenvolo"));
        guard.setAction(TSingleInstanceGuard::Action::UserEvent);
        guard.setTerminationStyle(TSingleInstanceGuard::TerminationStyle::UserEvent);
        int actions = 0;
        guard.OnAction = [&] { ++actions; };
        EXPECT_FALSE(guard.check());
        EXPECT_EQ(actions, 1);
        EXPECT_EQ(prompter.shown.size(), 1);
    }
}

} // namespace
