// talvexc: the editor's project files and program text without a screen.

#include "commands.h"
#include "tsansuppressions.h"

#include <QCoreApplication>
#include <cstdio>

namespace talvex::cli {

namespace {

struct Command {
    const char* name;
    const char* synopsis;
    int (*run)(const QStringList& args);
};

// One line per command.
const Command kCommands[] = {
    {"gen", "gen FILE.lcc   print the program text of a project (GBK, CR LF after every line)", RunGenCommand},
    {"fmt", "fmt FILE.lcc   print the project file as the editor saves it after opening it", RunFmtCommand},
    {"check",
     "check FILE...  check program texts and projects: FILE:LINE:COL: 错误|警告: message, in UTF-8;\n"
     "                 exit 1 when any file has an error",
     RunCheckCommand},
    {"send", "send --port DEVICE FILE   download a program text file to the robot", ::RunSendCommand},
    {"run",
     "run [--arena NAME|FILE] [--seconds S] [--clap MS]... FILE\n"
     "                 run a project or program text on the simulated robot; JSON Lines on stdout",
     RunRunCommand},
};

void PrintUsage(std::FILE* out)
{
    std::fputs("Usage: talvexc COMMAND ARGS...\n\nCommands:\n", out);
    for (const Command& command : kCommands)
        std::fprintf(out, "  talvexc %s\n", command.synopsis);
    std::fputs("  talvexc --help        show this text\n\n"
               "Exit status: 0 done, 1 the file could not be read or used, 2 wrong usage.\n",
               out);
}

} // namespace

int UsageError()
{
    PrintUsage(stderr);
    return kExitUsage;
}

int Main(const QStringList& arguments)
{
    if (arguments.size() < 2)
        return UsageError();
    const QString& name = arguments.at(1);
    if (name == QLatin1String("--help") || name == QLatin1String("-h")) {
        PrintUsage(stdout);
        return kExitOk;
    }
    for (const Command& command : kCommands) {
        if (name == QLatin1String(command.name))
            return command.run(arguments.mid(2));
    }
    return UsageError();
}

} // namespace talvex::cli

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    return talvex::cli::Main(QCoreApplication::arguments());
}
