#pragma once

// A child process for the end-to-end tests, started with posix_spawn. (The
// tests also run under ThreadSanitizer, whose bookkeeping does not survive the
// way QProcess starts children; posix_spawn leaves it intact.)

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace talvex::testing {

class SpawnedProcess {
  public:
    SpawnedProcess() = default;
    SpawnedProcess(const SpawnedProcess&) = delete;
    SpawnedProcess& operator=(const SpawnedProcess&) = delete;

    ~SpawnedProcess()
    {
        Kill();
        if (m_stdout >= 0)
            ::close(m_stdout);
    }

    // Starts program; its standard output comes through a pipe (ReadLine)
    // unless stdoutPath is given, standard error goes to stderrPath or is
    // dropped.
    bool Start(const QString& program, const QStringList& arguments, const QString& stdoutPath = QString(),
               const QString& stderrPath = QString())
    {
        std::vector<std::string> strings;
        strings.push_back(program.toStdString());
        for (const QString& argument : arguments)
            strings.push_back(argument.toStdString());
        std::vector<char*> argv;
        for (std::string& s : strings)
            argv.push_back(s.data());
        argv.push_back(nullptr);

        int pipeFds[2] = {-1, -1};
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        const std::string outPath = stdoutPath.toStdString();
        const std::string errPath = stderrPath.isEmpty() ? std::string("/dev/null") : stderrPath.toStdString();
        if (stdoutPath.isEmpty()) {
            if (::pipe(pipeFds) != 0)
                return false;
            posix_spawn_file_actions_adddup2(&actions, pipeFds[1], 1);
            posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
            posix_spawn_file_actions_addclose(&actions, pipeFds[1]);
        } else {
            posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        }
        posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int result = posix_spawn(&m_pid, argv[0], &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        if (pipeFds[1] >= 0)
            ::close(pipeFds[1]);
        m_stdout = pipeFds[0];
        if (result != 0) {
            m_pid = -1;
            return false;
        }
        return true;
    }

    // One line of standard output, without its line break; empty on time-out.
    QString ReadLine(int milliseconds = 5000)
    {
        std::string line;
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
        while (m_stdout >= 0) {
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
            pollfd readable{m_stdout, POLLIN, 0};
            if (left.count() <= 0 || ::poll(&readable, 1, static_cast<int>(left.count())) <= 0)
                break;
            char c = 0;
            if (::read(m_stdout, &c, 1) != 1 || c == '\n')
                break;
            line.push_back(c);
        }
        return QString::fromLocal8Bit(line.c_str());
    }

    // Waits for the child to end; its exit code, or -1 when it is still running.
    int Wait(int milliseconds = 5000)
    {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
        while (m_pid > 0) {
            int status = 0;
            const pid_t done = ::waitpid(m_pid, &status, WNOHANG);
            if (done == m_pid) {
                m_pid = -1;
                m_exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
                break;
            }
            if (done < 0 && errno != EINTR)
                break;
            if (std::chrono::steady_clock::now() > end)
                return -1;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return m_exitCode;
    }

    void Kill()
    {
        if (m_pid <= 0)
            return;
        ::kill(m_pid, SIGKILL);
        int status = 0;
        ::waitpid(m_pid, &status, 0);
        m_pid = -1;
    }

  private:
    pid_t m_pid = -1;
    int m_stdout = -1;
    int m_exitCode = -1;
};

} // namespace talvex::testing
