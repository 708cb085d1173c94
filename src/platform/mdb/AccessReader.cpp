// Row-level reading of Access tables through mdbtools. mdbtools' bound values
// report a null and a zero-length text alike, so each row is cracked here with
// mdb_crack_row and its fields decoded from the row's own null flags.
#include "platform/mdb/AccessReader.h"

#include <mdbtools.h>

#include <array>
#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>

#include "platform/mdb/JetValues.h"

namespace qzdbs::mdb {

namespace {

// Row offset flags of a data page, as Access writes them: a deleted row has
// both; the copy of a row that grew and moved to another page has kDeletedRow
// alone (so a scan passes it by), and the row's old place, now a 4-byte
// pointer to the copy, kOverflowRow alone. (mdbtools' own scan reads the copy
// in its new place and skips the pointer, which moves the row.)
constexpr int kDeletedRow = 0x8000;
constexpr int kOverflowRow = 0x4000;
constexpr int kOffsetMask = 0x1FFF;
constexpr int kMaxOverflowHops = 8;
// Memo and OLE fields start with a 12-byte header whose first 30 bits are the
// value's length.
constexpr size_t kLongValueHeader = MDB_MEMO_OVERHEAD;
constexpr uint32_t kLongValueLengthMask = 0x3FFFFFFF;

struct MdbCloser {
  void operator()(MdbHandle* mdb) const { mdb_close(mdb); }
};
struct TableDefFree {
  void operator()(MdbTableDef* table) const { mdb_free_tabledef(table); }
};

template <typename T>
T LoadLittleEndian(const unsigned char* p) {
  std::make_unsigned_t<T> v = 0;
  for (size_t i = 0; i < sizeof(T); ++i)
    v |= static_cast<std::make_unsigned_t<T>>(p[i]) << (8 * i);
  return static_cast<T>(v);
}

const char* SqlTypeOf(int mdbType) {
  switch (mdbType) {
    case MDB_BOOL:
      return "BOOLEAN";
    case MDB_BYTE:
      return "BYTE";
    case MDB_INT:
      return "INT";
    case MDB_LONGINT:
      return "LONG";
    case MDB_COMPLEX:
      return "LONG";
    case MDB_MONEY:
      return "CURRENCY";
    case MDB_FLOAT:
      return "SINGLE";
    case MDB_DOUBLE:
      return "REAL";
    case MDB_DATETIME:
      return "DATETIME";
    case MDB_BINARY:
      return "BINARY";
    case MDB_TEXT:
      return "TEXT";
    case MDB_MEMO:
      return "TEXT";  // not "MEMO": only a TEXT type keeps "007" a text
    case MDB_REPID:
      return "GUID";
    case MDB_NUMERIC:
      return "DECIMAL";
    default:
      return "BLOB";
  }
}

// The stored size of a fixed-size type; 0 for the variable ones.
size_t FixedSizeOf(int mdbType) {
  switch (mdbType) {
    case MDB_BYTE:
      return 1;
    case MDB_INT:
      return 2;
    case MDB_LONGINT:
    case MDB_COMPLEX:
    case MDB_FLOAT:
      return 4;
    case MDB_MONEY:
    case MDB_DOUBLE:
    case MDB_DATETIME:
      return 8;
    case MDB_REPID:
      return 16;
    case MDB_NUMERIC:
      return 17;
    default:
      return 0;
  }
}

struct GFree {
  void operator()(char* p) const { g_free(p); }
};

[[noreturn]] void Throw(const std::string& path, const std::string& why) {
  throw AccessError("无法读取 Access 零件库 \"" + path + "\": " + why);
}

}  // namespace

struct AccessReader::Impl {
  std::string path;
  AccessFormat format = AccessFormat::Jet4;
  uintmax_t fileSize = 0;
  std::unique_ptr<MdbHandle, MdbCloser> mdb;
  std::vector<std::unique_ptr<MdbCatalogEntry>> entries;
  std::vector<std::string> names;

