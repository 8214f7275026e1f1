#include "FieldSplitter.h"

namespace trend {
namespace {

constexpr char kDelimiter = ',';
constexpr char kQuote = '"';

bool isBlank(char c) {
    const auto u = static_cast<unsigned char>(c);
    return u >= 1 && u <= 32;
}

}  // namespace

void FieldSplitter::split(std::string_view line, std::vector<std::string>& fields) const {
    fields.clear();
    if (size_t nul = line.find('\0'); nul != std::string_view::npos) {
        line = line.substr(0, nul);
    }
    const bool loose = mode_ == Mode::Loose;
    size_t p = 0;
    const size_t end = line.size();
    auto skipBlanks = [&] {
        if (loose) {
            while (p < end && isBlank(line[p])) {
                ++p;
            }
        }
    };
    skipBlanks();
    while (p < end) {
        std::string field;
        if (line[p] == kQuote) {
            ++p;
            while (p < end) {
                if (line[p] == kQuote) {
                    if (p + 1 < end && line[p + 1] == kQuote) {
                        field += kQuote;
                        p += 2;
                        continue;
                    }
                    ++p;
                    break;
                }
                field += line[p++];
            }
        } else {
            const size_t start = p;
            while (p < end && line[p] != kDelimiter && !(loose && isBlank(line[p]))) {
                ++p;
            }
            field.assign(line.substr(start, p - start));
        }
        fields.push_back(std::move(field));
        skipBlanks();
        if (p < end && line[p] == kDelimiter) {
            if (p + 1 == end) {
                fields.emplace_back();
            }
            ++p;
            skipBlanks();
        }
    }
}

}  // namespace trend
