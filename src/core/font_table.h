#pragma once

#include "core/line_list.h"
#include "core/text_form.h"

#include <array>
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mojihyo {

inline constexpr int kEntryCount = 256;

class TfsDocument;

// The table file formats the program reads and writes: the three of the
// program's lineage, and TFS, the modern tables (Atlas, abcde,
// Cartographer) kept whole line for line.
enum class TableFormat { Thingy, Hexposure, MoJiHyo, Tfs };

// Whoever shows the document (the grid) listens here. Every change of an
// entry's text and every change of a lock is announced, so nothing a command
// does can leave the window out of date.
class DocumentObserver {
public:
  virtual ~DocumentObserver() = default;
  // The text of entry `index` changed. `writtenNumber` is the entry number as
  // a table file wrote it (its two characters, in the file's case) when a
  // reader made the change, and empty otherwise.
  virtual void EntryTextChanged(int index, std::string_view writtenNumber) = 0;
  virtual void EntryLockChanged(int index) = 0;
};

struct FontTable;

// Writes entry `index`'s text. A real change sets TableChanged and tells the
// observer; writing the text the entry already holds changes nothing, except
// that a reader's write still reports the number as the file wrote it.
// Indexes outside 0-255 are ignored.
void SetEntryText(FontTable& table, int index, std::string_view text,
                  std::string_view writtenNumber = {});

// Replaces the content of `table` with that of `loaded` (a table a file
// was read into), entry by entry through the change rule: the observer
// hears of every entry, with the number as the file wrote it from
// `writtenNumbers`. Text is moved, not copied, so the change allocates
// nothing and cannot stop half-way. The file name, title and SaveFormat
// stay; what is left in `loaded` is of no use.
void TakeTableContent(FontTable& table, FontTable&& loaded,
                      const std::array<std::string, kEntryCount>& writtenNumbers);

// Locks or unlocks entry `index`. A lock is not a change of the table's
// content, so TableChanged is left alone.
void SetEntryLocked(FontTable& table, int index, bool locked);

// Read-only view of the 256 entry texts or locks. Only SetEntryText and
// SetEntryLocked write them, so every write goes through the change rule.
template <typename T>
class EntryArray {
public:
  const T& operator[](int index) const { return items_[static_cast<std::size_t>(index)]; }
  static constexpr int size() { return kEntryCount; }
  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }
  bool operator==(const EntryArray&) const = default;

private:
  std::array<T, kEntryCount> items_{};
  friend void SetEntryText(FontTable&, int, std::string_view, std::string_view);
  friend void TakeTableContent(FontTable&, FontTable&&, const std::array<std::string, kEntryCount>&);
  friend void SetEntryLocked(FontTable&, int, bool);
};

// The one font table being edited. Fields keep the names users of the
// program know them by; values are stored exactly as typed or read.
struct FontTable {
  EntryArray<std::string> EntryText;
  EntryArray<bool> EntryLocked;

  std::string LineBreakValue1;
  std::string LineBreakValue2;
  std::string StringBreakValue1;
  std::string StringBreakValue2;
  std::string SectionBreakValue;
  std::string DakutenValue;
  std::string HandakutenValue;

  LineList SixteenBitEntries;

  bool ReverseOrder = false;
  bool OmitSymbols = false;

  // How the table's file holds its text: a save in the format it was read
  // in writes the same form.
  TextForm FileTextForm = TextForm::Bytes;

  // Kept file lines. An empty list is one empty slot, never zero slots.
  std::vector<std::string> BookmarkLines{std::string()};
  std::vector<std::string> ScriptDumpLines{std::string()};
  std::vector<std::string> DollarLines{std::string()};

  // A table read from a TFS file keeps the whole file here; the fields above
  // show one of its logical tables. Shared between copies and replaced, never
  // changed, so a copy costs nothing and each copy keeps its own content.
  std::shared_ptr<const TfsDocument> Tfs;
  std::size_t CurrentLogicalTable = 0;

  std::string CurrentFileName;
  std::string CurrentFileTitle;
  // The format Save writes; nothing until an open or a save chose one.
  std::optional<TableFormat> SaveFormat;
  bool TableChanged = false;

  // Not part of the document: who is told about entry changes.
  DocumentObserver* Observer = nullptr;

  // Same content; the observer does not count.
  bool operator==(const FontTable& other) const;
};

// Stores a kept line: in the last slot when it is empty, else in a new slot.
void AppendKeptLine(std::vector<std::string>& lines, std::string_view line);

// True when a kept-line list holds at least one line.
bool HasKeptLines(const std::vector<std::string>& lines);

// The block operation waiting for the second end of its range.
enum class PendingBlock { None, Copy /* or cut */, Lock, Unlock };

// State of the running program that lives beside the document and is never
// saved.
struct RunTimeState {
  int CurrentCell = 0;
  std::string StartupFileName;
  bool SettingsNotSaved = false;
  bool SaveDialogShown = false;
  PendingBlock BlockMode = PendingBlock::None;
  bool BlockCut = false;
  // No value until the first Block Copy or Block Cut.
  std::optional<std::vector<std::string>> BlockClipboard;
};

}  // namespace mojihyo
