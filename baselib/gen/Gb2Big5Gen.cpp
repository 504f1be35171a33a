// Writes the GBK-to-BIG5 table as a C++ initialiser list, built from the
// system's iconv: one entry per GBK lead byte 0x81-0xFE and trail byte
// 0x40-0xFE, lead-major. An entry holds the BIG5 lead byte with its top bit
// inverted in the low byte and the BIG5 trail byte in the high byte. A GBK
// code without a BIG5 character becomes the full-width question mark.
#include <cstdio>
#include <iconv.h>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s output\n", argv[0]);
        return 2;
    }
    iconv_t cd = iconv_open("BIG5", "GBK");
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        std::perror("iconv_open GBK to BIG5");
        return 1;
    }
    std::FILE* out = std::fopen(argv[1], "w");
    if (!out) {
        std::perror(argv[1]);
        return 1;
    }
    const unsigned fallback = (0xA1 ^ 0x80) | (0x48 << 8);
    int n = 0, mapped = 0;
    for (unsigned lead = 0x81; lead <= 0xFE; ++lead) {
        for (unsigned trail = 0x40; trail <= 0xFE; ++trail) {
            char in[2] = {static_cast<char>(lead), static_cast<char>(trail)};
            char res[8] = {};
            char* ip = in;
            char* op = res;
            size_t il = 2, ol = sizeof res;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
            unsigned entry = fallback;
            if (iconv(cd, &ip, &il, &op, &ol) != static_cast<size_t>(-1) && op - res == 2) {
                entry = (static_cast<unsigned char>(res[0]) ^ 0x80) | (static_cast<unsigned char>(res[1]) << 8);
                ++mapped;
            }
            std::fprintf(out, "0x%04X,%s", entry, ++n % 12 == 0 ? "\n" : "");
        }
    }
    std::fprintf(out, "\n");
    iconv_close(cd);
    if (std::fclose(out) != 0 || n != 24066 || mapped < 10000) {
        std::fprintf(stderr, "table incomplete (%d entries, %d mapped)\n", n, mapped);
        std::remove(argv[1]);
        return 1;
    }
    return 0;
}
