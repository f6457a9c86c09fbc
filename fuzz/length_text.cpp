// The length popup's text rules: any text either changes the length to a finite value
// with a side of 0 or 1, or is refused and changes nothing.
#include "edit/length_text.h"
#include "win_codepage.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::wstring text = kz::utf8ToWide(std::string_view(reinterpret_cast<const char*>(data), size));
    for (double start : {1250.0, 0.0, 1e308}) {
        double value = start;
        int side = 7;
        bool accepted = ApplyLengthText(CString(text.c_str()), value, side);
        bool ok = accepted ? std::isfinite(value) && (side == 0 || side == 1)
                           : value == start && side == 7;
        if (!ok) {
            std::fprintf(stderr, "fuzz_length: \"%s\" from %g gives %g, side %d (%s)\n",
                         kz::wideToUtf8(text).c_str(), start, value, side,
                         accepted ? "accepted" : "refused");
            std::abort();
        }
    }
    return 0;
}
