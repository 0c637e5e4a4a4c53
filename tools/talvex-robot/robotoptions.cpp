#include "robotoptions.h"

#include <cstdlib>
#include <sstream>

namespace talvex::robot {

namespace {

bool ParseInt(const std::string& text, int base, long& value)
{
    if (text.empty())
        return false;
    char* end = nullptr;
    value = std::strtol(text.c_str(), &end, base);
    return end && *end == '\0';
}

std::vector<std::string> SplitColons(const std::string& text)
{
    std::vector<std::string> parts;
    std::stringstream stream(text);
    std::string part;
    while (std::getline(stream, part, ':'))
        parts.push_back(part);
    return parts;
}

bool ParseHexBytes(const std::string& text, std::vector<uint8_t>& bytes)
{
    if (text.empty() || text.size() % 2 != 0 || text.size() > 512)
        return false;
    bytes.clear();
    for (size_t i = 0; i < text.size(); i += 2) {
        long value = 0;
        if (!ParseInt(text.substr(i, 2), 16, value))
            return false;
        bytes.push_back(static_cast<uint8_t>(value));
    }
    return true;
}

} // namespace

const char* UsageText()
{
    return "usage: talvex-robot [options]\n"
           "\n"
           "Plays the robot's side of a download on a pseudo-terminal. The first line\n"
           "on standard output is the device to open as the serial port.\n"
           "\n"
           "Packets are counted as they arrive within one transfer: 0 is the command\n"
           "packet, 1 the header, 2 + k data packet k.\n"
           "\n"
           "  --out FILE            write the received program to FILE\n"
           "  --log FILE            write every byte received, raw, to FILE\n"
           "  --loop                serve transfer after transfer instead of exiting\n"
           "  --linger MS           after a transfer, keep the line open this long (2000)\n"
           "  --idle MS             give up when the host sends nothing this long (60000)\n"
           "  --first-reply HEX     data of the first reply packet (default 4F4B)\n"
           "  --reject K:N[:BYTE]   answer packet K with BYTE (hex, default A5) N times\n"
           "  --corrupt-reply R:N   send reply R (0 first, 1 grant) with a wrong sum N times\n"
           "  --refuse-grant        answer the header with AA 55 instead of AA AA\n"
           "  --short-grant         answer the header with the single data byte AA\n"
           "  --silent-after K      once packet K has arrived, answer nothing any more\n"
           "  --close-after K       once packet K has arrived, close the line and exit\n"
           "  --arena [NAME|FILE]   open the simulator window on an arena (room by default)\n"
           "                        and run every program received; stays until closed\n"
           "  --trace FILE          with --arena: write each run's trace to FILE as JSON Lines\n"
           "  --speed N             with --arena: run the clock at 1, 4 or 16 times real time\n"
           "  --help                show this text\n";
}

bool ParseOptions(int argc, char** argv, Options& options, std::string& message, bool& help)
{
    help = false;
    for (int i = 1; i < argc; ++i) {
        const std::string name = argv[i];
        auto value = [&](std::string& out) {
            if (i + 1 >= argc) {
                message = name + " needs a value";
                return false;
            }
            out = argv[++i];
            return true;
        };
        std::string text;
        long number = 0;
        if (name == "--help" || name == "-h") {
            help = true;
            return true;
        } else if (name == "--loop") {
            options.loop = true;
        } else if (name == "--arena") {
            options.arena = true;
            if (i + 1 < argc && argv[i + 1][0] != '-')
                options.arenaName = argv[++i];
        } else if (name == "--trace") {
            if (!value(options.tracePath))
                return false;
        } else if (name == "--speed") {
            if (!value(text))
                return false;
            if (!ParseInt(text, 10, number) || (number != 1 && number != 4 && number != 16)) {
                message = "--speed takes 1, 4 or 16";
                return false;
            }
            options.speed = static_cast<int>(number);
        } else if (name == "--refuse-grant") {
            options.refuseGrant = true;
        } else if (name == "--short-grant") {
            options.shortGrant = true;
        } else if (name == "--out") {
            if (!value(options.outPath))
                return false;
        } else if (name == "--log") {
            if (!value(options.logPath))
                return false;
        } else if (name == "--first-reply") {
            if (!value(text))
                return false;
            if (!ParseHexBytes(text, options.firstReply)) {
                message = "--first-reply takes 1 to 256 bytes in hex";
                return false;
            }
        } else if (name == "--linger" || name == "--idle" || name == "--silent-after" || name == "--close-after") {
            if (!value(text))
                return false;
            if (!ParseInt(text, 10, number) || number < 0) {
                message = name + " takes a number";
                return false;
            }
            int& target = name == "--linger"         ? options.lingerMs
                          : name == "--idle"         ? options.idleMs
                          : name == "--silent-after" ? options.silentAfter
                                                     : options.closeAfter;
            target = static_cast<int>(number);
        } else if (name == "--reject") {
            if (!value(text))
                return false;
            const std::vector<std::string> parts = SplitColons(text);
            Rejection rejection;
            long packet = 0;
            long times = 0;
            long byte = 0xA5;
            if ((parts.size() != 2 && parts.size() != 3) || !ParseInt(parts[0], 10, packet) ||
                !ParseInt(parts[1], 10, times) || (parts.size() == 3 && !ParseInt(parts[2], 16, byte)) || packet < 0 ||
                times < 0 || byte < 0 || byte > 0xFF) {
                message = "--reject takes K:N or K:N:BYTE";
                return false;
            }
            rejection.packet = static_cast<int>(packet);
            rejection.times = static_cast<int>(times);
            rejection.byte = static_cast<uint8_t>(byte);
            options.rejections.push_back(rejection);
        } else if (name == "--corrupt-reply") {
            if (!value(text))
                return false;
            const std::vector<std::string> parts = SplitColons(text);
            long reply = 0;
            long times = 0;
            if (parts.size() != 2 || !ParseInt(parts[0], 10, reply) || !ParseInt(parts[1], 10, times) || reply < 0 ||
                reply > 1 || times < 0) {
                message = "--corrupt-reply takes R:N with R 0 or 1";
                return false;
            }
            options.corruptions.push_back({static_cast<int>(reply), static_cast<int>(times)});
        } else {
            message = "unknown option " + name;
            return false;
        }
    }
    if ((!options.tracePath.empty() || options.speed != 1) && !options.arena) {
        message = "--trace and --speed go with --arena";
        return false;
    }
    if (options.refuseGrant && options.shortGrant) {
        message = "--refuse-grant and --short-grant exclude each other";
        return false;
    }
    return true;
}

} // namespace talvex::robot
