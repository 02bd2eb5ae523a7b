#pragma once

#include <QString>
#include <optional>

// The program keeps its settings as text and reads them as numbers where they
// are used. A number is decimal: an optional sign, digits with an optional
// fraction, blanks around it allowed. Nothing else (no exponent, no comma).
namespace core {

std::optional<double> parseNumber(const QString &text);

// The number in a value, or 0 when it holds no number.
double numberOr0(const QString &text);

// Decimal text of a single-precision value, shortest form, never an exponent:
// 4410 -> "4410", 367.5 -> "367.5", -15 -> "-15".
QString formatNumber(float value);

// Rounds to the nearest whole number, halves to the even neighbour.
long long roundHalfEven(double value);

// The widest range of window coordinates and sizes a screen can take, in
// pixels (the X protocol's 16 bits). Every number read from a file is held
// to it, still in floating point, before it becomes a pixel: a huge or
// infinite value then behaves like the largest one and never wraps around.
constexpr double MaxPixels = 32767;
double clampPixels(double pixels);

} // namespace core
