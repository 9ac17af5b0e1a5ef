#pragma once

#include <string_view>

namespace tavrello::fuzz {

// A broken property is a finding: report it with the input's description and stop, so that
// libFuzzer keeps the input as a crash artifact.
void require(bool holds, std::string_view property, std::string_view detail = {});

} // namespace tavrello::fuzz
