#include "commands.h"

#include "model/gbk.h"

#include <cstdio>

namespace talvex::cli {

void WriteOut(const std::string& bytes)
{
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
    std::fflush(stdout);
}

void WriteError(const std::string& gbkMessage)
{
    const QByteArray local = FromGbk(gbkMessage).toLocal8Bit();
    std::fwrite(local.constData(), 1, static_cast<size_t>(local.size()), stderr);
    std::fputc('\n', stderr);
}

} // namespace talvex::cli
