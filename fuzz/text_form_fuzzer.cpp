// Any bytes as UTF-16 in every form, and as UTF-8: what decodes must
// encode back to the same bytes, in pieces of any size, and the encoder
// must refuse exactly what is not UTF-8.

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/lines.h"
#include "core/text_form.h"

namespace {

using namespace mojihyo;

// Encodes `utf8` in pieces whose sizes come from `sizes`.
FileResult Encode(std::string_view utf8, TextForm form, std::string_view sizes, std::string& out) {
  StringSink sink(out);
  Utf16Encoder encoder(sink, form);
  std::size_t k = 0;
  while (!utf8.empty()) {
    const std::size_t piece = sizes.empty() ? utf8.size() : 1 + static_cast<unsigned char>(sizes[k++ % sizes.size()]) % 7;
    encoder.Write(utf8.substr(0, piece));
    utf8.remove_prefix(std::min(piece, utf8.size()));
  }
  return encoder.Finish();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::string_view sizes = bytes.substr(0, std::min<std::size_t>(size, 8));
  (void)DetectTextForm(bytes);
  for (TextForm form : {TextForm::Utf16Le, TextForm::Utf16LeBom, TextForm::Utf16Be, TextForm::Utf16BeBom}) {
    std::string utf8;
    const bool marked = form == TextForm::Utf16LeBom || form == TextForm::Utf16BeBom;
    if (marked && bytes.size() < 2) continue;
    if (!DecodeUtf16(bytes, form, utf8).ok()) continue;
    std::string back;
    if (!Encode(utf8, form, sizes, back).ok()) std::abort();
    // The mark is written again whatever two bytes stood in its place.
    if (std::string_view(back).substr(marked ? 2 : 0) != bytes.substr(marked ? 2 : 0)) std::abort();
  }
  // As UTF-8: whatever encodes decodes back to itself.
  std::string utf16;
  if (Encode(bytes, TextForm::Utf16Be, sizes, utf16).ok()) {
    std::string back;
    if (!DecodeUtf16(utf16, TextForm::Utf16Be, back).ok() || back != bytes) std::abort();
  }
  return 0;
}
