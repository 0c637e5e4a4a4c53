#include "render/pngstream.h"

#include <cstring>

namespace talvex {

namespace {

constexpr size_t kChunkSize = 1 << 16;

void PutBe32(uint8_t* at, uint32_t v)
{
    at[0] = static_cast<uint8_t>(v >> 24);
    at[1] = static_cast<uint8_t>(v >> 16);
    at[2] = static_cast<uint8_t>(v >> 8);
    at[3] = static_cast<uint8_t>(v);
}

} // namespace

PngStream::PngStream(QIODevice& device, int width, int height)
    : m_device(device), m_width(width), m_height(height), m_row(static_cast<size_t>(width) * 3 + 1), m_out(kChunkSize)
{
    static const uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    m_ok = width > 0 && height > 0 && m_device.write(reinterpret_cast<const char*>(kSignature), 8) == 8;
    uint8_t header[13];
    PutBe32(header, static_cast<uint32_t>(width));
    PutBe32(header + 4, static_cast<uint32_t>(height));
    header[8] = 8;  // bits per channel
    header[9] = 2;  // RGB
    header[10] = 0; // deflate
    header[11] = 0; // adaptive filtering
    header[12] = 0; // no interlace
    m_ok = m_ok && WriteChunk("IHDR", header, sizeof header);
    // Diagrams are large areas of one colour: the fastest level already
    // shrinks them to a few per cent, higher levels only cost time.
    m_ok = m_ok && deflateInit(&m_zip, Z_BEST_SPEED) == Z_OK;
}

PngStream::~PngStream()
{
    deflateEnd(&m_zip);
}

bool PngStream::AddRow(const uint8_t* rgbx)
{
    if (!m_ok || m_rowsWritten >= m_height)
        return m_ok;
    // Filter "Sub": the difference to the pixel on the left, which is zero
    // across every flat stretch.
    m_row[0] = 1;
    uint8_t* out = m_row.data() + 1;
    uint8_t left[3] = {0, 0, 0};
    for (int x = 0; x < m_width; ++x, rgbx += 4, out += 3) {
        for (int c = 0; c < 3; ++c) {
            out[c] = static_cast<uint8_t>(rgbx[c] - left[c]);
            left[c] = rgbx[c];
        }
    }
    m_zip.next_in = m_row.data();
    m_zip.avail_in = static_cast<uInt>(m_row.size());
    ++m_rowsWritten;
    m_ok = Deflate(Z_NO_FLUSH);
    return m_ok;
}

bool PngStream::Finish()
{
    if (m_finished)
        return m_ok;
    m_finished = true;
    m_ok = m_ok && m_rowsWritten == m_height;
    m_zip.next_in = nullptr;
    m_zip.avail_in = 0;
    m_ok = m_ok && Deflate(Z_FINISH);
    m_ok = m_ok && WriteChunk("IEND", nullptr, 0);
    return m_ok;
}

bool PngStream::Deflate(int flush)
{
    for (;;) {
        m_zip.next_out = m_out.data();
        m_zip.avail_out = static_cast<uInt>(m_out.size());
        const int rc = deflate(&m_zip, flush);
        if (rc == Z_STREAM_ERROR)
            return false;
        const size_t produced = m_out.size() - m_zip.avail_out;
        if (produced > 0 && !WriteChunk("IDAT", m_out.data(), produced))
            return false;
        if (flush == Z_FINISH ? rc == Z_STREAM_END : m_zip.avail_out != 0)
            return true;
    }
}

bool PngStream::WriteChunk(const char type[4], const uint8_t* data, size_t size)
{
    uint8_t head[8];
    PutBe32(head, static_cast<uint32_t>(size));
    std::memcpy(head + 4, type, 4);
    uLong crc = crc32(0L, head + 4, 4);
    if (size > 0)
        crc = crc32(crc, data, static_cast<uInt>(size));
    uint8_t tail[4];
    PutBe32(tail, static_cast<uint32_t>(crc));
    return m_device.write(reinterpret_cast<const char*>(head), 8) == 8 &&
           (size == 0 || m_device.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size)) ==
                             static_cast<qint64>(size)) &&
           m_device.write(reinterpret_cast<const char*>(tail), 4) == 4;
}

} // namespace talvex
