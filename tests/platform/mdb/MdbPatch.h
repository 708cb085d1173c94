// Finding where a table's rows lie in an Access file (through
// mdbtools), so tests can damage or rearrange a copy of a real file.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

namespace qzdbs::test {

struct RowSlot {
  long page = 0;
  int slot = 0;           // index in the page's row offset table
  size_t slotOffset = 0;  // file offset of the slot's 16-bit entry
  size_t rowOffset = 0;   // file offset of the row's first byte
};

struct TableLayout {
  size_t pageSize = 0;
  size_t rowCountOffset = 0;  // file offset of the definition's 32-bit row count
  std::vector<RowSlot> rows;  // the live rows, in storage order
};

TableLayout LocateTable(const std::filesystem::path& mdb, const std::string& table);

void WriteBytes(const std::filesystem::path& file, const std::string& bytes);
uint32_t GetLe(const std::string& bytes, size_t offset, int size);
void PutLe(std::string& bytes, size_t offset, uint32_t value, int size);
// Sets flag bits of a row's slot (0x8000 deleted, 0x4000 moved).
void SetSlotFlags(std::string& bytes, const RowSlot& row, uint32_t flags);
// Changes the row count the table's definition records.
void AddToRowCount(std::string& bytes, const TableLayout& layout, int delta);

}  // namespace qzdbs::test
