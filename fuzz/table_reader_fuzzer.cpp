// Any bytes read as a table: the reader must not crash, and what it makes
// of them must be written, read and written again to the same bytes.

#include <cstdint>
#include <cstdlib>
#include <string_view>

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
  return 0;
}