  [[noreturn]] void Fail(const std::string& why) const { Throw(path, why); }
};

namespace {

// Reads the rows of one table. Everything it decodes lives in mdb->pg_buf,
// the page mdbtools last read, so a row is decoded before the next page read.
class RowScanner {
 public:
  // `subject` names the table in messages; `wanted` (when not empty) marks the
  // columns to decode, the others read as null.
  RowScanner(MdbHandle* mdb, MdbTableDef* table, AccessFormat format, uintmax_t fileSize,
             const std::string& path, const std::string& subject, std::vector<bool> wanted = {})
      : mdb_(mdb),
        table_(table),
        format_(format),
        fileSize_(fileSize),
        path_(path),
        subject_(subject),
        wanted_(std::move(wanted)),
        fields_(table->num_cols),
        row_(table->num_cols),
        chunk_(MDB_PGSIZE) {}

  void Run(TableSink& sink) {
    const auto pageSize = static_cast<size_t>(mdb_->fmt->pg_size);
    const int countOffset = mdb_->fmt->row_count_offset;
    // mdbtools keeps an empty usage map as a null pointer and then reads it.
    if (!table_->usage_map || table_->map_sz == 0) Fail("的页面分配表已损坏");
    mdb_rewind_table(table_);
    while (mdb_read_next_dpg(table_)) {
      const auto page = table_->cur_phys_pg;
      const int rows = mdb_get_int16(mdb_->pg_buf, countOffset);
      if (static_cast<size_t>(countOffset + 2 + rows * 2) > pageSize) {
        Fail("数据页 " + std::to_string(page) + " 的行数已损坏");
      }
      for (int r = 0; r < rows; ++r) {
        int start = 0;
        size_t size = 0;
        const int rc = mdb_find_row(mdb_, r, &start, &size);
        if (start & kDeletedRow) continue;
        if (rc != 0 || size == 0) Fail(Where(page, r) + "的位置已损坏");
        if (start & kOverflowRow) {
          ReadMovedRow(start & kOffsetMask, size, page, r);
        } else {
          Crack(start & kOffsetMask, size, page, r);
        }
        sink.Row(row_);
        ++rowsRead_;
      }
    }
    // The same silence in the middle of a table: fewer rows than its
    // definition counts means pages that could not be read.
    if (rowsRead_ < table_->num_rows) {
      Fail("缺少 " + std::to_string(table_->num_rows - rowsRead_) + " 行 (文件被截断或已损坏)");
    }
  }

 private:
  [[noreturn]] void Fail(const std::string& why) const { Throw(path_, subject_ + " " + why); }

  static std::string Where(unsigned long page, int row) {
    return "数据页 " + std::to_string(page) + " 第 " + std::to_string(row) + " 行";
  }

  // A row that grew beyond its page left a pointer (row number in the low
  // byte, page above it) to where it lives now.
  void ReadMovedRow(int start, size_t size, unsigned long homePage, int homeRow) {
    for (int hop = 0; hop < kMaxOverflowHops; ++hop) {
      if (size < 4) Fail(Where(homePage, homeRow) + "的转移指针已损坏");
      const auto target = LoadLittleEndian<uint32_t>(mdb_->pg_buf + start);
      const unsigned long page = target >> 8;
      const int row = static_cast<int>(target & 0xFF);
      if (mdb_read_pg(mdb_, page) != mdb_->fmt->pg_size || mdb_->pg_buf[0] != MDB_PAGE_DATA ||
          static_cast<unsigned long>(mdb_get_int32(mdb_->pg_buf, 4)) != table_->entry->table_pg ||
          mdb_find_row(mdb_, row, &start, &size) != 0 || size == 0) {
        Fail(Where(homePage, homeRow) + "转移到的位置已损坏");
      }
      // The moved copy carries the deleted flag so that a scan skips it.
      if (!(start & kOverflowRow)) {
        Crack(start & kOffsetMask, size, page, row);
        if (mdb_read_pg(mdb_, homePage) != mdb_->fmt->pg_size) {
          Fail("无法重新读取数据页 " + std::to_string(homePage));
        }
        return;
      }
      start &= kOffsetMask;
    }
    Fail(Where(homePage, homeRow) + "的转移链过长");
  }

  void Crack(int start, size_t size, unsigned long page, int row) {
    if (mdb_crack_row(table_, start, size, fields_.data()) < 0) Fail(Where(page, row) + "已损坏");
    rowBegin_ = static_cast<size_t>(start);
    rowEnd_ = rowBegin_ + size;
    for (size_t i = 0; i < fields_.size(); ++i) {
      if (!wanted_.empty() && !wanted_[i]) continue;
      auto* col = static_cast<MdbColumn*>(g_ptr_array_index(table_->columns, i));
      row_[i] = Decode(col, fields_[i], page, row);
    }
  }

