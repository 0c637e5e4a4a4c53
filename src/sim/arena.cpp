#include "sim/arena.h"

#include "model/gbk.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace talvex::sim {

namespace {

constexpr const char* kMagic = "talvex-arena";
constexpr double kMaxSideMm = 100000;
constexpr size_t kMaxFileBytes = 4 * 1024 * 1024;
constexpr double kArcStepDeg = 5;

std::string LineMessage(int line, const std::string& utf8)
{
    return Gbk("第" + std::to_string(line) + "行: ") + Gbk(utf8);
}

class LineReader {
  public:
    LineReader(int number, std::vector<std::string> words) : m_number(number), m_words(std::move(words)) {}

    const std::string& Keyword() const { return m_words[0]; }
    size_t Count() const { return m_words.size() - 1; }

    // Reads the i-th number after the keyword.
    bool Number(size_t i, double& value, std::string* error) const
    {
        const std::string& word = m_words[i + 1];
        errno = 0;
        char* end = nullptr;
        value = std::strtod(word.c_str(), &end);
        if (end == word.c_str() || *end != '\0' || errno != 0 || !std::isfinite(value) ||
            std::fabs(value) > kMaxSideMm * 10) {
            *error = LineMessage(m_number, "") + Gbk("“") + word + Gbk("”不是一个数");
            return false;
        }
        return true;
    }

    bool Numbers(size_t first, size_t count, std::vector<double>& values, std::string* error) const
    {
        values.resize(count);
        for (size_t i = 0; i < count; ++i) {
            if (!Number(first + i, values[i], error))
                return false;
        }
        return true;
    }

    bool Fail(const std::string& utf8, std::string* error) const
    {
        *error = LineMessage(m_number, "“") + Keyword() + Gbk("”") + Gbk(utf8);
        return false;
    }

    bool Grey(double value, int& grey, std::string* error) const
    {
        if (value < 0 || value > 255 || value != std::floor(value))
            return Fail("的灰度应是0到255的整数", error);
        grey = static_cast<int>(value);
        return true;
    }

    int Number() const { return m_number; }

  private:
    int m_number;
    std::vector<std::string> m_words;
};

std::vector<std::string> SplitWords(const std::string& line)
{
    std::vector<std::string> words;
    std::istringstream in(line);
    std::string word;
    while (in >> word)
        words.push_back(word);
    return words;
}

std::vector<std::string> SplitTextLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::string current;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(current);
            current.clear();
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else {
            current += c;
        }
    }
    if (!current.empty())
        lines.push_back(current);
    return lines;
}

void SetBounds(FloorMark& mark)
{
    const double margin = mark.shape == FloorMark::Shape::kDisc ? mark.radius : mark.width / 2;
    mark.boundsMin = mark.boundsMax = mark.points[0];
    for (const Vec2& p : mark.points) {
        mark.boundsMin = {std::min(mark.boundsMin.x, p.x), std::min(mark.boundsMin.y, p.y)};
        mark.boundsMax = {std::max(mark.boundsMax.x, p.x), std::max(mark.boundsMax.y, p.y)};
    }
    mark.boundsMin = mark.boundsMin - Vec2{margin, margin};
    mark.boundsMax = mark.boundsMax + Vec2{margin, margin};
}

