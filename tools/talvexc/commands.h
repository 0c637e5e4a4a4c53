#pragma once

#include <QStringList>
#include <string>

namespace talvex::cli {

// Exit statuses shared by every command.
constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

// Each command gets the arguments after its name and returns the exit status.
int RunGenCommand(const QStringList& args);
int RunFmtCommand(const QStringList& args);
int RunCheckCommand(const QStringList& args);
int RunRunCommand(const QStringList& args);

// Prints the usage text on stderr and returns kExitUsage.
int UsageError();
// Writes bytes to stdout as they are.
void WriteOut(const std::string& bytes);
// Writes a GBK message and a line break to stderr in the terminal's encoding.
void WriteError(const std::string& gbkMessage);

} // namespace talvex::cli

// The serial download command, in send.cpp, enters the table with one line.
int RunSendCommand(const QStringList& args);