  CellValue Decode(MdbColumn* col, const MdbField& field, unsigned long page, int row) {
    // A yes/no value is its null flag: set means yes.
    if (col->col_type == MDB_BOOL) return int64_t{field.is_null ? 0 : -1};
    if (field.is_null) return std::monostate{};
    if (field.siz < 0 || field.start < 0 || static_cast<size_t>(field.start) < rowBegin_ ||
        static_cast<size_t>(field.start) + static_cast<size_t>(field.siz) > rowEnd_) {
      Fail(Where(page, row) + "的字段 \"" + col->name + "\" 超出了行的范围");
    }
    const unsigned char* p = mdb_->pg_buf + field.start;
    const auto n = static_cast<size_t>(field.siz);
    if (n < FixedSizeOf(col->col_type)) {
      Fail(Where(page, row) + "的字段 \"" + col->name + "\" 长度不足");
    }
    switch (col->col_type) {
      case MDB_BYTE:
        return int64_t{p[0]};
      case MDB_INT:
        return int64_t{LoadLittleEndian<int16_t>(p)};
      case MDB_LONGINT:
      case MDB_COMPLEX:
        return int64_t{LoadLittleEndian<int32_t>(p)};
      case MDB_MONEY:
        return static_cast<double>(LoadLittleEndian<int64_t>(p)) / 10000.0;
      case MDB_FLOAT:
        return double{std::bit_cast<float>(LoadLittleEndian<uint32_t>(p))};
      case MDB_DOUBLE:
        return std::bit_cast<double>(LoadLittleEndian<uint64_t>(p));
      case MDB_DATETIME: {
        const double days = std::bit_cast<double>(LoadLittleEndian<uint64_t>(p));
        if (auto text = AccessDateText(days)) return *text;
        return days;  // outside Access's own range: keep the number rather than lose it
      }
      case MDB_TEXT:
        return Text(p, n);
      case MDB_MEMO: {
        const Blob bytes = LongValue(col, field, page, row);
        return Text(bytes.data(), bytes.size());
      }
      case MDB_OLE:
        return LongValue(col, field, page, row);
      case MDB_REPID: {
        std::unique_ptr<char, GFree> text(mdb_uuid_to_string(mdb_->pg_buf, field.start));
        return std::string(text.get());
      }
      case MDB_NUMERIC: {
        std::unique_ptr<char, GFree> text(
            mdb_numeric_to_string(mdb_, field.start, col->col_scale, col->col_prec));
        return std::string(text.get());
      }
      default:
        return Blob(p, p + n);
    }
  }

  std::string Text(const unsigned char* p, size_t n) {
    if (format_ != AccessFormat::Jet3) return DecodeJet4Text(p, n);
    if (n == 0) return {};
    // One code page byte becomes at most three UTF-8 bytes.
    std::vector<char> out(n * 3 + 1);
    const int len =
        mdb_unicode2ascii(mdb_, reinterpret_cast<const char*>(p), n, out.data(), out.size());
    return std::string(out.data(), static_cast<size_t>(len > 0 ? len : 0));
  }

  // The bytes of a memo or OLE value: inline after its header, or in one or a
  // chain of long value pages, read with mdbtools' OLE reader.
  Blob LongValue(MdbColumn* col, const MdbField& field, unsigned long page, int row) {
    const auto n = static_cast<size_t>(field.siz);
    if (n < kLongValueHeader) return {};
    unsigned char header[kLongValueHeader];
    std::memcpy(header, mdb_->pg_buf + field.start, kLongValueHeader);
    const uint32_t declared = LoadLittleEndian<uint32_t>(header) & kLongValueLengthMask;
    auto damaged = [&] {
      Fail(Where(page, row) + "的字段 \"" + col->name + "\" (备注或 OLE 对象) 已损坏");
    };
    if (declared > fileSize_) damaged();

    // The OLE reader copies each piece into the column's bound buffer.
    struct Unbind {
      MdbColumn* col;
      ~Unbind() { col->bind_ptr = nullptr; }
    } unbind{col};
    col->bind_ptr = chunk_.data();
    col->cur_value_start = field.start;
    col->cur_value_len = field.siz;

    Blob bytes;
    bytes.reserve(declared);
    size_t got = mdb_ole_read(mdb_, col, header, chunk_.size());
    while (got > 0) {
      if (bytes.size() + got > declared) damaged();  // also ends a looping page chain
      bytes.insert(bytes.end(), chunk_.begin(), chunk_.begin() + static_cast<ptrdiff_t>(got));
      got = mdb_ole_read_next(mdb_, col, header);
    }
    if (bytes.size() != declared) damaged();
    return bytes;
  }

