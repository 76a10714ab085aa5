#pragma once

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace velmora::fuzz {

// A broken property: the message names it, abort() makes libFuzzer keep the input.
[[noreturn]] inline void Fail(const char* what, std::string_view detail = {}) {
    std::fprintf(stderr, "PROPERTY BROKEN: %s [%.*s]\n", what, static_cast<int>(detail.size()),
                 detail.data());
    std::abort();
}

inline void Check(bool holds, const char* what, std::string_view detail = {}) {
    if (!holds) Fail(what, detail);
}

// True when the text holds "nan", "inf" or "infinity" as a word of its own (any letter case),
// the way the C++ library spells values outside the real numbers.
inline bool HasNonFiniteWord(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        if (!std::isalpha(static_cast<unsigned char>(text[i]))) {
            ++i;
            continue;
        }
        std::size_t end = i;
        std::string word;
        while (end < text.size() && std::isalpha(static_cast<unsigned char>(text[end]))) {
            word += static_cast<char>(std::tolower(static_cast<unsigned char>(text[end])));
            ++end;
        }
        if (word == "nan" || word == "inf" || word == "infinity") return true;
        i = end;
    }
    return false;
}

// Splits the fuzz input into a few leading control bytes and the rest.
class FuzzInput {
  public:
    FuzzInput(const unsigned char* data, std::size_t size)
        : data_(reinterpret_cast<const char*>(data)), size_(size) {}

    unsigned char TakeByte() {
        if (used_ >= size_) return 0;
        return static_cast<unsigned char>(data_[used_++]);
    }
    std::string_view Rest() const { return {data_ + used_, size_ - used_}; }

  private:
    const char* data_;
    std::size_t size_;
    std::size_t used_ = 0;
};

}  // namespace velmora::fuzz
