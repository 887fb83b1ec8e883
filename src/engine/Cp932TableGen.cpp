// Writes the C++ source of the code page 932 tables (Cp932Table.h) as the system's iconv converts:
// cp932_table_gen OUTPUT.cpp
#include <iconv.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

// The whole of `in` converted, or nothing when iconv refuses any of it.
std::string Convert(iconv_t cd, const std::string& in) {
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char buffer[16];
    char* inPtr = const_cast<char*>(in.data());
    size_t inLeft = in.size();
    char* outPtr = buffer;
    size_t outLeft = sizeof buffer;
    if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1) || inLeft != 0) {
        return {};
    }
    return std::string(buffer, static_cast<size_t>(outPtr - buffer));
}

// The one code point of a UTF-8 text, or U+FFFD when it is not exactly one of the BMP.
unsigned SingleCodePoint(const std::string& utf8) {
    const auto byte = [&](size_t k) { return static_cast<unsigned char>(utf8[k]) & 0xFFu; };
    if (utf8.size() == 1 && byte(0) < 0x80) {
        return byte(0);
    }
    if (utf8.size() == 2 && (byte(0) & 0xE0) == 0xC0) {
        return ((byte(0) & 0x1Fu) << 6) | (byte(1) & 0x3Fu);
    }
    if (utf8.size() == 3 && (byte(0) & 0xF0) == 0xE0) {
        return ((byte(0) & 0x0Fu) << 12) | ((byte(1) & 0x3Fu) << 6) | (byte(2) & 0x3Fu);
    }
    return 0xFFFD;
}

std::string Utf8Of(unsigned c) {
    std::string s;
    if (c < 0x80) {
        s += static_cast<char>(c);
    } else if (c < 0x800) {
        s += static_cast<char>(0xC0 | (c >> 6));
        s += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        s += static_cast<char>(0xE0 | (c >> 12));
        s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (c & 0x3F));
    }
    return s;
}

bool IsLead(unsigned byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

void WriteArray(std::FILE* file, const char* name, const std::vector<unsigned>& values) {
    std::fprintf(file, "const std::uint16_t %s[] = {", name);
    for (size_t k = 0; k < values.size(); ++k) {
        std::fprintf(file, "%s0x%X,", k % 16 == 0 ? "\n" : "", values[k]);
    }
    std::fprintf(file, "\n};\n");
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: cp932_table_gen OUTPUT.cpp\n");
        return 2;
    }
    iconv_t decoder = iconv_open("UTF-8", "CP932");
    iconv_t encoder = iconv_open("CP932", "UTF-8");
    if (decoder == reinterpret_cast<iconv_t>(-1) || encoder == reinterpret_cast<iconv_t>(-1)) { // NOLINT
        std::fprintf(stderr, "cp932_table_gen: iconv cannot convert CP932\n");
        return 1;
    }
    std::vector<unsigned> decode;
    for (unsigned byte = 0; byte < 256; ++byte) {
        decode.push_back(SingleCodePoint(Convert(decoder, std::string(1, static_cast<char>(byte)))));
    }
    for (unsigned lead = 0; lead < 256; ++lead) {
        if (!IsLead(lead)) {
            continue;
        }
        for (unsigned trail = 0; trail < 256; ++trail) {
            const std::string pair{static_cast<char>(lead), static_cast<char>(trail)};
            decode.push_back(SingleCodePoint(Convert(decoder, pair)));
        }
    }
    std::vector<unsigned> encode;
    for (unsigned c = 0; c < 0x10000; ++c) {
        const std::string bytes = c >= 0xD800 && c <= 0xDFFF ? std::string() : Convert(encoder, Utf8Of(c));
        unsigned code = 0xFFFF;
        if (bytes.size() == 1) {
            code = static_cast<unsigned char>(bytes[0]);
        } else if (bytes.size() == 2) {
            code = (static_cast<unsigned char>(bytes[0]) << 8u) | static_cast<unsigned char>(bytes[1]);
        }
        encode.push_back(code);
    }
    iconv_close(decoder);
    iconv_close(encoder);

    std::FILE* file = std::fopen(argv[1], "w");
    if (file == nullptr) {
        std::perror(argv[1]);
        return 1;
    }
    std::fprintf(file, "// Made by cp932_table_gen from the system's iconv; do not edit.\n"
                       "#include \"engine/Cp932Table.h\"\n");
    WriteArray(file, "kCp932Decode", decode);
    WriteArray(file, "kCp932Encode", encode);
    return std::fclose(file) == 0 ? 0 : 1;
}
