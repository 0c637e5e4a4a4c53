#include "sim/tracejson.h"

#include "model/gbk.h"

#include <cmath>
#include <cstdio>

namespace talvex::sim {

namespace {

std::string Fixed(double value, int decimals)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    std::string text = buffer;
    // -0.0 and 0.0 are the same place.
    if (text.find_first_not_of("-0.") == std::string::npos && text[0] == '-')
        text.erase(0, 1);
    return text;
}

std::string JsonString(const std::string& gbk)
{
    const QByteArray utf8 = FromGbk(gbk).toUtf8();
    std::string out = "\"";
    for (const char c : utf8) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (u < 0x20) {
            char buffer[8];
            std::snprintf(buffer, sizeof buffer, "\\u%04x", u);
            out += buffer;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

template <size_t N> std::string IntArray(const int (&values)[N])
{
    std::string out = "[";
    for (size_t i = 0; i < N; ++i)
        out += (i ? "," : "") + std::to_string(values[i]);
    return out + "]";
}

const char* EventName(TraceRecord::Event event)
{
    switch (event) {
    case TraceRecord::Event::kPlay:
        return "play";
    case TraceRecord::Event::kVoice:
        return "voice";
    case TraceRecord::Event::kBump:
        return "bump";
    case TraceRecord::Event::kClap:
        return "clap";
    case TraceRecord::Event::kEnd:
        return "end";
    case TraceRecord::Event::kError:
        return "error";
    case TraceRecord::Event::kNone:
        break;
    }
    return "";
}

} // namespace

std::string TraceJson(const TraceRecord& r)
{
    // A heading that rounds to 360.0 is shown as 0.0, the same direction.
    const double heading = r.pose.headingDeg >= 359.95 ? 0.0 : r.pose.headingDeg;
    std::string out = "{\"t_ms\":" + std::to_string(r.timeUs / 1000) + ",\"x_mm\":" + Fixed(r.pose.x, 1) +
                      ",\"y_mm\":" + Fixed(r.pose.y, 1) + ",\"heading_deg\":" + Fixed(heading, 1) +
                      ",\"leds\":" + std::to_string(r.leds) + ",\"line\":" + std::to_string(r.line) + ",\"motors\":[" +
                      std::to_string(r.motorLeft) + "," + std::to_string(r.motorRight) +
                      "],\"switches\":" + std::to_string(r.switches) + ",\"ddr\":" + IntArray(r.ddr) +
                      ",\"port\":" + IntArray(r.port) + ",\"pin\":" + IntArray(r.pin) +
                      ",\"servos\":" + IntArray(r.servos) + ",\"servo_speed\":" + std::to_string(r.servoSpeed);
    if (r.event != TraceRecord::Event::kNone)
        out += std::string(",\"event\":\"") + EventName(r.event) + "\"";
    switch (r.event) {
    case TraceRecord::Event::kPlay:
        out += ",\"note\":" + JsonString(r.note) + ",\"pitch_hz\":" + Fixed(r.pitchHz, 2) +
               ",\"duration_ms\":" + std::to_string(r.durationMs);
        break;
    case TraceRecord::Event::kVoice:
        out += ",\"index\":" + std::to_string(r.voiceIndex);
        if (!r.voiceText.empty())
            out += ",\"text\":" + JsonString(r.voiceText);
        break;
    case TraceRecord::Event::kEnd:
        out += ",\"reason\":" + JsonString(r.reason);
        break;
    case TraceRecord::Event::kError:
        out += ",\"message\":" + JsonString(r.message);
        break;
    default:
        break;
    }
    return out + "}";
}

} // namespace talvex::sim
