#pragma once

namespace core {

/// Whether a character takes two cells of a fixed-pitch Japanese font (East Asian wide or
/// fullwidth). Surrogates count as wide: the supplementary characters a Japanese user types
/// are CJK ideographs.
bool IsWideChar(char32_t ch);

} // namespace core
