#include "model/gbk.h"
#include "sim/tracejson.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

namespace talvex::sim {
namespace {

QJsonObject Parse(const std::string& line)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(QByteArray::fromStdString(line), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << line;
    return document.object();
}

TEST(TraceJsonTest, TheStateFieldsAreAlwaysThere)
{
    TraceRecord record;
    record.timeUs = 12345678;
    record.pose = {1234.56, -0.04, 359.96};
    record.leds = 5;
    record.line = 7;
    record.motorLeft = -255;
    record.switches = 0x11;
    record.port[3] = 255;
    const std::string line = TraceJson(record);
    EXPECT_EQ(line.find('\n'), std::string::npos);
    const QJsonObject o = Parse(line);
    EXPECT_EQ(o["t_ms"].toInt(), 12345);
    EXPECT_EQ(o["x_mm"].toDouble(), 1234.6);
    EXPECT_EQ(line.find("-0.0"), std::string::npos) << line; // -0.04 rounds to 0.0, without a sign
    EXPECT_EQ(o["heading_deg"].toDouble(), 0.0);             // not 360.0
    EXPECT_EQ(o["leds"].toInt(), 5);
    EXPECT_EQ(o["line"].toInt(), 7);
    EXPECT_EQ(o["motors"].toArray().at(0).toInt(), -255);
    EXPECT_EQ(o["switches"].toInt(), 0x11);
    EXPECT_EQ(o["port"].toArray().at(3).toInt(), 255);
    EXPECT_EQ(o["pin"].toArray().size(), 4);
    EXPECT_EQ(o["servos"].toArray().size(), 5);
    EXPECT_FALSE(o.contains("event"));
}

TEST(TraceJsonTest, EventsCarryTheirDetailsInUtf8)
{
    TraceRecord voice;
    voice.event = TraceRecord::Event::kVoice;
    voice.voiceIndex = 3;
    voice.voiceText = Gbk("你好\"机器人\"\\");
    QJsonObject o = Parse(TraceJson(voice));
    EXPECT_EQ(o["event"].toString(), "voice");
    EXPECT_EQ(o["index"].toInt(), 3);
    EXPECT_EQ(o["text"].toString(), QStringLiteral("你好\"机器人\"\\"));

    TraceRecord note;
    note.event = TraceRecord::Event::kPlay;
    note.note = "F1";
    note.pitchHz = 1046.502;
    note.durationMs = 125;
    o = Parse(TraceJson(note));
    EXPECT_EQ(o["note"].toString(), "F1");
    EXPECT_EQ(o["pitch_hz"].toDouble(), 1046.5);
    EXPECT_EQ(o["duration_ms"].toInt(), 125);

    TraceRecord error;
    error.event = TraceRecord::Event::kError;
    error.message = Gbk("第3行: 错\n误");
    o = Parse(TraceJson(error));
    EXPECT_EQ(o["message"].toString(), QStringLiteral("第3行: 错\n误"));

    TraceRecord end;
    end.event = TraceRecord::Event::kEnd;
    end.reason = "time";
    EXPECT_EQ(Parse(TraceJson(end))["reason"].toString(), "time");
}

} // namespace
} // namespace talvex::sim
