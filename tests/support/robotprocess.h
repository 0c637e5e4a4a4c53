#pragma once

// Runs the virtual robot (tools/talvex-robot) on a pseudo-terminal for the
// link tests: start it with fault options, open Device() as the serial port,
// and after the host has closed the port read what the robot received.

#include "spawnedprocess.h"

#include <QByteArray>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include <string>

namespace talvex::testing {

class RobotProcess {
  public:
    RobotProcess() = default;
    RobotProcess(const RobotProcess&) = delete;
    RobotProcess& operator=(const RobotProcess&) = delete;

    ~RobotProcess() = default;

    static QString Program() { return QStringLiteral(TALVEX_BINARY_DIR "/tools/talvex-robot"); }

    // Starts the robot and reads the device path from its first line of output.
    bool Start(const QStringList& options, std::string* error)
    {
        QStringList arguments = options;
        arguments << "--log" << LogPath() << "--out" << OutPath();
        if (!m_process.Start(Program(), arguments, QString(), m_dir.filePath("stderr.txt"))) {
            *error = "cannot start " + Program().toStdString();
            return false;
        }
        m_device = m_process.ReadLine();
        if (m_device.isEmpty()) {
            *error = "talvex-robot printed no device: " + ReadFile(m_dir.filePath("stderr.txt"));
            return false;
        }
        return true;
    }

    QString Device() const { return m_device; }

    // Waits for the robot to end (it does once the host has closed the port).
    bool WaitForExit(int milliseconds = 5000) { return m_process.Wait(milliseconds) >= 0; }

    std::string Log() const { return ReadFile(LogPath()); }
    std::string Out() const { return ReadFile(OutPath()); }
    bool HasOut() const { return QFile::exists(OutPath()); }

  private:
    QString LogPath() const { return m_dir.filePath("received.bin"); }
    QString OutPath() const { return m_dir.filePath("program.bin"); }

    static std::string ReadFile(const QString& path)
    {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return std::string();
        return file.readAll().toStdString();
    }

    QTemporaryDir m_dir;
    SpawnedProcess m_process;
    QString m_device;
};

} // namespace talvex::testing
