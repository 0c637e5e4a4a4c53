#include "lang/syntax.h"

#include <algorithm>

namespace talvex::lang {

namespace {

constexpr ArgRange kDuration = {0, 32767};
constexpr ArgRange kSpeed = {-255, 255};
constexpr ArgRange kByte = {0, 255};
constexpr ArgRange kServoPosition = {0, 18};

bool IsLeadByte(unsigned char c)
{
    return c >= 0x81 && c <= 0xFE;
}

bool IsTrailByte(unsigned char c)
{
    return c >= 0x40 && c <= 0xFE && c != 0x7F;
}

// Bytes of the character starting at i: two for a GBK double-byte character.
size_t CharLength(std::string_view line, size_t i)
{
    const auto c = static_cast<unsigned char>(line[i]);
    if (IsLeadByte(c) && i + 1 < line.size() && IsTrailByte(static_cast<unsigned char>(line[i + 1])))
        return 2;
    return 1;
}

bool IsNameStart(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

size_t PunctLength(std::string_view rest)
{
    static constexpr std::string_view kTwo[] = {"==", "!=", "<=", ">=", "<<", ">>", "&&", "||"};
    for (std::string_view op : kTwo) {
        if (rest.substr(0, 2) == op)
            return 2;
    }
    static constexpr std::string_view kOne = "(),;=<>+-*/%&|^!~{}";
    return kOne.find(rest[0]) != std::string_view::npos ? 1 : 0;
}

} // namespace

const std::vector<CommandInfo>& Commands()
{
    static const std::vector<CommandInfo> commands = {
        {"fdx", Command::Fdx, 0, 0, false, {}},
        {"bkx", Command::Bkx, 0, 0, false, {}},
        {"ltx", Command::Ltx, 0, 0, false, {}},
        {"rtx", Command::Rtx, 0, 0, false, {}},
        {"stx", Command::Stx, 0, 0, false, {}},
        {"fd", Command::Fd, 0, 1, false, {kDuration}},
        {"bk", Command::Bk, 0, 1, false, {kDuration}},
        {"lt", Command::Lt, 0, 1, false, {kDuration}},
        {"rt", Command::Rt, 0, 1, false, {kDuration}},
        {"motor", Command::Motor, 0, 2, false, {kSpeed, kSpeed}},
        {"wait", Command::Wait, 0, 1, false, {kDuration}},
        {"key", Command::Key, 0, 1, false, {{0, 7}}},
        {"play", Command::Play, 0, 0, true, {}},
        {"led", Command::Led, 0, 1, false, {{0, 7}}},
        {"ddra", Command::Ddr, 0, 1, false, {kByte}},
        {"ddrb", Command::Ddr, 1, 1, false, {kByte}},
        {"ddrc", Command::Ddr, 2, 1, false, {kByte}},
        {"ddrd", Command::Ddr, 3, 1, false, {kByte}},
        {"porta", Command::Port, 0, 1, false, {kByte}},
        {"portb", Command::Port, 1, 1, false, {kByte}},
        {"portc", Command::Port, 2, 1, false, {kByte}},
        {"portd", Command::Port, 3, 1, false, {kByte}},
        {"servoe",
         Command::Servo,
         0,
         6,
         false,
         {kServoPosition, kServoPosition, kServoPosition, kServoPosition, kServoPosition, {1, 5}}},
        {"voicex", Command::Voice, 0, 1, false, {kByte}},
    };
    return commands;
}

const std::vector<SensorInfo>& Sensors()
{
    static const std::vector<SensorInfo> sensors = {
        {"pina", Sensor::Pin, 0, kByte},     {"pinb", Sensor::Pin, 1, kByte},     {"pinc", Sensor::Pin, 2, kByte},
        {"pind", Sensor::Pin, 3, kByte},     {"pc0", Sensor::Pc, 0, {0, 1}},      {"pc1", Sensor::Pc, 1, {0, 1}},
        {"pc2", Sensor::Pc, 2, {0, 1}},      {"pc3", Sensor::Pc, 3, {0, 1}},      {"pc4", Sensor::Pc, 4, {0, 1}},
        {"mic", Sensor::Mic, 0, {0, 1}},     {"pcx", Sensor::Pcx, 0, {0, 1}},     {"adc0", Sensor::Adc, 0, {0, 1023}},
        {"adc1", Sensor::Adc, 1, {0, 1023}}, {"adc2", Sensor::Adc, 2, {0, 1023}}, {"adc3", Sensor::Adc, 3, {0, 1023}},
        {"adc4", Sensor::Adc, 4, {0, 1023}}, {"adc5", Sensor::Adc, 5, {0, 1023}}, {"adc6", Sensor::Adc, 6, {0, 1023}},
        {"adc7", Sensor::Adc, 7, {0, 1023}},
    };
    return sensors;
}

const CommandInfo* FindCommand(std::string_view name)
{
    for (const CommandInfo& info : Commands()) {
        if (name == info.name)
            return &info;
    }
    return nullptr;
}

const SensorInfo* FindSensor(std::string_view name)
{
    for (const SensorInfo& info : Sensors()) {
        if (name == info.name)
            return &info;
    }
    return nullptr;
}

bool IsKeyword(std::string_view name)
{
    static constexpr std::string_view kKeywords[] = {"loop", "lim_loop", "while", "if",
                                                     "else", "qzrobot",  "start", "end"};
    return std::find(std::begin(kKeywords), std::end(kKeywords), name) != std::end(kKeywords);
}

uint32_t ColumnAt(std::string_view line, size_t byteOffset)
{
    uint32_t column = 1;
    for (size_t i = 0; i < byteOffset && i < line.size(); i += CharLength(line, i))
        ++column;
    return column;
}

void LexLine(std::string_view fullLine, std::vector<Token>& tokens)
{
    tokens.clear();
    // As the download preparation does: the first "/*" cuts the line, even
    // inside a string.
    const size_t commentAt = fullLine.find("/*");
    const std::string_view line = fullLine.substr(0, commentAt);
    uint32_t column = 1;
    size_t i = 0;
    auto advanceTo = [&](size_t end) {
        while (i < end) {
            i += CharLength(line, i);
            ++column;
        }
    };
    while (i < line.size()) {
        const char c = line[i];
        if (static_cast<unsigned char>(c) <= 32) {
            ++i;
            ++column;
            continue;
        }
        const size_t begin = i;
        const uint32_t beginColumn = column;
        TokenKind kind;
        if (IsNameStart(c)) {
            kind = TokenKind::Name;
            size_t end = i + 1;
            while (end < line.size() && (IsNameStart(line[end]) || IsDigit(line[end])))
                ++end;
            i = end;
            column += static_cast<uint32_t>(end - begin);
        } else if (IsDigit(c)) {
            kind = TokenKind::Number;
            size_t end = i + 1;
            while (end < line.size() && IsDigit(line[end]))
                ++end;
            i = end;
            column += static_cast<uint32_t>(end - begin);
        } else if (c == '"') {
            const size_t close = line.find('"', i + 1);
            if (close == std::string_view::npos) {
                kind = TokenKind::Bad;
                advanceTo(line.size());
            } else {
                kind = TokenKind::String;
                advanceTo(close + 1);
            }
        } else if (const size_t length = PunctLength(line.substr(i)); length > 0) {
            kind = TokenKind::Punct;
            i += length;
            column += static_cast<uint32_t>(length);
        } else {
            kind = TokenKind::Bad;
            advanceTo(i + 1);
        }
        tokens.push_back({kind, static_cast<uint32_t>(begin), static_cast<uint32_t>(i), beginColumn});
    }
    if (commentAt != std::string_view::npos)
        tokens.push_back(
            {TokenKind::Comment, static_cast<uint32_t>(commentAt), static_cast<uint32_t>(fullLine.size()), column});
}

std::vector<std::string_view> SplitLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' || text[i] == '\r') {
            lines.push_back(text.substr(start, i - start));
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            start = i + 1;
        }
    }
    if (start < text.size())
        lines.push_back(text.substr(start));
    return lines;
}

} // namespace talvex::lang
