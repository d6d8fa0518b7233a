#pragma once

#include "platform/DialUpSource.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDeadlineTimer>
#include <QHash>
#include <QMap>
#include <QObject>
#include <QStringList>
#include <QVariantMap>

class QDBusObjectPath;
class QDBusPendingCallWatcher;

// The dial-up source of a desktop whose connections NetworkManager makes
// (from the panel's network menu, nmcli, or by itself at start), read over
// its D-Bus interface on the system bus.
//
// - Phone book: the saved profiles of the dial-up kinds (gsm, cdma,
//   bluetooth DUN, pppoe, adsl) and any other profile marked metered
//   (connection.metered yes), in NetworkManager's order. An entry's name is
//   the profile's id, its number gsm.number or cdma.number (empty for the
//   kinds without one). Other profiles (Wi-Fi, Ethernet, VPN ... not metered)
//   are no entries, and their connections are never reported.
// - Connections: the active connections of those profiles, in
//   NetworkManager's order. Activating is OpenPort, ConnectDevice,
//   Authenticate or Authenticated as the device goes through its steps
//   (prepare, config, need-auth, ip-config and later); activated is
//   Connected; deactivating and deactivated are Disconnected. The device
//   type is "modem" for gsm, cdma and bluetooth, the profile's kind for the
//   others; the device name is the device's interface.
// - The profiles and the active connections are read when the source is made
//   and whenever NetworkManager appears on the bus, then kept up to date from
//   its signals (PropertiesChanged of the manager, of the active connections
//   and of the devices; NewConnection, ConnectionRemoved and Updated of the
//   profiles). A poll asks nothing: it reads what they left.
// - Every call is bounded (callTimeout, the calls of one reading sent
//   together) and never starts NetworkManager. When it is absent, the source
//   reports no connection and an unreadable phone book. When it stops
//   answering or leaves the bus (a restart), the connections it had up stay
//   as they were while their IP interface is still up below `root`
//   (sys/class/net), until it answers again; a NetworkManager that stopped
//   answering is asked again every retryInterval, without waiting. The first
//   failure of a run is told once on the standard error.
// - Dialling activates the entry's profile (ActivateConnection), without
//   waiting for the answer.
// - Dial parameters: the user name of the profile's gsm, cdma, pppoe or adsl
//   setting, and its password when NetworkManager hands it over unasked
//   (GetSecrets never prompts the user); nothing more when it does not.
class NetworkManagerDialUpSource : public QObject, public DialUpSource
{
    Q_OBJECT
public:
    static constexpr int callTimeout = 300;     // milliseconds a reading may wait for NetworkManager
    static constexpr int retryInterval = 10000; // milliseconds between two askings of one that does not answer

    explicit NetworkManagerDialUpSource(const QDBusConnection& bus, QString root = QStringLiteral("/"),
                                        QObject* parent = nullptr);

    std::optional<QList<Connection>> connections() override;
    std::optional<QList<PhoneBookEntry>> phoneBook() override;
    bool dial(const QString& entry) override;
    std::optional<DialParams> dialParams(const QString& entry, QString* error) override;

    // The last reading of NetworkManager went through.
    bool answers() const { return m_answers; }

private slots:
    void ownerChanged(const QString& name, const QString& oldOwner, const QString& newOwner);
    void managerChanged(const QString& interface, const QVariantMap& changed, const QStringList& invalidated);
    void activeChanged(const QString& interface, const QVariantMap& changed, const QStringList& invalidated,
                       const QDBusMessage& message);
    void deviceChanged(const QString& interface, const QVariantMap& changed, const QStringList& invalidated,
                       const QDBusMessage& message);
    void profileAdded(const QDBusObjectPath& path);
    void profileRemoved(const QDBusObjectPath& path);
    void profileUpdated(const QDBusMessage& message);

private:
    struct Profile
    {
        QString path;
        QString id;
        QString kind;        // connection.type
        QString dialSetting; // the setting with the number, user and password: gsm, cdma, pppoe, adsl; or none
        QString number;
        QString userName;
        uint passwordFlags = 0;
    };
    struct Active
    {
        QString path;
        QString profilePath;
        uint state = 0;
        QString devicePath;
    };
    struct Device
    {
        QString interfaceName;
        QString ipInterface;
        uint state = 0;
    };

    using Settings = QMap<QString, QVariantMap>;

    // The profile as an entry of the phone book; none for a kind that is not counted.
    static std::optional<Profile> profileOf(const QString& path, const Settings& settings);
    static int stateOf(uint activeState, std::optional<uint> deviceState);

    void subscribe();
    void reload();
    QList<QDBusMessage> callAll(const QList<QDBusMessage>& calls);
    bool failed(const QDBusMessage& reply);
    void readProfiles(const QList<QDBusObjectPath>& paths);
    void readProfile(const QString& path);
    void readActive(const QList<QDBusObjectPath>& paths);
    void readDevices();
    void askAgain();
    const Profile* profileAt(const QString& path) const;
    const Profile* profileNamed(const QString& entry) const;
    bool stillUp(const Active& active) const;

    QDBusConnection m_bus;
    QString m_root;
    QList<Profile> m_profiles; // the entries only
    bool m_profilesRead = false;
    QList<Active> m_active; // every active connection, of any profile
    QHash<QString, Device> m_devices;
    bool m_hasOwner = false;
    bool m_answers = false;
    bool m_told = false;
    QDeadlineTimer m_nextAsking;
    QDBusPendingCallWatcher* m_asking = nullptr;
};
