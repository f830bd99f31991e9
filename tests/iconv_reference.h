#pragma once

// The C library's own conversion between encodings, to check the program's
// against.

#include <gtest/gtest.h>

#include <iconv.h>
#include <string>
#include <string_view>

namespace mojihyo {

inline std::string Iconv(const char* from, const char* to, std::string_view in) {
  iconv_t cd = ::iconv_open(to, from);
  EXPECT_NE(cd, reinterpret_cast<iconv_t>(-1));
  std::string out(in.size() * 2 + 16, '\0');
  char* inp = const_cast<char*>(in.data());
  char* outp = out.data();
  std::size_t inLeft = in.size(), outLeft = out.size();
  EXPECT_NE(::iconv(cd, &inp, &inLeft, &outp, &outLeft), static_cast<std::size_t>(-1));
  ::iconv_close(cd);
  out.resize(out.size() - outLeft);
  return out;
}

}  // namespace mojihyo
