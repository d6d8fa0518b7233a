#pragma once

#include <QString>

// The network interfaces of the system as sysfs shows them.
namespace NetworkInterface {

// Whether the interface exists and is up (IFF_UP in
// ROOT/sys/class/net/NAME/flags); false for a name that is empty or holds "/".
bool isUp(const QString& root, const QString& name);

} // namespace NetworkInterface
