#include "text/code_page_1252.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace text::cp1252 {

namespace {

struct BestFit {
  std::uint16_t unit;
  std::uint8_t byte;
};

#include "text/cp1252_best_fit.inc"

constexpr char16_t high_half[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// Every unit's byte, in one table: conversions of long texts ask once per unit.
using UnitTable = std::array<unsigned char, 0x10000>;

UnitTable make_unit_table() {
  UnitTable table;
  table.fill('?');
  for (unsigned u = 0; u < 0x100; ++u)
    if (u < 0x80 || u >= 0xA0) table[u] = static_cast<unsigned char>(u);
  for (unsigned b = 0; b < 32; ++b) table[high_half[b]] = static_cast<unsigned char>(0x80 + b);
  for (const BestFit& f : best_fit_1252) table[f.unit] = f.byte;
  return table;
}

const UnitTable& unit_table() {
  static const UnitTable table = make_unit_table();
  return table;
}

}  // namespace

char16_t to_unit(unsigned char b) { return b >= 0x80 && b < 0xA0 ? high_half[b - 0x80] : char16_t{b}; }

unsigned char from_unit(char16_t unit) { return unit_table()[unit]; }

}  // namespace text::cp1252
