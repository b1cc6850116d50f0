#include "core/WideChar.h"

namespace core {

bool IsWideChar(char32_t ch)
{
    if (ch < 0x1100)
        return false;
    return (ch <= 0x115F) || (ch >= 0x2E80 && ch <= 0x303E) || (ch >= 0x3041 && ch <= 0x33FF)
           || (ch >= 0x3400 && ch <= 0x4DBF) || (ch >= 0x4E00 && ch <= 0x9FFF)
           || (ch >= 0xA000 && ch <= 0xA4CF) || (ch >= 0xAC00 && ch <= 0xD7A3)
           || (ch >= 0xD800 && ch <= 0xDFFF) || (ch >= 0xF900 && ch <= 0xFAFF)
           || (ch >= 0xFE30 && ch <= 0xFE4F) || (ch >= 0xFF00 && ch <= 0xFF60)
           || (ch >= 0xFFE0 && ch <= 0xFFE6) || (ch >= 0x20000 && ch <= 0x3FFFD);
}

} // namespace core
