#include "platform/NetworkManagerDialUpSource.h"

#include "platform/NetworkInterface.h"

#include <QDBusArgument>
#include <QDBusObjectPath>
#include <QDBusPendingCall>
#include <QDBusPendingCallWatcher>
#include <QDBusServiceWatcher>
#include <QDBusVariant>
#include <algorithm>

namespace {

const QString service = QStringLiteral("org.freedesktop.NetworkManager");
const QString managerPath = QStringLiteral("/org/freedesktop/NetworkManager");
const QString settingsPath = QStringLiteral("/org/freedesktop/NetworkManager/Settings");
const QString managerInterface = QStringLiteral("org.freedesktop.NetworkManager");
const QString settingsInterface = QStringLiteral("org.freedesktop.NetworkManager.Settings");
const QString profileInterface = QStringLiteral("org.freedesktop.NetworkManager.Settings.Connection");
const QString activeInterface = QStringLiteral("org.freedesktop.NetworkManager.Connection.Active");
const QString deviceInterface = QStringLiteral("org.freedesktop.NetworkManager.Device");
const QString propertiesInterface = QStringLiteral("org.freedesktop.DBus.Properties");

// NMActiveConnectionState.
enum : uint
{
    ActiveActivating = 1,
    ActiveActivated = 2,
    ActiveDeactivating = 3,
    ActiveDeactivated = 4
};
// The NMDeviceState steps of an activation.
enum : uint
{
    DeviceConfig = 50,
    DeviceNeedAuth = 60,
    DeviceIpConfig = 70
};
// NMSettingSecretFlags of a password NetworkManager does not keep.
constexpr uint secretNotSaved = 0x2;
constexpr uint secretNotRequired = 0x4;
constexpr int meteredYes = 1; // NMMetered
// A state outside the monitor's table: it keeps its phase.
constexpr int unknownState = -1;

QDBusMessage methodCall(const QString& path, const QString& interface, const QString& method,
                        const QVariantList& arguments = {})
{
    QDBusMessage call = QDBusMessage::createMethodCall(service, path, interface, method);
    call.setArguments(arguments);
    // The program only watches: a NetworkManager that is not running stays so.
    call.setAutoStartService(false);
    return call;
}

QDBusMessage activeConnectionsCall()
{
    return methodCall(managerPath, propertiesInterface, QStringLiteral("Get"),
                      {managerInterface, QStringLiteral("ActiveConnections")});
}

bool isArgument(const QVariant& value)
{
    return value.userType() == qMetaTypeId<QDBusArgument>();
}

QVariantMap mapOf(const QVariant& value)
{
    QVariantMap map;
    if (isArgument(value))
        value.value<QDBusArgument>() >> map;
    return map;
}

QList<QDBusObjectPath> pathsOf(const QVariant& value)
{
    QList<QDBusObjectPath> paths;
    if (isArgument(value))
        value.value<QDBusArgument>() >> paths;
    return paths;
}

QString firstPath(const QVariant& value)
{
    const QList<QDBusObjectPath> paths = pathsOf(value);
    return paths.isEmpty() ? QString() : paths.first().path();
}

QMap<QString, QVariantMap> settingsOf(const QDBusMessage& reply)
{
    QMap<QString, QVariantMap> settings;
    if (reply.type() == QDBusMessage::ReplyMessage && isArgument(reply.arguments().value(0)))
        reply.arguments().value(0).value<QDBusArgument>() >> settings;
    return settings;
}

QString deviceTypeOf(const QString& kind)
{
    static const QStringList modems{QStringLiteral("gsm"), QStringLiteral("cdma"), QStringLiteral("bluetooth")};
    return modems.contains(kind) ? QStringLiteral("modem") : kind;
}

} // namespace

NetworkManagerDialUpSource::NetworkManagerDialUpSource(const QDBusConnection& bus, QString root, QObject* parent)
    : QObject(parent)
    , m_bus(bus)
    , m_root(std::move(root))
{
    if (!m_bus.isConnected())
        return;
    subscribe();
    reload();
}

