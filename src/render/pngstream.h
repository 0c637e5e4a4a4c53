#pragma once

#include <QByteArray>
#include <QIODevice>

#include <cstdint>
#include <vector>
#include <zlib.h>

namespace talvex {

// Writes an RGB PNG row by row, so a picture taller than memory allows is
// never held whole: the rows go through one deflate stream into IDAT chunks
// as they come.
class PngStream {
  public:
    PngStream(QIODevice& device, int width, int height);
    ~PngStream();
    PngStream(const PngStream&) = delete;
    PngStream& operator=(const PngStream&) = delete;

    // rgbx holds width pixels of four bytes each, red, green, blue and one
    // ignored (QImage::Format_RGBX8888). Rows beyond the height are ignored.
    bool AddRow(const uint8_t* rgbx);
    // Ends the stream; false when any write failed or rows were missing.
    bool Finish();

  private:
    bool Deflate(int flush);
    bool WriteChunk(const char type[4], const uint8_t* data, size_t size);

    QIODevice& m_device;
    int m_width;
    int m_height;
    int m_rowsWritten = 0;
    bool m_ok = true;
    bool m_finished = false;
    z_stream m_zip{};
    std::vector<uint8_t> m_row;
    std::vector<uint8_t> m_out;
};

} // namespace talvex
