// CP932 through glibc iconv: the settings and theme files stay byte-compatible with Japanese
// Windows.
#include <iconv.h>
#include <cerrno>

#include "core/os/Encoding.h"

namespace moravel {
namespace {

constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";

class Converter {
  public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (cd_ != reinterpret_cast<iconv_t>(-1)) {
            iconv_close(cd_);
        }
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts `in`; at every position iconv refuses, `onError` appends a substitute to `out`
    // and returns how many input bytes to skip.
    template <class OnError>
    std::string Run(std::string_view in, OnError onError) {
        std::string out;
        if (cd_ == reinterpret_cast<iconv_t>(-1)) {
            // No converter: keep ASCII, mark the rest.
            for (std::size_t pos = 0; pos < in.size();) {
                if (static_cast<unsigned char>(in[pos]) < 0x80) {
                    out.push_back(in[pos++]);
                } else {
                    pos += onError(in, pos, out);
                }
            }
            return out;
        }
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        out.reserve(in.size() * 2);
        char buffer[256];
        std::size_t pos = 0;
        while (pos < in.size()) {
            char* inPtr = const_cast<char*>(in.data() + pos);
            std::size_t inLeft = in.size() - pos;
            char* outPtr = buffer;
            std::size_t outLeft = sizeof buffer;
            const std::size_t rc = iconv(cd_, &inPtr, &inLeft, &outPtr, &outLeft);
            const int err = errno;
            out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
            pos = in.size() - inLeft;
            if (rc != static_cast<std::size_t>(-1)) {
                continue;
            }
            if (err == E2BIG) {
                continue;
            }
            // EILSEQ or EINVAL (a sequence cut off by the end): substitute and go on.
            iconv(cd_, nullptr, nullptr, nullptr, nullptr);
            pos += onError(in, pos, out);
        }
        return out;
    }

  private:
    iconv_t cd_;
};

}  // namespace

// A converter is opened for each call and closed after it: files are read and written seldom, and
// an open one would hold its tables (32 KB each) for as long as the program runs.
std::string AnsiToUtf8(std::string_view bytes) {
    Converter converter("UTF-8", "CP932");
    return converter.Run(bytes, [](std::string_view, std::size_t, std::string& out) {
        out.append(kReplacementCharacter);
        return std::size_t{1};
    });
}

std::string Utf8ToAnsi(std::string_view text) {
    Converter converter("CP932", "UTF-8");
    return converter.Run(text, [](std::string_view in, std::size_t pos, std::string& out) {
        out.push_back('?');
        if (const std::size_t length = Utf8SequenceLength(in, pos); length != 0) {
            return length;  // a whole character the code page lacks
        }
        // Broken UTF-8: the bad byte and the continuation bytes that follow it make one "?".
        std::size_t skip = 1;
        while (skip < 4 && pos + skip < in.size() &&
               (static_cast<unsigned char>(in[pos + skip]) & 0xC0) == 0x80) {
            ++skip;
        }
        return skip;
    });
}

}  // namespace moravel