void NetworkManagerDialUpSource::subscribe()
{
    auto* watcher = new QDBusServiceWatcher(service, m_bus, QDBusServiceWatcher::WatchForOwnerChange, this);
    connect(watcher, &QDBusServiceWatcher::serviceOwnerChanged, this, &NetworkManagerDialUpSource::ownerChanged);
    // Matched by interface, so that the frequent changes of the others (access
    // points, statistics, Wi-Fi scans) never wake the program. Qt D-Bus takes
    // its slots by name.
    const QString changed = QStringLiteral("PropertiesChanged");
    const QString signature = QStringLiteral("sa{sv}as");
    m_bus.connect(service, managerPath, propertiesInterface, changed, {managerInterface}, signature, this,
                  SLOT(managerChanged(QString, QVariantMap, QStringList)));
    m_bus.connect(service, QString(), propertiesInterface, changed, {activeInterface}, signature, this,
                  SLOT(activeChanged(QString, QVariantMap, QStringList, QDBusMessage)));
    m_bus.connect(service, QString(), propertiesInterface, changed, {deviceInterface}, signature, this,
                  SLOT(deviceChanged(QString, QVariantMap, QStringList, QDBusMessage)));
    m_bus.connect(service, settingsPath, settingsInterface, QStringLiteral("NewConnection"), this,
                  SLOT(profileAdded(QDBusObjectPath)));
    m_bus.connect(service, settingsPath, settingsInterface, QStringLiteral("ConnectionRemoved"), this,
                  SLOT(profileRemoved(QDBusObjectPath)));
    m_bus.connect(service, QString(), profileInterface, QStringLiteral("Updated"), this,
                  SLOT(profileUpdated(QDBusMessage)));
}

// The calls go out together and are waited for together: a reading waits
// callTimeout at most, however many objects it reads.
QList<QDBusMessage> NetworkManagerDialUpSource::callAll(const QList<QDBusMessage>& calls)
{
    QList<QDBusPendingCall> pending;
    pending.reserve(calls.size());
    for (const QDBusMessage& call : calls)
        pending.append(m_bus.asyncCall(call, callTimeout));
    QList<QDBusMessage> replies;
    replies.reserve(calls.size());
    for (QDBusPendingCall& call : pending) {
        call.waitForFinished();
        replies.append(call.reply());
    }
    return replies;
}

// Whether a reply is an error. NetworkManager's absence or silence ends the
// reading; an error of one object (a profile removed meanwhile) skips it.
bool NetworkManagerDialUpSource::failed(const QDBusMessage& reply)
{
    if (reply.type() != QDBusMessage::ErrorMessage)
        return false;
    const QString error = reply.errorName();
    m_hasOwner = error != QLatin1String("org.freedesktop.DBus.Error.ServiceUnknown") &&
                 error != QLatin1String("org.freedesktop.DBus.Error.NameHasNoOwner") &&
                 error != QLatin1String("org.freedesktop.DBus.Error.Disconnected");
    if (!m_hasOwner) {
        m_answers = false;
    } else if (error == QLatin1String("org.freedesktop.DBus.Error.NoReply") ||
               error == QLatin1String("org.freedesktop.DBus.Error.Timeout")) {
        m_answers = false;
        m_nextAsking.setRemainingTime(retryInterval);
        if (!std::exchange(m_told, true))
            qWarning("NetworkManager non risponde (%s): le connessioni restano come erano finché risponde di nuovo.",
                     qPrintable(reply.errorMessage()));
    }
    return true;
}

void NetworkManagerDialUpSource::reload()
{
    const QList<QDBusMessage> replies = callAll(
        {methodCall(settingsPath, settingsInterface, QStringLiteral("ListConnections")), activeConnectionsCall()});
    if (failed(replies.at(0)) || failed(replies.at(1)))
        return;
    m_hasOwner = true;
    m_answers = true;
    readProfiles(pathsOf(replies.at(0).arguments().value(0)));
    readActive(pathsOf(replies.at(1).arguments().value(0).value<QDBusVariant>().variant()));
}

