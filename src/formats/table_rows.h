// Tables with exactly one row for each member of a list (each register,
// each font size): a std::array given fewer rows than its size quietly
// fills the rest with zeros, a null name or a control id 0; these refuse to
// build instead.
#pragma once

#include <array>
#include <cstddef>

namespace quarzel {

template <std::size_t Count, typename Row, std::size_t Rows>
consteval std::array<Row, Count> oneRowEach(const Row (&rows)[Rows]) {
  static_assert(Rows == Count, "the table needs exactly one row for each");
  std::array<Row, Count> table{};
  for (std::size_t i = 0; i < Count; ++i) table[i] = rows[i];
  return table;
}

}  // namespace quarzel
