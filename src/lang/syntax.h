#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

// The words and tokens of the robot language (docs/robot-language.md). The
// checker, the code view's highlighter and the simulator all read these tables.
namespace talvex::lang {

// One unit of the durations of wait, fd, bk, lt and rt, in milliseconds.
constexpr int kTimeUnitMs = 10;

// Integers are 16-bit two's complement.
constexpr int32_t kIntMin = -32768;
constexpr int32_t kIntMax = 32767;

// Statements that drive the robot's devices.
enum class Command {
    Fdx,   // fdx(): forward until stopped
    Bkx,   // bkx(): backward until stopped
    Ltx,   // ltx(): turn left until stopped
    Rtx,   // rtx(): turn right until stopped
    Stx,   // stx(): stop what fdx/bkx/ltx/rtx/fd/bk/lt/rt started
    Fd,    // fd(T): forward for T time units
    Bk,    // bk(T)
    Lt,    // lt(T)
    Rt,    // rt(T)
    Motor, // motor(L,R): set both motor speeds
    Wait,  // wait(T): pause for T time units
    Key,   // key(K): melody range for the following play statements
    Play,  // play("notes")
    Led,   // led(V): LED mask, a 0 bit lights the LED
    Ddr,   // ddra(V) .. ddrd(V): pin directions of port a..d (unit 0..3)
    Port,  // porta(V) .. portd(V): pin outputs of port a..d (unit 0..3)
    Servo, // servoe(D1,D2,D3,D4,D5,S)
    Voice, // voicex(I): speak phrase I
};

struct ArgRange {
    int32_t min;
    int32_t max;
};

struct CommandInfo {
    const char* name; // as written, "ddrb"
    Command command;
    int unit;           // port 0..3 for Ddr and Port, else 0
    int argCount;       // integer arguments; play takes one string instead
    bool stringArg;     // play
    ArgRange ranges[6]; // the first argCount are used
};

// Sensor reads: calls without arguments that give an integer.
enum class Sensor {
    Pin, // pina() .. pind(): input pins of port a..d (unit 0..3), 0..255
    Pc,  // pc0() .. pc4(): switch inputs (unit 0..4), 0 or 1
    Mic, // mic(): microphone, 0 or 1
    Pcx, // pcx(): the extra switch input, 0 or 1
    Adc, // adc0() .. adc7(): analogue inputs (unit 0..7), 0..1023
};

struct SensorInfo {
    const char* name;
    Sensor sensor;
    int unit;
    ArgRange range; // what the robot can return
};

const std::vector<CommandInfo>& Commands();
const std::vector<SensorInfo>& Sensors();
const CommandInfo* FindCommand(std::string_view name);
const SensorInfo* FindSensor(std::string_view name);
// "loop", "lim_loop", "while", "if", "else", "qzrobot", "start", "end".
bool IsKeyword(std::string_view name);

// Note codes of play: pitch "0".."9","A".."F" followed by duration "1".."8".
constexpr int kNoteMaxDuration = 8;

enum class TokenKind {
    Name,    // letters, digits and "_", not starting with a digit
    Number,  // decimal digits
    String,  // "..." without escapes
    Punct,   // operators, parentheses, braces, "," and ";"
    Comment, // "/*" to the end of the line
    Bad,     // a character the language does not use, or an unterminated string
};

struct Token {
    TokenKind kind;
    uint32_t begin;  // byte offset in the line
    uint32_t end;    // one past the last byte
    uint32_t column; // 1-based, in characters (a GBK double-byte character counts once)
};

// The tokens of one line (without its line break), the comment last. Bytes up
// to 32 separate tokens. Clears and fills tokens.
void LexLine(std::string_view line, std::vector<Token>& tokens);

// The 1-based character column of a byte offset in a GBK line.
uint32_t ColumnAt(std::string_view line, size_t byteOffset);

// Splits a text at CR LF, lone CR and lone LF; a break at the very end starts
// no extra line.
std::vector<std::string_view> SplitLines(std::string_view text);

} // namespace talvex::lang
