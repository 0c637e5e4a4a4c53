#pragma once

#include <QString>
#include <QStringList>

namespace talvex {

// The serial devices the port numbers 1 to 8 stand for, in a stable order:
// USB adapters (ttyUSB*, ttyACM*) first, since that is how the robot's cable
// usually shows up. The environment variable TALVEX_PORTS (comma-separated
// device paths) replaces the list.
QStringList AvailablePortDevices();

// The device port number (1 to 8) opens: COMn on Windows, elsewhere the
// number-th entry of AvailablePortDevices(); empty when there is none.
QString PortDeviceName(int number);

} // namespace talvex
