#include "formats/table_file.h"

#include "core/lines.h"
#include "core/text_form.h"

#include <array>
#include <new>
#include <stdexcept>

namespace mojihyo {

namespace {

// Keeps the entry numbers as the file wrote them while a file is read into
// a table of its own, for when that table takes the document's place.
class WrittenNumbers : public DocumentObserver {
public:
  void EntryTextChanged(int index, std::string_view writtenNumber) override {
    numbers[static_cast<std::size_t>(index)].assign(writtenNumber);
  }
  void EntryLockChanged(int) override {}
  std::array<std::string, kEntryCount> numbers;
};

OpenResult OutOfMemory() { return {std::string(kOutOfMemory), true}; }

OpenResult Open(TableFormat format, std::string&& bytes, FontTable& table,
                std::optional<TableFormat> reportFor, const FormatCheck& check = {}) {
  const TextForm form = DetectTextForm(bytes);
  if (IsUtf16(form)) {
    std::string utf8;
    if (FileResult r = DecodeUtf16(bytes, form, utf8); !r.ok()) return {r.error};
    bytes = std::move(utf8);
  }
  if (check) {
    const std::optional<TableFormat> chosen = check(bytes);
    if (!chosen) {
      OpenResult stopped;
      stopped.cancelled = true;
      return stopped;
    }
    format = *chosen;
  }
  FontTable loaded;
  WrittenNumbers numbers;
  loaded.Observer = &numbers;
  OpenResult result;
  result.format = format;
  result.dropped =
      LoadOwnedTableReporting(format, std::move(bytes), loaded, reportFor.value_or(format));
  loaded.FileTextForm = form;
  loaded.Observer = nullptr;
  TakeTableContent(table, std::move(loaded), numbers.numbers);
  return result;
}

}  // namespace

OpenResult OpenTableFile(TableFormat format, const std::string& path, FontTable& table,
                         const FileReader& read, std::optional<TableFormat> reportFor) {
  return OpenTableFile(format, path, table, OpenOptions{read, reportFor, {}});
}

OpenResult OpenTableFile(TableFormat format, const std::string& path, FontTable& table,
                         const OpenOptions& options) {
  try {
    std::string bytes;
    if (FileResult r = options.read ? options.read(path, bytes) : ReadFileBytes(path, bytes); !r.ok())
      return {r.error};
    return Open(format, std::move(bytes), table, options.reportFor, options.check);
  } catch (const std::bad_alloc&) {
    return OutOfMemory();
  } catch (const std::length_error&) {
    return OutOfMemory();
  }
}

OpenResult OpenTableText(TableFormat format, std::string&& bytes, FontTable& table,
                         std::optional<TableFormat> reportFor) {
  try {
    return Open(format, std::move(bytes), table, reportFor);
  } catch (const std::bad_alloc&) {
    return OutOfMemory();
  } catch (const std::length_error&) {
    return OutOfMemory();
  }
}

namespace {

FileResult WriteTableIn(TableFormat format, const FontTable& table, TextForm form, ByteSink& sink) {
  if (!IsUtf16(form)) {
    WriteTableTo(format, table, sink);
    return {};
  }
  Utf16Encoder encoder(sink, form);
  WriteTableTo(format, table, encoder);
  return encoder.Finish();
}

}  // namespace

FileResult WriteTableFile(TableFormat format, const FontTable& table, ByteSink& sink) {
  return WriteTableIn(format, table, table.FileTextForm, sink);
}

FileResult SaveTableFileBytes(TableFormat format, const FontTable& table, std::string& bytes) {
  return SaveTableFileBytes(format, table, table.FileTextForm, bytes);
}

FileResult SaveTableFileBytes(TableFormat format, const FontTable& table, TextForm form,
                              std::string& bytes) {
  try {
    bytes.clear();
    StringSink sink(bytes);
    return WriteTableIn(format, table, form, sink);
  } catch (const std::bad_alloc&) {
    return {std::string(kOutOfMemory)};
  } catch (const std::length_error&) {
    return {std::string(kOutOfMemory)};
  }
}

FileResult SaveTableFile(TableFormat format, const FontTable& table, const std::string& path) {
  try {
    return WriteFileReplacingFrom(
        path, [&](ByteSink& sink) { return WriteTableFile(format, table, sink); });
  } catch (const std::bad_alloc&) {
    return {std::string(kOutOfMemory)};
  }
}

void KeepTextFormFor(FontTable& table, TableFormat readIn, TableFormat savedIn) {
  if (readIn != savedIn) table.FileTextForm = TextForm::Bytes;
}

}  // namespace mojihyo
