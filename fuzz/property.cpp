#include "property.h"

#include <cstdio>
#include <cstdlib>

namespace tavrello::fuzz {

void require(bool holds, std::string_view property, std::string_view detail) {
    if (holds) {
        return;
    }
    std::fprintf(stderr, "property broken: %.*s\n  %.*s\n", static_cast<int>(property.size()),
                 property.data(), static_cast<int>(detail.size()), detail.data());
    std::abort();
}

} // namespace tavrello::fuzz