  MdbHandle* mdb_;
  MdbTableDef* table_;
  AccessFormat format_;
  uintmax_t fileSize_;
  const std::string& path_;
  const std::string& subject_;
  std::vector<bool> wanted_;
  std::vector<MdbField> fields_;
  std::vector<CellValue> row_;
  std::vector<unsigned char> chunk_;
  size_t rowBegin_ = 0;
  size_t rowEnd_ = 0;
  unsigned rowsRead_ = 0;
};

// Collects the user tables from the rows of MSysObjects.
class CatalogueSink : public TableSink {
 public:
  CatalogueSink(MdbHandle* mdb, std::vector<std::unique_ptr<MdbCatalogEntry>>& entries)
      : mdb_(mdb), entries_(entries) {}

  void Columns(const std::string&, const std::vector<AccessColumn>& columns) override {
    for (size_t i = 0; i < columns.size(); ++i) {
      for (size_t k = 0; k < kNames.size(); ++k) {
        if (g_ascii_strcasecmp(columns[i].name.c_str(), kNames[k]) == 0) index_[k] = i;
      }
    }
  }

  void Row(const std::vector<CellValue>& row) override {
    const auto* id = std::get_if<int64_t>(&row[index_[kId]]);
    const auto* name = std::get_if<std::string>(&row[index_[kName]]);
    const auto* type = std::get_if<int64_t>(&row[index_[kType]]);
    const auto* flags = std::get_if<int64_t>(&row[index_[kFlags]]);
    if (!id || !name || !type || !flags || (*type & 0x7F) != MDB_TABLE) return;
    // The flags of Access's own tables (MSys..., hidden system objects).
    if (static_cast<uint32_t>(*flags) & 0x80000002U) return;
    auto entry = std::make_unique<MdbCatalogEntry>();
    entry->mdb = mdb_;
    std::snprintf(entry->object_name, sizeof entry->object_name, "%s", name->c_str());
    entry->object_type = MDB_TABLE;
    entry->table_pg = static_cast<unsigned long>(*id & 0x00FFFFFF);
    entry->flags = static_cast<int>(*flags);
    entries_.push_back(std::move(entry));
  }

  // The catalogue's columns this reads, by position; false when one is missing.
  bool Wanted(MdbTableDef* table, std::vector<bool>& wanted) const {
    wanted.assign(table->num_cols, false);
    for (size_t k = 0; k < kNames.size(); ++k) {
      if (index_[k] >= table->num_cols) return false;
      wanted[index_[k]] = true;
    }
    return true;
  }