bool ParseMark(const LineReader& line, Arena& arena, std::string* error)
{
    const std::string& key = line.Keyword();
    std::vector<double> v;
    FloorMark mark;
    if (key == "line") {
        if (line.Count() < 6 || line.Count() % 2 != 0)
            return line.Fail("需要灰度、宽度和至少两个点(x y)", error);
        if (!line.Numbers(0, line.Count(), v, error) || !line.Grey(v[0], mark.grey, error))
            return false;
        if (v[1] <= 0)
            return line.Fail("的宽度应大于0", error);
        mark.shape = FloorMark::Shape::kLine;
        mark.width = v[1];
        for (size_t i = 2; i + 1 < v.size(); i += 2)
            mark.points.push_back({v[i], v[i + 1]});
    } else if (key == "arc") {
        if (line.Count() != 7)
            return line.Fail("需要7个数: 灰度 宽度 圆心x 圆心y 半径 起始角 终止角", error);
        if (!line.Numbers(0, 7, v, error) || !line.Grey(v[0], mark.grey, error))
            return false;
        if (v[1] <= 0 || v[4] <= 0)
            return line.Fail("的宽度和半径应大于0", error);
        const double sweep = v[6] - v[5];
        if (std::fabs(sweep) > 3600)
            return line.Fail("的角度太大", error);
        mark.shape = FloorMark::Shape::kLine;
        mark.width = v[1];
        const int steps = std::max(1, static_cast<int>(std::ceil(std::fabs(sweep) / kArcStepDeg)));
        for (int i = 0; i <= steps; ++i) {
            const double a = DegToRad(v[5] + sweep * i / steps);
            mark.points.push_back({v[2] + v[4] * std::cos(a), v[3] + v[4] * std::sin(a)});
        }
    } else if (key == "rect") {
        if (line.Count() != 5)
            return line.Fail("需要5个数: 灰度 x1 y1 x2 y2", error);
        if (!line.Numbers(0, 5, v, error) || !line.Grey(v[0], mark.grey, error))
            return false;
        mark.shape = FloorMark::Shape::kRect;
        mark.points = {{std::min(v[1], v[3]), std::min(v[2], v[4])}, {std::max(v[1], v[3]), std::max(v[2], v[4])}};
    } else if (key == "disc") {
        if (line.Count() != 4)
            return line.Fail("需要4个数: 灰度 圆心x 圆心y 半径", error);
        if (!line.Numbers(0, 4, v, error) || !line.Grey(v[0], mark.grey, error))
            return false;
        if (v[3] <= 0)
            return line.Fail("的半径应大于0", error);
        mark.shape = FloorMark::Shape::kDisc;
        mark.points = {{v[1], v[2]}};
        mark.radius = v[3];
    } else {
        *error = LineMessage(line.Number(), "不认识的关键字“") + key + Gbk("”");
        return false;
    }
    SetBounds(mark);
    arena.marks.push_back(std::move(mark));
    return true;
}

bool ParseLine(const LineReader& line, Arena& arena, bool& sized, std::string* error)
{
    const std::string& key = line.Keyword();
    std::vector<double> v;
    if (key == "size") {
        if (line.Count() != 2)
            return line.Fail("需要2个数: 宽 高", error);
        if (!line.Numbers(0, 2, v, error))
            return false;
        if (v[0] < 100 || v[1] < 100 || v[0] > kMaxSideMm || v[1] > kMaxSideMm)
            return line.Fail("的宽和高应在100到100000毫米之间", error);
        arena.width = v[0];
        arena.height = v[1];
        sized = true;
    } else if (key == "start") {
        if (line.Count() != 3)
            return line.Fail("需要3个数: x y 朝向(度)", error);
        if (!line.Numbers(0, 3, v, error))
            return false;
        arena.start = {v[0], v[1], NormalizeHeading(v[2])};
    } else if (key == "floor") {
        if (line.Count() != 1)
            return line.Fail("需要1个数: 灰度", error);
        return line.Numbers(0, 1, v, error) && line.Grey(v[0], arena.floorGrey, error);
    } else if (key == "wall") {
        if (line.Count() != 4 && line.Count() != 5)
            return line.Fail("需要4个数 x1 y1 x2 y2, 可再加厚度", error);
        if (!line.Numbers(0, line.Count(), v, error))
            return false;
        Wall wall{{v[0], v[1]}, {v[2], v[3]}};
        if (v.size() == 5) {
            if (v[4] <= 0)
                return line.Fail("的厚度应大于0", error);
            wall.thickness = v[4];
        }
        arena.walls.push_back(wall);
    } else if (key == "box") {
        if (line.Count() != 4)
            return line.Fail("需要4个数: x1 y1 x2 y2", error);
        if (!line.Numbers(0, 4, v, error))
            return false;
        arena.obstacles.push_back(
            {{std::min(v[0], v[2]), std::min(v[1], v[3])}, {std::max(v[0], v[2]), std::max(v[1], v[3])}});
    } else {
        return ParseMark(line, arena, error);
    }
    return true;
}

} // namespace

