#pragma once

#include <QList>
#include <QString>
#include <array>
#include <optional>

// The system's dial-up service as the connection monitor and the preferences
// dialog see it: the connections of this moment, the phone book, the dial
// request and an entry's saved dial parameters.
class DialUpSource
{
public:
    // Connection states, numbered as the remote-access service numbers them.
    enum State : int
    {
        OpenPort = 0,
        PortOpened = 1,
        ConnectDevice = 2,
        DeviceConnected = 3,
        AllDevicesConnected = 4,
        Authenticate = 5,
        Authenticated = 14,
        StartAuthentication = 19,
        LogonNetwork = 21,
        Connected = 0x2000,
        Disconnected = 0x2001
    };

    // Every state by the name the enumeration gives it, in the service's
    // order: the one list of them, for whatever reads, shows or checks states.
    struct StateName
    {
        State state;
        const char* name;
    };
    static constexpr std::array<StateName, 11> stateNames{{
        {OpenPort, "OpenPort"},
        {PortOpened, "PortOpened"},
        {ConnectDevice, "ConnectDevice"},
        {DeviceConnected, "DeviceConnected"},
        {AllDevicesConnected, "AllDevicesConnected"},
        {Authenticate, "Authenticate"},
        {StartAuthentication, "StartAuthentication"},
        {Authenticated, "Authenticated"},
        {LogonNetwork, "LogonNetwork"},
        {Connected, "Connected"},
        {Disconnected, "Disconnected"},
    }};

    struct Connection
    {
        QString entry;
        QString deviceType;
        QString deviceName;
        int state = Disconnected; // one of State, or any other number the system reports
        bool operator==(const Connection&) const = default;
    };

    struct PhoneBookEntry
    {
        QString name;
        // The entry's phone number (empty when it has none); no value when the
        // entry's properties cannot be read.
        std::optional<QString> number;
        bool operator==(const PhoneBookEntry&) const = default;
    };

    struct DialParams
    {
        QString userName;
        QString password;
        bool passwordSaved = false;
    };

    virtual ~DialUpSource() = default;

    // The connections of this moment, in the system's order; no value when
    // they cannot be enumerated.
    virtual std::optional<QList<Connection>> connections() = 0;
    // The phone book's entries in the system's order; no value when it cannot be listed.
    virtual std::optional<QList<PhoneBookEntry>> phoneBook() = 0;
    // Asks the system to dial an entry and returns at once; the connection,
    // if any, shows up in later polls. False when the request could not even
    // be handed over.
    virtual bool dial(const QString& entry) = 0;
    // The user name and saved password of an entry; no value, with the
    // system's reason in *error, when they cannot be read.
    virtual std::optional<DialParams> dialParams(const QString& entry, QString* error) = 0;
};