 private:
  enum { kId, kName, kType, kFlags };
  static constexpr std::array<const char*, 4> kNames = {"Id", "Name", "Type", "Flags"};
  MdbHandle* mdb_;
  std::vector<std::unique_ptr<MdbCatalogEntry>>& entries_;
  std::array<size_t, 4> index_ = {SIZE_MAX, SIZE_MAX, SIZE_MAX, SIZE_MAX};
};

bool IsUtf8(const char* charset) {
  return charset &&
         (g_ascii_strcasecmp(charset, "UTF-8") == 0 || g_ascii_strcasecmp(charset, "UTF8") == 0);
}

}  // namespace

AccessReader::AccessReader(const std::string& path) : impl_(std::make_unique<Impl>()) {
  Impl& d = *impl_;
  d.path = path;
  const auto format = DetectAccessFormat(path);
  if (!format) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) d.Fail("文件不存在或无法读取");
    d.Fail("不是 Access 数据库文件");
  }
  d.format = *format;
  std::error_code ec;
  d.fileSize = std::filesystem::file_size(path, ec);
  if (ec) d.Fail("文件不存在或无法读取");

  d.mdb.reset(mdb_open(path.c_str(), MDB_NOFLAGS));
  if (!d.mdb) d.Fail("文件已损坏或版本不受支持");
  // Access 2007 and later encrypt a database with a password for real; a key
  // in the header then means pages mdbtools cannot decode.
  if (d.format == AccessFormat::Ace && d.mdb->f->db_key != 0) {
    d.Fail("文件已用密码加密, 无法读取 Access 2007 及以后版本的加密库");
  }
  // Jet 3 texts go through mdbtools' code page conversion, whose target the
  // environment can change; everything here is UTF-8.
  if (d.format == AccessFormat::Jet3 && !IsUtf8(mdb_target_charset(d.mdb.get()))) {
    d.Fail("环境变量 MDBICONV 不是 UTF-8, 无法转换 Access 97 的文字");
  }
  // mdbtools stops a table at the first page it cannot read, quietly; a file
  // cut short would lose tables and rows without a word.
  if (d.fileSize % static_cast<uintmax_t>(d.mdb->fmt->pg_size) != 0) d.Fail("文件被截断");
  ReadCatalogue();
}

// The catalogue is read here rather than by mdb_read_catalog: that one also
// parses every object's property blob, which a damaged file can make it read
// beyond its buffer; the properties are not needed for the data.
void AccessReader::ReadCatalogue() {
  Impl& d = *impl_;
  MdbCatalogEntry catalogue{};
  catalogue.mdb = d.mdb.get();
  catalogue.object_type = MDB_TABLE;
  catalogue.table_pg = 2;  // where every Jet and ACE file keeps MSysObjects
  std::snprintf(catalogue.object_name, sizeof catalogue.object_name, "MSysObjects");
  std::unique_ptr<MdbTableDef, TableDefFree> table(mdb_read_table(&catalogue));
  if (!table || !mdb_read_columns(table.get()) || table->columns->len != table->num_cols) {
    d.Fail("无法读取表目录 (文件已损坏或已加密)");
  }
  std::vector<std::unique_ptr<MdbCatalogEntry>> entries;
  CatalogueSink sink(d.mdb.get(), entries);
  std::vector<AccessColumn> columns;
  for (guint i = 0; i < table->num_cols; ++i) {
    columns.push_back({static_cast<MdbColumn*>(g_ptr_array_index(table->columns, i))->name, ""});
  }
  sink.Columns(catalogue.object_name, columns);
  std::vector<bool> wanted;
  if (!sink.Wanted(table.get(), wanted)) d.Fail("无法读取表目录 (文件已损坏或已加密)");
  RowScanner(d.mdb.get(), table.get(), d.format, d.fileSize, d.path, "表目录 (MSysObjects)",
             std::move(wanted))
      .Run(sink);
  for (auto& entry : entries) {
    d.names.emplace_back(entry->object_name);
    d.entries.push_back(std::move(entry));
  }
}

AccessReader::~AccessReader() = default;

AccessFormat AccessReader::Format() const {
  return impl_->format;
}

const std::vector<std::string>& AccessReader::TableNames() const {
  return impl_->names;
}

void AccessReader::ReadTable(size_t index, TableSink& sink) {
  Impl& d = *impl_;
  const std::string& name = d.names.at(index);
  const std::string subject = "表 \"" + name + "\"";
  std::unique_ptr<MdbTableDef, TableDefFree> table(mdb_read_table(d.entries[index].get()));
  if (!table || !mdb_read_columns(table.get()) || table->num_cols == 0 ||
      table->columns->len != table->num_cols) {
    d.Fail(subject + " 的表定义已损坏");
  }
  std::vector<AccessColumn> columns;
  for (guint i = 0; i < table->num_cols; ++i) {
    auto* col = static_cast<MdbColumn*>(g_ptr_array_index(table->columns, i));
    columns.push_back({col->name, SqlTypeOf(col->col_type)});
  }
  sink.Columns(name, columns);
  RowScanner(d.mdb.get(), table.get(), d.format, d.fileSize, d.path, subject).Run(sink);
}

}  // namespace qzdbs::mdb
