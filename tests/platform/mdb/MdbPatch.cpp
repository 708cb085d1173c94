// Locating a table's rows in an Access file with mdbtools' own reader.
#include "MdbPatch.h"

#include <mdbtools.h>

#include <fstream>
#include <memory>
#include <stdexcept>

namespace qzdbs::test {

namespace {

struct Closer {
  void operator()(MdbHandle* mdb) const { mdb_close(mdb); }
};
struct TableFree {
  void operator()(MdbTableDef* table) const { mdb_free_tabledef(table); }
};

}  // namespace

TableLayout LocateTable(const std::filesystem::path& file, const std::string& name) {
  std::unique_ptr<MdbHandle, Closer> mdb(mdb_open(file.c_str(), MDB_NOFLAGS));
  if (!mdb || !mdb_read_catalog(mdb.get(), MDB_TABLE)) throw std::runtime_error("mdb_open");
  MdbCatalogEntry* entry = mdb_get_catalogentry_by_name(mdb.get(), name.c_str());
  if (!entry) throw std::runtime_error("no table " + name);
  std::unique_ptr<MdbTableDef, TableFree> table(mdb_read_table(entry));
  if (!table || !mdb_read_columns(table.get())) throw std::runtime_error("table " + name);

  TableLayout layout;
  layout.pageSize = static_cast<size_t>(mdb->fmt->pg_size);
  layout.rowCountOffset = entry->table_pg * layout.pageSize + mdb->fmt->tab_num_rows_offset;
  const size_t countOffset = mdb->fmt->row_count_offset;
  mdb_rewind_table(table.get());
  while (mdb_read_next_dpg(table.get())) {
    const size_t base = table->cur_phys_pg * layout.pageSize;
    const int rows = mdb_get_int16(mdb->pg_buf, mdb->fmt->row_count_offset);
    for (int slot = 0; slot < rows; ++slot) {
      int start = 0;
      size_t size = 0;
      // Only live rows: neither deleted nor moved.
      if (mdb_find_row(mdb.get(), slot, &start, &size) != 0 || (start & 0xC000)) continue;
      layout.rows.push_back({static_cast<long>(table->cur_phys_pg), slot,
                             base + countOffset + 2 + 2 * slot,
                             base + static_cast<size_t>(start & 0x1FFF)});
    }
  }
  return layout;
}

void WriteBytes(const std::filesystem::path& file, const std::string& bytes) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

uint32_t GetLe(const std::string& bytes, size_t offset, int size) {
  uint32_t v = 0;
  for (int i = 0; i < size; ++i)
    v |= static_cast<uint32_t>(static_cast<unsigned char>(bytes.at(offset + i))) << (8 * i);
  return v;
}

void PutLe(std::string& bytes, size_t offset, uint32_t value, int size) {
  for (int i = 0; i < size; ++i)
    bytes.at(offset + i) = static_cast<char>((value >> (8 * i)) & 0xFF);
}

void SetSlotFlags(std::string& bytes, const RowSlot& row, uint32_t flags) {
  PutLe(bytes, row.slotOffset, GetLe(bytes, row.slotOffset, 2) | flags, 2);
}

void AddToRowCount(std::string& bytes, const TableLayout& layout, int delta) {
  PutLe(bytes, layout.rowCountOffset,
        static_cast<uint32_t>(static_cast<int>(GetLe(bytes, layout.rowCountOffset, 4)) + delta), 4);
}

}  // namespace qzdbs::test
