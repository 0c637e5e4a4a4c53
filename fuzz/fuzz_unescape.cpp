// UnescapeValueText must take any bytes, and undo EscapeValueText exactly.
#include "model/ctrlnode.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    (void)talvex::UnescapeValueText(text);
    if (talvex::UnescapeValueText(talvex::EscapeValueText(text)) != text)
        __builtin_trap();
    if (talvex::UnescapeSubName(talvex::EscapeSubName(text)) != text)
        __builtin_trap();
    return 0;
}