Result<Arena> ParseArena(const std::string& text)
{
    std::string message;
    std::string* error = &message;
    Arena arena;
    bool sized = false;
    bool magic = false;
    int number = 0;
    for (const std::string& raw : SplitTextLines(text)) {
        ++number;
        const std::string content = raw.substr(0, raw.find('#'));
        std::vector<std::string> words = SplitWords(content);
        if (words.empty())
            continue;
        if (!magic) {
            if (words.size() != 2 || words[0] != kMagic || words[1] != "1") {
                *error = Gbk("这不是场地文件: 第一行应是“talvex-arena 1”");
                return Status::Failure(message);
            }
            magic = true;
            continue;
        }
        if (words[0] == "name") {
            const size_t at = content.find("name") + 4;
            std::string name = content.substr(at);
            name.erase(0, name.find_first_not_of(" \t"));
            name.erase(name.find_last_not_of(" \t") + 1);
            arena.name = name;
            continue;
        }
        if (!ParseLine(LineReader(number, std::move(words)), arena, sized, error))
            return Status::Failure(message);
    }
    if (!magic) {
        *error = Gbk("这不是场地文件: 文件是空的");
        return Status::Failure(message);
    }
    if (!sized) {
        *error = Gbk("场地文件缺少“size”行(场地的宽和高)");
        return Status::Failure(message);
    }
    if (DiscHitsWall(arena, {arena.start.x, arena.start.y}, 0)) {
        *error = Gbk("机器人的起始位置(start)在场地外或在墙里");
        return Status::Failure(message);
    }
    return arena;
}

Result<Arena> ReadArenaFile(const std::string& path)
{
    const std::string shown = ToGbk(QString::fromStdString(path));
    std::ifstream in(path, std::ios::binary);
    std::string text;
    if (in) {
        std::ostringstream bytes;
        bytes << in.rdbuf();
        text = bytes.str();
    }
    if (!in)
        return Status::Failure(Gbk("无法读取场地文件“") + shown + Gbk("”"));
    if (text.size() > kMaxFileBytes)
        return Status::Failure(Gbk("场地文件“") + shown + Gbk("”太大"));
    Result<Arena> arena = ParseArena(text);
    if (!arena)
        return Status::Failure(Gbk("场地文件“") + shown + Gbk("”: ") + arena.Message());
    return arena;
}

int FloorGreyAt(const Arena& arena, Vec2 p)
{
    if (p.x < 0 || p.y < 0 || p.x > arena.width || p.y > arena.height)
        return 0;
    int grey = arena.floorGrey;
    for (const FloorMark& mark : arena.marks) {
        if (p.x < mark.boundsMin.x || p.y < mark.boundsMin.y || p.x > mark.boundsMax.x || p.y > mark.boundsMax.y)
            continue;
        bool inside = false;
        switch (mark.shape) {
        case FloorMark::Shape::kLine: {
            const double halfSq = mark.width * mark.width / 4;
            for (size_t i = 0; i + 1 < mark.points.size() && !inside; ++i)
                inside = SegmentDistanceSq(p, mark.points[i], mark.points[i + 1]) <= halfSq;
            break;
        }
        case FloorMark::Shape::kRect:
            inside = p.x >= mark.points[0].x && p.x <= mark.points[1].x && p.y >= mark.points[0].y &&
                     p.y <= mark.points[1].y;
            break;
        case FloorMark::Shape::kDisc: {
            const Vec2 d = p - mark.points[0];
            inside = Dot(d, d) <= mark.radius * mark.radius;
            break;
        }
        }
        if (inside)
            grey = mark.grey;
    }
    return grey;
}

bool DiscHitsWall(const Arena& arena, Vec2 p, double radius)
{
    if (p.x - radius < 0 || p.y - radius < 0 || p.x + radius > arena.width || p.y + radius > arena.height)
        return true;
    for (const Wall& wall : arena.walls) {
        const double reach = radius + wall.thickness / 2;
        if (SegmentDistanceSq(p, wall.a, wall.b) < reach * reach)
            return true;
    }
    for (const Obstacle& box : arena.obstacles) {
        const double cx = std::clamp(p.x, box.min.x, box.max.x);
        const double cy = std::clamp(p.y, box.min.y, box.max.y);
        const Vec2 d{p.x - cx, p.y - cy};
        if (Dot(d, d) < radius * radius || (d.x == 0 && d.y == 0))
            return true;
    }
    return false;
}

} // namespace talvex::sim
