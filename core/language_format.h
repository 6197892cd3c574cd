#pragma once
// Language texts that serve as printf formats. A language file is user data,
// so its text never reaches printf as it stands: it is parsed here, and only
// a conversion we rebuilt ourselves is handed on.

#include <string>
#include <string_view>

// Formats `text` with `value` when the text holds exactly one integer
// conversion (%d or %i, with the flags "-+ 0", a width and a precision of at
// most kMaxFormatWidth) and otherwise only "%%". Any other text (no conversion,
// two of them, %s, %n, a length modifier, a width beyond the limit, a lone %
// at the end) is shown literally, followed by a blank and the value, so the
// number is never lost.
std::string FormatWithInteger(std::string_view text, int value);

constexpr int kMaxFormatWidth = 64;
