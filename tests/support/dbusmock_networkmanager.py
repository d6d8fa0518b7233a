'''NetworkManager with a modem and saved profiles, for Brenvolo's tests.

python3-dbusmock's networkmanager template plus a modem (DEVICE: ttyUSB0, IP
interface ppp0) and the profiles of the parameter "profili", settings
dictionaries (a{sa{sv}}). A setting's "secrets" is its saved password, which
GetSecrets hands over as NetworkManager does ({setting: {"password": ...}}).
The profile whose id is the parameter "attivo" is activated on the modem
before the mock answers anything, as NetworkManager restarted mid-call finds it.
'''

import dbus
import dbusmock
from dbusmock.templates import networkmanager
from dbusmock.templates.networkmanager import *  # noqa: F401,F403 the template's D-Bus methods and names

DEVICE = '/org/freedesktop/NetworkManager/Devices/modem'


def get_secrets(self, setting):
    password = self.settings.get(setting, {}).get('secrets')
    return {setting: {} if password is None else {'password': password}}


def load(mock, parameters):
    networkmanager.load(mock, parameters)
    mock.AddObject(DEVICE, networkmanager.DEVICE_IFACE, {
        'DeviceType': dbus.UInt32(8),
        'State': dbus.UInt32(networkmanager.DeviceState.DISCONNECTED),
        'StateReason': (dbus.UInt32(networkmanager.DeviceState.DISCONNECTED), dbus.UInt32(0)),
        'Interface': 'ttyUSB0',
        'IpInterface': 'ppp0',
        'ActiveConnection': dbus.ObjectPath('/'),
        'AvailableConnections': dbus.Array([], signature='o'),
        'Managed': True,
        'Driver': 'dbusmock',
    }, [])
    manager = dbusmock.get_object(networkmanager.MANAGER_OBJ)
    manager.Set(networkmanager.MANAGER_IFACE, 'Devices', dbus.Array([dbus.ObjectPath(DEVICE)], signature='o'))
    for settings in parameters.get('profili', []):
        path = mock.SettingsAddConnection(settings)
        dbusmock.get_object(path).ConnectionGetSecrets = get_secrets
        if settings['connection']['id'] == parameters.get('attivo'):
            mock.AddActiveConnection([DEVICE], path, '/', 'avvio',
                                     dbus.UInt32(networkmanager.NMActiveConnectionState.NM_ACTIVE_CONNECTION_STATE_ACTIVATED))