void NetworkManagerDialUpSource::readProfiles(const QList<QDBusObjectPath>& paths)
{
    QList<QDBusMessage> calls;
    for (const QDBusObjectPath& path : paths)
        calls.append(methodCall(path.path(), profileInterface, QStringLiteral("GetSettings")));
    const QList<QDBusMessage> replies = callAll(calls);
    QList<Profile> profiles;
    for (qsizetype i = 0; i < replies.size(); ++i) {
        if (failed(replies.at(i)))
            continue;
        if (const std::optional<Profile> profile = profileOf(paths.at(i).path(), settingsOf(replies.at(i))))
            profiles.append(*profile);
    }
    // A reading cut short keeps the profiles known before it.
    if (!m_answers)
        return;
    m_profiles = profiles;
    m_profilesRead = true;
}

void NetworkManagerDialUpSource::readProfile(const QString& path)
{
    const QDBusMessage reply = callAll({methodCall(path, profileInterface, QStringLiteral("GetSettings"))}).at(0);
    const auto known = std::find_if(m_profiles.begin(), m_profiles.end(),
                                    [&path](const Profile& profile) { return profile.path == path; });
    const std::optional<Profile> profile = failed(reply) ? std::nullopt : profileOf(path, settingsOf(reply));
    if (!m_answers)
        return;
    if (known == m_profiles.end() && profile)
        m_profiles.append(*profile);
    else if (known != m_profiles.end() && profile)
        *known = *profile;
    else if (known != m_profiles.end())
        m_profiles.erase(known);
    readDevices();
}

std::optional<NetworkManagerDialUpSource::Profile> NetworkManagerDialUpSource::profileOf(const QString& path,
                                                                                         const Settings& settings)
{
    const QVariantMap connection = settings.value(QStringLiteral("connection"));
    Profile profile;
    profile.path = path;
    profile.id = connection.value(QStringLiteral("id")).toString();
    profile.kind = connection.value(QStringLiteral("type")).toString();
    static const QStringList dialKinds{QStringLiteral("gsm"), QStringLiteral("cdma"), QStringLiteral("pppoe"),
                                       QStringLiteral("adsl")};
    if (dialKinds.contains(profile.kind)) {
        profile.dialSetting = profile.kind;
    } else if (profile.kind == QLatin1String("bluetooth") &&
               settings.value(QStringLiteral("bluetooth")).value(QStringLiteral("type")).toString() ==
                   QLatin1String("dun")) {
        // Dial-up networking over a phone: its gsm or cdma setting says what to dial.
        profile.dialSetting =
            settings.contains(QStringLiteral("cdma")) ? QStringLiteral("cdma") : QStringLiteral("gsm");
    } else if (connection.value(QStringLiteral("metered")).toInt() != meteredYes) {
        return std::nullopt;
    }
    const QVariantMap dial = settings.value(profile.dialSetting);
    profile.number = dial.value(QStringLiteral("number")).toString();
    profile.userName = dial.value(QStringLiteral("username")).toString();
    profile.passwordFlags = dial.value(QStringLiteral("password-flags")).toUInt();
    return profile;
}

void NetworkManagerDialUpSource::readActive(const QList<QDBusObjectPath>& paths)
{
    QList<QDBusMessage> calls;
    for (const QDBusObjectPath& path : paths)
        calls.append(methodCall(path.path(), propertiesInterface, QStringLiteral("GetAll"), {activeInterface}));
    const QList<QDBusMessage> replies = callAll(calls);
    QList<Active> active;
    for (qsizetype i = 0; i < replies.size(); ++i) {
        if (failed(replies.at(i)))
            continue;
        const QVariantMap properties = mapOf(replies.at(i).arguments().value(0));
        active.append({paths.at(i).path(),
                       properties.value(QStringLiteral("Connection")).value<QDBusObjectPath>().path(),
                       properties.value(QStringLiteral("State")).toUInt(),
                       firstPath(properties.value(QStringLiteral("Devices")))});
    }
    if (!m_answers)
        return;
    m_active = active;
    readDevices();
}

