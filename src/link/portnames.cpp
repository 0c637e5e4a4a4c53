#include "link/portnames.h"

#include <QSerialPortInfo>
#include <QtGlobal>

#include <algorithm>

namespace talvex {

namespace {

bool IsUsbAdapter(const QString& name)
{
    return name.startsWith(QLatin1String("ttyUSB")) || name.startsWith(QLatin1String("ttyACM"));
}

// ttyS2 before ttyS10: compare the letters, then the trailing number.
bool NaturalLess(const QString& a, const QString& b)
{
    auto split = [](const QString& s) {
        qsizetype digits = s.size();
        while (digits > 0 && s.at(digits - 1).isDigit())
            --digits;
        return std::make_pair(s.left(digits), s.mid(digits).toLongLong());
    };
    return split(a) < split(b);
}

} // namespace

QStringList AvailablePortDevices()
{
    const QString fromEnvironment = qEnvironmentVariable("TALVEX_PORTS");
    if (!fromEnvironment.isEmpty()) {
        QStringList devices;
        for (const QString& part : fromEnvironment.split(QLatin1Char(','), Qt::SkipEmptyParts))
            devices.append(part.trimmed());
        return devices;
    }

    QList<QSerialPortInfo> ports = QSerialPortInfo::availablePorts();
    std::sort(ports.begin(), ports.end(), [](const QSerialPortInfo& a, const QSerialPortInfo& b) {
        const bool usbA = IsUsbAdapter(a.portName());
        const bool usbB = IsUsbAdapter(b.portName());
        if (usbA != usbB)
            return usbA;
        return NaturalLess(a.portName(), b.portName());
    });
    QStringList devices;
    for (const QSerialPortInfo& port : ports)
        devices.append(port.systemLocation());
    return devices;
}

QString PortDeviceName(int number)
{
#ifdef Q_OS_WIN
    if (qEnvironmentVariableIsEmpty("TALVEX_PORTS"))
        return QStringLiteral("COM%1").arg(number);
#endif
    const QStringList devices = AvailablePortDevices();
    if (number < 1 || number > devices.size())
        return QString();
    return devices.at(number - 1);
}

} // namespace talvex
