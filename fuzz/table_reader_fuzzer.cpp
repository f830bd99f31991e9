// Any bytes read as a table: the reader must not crash, and what it makes
// of them must be written, read and written again to the same bytes, also
// when the bytes are UTF-16.

#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "formats/table_file.h"
#include "formats/table_format.h"

namespace {
#if defined(FUZZ_FORMAT_THINGY)
constexpr auto kFormat = mojihyo::TableFormat::Thingy;
#elif defined(FUZZ_FORMAT_HEXPOSURE)
constexpr auto kFormat = mojihyo::TableFormat::Hexposure;
#else
constexpr auto kFormat = mojihyo::TableFormat::MoJiHyo;
#endif
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace mojihyo;
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  FontTable table;
  LoadTableBytes(kFormat, bytes, table);
  const std::string once = SaveTableBytes(kFormat, table);
  FontTable again;
  LoadTableBytes(kFormat, once, again);
  if (SaveTableBytes(kFormat, again) != once) std::abort();

  // The same through the open of a file, UTF-16 detection included: what a
  // save writes, in the form the file came in, opens and saves the same.
  FontTable opened;
  if (!OpenTableText(kFormat, std::string(bytes), opened).ok()) return 0;
  std::string saved;
  if (!SaveTableFileBytes(kFormat, opened, saved).ok()) std::abort();
  // Without a byte-order mark, UTF-16 is known by its zero bytes, and a
  // table of long non-ASCII entries, reordered by the save, may show too
  // few of them to be known again.
  if (DetectTextForm(saved) != opened.FileTextForm) return 0;
  FontTable reopened;
  if (!OpenTableText(kFormat, std::string(saved), reopened).ok()) std::abort();
  std::string savedAgain;
  if (!SaveTableFileBytes(kFormat, reopened, savedAgain).ok() || savedAgain != saved) std::abort();
  return 0;
}
