#pragma once
// The integer text rule shared by the INI store and the dialogs that ask for numbers: optional
// leading blanks, an optional sign, then decimal digits, or hexadecimal digits after "$" or "0x".
// Anything else (a decimal point, a trailing blank, letters, a value beyond 32 bits) fails.

#include <QString>

// True and *out set when text is such an integer; false (and *out untouched) otherwise.
bool ParseIntegerText(const QString& text, int* out = nullptr);
