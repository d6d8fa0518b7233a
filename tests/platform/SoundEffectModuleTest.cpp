#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QLibrary>
#include <QMetaProperty>
#include <QUrl>
#include <QVariant>
#include <gtest/gtest.h>

namespace {

// Qt Multimedia lives in a module the program opens when it first plays a
// wave file: it must hand back an effect of that file, owned by the caller.
TEST(SoundEffectModule, MakesAnEffectOfTheFileOwnedByTheCaller)
{
    int argc = 1;
    char name[] = "platform_tests";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    QLibrary module(QStringLiteral(BRENVOLO_BUILD_DIR "/brenvolo_sound_effects"));
    using CreateEffect = QObject* (*)(QObject*, const QString&);
    const auto create = reinterpret_cast<CreateEffect>(module.resolve("brenvoloSoundEffect"));
    ASSERT_TRUE(create) << module.errorString().toStdString();

    QObject owner;
    QObject* effect = create(&owner, QStringLiteral("/tmp/fine scatto.wav"));
    ASSERT_NE(effect, nullptr);
    EXPECT_EQ(effect->parent(), &owner);
    EXPECT_STREQ(effect->metaObject()->className(), "QSoundEffect");
    EXPECT_EQ(effect->property("source").toUrl(), QUrl::fromLocalFile(QStringLiteral("/tmp/fine scatto.wav")));
    EXPECT_GE(effect->metaObject()->indexOfMethod("play()"), 0);

    // The file is read by Qt's loader thread: let it finish (there is no such
    // file, so it ends in an error) before the effect goes, or its buffers
    // outlive the test.
    const QMetaProperty status = effect->metaObject()->property(effect->metaObject()->indexOfProperty("status"));
    QDeadlineTimer limite(10000);
    while (!limite.hasExpired() && qstrcmp(status.enumerator().valueToKey(status.read(effect).toInt()), "Error") != 0) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    }
    EXPECT_STREQ(status.enumerator().valueToKey(status.read(effect).toInt()), "Error");
    delete effect;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace
