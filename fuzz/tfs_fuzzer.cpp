// Any bytes read as a TFS table: the document and the table built on it
// write back exactly the bytes read, whichever logical table is shown; and
// an edited entry reads back as it was edited, with nothing else changed.

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "formats/table_format.h"
#include "tfs/tfs_document.h"
#include "tfs/tfs_table.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace mojihyo;
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  if (TfsDocument(bytes).Serialize() != bytes) std::abort();

  FontTable table;
  LoadTableBytes(TableFormat::Tfs, bytes, table);
  if (SaveTableBytes(TableFormat::Tfs, table) != bytes) std::abort();
  const std::size_t tables = table.Tfs->tables().size();
  for (std::size_t t = 1; t < tables && t < 8; ++t) SwitchLogicalTable(table, t);
  if (SaveTableBytes(TableFormat::Tfs, table) != bytes) std::abort();

  // Edit the entry the last byte names, in the last table shown.
  if (size == 0) return 0;
  const int entry = data[size - 1];
  const FontTable before = table;
  SetEntryText(table, entry, before.EntryText[entry] + "~");
  const std::string edited = SaveTableBytes(TableFormat::Tfs, table);
  FontTable back;
  LoadTableBytes(TableFormat::Tfs, edited, back);
  SwitchLogicalTable(back, table.CurrentLogicalTable);
  if (back.EntryText != table.EntryText) std::abort();
  if (back.SixteenBitEntries != before.SixteenBitEntries) std::abort();
  if (back.StringBreakValue1 != before.StringBreakValue1) std::abort();
  if (back.Tfs->lineCount() > before.Tfs->lineCount() + 1) std::abort();
  return 0;
}