// The devices of the entries' active connections: those not yet known are read.
void NetworkManagerDialUpSource::readDevices()
{
    QHash<QString, Device> devices;
    QStringList unknown;
    for (const Active& active : std::as_const(m_active)) {
        if (active.devicePath.isEmpty() || !profileAt(active.profilePath))
            continue;
        if (const auto known = m_devices.constFind(active.devicePath); known != m_devices.cend())
            devices.insert(known.key(), known.value());
        else if (!unknown.contains(active.devicePath))
            unknown.append(active.devicePath);
    }
    QList<QDBusMessage> calls;
    for (const QString& path : std::as_const(unknown))
        calls.append(methodCall(path, propertiesInterface, QStringLiteral("GetAll"), {deviceInterface}));
    const QList<QDBusMessage> replies = callAll(calls);
    for (qsizetype i = 0; i < replies.size(); ++i) {
        if (failed(replies.at(i)))
            continue;
        const QVariantMap properties = mapOf(replies.at(i).arguments().value(0));
        devices.insert(unknown.at(i), {properties.value(QStringLiteral("Interface")).toString(),
                                       properties.value(QStringLiteral("IpInterface")).toString(),
                                       properties.value(QStringLiteral("State")).toUInt()});
    }
    m_devices = devices;
}

void NetworkManagerDialUpSource::ownerChanged(const QString&, const QString&, const QString& newOwner)
{
    if (!newOwner.isEmpty()) {
        reload();
        return;
    }
    m_hasOwner = false;
    m_answers = false;
}

void NetworkManagerDialUpSource::managerChanged(const QString&, const QVariantMap& changed, const QStringList&)
{
    if (!m_answers)
        reload();
    else if (const auto active = changed.constFind(QStringLiteral("ActiveConnections")); active != changed.cend())
        readActive(pathsOf(*active));
}

void NetworkManagerDialUpSource::activeChanged(const QString&, const QVariantMap& changed, const QStringList&,
                                               const QDBusMessage& message)
{
    if (!m_answers) {
        reload();
        return;
    }
    const auto active = std::find_if(m_active.begin(), m_active.end(),
                                     [&message](const Active& active) { return active.path == message.path(); });
    if (active == m_active.end())
        return;
    if (const auto state = changed.constFind(QStringLiteral("State")); state != changed.cend())
        active->state = state->toUInt();
    if (const auto devices = changed.constFind(QStringLiteral("Devices")); devices != changed.cend()) {
        active->devicePath = firstPath(*devices);
        readDevices();
    }
}

void NetworkManagerDialUpSource::deviceChanged(const QString&, const QVariantMap& changed, const QStringList&,
                                               const QDBusMessage& message)
{
    const auto device = m_devices.find(message.path());
    if (device == m_devices.end())
        return;
    if (const auto state = changed.constFind(QStringLiteral("State")); state != changed.cend())
        device->state = state->toUInt();
    if (const auto name = changed.constFind(QStringLiteral("Interface")); name != changed.cend())
        device->interfaceName = name->toString();
    if (const auto ip = changed.constFind(QStringLiteral("IpInterface")); ip != changed.cend())
        device->ipInterface = ip->toString();
}

void NetworkManagerDialUpSource::profileAdded(const QDBusObjectPath& path)
{
    readProfile(path.path());
}

void NetworkManagerDialUpSource::profileRemoved(const QDBusObjectPath& path)
{
    m_profiles.removeIf([&path](const Profile& profile) { return profile.path == path.path(); });
}

void NetworkManagerDialUpSource::profileUpdated(const QDBusMessage& message)
{
    readProfile(message.path());
}

// Without waiting: the answer, when there is one, brings a new reading.
void NetworkManagerDialUpSource::askAgain()
{
    m_nextAsking.setRemainingTime(retryInterval);
    m_asking = new QDBusPendingCallWatcher(m_bus.asyncCall(activeConnectionsCall(), callTimeout), this);
    connect(m_asking, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* watcher) {
        watcher->deleteLater();
        m_asking = nullptr;
        if (!watcher->isError())
            reload();
    });
}

const NetworkManagerDialUpSource::Profile* NetworkManagerDialUpSource::profileAt(const QString& path) const
{
    const auto found = std::find_if(m_profiles.cbegin(), m_profiles.cend(),
                                    [&path](const Profile& profile) { return profile.path == path; });
    return found == m_profiles.cend() ? nullptr : &*found;
}

