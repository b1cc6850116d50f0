#pragma once

// Formula texts are upper-cased ASCII where they matter: references, function names and
// numbers.

namespace core {

constexpr bool IsAsciiDigit(char16_t ch)
{
    return ch >= u'0' && ch <= u'9';
}

constexpr bool IsAsciiUpper(char16_t ch)
{
    return ch >= u'A' && ch <= u'Z';
}

} // namespace core
