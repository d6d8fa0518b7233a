#include "app/TSingleInstanceGuard.h"
#include "tests/support/FakeInstanceLock.h"

#include <gtest/gtest.h>

namespace {

TEST(TSingleInstanceGuard, ClampsMaxInstance)
{
    FakeInstanceLock lock;
    TSingleInstanceGuard guard(lock, QStringLiteral("brenvolo"));
    const std::pair<int, int> cases[] = {{-5, 1}, {0, 1}, {1, 1}, {7, 7}, {65520, 65520}, {65521, 65520}};
    for (const auto& [set, stored] : cases) {
        guard.setMaxInstance(set);
        EXPECT_EQ(guard.MaxInstance(), stored) << set;
    }
    guard.setMaxInstance(3);
    const TSingleInstanceGuard::Outcome outcome = guard.check();
    EXPECT_FALSE(outcome.refused);
    EXPECT_FALSE(outcome.message);
    EXPECT_EQ(lock.lastName, QStringLiteral("Drenquil.CloneControl.brenvolo"));
    EXPECT_EQ(lock.lastSlots, 3);
}

TEST(TSingleInstanceGuard, OnlyOneGuardInAProgram)
{
    FakeInstanceLock lock;
    TSingleInstanceGuard first(lock, QStringLiteral("brenvolo"));
    try {
        TSingleInstanceGuard second(lock, QStringLiteral("brenvolo"));
        FAIL() << "a second guard was created";
    } catch (const ECloneControlError& error) {
        EXPECT_STREQ(error.what(), "Programma gi\xc3\xa0 in esecuzione");
    }
}

// A refused copy: the Action's box comes back in the outcome (the guard
// shows nothing), the user's events run, and the termination waits for the caller.
TEST(TSingleInstanceGuard, RefusedInstanceReportsItsActionAndTerminatesWhenTold)
{
    FakeInstanceLock lock;
    lock.busy = true;
    struct Case
    {
        TSingleInstanceGuard::Action action;
        std::optional<Message> message;
        int actions;
    };
    const Message box{QStringLiteral("Solo 1 instanza(e) permessa(e)"), QString(), Message::Icon::Critical};
    const Case cases[] = {{TSingleInstanceGuard::Action::None, std::nullopt, 0},
                          {TSingleInstanceGuard::Action::Message, box, 0},
                          {TSingleInstanceGuard::Action::UserEvent, std::nullopt, 1}};
    for (const Case& c : cases) {
        TSingleInstanceGuard guard(lock, QStringLiteral("brenvolo"));
        guard.setAction(c.action);
        guard.setTerminationStyle(TSingleInstanceGuard::TerminationStyle::UserEvent);
        int actions = 0;
        int terminations = 0;
        guard.OnAction = [&] { ++actions; };
        guard.OnTerminate = [&] { ++terminations; };
        const TSingleInstanceGuard::Outcome outcome = guard.check();
        EXPECT_TRUE(outcome.refused);
        EXPECT_TRUE(guard.refused());
        EXPECT_EQ(outcome.message, c.message);
        EXPECT_EQ(actions, c.actions);
        EXPECT_EQ(terminations, 0);
        guard.terminate();
        EXPECT_EQ(terminations, 1);
    }
}

// A lock that cannot be taken is not another copy: the copy is refused with
// a box that names the lock's file and its reason, whatever the Action.
TEST(TSingleInstanceGuard, AnUnavailableLockIsToldWithItsPath)
{
    FakeInstanceLock lock;
    lock.broken = QStringLiteral("/run/user/1000/Drenquil.CloneControl.brenvolo: Is a directory");
    TSingleInstanceGuard guard(lock, QStringLiteral("brenvolo"));
    const TSingleInstanceGuard::Outcome outcome = guard.check();
    EXPECT_TRUE(outcome.refused);
    EXPECT_TRUE(outcome.unavailable);
    ASSERT_TRUE(outcome.message);
    EXPECT_TRUE(outcome.message->text.contains(lock.broken)) << outcome.message->text.toStdString();
    EXPECT_EQ(outcome.message->icon, Message::Icon::Critical);
}

} // namespace