const NetworkManagerDialUpSource::Profile* NetworkManagerDialUpSource::profileNamed(const QString& entry) const
{
    const auto found = std::find_if(m_profiles.cbegin(), m_profiles.cend(),
                                    [&entry](const Profile& profile) { return profile.id == entry; });
    return found == m_profiles.cend() ? nullptr : &*found;
}

int NetworkManagerDialUpSource::stateOf(uint activeState, std::optional<uint> deviceState)
{
    switch (activeState) {
    case ActiveActivating:
        if (!deviceState || *deviceState < DeviceConfig)
            return OpenPort;
        if (*deviceState < DeviceNeedAuth)
            return ConnectDevice;
        return *deviceState < DeviceIpConfig ? Authenticate : Authenticated;
    case ActiveActivated:
        return Connected;
    case ActiveDeactivating:
    case ActiveDeactivated:
        return Disconnected;
    }
    return unknownState;
}

// While NetworkManager cannot tell, a connection stands as long as its IP
// interface is up; one whose interface is not known yet stands as it was.
bool NetworkManagerDialUpSource::stillUp(const Active& active) const
{
    const QString ip = m_devices.value(active.devicePath).ipInterface;
    return ip.isEmpty() || NetworkInterface::isUp(m_root, ip);
}

std::optional<QList<DialUpSource::Connection>> NetworkManagerDialUpSource::connections()
{
    if (!m_bus.isConnected())
        return std::nullopt;
    if (!m_answers && m_hasOwner && !m_asking && m_nextAsking.hasExpired())
        askAgain();
    QList<Connection> result;
    for (const Active& active : std::as_const(m_active)) {
        const Profile* profile = profileAt(active.profilePath);
        if (!profile || (!m_answers && !stillUp(active)))
            continue;
        const auto device = m_devices.constFind(active.devicePath);
        const bool known = device != m_devices.cend();
        result.append({profile->id, deviceTypeOf(profile->kind), known ? device->interfaceName : QString(),
                       stateOf(active.state, known ? std::optional(device->state) : std::nullopt)});
    }
    return result;
}

std::optional<QList<DialUpSource::PhoneBookEntry>> NetworkManagerDialUpSource::phoneBook()
{
    if (!m_profilesRead)
        return std::nullopt;
    QList<PhoneBookEntry> entries;
    for (const Profile& profile : std::as_const(m_profiles))
        entries.append({profile.id, profile.number});
    return entries;
}

bool NetworkManagerDialUpSource::dial(const QString& entry)
{
    const Profile* profile = profileNamed(entry);
    if (!profile || !m_hasOwner)
        return false;
    // Any device, any specific object: NetworkManager picks them as its menu does.
    const QVariant any = QVariant::fromValue(QDBusObjectPath(QStringLiteral("/")));
    return m_bus.send(methodCall(managerPath, managerInterface, QStringLiteral("ActivateConnection"),
                                 {QVariant::fromValue(QDBusObjectPath(profile->path)), any, any}));
}

std::optional<DialUpSource::DialParams> NetworkManagerDialUpSource::dialParams(const QString& entry, QString* error)
{
    const Profile* profile = profileNamed(entry);
    if (!profile) {
        if (error)
            *error = QStringLiteral("la voce «%1» non è nella rubrica").arg(entry);
        return std::nullopt;
    }
    DialParams params;
    params.userName = profile->userName;
    if (profile->dialSetting.isEmpty() || (profile->passwordFlags & (secretNotSaved | secretNotRequired)) != 0)
        return params;
    // Only the secrets NetworkManager keeps, or an agent of this session hands
    // over: GetSecrets never asks the user. Refused or not there, the password stays empty.
    const QDBusMessage reply =
        callAll({methodCall(profile->path, profileInterface, QStringLiteral("GetSecrets"), {profile->dialSetting})})
            .at(0);
    const QString password = settingsOf(reply).value(profile->dialSetting).value(QStringLiteral("password")).toString();
    if (!password.isEmpty()) {
        params.password = password;
        params.passwordSaved = true;
    }
    return params;
}
