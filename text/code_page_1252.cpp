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

unsigned char from_unit(char16_t unit) { return unit_table()[unit]; }

}  // namespace text::cp1252
